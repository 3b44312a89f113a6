#include "sql/functions/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "sql/functions/FormatSections.h"
#include "sql/functions/FunctionArgs.h"
#include "sql/functions/RegionalNumbers.h"

namespace querimo::sql::functions {

namespace {

struct Piece {
    enum Kind { Literal, IntDigit, Point, FracDigit, Exponent } kind;
    std::string text = {};  // Literal: the text; digits: "0" or "#"; Exponent: "E+", "e-", ...
};

struct Section {
    std::string point, group;  // the region's separators, shown for "." and ","
    std::vector<Piece> pieces;
    std::vector<char> intDigits, fracDigits;  // '0' or '#', in order
    bool grouping = false;
    int thousandsScale = 0;
    int percents = 0;
    int exponentDigits = 0;  // minimum digits of the exponent; -1 without an exponent
};

Section parseSection(std::string_view format)
{
    const Region region = currentRegion();
    Section s;
    s.point = region.point;
    s.group = region.group;
    s.exponentDigits = -1;
    bool afterPoint = false;
    int pendingCommas = 0;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        const FormatChar fc = nextFormatChar(format, i);
        if (fc.quoted) {
            s.pieces.push_back({Piece::Literal, fc.text});
        } else if (c == '0' || c == '#') {
            if (s.exponentDigits >= 0) {
                ++s.exponentDigits;
            } else if (afterPoint) {
                s.fracDigits.push_back(c);
                s.pieces.push_back({Piece::FracDigit, fc.text});
            } else {
                if (pendingCommas && !s.intDigits.empty()) s.grouping = true;
                pendingCommas = 0;
                s.intDigits.push_back(c);
                s.pieces.push_back({Piece::IntDigit, fc.text});
            }
        } else if (c == '.' && !afterPoint && s.exponentDigits < 0) {
            afterPoint = true;
            s.pieces.push_back({Piece::Point});
        } else if (c == ',' && !afterPoint && s.exponentDigits < 0) {
            ++pendingCommas;
        } else if ((c == 'E' || c == 'e') && i < format.size() && (format[i] == '+' || format[i] == '-')
                   && s.exponentDigits < 0) {
            s.pieces.push_back({Piece::Exponent, std::string{c, format[i]}});
            s.exponentDigits = 0;
            ++i;
        } else if (c == '!') {
            // aligns text placeholders; a number has none
        } else {
            if (c == '%') ++s.percents;
            s.pieces.push_back({Piece::Literal, fc.text});
        }
    }
    if (!s.intDigits.empty()) s.thousandsScale = pendingCommas;  // "0," shows thousands
    return s;
}

// A non-negative value rounded half away from zero to `decimals` places, as decimal digits. Only the first
// 15 significant digits count, so 0.125 (a hair below in binary) still rounds up as written.
struct Digits {
    std::string whole;     // no leading zeros; empty for zero
    std::string fraction;  // exactly `decimals` digits
    bool zero() const { return whole.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

Digits roundedDigits(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string mantissa(1, buffer[0]);
    mantissa.append(buffer + 2, 14);
    const int beforePoint = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    const int keep = beforePoint + decimals;
    std::string n = keep > 0 ? mantissa.substr(0, static_cast<std::size_t>(std::min(keep, 15))) : std::string();
    if (keep > 15) n.append(static_cast<std::size_t>(keep - 15), '0');
    if (keep >= 0 && keep < 15 && mantissa[static_cast<std::size_t>(keep)] >= '5') {
        std::size_t i = n.size();
        while (i > 0 && n[i - 1] == '9') n[--i] = '0';
        if (i == 0)
            n.insert(n.begin(), '1');
        else
            ++n[i - 1];
    }
    if (n.size() < static_cast<std::size_t>(decimals) + 1) n.insert(0, decimals + 1 - n.size(), '0');
    Digits d{n.substr(0, n.size() - decimals), n.substr(n.size() - decimals)};
    d.whole.erase(0, d.whole.find_first_not_of('0') == std::string::npos ? d.whole.size()
                                                                         : d.whole.find_first_not_of('0'));
    return d;
}

std::string grouped(const std::string& digits, const std::string& separator)
{
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

// The integer placeholders' texts: digits fill from the right, extra digits go to the first placeholder.
std::vector<std::string> integerSlots(const Section& s, const std::string& whole)
{
    std::vector<std::string> slots(s.intDigits.size());
    std::size_t next = whole.size();
    for (std::size_t j = slots.size(); j-- > 0;) {
        if (next > 0)
            slots[j].push_back(whole[--next]);
        else if (s.intDigits[j] == '0')
            slots[j].push_back('0');
    }
    if (!slots.empty() && next > 0) slots[0] = whole.substr(0, next) + slots[0];
    if (s.grouping && !slots.empty()) {
        std::string all;
        for (std::string& slot : slots) all += std::exchange(slot, {});
        slots[0] = grouped(all, s.group);
    }
    return slots;
}

struct Rendered {
    std::string text;
    bool zero;
};

Rendered render(const Section& s, double value)
{
    double x = value * std::pow(100.0, s.percents) / std::pow(1000.0, s.thousandsScale);
    if (!std::isfinite(x)) throwOverflow("Format");
    const int decimals = static_cast<int>(s.fracDigits.size());
    int exponent = 0;
    if (s.exponentDigits >= 0 && x != 0) {
        const int wholeDigits = std::max<int>(1, static_cast<int>(s.intDigits.size()));
        exponent = static_cast<int>(std::floor(std::log10(x))) - (wholeDigits - 1);
        if (static_cast<int>(roundedDigits(x / std::pow(10.0, exponent), decimals).whole.size()) > wholeDigits)
            ++exponent;
        x /= std::pow(10.0, exponent);
    }
    if (!std::isfinite(x)) throwOverflow("Format");
    const Digits d = roundedDigits(x, decimals);
    const std::vector<std::string> slots = integerSlots(s, d.whole);

    // Trailing zeros under '#' placeholders are left out.
    std::size_t fracShown = d.fraction.size();
    while (fracShown > 0 && s.fracDigits[fracShown - 1] == '#' && d.fraction[fracShown - 1] == '0') --fracShown;

    std::string out;
    std::size_t intIndex = 0, fracIndex = 0;
    for (const Piece& p : s.pieces) {
        switch (p.kind) {
        case Piece::Literal: out += p.text; break;
        case Piece::IntDigit: out += slots[intIndex++]; break;
        case Piece::Point:
            if (s.intDigits.empty()) out += d.whole;
            out += s.point;
            break;
        case Piece::FracDigit:
            if (fracIndex < fracShown) out += d.fraction[fracIndex];
            ++fracIndex;
            break;
        case Piece::Exponent: {
            out += p.text[0];
            if (exponent < 0)
                out += '-';
            else if (p.text[1] == '+')
                out += '+';
            std::string digits = std::to_string(std::abs(exponent));
            if (digits.size() < static_cast<std::size_t>(s.exponentDigits))
                digits.insert(0, s.exponentDigits - digits.size(), '0');
            out += digits;
            break;
        }
        }
    }
    return {out, d.zero()};
}

}  // namespace

std::string formatNumber(double value, std::string_view format)
{
    const std::vector<std::string_view> sections = formatSections(format);
    // A value that shows as zero in its own section takes the zero section when there is one.
    const bool zeroSection = sections.size() >= 3 && !sections[2].empty();
    if (value != 0 || !zeroSection) {
        const bool negativeSection = value < 0 && sections.size() >= 2 && !sections[1].empty();
        const Rendered r = render(parseSection(sections[negativeSection ? 1 : 0]), std::fabs(value));
        if (!r.zero || !zeroSection) return value < 0 && !negativeSection && !r.zero ? "-" + r.text : r.text;
    }
    return render(parseSection(sections[2]), 0).text;
}

std::optional<std::string> formatNullSection(std::string_view format)
{
    const std::vector<std::string_view> sections = formatSections(format);
    if (sections.size() < 4) return std::nullopt;
    return render(parseSection(sections[3]), 0).text;
}

}  // namespace querimo::sql::functions
