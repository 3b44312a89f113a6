#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/Error.h"
#include "engine/jet_test_files.h"
#include "engine/writer_corpus_index.h"
#include "engine/writer_index_walk.h"
#include "jet/IndexKey.h"
#include "jet/IndexWriter.h"
#include "jet/PageAllocator.h"
#include "jet/UsageMap.h"
#include "support/Process.h"

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

// A corpus table opened twice: read-only through the engine for its rows, and as a scratch copy to write.
class WriterFixture {
public:
    WriterFixture(const std::string& file, const std::string& table)
        : db_(test::openCorpus(file)), copyPath_(scratch_.copyOf(file)), copy_(copyPath_), pages_(copy_.pages(), copy_.format()),
          writer_(copy_.pages(), copy_.format(), pages_)
    {
        layout = copy_.table(db_->table(table).definitionPage, table);
        rows = storedRows(*db_, table);
    }

    std::vector<IndexEntry> leaves(std::uint32_t root)
    {
        const writertest::IndexWalk walk = writertest::IndexWalker(copy_.pages(), copy_.version()).walk(root);
        EXPECT_EQ(walk.problem, "") << "root " << root;
        return walk.leaves;
    }

    std::string path() const { return copyPath_; }
    IndexWriter& writer() { return writer_; }
    const Format& format() const { return copy_.format(); }
    PageFile& file() { return copy_.pages(); }

    TableLayout layout;
    std::vector<StoredRow> rows;

private:
    test::ScratchDir scratch_;
    std::unique_ptr<Database> db_;
    std::string copyPath_;
    writertest::CorpusFile copy_;
    PageAllocator pages_;
    IndexWriter writer_;
};

void expectSameEntries(const std::vector<IndexEntry>& ours, const std::vector<IndexEntry>& access)
{
    ASSERT_EQ(ours.size(), access.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        ASSERT_EQ(writertest::hex(ours[i].key), writertest::hex(access[i].key)) << "entry " << i;
        ASSERT_EQ(ours[i].dataPage, access[i].dataPage) << "entry " << i;
        ASSERT_EQ(ours[i].dataRow, access[i].dataRow) << "entry " << i;
    }
}

struct CorpusTable {
    const char* file;
    const char* table;
};

class IndexesFromRows : public ::testing::TestWithParam<CorpusTable> {};

