#include "app/CommonDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

QString CommonDialog::QtFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList entries;
    // One description may list several patterns, separated by ';' as in the design's filters.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + " (" + parts[i + 1].split(';').join(' ') + ")";
    return entries.join(";;");
}

bool CommonDialog::ShowOpen(QWidget* parent)
{
    return show(parent, false);
}

bool CommonDialog::ShowSave(QWidget* parent)
{
    return show(parent, true);
}

bool CommonDialog::show(QWidget* parent, bool save)
{
    QFileDialog dialog(parent, DialogTitle, InitDir, QtFilter(Filter));
    dialog.setObjectName("CommonDialog");
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Like the platform's common dialog without flags: typed names are accepted as they are (the caller finds
    // out whether the file exists) and saving over a file does not ask first.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!FileName.isEmpty()) dialog.selectFile(FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    FileName = QDir::cleanPath(dialog.selectedFiles().constFirst());
    return true;
}
