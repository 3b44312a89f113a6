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

// Positions are 1-based like the editor's character positions; the scan's state lives only for one text.
class Scanner {
public:
    Scanner(const QString& tekst, const QString& sleutelwoorden) : tekst_(tekst), sleutelwoorden_(sleutelwoorden) {}

    std::vector<KleurBereik> Scannen()
    {
        const int n = static_cast<int>(tekst_.size());
        int woordStart = 1;
        bool inHaken = false;
        QChar openAanhaling;  // null when no literal is open
        int literalStart = 0;
        for (int i = 1; i <= n; ++i) {
            const QChar c = tekst_[i - 1];
            if (c == u'[') {
                inHaken = true;
            } else if (c == u']' && inHaken) {
                inHaken = false;
                woordStart = i + 1;
            }
            if (inHaken) continue;
            if (IsAanhalingsteken(c)) {
                if (!openAanhaling.isNull() && c == openAanhaling) {
                    bereiken_.push_back({literalStart - 1, i - literalStart + 1, KleurLiteral});
                    openAanhaling = QChar();
                    woordStart = i + 1;
                } else if (openAanhaling.isNull()) {
                    openAanhaling = c;
                    literalStart = i;
                }
            } else if (openAanhaling.isNull() && IsScheiding(c)) {
                WoordKleuren(woordStart, i - 1);
                woordStart = i + 1;
            }
        }
        // An unclosed literal leaves it and everything after it black.
        if (openAanhaling.isNull()) WoordKleuren(woordStart, n + 1);
        return std::move(bereiken_);
    }

private:
    // start and end are 1-based, end inclusive; the word is cut off at the end of the text.
    void WoordKleuren(int start, int end)
    {
        const int lengte = std::min(end, static_cast<int>(tekst_.size())) - start + 1;
        if (lengte <= 0) return;
        const QString woord = tekst_.mid(start - 1, lengte).toUpper();
        if (sleutelwoorden_.contains(u'#' + woord + u'#', Qt::CaseSensitive))
            bereiken_.push_back({start - 1, lengte, KleurSleutelwoord});
    }

    const QString& tekst_;
    const QString& sleutelwoorden_;
    std::vector<KleurBereik> bereiken_;
};

}  // namespace

std::vector<KleurBereik> Kleurscan(const QString& tekst, const QString& sleutelwoorden)
{
    return Scanner(tekst, sleutelwoorden).Scannen();
}

}  // namespace querimo::editor
