#include "dialogs/frmAbout.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "Version.h"
#include "app/LayoutPixels.h"
#include "app/Routines.h"

using querimo::layout::place;
using querimo::layout::Rect;

namespace {

QFont dialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(9.75);
    return font;
}

}  // namespace

frmAbout::frmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Querimo Info"));
    setFixedSize(Routines::TwipsNaarPixels(5280), Routines::TwipsNaarPixels(2055));

    imgIcoon = new QLabel(this);
    imgIcoon->setScaledContents(true);
    place(imgIcoon, Rect{120, 120, 1215, 1215});
    if (owner) imgIcoon->setPixmap(owner->windowIcon().pixmap(imgIcoon->size()));

    txtInfo = new QPlainTextEdit(this);
    txtInfo->setReadOnly(true);
    txtInfo->setFrameShape(QFrame::NoFrame);
    txtInfo->setFocusPolicy(Qt::NoFocus);
    txtInfo->setFont(dialogFont());
    txtInfo->setBackgroundRole(QPalette::Button);
    QPalette palette = txtInfo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    txtInfo->setPalette(palette);
    place(txtInfo, Rect{1560, 240, 3615, 975});
    // The box is sized for the notice in the design font; without the editor's own margins it fits in
    // the fonts a Linux desktop substitutes too.
    txtInfo->document()->setDocumentMargin(0);
    txtInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The editor keeps line feeds only: each CR LF of the text is one line break on the screen.
    txtInfo->setPlainText(InfoTekst(querimo::version::major, querimo::version::minor, querimo::version::revision,
                                    QString::fromUtf8(querimo::version::legalNotice))
                              .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setFont(dialogFont());
    cmdOK->setDefault(true);
    place(cmdOK, Rect{2040, 1560, 1215, 375});
    // Escape closes the dialog through reject(); both ends are the same here.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

QString frmAbout::InfoTekst(int major, int minor, int revision, const QString& legalNotice)
{
    return QStringLiteral("Versie %1.%2.%3\r\n\r\n%4").arg(major).arg(minor).arg(revision).arg(legalNotice);
}
