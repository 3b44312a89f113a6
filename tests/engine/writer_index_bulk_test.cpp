// Indexes made on tables that already hold many rows: the tree is laid out at once from the sorted keys, over
// many pages and several levels, and must read back as a sound tree in key order that mdbtools and our own
// reader agree on, keep working for later changes, keep the index's rules, and leave the file as it was when
// it fails or is stopped.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <random>
#include <thread>

#include "core/StopSignal.h"
#include "engine/writer_file_pages.h"
#include "sql/Sql.h"
#include "support/Process.h"
#include "writer_index_entries.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

using namespace std::chrono_literals;

constexpr int manyRows = 20000;

// Groot (Nr Long, unique and in no order; Naam long texts with shared starts of every length and some Null;
// Code with many repeats; Datum; Extra: Nr where Naam has a value), filled in one statement.
std::string withManyRows(const test::ScratchDir& dir, jet::Version version)
{
    const std::string path =
        dir.database(version, {"CREATE TABLE Groot (Nr LONG, Naam TEXT(120), Code LONG, Datum DATETIME, Extra LONG)"});
    std::vector<int> numbers(manyRows);
    for (int i = 0; i < manyRows; ++i) numbers[static_cast<std::size_t>(i)] = i * 3 - manyRows;
    std::mt19937 random(13);
    std::shuffle(numbers.begin(), numbers.end(), random);
    test::runStatement(path, [&](jet::Database& db) {
        const jet::TableDef& table = db.table("Groot");
        for (const int nr : numbers) {
            const auto shared = static_cast<std::size_t>(random() % 90);
            const bool null = nr % 37 == 0;
            const Value naam = null ? Value::null()
                                    : Value::text(std::string(shared, 'k') + (nr % 2 ? "Ä" : "a")
                                                  + std::to_string(random() % 5000));
            db.insertRow(table, {Value::int32(nr), naam, Value::int32(static_cast<std::int32_t>(random() % 40)),
                                 Value::dateTime(40000.0 + random() % 3000), null ? Value::null() : Value::int32(nr)});
        }
    });
    return path;
}

class IndexOnManyRows : public ::testing::TestWithParam<jet::Version> {
protected:
    test::ScratchDir dir;
};

// Each index crosses many pages on more than two levels, holds every row once in key order and the keys
// encoded from the rows it points to; mdbtools reads the table as before, and rows deleted and added later
// go through the same trees.
TEST_P(IndexOnManyRows, LaidOutAtOnceAndReadBackInOrder)
{
    const std::string path = withManyRows(dir, GetParam());
    const test::ProcessResult before = test::runProcess({"mdb-export", path, "Groot"});
    ASSERT_EQ(before.exitCode, 0) << before.err;
    const int systemEntries = writertest::checkIndexEntries(path).verified;
    {
        auto db = test::openFile(path);
        for (const char* statement :
             {"CREATE INDEX iNaam ON Groot (Naam)", "CREATE UNIQUE INDEX iNr ON Groot (Nr DESC)",
              "CREATE INDEX iCodeDatum ON Groot (Code, Datum DESC)", "CREATE INDEX iNaamZonderNull ON Groot (Naam) "
                                                                    "WITH IGNORE NULL"})
            sql::run(*db, statement);
    }
    int withoutNull = 0;
    for (const std::vector<Value>& row : test::readRows(*test::openFile(path), "Groot")) withoutNull += !row[1].isNull();
    {
        writertest::FilePages file(path);
        const jet::TableLayout layout = file.table("Groot");
        ASSERT_EQ(layout.realIndexes.size(), 4u);
        std::vector<std::size_t> leaves;
        for (const jet::RealIndexLayout& real : layout.realIndexes) {
            const writertest::IndexWalk walk = file.walk(real);
            EXPECT_EQ(walk.problem, "");
            EXPECT_GE(walk.depth, 2);
            EXPECT_GT(walk.pages.size(), 30u);
            leaves.push_back(walk.leaves.size());
        }
        EXPECT_EQ(leaves, (std::vector<std::size_t>{manyRows, manyRows, manyRows,
                                                    static_cast<std::size_t>(withoutNull)}));
        EXPECT_GE(file.walk(layout.realIndexes[0]).depth, 3);
    }
    EXPECT_EQ(writertest::checkIndexEntries(path).verified, systemEntries + 3 * manyRows + withoutNull);
    const test::ProcessResult after = test::runProcess({"mdb-export", path, "Groot"});
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(after.out, before.out);

    {
        auto db = test::openFile(path);
        EXPECT_EQ(test::errorFrom([&] { sql::run(*db, "INSERT INTO Groot (Nr) VALUES (-20000)"); }).number(),
                  errc::integrity);
        sql::run(*db, "DELETE FROM Groot WHERE Code < 13");
        sql::run(*db, "INSERT INTO Groot (Nr, Naam, Code, Datum) SELECT Nr + 1, Naam & 'x', Code + 50, Datum FROM "
                      "Groot WHERE Code > 30");
    }
    const writertest::IndexEntriesOutcome changed = writertest::checkIndexEntries(path);
    EXPECT_GT(changed.verified, 3 * manyRows / 2);
    EXPECT_EQ(changed.refused, 0);
}

