#include "support/Csv.h"

namespace querimo::test {

std::vector<CsvRow> parseCsv(std::string_view text, char delimiter)
{
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
            fieldStarted = true;
        } else if (c == delimiter) {
            endField();
            fieldStarted = true;  // a delimiter always opens the next field
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (c == '\r') ++i;
            endField();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !row.empty()) {
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<CsvRow> parseTabLines(std::string_view text)
{
    std::vector<CsvRow> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        CsvRow row;
        std::size_t fieldStart = start;
        for (;;) {
            const std::size_t tab = text.find('\t', fieldStart);
            if (tab == std::string_view::npos || tab > end) {
                row.emplace_back(text.substr(fieldStart, end - fieldStart));
                break;
            }
            row.emplace_back(text.substr(fieldStart, tab - fieldStart));
            fieldStart = tab + 1;
        }
        rows.push_back(std::move(row));
        start = end + 1;
    }
    return rows;
}

}  // namespace querimo::test
