#pragma once
#include <QDialog>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ado/Recordset.h"

class QPushButton;
class QTableView;

namespace querimo::exec {
class RecordsetModel;
}  // namespace querimo::exec

// Asks a value for each parameter name, in their order, shown in the editor's font. After OK (exec() answers
// Accepted) Waarden() holds what was typed, nullopt where nothing was.
class frmParameters : public QDialog {
    Q_OBJECT

public:
    frmParameters(const QStringList& namen, const QFont& lettertype, QWidget* parent);
    ~frmParameters() override;

    const std::vector<std::optional<std::string>>& Waarden() const { return waarden_; }

    QTableView* dgdParameters = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void done(int result) override;

private:
    void Form_Load(const QStringList& namen, const QFont& lettertype);
    void cmdOK_Click();

    std::vector<std::optional<std::string>> waarden_;
    std::shared_ptr<querimo::ado::Recordset> rsParameters;
    querimo::exec::RecordsetModel* rijen_ = nullptr;
};
