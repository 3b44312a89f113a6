#include "jet/tables/TextKeyCase.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/Text.h"
#include "jet/tables/sortorder/SortOrder.h"

namespace querimo::jet {

namespace {

// Index keys hold at most this many characters of a text; trailing spaces leave no codes.
constexpr std::size_t maxKeyCharacters = 255;

// What one character puts in a key: its text codes, and everything it contributes (accents, position marks).
struct CharacterCodes {
    std::string text;
    std::string all;
};

std::optional<unsigned char> windows1252(char32_t c)
{
    std::string one;
    text::appendUtf8(one, c);
    const std::string cp = text::toWindows1252(one);
    if (cp.size() != 1 || (cp[0] == '?' && c != U'?')) return std::nullopt;
    return static_cast<unsigned char>(cp[0]);
}

std::optional<CharacterCodes> codesOf(Version version, Collation collation, char32_t c)
{
    using sortorder::Kind;
    CharacterCodes codes;
    if (version == Version::Jet3) {
        const auto byte = windows1252(c);
        if (!byte) return std::nullopt;
        const sortorder::Codes97& code = sortorder::general97(*byte);
        if (code.kind != Kind::Ignored) {
            codes.text += static_cast<char>(code.first);
            if (code.second != 0) codes.text += static_cast<char>(code.second);
        }
        codes.all = codes.text + static_cast<char>(code.kind) + static_cast<char>(code.accent);
        return codes;
    }
    if (c >= 0xD800 && c <= 0xDFFF) return std::nullopt;
    const auto unit = static_cast<char16_t>(c);
    const sortorder::LegacyCodes code =
        collation == Collation::General2010 ? sortorder::general2010(unit) : sortorder::generalLegacy(unit);
    if (code.kind == Kind::Plain || code.kind == Kind::Accented || code.kind == Kind::Kana)
        for (std::size_t i = code.textLength; i-- > 0;) codes.text += static_cast<char>((code.text >> (8 * i)) & 0xFF);
    codes.all = codes.text;
    for (const std::uint64_t part :
         {static_cast<std::uint64_t>(code.kind), std::uint64_t{code.positions}, code.text,
          std::uint64_t{code.accentLength}, std::uint64_t{code.accents}, std::uint64_t{code.kana}})
        codes.all += std::to_string(part) + ",";
    return codes;
}

enum : std::uint8_t { keyDiffers = 1, textDiffers = 2 };

// For every character of the Basic Multilingual Plane: whether a case form of it has another key, or other
// text codes. Characters without codes count as differing in both.
std::vector<std::uint8_t> caseFormDifferences(Version version, Collation collation)
{
    constexpr char32_t planeEnd = 0x10000;
    std::vector<std::uint8_t> differs(planeEnd, keyDiffers | textDiffers);
    std::unordered_map<char32_t, std::vector<char32_t>> forms;
    for (char32_t c = 0; c < planeEnd; ++c) forms[text::foldCase(c)].push_back(c);
    for (char32_t c = planeEnd; c <= 0x10FFFF; ++c)  // a form beyond the plane has no single code unit
        if (text::foldCase(c) < planeEnd) forms[text::foldCase(c)].push_back(c);
    for (const auto& [folded, characters] : forms) {
        std::uint8_t flags = 0;
        std::optional<CharacterCodes> first;
        for (const char32_t c : characters) {
            const std::optional<CharacterCodes> codes = c < planeEnd ? codesOf(version, collation, c) : std::nullopt;
            if (!codes) {
                // Jet 3 rows only hold Windows-1252: a form outside it never meets the others.
                if (version == Version::Jet3 && c < planeEnd && !windows1252(c)) continue;
                flags = keyDiffers | textDiffers;
                continue;
            }
            if (!first) first = codes;
            if (codes->all != first->all) flags |= keyDiffers;
            if (codes->text != first->text) flags |= textDiffers;
        }
        for (const char32_t c : characters)
            if (c < planeEnd && codesOf(version, collation, c)) differs[c] = flags;
    }
    return differs;
}

const std::vector<std::uint8_t>& differences(Version version, Collation collation)
{
    if (version == Version::Jet3) {
        static const std::vector<std::uint8_t> jet3 = caseFormDifferences(Version::Jet3, Collation::General);
        return jet3;
    }
    if (collation == Collation::General2010) {
        static const std::vector<std::uint8_t> newer = caseFormDifferences(Version::Jet4, Collation::General2010);
        return newer;
    }
    static const std::vector<std::uint8_t> jet4 = caseFormDifferences(Version::Jet4, Collation::General);
    return jet4;
}

bool formsDiffer(Version version, Collation collation, char32_t c, std::uint8_t how)
{
    return c >= 0x10000 || (differences(version, collation)[c] & how) != 0;
}

}  // namespace

bool keyCoversCaseForms(Version version, Collation collation, std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();)
        if (formsDiffer(version, collation, text::decodeUtf8(utf8, pos), keyDiffers)) return false;
    return true;
}

std::string caseFormTextCodes(Version version, Collation collation, std::string_view utf8, bool ascending)
{
    std::vector<char32_t> start;
    for (std::size_t pos = 0; pos < utf8.size() && start.size() < maxKeyCharacters;) {
        const char32_t c = text::decodeUtf8(utf8, pos);
        if (formsDiffer(version, collation, c, textDiffers)) break;
        start.push_back(c);
    }
    // A space the text ends with may be the end of a row's text too, where the key leaves it out.
    while (!start.empty() && start.back() == U' ') start.pop_back();
    std::string codes;
    for (const char32_t c : start) codes += codesOf(version, collation, c)->text;
    if (!ascending)
        for (char& b : codes) b = static_cast<char>(~static_cast<unsigned char>(b));
    return codes;
}

}  // namespace querimo::jet
