// The column kinds of Access 2010 to 2019 in files our writer makes (Jet 4 files marked as the version that
// brought the kind): Large Number, Date/Time Extended and calculated columns.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <map>

#include "ado/Connection.h"
#include "jet/format/Format.h"
#include "jet/tables/PropertyMapWriter.h"
#include "jet_test_files.h"
#include "sql/DataTypes.h"
#include "sql/Sql.h"
#include "support/Process.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

// A database our writer made after statements, marked as the Access version of versionByte (3: 2010, 5:
// 2016, 6: 2019), written to dir as name.
std::string madeAccdb(const test::ScratchDir& dir, const std::string& name, char versionByte,
                      const std::vector<std::string>& statements = {})
{
    const auto made = test::makeDatabase(dir.path() / (name + ".mdb"), jet::Version::Jet4, statements);
    return dir.write(name, test::asAccdb(test::readBytes(made), versionByte));
}

std::vector<Value> firstColumn(jet::Database& db, const std::string& query)
{
    std::vector<Value> values;
    const auto result = sql::run(db, query);
    for (std::size_t r = 0; r < result.rows->rowCount(); ++r) values.push_back(result.rows->value(r, 0));
    return values;
}

// An Access 2016 file our writer made (a Jet 4 file marked as version 5), with a Large Number column.
class LargeNumber : public testing::Test {
protected:
    void SetUp() override
    {
        path = madeAccdb(dir, "groot.accdb", 5);
        db = jet::Database::open(jet::OpenOptions{path, true, ""});
        for (const char* statement :
             {"CREATE TABLE Groot (Id COUNTER PRIMARY KEY, n BIGINT, Naam TEXT(20))",
              "CREATE UNIQUE INDEX nUniek ON Groot (n)",
              "INSERT INTO Groot (n, Naam) VALUES (9223372036854775807, 'grootste')",
              "INSERT INTO Groot (n, Naam) VALUES (-9223372036854775808, 'kleinste')",
              "INSERT INTO Groot (n, Naam) VALUES ('1234567890123456789', 'tekst')",
              "INSERT INTO Groot (n, Naam) VALUES (2.5, 'half')", "INSERT INTO Groot (n, Naam) VALUES (Null, 'leeg')"})
            sql::run(*db, statement);
    }
    std::vector<Value> column(const std::string& query) { return firstColumn(*db, query); }
    test::ScratchDir dir;
    std::string path;
    std::unique_ptr<jet::Database> db;
};

TEST_F(LargeNumber, ValuesKeepEveryDigit)
{
    const std::vector<Value> expected{Value::int64(std::numeric_limits<std::int64_t>::min()), Value::int64(2),
                                      Value::int64(1234567890123456789),
                                      Value::int64(std::numeric_limits<std::int64_t>::max())};
    EXPECT_EQ(column("SELECT n FROM Groot WHERE n IS NOT NULL ORDER BY n"), expected);
    EXPECT_EQ(column("SELECT Naam FROM Groot WHERE n = 9223372036854775807"),
              std::vector<Value>{Value::text("grootste")});
    sql::run(*db, "UPDATE Groot SET n = n - 1 WHERE Naam = 'grootste'");
    EXPECT_EQ(column("SELECT n FROM Groot WHERE Naam = 'grootste'"),
              std::vector<Value>{Value::int64(9223372036854775806)});
    // Read back from the rows as stored, not through SQLite.
    const auto rows = test::readRows(*db, "Groot");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1][1], Value::int64(std::numeric_limits<std::int64_t>::min()));
}

TEST_F(LargeNumber, TypedAsAdoBigIntWithItsDutchName)
{
    const jet::ColumnDef* n = db->table("Groot").column("n");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->type, jet::ColumnType::BigInt);
    EXPECT_EQ(sql::accessType(n->type).recordset, sql::DataType::BigInt);
    EXPECT_EQ(static_cast<int>(sql::DataType::BigInt), 20);
    EXPECT_STREQ(sql::accessType(n->type).dutchName, "Groot getal");
    const auto result = sql::run(*db, "SELECT n FROM Groot");
    EXPECT_EQ(result.columns[0].type, sql::DataType::BigInt);
}

