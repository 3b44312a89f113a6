#pragma once
#include <QObject>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "ado/Recordset.h"

namespace querimo::exec {

// What an execution without failure brought: records changed, rows, or neither (definitions, and actions
// that touched no record).
enum class Uitkomst { Actie, Rijen, Verwerkt };

// The statement of the last execution and its result. Preparing and executing run on a thread of their
// own, the same one for every statement (Rnd's sequence, for one, goes on from statement to statement);
// the caller waits in an event loop, so the window keeps painting and can stop the statement.
class Uitvoering : public QObject {
    Q_OBJECT

public:
    explicit Uitvoering(QObject* parent = nullptr);
    ~Uitvoering() override;

    // Takes the statement on the connection and derives its parameters. Nothing, or why it failed.
    std::optional<QString> Voorbereiden(ado::Connection& verbinding, const QString& tekst);
    ado::Parameters& Parameters() { return cmdResult->GetParameters(); }

    // Closes the previous result and executes with the parameter values held. Nothing, or why it failed.
    std::optional<QString> Uitvoeren(long& aantal);

    // The last result; an action statement leaves a closed one, a failure the previous one. A query's is
    // here (RijenBinnen) while its rows are still being read; stopped or failed, it is closed.
    const std::shared_ptr<ado::Recordset>& Resultaat() const { return rsResult; }
    // The outcome of the execution that just succeeded, from the records it reported.
    Uitkomst UitkomstNa(long aantal) const;
    // True while the last result is shown with at least one row.
    bool RijenGetoond() const { return rijenGetoond_; }
    void ZetRijenGetoond(bool getoond) { rijenGetoond_ = getoond; }

    bool Bezig() const { return bezig_; }
    // Asks the running statement to stop; it then fails with the engine's message, and a statement only
    // prepared when the stop came is not executed. Without effect when idle.
    void Stoppen();
    bool StopGevraagd() const { return stopGevraagd_; }

signals:
    void BezigGewijzigd(bool bezig);
    // While a query runs: its result is there (Resultaat), or more of its rows are; never for each row.
    void RijenBinnen();

private:
    // Runs work on the statements' thread and returns when it is done, handling events meanwhile.
    void OpDeAchtergrond(const std::function<void()>& work);

    QThread draad_;
    QObject werker_;  // lives on draad_

    std::unique_ptr<ado::Command> cmdResult;
    std::shared_ptr<ado::Recordset> rsResult;
    bool rijenGetoond_ = false;
    bool bezig_ = false;
    bool stopGevraagd_ = false;  // from Stoppen until the next statement is prepared
};

}  // namespace querimo::exec
