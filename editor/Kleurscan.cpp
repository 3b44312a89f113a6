#include "editor/Kleurscan.h"

namespace querimo::editor {

namespace {

bool IsScheiding(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '(':
    case ')':
    case '=':
    case ';':
    case ',':
    case '<':
    case '>':
    case '!': return true;
    default: return false;
    }
}

bool IsAanhalingsteken(QChar c)
{
    return c == u'\'' || c == u'"';
}

}  // namespace

Sleutelwoorden::Sleutelwoorden(const QString& lijst) : lijst_(lijst)
{
    for (const QString& woord : lijst.split(u'#', Qt::SkipEmptyParts)) woorden_.insert(woord);
}

bool Sleutelwoorden::Bevat(const QString& woord) const
{
    if (!woord.contains(u'#')) return woorden_.contains(woord);
    return lijst_.contains(u'#' + woord + u'#', Qt::CaseSensitive);
}

void Scanner::Stap(int i)
{
    const QChar c = tekst_[i];
    if (c == u'[') {
        stand_.inHaken = true;
    } else if (c == u']' && stand_.inHaken) {
        stand_.inHaken = false;
        stand_.woordStart = i + 1;
    }
    // Nothing inside a bracketed name counts, quotes and separators included.
    if (stand_.inHaken) return;
    if (IsAanhalingsteken(c)) {
        if (c == stand_.openAanhaling) {
            uit_.push_back({stand_.literalStart, i - stand_.literalStart + 1, KleurLiteral});
            stand_.openAanhaling = QChar();
            stand_.woordStart = i + 1;
        } else if (stand_.openAanhaling.isNull()) {
            stand_.openAanhaling = c;
            stand_.literalStart = i;
        }
    } else if (stand_.openAanhaling.isNull() && IsScheiding(c)) {
        WoordKleuren(stand_.woordStart, i);
        stand_.woordStart = i + 1;
    }
}

void Scanner::Einde()
{
    // An unclosed literal leaves it and everything after it black.
    if (stand_.openAanhaling.isNull()) WoordKleuren(stand_.woordStart, static_cast<int>(tekst_.size()));
}

// start and eind count from 0, eind exclusive.
void Scanner::WoordKleuren(int start, int eind)
{
    const int lengte = eind - start;
    if (lengte <= 0) return;
    if (woorden_.Bevat(Hoofdletters(QStringView(tekst_).mid(start, lengte))))
        uit_.push_back({start, lengte, KleurSleutelwoord});
}

// Upper case as QString::toUpper gives it, in a buffer the scan reuses: most words are plain ASCII, and for
// those a letter at a time is the same, without a new string for every word.
const QString& Scanner::Hoofdletters(QStringView woord)
{
    for (const QChar c : woord)
        if (c.unicode() >= 0x80) return woord_ = woord.toString().toUpper();
    woord_.resize(woord.size());
    QChar* uit = woord_.data();
    for (const QChar c : woord) {
        const char16_t u = c.unicode();
        *uit++ = QChar(u >= 'a' && u <= 'z' ? u - ('a' - 'A') : u);
    }
    return woord_;
}

std::vector<KleurBereik> Kleurscan(const QString& tekst, const QString& sleutelwoorden)
{
    const Sleutelwoorden woorden(sleutelwoorden);
    std::vector<KleurBereik> bereiken;
    Scanner scan(tekst, woorden, ScanStand(), bereiken);
    for (int i = 0; i < tekst.size(); ++i) scan.Stap(i);
    scan.Einde();
    return bereiken;
}

}  // namespace querimo::editor