TEST_F(LargeNumber, OutOfRangeAndDuplicatesAreRefusedAndChangeNothing)
{
    db.reset();
    const std::string before = test::readBytes(path);
    db = jet::Database::open(jet::OpenOptions{path, true, ""});
    for (const char* statement :
         {"INSERT INTO Groot (n) VALUES (9223372036854775808)", "INSERT INTO Groot (n) VALUES ('12345678901234567890')",
          "INSERT INTO Groot (n) VALUES ('geen getal')", "INSERT INTO Groot (n) VALUES (1234567890123456789)"}) {
        SCOPED_TRACE(statement);
        EXPECT_THROW(sql::run(*db, statement), DbError);
    }
    db.reset();
    EXPECT_EQ(test::readBytes(path), before);
}

// mdbtools 1.0 knows no Large Number (it leaves the cells empty) but reads the rows around it.
TEST_F(LargeNumber, MdbtoolsReadsTheRowsAroundIt)
{
    db.reset();
    const test::ProcessResult exported = test::runProcess({"mdb-export", path, "Groot"});
    if (exported.exitCode == 127) GTEST_SKIP() << "mdbtools is niet geïnstalleerd";
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    for (const char* name : {"\"grootste\"", "\"kleinste\"", "\"tekst\"", "\"half\"", "\"leeg\""})
        EXPECT_NE(exported.out.find(name), std::string::npos) << exported.out;
}

// Older files have no Large Number: Access before 2016 could not read them any more.
TEST(LargeNumberKind, RefusedInFilesBefore2016)
{
    test::ScratchDir dir;
    const auto made = test::makeDatabase(dir.path() / "leeg.mdb", jet::Version::Jet4);
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"jet4.mdb", test::readBytes(made)}, {"a2010.accdb", test::asAccdb(test::readBytes(made), 3)}}) {
        SCOPED_TRACE(name);
        const auto db = jet::Database::open(jet::OpenOptions{dir.write(name, bytes), true, ""});
        const DbError e = test::errorFrom([&] { sql::run(*db, "CREATE TABLE T (n BIGINT)"); });
        EXPECT_NE(e.description().find("Groot getal"), std::string::npos) << e.description();
        EXPECT_EQ(db->findEntry("T"), nullptr);
    }
}

// A new Date/Time Extended column in an Access 2019 file, made by data definition.
class ExtendedDates : public testing::Test {
protected:
    void SetUp() override
    {
        path = madeAccdb(dir, "tijden.accdb", 6);
        db = jet::Database::open(jet::OpenOptions{path, true, ""});
        sql::run(*db, "CREATE TABLE Tijden (Id LONG, t DATETIME2)");
        for (const char* statement :
             {"INSERT INTO Tijden VALUES (1, '2024-02-29 12:34:56.1234567')",
              "INSERT INTO Tijden VALUES (2, #2023-03-15 12:00:00#)", "INSERT INTO Tijden VALUES (3, '0001-01-01')",
              "INSERT INTO Tijden VALUES (4, '9999-12-31 23:59:59.9999999')", "INSERT INTO Tijden VALUES (5, Null)"})
            sql::run(*db, statement);
    }
    test::ScratchDir dir;
    std::string path;
    std::unique_ptr<jet::Database> db;
};

TEST_F(ExtendedDates, ReadAsTextOfEveryDigitInDateOrder)
{
    EXPECT_EQ(
        firstColumn(*db, "SELECT t FROM Tijden WHERE t IS NOT NULL ORDER BY t"),
        (std::vector<Value>{Value::text("0001-01-01 00:00:00.0000000"), Value::text("2023-03-15 12:00:00.0000000"),
                            Value::text("2024-02-29 12:34:56.1234567"), Value::text("9999-12-31 23:59:59.9999999")}));
    const auto result = sql::run(*db, "SELECT t FROM Tijden");
    EXPECT_EQ(result.columns[0].type, sql::DataType::VarWChar);
    EXPECT_STREQ(sql::accessType(jet::ColumnType::DateTimeExtended).dutchName, "Datum/tijd uitgebreid");
    sql::run(*db, "UPDATE Tijden SET t = '1999-12-31 23:59:59.5' WHERE Id = 3");
    EXPECT_EQ(firstColumn(*db, "SELECT t FROM Tijden WHERE Id = 3"),
              std::vector<Value>{Value::text("1999-12-31 23:59:59.5000000")});
}

// The stored form: days since year 1 (2024-02-29 is day 738944), seconds since midnight, 100-nanosecond steps.
TEST_F(ExtendedDates, StoredAsAccessLaysThemOut)
{
    db.reset();
    const std::string bytes = test::readBytes(path);
    EXPECT_NE(bytes.find(std::string("0000000000000738944:0000000452961234567:7\0", 42)), std::string::npos);
}

