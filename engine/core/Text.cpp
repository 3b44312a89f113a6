#include "core/Text.h"

#include <array>

namespace querimo::text {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes (kept as C1 controls).
constexpr std::array<char32_t, 32> cp1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t upper(char32_t c)
{
    if (c >= 'a' && c <= 'z') return c - 32;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c == 0x17F) return 'S';  // long s
    if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        const bool oddIsLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddIsLower ? (c % 2 == 0) : (c % 2 == 1)) return c - 1;
    }
    return c;
}

char32_t lower(char32_t c)
{
    if (c >= 'A' && c <= 'Z') return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        const bool oddIsLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddIsLower ? (c % 2 == 1) : (c % 2 == 0)) return c + 1;
    }
    return c;
}

template <typename Map>
std::string mapCodePoints(std::string_view s, Map map)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) appendUtf8(out, map(decodeUtf8(s, pos)));
    return out;
}

}  // namespace

char32_t foldCase(char32_t c)
{
    return upper(c);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[j]);
        if (x < 0x80 && y < 0x80) {  // names are mostly ASCII: no decoding for them
            if (foldCase(x) != foldCase(y)) return false;
            ++i;
            ++j;
        } else if (foldCase(decodeUtf8(a, i)) != foldCase(decodeUtf8(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

std::string foldedKey(std::string_view utf8)
{
    std::string key;
    key.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) appendUtf8(key, foldCase(decodeUtf8(utf8, i)));
    return key;
}

std::string toUpper(std::string_view utf8)
{
    return mapCodePoints(utf8, upper);
}
std::string toLower(std::string_view utf8)
{
    return mapCodePoints(utf8, lower);
}

char32_t decodeUtf8(std::string_view s, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (extra < 0 || pos + extra >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t c = extra == 0 ? b0 : (b0 & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        const unsigned char b = byte(pos + k);
        if ((b >> 6) != 2) {
            pos += k;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return c;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string fromUtf16le(const unsigned char* data, std::size_t byteCount)
{
    std::string out;
    out.reserve(byteCount / 2);
    for (std::size_t i = 0; i + 1 < byteCount; i += 2) {
        char32_t c = data[i] | (data[i + 1] << 8);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < byteCount) {
            const char32_t low = data[i + 2] | (data[i + 3] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string toUtf16le(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() * 2);
    const auto unit = [&](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = decodeUtf8(utf8, pos);
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return out;
}

std::string fromWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        const char32_t mapped = (b >= 0x80 && b < 0xA0) ? cp1252High[b - 0x80] : 0;
        appendUtf8(out, mapped ? mapped : b);
    }
    return out;
}

std::string toWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = decodeUtf8(utf8, pos);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < cp1252High.size(); ++i)
            if (cp1252High[i] == c) mapped = static_cast<char>(0x80 + i);
        if (c >= 0x80 && c < 0xA0 && cp1252High[c - 0x80] == 0) mapped = static_cast<char>(c);
        out += mapped;
    }
    return out;
}

}  // namespace querimo::text
