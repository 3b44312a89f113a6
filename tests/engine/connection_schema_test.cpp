// The ADO-like connection: opening with provider, users and modes, and the schema rowsets.
#include <gtest/gtest.h>

#include <set>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "ado/SchemaRowsets.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

using ado::Connection;

void configure(Connection& c, const std::string& path)
{
    c.Provider = "Microsoft.Jet.OLEDB.4.0";
    c.GetProperties()("Data Source") = path;
}

std::int32_t openFailure(Connection& c)
{
    try {
        c.Open();
    } catch (const DbError& e) {
        EXPECT_FALSE(e.description().empty());
        return e.number();
    }
    return 0;
}

std::vector<std::vector<std::string>> texts(ado::Recordset& rs, const std::vector<std::string>& fields)
{
    std::vector<std::vector<std::string>> rows;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        std::vector<std::string> row;
        for (const std::string& f : fields) {
            const Value v = rs.GetFields().Item(f).GetValue();
            row.push_back(v.kind == Value::Kind::Text ? v.bytes : std::to_string(v.integer));
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(Connection, ProviderUsersAndState)
{
    QUERIMO_REQUIRE_CORPUS();
    Connection c;
    configure(c, corpusPath("testV2000.mdb"));
    c.Provider = "SQLOLEDB";
    EXPECT_EQ(openFailure(c), errc::fail);
    c.Provider = "MICROSOFT.JET.OLEDB.4.0";
    c.GetProperties()("user id") = "Jan";
    EXPECT_EQ(openFailure(c), errc::authentication);
    c.GetProperties()("User ID") = "admin";
    c.GetProperties()("Password") = "x";
    EXPECT_EQ(openFailure(c), errc::authentication);
    c.GetProperties()("Password") = "";
    c.GetProperties()("Jet OLEDB:System database") = "/bestaat/niet/system.mdw";  // missing: not an error by itself
    ASSERT_EQ(openFailure(c), 0);
    EXPECT_EQ(c.State(), ado::ObjectState::Open);
    EXPECT_NE(c.database(), nullptr);
    c.Close();
    EXPECT_EQ(c.State(), ado::ObjectState::Closed);
    EXPECT_THROW(c.OpenSchema(ado::adSchemaTables, {}), DbError);
}

TEST(Connection, ExclusiveModeKeepsOthersOut)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    const std::string path = dir.copyOf("testV1997.mdb");
    Connection first, second;
    configure(first, path);
    configure(second, path);
    first.Mode = ado::adModeShareExclusive;
    ASSERT_EQ(openFailure(first), 0);
    EXPECT_EQ(openFailure(second), errc::fail);
    first.Close();
    EXPECT_EQ(openFailure(second), 0);
}

TEST(Connection, TablesRowsetByType)
{
    QUERIMO_REQUIRE_CORPUS();
    Connection c;
    configure(c, corpusPath("northwind-jet4.mdb"));
    c.Open();
    const auto tables = c.OpenSchema(ado::adSchemaTables, {std::nullopt, std::nullopt, std::nullopt, std::string("TABLE")});
    const auto rows = texts(*tables, {"TABLE_NAME", "TABLE_TYPE"});
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Categories", "TABLE"}));
    EXPECT_EQ(rows[3][0], "Order Details");

    const auto all = c.OpenSchema(ado::adSchemaTables, {});
    std::set<std::string> types;
    for (const auto& row : texts(*all, {"TABLE_NAME", "TABLE_TYPE"})) {
        types.insert(row[1]);
        EXPECT_NE(row[0][0], '~') << "hidden query listed";
    }
    EXPECT_TRUE(types.count("SYSTEM TABLE"));
}

// The tree is rebuilt from the rowsets: a table another connection (or process) made must be listed.
TEST(Connection, RowsetsSeeWhatAnotherConnectionCreated)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    const std::string path = dir.copyOf("testV2000.mdb");
    Connection reader, writer;
    configure(reader, path);
    configure(writer, path);
    reader.Open();
    writer.Open();
    const auto tableNames = [&] {
        std::set<std::string> names;
        for (const auto& row : texts(*reader.OpenSchema(ado::adSchemaTables, {}), {"TABLE_NAME"}))
            names.insert(row[0]);
        return names;
    };
    ASSERT_FALSE(tableNames().count("Nieuw"));
    ado::Command create;
    create.ActiveConnection = &writer;
    create.SetCommandText("CREATE TABLE Nieuw (Nr LONG, Naam TEXT(20))");
    create.Execute(nullptr);
    EXPECT_TRUE(tableNames().count("Nieuw"));
    const auto columns = texts(*reader.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, std::string("Nieuw")}),
                               {"COLUMN_NAME"});
    EXPECT_EQ(columns, (std::vector<std::vector<std::string>>{{"Nr"}, {"Naam"}}));
}

TEST(Connection, ColumnsRowsetWithAdoTypes)
{
    QUERIMO_REQUIRE_CORPUS();
    Connection c;
    configure(c, corpusPath("testV1997.mdb"));
    c.Open();
    const auto columns = c.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, std::string("table1"), std::nullopt});
    const auto rows = texts(*columns, {"COLUMN_NAME", "DATA_TYPE", "ORDINAL_POSITION", "TABLE_NAME"});
    const std::vector<std::vector<std::string>> expected = {
        {"A", "130", "1", "Table1"}, {"B", "130", "2", "Table1"}, {"C", "17", "3", "Table1"},
        {"D", "2", "4", "Table1"},   {"E", "3", "5", "Table1"},   {"F", "5", "6", "Table1"},
        {"G", "7", "7", "Table1"},   {"H", "6", "8", "Table1"},   {"I", "11", "9", "Table1"}};
    EXPECT_EQ(rows, expected);

    Connection n;
    configure(n, corpusPath("northwind-jet4.mdb"));
    n.Open();
    const auto categories = texts(*n.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, std::string("Categories")}),
                                  {"COLUMN_NAME", "DATA_TYPE"});
    EXPECT_EQ(categories[2], (std::vector<std::string>{"Description", "130"}));  // Memo
    EXPECT_EQ(categories[3], (std::vector<std::string>{"Picture", "128"}));      // OLE Object
    EXPECT_EQ(ado::schemaDataType(static_cast<int>(jet::ColumnType::Guid)), 72);
    EXPECT_EQ(ado::schemaDataType(static_cast<int>(jet::ColumnType::Decimal)), 131);
}

TEST(Connection, IndexesRowsetOneRowPerKeyColumn)
{
    QUERIMO_REQUIRE_CORPUS();
    Connection c;
    configure(c, corpusPath("testIndexPropertiesV2000.mdb"));
    c.Open();
    const auto indexes = c.OpenSchema(ado::adSchemaIndexes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                                             std::string("TableIgnoreNulls2")});
    const auto rows = texts(*indexes, {"INDEX_NAME", "COLUMN_NAME", "PRIMARY_KEY", "UNIQUE", "TABLE_NAME"});
    const std::vector<std::vector<std::string>> expected = {
        {"DataIndex", "data1", "0", "0", "TableIgnoreNulls2"},
        {"DataIndex", "data2", "0", "0", "TableIgnoreNulls2"},
        {"PrimaryKey", "row", "1", "1", "TableIgnoreNulls2"}};
    EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace querimo::test
