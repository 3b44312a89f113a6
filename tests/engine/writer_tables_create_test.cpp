#include <gtest/gtest.h>

#include <functional>

#include "engine/writer_file_pages.h"
#include "jet/tables/TableDefinitionWriter.h"
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
    using T = jet::ColumnType;
    jet::TableDef def;
    def.name = "Artikel";
    const std::pair<const char*, T> columns[] = {
        {"Nummer", T::Long},    {"Omschrijving", T::Text}, {"Code", T::Text},      {"Voorraad", T::Integer},
        {"Klein", T::Byte},     {"Prijs", T::Currency},    {"Gewicht", T::Single}, {"Inhoud", T::Double},
        {"Sinds", T::DateTime}, {"Leverbaar", T::Boolean}, {"Notitie", T::Memo},   {"Plaatje", T::OleObject},
        {"Sleutel", T::Guid},   {"Ruw", T::Binary},        {"Exact", T::Decimal}};
    for (const auto& [name, type] : columns)
        if (type != T::Decimal || version == jet::Version::Jet4) def.columns.push_back(column(name, type));
    def.columns[0].autoNumber = true;
    def.columns[1].size = 40;
    def.columns[1].required = true;
    def.columns[1].defaultValue = "\"onbekend\"";
    def.columns[13].size = 16;
    if (version == jet::Version::Jet4) {
        def.columns[14].precision = 12;
        def.columns[14].scale = 3;
    }
    def.indexes.push_back(
        {.name = "PrimaryKey", .columns = {{0, true}}, .unique = true, .primaryKey = true});  // by place in def.columns
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

using CreateTables = OnTextTable;

// A new table with rows: our engine, mdb-prop and mdb-export see its rows and column properties after reopening,
// and the properties go again when unset.
// (Types and keys as mdb-schema reads them: DefinitionOnFile.CreateTableWithEveryTypeReadsBackTheSameWays.)
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
    EXPECT_EQ(t.columns[2].size, 255);
    EXPECT_TRUE(t.columns[1].required);
    EXPECT_EQ(t.columns[1].defaultValue, "\"onbekend\"");
    EXPECT_FALSE(t.columns[2].required);
    EXPECT_TRUE(t.columns[0].autoNumber);
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

    const auto props = runProcess({"mdb-prop", path, "Artikel"});
    EXPECT_NE(props.out.find("Required: yes"), std::string::npos) << props.out;
    const auto exported = runProcess({"mdb-export", path, "Artikel"});
    const auto csv = parseCsv(exported.out);
    ASSERT_EQ(csv.size(), 4u) << exported.err;
    EXPECT_EQ(csv[0][1], "Omschrijving");
    EXPECT_EQ(csv[3][1], "Artikel 3");

    // Unset again, Required and DefaultValue leave no trace.
    runStatement(path, [](jet::Database& writer) {
        writer.alterColumn("Artikel", column("Omschrijving", jet::ColumnType::Text, 40), sql::columnValue);
    });
    const auto altered = openFile(path);
    const jet::ColumnDef& plain = *altered->table("Artikel").column("Omschrijving");
    EXPECT_EQ(std::pair(plain.required, plain.defaultValue), std::pair(false, std::string()));
    EXPECT_EQ(runProcess({"mdb-prop", path, "Artikel"}).out.find("Required: yes"), std::string::npos);
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
        return jet::IndexDef{.name = "Uniek", .columns = {{columnNumber, true}}, .unique = true};
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
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_THROW(runStatement(path, refused[i]), DbError) << "refusal " << i;
    EXPECT_EQ(readBytes(path), original);
}

// A dropped table of long values leaves the catalog; another table made next is whole. (mdbtools' listing:
// DefinitionOnFile.IndexesComeAndGoAndTablesDrop.)
TEST_P(CreateTables, DroppedTableIsGoneEverywhere)
{
    runStatement(path, [&](jet::Database& db) {
        db.createTable(artikel(GetParam()));
        const jet::TableDef& t = db.table("Artikel");
        for (int n = 1; n <= 40; ++n) db.insertRow(t, artikelRow(t, n));
    });
    runStatement(path, [&](jet::Database& db) { db.dropTable("ARTIKEL"); });
    EXPECT_THROW(openFile(path)->table("Artikel"), DbError);

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
    EXPECT_GE(
        jet::definitionPageChain(writertest::FilePages(path).pages(), openFile(path)->table("Breed").definitionPage)
            .size(),
        2u);
    runStatement(path, [&](jet::Database& db) {
        for (int c = 1; c < 120; ++c)
            if (c % 3 == 0) db.dropColumn("Breed", "Een tamelijk lange kolomnaam nummer " + std::to_string(c));
    });
    std::vector<Value> expected(81, Value::null());
    expected[0] = Value::text("eerste");
    expected[80] = Value::int32(119);
    EXPECT_EQ(readRows(*openFile(path), "Breed"), Rows{expected});
    const auto csv = parseCsv(runProcess({"mdb-export", path, "Breed"}).out);
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(std::pair(csv[0].size(), csv[1].back()), std::pair(std::size_t{81}, std::string("119")));
}

INSTANTIATE_TEST_SUITE_P(Versions, CreateTables, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
