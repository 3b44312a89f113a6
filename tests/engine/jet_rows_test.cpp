// Row values of real Access files: every column type, deleted and moved rows, long values, encoded files.
#include <gtest/gtest.h>

#include "core/ValueText.h"
#include "jet/rows/RowDecoder.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

using Kind = Value::Kind;

std::vector<Value> rowWhere(const std::vector<std::vector<Value>>& rows, std::size_t column, const std::string& text)
{
    for (const auto& row : rows)
        if (row.at(column).kind == Kind::Text && row[column].bytes == text) return row;
    ADD_FAILURE() << "no row with " << text;
    return {};
}

TEST(JetRows, EveryFixedTypeInBothVersions)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"testV1997.mdb", "testV2000.mdb"}) {
        const auto db = openCorpus(file);
        const auto rows = readRows(*db, "Table1");
        ASSERT_EQ(rows.size(), 2u) << file;
        const auto row = rowWhere(rows, 0, "abcdefg");
        ASSERT_EQ(row.size(), 9u);
        EXPECT_EQ(row[1], Value::text("hijklmnop")) << file;
        EXPECT_EQ(row[2], Value::byte(2));
        EXPECT_EQ(row[3], Value::int16(222));
        EXPECT_EQ(row[4], Value::int32(333333333));
        EXPECT_EQ(row[5], Value::dbl(444.555));
        EXPECT_EQ(row[6], Value::dateTime(27293));  // 21 September 1974
        EXPECT_EQ(row[7], Value::currency(35000));  // 3.5
        EXPECT_EQ(row[8], Value::boolean(true));
        EXPECT_EQ(rowWhere(rows, 0, "a")[8], Value::boolean(false));
    }
}

TEST(JetRows, DecimalGuidAndFixedText)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto numeric = readRows(*openCorpus("fixedNumericTestV2000.mdb"), "test");
    ASSERT_EQ(numeric.size(), 1u);
    EXPECT_EQ(numeric[0][0], Value::text("some data"));
    EXPECT_EQ(numeric[0][1], Value::decimal("1"));
    EXPECT_EQ(numeric[0][5], Value::decimal("-1"));

    const auto guids = readRows(*openCorpus("testIndexCodesV1997.mdb"), "Table13");
    bool found = false;
    for (const auto& row : guids)
        for (const Value& v : row) found = found || v == Value::guid("{8E39276A-BCA8-4AC4-891E-49911D8438DD}");
    EXPECT_TRUE(found);

    const auto users = readRows(*openCorpus("fixedTextTestV2000.mdb"), "users");
    ASSERT_EQ(users.size(), 2u);
    EXPECT_EQ(users[0][8], Value::text("N"));  // a fixed-length text column
    EXPECT_EQ(exportText(users[0][9]), "2009-11-05 23:41:28");
}

TEST(JetRows, DecimalTextKeepsScaleAndSign)
{
    const std::uint8_t negative[17] = {0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x39, 0x30, 0, 0};  // 12345
    EXPECT_EQ(jet::decimalText(jet::ByteView(negative, 17), 3), "-12.345");
    EXPECT_EQ(jet::decimalText(jet::ByteView(negative, 17), 6), "-0.012345");
    const std::uint8_t big[17] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // 2^96
    EXPECT_EQ(jet::decimalText(jet::ByteView(big, 17), 0), "79228162514264337593543950336");
    const std::uint8_t negativeZero[17] = {0x80};
    EXPECT_EQ(jet::decimalText(jet::ByteView(negativeZero, 17), 2), "0.00");
}

TEST(JetRows, DeletedRowsAreSkipped)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"delTestV1997.mdb", "delTestV2000.mdb"}) {
        const auto rows = readRows(*openCorpus(file), "Table");
        ASSERT_EQ(rows.size(), 2u) << file;
        EXPECT_EQ(rows[0][0], Value::text("z"));
        EXPECT_EQ(rows[1][1], Value::text("u"));
    }
}

TEST(JetRows, DeletedColumnsKeepTheirPlaceInOldRows)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto rows = readRows(*openCorpus("delColTestV2000.mdb"), "Table1");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::vector<Value>{Value::int32(3), Value::int32(5), Value::text("bar"), Value::text("bar2")}));
}

TEST(JetRows, MovedRowsAreFollowedOnce)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"overflowTestV1997.mdb", "overflowTestV2000.mdb"}) {
        const auto db = openCorpus(file);
        const auto rows = readRows(*db, "Table1");
        ASSERT_EQ(rows.size(), 7u) << file;
        EXPECT_EQ(rows.size(), db->table("Table1").rowCount);
        const auto row3 = rowWhere(rows, 1, "row3col3");
        EXPECT_TRUE(row3[0].isNull());
        EXPECT_EQ(row3[7], Value::text("row3col9")) << file;
        EXPECT_EQ(rowWhere(rows, 0, "row7col1")[5], Value::text("row7col7"));
    }
}

TEST(JetRows, MemoAndOleValuesOnOtherPages)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("northwind-jet4.mdb");
    const auto categories = readRows(*db, "Categories");
    ASSERT_EQ(categories.size(), 8u);
    const auto beverages = rowWhere(categories, 1, "Beverages");
    EXPECT_EQ(beverages[2], Value::text("Soft drinks, coffees, teas, beers, and ales"));
    EXPECT_EQ(beverages[3].kind, Kind::Binary);
    EXPECT_EQ(beverages[3].bytes.size(), 10746u);  // a picture spread over a chain of pages
    EXPECT_EQ(beverages[3].bytes.substr(0, 4), std::string("\x15\x1c\x2f\x00", 4));

    const auto employees = readRows(*db, "Employees");
    ASSERT_EQ(employees.size(), 9u);
    const auto davolio = rowWhere(employees, 1, "Davolio");
    EXPECT_EQ(davolio[15].kind, Kind::Text);
    EXPECT_GT(davolio[15].bytes.size(), 100u);
    EXPECT_EQ(davolio[15].bytes.rfind("Education includes", 0), 0u);
}

TEST(JetRows, LargeTablesReadCompletely)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto db = openCorpus("northwind-jet4.mdb");
    EXPECT_EQ(readRows(*db, "Order Details").size(), 2155u);
    EXPECT_EQ(readRows(*db, "Orders").size(), 830u);
    EXPECT_EQ(readRows(*openCorpus("compIndexTestV1997.mdb"), "Table1").size(), 512u);
}

TEST(JetRows, EncodedFilesReadLikeOthers)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const char* file : {"db-enc.mdb", "db97-enc.mdb"}) {
        const auto rows = readRows(*openCorpus(file), "Table1");
        ASSERT_EQ(rows.size(), 2u) << file;
        EXPECT_EQ(rows[1], (std::vector<Value>{Value::int32(2), Value::text("world"), Value::int32(42)})) << file;
    }
}

TEST(JetRows, Jet3TextFromWindows1252)
{
    QUERIMO_REQUIRE_CORPUS();
    const auto rows = readRows(*openCorpus("testIndexCodesV1997.mdb"), "Table1");
    EXPECT_EQ(rowWhere(rows, 0, "row233")[1], Value::text("AA\xC3\xA9"
                                                          "AA"));  // 0xE9 in Windows-1252
    EXPECT_EQ(rowWhere(rows, 0, "row252")[1], Value::text("AA\xC3\xBC"
                                                          "AA"));  // 0xFC
}

}  // namespace
}  // namespace querimo::test
