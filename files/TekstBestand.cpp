#include "files/TekstBestand.h"

#include "core/Text.h"

namespace querimo::files {

QByteArray NaarBestand(const QString& editorText)
{
    QString text = editorText;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QByteArray::fromStdString(text::toWindows1252(text.toStdString()));
}

QString UitBestand(const QByteArray& bytes)
{
    QString text = QString::fromStdString(text::fromWindows1252(bytes.toStdString()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace querimo::files
