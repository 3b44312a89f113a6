#include "app/Routines.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QVariant>
#include <cmath>

#include "app/frmQuerimo.h"

namespace Routines {

namespace {
QMetaObject::Connection hook;  // the clipboard connection made by HookForm
}

void HookForm(frmQuerimo& frm)
{
    hook = QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, &frm, [&frm] { WindowProc(frm); });
}

void UnhookForm(frmQuerimo&)
{
    QObject::disconnect(hook);
}

void WindowProc(frmQuerimo& frm)
{
    if (frm.mnuBewerken->isEnabled()) frm.PlakkenInstellen();
}

void SelectAllText(QLineEdit* textBox)
{
    textBox->setSelection(0, static_cast<int>(textBox->text().size()));
}

QString Tag(const QObject* control)
{
    return control->property("Tag").toString();
}

void SetTag(QObject* control, const QString& text)
{
    control->setProperty("Tag", text);
}

QString ProgrammaMap()
{
    // Run from the build folder, the files lie beside the program; installed, in <prefix>/share/querimo.
    const QString own = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(own + "/sqlwords.dat")) return own;
    const QString installed = QDir::cleanPath(own + "/" QUERIMO_DATA_FROM_PROGRAM);
    return QFileInfo::exists(installed + "/sqlwords.dat") ? installed : own;
}

double TwipsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int TwipsNaarPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

double PixelsNaarTwips(int pixels)
{
    return pixels * TwipsPerPixel();
}

}  // namespace Routines
