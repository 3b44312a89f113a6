#include "app/Keywords.h"

#include <QStringList>

QString KeywordList(const QByteArray& fileContent)
{
    QString text = QString::fromLatin1(fileContent);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    if (text.endsWith('\n')) text.chop(1);
    QString list = "#";
    if (fileContent.isEmpty()) return list;
    for (const QString& line : text.split('\n')) list += line + "#";
    return list;
}