TEST_F(ExtendedDates, WhatIsNoDateIsRefusedAndChangesNothing)
{
    db.reset();
    const std::string before = test::readBytes(path);
    db = jet::Database::open(jet::OpenOptions{path, true, ""});
    for (const char* statement : {"INSERT INTO Tijden VALUES (6, '2023-02-29')",
                                  "INSERT INTO Tijden VALUES (7, 'morgen')", "INSERT INTO Tijden VALUES (8, 12)"})
        EXPECT_THROW(sql::run(*db, statement), DbError) << statement;
    db.reset();
    EXPECT_EQ(test::readBytes(path), before);
}

TEST(ExtendedDateKind, RefusedInFilesBefore2019)
{
    test::ScratchDir dir;
    const auto made = test::makeDatabase(dir.path() / "leeg.mdb", jet::Version::Jet4, {"CREATE TABLE Oud (Id LONG)"});
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"jet4.mdb", test::readBytes(made)}, {"a2016.accdb", test::asAccdb(test::readBytes(made), 5)}}) {
        SCOPED_TRACE(name);
        const std::string path = dir.write(name, bytes);
        const auto db = jet::Database::open(jet::OpenOptions{path, true, ""});
        for (const char* statement : {"CREATE TABLE T (t DATETIME2)", "ALTER TABLE Oud ADD COLUMN t DATETIME2"}) {
            const DbError e = test::errorFrom([&] { sql::run(*db, statement); }, statement);
            EXPECT_NE(
                e.description().find("Datum/tijd uitgebreid (DATETIME2) bestaat pas in databases van Access 2019"),
                std::string::npos)
                << e.description();
        }
        EXPECT_EQ(db->findEntry("T"), nullptr);
        EXPECT_EQ(db->table("Oud").columns.size(), 1u);
    }
}

// ALTER TABLE adds one to an existing table, and the rows it held read Null there.
TEST(ExtendedDateKind, AddedToATableOfA2019File)
{
    test::ScratchDir dir;
    const auto db = jet::Database::open(jet::OpenOptions{
        madeAccdb(dir, "a2019.accdb", 6, {"CREATE TABLE T (Id LONG)", "INSERT INTO T VALUES (1)"}), true, ""});
    sql::run(*db, "ALTER TABLE T ADD COLUMN t DATETIME2");
    sql::run(*db, "INSERT INTO T VALUES (2, '2019-09-24 08:00:00.0000001')");
    EXPECT_EQ(db->table("T").column("t")->type, jet::ColumnType::DateTimeExtended);
    EXPECT_EQ(firstColumn(*db, "SELECT t FROM T ORDER BY Id"),
              (std::vector<Value>{Value::null(), Value::text("2019-09-24 08:00:00.0000001")}));
}

// Calculated columns hold their expression's result wrapped in 23 more bytes. Our writer makes no such column:
// this file gets binary columns holding wrapped results, whose entries are then marked as calculated columns of
// the result's type (extra flags 0xC0), as Access 2010 marks them.
std::string wrapped(const std::string& result)
{
    std::string out(20, '\0');
    const auto length = static_cast<std::uint32_t>(result.size());
    std::memcpy(out.data() + 16, &length, 4);
    return out + result + std::string(3, '\0');
}

void markCalculated(std::string& file, const jet::Database& db, const std::string& table, int columnNumber,
                    jet::ColumnType type)
{
    const jet::Format& f = jet::Format::of(jet::Version::Jet4);
    const jet::CatalogEntry* entry = db.findEntry(table);
    const std::size_t page = static_cast<std::size_t>(entry->id & 0xFFFFFF) * f.pageSize;
    for (std::size_t k = 0, at = page + f.tdefIndexBlock; k < 255; ++k, at += f.columnEntrySize) {
        std::uint16_t number = 0;
        std::memcpy(&number, file.data() + at + f.colNumber, 2);
        if (number != columnNumber) continue;
        file[at + f.colType] = static_cast<char>(type);
        file[at + f.colExtraFlags] = static_cast<char>(file[at + f.colExtraFlags] | 0xC0);
        return;
    }
    ADD_FAILURE() << "no column " << columnNumber << " in " << table;
}

