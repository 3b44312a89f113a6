#pragma once
#include <QString>

class QLineEdit;
class QObject;
class frmQuerimo;

// Free procedures shared by the windows.
namespace Routines {

// Clipboard-change reports for the main window: HookForm starts them, UnhookForm stops them.
void HookForm(frmQuerimo& frm);
void UnhookForm(frmQuerimo& frm);
// The main window's reaction to a change of the clipboard.
void WindowProc(frmQuerimo& frm);

// Selects the whole text of a text box, so typing replaces it.
void SelectAllText(QLineEdit* textBox);

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
