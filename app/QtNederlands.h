#pragma once

// Qt's own texts (the buttons of message boxes, the file and font dialogs) in Dutch, whatever the user's
// locale. Installed once for the whole application; without Qt's translations installed they stay English.
void QtNederlands();