// Every row of a corpus table put into new, empty indexes gives exactly Access's leaf entries, byte for
// byte, however the pages split; taking the rows out again empties them.
TEST_P(IndexesFromRows, EqualAccessLeaves)
{
    QUERIMO_REQUIRE_CORPUS();
    WriterFixture fixture(GetParam().file, GetParam().table);
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

INSTANTIATE_TEST_SUITE_P(Jet3, IndexesFromRows,
                         ::testing::Values(CorpusTable{"compIndexTestV1997.mdb", "Table1"},
                                           CorpusTable{"indexTestV1997.mdb", "Table1"}));
INSTANTIATE_TEST_SUITE_P(Jet4, IndexesFromRows,
                         ::testing::Values(CorpusTable{"compIndexTestV2000.mdb", "Table1"},
                                           CorpusTable{"northwind-jet4.mdb", "Order Details"},
                                           CorpusTable{"northwind-jet4.mdb", "Employees"}, CorpusTable{"northwind-jet4.mdb", "Shippers"},
                                           CorpusTable{"northwind-jet4.mdb", "Categories"}));

const IndexDef* primaryKey(const TableDef& table)
{
    const auto at = std::find_if(table.indexes.begin(), table.indexes.end(), [](const IndexDef& i) { return i.primaryKey; });
    return at == table.indexes.end() ? nullptr : &*at;
}

std::size_t positionOf(const TableDef& table, int columnNumber)
{
    for (std::size_t p = 0; p < table.columns.size(); ++p)
        if (table.columns[p].number == columnNumber) return p;
    return table.columns.size();
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

// A row that repeats a stored key, or leaves a primary key or a required index column empty, is refused
// with a message naming the index and the table; the row itself may keep its own key on update.
TEST(IndexWriterCheck, RefusesDuplicatesAndNulls)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"northwind-jet4.mdb", "indexTestV1997.mdb"}) {
        SCOPED_TRACE(file);
        const std::string table = std::string(file).starts_with("northwind") ? "Orders" : "Table1";
        WriterFixture fixture(file, table);
        const IndexDef* key = primaryKey(fixture.layout.def);
        ASSERT_NE(key, nullptr);
        const StoredRow& stored = fixture.rows.at(1);

        const std::string duplicate = refusal(fixture.writer(), fixture.layout, stored.values);
        EXPECT_NE(duplicate.find("'" + key->name + "'"), std::string::npos) << duplicate;
        EXPECT_NE(duplicate.find("'" + table + "'"), std::string::npos) << duplicate;
        EXPECT_EQ(refusal(fixture.writer(), fixture.layout, stored.values, &stored.id), "");

        std::vector<Value> noKey = stored.values;
        noKey[positionOf(fixture.layout.def, key->columns.front().columnNumber)] = Value{};
        const std::string null = refusal(fixture.writer(), fixture.layout, noKey);
        EXPECT_NE(null.find("primaire sleutel '" + key->name + "'"), std::string::npos) << null;

        // The same row as a new one with a fresh key passes, until an index demands a value it lacks.
        std::vector<Value> fresh = stored.values;
        for (std::size_t i = 0; i < fixture.layout.def.indexes.size(); ++i)
            for (const IndexColumn& c : fixture.layout.def.indexes[i].columns) {
                const std::size_t p = positionOf(fixture.layout.def, c.columnNumber);
                if (fixture.layout.def.columns[p].type == ColumnType::Long) fresh[p] = Value::int32(987654 + static_cast<int>(p));
                else if (!fixture.layout.def.indexes[i].primaryKey) fresh[p] = Value{};
            }
        EXPECT_EQ(refusal(fixture.writer(), fixture.layout, fresh), "");
        TableLayout required = fixture.layout;
        for (std::size_t i = 0; i < required.def.indexes.size(); ++i) {
            if (required.def.indexes[i].primaryKey) continue;
            const std::size_t p = positionOf(required.def, required.def.indexes[i].columns.front().columnNumber);
            if (!fresh[p].isNull()) continue;
            required.realIndexes[static_cast<std::size_t>(required.realIndexOf[i])].flags |= 0x08;
            const std::string message = refusal(fixture.writer(), required, fresh);
            EXPECT_NE(message.find("De index '" + required.def.indexes[i].name + "'"), std::string::npos) << message;
            break;
        }
    }
}

// A text key with a character whose code is not verified is refused before anything is written.
TEST(IndexWriterCheck, RefusesUnencodableText)
{
    QUERIMO_REQUIRE_CORPUS();
    WriterFixture fixture("northwind-jet4.mdb", "Customers");
    const IndexDef* key = primaryKey(fixture.layout.def);
    ASSERT_NE(key, nullptr);
    std::vector<Value> row = fixture.rows.front().values;
    const std::size_t p = positionOf(fixture.layout.def, key->columns.front().columnNumber);
    ASSERT_EQ(fixture.layout.def.columns[p].type, ColumnType::Text);
    row[p] = Value::text("AB\xE4\xB8\xAD");  // U+4E2D
    EXPECT_EQ(refusal(fixture.writer(), fixture.layout, row), unencodableKeyMessage(U'\x4E2D', key->name, "Customers"));
    EXPECT_THROW(fixture.writer().insert(fixture.layout, row, 0x12300), DbError);
}

// Rows whose key columns are all Null stay out of an index that ignores Nulls, and never clash in a
// unique one.
TEST(IndexWriterCheck, AllNullKeysFollowTheIndexFlags)
{
    QUERIMO_REQUIRE_CORPUS();
    WriterFixture fixture("northwind-jet4.mdb", "Orders");
    TableLayout table = fixture.layout;
    std::vector<Value> row = fixture.rows.front().values;
    std::size_t nullable = table.def.indexes.size();
    for (std::size_t i = 0; i < table.def.indexes.size(); ++i) {
        if (table.def.indexes[i].primaryKey || table.def.indexes[i].columns.size() != 1) continue;
        nullable = i;
        row[positionOf(table.def, table.def.indexes[i].columns.front().columnNumber)] = Value{};
        break;
    }
    ASSERT_LT(nullable, table.def.indexes.size());
    RealIndexLayout& real = table.realIndexes[static_cast<std::size_t>(table.realIndexOf[nullable])];
    const std::size_t before = fixture.leaves(real.firstPage).size();
    real.flags = 0x01 | 0x02;  // unique, ignore Nulls
    table.def.indexes[nullable].unique = true;
    const std::size_t keyColumn = positionOf(table.def, primaryKey(table.def)->columns.front().columnNumber);
    for (int n = 0; n < 2; ++n) {
        row[keyColumn] = Value::int32(900000 + n);
        EXPECT_EQ(refusal(fixture.writer(), table, row), "");
        fixture.writer().insert(table, row, static_cast<RowId>(0x7000 + n));
    }
    EXPECT_EQ(fixture.leaves(real.firstPage).size(), before);
    real.flags = 0x01;
    fixture.writer().insert(table, row, 0x7100);
    EXPECT_EQ(fixture.leaves(real.firstPage).size(), before + 1);
}

