// Scans that decode only the columns a statement reads: the values match a full scan, and a session whose
// later statements read more columns of a table it already holds still sees them all.
#include <gtest/gtest.h>

#include "jet/Database.h"
#include "sql/Catalog.h"
#include "sql/Execution.h"
#include "sql/Parser.h"
#include "support/Corpus.h"

namespace querimo {
namespace {

class ColumnScans : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUERIMO_REQUIRE_CORPUS();
        jet::OpenOptions options;
        options.path = (test::corpusDir() / "northwind-jet4.mdb").string();
        db = jet::Database::open(options);
    }
    std::unique_ptr<jet::Database> db;
};

TEST_F(ColumnScans, ChosenColumnsMatchTheFullRowsAndTheRestStaysNull)
{
    const jet::TableDef& orders = db->table("Orders");
    const std::vector<std::size_t> chosen = {0, 3, orders.columns.size() - 1};  // a number, a date, a text
    auto full = db->scan(orders);
    auto some = db->scan(orders, chosen);
    std::vector<Value> all, part;
    std::size_t rows = 0;
    while (full->next(all)) {
        ASSERT_TRUE(some->next(part));
        ASSERT_EQ(part.size(), all.size());
        EXPECT_EQ(some->rowId(), full->rowId());
        for (std::size_t c = 0; c < all.size(); ++c) {
            const bool wanted = std::find(chosen.begin(), chosen.end(), c) != chosen.end();
            if (wanted) EXPECT_EQ(part[c], all[c]) << "rij " << rows << ", kolom " << c;
            else EXPECT_TRUE(part[c].isNull()) << "rij " << rows << ", kolom " << c;
        }
        ++rows;
    }
    EXPECT_FALSE(some->next(part));
    EXPECT_EQ(rows, 830u);
}

TEST_F(ColumnScans, ALaterStatementReadingMoreColumnsSeesThemAll)
{
    sql::Catalog catalog(*db);
    sql::Session session(*db);
    auto rows = [&](const std::string& text) {
        const auto compiled = sql::compileForSession(session, catalog, sql::parseStatement(text), {});
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(session.handle(), compiled.sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << compiled.sql;
        std::vector<std::string> out;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            out.push_back(text ? text : "<null>");
        }
        sqlite3_finalize(stmt);
        return out;
    };
    // The join keeps Orders in memory with the columns it reads; the next statement reads another one.
    EXPECT_EQ(rows("SELECT Count(*) FROM [Order Details] INNER JOIN Orders ON Orders.OrderID = [Order Details].OrderID"),
              std::vector<std::string>{"2155"});
    EXPECT_EQ(rows("SELECT Orders.ShipCity FROM [Order Details] INNER JOIN Orders ON Orders.OrderID = [Order Details].OrderID "
                   "WHERE [Order Details].OrderID = 10248 AND [Order Details].ProductID = 11"),
              std::vector<std::string>{"Reims"});
    EXPECT_EQ(rows("SELECT ShipCity FROM Orders WHERE OrderID = 10249"), std::vector<std::string>{"Münster"});
}

}  // namespace
}  // namespace querimo
