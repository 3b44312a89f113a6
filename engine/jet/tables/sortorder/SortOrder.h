#pragma once
#include <cstdint>

namespace querimo::jet::sortorder {

// What a character contributes to a text index key in the General sort order.
enum class Kind : std::uint8_t {
    Ignored,         // leaves no trace in the key
    Plain,           // text codes only
    Accented,        // text codes, and accent codes that only break ties
    Unprintable,     // no text codes: its code and position follow the accents (hyphen, apostrophe)
    AccentModifier,  // a combining mark: added to the accent code of what it follows
    Kana,            // text codes, perhaps accent codes, and a kana code (hiragana, katakana)
    Accentable,      // Access 97: a letter that has accented forms sorting under it
};

// Access 2000-2003 codes of one UTF-16 unit; the newer General order of Access 2010 has codes of the same kinds.
struct LegacyCodes {
    Kind kind = Kind::Ignored;
    std::uint8_t positions = 0;   // sort elements of the text codes: ß and Æ take two, like "ss" and "ae"
    std::uint8_t textLength = 0;  // bytes of text codes (Unprintable: 1, its code); at most 8
    std::uint64_t text = 0;       // big-endian
    std::uint8_t accentLength = 0;
    std::uint32_t accents = 0;  // big-endian, one byte per position
    std::uint8_t kana = 0;
};

LegacyCodes generalLegacy(char16_t unit);
// The newer General sort order (Access 2010 and later).
LegacyCodes general2010(char16_t unit);

// Access 97 codes of one Windows-1252 byte.
struct Codes97 {
    Kind kind = Kind::Ignored;
    std::uint8_t first = 0;
    std::uint8_t second = 0;  // 0: none
    std::uint8_t accent = 0;  // 0: none
};

const Codes97& general97(unsigned char byte);

}  // namespace querimo::jet::sortorder
