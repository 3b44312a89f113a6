#pragma once
#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmQuerimo;

// The login values with which the main window opens a database.
class frmOpties : public QDialog {
    Q_OBJECT
public:
    // Loads the controls from the main window's login values.
    explicit frmOpties(frmQuerimo& owner);

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

    frmQuerimo& owner_;
};
