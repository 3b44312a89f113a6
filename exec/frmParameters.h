#pragma once
#include <QDialog>
#include <memory>

#include "ado/Recordset.h"

class QPushButton;
class QTableView;
class frmQuerimo;

namespace querimo::exec {
class RecordsetModel;
}  // namespace querimo::exec

// Asks a value for each parameter of the main window's cmdResult. OK stores the values in the command and
// sets the main window's Tag to "*"; any other way out leaves both alone.
class frmParameters : public QDialog {
    Q_OBJECT

public:
    explicit frmParameters(frmQuerimo& owner);
    ~frmParameters() override;

    QTableView* dgdParameters = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void done(int result) override;

private:
    void Form_Load();
    void cmdOK_Click();

    frmQuerimo& owner_;
    std::shared_ptr<querimo::ado::Recordset> rsParameters;
    querimo::exec::RecordsetModel* rijen_ = nullptr;
};
