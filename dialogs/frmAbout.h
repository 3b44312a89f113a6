#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The About box: the program's icon, its version and its legal notice.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The owner gives the icon; the dialog is centred on it.
    explicit frmAbout(QWidget* owner);

    // "Versie " + major.minor.revision, two line breaks and the legal notice.
    static QString InfoTekst(int major, int minor, int revision, const QString& legalNotice);

    QLabel* imgIcoon;
    QPlainTextEdit* txtInfo;
    QPushButton* cmdOK;
};
