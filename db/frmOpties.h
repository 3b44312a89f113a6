#pragma once
#include <QDialog>
#include <array>

#include "db/Databaseverbinding.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The login values a database is opened with. After OK (exec() answers Accepted) Waarden() holds the
// values as typed; any other way out leaves them as given.
class frmOpties : public QDialog {
    Q_OBJECT
public:
    frmOpties(const querimo::db::Aanmelding& waarden, QWidget* parent);

    const querimo::db::Aanmelding& Waarden() const { return waarden_; }

    std::array<QLabel*, 3> lblLabels{};
    QLineEdit* txtGebruiker;
    QLineEdit* txtPaswoord;
    QLineEdit* txtdbPaswoord;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QCheckBox* chkExclusief;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdOK_Click();

    querimo::db::Aanmelding waarden_;
};
