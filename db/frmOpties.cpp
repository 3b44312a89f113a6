#include "db/frmOpties.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/LayoutPixels.h"
#include "app/Routines.h"

using querimo::layout::place;
using querimo::layout::Rect;

namespace {

QLineEdit* textBox(QWidget* parent, const char* name, const Rect& where, bool masked)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (masked) box->setEchoMode(QLineEdit::Password);
    place(box, where);
    return box;
}

// The labels' right edges line up at the text boxes; each label's access key moves to its box.
QLabel* label(QWidget* parent, const QString& caption, const Rect& where, QLineEdit* buddy)
{
    auto* lbl = new QLabel(caption, parent);
    lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbl->setBuddy(buddy);
    place(lbl, where);
    return lbl;
}

}  // namespace

frmOpties::frmOpties(const querimo::db::Aanmelding& waarden, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      waarden_(waarden)
{
    setWindowTitle(QStringLiteral("Opties"));
    setFixedSize(Routines::TwipsNaarPixels(4530), Routines::TwipsNaarPixels(2400));

    txtGebruiker = textBox(this, "txtGebruiker", Rect{2040, 135, 2325, 345}, false);
    txtPaswoord = textBox(this, "txtPaswoord", Rect{2040, 547, 2325, 345}, true);
    txtdbPaswoord = textBox(this, "txtdbPaswoord", Rect{2040, 960, 2325, 345}, true);
    lblLabels[0] = label(this, QStringLiteral("&Gebruiker:"), Rect{1035, 180, 930, 240}, txtGebruiker);
    lblLabels[1] = label(this, QStringLiteral("&Paswoord:"), Rect{1005, 600, 960, 240}, txtPaswoord);
    lblLabels[2] = label(this, QStringLiteral("&Databasepaswoord:"), Rect{120, 1012, 1845, 240}, txtdbPaswoord);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    place(cmdOK, Rect{893, 1860, 1140, 390});
    cmdCancel = new QPushButton(QStringLiteral("Annuleren"), this);
    cmdCancel->setObjectName("cmdCancel");
    place(cmdCancel, Rect{2498, 1860, 1140, 390});
    chkExclusief = new QCheckBox(QStringLiteral("Database &exclusief openen"), this);
    chkExclusief->setObjectName("chkExclusief");
    place(chkExclusief, Rect{698, 1440, 3135, 255});

    setTabOrder(txtGebruiker, txtPaswoord);
    setTabOrder(txtPaswoord, txtdbPaswoord);
    setTabOrder(txtdbPaswoord, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, chkExclusief);

    txtGebruiker->setText(waarden_.Gebruiker);
    txtPaswoord->setText(waarden_.Paswoord);
    txtdbPaswoord->setText(waarden_.dbPaswoord);
    if (waarden_.dbExclusief) chkExclusief->setChecked(true);

    for (QLineEdit* box : {txtGebruiker, txtPaswoord, txtdbPaswoord}) box->installEventFilter(this);
    txtGebruiker->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmOpties::cmdOK_Click);
    // Annuleren, Escape and the close box all leave the values as they were.
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmOpties::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) Routines::SelectAllText(static_cast<QLineEdit*>(watched));
    return QDialog::eventFilter(watched, event);
}

void frmOpties::cmdOK_Click()
{
    waarden_ = {txtGebruiker->text(), txtPaswoord->text(), txtdbPaswoord->text(), chkExclusief->isChecked()};
    accept();
}
