#include <gtest/gtest.h>

#include <functional>

#include "engine/writer_file_pages.h"
#include "jet/TableDefinitionWriter.h"
#include "sql/ColumnValue.h"
#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

// A table of every type the version knows, a Required text with a default and an AutoNumber key.
jet::TableDef artikel(jet::Version version)
{
    jet::TableDef def;
    def.name = "Artikel";
    jet::ColumnDef id = column("Nummer", jet::ColumnType::Long);
    id.autoNumber = true;
    def.columns.push_back(id);
    jet::ColumnDef name = column("Omschrijving", jet::ColumnType::Text, 40);
    name.required = true;
    name.defaultValue = "\"onbekend\"";
    def.columns.push_back(name);
    def.columns.push_back(column("Code", jet::ColumnType::Text));
    def.columns.push_back(column("Voorraad", jet::ColumnType::Integer));
    def.columns.push_back(column("Klein", jet::ColumnType::Byte));
    def.columns.push_back(column("Prijs", jet::ColumnType::Currency));
    def.columns.push_back(column("Gewicht", jet::ColumnType::Single));
    def.columns.push_back(column("Inhoud", jet::ColumnType::Double));
    def.columns.push_back(column("Sinds", jet::ColumnType::DateTime));
    def.columns.push_back(column("Leverbaar", jet::ColumnType::Boolean));
    def.columns.push_back(column("Notitie", jet::ColumnType::Memo));
    def.columns.push_back(column("Plaatje", jet::ColumnType::OleObject));
    def.columns.push_back(column("Sleutel", jet::ColumnType::Guid));
    def.columns.push_back(column("Ruw", jet::ColumnType::Binary, 16));
    if (version == jet::Version::Jet4) {
        jet::ColumnDef exact = column("Exact", jet::ColumnType::Decimal);
        exact.precision = 12;
        exact.scale = 3;
        def.columns.push_back(exact);
    }
    jet::IndexDef key;
    key.name = "PrimaryKey";
    key.primaryKey = true;
    key.unique = true;
    key.columns = {{0, true}};  // by place in def.columns
    def.indexes.push_back(key);
    return def;
}

std::vector<Value> artikelRow(const jet::TableDef& t, int n)
{
    std::vector<Value> row(t.columns.size(), Value::null());
    row[1] = Value::text("Artikel " + std::to_string(n));
    row[3] = Value::int16(static_cast<std::int16_t>(n * 3));
    row[5] = Value::currency(12345 * n);
    row[7] = Value::dbl(n + 0.5);
    row[9] = Value::boolean(n % 2 == 0);
    row[10] = Value::text(std::string(3000, 'm'));
    return row;
}

class CreateTables : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override { path = makeTextTable(dir, GetParam()); }

    ScratchDir dir;
    std::string path;
};

