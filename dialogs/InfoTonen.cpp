#include "app/frmQuerimo.h"
#include "dialogs/frmAbout.h"

void frmQuerimo::InfoTonen()
{
    frmAbout dialog(this);
    dialog.exec();
}
