#include <QAction>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "db/frmOpties.h"

// The login options; after OK an open database is opened again with the new values.
void frmQuerimo::OptiesTonen()
{
    Routines::SetTag(mnuOpties, QString());
    {
        frmOpties dialog(*this);
        dialog.exec();
    }
    if (Routines::Tag(mnuOpties) == QLatin1String("*") && !HuidigeDb.isEmpty()) DatabaseOpenen(HuidigeDb);
}