// A new table with rows: our engine, mdb-tables, mdb-schema, mdb-prop and mdb-export all see it after reopening.
TEST_P(CreateTables, NewTableReadsBackThreeWays)
{
    const jet::TableDef def = artikel(GetParam());
    runStatement(path, [&](jet::Database& db) {
        db.createTable(def);
        const jet::TableDef& t = db.table("artikel");
        for (int n = 1; n <= 3; ++n) db.insertRow(t, artikelRow(t, n));
    });

    auto db = openFile(path);
    const jet::TableDef& t = db->table("Artikel");
    ASSERT_EQ(t.columns.size(), def.columns.size());
    for (std::size_t i = 0; i < def.columns.size(); ++i) {
        SCOPED_TRACE(def.columns[i].name);
        EXPECT_EQ(t.columns[i].name, def.columns[i].name);
        EXPECT_EQ(t.columns[i].type, def.columns[i].type);
        EXPECT_EQ(t.columns[i].number, static_cast<int>(i));
    }
    EXPECT_EQ(t.columns[1].size, 40);
    EXPECT_EQ(t.columns[2].size, 255);
    EXPECT_TRUE(t.columns[1].required);
    EXPECT_EQ(t.columns[1].defaultValue, "\"onbekend\"");
    EXPECT_FALSE(t.columns[2].required);
    EXPECT_TRUE(t.columns[0].autoNumber);
    ASSERT_EQ(t.indexes.size(), 1u);
    EXPECT_TRUE(t.indexes[0].primaryKey);
    const Rows rows = readRows(*db, "Artikel");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][0].integer, 3);  // AutoNumber
    EXPECT_EQ(rows[1][10].bytes, std::string(3000, 'm'));
    expectConsistentTable(path, GetParam(), "Artikel", 3);
    {
        // Memo and OLE Object columns have their own usage maps, as Access gives them.
        writertest::FilePages file(path);
        const jet::TableLayout layout = file.table(t.definitionPage, "Artikel");
        ASSERT_EQ(layout.longValueMaps.size(), 2u);
        EXPECT_EQ(layout.longValueMaps[0].columnNumber, 10);
        EXPECT_NE(layout.longValueMaps[1].freeSpaceMap, 0u);
        EXPECT_EQ(layout.realIndexes.size(), 1u);
    }

    const auto tables = runProcess({"mdb-tables", "-1", path});
    EXPECT_NE(tables.out.find("Artikel\n"), std::string::npos) << tables.out;
    const auto schema = runProcess({"mdb-schema", "--indexes", "-T", "Artikel", path, "postgres"});
    EXPECT_NE(schema.out.find("\"omschrijving\""), std::string::npos) << schema.out;
    EXPECT_NE(schema.out.find("PRIMARY KEY (\"nummer\")"), std::string::npos) << schema.out;
    const auto props = runProcess({"mdb-prop", path, "Artikel"});
    EXPECT_NE(props.out.find("Required: yes"), std::string::npos) << props.out;
    const auto exported = runProcess({"mdb-export", path, "Artikel"});
    const auto csv = parseCsv(exported.out);
    ASSERT_EQ(csv.size(), 4u) << exported.err;
    EXPECT_EQ(csv[0][1], "Omschrijving");
    EXPECT_EQ(csv[3][1], "Artikel 3");
}

// Definitions that cannot be (a name that exists, a duplicate in a new unique index, a bad column, a change the
// rows cannot follow) fail their statement and leave every byte of the file.
TEST_P(CreateTables, RefusedDefinitionsLeaveTheFileAsItWas)
{
    runStatement(path, [&](jet::Database& db) {
        db.createTable(artikel(GetParam()));
        std::vector<Value> row(9, Value::null());
        row[0] = Value::text("geen getal");
        db.insertRow(db.table("Table1"), row);
    });
    const std::string original = readBytes(path);
    jet::TableDef system = artikel(GetParam());
    system.name = "msysobjects";
    jet::TableDef doubled = artikel(GetParam());
    doubled.name = "Dubbel";
    doubled.columns.push_back(column("code", jet::ColumnType::Long));
    const auto uniqueIndex = [](int columnNumber) {
        jet::IndexDef unique;
        unique.name = "Uniek";
        unique.unique = true;
        unique.columns = {{columnNumber, true}};
        return unique;
    };
    const std::function<void(jet::Database&)> refused[] = {
        [&](jet::Database& db) { db.createTable(artikel(GetParam())); },
        [&](jet::Database& db) { db.createTable(system); },
        [&](jet::Database& db) { db.createTable(doubled); },
        [&](jet::Database& db) {
            const jet::TableDef& t = db.table("Artikel");
            db.insertRow(t, artikelRow(t, 1));
            db.insertRow(t, artikelRow(t, 1));
            db.createIndex("Artikel", uniqueIndex(1));
        },
        [&](jet::Database& db) {
            db.insertRow(db.table("Table1"), std::vector<Value>(9, Value::text("dubbel")));
            db.insertRow(db.table("Table1"), std::vector<Value>(9, Value::text("dubbel")));
            db.createIndex("Table1", uniqueIndex(2));
        },
        [&](jet::Database& db) { db.dropTable("Bestaat niet"); },
        [&](jet::Database& db) { db.dropTable("MSysObjects"); },
        [&](jet::Database& db) { db.alterColumn("Table1", column("data1", jet::ColumnType::Long), sql::columnValue); },
        [&](jet::Database& db) { db.addColumn("Table1", column("DATA5", jet::ColumnType::Long)); },
        [&](jet::Database& db) { db.dropColumn("Table1", "bestaat niet"); },
        [&](jet::Database& db) { db.addColumn("Table1", column("Te lang", jet::ColumnType::Text, 300)); },
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) EXPECT_THROW(runStatement(path, refused[i]), DbError) << "refusal " << i;
    EXPECT_EQ(readBytes(path), original);
}

