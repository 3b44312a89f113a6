#pragma once
#include <QByteArray>
#include <QString>

namespace querimo::files {

// SQL text files hold one byte per character (Windows-1252, which keeps ASCII) and CR LF line breaks;
// the editor holds line feeds.
QByteArray NaarBestand(const QString& editorText);
QString UitBestand(const QByteArray& bytes);

}  // namespace querimo::files
