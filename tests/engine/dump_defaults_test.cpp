// Access defaults in the dumps: numbers, strings, Yes/No words and Now()/Date() translate per column type;
// anything else is left out (the dump warns).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cli/DumpSql.h"

namespace querimo::test {
namespace {

struct DefaultCase {
    jet::ColumnType type;
    std::string access;
    std::optional<std::string> postgreSql;
    std::optional<std::string> sqlite;
};

TEST(DumpDefaults, TranslateByColumnType)
{
    using T = jet::ColumnType;
    const DefaultCase cases[] = {
        {T::Long, "0", "0", "0"},
        {T::Currency, "=12.5", "12.5", "12.5"},
        {T::Integer, "True", "-1", "-1"},
        {T::Boolean, "Yes", "true", "1"},
        {T::Boolean, "0", "false", "0"},
        {T::Boolean, "-1", "true", "1"},
        {T::Text, "\"it\"\"s\"", "'it\"s'", "'it\"s'"},
        {T::Text, "'l''eau'", "'l''eau'", "'l''eau'"},
        {T::Memo, "7", "'7'", "'7'"},
        {T::DateTime, "=Now()", "CURRENT_TIMESTAMP", "CURRENT_TIMESTAMP"},
        {T::DateTime, "date()", "CURRENT_DATE", "CURRENT_DATE"},
        {T::DateTime, "#2020-01-01#", std::nullopt, std::nullopt},
        {T::Long, "DMax(\"Nr\", \"Tabel\") + 1", std::nullopt, std::nullopt},
        {T::Text, "\"open", std::nullopt, std::nullopt},
        {T::Double, "\"1\"", std::nullopt, std::nullopt},
        {T::Guid, "0", std::nullopt, std::nullopt},
    };
    for (const DefaultCase& c : cases) {
        jet::ColumnDef column;
        column.type = c.type;
        column.defaultValue = c.access;
        EXPECT_EQ(cli::translateDefault(column, cli::Dialect::PostgreSql), c.postgreSql) << c.access;
        EXPECT_EQ(cli::translateDefault(column, cli::Dialect::Sqlite), c.sqlite) << c.access;
    }
}

TEST(DumpDefaults, NamesAreQuotedWhole)
{
    EXPECT_EQ(cli::quoteIdentifier("Order Details"), "\"Order Details\"");
    EXPECT_EQ(cli::quoteIdentifier("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(cli::quoteIdentifiers({"select", "Naam"}), "\"select\", \"Naam\"");
    EXPECT_EQ(cli::quoteLiteral("l'eau"), "'l''eau'");
}

}  // namespace
}  // namespace querimo::test
