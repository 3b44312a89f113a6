#include "app/ImageList.h"

const QStringList& ImageList::Keys()
{
    static const QStringList keys{"open",    "cut",    "copy",  "paste",  "delete",  "folder", "table",
                                  "fields",  "view",   "run",   "back",   "forward", "altkey", "primkey",
                                  "indexes", "access", "groen", "oranje", "rood",    "save"};
    return keys;
}

QPixmap ImageList::Item(const QString& key) const
{
    return QPixmap(":/images/" + key + ".png");
}

QIcon ImageList::Icon(const QString& key) const
{
    return QIcon(Item(key));
}
