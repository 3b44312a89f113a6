#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/Error.h"
#include "engine/writer_file_pages.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/UsageMap.h"
#include "jet/tables/IndexKey.h"
#include "jet/tables/IndexWriter.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

struct StoredRow {
    std::vector<Value> values;
    RowId id = 0;
};

std::vector<StoredRow> storedRows(Database& db, const std::string& table)
{
    std::vector<StoredRow> rows;
    for (const auto& [id, values] : test::rowsById(db, table)) rows.push_back({values, id});
    return rows;
}

// A table of a file: its rows read through the engine, its pages written by an index writer.
struct WriterFixture {
    WriterFixture(const std::string& path, const std::string& table)
        : file(path), pages(file.pages(), file.format()), writer(file.pages(), file.format(), pages),
          layout(file.table(table))
    {
        rows = storedRows(*test::openFile(path), table);
    }

    std::vector<IndexEntry> leaves(std::uint32_t root)
    {
        const writertest::IndexWalk walk = file.walk(root);
        EXPECT_EQ(walk.problem, "") << "root " << root;
        return walk.leaves;
    }

    writertest::FilePages file;
    PageAllocator pages;
    IndexWriter writer;
    TableLayout layout;
    std::vector<StoredRow> rows;
};

// Regel (Nr Long primary key, Tekst Text(50)) with enough rows for an index of more than one level.
std::string makeNumbered(const test::ScratchDir& dir, Version version)
{
    const std::string path =
        dir.database(version, {"CREATE TABLE Regel (Nr LONG CONSTRAINT pkRegel PRIMARY KEY, Tekst TEXT(50))"});
    test::runStatement(path, [](Database& db) {
        for (int n = 1; n <= 3000; ++n)
            db.insertRow(db.table("Regel"), {Value::int32(n * 7 % 3001), Value::text("regel " + std::to_string(n))});
    });
    return path;
}

// Every row of a table Access made put into new, empty indexes gives exactly Access's leaf entries, byte for
// byte, however the pages split; Access's own trees, emptied row by row and filled again, end the same.
TEST(IndexesFromRows, EqualAccessLeaves)
{
    const std::pair<const char*, const char*> tables[] = {
        {"compIndexTestV1997.mdb", "Table1"}, {"indexTestV1997.mdb", "Table1"},
        {"compIndexTestV2000.mdb", "Table1"}, {"northwind-jet4.mdb", "Order Details"},
        {"northwind-jet4.mdb", "Employees"},  {"northwind-jet4.mdb", "Shippers"},
        {"northwind-jet4.mdb", "Categories"}, {"northwind-jet4.mdb", "Orders"}};
    for (const auto& [name, table] : tables) QUERIMO_REQUIRE_CORPUS_FILE(name);
    for (const auto& [name, table] : tables) {
        SCOPED_TRACE(std::string(name) + " / " + table);
        const test::ScratchDir dir;
        WriterFixture fixture(dir.copyOf(name), table);
        TableLayout fresh = fixture.layout;
        ASSERT_FALSE(fresh.realIndexes.empty());
        for (RealIndexLayout& real : fresh.realIndexes) {
            real.firstPage = fixture.writer.createEmpty(fresh);
            real.usedPagesMap = 0;  // the new trees have no usage maps of their own
        }
        std::vector<StoredRow> rows = fixture.rows;
        std::shuffle(rows.begin(), rows.end(), std::mt19937(3));
        for (const StoredRow& row : rows) fixture.writer.insert(fresh, row.values, row.id);
        for (std::size_t r = 0; r < fresh.realIndexes.size(); ++r) {
            SCOPED_TRACE("real index " + std::to_string(r));
            EXPECT_EQ(writertest::entriesText(fixture.leaves(fresh.realIndexes[r].firstPage)),
                      writertest::entriesText(fixture.leaves(fixture.layout.realIndexes[r].firstPage)));
        }
        // Access's own trees emptied and filled again, in other orders, hold what they held.
        std::shuffle(rows.begin(), rows.end(), std::mt19937(4));
        for (const StoredRow& row : rows) fixture.writer.remove(fixture.layout, row.values, row.id);
        for (const RealIndexLayout& real : fixture.layout.realIndexes)
            EXPECT_TRUE(fixture.leaves(real.firstPage).empty());
        std::shuffle(rows.begin(), rows.end(), std::mt19937(5));
        for (const StoredRow& row : rows) fixture.writer.insert(fixture.layout, row.values, row.id);
        for (std::size_t r = 0; r < fresh.realIndexes.size(); ++r)
            EXPECT_EQ(writertest::entriesText(fixture.leaves(fixture.layout.realIndexes[r].firstPage)),
                      writertest::entriesText(fixture.leaves(fresh.realIndexes[r].firstPage)));
    }
}

