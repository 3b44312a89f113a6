#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/Error.h"
#include "engine/writer_file_pages.h"
#include "engine/writer_index_walk.h"
#include "jet/IndexKey.h"
#include "jet/IndexWriter.h"
#include "jet/PageAllocator.h"
#include "jet/UsageMap.h"
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
    const auto scan = db.scan(db.table(table));
    StoredRow row;
    while (scan->next(row.values)) {
        row.id = scan->rowId();
        rows.push_back(row);
    }
    return rows;
}

// A table of a file: its rows read through the engine, its pages written by an index writer.
class WriterFixture {
public:
    WriterFixture(const std::string& path, const std::string& table)
        : path_(path), copy_(path_), pages_(copy_.pages(), copy_.format()), writer_(copy_.pages(), copy_.format(), pages_)
    {
        const auto db = test::openFile(path);
        layout = copy_.table(db->table(table).definitionPage, table);
        rows = storedRows(*db, table);
    }

    std::vector<IndexEntry> leaves(std::uint32_t root)
    {
        const writertest::IndexWalk walk = writertest::IndexWalker(copy_.pages(), copy_.version()).walk(root);
        EXPECT_EQ(walk.problem, "") << "root " << root;
        return walk.leaves;
    }

    IndexWriter& writer() { return writer_; }
    const Format& format() const { return copy_.format(); }
    PageFile& file() { return copy_.pages(); }

    TableLayout layout;
    std::vector<StoredRow> rows;

private:
    std::string path_;
    writertest::FilePages copy_;
    PageAllocator pages_;
    IndexWriter writer_;
};

// Regel (Nr Long primary key, Tekst Text(50)) with enough rows for an index of more than one level.
std::string makeNumbered(const test::ScratchDir& dir, Version version)
{
    const std::string path = test::makeDatabase(test::newPath(dir, "regels.mdb"), version,
                                                 {"CREATE TABLE Regel (Nr LONG CONSTRAINT pkRegel PRIMARY KEY, Tekst TEXT(50))"})
                                 .string();
    auto db = test::openFile(path);
    db->beginStatement();
    for (int n = 1; n <= 3000; ++n)
        db->insertRow(db->table("Regel"), {Value::int32(n * 7 % 3001), Value::text("regel " + std::to_string(n))});
    db->commitStatement();
    return path;
}

void expectSameEntries(const std::vector<IndexEntry>& ours, const std::vector<IndexEntry>& access)
{
    ASSERT_EQ(ours.size(), access.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        ASSERT_EQ(writertest::hex(ours[i].key), writertest::hex(access[i].key)) << "entry " << i;
        ASSERT_EQ(ours[i].dataPage, access[i].dataPage) << "entry " << i;
        ASSERT_EQ(ours[i].dataRow, access[i].dataRow) << "entry " << i;
    }
}

// Every row of a table Access made put into new, empty indexes gives exactly Access's leaf entries, byte for
// byte, however the pages split; taking the rows out again empties them.
TEST(IndexesFromRows, EqualAccessLeaves)
{
    const std::pair<const char*, const char*> tables[] = {
        {"compIndexTestV1997.mdb", "Table1"},       {"indexTestV1997.mdb", "Table1"},   {"compIndexTestV2000.mdb", "Table1"},
        {"northwind-jet4.mdb", "Order Details"},   {"northwind-jet4.mdb", "Employees"}, {"northwind-jet4.mdb", "Shippers"},
        {"northwind-jet4.mdb", "Categories"}};
    for (const auto& [name, table] : tables) QUERIMO_REQUIRE_CORPUS_FILE(name);
    for (const auto& [name, table] : tables) {
        SCOPED_TRACE(std::string(name) + " / " + table);
        const test::ScratchDir dir;
        WriterFixture fixture(dir.copyOf(name), table);
        TableLayout fresh = fixture.layout;
        ASSERT_FALSE(fresh.realIndexes.empty());
        for (RealIndexLayout& real : fresh.realIndexes) {
            real.firstPage = fixture.writer().createEmpty(fresh);
            real.usedPagesMap = 0;  // the new trees have no usage maps of their own
        }
        std::vector<StoredRow> rows = fixture.rows;
        std::shuffle(rows.begin(), rows.end(), std::mt19937(3));
        for (const StoredRow& row : rows) fixture.writer().insert(fresh, row.values, row.id);
        for (std::size_t r = 0; r < fresh.realIndexes.size(); ++r) {
            SCOPED_TRACE("real index " + std::to_string(r));
            expectSameEntries(fixture.leaves(fresh.realIndexes[r].firstPage), fixture.leaves(fixture.layout.realIndexes[r].firstPage));
        }
        for (const StoredRow& row : rows) fixture.writer().remove(fresh, row.values, row.id);
        for (const RealIndexLayout& real : fresh.realIndexes) EXPECT_TRUE(fixture.leaves(real.firstPage).empty());
    }
}

