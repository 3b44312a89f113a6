// Values keep their Access type on the way through SQLite: Date/Time and Yes/No columns reach the functions
// as dates and Yes/No values, + follows Access between text and numbers, totals get the types Jet reports,
// and parameter values are read as the user's region writes numbers.
#include <gtest/gtest.h>

#include <clocale>

#include "sql/Compiler.h"
#include "sql_fake_database.h"

namespace querimo {
namespace {

using t = sql::DataType;

using TypedValues = test::ShopQueries;

// Order 1 is dated 1/1/2003, order 4 at noon on 4/1/2003; product 11 is discontinued, 10 is not.
TEST_F(TypedValues, DateColumnsReachFunctionsAsDates)
{
    EXPECT_EQ(one("SELECT CStr(OrderDate) FROM Orders WHERE OrderID = 1"), Value::text("1/1/2003"));
    EXPECT_EQ(one("SELECT OrderDate & '' FROM Orders WHERE OrderID = 4"), Value::text("4/1/2003 12:00:00 PM"));
    EXPECT_EQ(one("SELECT Format(OrderDate) FROM Orders WHERE OrderID = 1"), Value::text("1/1/2003"));
    EXPECT_EQ(one("SELECT IsDate(OrderDate) FROM Orders WHERE OrderID = 1"), Value::boolean(true));
    EXPECT_EQ(one("SELECT IsNumeric(OrderDate) FROM Orders WHERE OrderID = 1"), Value::boolean(false));
    EXPECT_EQ(one("SELECT CStr(OrderDate + 1) FROM Orders WHERE OrderID = 1"), Value::text("1/2/2003"));
    EXPECT_EQ(one("SELECT CStr(Max(OrderDate)) FROM Orders"), Value::text("4/1/2003 12:00:00 PM"));
    EXPECT_EQ(one("SELECT CStr(#12/31/2003#)"), Value::text("12/31/2003"));
    EXPECT_EQ(one("SELECT Count(*) FROM Orders WHERE OrderDate Like '*/1/2003*'"), Value::int32(4));
    EXPECT_EQ(one("SELECT Year(OrderDate) FROM Orders WHERE OrderID = 4"), Value::int16(2003));
}

TEST_F(TypedValues, YesNoColumnsReachFunctionsAsYesNoValues)
{
    EXPECT_EQ(one("SELECT CStr(Discontinued) FROM Products WHERE ProductID = 11"), Value::text("True"));
    EXPECT_EQ(one("SELECT CStr(Discontinued) FROM Products WHERE ProductID = 10"), Value::text("False"));
    EXPECT_EQ(one("SELECT Discontinued & '' FROM Products WHERE ProductID = 11"), Value::text("True"));
    EXPECT_EQ(one("SELECT CStr(Max(Discontinued)) FROM Products WHERE ProductID < 11"), Value::text("False"));
    EXPECT_EQ(one("SELECT CStr(IsNull(ProductName)) FROM Products WHERE ProductID = 10"), Value::text("False"));
    // An operator's truth value is a number, as in Access queries.
    EXPECT_EQ(one("SELECT True & ''"), Value::text("-1"));
    EXPECT_EQ(one("SELECT CStr(1 < 2)"), Value::text("-1"));
    EXPECT_EQ(one("SELECT Discontinued + 0 FROM Products WHERE ProductID = 11"), Value::int32(-1));
}

// VarType's constants and TypeName's names as VBA documents them, for the type a value has in Access.
TEST_F(TypedValues, VarTypeAndTypeNameNameTheAccessType)
{
    const std::pair<const char*, int> cases[] = {
        {"Null", 1},      {"'blah'", 8},  {"#01/02/2003#", 7}, {"42", 3},          {"CDbl(42)", 5},
        {"CInt(4)", 2},   {"CSng(1)", 4}, {"CCur(1)", 6},      {"CBool(1)", 11},   {"CDec(1)", 14},
        {"CByte(1)", 17}, {"Freight", 6}, {"OrderDate", 7},    {"Freight > 0", 11}};
    for (const auto& [argument, code] : cases)
        EXPECT_EQ(one("SELECT VarType(" + std::string(argument) + ") FROM Orders WHERE OrderID = 1"),
                  Value::int16(static_cast<std::int16_t>(code)))
            << argument;
    EXPECT_EQ(one("SELECT TypeName(Discontinued) FROM Products WHERE ProductID = 10"), Value::text("Boolean"));
    EXPECT_EQ(one("SELECT TypeName(Quantity) FROM [Order Details] WHERE OrderID = 2"), Value::text("Integer"));
    EXPECT_EQ(one("SELECT TypeName('a' & 1)"), Value::text("String"));
    EXPECT_EQ(one("SELECT TypeName(IIf(True, 1, 'a'))"), Value::text("Long"));
    EXPECT_EQ(one("SELECT TypeName(Null)"), Value::text("Null"));
}

TEST_F(TypedValues, ComparisonsGroupingAndSortingUseTheBareColumn)
{
    EXPECT_EQ(run("SELECT OrderID FROM Orders WHERE OrderDate >= #3/1/2003# ORDER BY OrderDate DESC").rows->rowCount(),
              2u);
    EXPECT_EQ(run("SELECT Discontinued, Count(*) FROM Products GROUP BY Discontinued").rows->rowCount(), 2u);
    sql::Catalog catalog(*db);
    const auto compiled = sql::compileStatement(
        sql::parseStatement("SELECT OrderID FROM Orders WHERE OrderDate > #2/1/2003# ORDER BY OrderDate"), catalog,
        nullptr);
    EXPECT_EQ(compiled.sql.find("acc_asdate"), std::string::npos) << compiled.sql;
}

TEST_F(TypedValues, PlusAndMinusConvertNumericTextAndRefuseOtherText)
{
    EXPECT_EQ(one("SELECT '1' + 2"), Value::dbl(3));
    EXPECT_EQ(run("SELECT '1' + 2").columns.at(0).dataType, t::Double);
    EXPECT_EQ(one("SELECT 2 + '1.5'"), Value::dbl(3.5));
    EXPECT_EQ(one("SELECT 'a' + 'b'"), Value::text("ab"));
    EXPECT_TRUE(one("SELECT '1' + Null").isNull());
    EXPECT_TRUE(one("SELECT Null + 1").isNull());
    EXPECT_EQ(one("SELECT CustomerID + 'x' FROM Orders WHERE OrderID = 1"), Value::text("ALFKIx"));
    for (const char* text : {"SELECT 'a' + 2", "SELECT ProductName + ProductID FROM Products"})
        EXPECT_NE(failure(text).description().find("Typen komen niet overeen"), std::string::npos) << text;
    EXPECT_EQ(one("SELECT CStr('1' + OrderDate) FROM Orders WHERE OrderID = 1"), Value::text("1/2/2003"));

    EXPECT_EQ(one("SELECT '5' - 2"), Value::dbl(3));
    EXPECT_TRUE(one("SELECT '5' - Null").isNull());
    EXPECT_NE(failure("SELECT 'a' - 2").description().find("niet overeen in de operator -"), std::string::npos);
    EXPECT_EQ(one("SELECT CStr(OrderDate - '1') FROM Orders WHERE OrderID = 1"), Value::text("12/31/2002"));
    EXPECT_EQ(one("SELECT OrderDate - #12/31/2002# FROM Orders WHERE OrderID = 1"), Value::dbl(1));
}

// Jet reports Sum and Avg over Byte, Integer, Long, Single and Double columns as Double (adDouble), over
// Currency as Currency; Count is a Long Integer.
TEST_F(TypedValues, TotalsHaveTheTypesJetReports)
{
    const auto r = run("SELECT Sum(Quantity), Avg(Quantity), Sum(OrderID), Sum(Discount), Sum(UnitPrice), "
                       "Avg(UnitPrice), Count(Quantity) FROM [Order Details]");
    const std::vector<sql::DataType> types = {t::Double,   t::Double,   t::Double, t::Double,
                                              t::Currency, t::Currency, t::Integer};
    for (std::size_t c = 0; c < types.size(); ++c) EXPECT_EQ(r.columns[c].dataType, types[c]) << "kolom " << c;
    EXPECT_EQ(r.rows->value(0, 0), Value::dbl(20));
    EXPECT_EQ(r.rows->value(0, 1), Value::dbl(4));
    EXPECT_EQ(r.rows->value(0, 4), Value::currency(290000));
    EXPECT_EQ(r.rows->value(0, 6), Value::int32(5));
}

TEST(RegionalParameters, NumbersAreReadWithTheRegionsDecimalSeparator)
{
    sql::ParameterInfo amount;
    amount.name = "Bedrag";
    amount.dataType = t::Double;
    EXPECT_EQ(sql::parameterValue(amount, std::string("1,234.5")), Value::dbl(1234.5));
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    bool found = false;
    for (const char* name : {"nl_NL.UTF-8", "nl_NL.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            found = true;
            break;
        }
    if (found) {
        EXPECT_EQ(sql::parameterValue(amount, std::string("3,5")), Value::dbl(3.5));
        EXPECT_EQ(sql::parameterValue(amount, std::string("-0,25")), Value::dbl(-0.25));
        sql::ParameterInfo count = amount;
        count.dataType = t::Integer;
        EXPECT_EQ(sql::parameterValue(count, std::string("2,5")), Value::int32(2));  // half to even
        // Inside the engine numbers keep "." as decimal point.
        const auto db = test::makeShop();
        const auto r = sql::runQuery(*db, sql::parseStatement("SELECT 0.5 + 1, CStr(0.25), #1/1/2003 12:00#"), {});
        EXPECT_EQ(r.rows->value(0, 0), Value::dbl(1.5));
        EXPECT_EQ(r.rows->value(0, 1), Value::text("0.25"));
        EXPECT_EQ(r.rows->value(0, 2), Value::dateTime(37622.5));
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!found) GTEST_SKIP() << "geen locale met decimale komma geïnstalleerd";
}

}  // namespace
}  // namespace querimo