// A calculated Decimal's result: its length, scale and sign, then the magnitude in 8-byte little-endian groups,
// most significant first, led by a 4-byte group when the length is no multiple of 8.
std::string calculatedDecimal(std::uint8_t scale, bool negative, const std::vector<std::uint64_t>& groups,
                              bool leadingWord)
{
    std::string digits;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::size_t size = leadingWord && g == 0 ? 4 : 8;
        for (std::size_t b = 0; b < size; ++b) digits.push_back(static_cast<char>(groups[g] >> (8 * b)));
    }
    const auto length = static_cast<std::uint16_t>(digits.size() + 2);
    return std::string{static_cast<char>(length & 0xFF), static_cast<char>(length >> 8), static_cast<char>(scale),
                       static_cast<char>(negative ? 0x80 : 0)}
           + digits;
}

// The table's MSysObjects.LvProp replaced by these properties.
void storeProperties(jet::Database& db, const std::string& table, const jet::PropertyMaps& maps)
{
    const jet::TableDef& objects = db.table("MSysObjects");
    const std::size_t name = static_cast<std::size_t>(objects.column("Name")->ordinal - 1);
    const std::size_t stored = static_cast<std::size_t>(objects.column("LvProp")->ordinal - 1);
    test::inStatement(db, [&] {
        std::vector<Value> row;
        for (const auto scan = db.scan(objects); scan->next(row);)
            if (row[name].kind == Value::Kind::Text && row[name].bytes == table) {
                row[stored] = Value::binary(jet::writePropertyMaps(maps, jet::Version::Jet4));
                db.updateRow(objects, scan->rowId(), row);
                return;
            }
        ADD_FAILURE() << "no catalog row for " << table;
    });
}

jet::StoredProperty textProperty(const std::string& ascii)
{
    std::string utf16;
    for (char c : ascii) utf16 += std::string{c, '\0'};
    return {static_cast<int>(jet::ColumnType::Memo), utf16};
}

jet::StoredProperty resultType(jet::ColumnType type)
{
    return {static_cast<int>(jet::ColumnType::Byte), std::string(1, static_cast<char>(type))};
}

// Access 2010 file with calculated columns of every layout: fixed results, text, Yes/No, Decimal in its own
// layout, and a result whose ResultType property names a type the definition does not.
class CalculatedColumns : public testing::Test {
protected:
    void SetUp() override
    {
        path = madeAccdb(dir, "ber.accdb", 3,
                         {"CREATE TABLE Ber (Id LONG, Som BINARY(100), Tekst BINARY(100), Ja BINARY(50), "
                          "Bedrag BINARY(100), Helft BINARY(100), Groot BINARY(100), Breed BINARY(100), "
                          "Anders BINARY(100))"});
        std::string file;
        {
            const auto db = jet::Database::open(jet::OpenOptions{path, true, ""});
            const std::int32_t som = 42;
            const double anders = 2.5;
            const std::string tekst("s\0o\0m\0", 6);  // UTF-16
            test::inStatement(*db, [&] {
                db->insertRow(db->table("Ber"),
                              {Value::int32(1),
                               Value::binary(wrapped(std::string(reinterpret_cast<const char*>(&som), 4))),
                               Value::binary(wrapped(tekst)), Value::binary(wrapped("\x01")),
                               Value::binary(wrapped(calculatedDecimal(3, false, {0, 12345678}, true))),
                               Value::binary(wrapped(calculatedDecimal(1, true, {0, 5}, true))),
                               Value::binary(wrapped(calculatedDecimal(0, false, {1, 1}, true))),
                               Value::binary(wrapped(calculatedDecimal(2, false, {3, 7}, false))),
                               Value::binary(wrapped(std::string(reinterpret_cast<const char*>(&anders), 8)))});
            });
            storeProperties(
                *db, "Ber",
                {{"Som", {{"Expression", textProperty("[Id]*42")}, {"ResultType", resultType(jet::ColumnType::Long)}}},
                 {"Bedrag", {{"Expression", textProperty("[Id]*12345.678")}}},
                 {"Anders",
                  {{"Expression", textProperty("[Id]/2+2")}, {"ResultType", resultType(jet::ColumnType::Double)}}}});
            file = test::readBytes(path);
            markCalculated(file, *db, "Ber", 1, jet::ColumnType::Long);
            markCalculated(file, *db, "Ber", 2, jet::ColumnType::Text);
            markCalculated(file, *db, "Ber", 3, jet::ColumnType::Boolean);
            for (int column : {4, 5, 6, 7}) markCalculated(file, *db, "Ber", column, jet::ColumnType::Decimal);
            markCalculated(file, *db, "Ber", 8, jet::ColumnType::Binary);
        }
        path = dir.write("ber.accdb", file);
    }
    test::ScratchDir dir;
    std::string path;
};

