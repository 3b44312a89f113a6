// The catalog and table definitions of real Access files, as Access and mdbtools show them.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet_test_files.h"

namespace querimo::test {
namespace {

using jet::ColumnType;
using jet::ObjectKind;

std::vector<std::string> namesOf(const jet::Database& db, ObjectKind kind)
{
    std::vector<std::string> names;
    for (const jet::CatalogEntry& e : db.catalog())
        if (e.kind == kind) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

const jet::IndexDef& indexNamed(const jet::TableDef& table, const std::string& name)
{
    for (const jet::IndexDef& index : table.indexes)
        if (index.name == name) return index;
    throw std::runtime_error("no index " + name);
}

std::vector<std::string> keyNames(const jet::TableDef& table, const jet::IndexDef& index)
{
    std::vector<std::string> names;
    for (const jet::IndexColumn& key : index.columns)
        names.push_back(table.columnByNumber(key.columnNumber)->name + (key.ascending ? "" : " DESC"));
    return names;
}

TEST(JetCatalog, ListsObjectsByKindInBothVersions)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"testV1997.mdb", "testV2000.mdb"}) {
        const auto db = openCorpus(file);
        EXPECT_EQ(namesOf(*db, ObjectKind::Table), (std::vector<std::string>{"Table1", "Table2", "Table3", "Table4"}))
            << file;
        const auto system = namesOf(*db, ObjectKind::SystemTable);
        EXPECT_NE(std::find(system.begin(), system.end(), "MSysObjects"), system.end()) << file;
    }
    EXPECT_EQ(openCorpus("testV1997.mdb")->version(), jet::Version::Jet3);
    EXPECT_EQ(openCorpus("testV2000.mdb")->version(), jet::Version::Jet4);
}

TEST(JetCatalog, StoredQueriesIncludingHiddenOnes)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto northwind = openCorpus("northwind-jet4.mdb");
    const auto queries = namesOf(*northwind, ObjectKind::Query);
    EXPECT_EQ(queries.size(), 52u);
    EXPECT_EQ(std::count_if(queries.begin(), queries.end(), [](const std::string& n) { return n[0] == '~'; }), 31);
    EXPECT_EQ(namesOf(*northwind, ObjectKind::Table).size(), 8u);

    const auto queryTest = openCorpus("queryTestV1997.mdb");
    EXPECT_EQ(namesOf(*queryTest, ObjectKind::Query).size(), 9u);
    for (const jet::CatalogEntry& e : queryTest->catalog()) {
        if (e.name == "SelectQuery") {
            EXPECT_FALSE(queryTest->queryRows(e.id).empty());
        }
    }
}

TEST(JetCatalog, ColumnTypesSizesAndOrder)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"testV1997.mdb", "testV2000.mdb"}) {
        const auto db = openCorpus(file);
        const jet::TableDef& t = db->table("table1");  // names compare without letter case
        ASSERT_EQ(t.columns.size(), 9u) << file;
        const ColumnType expected[] = {ColumnType::Text,     ColumnType::Text,     ColumnType::Byte,
                                       ColumnType::Integer,  ColumnType::Long,     ColumnType::Double,
                                       ColumnType::DateTime, ColumnType::Currency, ColumnType::Boolean};
        for (std::size_t i = 0; i < 9; ++i) {
            EXPECT_EQ(t.columns[i].type, expected[i]) << file << " column " << i;
            EXPECT_EQ(t.columns[i].ordinal, static_cast<int>(i) + 1);
        }
        EXPECT_EQ(t.columns[0].name, "A");
        EXPECT_EQ(t.columns[0].size, 50);  // characters, also where Jet 4 stores two bytes each
        EXPECT_EQ(t.columns[1].size, 100);
        EXPECT_FALSE(t.columns[0].fixed);
        EXPECT_TRUE(t.columns[4].fixed);
        EXPECT_EQ(t.rowCount, 2u);
    }
}

