#include "sql/functions/DateParse.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "core/DateTime.h"
#include "sql/functions/CalendarNames.h"

namespace querimo::sql {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

// A date/time text split into numbers, words (month names, AM/PM) and the separators between them.
struct Token {
    enum Kind { Number, Word, Separator } kind;
    std::string text;
    int digits = 0;
    long value = 0;
};

std::optional<std::vector<Token>> tokenize(std::string_view s)
{
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isdigit(c)) {
            Token t{Token::Number, {}};
            while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && t.digits < 9) {
                t.value = t.value * 10 + (s[i] - '0');
                t.text += s[i++];
                ++t.digits;
            }
            if (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
            tokens.push_back(t);
        } else if (std::isalpha(c)) {
            Token t{Token::Word, {}};
            while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])))
                t.text += static_cast<char>(std::tolower(static_cast<unsigned char>(s[i++])));
            tokens.push_back(t);
        } else if (c == '/' || c == '-' || c == ':' || c == ',' || c == '.' || isSpace(c)) {
            std::string sep;
            while (i < s.size()
                   && (s[i] == '/' || s[i] == '-' || s[i] == ':' || s[i] == ',' || s[i] == '.' || isSpace(s[i]))) {
                if (!isSpace(s[i])) sep += s[i];
                ++i;
            }
            tokens.push_back({Token::Separator, sep.empty() ? " " : sep});
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

int fullYear(const Token& t)
{
    if (t.digits <= 2) return t.value < 30 ? 2000 + static_cast<int>(t.value) : 1900 + static_cast<int>(t.value);
    return static_cast<int>(t.value);
}

bool validDay(int year, int month, int day)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    return datetime::serialDay(year, month, day) < datetime::serialDay(year, month + 1, 1);
}

struct DateParts {
    int year, month, day;
};

int currentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// Numbers and month names of the date part, in the order written.
std::optional<DateParts> readDate(const std::vector<Token>& parts)
{
    std::vector<const Token*> numbers;
    int monthByName = 0;
    for (const Token* t = parts.data(); t != parts.data() + parts.size(); ++t) {
        if (t->kind == Token::Number) {
            numbers.push_back(t);
        } else {
            if (monthByName) return std::nullopt;
            monthByName = monthFromName(t->text);
            if (!monthByName) return std::nullopt;
        }
    }
    if (monthByName) {
        // "31-Dec-2003", "Dec 31, 2003", "December 2003" is not a date Access accepts without a day.
        if (numbers.size() == 1) return DateParts{currentYear(), monthByName, static_cast<int>(numbers[0]->value)};
        if (numbers.size() != 2) return std::nullopt;
        const bool yearFirst = numbers[0]->digits > 2;
        const Token& day = yearFirst ? *numbers[1] : *numbers[0];
        const Token& year = yearFirst ? *numbers[0] : *numbers[1];
        if (day.digits > 2) return std::nullopt;
        return DateParts{fullYear(year), monthByName, static_cast<int>(day.value)};
    }
    if (numbers.size() == 2) {
        if (numbers[0]->digits > 2 || numbers[1]->digits > 2) return std::nullopt;
        return DateParts{currentYear(), static_cast<int>(numbers[0]->value), static_cast<int>(numbers[1]->value)};
    }
    if (numbers.size() != 3) return std::nullopt;
    if (numbers[0]->digits > 2)  // ISO order
        return DateParts{fullYear(*numbers[0]), static_cast<int>(numbers[1]->value),
                         static_cast<int>(numbers[2]->value)};
    if (numbers[1]->digits > 2) return std::nullopt;
    return DateParts{fullYear(*numbers[2]), static_cast<int>(numbers[0]->value), static_cast<int>(numbers[1]->value)};
}

std::optional<double> readTime(const std::vector<Token>& parts)
{
    std::vector<long> numbers;
    int meridiem = 0;  // 1 = AM, 2 = PM
    for (const Token& t : parts) {
        if (t.kind == Token::Number) {
            if (meridiem || t.digits > 2) return std::nullopt;
            numbers.push_back(t.value);
        } else if (t.text == "am" || t.text == "a") {
            meridiem = 1;
        } else if (t.text == "pm" || t.text == "p") {
            meridiem = 2;
        } else {
            return std::nullopt;
        }
    }
    if (numbers.empty() || numbers.size() > 3 || (numbers.size() == 1 && !meridiem)) return std::nullopt;
    long hour = numbers[0];
    const long minute = numbers.size() > 1 ? numbers[1] : 0, second = numbers.size() > 2 ? numbers[2] : 0;
    if (meridiem) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

}  // namespace

