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

}  // namespace

std::string textKey(std::string_view s)
{
    std::string key;
    key.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) text::appendUtf8(key, fold(text::decodeUtf8(s, i)));
    return key;
}

int compareText(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (ca < 0x80 && cb < 0x80) {  // the common case without decoding
            const int la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
            const int lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
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

namespace {

int collate(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareText(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
                       std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)));
}

}  // namespace

void registerTextCollation(sqlite3* db)
{
    sqlite3_create_collation_v2(db, textCollation, SQLITE_UTF8, nullptr, collate, nullptr);
}

}  // namespace querimo::sql
