#include "files/TekstBestand.h"

#include <QSet>
#include <QStringDecoder>

#include "core/Text.h"

namespace querimo::files {

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

// The text when the bytes are valid UTF-8 and hold more than ASCII; nothing otherwise.
std::optional<QString> AlsUtf8(const QByteArray& bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    if (ascii) return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

}  // namespace

QByteArray NaarBestand(const QString& editorText, Codering codering)
{
    QString text = editorText;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (codering == Codering::Utf8MetBom) return Bom + text.toUtf8();
    return QByteArray::fromStdString(text::toWindows1252(text.toStdString()));
}

QString UitBestand(const QByteArray& bytes)
{
    QString text;
    if (bytes.startsWith(Bom))
        text = QString::fromUtf8(bytes.mid(Bom.size()));
    else if (std::optional<QString> utf8 = AlsUtf8(bytes))
        text = *utf8;
    else
        text = QString::fromStdString(text::fromWindows1252(bytes.toStdString()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString NietInWindows1252(const QString& tekst)
{
    QString verloren;
    QSet<char32_t> gezien;
    for (const char32_t c : tekst.toUcs4()) {
        if (gezien.contains(c)) continue;
        gezien.insert(c);
        const QString teken = QString::fromUcs4(&c, 1);
        // A character survives when it comes back from its one byte unchanged.
        const std::string terug = text::fromWindows1252(text::toWindows1252(teken.toStdString()));
        if (QString::fromStdString(terug) != teken) verloren += teken;
    }
    return verloren;
}

}  // namespace querimo::files