// A damaged tree (a page that leads back to itself, a child outside the file) gives a Dutch error that
// names the file instead of a hang or a crash.
TEST(IndexWriterFile, DamagedTreesAreRefused)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const std::uint32_t child : {0u, 1u << 22}) {
        WriterFixture fixture("northwind-jet4.mdb", "Order Details");
        const RealIndexLayout& real = fixture.layout.realIndexes.front();
        const PageRef root = fixture.file().page(real.firstPage);
        ASSERT_EQ((*root)[0], intermediateIndexPageType);
        const std::uint32_t target = child == 0 ? real.firstPage : child;
        PageBytes& bytes = fixture.file().change(real.firstPage);
        for (int i = 0; i < 4; ++i)
            bytes[IndexPageLayout::of(Version::Jet4).tailPage + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(target >> (8 * i));
        const StoredRow& last = fixture.rows.back();
        std::vector<Value> row = last.values;
        row[0] = Value::int32(99999);  // after every stored key, so the way leads through the tail
        try {
            fixture.writer().insert(fixture.layout, row, 0x7000);
            ADD_FAILURE() << "no error for a damaged index";
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find("beschadigd"), std::string::npos) << e.what();
        }
    }
}

class RebuiltIndexes : public ::testing::TestWithParam<CorpusTable> {};

// Indexes rebuilt in place (every row out, then in again, in random orders) and written to the file: each
// index's usage map marks exactly its pages, and mdbtools reads the table as before. (mdbtools' own SQL
// finds rows without the index, so it cannot check the index itself.)
TEST_P(RebuiltIndexes, MdbtoolsReadsTheTable)
{
    QUERIMO_REQUIRE_CORPUS();
    const CorpusTable& param = GetParam();
    const test::ProcessResult before = test::runProcess({"mdb-export", test::corpusPath(param.file), param.table});
    if (before.exitCode != 0) GTEST_SKIP() << "mdb-export not available";
    WriterFixture fixture(param.file, param.table);
    std::vector<StoredRow> rows = fixture.rows;
    std::shuffle(rows.begin(), rows.end(), std::mt19937(11));
    for (const StoredRow& row : rows) fixture.writer().remove(fixture.layout, row.values, row.id);
    std::shuffle(rows.begin(), rows.end(), std::mt19937(12));
    for (const StoredRow& row : rows) fixture.writer().insert(fixture.layout, row.values, row.id);
    for (const RealIndexLayout& real : fixture.layout.realIndexes) {
        const writertest::IndexWalk walk = writertest::IndexWalker(fixture.file(), fixture.format().version).walk(real.firstPage);
        std::vector<std::uint32_t> owned = walk.pages;
        std::sort(owned.begin(), owned.end());
        EXPECT_EQ(usageMapPages(fixture.file(), fixture.format(), real.usedPagesMap), owned) << "the index's usage map";
    }
    for (const std::uint32_t page : fixture.file().changedPages()) fixture.file().writeBack(page);
    fixture.file().sync();

    const test::ProcessResult after = test::runProcess({"mdb-export", fixture.path(), param.table});
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(after.out, before.out);
    OpenOptions reopen;
    reopen.path = fixture.path();
    EXPECT_EQ(test::readRows(*Database::open(reopen), param.table).size(), rows.size());
}

INSTANTIATE_TEST_SUITE_P(Jet3, RebuiltIndexes,
                         ::testing::Values(CorpusTable{"compIndexTestV1997.mdb", "Table1"}));
INSTANTIATE_TEST_SUITE_P(Jet4, RebuiltIndexes,
                         ::testing::Values(CorpusTable{"northwind-jet4.mdb", "Order Details"},
                                           CorpusTable{"compIndexTestV2000.mdb", "Table1"}));

}  // namespace