// A dropped table leaves the catalog and mdbtools' listing; another table made next is whole.
TEST_P(CreateTables, DroppedTableIsGoneEverywhere)
{
    runStatement(path, [&](jet::Database& db) {
        db.createTable(artikel(GetParam()));
        const jet::TableDef& t = db.table("Artikel");
        for (int n = 1; n <= 40; ++n) db.insertRow(t, artikelRow(t, n));
    });
    runStatement(path, [&](jet::Database& db) { db.dropTable("ARTIKEL"); });
    {
        auto db = openFile(path);
        for (const jet::CatalogEntry& entry : db->catalog()) EXPECT_NE(entry.name, "Artikel");
        EXPECT_THROW(db->table("Artikel"), DbError);
    }
    EXPECT_EQ(runProcess({"mdb-tables", "-1", path}).out.find("Artikel"), std::string::npos);

    jet::TableDef again = artikel(GetParam());
    again.name = "Klant";
    runStatement(path, [&](jet::Database& db) {
        db.createTable(again);
        const jet::TableDef& t = db.table("Klant");
        db.insertRow(t, artikelRow(t, 7));
    });
    auto db = openFile(path);
    EXPECT_EQ(readRows(*db, "Klant").size(), 1u);
    expectConsistentTable(path, GetParam(), "Klant", 1);
}

// A definition too long for one page continues on linked pages and stays whole when columns go.
TEST_P(CreateTables, LongDefinitionsSpanLinkedPages)
{
    jet::TableDef wide;
    wide.name = "Breed";
    for (int c = 0; c < 120; ++c)
        wide.columns.push_back(column("Een tamelijk lange kolomnaam nummer " + std::to_string(c),
                                      c % 3 == 0 ? jet::ColumnType::Text : jet::ColumnType::Long, 10));
    runStatement(path, [&](jet::Database& db) {
        db.createTable(wide);
        const jet::TableDef& t = db.table("Breed");
        std::vector<Value> row(t.columns.size(), Value::null());
        row[0] = Value::text("eerste");
        row[119] = Value::int32(119);
        db.insertRow(t, row);
    });
    const auto pagesOf = [&] {
        auto db = openFile(path);
        writertest::FilePages file(path);
        return jet::definitionPageChain(file.pages(), db->table("Breed").definitionPage).size();
    };
    EXPECT_GE(pagesOf(), 2u);
    runStatement(path, [&](jet::Database& db) {
        for (int c = 1; c < 120; ++c)
            if (c % 3 == 0) db.dropColumn("Breed", "Een tamelijk lange kolomnaam nummer " + std::to_string(c));
    });
    auto db = openFile(path);
    const jet::TableDef& t = db->table("Breed");
    EXPECT_EQ(t.columns.size(), 81u);
    const Rows rows = readRows(*db, "Breed");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].bytes, "eerste");
    EXPECT_EQ(rows[0].back().integer, 119);
    const auto csv = parseCsv(runProcess({"mdb-export", path, "Breed"}).out);
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[0].size(), 81u);
    EXPECT_EQ(csv[1].back(), "119");
}

INSTANTIATE_TEST_SUITE_P(Versions, CreateTables, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