std::optional<double> parseAccessDate(std::string_view text)
{
    text = trimmed(text);
    if (text.size() >= 2 && text.front() == '#' && text.back() == '#') text = trimmed(text.substr(1, text.size() - 2));
    if (text.empty()) return std::nullopt;
    const auto tokens = tokenize(text);
    if (!tokens) return std::nullopt;

    // The time starts at the number before the first ':' or at an AM/PM word; everything before is the date.
    std::size_t timeStart = tokens->size();
    for (std::size_t i = 0; i < tokens->size(); ++i) {
        const Token& t = (*tokens)[i];
        if (t.kind == Token::Separator && t.text == ":" && i > 0) {
            timeStart = i - 1;
            break;
        }
        if (t.kind == Token::Word && (t.text == "am" || t.text == "pm" || t.text == "a" || t.text == "p")) {
            timeStart = i > 0 && (*tokens)[i - 1].kind == Token::Number ? i - 1 : i;
            if (i > 1 && (*tokens)[i - 1].kind == Token::Separator && (*tokens)[i - 2].kind == Token::Number)
                timeStart = i - 2;
            break;
        }
    }
    std::vector<Token> dateTokens, timeTokens;
    bool dotted = false;
    for (std::size_t i = 0; i < tokens->size(); ++i) {
        const Token& t = (*tokens)[i];
        if (t.kind == Token::Separator) {
            if (i >= timeStart && t.text != ":" && t.text != " ") return std::nullopt;
            dotted = dotted || t.text.find('.') != std::string::npos;
            continue;
        }
        (i < timeStart ? dateTokens : timeTokens).push_back(t);
    }
    double time = 0;
    if (!timeTokens.empty()) {
        const auto t = readTime(timeTokens);
        if (!t) return std::nullopt;
        time = *t;
    }
    if (dateTokens.empty()) return timeTokens.empty() ? std::nullopt : std::optional<double>(time);
    if (dotted && dateTokens.size() < 3) return std::nullopt;  // "1.5" is a number, not 5 January

    auto date = readDate(dateTokens);
    if (!date) return std::nullopt;
    if (!validDay(date->year, date->month, date->day)) {
        if (!validDay(date->year, date->day, date->month)) return std::nullopt;
        std::swap(date->month, date->day);
    }
    const double day = datetime::serialDay(date->year, date->month, date->day);
    return day < 0 ? day - time : day + time;
}

std::optional<double> parseAccessNumber(std::string_view text)
{
    text = trimmed(text);
    if (text.size() >= 2 && text[0] == '&') {
        const char radixChar = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
        const int radix = radixChar == 'H' ? 16 : radixChar == 'O' ? 8 : 0;
        if (!radix || text.size() == 2 || text.size() > 24) return std::nullopt;
        unsigned long long v = 0;
        for (const char c : text.substr(2)) {
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : std::isxdigit(static_cast<unsigned char>(c))
                                  ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                                  : 99;
            if (digit >= radix) return std::nullopt;
            v = v * radix + digit;
            if (v > 0xFFFFFFFFull) return std::nullopt;
        }
        // Like VBA literals: up to 16 bits is an Integer, up to 32 bits a Long, so &HFFFF is -1.
        if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(v));
        return static_cast<double>(static_cast<std::int32_t>(v));
    }
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            plain += c;
            digits = true;
        } else if (c == ',' && digits && !point) {
            continue;
        } else if (c == '.' && !point) {
            plain += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        bool exponentDigits = false;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            plain += text[i++];
            exponentDigits = true;
        }
        if (!exponentDigits) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    // from_chars reads "." whatever the C library's locale says; a leading "+" it does not take.
    const char* first = plain.data() + (plain.front() == '+' ? 1 : 0);
    double v = 0;
    const auto [end, error] = std::from_chars(first, plain.data() + plain.size(), v);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<double> parseRegionalNumber(std::string_view text)
{
    const std::lconv* conventions = std::localeconv();
    const std::string_view point = conventions && conventions->decimal_point ? conventions->decimal_point : ".";
    if (point.empty() || point == ".") return parseAccessNumber(text);
    const std::string_view grouping = conventions->thousands_sep && *conventions->thousands_sep
                                          ? std::string_view(conventions->thousands_sep)
                                          : std::string_view(point == "," ? "." : ",");
    std::string access;  // the same number written as Access reads it: "." for the decimals, "," between groups
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, point.size()) == point) {
            access += '.';
            i += point.size();
        } else if (text.substr(i, grouping.size()) == grouping) {
            access += ',';
            i += grouping.size();
        } else if (text[i] == '.' || text[i] == ',') {
            return std::nullopt;  // a separator this region does not use
        } else {
            access += text[i++];
        }
    }
    return parseAccessNumber(access);
}

}  // namespace querimo::sql
