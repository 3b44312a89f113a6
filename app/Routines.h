#pragma once
#include <QString>

class QFont;
class QLineEdit;
class QWidget;
class QObject;

// Free procedures shared by the windows.
namespace Routines {

// Selects the whole text of a text box, so typing replaces it.
void SelectAllText(QLineEdit* textBox);

// The target takes the source font's name, size, bold and italic, and keeps the rest of its own font.
void LettertypeToepassen(const QFont& bron, QWidget* doel);

// A control's tag: a free text the program keeps on it.
QString Tag(const QObject* control);
void SetTag(QObject* control, const QString& text);

// The program's own folder: where its data files (sqlwords.dat, the sample database) are.
QString ProgrammaMap();

// Layout values are twips (1/1440 inch); the screen works in pixels.
double TwipsPerPixel();
int TwipsNaarPixels(double twips);
double PixelsNaarTwips(int pixels);

}  // namespace Routines
