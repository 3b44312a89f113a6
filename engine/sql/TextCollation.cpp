#include "sql/TextCollation.h"

#include "core/Text.h"
#include "sql/Compiler.h"

namespace querimo::sql {

namespace {

// Letter case folded, with ASCII letters in lower case so that punctuation sorts before letters.
char32_t fold(char32_t c)
{
    const char32_t f = text::foldCase(c);
    return f >= U'A' && f <= U'Z' ? f + 32 : f;
}

// Characters that every General order codes alone, one code each, in the order of their lower case ASCII:
// space, digits, letters (sortorder_test checks it).
bool plain(unsigned char c)
{
    return c == ' ' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

unsigned char lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

int sign(int n)
{
    return (n > 0) - (n < 0);
}

}  // namespace

std::string textKey(std::string_view s)
{
    std::string key;
    key.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) text::appendUtf8(key, fold(text::decodeUtf8(s, i)));
    return key;
}

int compareFolded(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (ca < 0x80 && cb < 0x80) {  // the common case without decoding
            const int la = lower(ca), lb = lower(cb);
            if (la != lb) return la < lb ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const char32_t fa = fold(text::decodeUtf8(a, i));
        const char32_t fb = fold(text::decodeUtf8(b, j));
        if (fa != fb) return fa < fb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

int compareSortKeys(std::string_view a, std::string_view b, jet::TextOrder order)
{
    if (order == jet::TextOrder::Unknown) return 0;
    // Each character adds its codes by itself: past a stretch the texts share, byte for byte or but for the
    // case of plain characters, the first plain characters that differ decide as they do in the keys.
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (ca == cb) continue;
        if (!plain(ca) || !plain(cb)) break;
        if (lower(ca) != lower(cb)) return lower(ca) < lower(cb) ? -1 : 1;
    }
    if (i == a.size() || i == b.size()) {
        // One ended: trailing spaces leave no codes; a plain character after them adds codes to the longer.
        const std::string_view rest = i == a.size() ? b.substr(i) : a.substr(i);
        const std::size_t shown = rest.find_first_not_of(' ');
        if (shown == std::string_view::npos) return 0;
        if (plain(static_cast<unsigned char>(rest[shown]))) return i == a.size() ? -1 : 1;
    }
    return sign(jet::textSortKey(order, a).compare(jet::textSortKey(order, b)));
}

int compareText(std::string_view a, std::string_view b, jet::TextOrder order)
{
    if (const int byKey = compareSortKeys(a, b, order)) return byKey;
    return compareFolded(a, b);
}

namespace {

int collate(void* order, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareText(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
                       std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)),
                       *static_cast<const jet::TextOrder*>(order));
}

}  // namespace

void registerTextCollation(sqlite3* db, jet::TextOrder order)
{
    sqlite3_create_collation_v2(db, textCollation, SQLITE_UTF8, new jet::TextOrder(order), collate,
                                [](void* p) { delete static_cast<jet::TextOrder*>(p); });
}

}  // namespace querimo::sql
