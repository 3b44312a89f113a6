#include <gtest/gtest.h>

#include "engine/writer_file_pages.h"
#include "jet/Database.h"
#include "jet/NewTableLayout.h"
#include "jet/PropertyMapWriter.h"
#include "support/Corpus.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

ByteView view(const std::string& bytes)
{
    return ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Every property map of the corpus, written again and read back, holds the same properties.
TEST(PropertyMapWriter, EveryCorpusPropertyMapReadsBackTheSame)
{
    QUERIMO_REQUIRE_CORPUS();
    int maps = 0;
    for (const auto& path : test::corpusFiles()) {
        OpenOptions options;
        options.path = path.string();
        const auto db = Database::open(options);
        const TableDef& objects = db->table("MSysObjects");
        const std::size_t prop = static_cast<std::size_t>(objects.column("LvProp")->ordinal - 1);
        std::vector<Value> row;
        for (const auto scan = db->scan(objects); scan->next(row);) {
            if (row[prop].kind != Value::Kind::Binary) continue;
            SCOPED_TRACE(path.filename().string());
            const PropertyMaps read = readPropertyMaps(view(row[prop].bytes), db->version());
            const std::string written = writePropertyMaps(read, db->version());
            const PropertyMaps again = readPropertyMaps(view(written), db->version());
            ASSERT_EQ(again.size(), read.size());
            for (const auto& [object, properties] : read) {
                ASSERT_TRUE(again.count(object)) << object;
                ASSERT_EQ(again.at(object).size(), properties.size()) << object;
                for (const auto& [name, property] : properties) {
                    EXPECT_EQ(again.at(object).at(name).type, property.type) << object << "." << name;
                    EXPECT_EQ(again.at(object).at(name).bytes, property.bytes) << object << "." << name;
                }
            }
            ++maps;
        }
    }
    EXPECT_GT(maps, 50);
}

// Required and DefaultValue set on a column read back as the engine reads them, in both versions; unset
// they leave no trace.
TEST(PropertyMapWriter, ColumnPropertiesReadBackAndGoAgain)
{
    for (Version version : {Version::Jet4, Version::Jet3}) {
        ColumnDef column;
        column.name = "Prijs€";
        column.required = true;
        column.defaultValue = "=Date() + 1";
        PropertyMaps maps;
        maps[""]["Orientation"] = StoredProperty{2, std::string(1, '\0')};
        setColumnProperties(maps, column, version);
        const PropertyMaps read = readPropertyMaps(view(writePropertyMaps(maps, version)), version);
        EXPECT_TRUE(propertyIsTrue(read, "Prijs€", "Required"));
        EXPECT_EQ(propertyText(read, "Prijs€", "DefaultValue", version), "=Date() + 1");
        EXPECT_TRUE(read.count(""));

        column.required = false;
        column.defaultValue.clear();
        setColumnProperties(maps, column, version);
        EXPECT_FALSE(readPropertyMaps(view(writePropertyMaps(maps, version)), version).count("Prijs€"));
    }
}

// The columns of tables Access made in one go (no column ever dropped) laid out anew land where Access put
// them: the same numbers, fixed offsets, variable entries, lengths and type flags.
TEST(NewTableLayout, PlacesColumnsWhereAccessPlacedThem)
{
    const char* const files[] = {"testV2000.mdb", "testV1997.mdb", "indexTestV1997.mdb", "compIndexTestV2000.mdb",
                                 "fixedNumericTestV2000.mdb"};
    for (const char* name : files) QUERIMO_REQUIRE_CORPUS_FILE(name);
    int tables = 0;
    for (const char* name : files) {
        const auto path = test::corpusFile(name);
        OpenOptions options;
        options.path = path.string();
        const auto db = Database::open(options);
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
            ASSERT_EQ(made.def.columns.size(), stored.def.columns.size());
            EXPECT_EQ(made.variableColumns, stored.variableColumns);
            for (std::size_t i = 0; i < made.def.columns.size(); ++i) {
                SCOPED_TRACE(stored.def.columns[i].name);
                EXPECT_EQ(made.def.columns[i].number, stored.def.columns[i].number);
                EXPECT_EQ(made.storage[i].variableIndex, stored.storage[i].variableIndex);
                EXPECT_EQ(made.storage[i].length, stored.storage[i].length);
                EXPECT_EQ(made.storage[i].flags & 0x45, stored.storage[i].flags & 0x45);
                if (stored.def.columns[i].fixed) {
                    EXPECT_EQ(made.storage[i].fixedOffset, stored.storage[i].fixedOffset);
                }
            }
            ++tables;
        }
    }
    EXPECT_GE(tables, 8);
}

// Definitions Access refuses are refused: Decimal in Jet 3, text over 255 characters, a name twice, names with
// characters Access does not allow in them.
TEST(NewTableLayout, RefusesWhatAccessRefuses)
{
    TableDef def;
    def.name = "Nieuw";
    for (ColumnType type : {ColumnType::Text, ColumnType::Memo, ColumnType::Decimal}) {
        ColumnDef c;
        c.name = "k" + std::to_string(def.columns.size());
        c.type = type;
        def.columns.push_back(c);
    }
    EXPECT_THROW(newTableLayout(Format::of(Version::Jet3), def), DbError);  // no Decimal in Jet 3
    def.columns[0].size = 256;
    EXPECT_THROW(newTableLayout(Format::of(Version::Jet4), def), DbError);
    def.columns[0].size = 10;
    def.columns[1].name = "K0";
    EXPECT_THROW(newTableLayout(Format::of(Version::Jet4), def), DbError);
    for (const char* bad : {"", " voorloop", "met.punt", "uit!roep", "[haak]", "tab\tteken"}) {
        def.columns[1].name = bad;
        EXPECT_THROW(newTableLayout(Format::of(Version::Jet4), def), DbError) << bad;
    }
    def.columns[1].name = std::string(64, 'x');
    EXPECT_NO_THROW(newTableLayout(Format::of(Version::Jet4), def));
    def.columns[1].name = "Prijs in €, 'excl.' btw";
    EXPECT_THROW(newTableLayout(Format::of(Version::Jet4), def), DbError);  // the period
    def.columns[1].name = "Prijs in € (excl btw) #2";
    EXPECT_NO_THROW(newTableLayout(Format::of(Version::Jet4), def));
}

}  // namespace
