#include <QFontDialog>
#include <QHeaderView>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "dialogs/frmAbout.h"

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
    dlgFont->setCurrentFont(preset);
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
