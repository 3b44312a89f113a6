// TOP n over an ORDER BY keeps every row that ties with the n-th, and where the rows come in order (an index
// walk) it stops reading at the first row past the ties. The same random rows (many equal keys, Null, letter
// case, accents) in a table with indexes and in one without give the rows a rank over every row gives, for
// keys of every kind, several keys and directions, expressions, groups, joins and parameters; in Jet 3 and 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "jet/format/Format.h"
#include "jet_test_files.h"
#include "sql/Sql.h"
#include "support/QueryPlan.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

const std::vector<std::string> names = {"anna", "Anna", "ÁNNA", "b", "émile", "Emile", "straße", "STRASSE", ""};

class TopTies : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override
    {
        const std::string columns = " (Nr LONG, Groep SHORT, Moment DATETIME, Naam TEXT(20), Getal TEXT(10))";
        options.path = scratch.database(GetParam(), {"CREATE TABLE Geindexeerd" + columns, "CREATE TABLE Los" + columns,
                                                     "CREATE INDEX iMoment ON Geindexeerd (Moment)",
                                                     "CREATE INDEX iGroepNaam ON Geindexeerd (Groep DESC, Naam)",
                                                     "CREATE INDEX iNaam ON Geindexeerd (Naam)"});
        db = jet::Database::open(options);
        std::mt19937 random(4242);
        const auto maybe = [&](Value value) { return random() % 8 == 0 ? Value::null() : value; };
        db->beginStatement();
        for (int nr = 1; nr <= 1500; ++nr) {
            const std::vector<Value> row{Value::int32(nr), maybe(Value::int16(static_cast<std::int16_t>(random() % 5))),
                                         maybe(Value::dateTime(40000 + static_cast<double>(random() % 40))),
                                         maybe(Value::text(names[random() % names.size()])),
                                         Value::text(std::to_string(nr))};
            for (const char* table : {"Geindexeerd", "Los"}) db->insertRow(db->table(table), row);
        }
        db->commitStatement();
    }

    // The Nr of every row, sorted: which rows came, whatever their order among ties.
    std::vector<std::int64_t> numbers(const std::string& text, const sql::ParameterValues& values = {})
    {
        const auto rows = sql::run(*db, text, values).rows;
        std::vector<std::int64_t> out;
        for (std::size_t r = 0; r < rows->rowCount(); ++r) out.push_back(rows->value(r, 0).integer);
        std::sort(out.begin(), out.end());
        return out;
    }

    // The statement as written, against a rank over every row (the same TOP inside a subquery), on both tables.
    void expectRankedRows(const std::string& select, const std::string& rest, const sql::ParameterValues& values = {})
    {
        for (const char* table : {"Geindexeerd", "Los"}) {
            const std::string statement = select + " FROM " + table + " " + rest;
            const auto got = numbers(statement, values);
            EXPECT_EQ(got, numbers("SELECT * FROM (" + statement + ") AS r", values)) << statement;
            EXPECT_FALSE(got.empty()) << statement;
        }
    }

    test::ScratchDir scratch;
    jet::OpenOptions options;
    std::unique_ptr<jet::Database> db;
};

TEST_P(TopTies, EveryRowThatTiesWithTheLastComes)
{
    for (const auto& [top, rest] : std::vector<std::pair<std::string, std::string>>{
             {"TOP 1", "ORDER BY Moment"},
             {"TOP 37", "ORDER BY Moment"},
             {"TOP 37", "ORDER BY Moment DESC"},
             {"TOP 5", "ORDER BY Groep"},  // Null first: a fifth of the rows tie
             {"TOP 300", "ORDER BY Groep DESC"},
             {"TOP 10", "ORDER BY Naam"},   // the Nulls
             {"TOP 400", "ORDER BY Naam"},  // anna and Anna tie
             {"TOP 200", "ORDER BY Naam DESC"},
             {"TOP 50", "ORDER BY Groep DESC, Naam"},  // through the two-column index
             {"TOP 50", "ORDER BY Groep, Naam DESC"},  // against it: sorted
             {"TOP 50", "ORDER BY Groep, Moment DESC, Naam"},
             {"TOP 20", "ORDER BY UCase(Naam)"},
             {"TOP 400", "ORDER BY Naam & '.'"},  // an expression ties in the text collation too
             {"TOP 20", "ORDER BY Moment + 0.5"},
             {"TOP 1", "ORDER BY Nr"},
             {"TOP 1499", "ORDER BY Nr DESC"},
             {"TOP 5000", "ORDER BY Moment"},  // more than there are
             {"TOP 1", "WHERE Moment BETWEEN 40010 AND 40020 ORDER BY Moment DESC"},
             {"TOP 3", "WHERE Naam Like 'e*' ORDER BY Naam"},
         })
        expectRankedRows("SELECT " + top + " Nr, Groep, Moment, Naam", rest);
    // Groups ordered by their count, and a join's rows by the other table's column.
    for (const char* table : {"Geindexeerd", "Los"}) {
        const std::string grouped = std::string("SELECT TOP 2 Groep, Count(*) AS Aantal FROM ") + table
                                    + " GROUP BY Groep ORDER BY Count(*) DESC";
        EXPECT_EQ(sql::run(*db, grouped).rows->rowCount(),
                  sql::run(*db, "SELECT * FROM (" + grouped + ") AS r").rows->rowCount());
    }
    for (const char* table : {"Geindexeerd", "Los"})
        EXPECT_TRUE(numbers(std::string("SELECT TOP 0 Nr FROM ") + table + " ORDER BY Moment").empty()) << table;
    expectRankedRows("SELECT TOP 30 a.Nr, b.Moment",
                     "AS a INNER JOIN Los AS b ON a.Nr = b.Nr + 1 ORDER BY b.Moment DESC, a.Groep");
    expectRankedRows("SELECT TOP 30 Nr", "WHERE Groep >= [Vanaf] ORDER BY Moment", {{"Vanaf", "2"}});
}

