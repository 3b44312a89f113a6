#include "exec/Uitvoering.h"

#include <QEventLoop>
#include <QTimer>

#include "core/Error.h"
#include "exec/FoutVan.h"
#include "core/StopSignal.h"

namespace querimo::exec {

namespace {

// Steps that fail do not stop the statement's run: the next check finds the most recent failure.
class Foutopvang {
public:
    template <typename F>
    void Proberen(F&& f)
    {
        if (std::optional<QString> fout = FoutVan(std::forward<F>(f))) fout_ = std::move(fout);
    }
    const std::optional<QString>& Fout() const { return fout_; }

private:
    std::optional<QString> fout_;
};

}  // namespace

Uitvoering::Uitvoering(QObject* parent) : QObject(parent), cmdResult(std::make_unique<ado::Command>())
{
    draad_.setObjectName("Opdrachten");
    werker_.moveToThread(&draad_);
    draad_.start();
}

Uitvoering::~Uitvoering()
{
    draad_.quit();
    draad_.wait();
}

void Uitvoering::OpDeAchtergrond(const std::function<void()>& work)
{
    bezig_ = true;
    emit BezigGewijzigd(true);
    QEventLoop wachten;
    // A stop asked just before the engine started executing would find nothing to stop: ask again.
    QTimer herhalen;
    connect(&herhalen, &QTimer::timeout, this, [this] {
        if (stopGevraagd_) cmdResult->Cancel();
    });
    herhalen.start(50);
    QMetaObject::invokeMethod(&werker_, [&] {
        work();
        QMetaObject::invokeMethod(&wachten, &QEventLoop::quit, Qt::QueuedConnection);
    });
    wachten.exec();
    bezig_ = false;
    emit BezigGewijzigd(false);
}

std::optional<QString> Uitvoering::Voorbereiden(ado::Connection& verbinding, const QString& tekst)
{
    Foutopvang opvang;
    stopGevraagd_ = false;
    cmdResult->ActiveConnection = &verbinding;
    const std::string text = tekst.toStdString();
    OpDeAchtergrond([&] { opvang.Proberen([&] { cmdResult->SetCommandText(text); }); });
    return opvang.Fout();
}

std::optional<QString> Uitvoering::Uitvoeren(long& aantal)
{
    Foutopvang opvang;
    aantal = 0;
    rijenGetoond_ = false;
    opvang.Proberen([&] {
        if (rsResult && rsResult->State() == ado::ObjectState::Open) rsResult->Close();
    });
    // The rows are shown while they arrive: the window hears of them through queued calls, which all come
    // before the wait for the end is over.
    ado::FetchEvents binnen;
    binnen.opened = [this](const std::shared_ptr<ado::Recordset>& rs) {
        QMetaObject::invokeMethod(
            this,
            [this, rs] {
                rsResult = rs;
                emit RijenBinnen();
            },
            Qt::QueuedConnection);
    };
    binnen.progress = [this](std::size_t) {
        QMetaObject::invokeMethod(this, &Uitvoering::RijenBinnen, Qt::QueuedConnection);
    };
    std::shared_ptr<ado::Recordset> nieuw;
    if (stopGevraagd_)
        opvang.Proberen([] { throw statementStopped(); });
    else
        OpDeAchtergrond([&] { opvang.Proberen([&] { nieuw = cmdResult->Execute(&aantal, &binnen); }); });
    if (nieuw) rsResult = std::move(nieuw);
    // A stopped or failed query leaves no rows, not the part read before.
    if (opvang.Fout() && rsResult && rsResult->State() == ado::ObjectState::Open) rsResult->Close();
    return opvang.Fout();
}

Uitkomst Uitvoering::UitkomstNa(long aantal) const
{
    if (aantal != 0) return Uitkomst::Actie;
    return rsResult && rsResult->State() == ado::ObjectState::Open ? Uitkomst::Rijen : Uitkomst::Verwerkt;
}

void Uitvoering::Stoppen()
{
    if (!bezig_) return;
    stopGevraagd_ = true;
    cmdResult->Cancel();
}

}  // namespace querimo::exec
