#pragma once
#include <QByteArray>
#include <QString>

namespace querimo::files {

// SQL text files have CR LF line breaks; the editor holds line feeds. They are written in Windows-1252, one byte
// per character, unless the user chose UTF-8 for characters that Windows-1252 cannot hold.
enum class Codering { Windows1252, Utf8MetBom };

QByteArray NaarBestand(const QString& editorText, Codering codering);
// A file with a UTF-8 byte-order mark, or whose bytes are valid UTF-8 beyond ASCII, is read as UTF-8;
// any other as Windows-1252.
QString UitBestand(const QByteArray& bytes);
// The characters of the text that Windows-1252 cannot hold, each once, in the order they first occur.
QString NietInWindows1252(const QString& tekst);

}  // namespace querimo::files
