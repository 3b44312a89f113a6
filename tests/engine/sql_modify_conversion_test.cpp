// Values converted to the type of the column an action statement stores them in, as Access converts them.
#include <gtest/gtest.h>

#include "jet_test_files.h"
#include "sql/ColumnValue.h"

namespace querimo {
namespace {

using jet::ColumnType;

jet::ColumnDef column(ColumnType type, int size = 0)
{
    jet::ColumnDef c;
    c.name = "Veld";
    c.type = type;
    c.size = size;
    return c;
}

Value convert(const Value& v, ColumnType type, int size = 0)
{
    return sql::columnValue(v, column(type, size));
}

DbError refusal(const Value& v, const jet::ColumnDef& c)
{
    const DbError e = test::errorFrom([&] { sql::columnValue(v, c); });
    EXPECT_NE(e.description().find("'Veld'"), std::string::npos) << e.description();
    return e;
}

TEST(ColumnValue, NumbersRoundHalfToEvenAndStayInRange)
{
    EXPECT_EQ(convert(Value::text(" 12 "), ColumnType::Long), Value::int32(12));
    EXPECT_EQ(convert(Value::dbl(2.5), ColumnType::Long), Value::int32(2));
    EXPECT_EQ(convert(Value::text("3.5"), ColumnType::Integer), Value::int16(4));
    EXPECT_EQ(convert(Value::boolean(true), ColumnType::Integer), Value::int16(-1));
    EXPECT_EQ(convert(Value::dateTime(37986.75), ColumnType::Long), Value::int32(37987));
    EXPECT_EQ(convert(Value::int32(255), ColumnType::Byte), Value::byte(255));
    EXPECT_EQ(refusal(Value::int32(256), column(ColumnType::Byte)).number(), errc::typeMismatch);
    EXPECT_EQ(refusal(Value::int32(-1), column(ColumnType::Byte)).number(), errc::typeMismatch);
    EXPECT_EQ(refusal(Value::dbl(2147483647.6), column(ColumnType::Long)).number(), errc::typeMismatch);
    EXPECT_EQ(refusal(Value::text("twaalf"), column(ColumnType::Long)).number(), errc::typeMismatch);
    EXPECT_EQ(refusal(Value::binary("\x01"), column(ColumnType::Double)).number(), errc::typeMismatch);
    EXPECT_EQ(refusal(Value::dbl(1e39), column(ColumnType::Single)).number(), errc::typeMismatch);
    EXPECT_EQ(convert(Value::text("1.5E3"), ColumnType::Double), Value::dbl(1500));
    EXPECT_EQ(refusal(Value::text("1E999"), column(ColumnType::Double)).number(), errc::typeMismatch);
}

TEST(ColumnValue, CurrencyKeepsFourDecimalsRoundedHalfToEven)
{
    EXPECT_EQ(convert(Value::dbl(1.23456), ColumnType::Currency), Value::currency(12346));
    EXPECT_EQ(convert(Value::dbl(0.00005), ColumnType::Currency), Value::currency(0));
    EXPECT_EQ(convert(Value::dbl(0.00015), ColumnType::Currency), Value::currency(2));
    EXPECT_EQ(convert(Value::text("-7.10"), ColumnType::Currency), Value::currency(-71000));
    EXPECT_EQ(convert(Value::currency(123456789), ColumnType::Currency), Value::currency(123456789));
    EXPECT_EQ(refusal(Value::dbl(1e16), column(ColumnType::Currency)).number(), errc::typeMismatch);
}

TEST(ColumnValue, YesNoDatesGuidsAndDecimals)
{
    EXPECT_EQ(convert(Value::text("yes"), ColumnType::Boolean), Value::boolean(true));
    EXPECT_EQ(convert(Value::text("False"), ColumnType::Boolean), Value::boolean(false));
    EXPECT_EQ(convert(Value::int32(5), ColumnType::Boolean), Value::boolean(true));
    EXPECT_EQ(refusal(Value::text("misschien"), column(ColumnType::Boolean)).number(), errc::typeMismatch);

    EXPECT_EQ(convert(Value::text("12/31/2003 12:00"), ColumnType::DateTime), Value::dateTime(37986.5));
    EXPECT_EQ(convert(Value::int32(2), ColumnType::DateTime), Value::dateTime(2));
    EXPECT_EQ(refusal(Value::text("31 februari"), column(ColumnType::DateTime)).number(), errc::typeMismatch);
    EXPECT_EQ(refusal(Value::dbl(3e6), column(ColumnType::DateTime)).number(), errc::typeMismatch);

    EXPECT_EQ(convert(Value::text("6f9619ff-8b86-d011-b42d-00c04fc964ff"), ColumnType::Guid),
              Value::guid("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    EXPECT_EQ(refusal(Value::text("{geen-guid}"), column(ColumnType::Guid)).number(), errc::typeMismatch);

    jet::ColumnDef d = column(ColumnType::Decimal);
    d.precision = 5;
    d.scale = 2;
    EXPECT_EQ(sql::columnValue(Value::dbl(1.005), d), Value::decimal("1.00"));
    EXPECT_EQ(sql::columnValue(Value::text("-0.001"), d), Value::decimal("0.00"));
    EXPECT_EQ(sql::columnValue(Value::int32(999), d), Value::decimal("999.00"));
    EXPECT_EQ(refusal(Value::int32(1000), d).number(), errc::typeMismatch);
}

TEST(ColumnValue, TextTakesAccessTextFormsAndMustFitItsField)
{
    EXPECT_EQ(convert(Value::dbl(2.5), ColumnType::Text, 10), Value::text("2.5"));
    EXPECT_EQ(convert(Value::single(0.1f), ColumnType::Text, 10), Value::text("0.1"));
    EXPECT_EQ(convert(Value::currency(15000), ColumnType::Text, 10), Value::text("1.5"));
    EXPECT_EQ(convert(Value::boolean(true), ColumnType::Text, 10), Value::text("-1"));
    EXPECT_EQ(convert(Value::dateTime(37986), ColumnType::Text, 10), Value::text("12/31/2003"));
    EXPECT_EQ(convert(Value::text("ééééé"), ColumnType::Text, 5), Value::text("ééééé"));
    const DbError tooLong = refusal(Value::text("abcdef"), column(ColumnType::Text, 5));
    EXPECT_NE(tooLong.description().find("te lang"), std::string::npos) << tooLong.description();
    EXPECT_EQ(convert(Value::text(std::string(70000, 'x')), ColumnType::Memo).bytes.size(), 70000u);

    EXPECT_EQ(convert(Value::binary("\x01\x02"), ColumnType::Binary, 2), Value::binary("\x01\x02"));
    EXPECT_EQ(refusal(Value::binary("\x01\x02\x03"), column(ColumnType::Binary, 2)).number(), errc::integrity);
    EXPECT_EQ(refusal(Value::text("abc"), column(ColumnType::OleObject)).number(), errc::typeMismatch);
    EXPECT_EQ(convert(Value::null(), ColumnType::Long), Value::null());
}

}  // namespace
}  // namespace querimo