TEST_P(TopTies, AWalkInIndexOrderStopsPastTheTies)
{
    // A row far down the index whose value does not convert: a statement that read it would fail.
    sql::run(*db, "UPDATE Geindexeerd SET Moment = 41000, Getal = 'geen getal' WHERE Nr = 700");
    const std::string top = "SELECT TOP 200 Nr, CLng(Getal) AS Waarde FROM Geindexeerd ORDER BY Moment";
    EXPECT_EQ(test::queryPlan(*db, top).find("TEMP B-TREE"), std::string::npos);
    const auto rows = sql::run(*db, top).rows;
    EXPECT_GE(rows->rowCount(), 200u);
    EXPECT_LT(rows->rowCount(), 400u);
    EXPECT_THROW(sql::run(*db, "SELECT * FROM (" + top + ") AS r").rows->rowCount(), DbError);
    // Descending, the row comes first.
    EXPECT_THROW(sql::run(*db, top + " DESC").rows->rowCount(), DbError);
}

TEST_P(TopTies, AtAMillionRowsOnlyATopIsReadThroughTheIndex)
{
    // The table's definition claims a million rows: a whole ORDER BY sorts them, a TOP 100 walks the index.
    const std::uint32_t page = db->table("Geindexeerd").definitionPage;
    const jet::Format& format = jet::Format::of(GetParam());
    db.reset();
    {
        std::fstream file(options.path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(page * format.pageSize + format.tdefRowCount));
        const unsigned char million[4] = {0x40, 0x42, 0x0f, 0x00};
        file.write(reinterpret_cast<const char*>(million), 4);
    }
    db = jet::Database::open(options);
    EXPECT_NE(test::queryPlan(*db, "SELECT * FROM Geindexeerd ORDER BY Moment").find("TEMP B-TREE"), std::string::npos);
    for (const char* top :
         {"SELECT TOP 100 * FROM Geindexeerd ORDER BY Moment", "SELECT TOP 100 * FROM Geindexeerd ORDER BY Moment DESC",
          "SELECT TOP 100 * FROM Geindexeerd WHERE Nr > 5 ORDER BY Moment"})
        EXPECT_EQ(test::queryPlan(*db, top).find("TEMP B-TREE"), std::string::npos) << top;
    expectRankedRows("SELECT TOP 100 Nr", "ORDER BY Moment DESC");
    // In a join it is planned as without TOP: a loop placed inside would be read whole for every outer row.
    const std::string join = " b.Nr FROM Los AS b INNER JOIN Geindexeerd AS a ON a.Getal = b.Getal ORDER BY a.Moment";
    EXPECT_EQ(test::queryPlan(*db, "SELECT TOP 10" + join), test::queryPlan(*db, "SELECT" + join));
}

TEST_P(TopTies, InsertedRowsOfATopAreTheRankedOnes)
{
    sql::run(*db, "SELECT * INTO Kopie FROM Los WHERE False");
    const auto inserted =
        sql::run(*db, "INSERT INTO Kopie SELECT TOP 12 * FROM Geindexeerd ORDER BY Groep DESC, Naam").recordsAffected;
    EXPECT_EQ(inserted, numbers("SELECT * FROM (SELECT TOP 12 * FROM Los ORDER BY Groep DESC, Naam) AS r").size());
    EXPECT_EQ(numbers("SELECT Nr FROM Kopie"),
              numbers("SELECT * FROM (SELECT TOP 12 * FROM Los ORDER BY Groep DESC, Naam) AS r"));
}

INSTANTIATE_TEST_SUITE_P(Versions, TopTies, ::testing::ValuesIn(test::bothVersions), test::versionName);

}  // namespace
}  // namespace querimo
