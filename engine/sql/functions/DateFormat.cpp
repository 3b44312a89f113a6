#include "sql/functions/DateFormat.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "core/DateTime.h"
#include "core/Text.h"
#include "sql/functions/CalendarNames.h"
#include "sql/functions/DateMath.h"
#include "sql/functions/FormatSections.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

struct Token {
    char letter;  // lower case; 0 for literal text, 'p' for an AM/PM marker
    int count = 0;
    std::string text = {};  // literal text, or the AM/PM marker as written
};

std::vector<Token> tokenize(std::string_view format)
{
    static constexpr std::string_view markers[] = {"am/pm", "a/p", "ampm"};
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < format.size();) {
        bool marker = false;
        for (const std::string_view m : markers) {
            if (i + m.size() <= format.size() && text::equalsIgnoreCase(format.substr(i, m.size()), m)) {
                tokens.push_back({'p', 0, std::string(format.substr(i, m.size()))});
                i += m.size();
                marker = true;
                break;
            }
        }
        if (marker) continue;
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
        if (std::string_view("dwmqyhnstc").find(lower) != std::string_view::npos) {
            int count = 0;
            while (i < format.size() && std::tolower(static_cast<unsigned char>(format[i])) == lower) {
                ++count;
                ++i;
            }
            // A run longer than the letter's longest form repeats it: "nnnn" is the minutes twice.
            const int longest = std::string_view("hnsw").find(lower) != std::string_view::npos ? 2
                                : lower == 'q' || lower == 'c'                                 ? 1
                                                                                               : count;
            for (; count > longest; count -= longest) tokens.push_back({lower, longest});
            tokens.push_back({lower, count});
            continue;
        }
        tokens.push_back({0, 0, nextFormatChar(format, i).text});
    }
    return tokens;
}

// m and mm mean minutes right after an hour or right before seconds.
void markMinutes(std::vector<Token>& tokens)
{
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].letter != 'm' || tokens[i].count > 2) continue;
        const auto neighbour = [&](std::size_t from, int step) -> char {
            for (std::size_t j = from; j < tokens.size(); j += step)
                if (tokens[j].letter) return tokens[j].letter;
            return 0;
        };
        const char before = i > 0 ? neighbour(i - 1, -1) : 0;
        const char after = neighbour(i + 1, 1);
        if (before == 'h' || after == 's') tokens[i].letter = 'n';
    }
}

std::string twoDigits(int v)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", v);
    return buffer;
}

std::string amPm(const std::string& written, int hour)
{
    const bool pm = hour >= 12;
    if (text::equalsIgnoreCase(written, "ampm")) return pm ? "PM" : "AM";
    const std::size_t slash = written.find('/');
    return pm ? written.substr(slash + 1) : written.substr(0, slash);
}

}  // namespace

std::string formatDate(double date, std::string_view format, int firstDayOfWeek, int firstWeekOfYear)
{
    std::vector<Token> tokens = tokenize(format);
    markMinutes(tokens);
    bool twelveHour = false;
    for (const Token& t : tokens) twelveHour = twelveHour || t.letter == 'p';

    const datetime::Civil c = datetime::toCivil(date);
    const int hour = twelveHour ? (c.hour % 12 == 0 ? 12 : c.hour % 12) : c.hour;
    const int weekday = weekdayFrom(date, 1);
    std::string out;
    for (const Token& t : tokens) {
        const bool one = t.count == 1;
        switch (t.letter) {
        case 0: out += t.text; break;
        case 'p': out += amPm(t.text, c.hour); break;
        case 'c': out += dateText(date); break;
        case 'd':
            if (t.count <= 2)
                out += one ? std::to_string(c.day) : twoDigits(c.day);
            else if (t.count <= 4)
                out += weekdayName(weekday, t.count == 3);
            else if (t.count == 5)
                out += shortDateText(date);
            else
                out += formatDate(date, "dddd, mmmm d, yyyy", firstDayOfWeek, firstWeekOfYear);
            break;
        case 'w':
            out += std::to_string(one ? weekdayFrom(date, firstDayOfWeek)
                                      : weekOfYear(date, firstDayOfWeek, firstWeekOfYear));
            break;
        case 'm':
            if (t.count <= 2)
                out += one ? std::to_string(c.month) : twoDigits(c.month);
            else
                out += monthName(c.month, t.count == 3);
            break;
        case 'q': out += std::to_string((c.month - 1) / 3 + 1); break;
        case 'y':
            if (one)
                out += std::to_string(dayOf(date) - static_cast<std::int64_t>(datetime::serialDay(c.year, 1, 1)) + 1);
            else if (t.count == 2)
                out += twoDigits(c.year % 100);
            else
                out += std::to_string(c.year);
            break;
        case 'h': out += one ? std::to_string(hour) : twoDigits(hour); break;
        case 'n': out += one ? std::to_string(c.minute) : twoDigits(c.minute); break;
        case 's': out += one ? std::to_string(c.second) : twoDigits(c.second); break;
        case 't': out += t.count == 5 ? longTimeText(date) : std::string(static_cast<std::size_t>(t.count), 't'); break;
        }
    }
    return out;
}

}  // namespace querimo::sql::functions
