#include <QFontDatabase>
#include <QFontDialog>
#include <QHeaderView>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "dialogs/frmAbout.h"

namespace {

// The font with its style under the name the font database lists. The dialog looks the style up by name, and a
// font without one gets a made-up name in the user's language ("Vet") that no font lists: the style would be lost.
QFont MetStijlnaam(QFont font)
{
    for (const QString& stijl : QFontDatabase::styles(font.family())) {
        if (QFontDatabase::bold(font.family(), stijl) == font.bold()
            && QFontDatabase::italic(font.family(), stijl) == font.italic()) {
            font.setStyleName(stijl);
            break;
        }
    }
    return font;
}

}  // namespace

// The editor owns the font; the grid with its headings, the window and the tree follow it.
void frmQuerimo::LettertypeVerspreiden()
{
    Routines::LettertypeToepassen(rtbSQL->font(), dgdSQL);
    dgdSQL->horizontalHeader()->setFont(dgdSQL->font());
    setFont(dgdSQL->font());
    Routines::LettertypeToepassen(rtbSQL->font(), treStruktuur);
}

void frmQuerimo::FontKiezen()
{
    if (!dlgFont) {
        dlgFont = new QFontDialog(this);
        dlgFont->setObjectName("dlgFont");
    }
    const QFont editor = rtbSQL->font();
    QFont preset(editor.family());
    preset.setPointSizeF(editor.pointSizeF());
    preset.setBold(editor.bold());
    preset.setItalic(editor.italic());
    dlgFont->setCurrentFont(MetStijlnaam(preset));
    if (dlgFont->exec() != QDialog::Accepted) return;

    const QFont chosen = dlgFont->selectedFont();
    QFont font = editor;
    font.setFamily(chosen.family());
    font.setPointSizeF(chosen.pointSizeF());
    font.setBold(chosen.bold());
    font.setItalic(chosen.italic());
    rtbSQL->setFont(font);
    LettertypeVerspreiden();
}

void frmQuerimo::InfoTonen()
{
    frmAbout dialog(this);
    dialog.exec();
}