std::string refusal(IndexWriter& writer, const TableLayout& table, const std::vector<Value>& values, const RowId* except = nullptr)
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
    WriterFixture fixture{test::makeSample(test::newPath(dir, "voorbeeld.mdb"), GetParam()), "Klant"};
    const std::size_t number = position("KlantNr");
    const std::size_t city = position("Plaats");
    TableLayout& table = fixture.layout;

    std::size_t position(const char* column) const { return static_cast<std::size_t>(fixture.layout.def.column(column)->ordinal - 1); }
    RealIndexLayout& cityIndex()
    {
        const auto at = std::find_if(table.def.indexes.begin(), table.def.indexes.end(), [](const IndexDef& i) { return i.name == "idxKlantPlaats"; });
        return table.realIndexes[static_cast<std::size_t>(table.realIndexOf[static_cast<std::size_t>(at - table.def.indexes.begin())])];
    }
};

// A row that repeats a stored key, leaves the primary key or a required index column empty, or has a text key
// with a character whose code is not verified, is refused with a message naming the index and the table;
// the row itself may keep its own key on update.
TEST_P(KlantIndexes, RowsTheIndexesCannotTakeAreRefused)
{
    const StoredRow& stored = fixture.rows.at(1);
    const std::string duplicate = refusal(fixture.writer(), table, stored.values);
    EXPECT_NE(duplicate.find("'pkKlant'"), std::string::npos) << duplicate;
    EXPECT_NE(duplicate.find("'Klant'"), std::string::npos) << duplicate;
    EXPECT_EQ(refusal(fixture.writer(), table, stored.values, &stored.id), "");

    std::vector<Value> row = stored.values;
    row[number] = Value{};
    const std::string null = refusal(fixture.writer(), table, row);
    EXPECT_NE(null.find("primaire sleutel 'pkKlant'"), std::string::npos) << null;

    row[number] = Value::int32(987654);
    row[city] = Value{};
    EXPECT_EQ(refusal(fixture.writer(), table, row), "");
    cityIndex().flags |= 0x08;
    const std::string message = refusal(fixture.writer(), table, row);
    EXPECT_NE(message.find("De index 'idxKlantPlaats'"), std::string::npos) << message;

    row[city] = Value::text("AB\xE4\xB8\xAD");  // U+4E2D
    EXPECT_EQ(refusal(fixture.writer(), table, row), unencodableKeyMessage(U'\x4E2D', "idxKlantPlaats", "Klant"));
    EXPECT_THROW(fixture.writer().insert(table, row, 0x12300), DbError);
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
        EXPECT_EQ(refusal(fixture.writer(), table, row), "");
        fixture.writer().insert(table, row, static_cast<RowId>(0x7000 + n));
    }
    EXPECT_EQ(fixture.leaves(real.firstPage).size(), before);
    real.flags = 0x01;
    fixture.writer().insert(table, row, 0x7100);
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
            const PageRef root = fixture.file().page(real.firstPage);
            ASSERT_EQ((*root)[0], intermediateIndexPageType);
            const std::uint32_t target = child == 0 ? real.firstPage : child;
            PageBytes& bytes = fixture.file().change(real.firstPage);
            for (int i = 0; i < 4; ++i)
                bytes[IndexPageLayout::of(version).tailPage + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(target >> (8 * i));
            const std::vector<Value> row{Value::int32(99999), Value::text("na elke sleutel")};  // the way leads through the tail
            try {
                fixture.writer().insert(fixture.layout, row, 0x7000);
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
        const std::string sample = test::makeSample(test::newPath(dir, "voorbeeld.mdb"), version).string();
        for (const auto& [path, table] : {std::pair{sample, "Klant"}, std::pair{sample, "Bestelregel"}, std::pair{makeNumbered(dir, version), "Regel"}}) {
            SCOPED_TRACE(std::string(version == Version::Jet4 ? "Jet4 / " : "Jet3 / ") + table);
            const test::ProcessResult before = test::runProcess({"mdb-export", path, table});
            ASSERT_EQ(before.exitCode, 0) << before.err;
            std::size_t rows = 0;
            {
                WriterFixture fixture(path, table);
                std::vector<StoredRow> stored = fixture.rows;
                rows = stored.size();
                std::shuffle(stored.begin(), stored.end(), std::mt19937(11));
                for (const StoredRow& row : stored) fixture.writer().remove(fixture.layout, row.values, row.id);
                std::shuffle(stored.begin(), stored.end(), std::mt19937(12));
                for (const StoredRow& row : stored) fixture.writer().insert(fixture.layout, row.values, row.id);
                for (const RealIndexLayout& real : fixture.layout.realIndexes) {
                    const writertest::IndexWalk walk = writertest::IndexWalker(fixture.file(), fixture.format().version).walk(real.firstPage);
                    EXPECT_EQ(walk.problem, "");
                    std::vector<std::uint32_t> owned = walk.pages;
                    std::sort(owned.begin(), owned.end());
                    EXPECT_EQ(usageMapPages(fixture.file(), fixture.format(), real.usedPagesMap), owned) << "the index's usage map";
                }
                for (const std::uint32_t page : fixture.file().changedPages()) fixture.file().writeBack(page);
                fixture.file().sync();
            }
            const test::ProcessResult after = test::runProcess({"mdb-export", path, table});
            EXPECT_EQ(after.exitCode, 0) << after.err;
            EXPECT_EQ(after.out, before.out);
            EXPECT_EQ(test::readRows(*test::openFile(path), table).size(), rows);
        }
    }
}

}  // namespace
