#include "jet/tables/IndexKeyText.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/Text.h"

namespace querimo::jet {

namespace {

// Index keys hold at most this many characters of a text value; trailing spaces do not count.
constexpr std::size_t maxKeyCharacters = 255;

struct Code {
    std::uint8_t first = 0;   // 0: no verified code
    std::uint8_t second = 0;  // a second inline byte for characters that sort as two letters (Æ, ß)
    std::uint8_t extra = 0;   // accent code, kept apart so accents only break ties
};

constexpr Code unknown{};

// Access 97, by Windows-1252 byte: the codes Access wrote for "AA<byte>AA" in testIndexCodesV1997.mdb.
// Bytes that file does not show (most of 0x80-0x9F) stay unknown.
constexpr std::array<Code, 256> general97 = {{
#include "jet/tables/sortorder/General97.inc"
}};

enum WideKind : std::uint8_t {
    Ignored,      // leaves no trace in the key
    Inline,       // one or two codes in the text, perhaps an accent code among the accents
    Unprintable,  // no code in the text: its code and position follow the accents
};

struct WideCode {
    char32_t character;
    WideKind kind;
    std::uint8_t first;   // the code of an unprintable character
    std::uint8_t second;  // 0: none
    std::uint8_t extra;   // accent code, 0: none
};

// Access 2000-2003, by character.
constexpr WideCode generalLegacy[] = {
#include "jet/tables/sortorder/GeneralLegacy.inc"
};

// In Access 97 keys an accent code only records how many "accentable" letters passed since the previous
// accent: the letters a, c, e, i, n, o, s, u and y (in either case), which have accented forms in
// Windows-1252 that sort under them.
bool accentable(std::uint8_t code)
{
    constexpr std::uint8_t letters[] = {0x60, 0x62, 0x66, 0x6A, 0x70, 0x72, 0x76, 0x78, 0x7D};
    return std::find(std::begin(letters), std::end(letters), code) != std::end(letters);
}

std::u32string keyCharacters(std::string_view utf8)
{
    std::u32string chars;
    std::size_t pos = 0;
    while (pos < utf8.size() && chars.size() < maxKeyCharacters) chars += text::decodeUtf8(utf8, pos);
    while (!chars.empty() && chars.back() == U' ') chars.pop_back();
    return chars;
}

void invert(std::string& key, std::size_t from)
{
    for (std::size_t i = from; i < key.size(); ++i) key[i] = static_cast<char>(~static_cast<unsigned char>(key[i]));
}

// Accent codes of Access 97 go in nibbles: 0, then per accented letter a placeholder 2 for every
// accentable letter since the previous one and its own code, then 0; padded to whole bytes.
class Nibbles {
public:
    void add(std::uint8_t nibble)
    {
        if (count_++ % 2 == 0)
            bytes_ += static_cast<char>(nibble << 4);
        else
            bytes_.back() = static_cast<char>(bytes_.back() | nibble);
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::size_t count_ = 0;
};

std::optional<char32_t> appendJet3(std::string& key, const std::u32string& chars)
{
    Nibbles accents;
    bool anyAccent = false;
    int accentablesSince = 0;
    for (char32_t c : chars) {
        std::string utf8;
        text::appendUtf8(utf8, c);
        const std::string cp = text::toWindows1252(utf8);
        if (cp.size() != 1 || (cp[0] == '?' && c != U'?')) return c;
        const Code& code = general97[static_cast<unsigned char>(cp[0])];
        if (code.first == 0) return c;
        key += static_cast<char>(code.first);
        if (code.second != 0) key += static_cast<char>(code.second);
        if (code.extra != 0) {
            if (!anyAccent) accents.add(0);
            anyAccent = true;
            for (; accentablesSince > 0; --accentablesSince) accents.add(2);
            accents.add(code.extra);
        } else if (code.second == 0 && accentable(code.first)) {
            ++accentablesSince;
        }
    }
    if (anyAccent) {
        accents.add(0);
        key += accents.bytes();
    } else {
        key += '\0';
    }
    return std::nullopt;
}

// The codes of the letters a to z.
bool isLetterCode(std::uint8_t code)
{
    return code >= 0x4A && code <= 0x78;
}

const WideCode* findWide(char32_t c)
{
    const auto* end = std::end(generalLegacy);
    const auto* at = std::lower_bound(std::begin(generalLegacy), end, c,
                                      [](const WideCode& w, char32_t wanted) { return w.character < wanted; });
    return at != end && at->character == c ? at : nullptr;
}

// Access 2000-2003: the text codes, 01, then per character with text codes up to the last accented one
// its accent code or the placeholder 02; when there are unprintable characters, 01 01 01 and per such
// character its position (after how many characters with text codes) and code; then 00.
std::optional<char32_t> appendJet4(std::string& key, const std::u32string& chars)
{
    std::string accents, unprintables;
    std::size_t lastAccent = 0, textCharacters = 0;
    for (char32_t c : chars) {
        const WideCode* code = findWide(c);
        if (!code) return c;
        if (code->kind == Unprintable) {
            const std::size_t position = 0x8000 | (7 + 4 * textCharacters);
            unprintables += static_cast<char>(position >> 8);
            unprintables += static_cast<char>(position & 0xFF);
            unprintables += '\x06';
            unprintables += static_cast<char>(code->first);
        }
        if (code->kind != Inline) continue;
        key += static_cast<char>(code->first);
        if (code->second != 0) key += static_cast<char>(code->second);
        // A letter that sorts as two letters (ß as ss, Æ as AE) counts as two characters.
        const bool twoLetters = isLetterCode(code->first) && isLetterCode(code->second);
        textCharacters += twoLetters ? 2 : 1;
        if (twoLetters) accents += '\x02';
        accents += static_cast<char>(code->extra != 0 ? code->extra : 0x02);
        if (code->extra != 0) lastAccent = accents.size();
    }
    key += '\x01';
    key += accents.substr(0, lastAccent);
    if (!unprintables.empty()) key += "\x01\x01\x01" + unprintables;
    key += '\0';
    return std::nullopt;
}

}  // namespace

std::optional<char32_t> appendTextKey(std::string& key, Version version, std::string_view utf8, bool ascending)
{
    const std::size_t start = key.size();
    const std::u32string chars = keyCharacters(utf8);
    const auto failed = version == Version::Jet3 ? appendJet3(key, chars) : appendJet4(key, chars);
    if (failed) return failed;
    if (!ascending) {
        invert(key, start);
        // Jet 4 closes a descending text value with one more (uninverted) end byte.
        if (version == Version::Jet4) key += '\0';
    }
    return std::nullopt;
}

}  // namespace querimo::jet
