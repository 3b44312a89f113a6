// ORDER BY through indexes gives the order a sort gives: the same random rows (Null in every column, equal
// keys, mixed case and accents) in a table with indexes and in one without, sorted ascending and descending
// over ascending and descending indexes, on two columns of a two-column index, after equal leading columns
// and within ranges; in Jet 3 and Jet 4. The plans read those through the index without a sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "jet_test_files.h"
#include "sql/Sql.h"
#include "sql/TextCollation.h"
#include "support/QueryPlan.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

const std::vector<std::string> names = {"anna",   "Anna",    "ánna", "b", "B ", "émile",  "Emile",
                                        "straße", "STRASSE", "zoë",  "",  "10", "o'neil", "O'Neil"};

class OrderThroughIndexes : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override
    {
        const std::string columns = " (Nr LONG, Groep SHORT, Moment DATETIME, Naam TEXT(20), Bedrag CURRENCY)";
        jet::OpenOptions options;
        options.path = scratch.database(GetParam(), {"CREATE TABLE Geindexeerd" + columns, "CREATE TABLE Los" + columns,
                                                     "CREATE INDEX iGroepMoment ON Geindexeerd (Groep, Moment)",
                                                     "CREATE INDEX iMoment ON Geindexeerd (Moment DESC)",
                                                     "CREATE INDEX iGroepNaam ON Geindexeerd (Groep DESC, Naam DESC)",
                                                     "CREATE INDEX iNaam ON Geindexeerd (Naam)",
                                                     "CREATE INDEX iBedrag ON Geindexeerd (Bedrag)"});
        db = jet::Database::open(options);
        std::mt19937 random(1331);
        const auto maybe = [&](Value value) { return random() % 10 == 0 ? Value::null() : value; };
        db->beginStatement();
        for (int nr = 1; nr <= 2500; ++nr) {
            const std::vector<Value> row{
                Value::int32(nr), maybe(Value::int16(static_cast<std::int16_t>(random() % 7 - 3))),
                maybe(Value::dateTime(40000 + static_cast<double>(random() % 300) / 4.0)),
                maybe(Value::text(names[random() % names.size()])),
                maybe(Value::currency(static_cast<std::int64_t>(random() % 400) * 2500 - 500000))};
            for (const char* table : {"Geindexeerd", "Los"}) db->insertRow(db->table(table), row);
        }
        db->commitStatement();
    }

    auto rows(const std::string& table, const std::string& select, const std::string& rest)
    {
        return sql::run(*db, "SELECT " + select + " FROM " + table + " " + rest).rows;
    }

    // The selected columns (the ORDER BY's) come from the indexed table as from the sorted one; text that
    // the collation finds equal may differ in case or accent-free ties.
    void expectSameOrder(const std::string& select, const std::string& rest)
    {
        const auto indexed = rows("Geindexeerd", select, rest), sorted = rows("Los", select, rest);
        ASSERT_EQ(indexed->rowCount(), sorted->rowCount()) << rest;
        for (std::size_t r = 0; r < indexed->rowCount(); ++r)
            for (std::size_t c = 0; c <= static_cast<std::size_t>(std::count(select.begin(), select.end(), ',')); ++c) {
                const Value a = indexed->value(r, c), b = sorted->value(r, c);
                if (a.kind == Value::Kind::Text && b.kind == Value::Kind::Text)
                    ASSERT_EQ(sql::compareText(a.bytes, b.bytes, db->textOrder()), 0) << rest << " rij " << r;
                else
                    ASSERT_EQ(a, b) << rest << " rij " << r << " kolom " << c;
            }
    }

    std::string plan(const std::string& text) { return test::queryPlan(*db, text); }

    test::ScratchDir scratch;
    std::unique_ptr<jet::Database> db;
};

TEST_P(OrderThroughIndexes, BothDirectionsOverAscendingAndDescendingIndexes)
{
    for (const auto& [select, rest] : std::vector<std::pair<std::string, std::string>>{
             {"Bedrag", "ORDER BY Bedrag"},
             {"Bedrag", "ORDER BY Bedrag DESC"},
             {"Moment", "ORDER BY Moment"},
             {"Moment", "ORDER BY Moment DESC"},
             {"Naam", "ORDER BY Naam"},
             {"Naam", "ORDER BY Naam DESC"},
             {"Bedrag", "WHERE Bedrag > 0 ORDER BY Bedrag DESC"},
             {"Bedrag", "WHERE Bedrag <= -250000 ORDER BY Bedrag DESC"},
             {"Moment", "WHERE Moment BETWEEN 40010 AND 40030 ORDER BY Moment"},
             {"Naam", "WHERE Naam >= 'b' ORDER BY Naam DESC"},
             {"Naam", "WHERE Naam Like 'a*' ORDER BY Naam DESC"}})
        expectSameOrder(select, rest);
}

TEST_P(OrderThroughIndexes, TwoTermsOfATwoColumnIndexInEitherDirection)
{
    for (const char* rest :
         {"ORDER BY Groep, Moment", "ORDER BY Groep DESC, Moment DESC", "WHERE Groep = 2 ORDER BY Moment DESC",
          "WHERE Groep IS NULL ORDER BY Moment", "WHERE Groep BETWEEN -1 AND 1 ORDER BY Groep DESC, Moment DESC",
          "WHERE Groep = -3 AND Moment > 40020 ORDER BY Moment DESC", "ORDER BY Groep, Moment DESC"})
        expectSameOrder("Groep, Moment", rest);
    for (const char* rest : {"ORDER BY Groep, Naam", "ORDER BY Groep DESC, Naam DESC", "WHERE Groep = 1 ORDER BY Naam",
                             "WHERE Groep > 0 ORDER BY Groep, Naam"})
        expectSameOrder("Groep, Naam", rest);
}

TEST_P(OrderThroughIndexes, ThePlansWalkTheIndexInsteadOfSorting)
{
    for (const char* text :
         {"SELECT * FROM Geindexeerd WHERE Bedrag > 0 ORDER BY Bedrag DESC",
          "SELECT * FROM Geindexeerd WHERE Moment > 40050 ORDER BY Moment",
          "SELECT * FROM Geindexeerd WHERE Groep = 2 ORDER BY Moment DESC",
          "SELECT * FROM Geindexeerd WHERE Groep = 2 ORDER BY Naam", "SELECT * FROM Geindexeerd ORDER BY Bedrag DESC",
          "SELECT * FROM Geindexeerd ORDER BY Groep DESC, Moment DESC", "SELECT * FROM Geindexeerd ORDER BY Naam DESC",
          "SELECT * FROM Geindexeerd ORDER BY Groep, Naam"}) {
        const std::string walked = plan(text);
        EXPECT_NE(walked.find("INDEX -1:"), std::string::npos) << text << "\n" << walked;
        EXPECT_EQ(walked.find("TEMP B-TREE"), std::string::npos) << text << "\n" << walked;
    }
    // Terms in mixed directions no index holds: SQLite sorts.
    EXPECT_NE(plan("SELECT * FROM Geindexeerd ORDER BY Groep, Moment DESC").find("TEMP B-TREE"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Versions, OrderThroughIndexes, ::testing::ValuesIn(test::bothVersions), test::versionName);

}  // namespace
}  // namespace querimo