// A rule the rows already break is found before a page is written, whatever row breaks it; a stop while the
// rows are read or the pages written rolls it back. Either way the file stays byte for byte.
TEST_P(IndexOnManyRows, RefusedOrStoppedLeavesTheFileAsItWas)
{
    const std::string path = withManyRows(dir, GetParam());
    const std::string before = test::readBytes(path);
    auto db = test::openFile(path);
    for (const auto& [statement, message] :
         {std::pair{"CREATE UNIQUE INDEX iCode ON Groot (Code)",
                    "De waarde komt al voor in de index 'iCode' van de tabel 'Groot', die geen dubbele waarden "
                    "toestaat"},
          std::pair{"ALTER TABLE Groot ADD CONSTRAINT pkGroot PRIMARY KEY (Naam)",
                    "Het veld 'Naam' hoort bij de primaire sleutel 'pkGroot' van de tabel 'Groot' en mag niet leeg "
                    "(Null) zijn"},
          std::pair{"CREATE INDEX iNaam ON Groot (Naam) WITH DISALLOW NULL",
                    "De index 'iNaam' van de tabel 'Groot' staat geen lege waarde (Null) toe in het veld 'Naam'"}}) {
        const DbError refused = test::errorFrom([&] { sql::run(*db, statement); }, statement);
        EXPECT_EQ(refused.number(), errc::integrity) << statement;
        EXPECT_NE(refused.description().find(message), std::string::npos) << refused.description();
        EXPECT_EQ(test::readBytes(path), before) << statement;
    }
    // Rows whose key is all Null never clash, however many there are.
    sql::run(*db, "CREATE UNIQUE INDEX iExtra ON Groot (Extra)");
    const std::string unchanged = test::readBytes(path);

    int stops = 0;
    for (const auto delay : {0ms, 5ms, 15ms, 30ms, 60ms, 120ms}) {
        StopSignal stop;
        auto running = std::async(std::launch::async, [&] {
            sql::prepare(*db, "CREATE INDEX iNaam ON Groot (Naam, Datum)").execute({}, &stop);
        });
        std::this_thread::sleep_for(delay);
        stop.request();
        try {
            running.get();
            break;  // made before the stop came, as it will be after any longer wait
        } catch (const DbError& stopped) {
            ++stops;
            EXPECT_EQ(stopped.number(), errc::cancelled);
            EXPECT_EQ(test::readBytes(path), unchanged) << "gestopt na " << delay.count() << " ms";
        }
    }
    EXPECT_GT(stops, 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, IndexOnManyRows, ::testing::ValuesIn(test::bothVersions), test::versionName);

}  // namespace
}  // namespace querimo