std::string refusal(IndexWriter& writer, const TableLayout& table, const std::vector<Value>& values,
                    const RowId* except = nullptr)
{
    try {
        writer.check(table, values, except);
    } catch (const DbError& e) {
        return e.what();
    }
    return "";
}

// Klant of the sample: KlantNr AutoNumber (primary key pkKlant), and an index idxKlantPlaats on Plaats.
class KlantIndexes : public ::testing::TestWithParam<Version> {
protected:
    const test::ScratchDir dir;
    WriterFixture fixture{dir.sample(GetParam()), "Klant"};
    const std::size_t number = position("KlantNr");
    const std::size_t city = position("Plaats");
    TableLayout& table = fixture.layout;

    std::size_t position(const char* column) const
    {
        return static_cast<std::size_t>(fixture.layout.def.column(column)->ordinal - 1);
    }
    RealIndexLayout& cityIndex()
    {
        const auto at = std::find_if(table.def.indexes.begin(), table.def.indexes.end(),
                                     [](const IndexDef& i) { return i.name == "idxKlantPlaats"; });
        return table.realIndexes[static_cast<std::size_t>(
            table.realIndexOf[static_cast<std::size_t>(at - table.def.indexes.begin())])];
    }
};

// A row that repeats a stored key, leaves the primary key or a required index column empty, or has a text key
// in a sort order we do not know or with a character without a code (Jet 3: outside Windows-1252), is refused with a
// message naming the index; the row itself may keep its own key on update. (The messages of a repeated key and an
// unknown character through SQL: ActionStatementsOnFiles.RefusedStatementsLeaveTheFileAsItWas.)
TEST_P(KlantIndexes, RowsTheIndexesCannotTakeAreRefused)
{
    const StoredRow& stored = fixture.rows.at(1);
    EXPECT_NE(refusal(fixture.writer, table, stored.values), "");
    EXPECT_EQ(refusal(fixture.writer, table, stored.values, &stored.id), "");

    std::vector<Value> row = stored.values;
    row[number] = Value{};
    const std::string null = refusal(fixture.writer, table, row);
    EXPECT_NE(null.find("primaire sleutel 'pkKlant'"), std::string::npos) << null;

    row[number] = Value::int32(987654);
    row[city] = Value{};
    EXPECT_EQ(refusal(fixture.writer, table, row), "");
    cityIndex().flags |= 0x08;
    const std::string message = refusal(fixture.writer, table, row);
    EXPECT_NE(message.find("De index 'idxKlantPlaats'"), std::string::npos) << message;

    // A text column in a sort order whose codes we do not know (Swedish; a General order of an unknown version)
    // takes no key at all.
    row[city] = Value::text("Breda");
    EXPECT_EQ(refusal(fixture.writer, table, row), "");
    const ColumnStorage known = table.storage[city];
    table.storage[city].sortOrder = 0x41D;
    const std::string swedish = refusal(fixture.writer, table, row);
    EXPECT_NE(swedish.find("'idxKlantPlaats' van de tabel 'Klant' gebruikt een sorteervolgorde"), std::string::npos)
        << swedish;
    table.storage[city] = known;
    table.storage[city].sortOrderTail = 0x0200;
    EXPECT_EQ(refusal(fixture.writer, table, row) != "", GetParam() == Version::Jet4);
    table.storage[city] = known;

    row[city] = Value::text("AB\xE4\xB8\xAD");  // U+4E2D
    if (GetParam() == Version::Jet4) {
        EXPECT_EQ(refusal(fixture.writer, table, row), "");
        return;
    }
    EXPECT_EQ(refusal(fixture.writer, table, row),
              unencodableKeyMessage(IndexKey{{}, U'\x4E2D'}, "idxKlantPlaats", "Klant"));
    EXPECT_THROW(fixture.writer.insert(table, row, 0x12300), DbError);
}

