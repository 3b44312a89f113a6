#pragma once
// Databases the dump tests carry over, and the rows they must arrive with: querimo-sql --export's lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "jet_test_files.h"
#include "support/Process.h"

namespace querimo::test {

// Access-made files of the corpus dumped besides the ones our writer makes (Jet 3 and Jet 4).
inline const std::vector<std::string>& dumpedCorpusFiles()
{
    static const std::vector<std::string> names{"northwind-jet4.mdb", "testV1997.mdb",
                                                "testV2000.mdb",      "test2V1997.mdb",
                                                "indexTestV2000.mdb", "fixedNumericTestV2000.mdb"};
    return names;
}

// The rows of a table as querimo-sql --export writes them (TAB form, header left out), sorted: a dump need
// not keep the order of rows.
inline std::vector<std::string> exportedRows(const std::string& database, const std::string& table)
{
    const ProcessResult exported = runProcess({querimoSqlPath(), database, "--export", table});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    std::vector<std::string> lines;
    std::size_t start = exported.out.find('\n');
    while (start != std::string::npos && start + 1 < exported.out.size()) {
        const std::size_t end = exported.out.find('\n', start + 1);
        lines.push_back(exported.out.substr(start + 1, end - start - 1));
        start = end;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

inline std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

inline std::vector<std::string> sortedLines(const std::string& text)
{
    std::vector<std::string> lines = textLines(text);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The user tables of a database file.
inline std::vector<jet::TableDef> userTables(const std::string& database)
{
    jet::OpenOptions options;
    options.path = database;
    const auto db = jet::Database::open(options);
    std::vector<jet::TableDef> tables;
    for (const jet::CatalogEntry& entry : db->catalog())
        if (entry.kind == jet::ObjectKind::Table) tables.push_back(db->table(entry.name));
    return tables;
}

// A database of values at the edges of what Access holds: exact currency and decimals, dates from the year 100
// to 9999, text beyond the Basic Multilingual Plane and with the characters export escapes, every byte value.
inline std::string edgeValuesDatabase(const ScratchDir& scratch)
{
    const std::string path = scratch.database(
        jet::Version::Jet4,
        {"CREATE TABLE [Waarden met spatie] (Nr COUNTER CONSTRAINT pk PRIMARY KEY, Bedrag CURRENCY, "
         "Exact DECIMAL(28, 6), Datum DATETIME, [select] TEXT(100), Lang MEMO, Bytes LONGBINARY, Kort BINARY(8), "
         "Id GUID, Klein SINGLE, Groot DOUBLE, Vlag YESNO, Piep BYTE, Half SHORT)",
         "CREATE UNIQUE INDEX uniekId ON [Waarden met spatie] (Id)"});
    jet::OpenOptions options;
    options.path = path;
    const auto db = jet::Database::open(options);
    const jet::TableDef& table = db->table("Waarden met spatie");
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    db->beginStatement();
    db->insertRow(table, {Value::null(), Value::currency(INT64_MAX), Value::decimal("1234567890123456789012.345678"),
                          Value::dateTime(-657434.0), Value::text("tab\there, new\nline \\ back\r😀 ĳ"),
                          Value::text(std::string(5000, 'x') + "€"), Value::binary(everyByte),
                          Value::binary(std::string("\0\1\2\3", 4)),
                          Value::guid("{0123ABCD-4567-89EF-0123-456789ABCDEF}"), Value::single(0.1f),
                          Value::dbl(0.1 + 0.2), Value::boolean(true), Value::byte(255), Value::int16(-32768)});
    db->insertRow(table, {Value::null(), Value::currency(INT64_MIN + 1), Value::decimal("-0.000001"),
                          Value::dateTime(2958465.999988426), Value::text("'quote\" and ''two'''"), Value::null(),
                          Value::binary(""), Value::null(), Value::null(), Value::single(-3.4e38f), Value::dbl(1e-300),
                          Value::boolean(false), Value::byte(0), Value::null()});
    db->insertRow(table, {Value::null(), Value::currency(-12345), Value::null(), Value::dateTime(-1.25), Value::null(),
                          Value::null(), Value::null(), Value::null(), Value::null(), Value::null(), Value::null(),
                          Value::boolean(false), Value::null(), Value::null()});
    db->commitStatement();
    return path;
}

}  // namespace querimo::test
