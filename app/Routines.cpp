#include "app/Routines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace Routines {

void LettertypeToepassen(const QFont& bron, QWidget* doel)
{
    QFont font = doel->font();
    font.setFamily(bron.family());
    font.setPointSizeF(bron.pointSizeF());
    font.setBold(bron.bold());
    font.setItalic(bron.italic());
    doel->setFont(font);
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
