#include "jet/tables/IndexKeyText.h"

#include <vector>

#include "core/Text.h"
#include "jet/tables/sortorder/SortOrder.h"

namespace querimo::jet {

namespace {

using sortorder::Kind;

// Index keys hold at most this many characters (UTF-16 units in Jet 4) of a text value; trailing spaces
// do not count.
constexpr std::size_t maxKeyCharacters = 255;

// A sort key over the whole text has no length limit.
constexpr std::size_t wholeText = static_cast<std::size_t>(-1);

template <typename Units>
void trimForKey(Units& units, std::size_t limit)
{
    if (units.size() > limit) units.resize(limit);
    while (!units.empty() && units.back() == ' ') units.pop_back();
}

void invert(std::string& key, std::size_t from)
{
    for (std::size_t i = from; i < key.size(); ++i) key[i] = static_cast<char>(~static_cast<unsigned char>(key[i]));
}

void appendBigEndian(std::string& out, std::uint64_t value, std::size_t bytes)
{
    for (std::size_t i = bytes; i-- > 0;) out += static_cast<char>((value >> (8 * i)) & 0xFF);
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

// Access 97: text codes per Windows-1252 byte, then the accent nibbles or a single 00.
std::optional<char32_t> appendJet3(std::string& key, std::string_view utf8, std::size_t limit)
{
    std::u32string chars;
    for (std::size_t pos = 0; pos < utf8.size();) chars += text::decodeUtf8(utf8, pos);
    trimForKey(chars, limit);
    Nibbles accents;
    bool anyAccent = false;
    int accentablesSince = 0;
    for (char32_t c : chars) {
        std::string one;
        text::appendUtf8(one, c);
        const std::string cp = text::toWindows1252(one);
        if (cp.size() != 1 || (cp[0] == '?' && c != U'?')) return c;
        const sortorder::Codes97& code = sortorder::general97(static_cast<unsigned char>(cp[0]));
        if (code.kind == Kind::Ignored) continue;
        key += static_cast<char>(code.first);
        if (code.second != 0) key += static_cast<char>(code.second);
        if (code.kind == Kind::Accentable) {
            ++accentablesSince;
        } else if (code.kind == Kind::Accented) {
            if (!anyAccent) accents.add(0);
            anyAccent = true;
            for (; accentablesSince > 0; --accentablesSince) accents.add(2);
            accents.add(code.accent);
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

std::u16string jet4Units(std::string_view utf8, std::size_t limit)
{
    std::u16string units;
    for (std::size_t pos = 0; pos < utf8.size() && units.size() <= limit;) {
        const char32_t c = text::decodeUtf8(utf8, pos);
        if (c >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(c);
        }
    }
    trimForKey(units, limit);
    return units;
}

// The parts of an Access 2000-2003 key after the text codes, gathered while the text codes are written.
class Jet4Tail {
public:
    // A character with text codes taking `positions` sort elements, and its accent codes if it has any.
    void text(const sortorder::LegacyCodes& code)
    {
        if (code.accentLength != 0) {
            fillTo(position_);
            appendBigEndian(accents_, code.accents, code.accentLength);
            covered_ = position_ + code.positions;
        }
        position_ += code.positions;
        if (code.kind == Kind::Kana) kana_.push_back(code.kana);
    }

    // A combining mark adds to the accent code before it, or stands alone at the front.
    void accentModifier(std::uint8_t modifier)
    {
        fillTo(position_);
        if (accents_.empty())
            accents_ += static_cast<char>(modifier);
        else
            accents_.back() = static_cast<char>(static_cast<unsigned char>(accents_.back()) + modifier);
    }

    // Hyphens, apostrophes and control characters are recorded with where they stood among the sort elements.
    void unprintable(std::uint8_t code)
    {
        const auto at = static_cast<std::uint32_t>(0x8000 | (7 + 4 * position_));
        appendBigEndian(unprintables_, at, 2);
        unprintables_ += '\x06';
        unprintables_ += static_cast<char>(code);
    }

    // 01, the accent codes without trailing placeholders; then, when there are kana or unprintable
    // characters, 01 01, the kana codes three to a byte with their fixed suffix, and 01 and the
    // unprintable codes; then 00.
    void appendTo(std::string& key)
    {
        key += '\x01';
        while (!accents_.empty() && static_cast<unsigned char>(accents_.back()) <= 0x02) accents_.pop_back();
        key += accents_;
        if (!kana_.empty() || !unprintables_.empty()) {
            key += "\x01\x01";
            if (!kana_.empty()) {
                appendKana(key);
                if (!unprintables_.empty()) key += '\xFF';
            }
            if (!unprintables_.empty()) key += '\x01' + unprintables_;
        }
        key += '\0';
    }

private:
    void fillTo(std::size_t position)
    {
        for (; covered_ < position; ++covered_) accents_ += '\x02';
    }

    void appendKana(std::string& key)
    {
        // Trailing 3s (the common kana code) are left out.
        while (!kana_.empty() && kana_.back() == 3) kana_.pop_back();
        for (std::size_t i = 0; i < kana_.size(); i += 3) {
            std::uint8_t byte = 0x80;
            for (std::size_t j = 0; j < 3 && i + j < kana_.size(); ++j)
                byte = static_cast<std::uint8_t>(byte | kana_[i + j] << (2 * (2 - j)));
            key += static_cast<char>(byte);
        }
        key += "\xFF\x02\x80\xFF\x80";
    }

    std::string accents_;
    std::string unprintables_;
    std::vector<std::uint8_t> kana_;
    std::size_t position_ = 0;  // sort elements written so far
    std::size_t covered_ = 0;   // sort elements the accent codes cover
};

// Access 2000-2007 and the newer order of Access 2010 build keys alike from codes of their own.
void appendJet4(std::string& key, std::string_view utf8, sortorder::LegacyCodes (*codesOf)(char16_t), std::size_t limit)
{
    Jet4Tail tail;
    for (char16_t unit : jet4Units(utf8, limit)) {
        const sortorder::LegacyCodes code = codesOf(unit);
        switch (code.kind) {
        case Kind::Ignored:
        case Kind::Accentable: break;
        case Kind::Unprintable: tail.unprintable(static_cast<std::uint8_t>(code.text)); break;
        case Kind::AccentModifier: tail.accentModifier(static_cast<std::uint8_t>(code.accents)); break;
        case Kind::Plain:
        case Kind::Accented:
        case Kind::Kana:
            appendBigEndian(key, code.text, code.textLength);
            tail.text(code);
            break;
        }
    }
    tail.appendTo(key);
}

}  // namespace

std::optional<char32_t> appendTextKey(std::string& key, Version version, Collation collation, std::string_view utf8,
                                      bool ascending)
{
    const std::size_t start = key.size();
    if (version == Version::Jet3) {
        if (const auto failed = appendJet3(key, utf8, maxKeyCharacters)) return failed;
    } else {
        appendJet4(key, utf8, collation == Collation::General2010 ? sortorder::general2010 : sortorder::generalLegacy,
                   maxKeyCharacters);
    }
    if (!ascending) {
        invert(key, start);
        // Jet 4 closes a descending text value with one more (uninverted) end byte.
        if (version == Version::Jet4) key += '\0';
    }
    return std::nullopt;
}

std::string textSortKey(TextOrder order, std::string_view utf8)
{
    std::string key;
    switch (order) {
    case TextOrder::General97:
        if (appendJet3(key, utf8, wholeText)) {
            // Such a text cannot be in a Jet 3 row; above every code, so that the order stays total.
            std::string after(1, '\xFF');
            after.append(utf8.begin(), utf8.end());
            return after;
        }
        break;
    case TextOrder::General: appendJet4(key, utf8, sortorder::generalLegacy, wholeText); break;
    case TextOrder::General2010: appendJet4(key, utf8, sortorder::general2010, wholeText); break;
    case TextOrder::Unknown: break;
    }
    return key;
}

}  // namespace querimo::jet
