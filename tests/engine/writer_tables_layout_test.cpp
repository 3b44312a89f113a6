// Table definitions and their property maps as Access wrote them in the corpus, against what our writer makes
// of them. (Their indexes: CorpusIndexKeys.EncodedKeysEqualStoredKeys.)
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <sstream>
#include <tuple>

#include "engine/writer_file_pages.h"
#include "jet/Database.h"
#include "jet/tables/NewTableLayout.h"
#include "jet/tables/PropertyMapWriter.h"
#include "jet/tables/TableDefinitionWriter.h"
#include "support/Corpus.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

ByteView view(const std::string& bytes)
{
    return ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Properties by "object.name", as (type, bytes).
std::map<std::string, std::pair<int, std::string>> flat(const PropertyMaps& maps)
{
    std::map<std::string, std::pair<int, std::string>> out;
    for (const auto& [object, properties] : maps)
        for (const auto& [name, property] : properties) out[object + "." + name] = {property.type, property.bytes};
    return out;
}

// Every property map of the corpus, written again and read back, holds the same properties.
TEST(PropertyMapWriter, EveryCorpusPropertyMapReadsBackTheSame)
{
    QUERIMO_REQUIRE_CORPUS();
    int maps = 0;
    for (const auto& path : test::corpusFiles()) {
        const auto db = test::openFile(path.string());
        const TableDef& objects = db->table("MSysObjects");
        const std::size_t prop = static_cast<std::size_t>(objects.column("LvProp")->ordinal - 1);
        std::vector<Value> row;
        for (const auto scan = db->scan(objects); scan->next(row);) {
            if (row[prop].kind != Value::Kind::Binary) continue;
            SCOPED_TRACE(path.filename().string());
            const PropertyMaps read = readPropertyMaps(view(row[prop].bytes), db->version());
            const std::string written = writePropertyMaps(read, db->version());
            const PropertyMaps again = readPropertyMaps(view(written), db->version());
            EXPECT_EQ(again.size(), read.size());
            EXPECT_EQ(flat(again), flat(read));
            ++maps;
        }
    }
    EXPECT_GT(maps, 50);
}

// The columns of tables Access made in one go (no column ever dropped) laid out anew land where Access put
// them: the same numbers, fixed offsets, variable entries, lengths and type flags.
// Per column: number, variable entry, length, type flags and (fixed columns only) offset.
std::vector<std::tuple<int, int, int, int, int>> placed(const TableLayout& t)
{
    std::vector<std::tuple<int, int, int, int, int>> out{{-1, t.variableColumns, 0, 0, 0}};
    for (std::size_t i = 0; i < t.def.columns.size(); ++i)
        out.emplace_back(t.def.columns[i].number, t.storage[i].variableIndex, t.storage[i].length,
                         t.storage[i].flags & 0x45, t.def.columns[i].fixed ? t.storage[i].fixedOffset : -1);
    return out;
}

TEST(NewTableLayout, PlacesColumnsWhereAccessPlacedThem)
{
    const char* const files[] = {"testV2000.mdb", "testV1997.mdb", "indexTestV1997.mdb", "compIndexTestV2000.mdb",
                                 "fixedNumericTestV2000.mdb"};
    for (const char* name : files) QUERIMO_REQUIRE_CORPUS_FILE(name);
    int tables = 0;
    for (const char* name : files) {
        const auto path = test::corpusFile(name);
        const auto db = test::openFile(path.string());
        writertest::FilePages file(path);
        for (const CatalogEntry& entry : db->catalog()) {
            if (entry.kind != ObjectKind::Table) continue;
            const TableLayout stored = file.table(db->table(entry.name).definitionPage, entry.name);
            bool fresh = stored.maxColumns == static_cast<int>(stored.def.columns.size());
            for (std::size_t i = 0; i < stored.def.columns.size(); ++i)
                fresh = fresh && stored.def.columns[i].number == static_cast<int>(i);
            if (!fresh) continue;
            SCOPED_TRACE(std::string(name) + " / " + entry.name);
            const TableLayout made = newTableLayout(file.format(), stored.def);
            EXPECT_EQ(placed(made), placed(stored));
            ++tables;
        }
    }
    EXPECT_GE(tables, 8);
}

// Column names with characters Access does not allow in them are refused. (Decimal in Jet 3, text over 255
// characters and a name twice: DefinitionOnFile and CreateTables.RefusedDefinitionsLeaveTheFileAsItWas.)
TEST(NewTableLayout, RefusesNamesAccessRefuses)
{
    TableDef def;
    def.name = "Nieuw";
    def.columns.resize(1);
    def.columns[0].type = ColumnType::Long;
    for (const char* bad :
         {"", " voorloop", "met.punt", "uit!roep", "[haak]", "tab\tteken", "Prijs in €, 'excl.' btw"}) {
        def.columns[0].name = bad;
        EXPECT_THROW(newTableLayout(Format::of(Version::Jet4), def), DbError) << bad;
    }
    for (const std::string& good : {std::string(64, 'x'), std::string("Prijs in € (excl btw) #2")}) {
        def.columns[0].name = good;
        EXPECT_NO_THROW(newTableLayout(Format::of(Version::Jet4), def)) << good;
    }
}

// Offsets where two pages differ within the first `used` bytes, as "offset: stored/written" pairs.
std::string differences(const PageBytes& stored, const PageBytes& written, std::size_t used)
{
    std::ostringstream out;
    int shown = 0;
    for (std::size_t i = 0; i < used && shown < 12; ++i)
        if (stored[i] != written[i]) {
            out << i << ": " << std::hex << int(stored[i]) << "/" << int(written[i]) << std::dec << "  ";
            ++shown;
        }
    return out.str();
}

// Every table definition read and written back gives the bytes Access stored.
TEST(TableDefinitionWriter, RewritesEveryCorpusDefinitionByteForByte)
{
    QUERIMO_REQUIRE_CORPUS();
    int tables = 0, pages = 0;
    for (const auto& path : test::corpusFiles()) {
        const auto db = test::openFile(path.string());
        writertest::FilePages file(path);
        for (const CatalogEntry& entry : db->catalog()) {
            if (entry.kind != ObjectKind::Table && entry.kind != ObjectKind::SystemTable) continue;
            SCOPED_TRACE(path.filename().string() + " / " + entry.name);
            const TableLayout layout = file.table(db->table(entry.name).definitionPage, entry.name);
            const std::vector<std::uint8_t> bytes = encodeTableDefinition(file.format(), layout);
            const std::vector<std::uint32_t> chain = definitionPageChain(file.pages(), layout.def.definitionPage);
            ASSERT_EQ(definitionPageCount(file.format(), bytes.size()), chain.size());
            const std::vector<PageBytes> written = definitionPages(file.format(), bytes, chain);
            std::size_t left = bytes.size() + 8 * (chain.size() - 1);
            for (std::size_t i = 0; i < chain.size(); ++i, ++pages) {
                const std::size_t used = std::min(left, file.format().pageSize);
                left -= used;
                const PageRef stored = file.pages().page(chain[i]);
                EXPECT_TRUE(std::equal(stored->begin(), stored->begin() + used, written[i].begin()))
                    << "page " << chain[i] << " " << differences(*stored, written[i], used);
            }
            ++tables;
        }
    }
    EXPECT_GT(tables, 150);
    EXPECT_GT(pages, tables);
}

}  // namespace
