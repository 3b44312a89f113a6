// Scans that decode only the columns a statement reads: the values match a full scan, and a session whose
// later statements read more columns of a table it already holds still sees them all.
#include <gtest/gtest.h>

#include "jet/Database.h"
#include "jet_test_files.h"
#include "sql/Catalog.h"
#include "sql/Execution.h"
#include "sql/Parser.h"

namespace querimo {
namespace {

class ColumnScans : public ::testing::Test {
protected:
    void SetUp() override
    {
        jet::OpenOptions options;
        options.path = scratch.sample(jet::Version::Jet4);
        db = jet::Database::open(options);
    }
    test::ScratchDir scratch;
    std::unique_ptr<jet::Database> db;
};

TEST_F(ColumnScans, ChosenColumnsMatchTheFullRowsAndTheRestStaysNull)
{
    const jet::TableDef& orders = db->table("Klant");
    const std::vector<std::size_t> chosen = {0, 5, orders.columns.size() - 1};  // a number, a text, a date
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
            if (wanted)
                EXPECT_EQ(part[c], all[c]) << "rij " << rows << ", kolom " << c;
            else
                EXPECT_TRUE(part[c].isNull()) << "rij " << rows << ", kolom " << c;
        }
        ++rows;
    }
    EXPECT_FALSE(some->next(part));
    EXPECT_EQ(rows, 40u);
}

TEST_F(ColumnScans, ALaterStatementReadingMoreColumnsSeesThemAll)
{
    sql::Catalog catalog(*db);
    sql::Session session(*db);
    auto rows = [&](const std::string& text) {
        const auto compiled = sql::compileForSession(session, catalog, sql::parseStatement(text), {});
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(session.handle(), compiled.sql.c_str(), -1, &stmt, nullptr), SQLITE_OK)
            << compiled.sql;
        std::vector<std::string> out;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto* cell = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            out.push_back(cell ? cell : "<null>");
        }
        sqlite3_finalize(stmt);
        return out;
    };
    // The join keeps Bestelling in memory with the columns it reads; the next statement reads another one.
    EXPECT_EQ(
        rows("SELECT Count(*) FROM Bestelregel INNER JOIN Bestelling ON Bestelling.BestelNr = Bestelregel.BestelNr"),
        std::vector<std::string>{"284"});
    EXPECT_EQ(rows("SELECT Bestelling.Opmerking FROM Bestelregel INNER JOIN Bestelling "
                   "ON Bestelling.BestelNr = Bestelregel.BestelNr WHERE Bestelregel.BestelNr = 24021 AND "
                   "Bestelregel.Regel = 1"),
              std::vector<std::string>{"Spoed!"});
    EXPECT_EQ(rows("SELECT KlantNr FROM Bestelling WHERE BestelNr = 24041"), std::vector<std::string>{"15"});
}

}  // namespace
}  // namespace querimo
