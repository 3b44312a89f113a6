#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace querimo::test {

using CsvRow = std::vector<std::string>;

// Splits RFC 4180 text (quoted fields with doubled quotes; rows ended by LF or CR LF) into rows of fields.
std::vector<CsvRow> parseCsv(std::string_view text, char delimiter = ',');

// Splits plain lines of TAB-separated fields (the form of querimo-sql's listings).
std::vector<CsvRow> parseTabLines(std::string_view text);

}  // namespace querimo::test