TEST_F(CalculatedColumns, ReadTheStoredResultByItsType)
{
    const auto db = jet::Database::open(jet::OpenOptions{path, true, ""});
    EXPECT_TRUE(db->table("Ber").column("Som")->calculated);
    EXPECT_EQ(db->table("Ber").column("Anders")->type, jet::ColumnType::Double);
    EXPECT_EQ(test::readRows(*db, "Ber"),
              (std::vector<std::vector<Value>>{{Value::int32(1), Value::int32(42), Value::text("som"),
                                                Value::boolean(true), Value::decimal("12345.678"),
                                                Value::decimal("-0.5"), Value::decimal("18446744073709551617"),
                                                Value::decimal("553402322211286548.55"), Value::dbl(2.5)}}));
    EXPECT_EQ(firstColumn(*db, "SELECT Bedrag * 2 FROM Ber"), std::vector<Value>{Value::decimal("24691.356")});
}

TEST_F(CalculatedColumns, TheExpressionIsInTheColumnsRowset)
{
    const auto db = jet::Database::open(jet::OpenOptions{path, false, ""});
    EXPECT_EQ(db->table("Ber").column("Som")->expression, "[Id]*42");
    ado::Connection connection;
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.GetProperties()("Data Source") = path;
    connection.Open();
    const auto columns = connection.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, std::string("Ber")});
    std::map<std::string, Value> expressions;
    for (; !columns->Eof(); columns->MoveNext())
        expressions[columns->GetFields().Item("COLUMN_NAME").GetValue().bytes] =
            columns->GetFields().Item("COLUMN_EXPRESSION").GetValue();
    EXPECT_EQ(expressions["Id"], Value::null());
    EXPECT_EQ(expressions["Som"], Value::text("[Id]*42"));
    EXPECT_EQ(expressions["Anders"], Value::text("[Id]/2+2"));
    EXPECT_EQ(expressions["Helft"], Value::text(""));  // calculated, but its expression is not in the file
}

TEST_F(CalculatedColumns, WritesAreRefusedAndChangeNothing)
{
    const auto db = jet::Database::open(jet::OpenOptions{path, true, ""});
    const std::string before = test::readBytes(path);
    for (const char* statement : {"INSERT INTO Ber (Id) VALUES (2)", "UPDATE Ber SET Id = 3"}) {
        const DbError e = test::errorFrom([&] { sql::run(*db, statement); }, statement);
        EXPECT_NE(e.description().find("berekend veld ('Som')"), std::string::npos) << e.description();
    }
    EXPECT_EQ(test::readBytes(path), before);
}

// Data definition that keeps the rows as they are keeps the columns calculated (the definition is written again
// with their flags); one that stores every row again is refused, as it would unwrap their results.
TEST_F(CalculatedColumns, DataDefinitionKeepsThemOrIsRefused)
{
    for (const char* statement : {"ALTER TABLE Ber ADD COLUMN Extra LONG", "CREATE INDEX ixId ON Ber (Id)"}) {
        SCOPED_TRACE(statement);
        const std::string copy = dir.write("kopie.accdb", test::readBytes(path));
        sql::run(*jet::Database::open(jet::OpenOptions{copy, true, ""}), statement);
        const auto db = jet::Database::open(jet::OpenOptions{copy, true, ""});
        EXPECT_TRUE(db->table("Ber").column("Bedrag")->calculated);
        const auto rows = test::readRows(*db, "Ber");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][1], Value::int32(42));
        EXPECT_EQ(rows[0][4], Value::decimal("12345.678"));
    }
    const auto db = jet::Database::open(jet::OpenOptions{path, true, ""});
    const std::string before = test::readBytes(path);
    for (const char* statement : {"ALTER TABLE Ber DROP COLUMN Ja", "ALTER TABLE Ber ALTER COLUMN Id TEXT(10)"}) {
        const DbError e = test::errorFrom([&] { sql::run(*db, statement); }, statement);
        EXPECT_NE(e.description().find("berekend veld ('Som'); kolommen verwijderen"), std::string::npos)
            << e.description();
    }
    EXPECT_EQ(test::readBytes(path), before);
}

}  // namespace
}  // namespace querimo