TEST(JetCatalog, DeletedColumnsLeaveGapsInNumbersNotInOrdinals)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("delColTestV2000.mdb");
    const jet::TableDef& t = db->table("Table1");
    std::vector<int> numbers, ordinals;
    for (const jet::ColumnDef& c : t.columns) {
        numbers.push_back(c.number);
        ordinals.push_back(c.ordinal);
    }
    EXPECT_EQ(ordinals, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(numbers, (std::vector<int>{0, 2, 3, 5}));
    EXPECT_EQ(t.columnByNumber(5)->name, "data2");
    EXPECT_EQ(t.columnByNumber(1), nullptr);
}

TEST(JetCatalog, RequiredColumnsFromTheStoredProperties)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("northwind-jet4.mdb");
    const jet::TableDef& products = db->table("Products");
    EXPECT_TRUE(products.column("ProductName")->required);
    EXPECT_FALSE(products.column("QuantityPerUnit")->required);
    EXPECT_FALSE(openCorpus("testV1997.mdb")->table("Table1").column("A")->required);
}

TEST(JetCatalog, DefinitionSpanningSeveralPages)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("testV2000.mdb");
    const jet::TableDef& t = db->table("Table2");
    ASSERT_EQ(t.columns.size(), 89u);
    EXPECT_EQ(t.columns.back().name, "column89");
    EXPECT_EQ(keyNames(t, indexNamed(t, "column75")), (std::vector<std::string>{"column75"}));
}

TEST(JetCatalog, DecimalPrecisionAndScale)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("fixedNumericTestV2000.mdb");
    const jet::ColumnDef* c = db->table("test").column("col2");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->type, ColumnType::Decimal);
    EXPECT_EQ(c->precision, 18);
    EXPECT_EQ(c->scale, 0);
}

TEST(JetCatalog, PrimaryUniqueForeignAndMultiColumnIndexes)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"indexTestV1997.mdb", "indexTestV2000.mdb"}) {
        const auto db = openCorpus(file);
        const jet::TableDef& t = db->table("Table1");
        const jet::IndexDef& pk = indexNamed(t, "PrimaryKey");
        EXPECT_TRUE(pk.primaryKey && pk.unique) << file;
        EXPECT_EQ(keyNames(t, pk), (std::vector<std::string>{"id"}));
        const jet::IndexDef& fk = indexNamed(t, "Table2Table1");
        EXPECT_TRUE(fk.foreignKey) << file;
        EXPECT_FALSE(fk.primaryKey);
        EXPECT_EQ(keyNames(t, fk), (std::vector<std::string>{"otherfk1"}));
    }
    const auto props = openCorpus("testIndexPropertiesV2000.mdb");
    const jet::TableDef& ignoring = props->table("TableIgnoreNulls2");
    const jet::IndexDef& data = indexNamed(ignoring, "DataIndex");
    EXPECT_TRUE(data.ignoreNulls);
    EXPECT_FALSE(data.unique);
    EXPECT_EQ(keyNames(ignoring, data), (std::vector<std::string>{"data1", "data2"}));
    EXPECT_FALSE(indexNamed(ignoring, "PrimaryKey").ignoreNulls);
    EXPECT_TRUE(indexNamed(props->table("TableUnique1_temp"), "DataIndex").unique);
}

TEST(JetCatalog, DescendingIndexColumns)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("testIndexCodesV1997.mdb");
    const jet::TableDef& asc = db->table("Table1");
    const jet::TableDef& desc = db->table("Table1_desc");
    ASSERT_FALSE(asc.indexes.empty());
    ASSERT_FALSE(desc.indexes.empty());
    EXPECT_TRUE(asc.indexes[0].columns.at(0).ascending);
    bool anyDescending = false;
    for (const jet::IndexDef& index : desc.indexes)
        for (const jet::IndexColumn& key : index.columns) anyDescending = anyDescending || !key.ascending;
    EXPECT_TRUE(anyDescending);
}

TEST(JetCatalog, UnknownTableIsNotFound)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("testV2000.mdb");
    const DbError e = errorFrom([&] { db->table("Bestaat niet"); });
    EXPECT_EQ(e.number(), errc::notFound);
    EXPECT_NE(e.description().find("Bestaat niet"), std::string::npos);
}

}  // namespace
}  // namespace querimo::test