// Rows whose key columns are all Null stay out of an index that ignores Nulls, and never clash in a
// unique one.
TEST_P(KlantIndexes, AllNullKeysFollowTheIndexFlags)
{
    std::vector<Value> row = fixture.rows.front().values;
    row[city] = Value{};
    RealIndexLayout& real = cityIndex();
    const std::size_t before = fixture.leaves(real.firstPage).size();
    real.flags = 0x01 | 0x02;  // unique, ignore Nulls
    for (IndexDef& index : table.def.indexes) index.unique = index.unique || index.name == "idxKlantPlaats";
    for (int n = 0; n < 2; ++n) {
        row[number] = Value::int32(900000 + n);
        EXPECT_EQ(refusal(fixture.writer, table, row), "");
        fixture.writer.insert(table, row, static_cast<RowId>(0x7000 + n));
    }
    EXPECT_EQ(fixture.leaves(real.firstPage).size(), before);
    real.flags = 0x01;
    fixture.writer.insert(table, row, 0x7100);
    EXPECT_EQ(fixture.leaves(real.firstPage).size(), before + 1);
}

INSTANTIATE_TEST_SUITE_P(Versions, KlantIndexes, ::testing::ValuesIn(test::bothVersions), test::versionName);

// A damaged tree (a page that leads back to itself, a child outside the file) gives a Dutch error that
// names the file instead of a hang or a crash.
TEST(IndexWriterFile, DamagedTreesAreRefused)
{
    for (const Version version : test::bothVersions) {
        SCOPED_TRACE(version == Version::Jet4 ? "Jet4" : "Jet3");
        const test::ScratchDir dir;
        const std::string path = makeNumbered(dir, version);
        for (const std::uint32_t child : {0u, 1u << 22}) {
            const std::string copy = dir.write(std::to_string(child) + ".mdb", test::readBytes(path));
            WriterFixture fixture(copy, "Regel");
            const RealIndexLayout& real = fixture.layout.realIndexes.front();
            ASSERT_EQ((*fixture.file.pages().page(real.firstPage))[0], intermediateIndexPageType);
            const std::uint32_t target = child == 0 ? real.firstPage : child;
            PageBytes& bytes = fixture.file.pages().change(real.firstPage);
            for (int i = 0; i < 4; ++i)
                bytes[IndexPageLayout::of(version).tailPage + static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(target >> (8 * i));
            const std::vector<Value> row{Value::int32(99999),
                                         Value::text("na elke sleutel")};  // the way leads through the tail
            try {
                fixture.writer.insert(fixture.layout, row, 0x7000);
                ADD_FAILURE() << "no error for a damaged index";
            } catch (const DbError& e) {
                EXPECT_NE(std::string(e.what()).find("beschadigd"), std::string::npos) << e.what();
                EXPECT_NE(std::string(e.what()).find(copy), std::string::npos) << e.what();
            }
        }
    }
}

// Indexes rebuilt in place (every row out, then in again, in random orders) and written to the file: each
// index's usage map marks exactly its pages, and mdbtools reads the table as before. (mdbtools' own SQL
// finds rows without the index, so it cannot check the index itself.)
TEST(RebuiltIndexes, MdbtoolsReadsTheTable)
{
    for (const Version version : test::bothVersions) {
        const test::ScratchDir dir;
        const std::string sample = dir.sample(version);
        for (const auto& [path, table] : {std::pair{sample, "Klant"}, std::pair{sample, "Bestelregel"},
                                          std::pair{makeNumbered(dir, version), "Regel"}}) {
            SCOPED_TRACE(std::string(version == Version::Jet4 ? "Jet4 / " : "Jet3 / ") + table);
            const test::ProcessResult before = test::runProcess({"mdb-export", path, table});
            ASSERT_EQ(before.exitCode, 0) << before.err;
            std::size_t rows = 0;
            {
                WriterFixture fixture(path, table);
                std::vector<StoredRow> stored = fixture.rows;
                rows = stored.size();
                std::shuffle(stored.begin(), stored.end(), std::mt19937(11));
                for (const StoredRow& row : stored) fixture.writer.remove(fixture.layout, row.values, row.id);
                std::shuffle(stored.begin(), stored.end(), std::mt19937(12));
                for (const StoredRow& row : stored) fixture.writer.insert(fixture.layout, row.values, row.id);
                for (const RealIndexLayout& real : fixture.layout.realIndexes)
                    EXPECT_EQ(fixture.file.walk(real).problem, "");
                for (const std::uint32_t page : fixture.file.pages().changedPages())
                    fixture.file.pages().writeBack(page);
                fixture.file.pages().sync();
            }
            const test::ProcessResult after = test::runProcess({"mdb-export", path, table});
            EXPECT_EQ(after.exitCode, 0) << after.err;
            EXPECT_EQ(after.out, before.out);
            EXPECT_EQ(test::readRows(*test::openFile(path), table).size(), rows);
        }
    }
}

}  // namespace
