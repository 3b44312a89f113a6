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

// Every column type, in a database our writer makes.
const std::vector<std::string> everyType{
    "CREATE TABLE Alles (Id COUNTER PRIMARY KEY, Tekst TEXT(20), Notitie MEMO, Ja YESNO, Getal BYTE, Klein SHORT, "
    "Groot LONG, Geld CURRENCY, Enkel SINGLE, Dubbel DOUBLE, Datum DATETIME, Bin BINARY(8), Ole LONGBINARY, "
    "Sleutel GUID)"};

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
    ScratchDir dir;
    const std::string path = dir.sample(jet::Version::Jet4);
    Connection c;
    configure(c, path);
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

    Connection other;
    configure(other, path);
    c.Mode = ado::adModeShareExclusive;
    ASSERT_EQ(openFailure(c), 0);
    EXPECT_EQ(openFailure(other), errc::fail);
}

TEST(Connection, TablesRowsetByType)
{
    ScratchDir dir;
    Connection c;
    configure(c, dir.sample(jet::Version::Jet4));
    c.Open();
    const auto tables =
        c.OpenSchema(ado::adSchemaTables, {std::nullopt, std::nullopt, std::nullopt, std::string("TABLE")});
    EXPECT_EQ(texts(*tables, {"TABLE_NAME", "TABLE_TYPE"}),
              (std::vector<std::vector<std::string>>{
                  {"Artikel", "TABLE"}, {"Bestelling", "TABLE"}, {"Bestelregel", "TABLE"}, {"Klant", "TABLE"}}));
    std::set<std::string> types;
    for (const auto& row : texts(*c.OpenSchema(ado::adSchemaTables, {}), {"TABLE_NAME", "TABLE_TYPE"}))
        types.insert(row[1]);
    EXPECT_EQ(types, (std::set<std::string>{"SYSTEM TABLE", "TABLE", "VIEW"}));
}

// The tree is rebuilt from the rowsets: a table another connection (or process) made must be listed.
TEST(Connection, RowsetsSeeWhatAnotherConnectionCreated)
{
    ScratchDir dir;
    const std::string path = dir.sample(jet::Version::Jet4);
    Connection reader, writer;
    configure(reader, path);
    configure(writer, path);
    reader.Open();
    writer.Open();
    const auto tableNames = [&] {
        std::set<std::string> names;
        for (const auto& row : texts(*reader.OpenSchema(ado::adSchemaTables, {}), {"TABLE_NAME"})) names.insert(row[0]);
        return names;
    };
    ASSERT_FALSE(tableNames().count("Nieuw"));
    ado::Command create;
    create.ActiveConnection = &writer;
    create.SetCommandText("CREATE TABLE Nieuw (Nr LONG, Naam TEXT(20))");
    create.Execute(nullptr);
    EXPECT_TRUE(tableNames().count("Nieuw"));
    const auto columns = texts(
        *reader.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, std::string("Nieuw")}), {"COLUMN_NAME"});
    EXPECT_EQ(columns, (std::vector<std::vector<std::string>>{{"Nr"}, {"Naam"}}));
}

TEST(Connection, ColumnsRowsetWithAdoTypes)
{
    ScratchDir dir;
    for (const auto version : {jet::Version::Jet3, jet::Version::Jet4}) {
        Connection c;
        configure(c, dir.database(version, everyType));
        c.Open();
        const auto columns =
            c.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, std::string("alles"), std::nullopt});
        const auto rows = texts(*columns, {"COLUMN_NAME", "DATA_TYPE", "ORDINAL_POSITION", "TABLE_NAME"});
        const std::vector<std::vector<std::string>> expected = {
            {"Id", "3", "1", "Alles"},      {"Tekst", "130", "2", "Alles"},  {"Notitie", "130", "3", "Alles"},
            {"Ja", "11", "4", "Alles"},     {"Getal", "17", "5", "Alles"},   {"Klein", "2", "6", "Alles"},
            {"Groot", "3", "7", "Alles"},   {"Geld", "6", "8", "Alles"},     {"Enkel", "4", "9", "Alles"},
            {"Dubbel", "5", "10", "Alles"}, {"Datum", "7", "11", "Alles"},   {"Bin", "128", "12", "Alles"},
            {"Ole", "128", "13", "Alles"},  {"Sleutel", "72", "14", "Alles"}};
        EXPECT_EQ(rows, expected);
    }
    EXPECT_EQ(sql::accessType(jet::ColumnType::Decimal).schema, sql::DataType::Numeric);
}

TEST(Connection, IndexesRowsetOneRowPerKeyColumn)
{
    ScratchDir dir;
    Connection c;
    configure(c, dir.sample(jet::Version::Jet3));
    c.Open();
    const auto indexes = c.OpenSchema(
        ado::adSchemaIndexes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::string("Bestelregel")});
    const auto rows = texts(*indexes, {"INDEX_NAME", "COLUMN_NAME", "PRIMARY_KEY", "UNIQUE", "TABLE_NAME"});
    const std::vector<std::vector<std::string>> expected = {{"pkBestelregel", "BestelNr", "1", "1", "Bestelregel"},
                                                            {"pkBestelregel", "Regel", "1", "1", "Bestelregel"}};
    EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace querimo::test
