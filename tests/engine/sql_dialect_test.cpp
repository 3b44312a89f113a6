// The Access dialect: operators with Access's precedence and results, literals, and Dutch errors that say
// what and where.
#include <gtest/gtest.h>

#include "sql_fake_database.h"

namespace querimo {
namespace {

using t = sql::DataType;

class Dialect : public test::ShopQueries {
protected:
    Value value(const std::string& expression) { return one("SELECT " + expression); }
    sql::DataType typeOf(const std::string& expression) { return run("SELECT " + expression).columns.at(0).dataType; }
};

TEST_F(Dialect, ArithmeticFollowsAccessPrecedence)
{
    EXPECT_EQ(value("2 + 3 * 4"), Value::int32(14));
    EXPECT_EQ(value("-2 ^ 2"), Value::dbl(-4));
    EXPECT_EQ(value("2 ^ 3 ^ 2"), Value::dbl(64));  // left to right
    EXPECT_EQ(value("7 \\ 2"), Value::int32(3));
    EXPECT_EQ(value("7 Mod 3"), Value::int32(1));
    EXPECT_EQ(value("10 / 4"), Value::dbl(2.5));       // never integer division
    EXPECT_EQ(value("1 + 2 & 3"), Value::text("33"));  // & binds looser than +
    EXPECT_EQ(value("'a' & Null & 'b'"), Value::text("ab"));
}

TEST_F(Dialect, LogicUsesMinusOneForTrue)
{
    EXPECT_EQ(value("1 < 2"), Value::boolean(true));
    EXPECT_EQ(typeOf("1 < 2"), t::Boolean);
    EXPECT_EQ(value("(1 < 2) + 0"), Value::int32(-1));
    EXPECT_EQ(value("Not 1 = 2"), Value::boolean(true));  // Not binds looser than =
    EXPECT_EQ(value("True Xor True"), Value::boolean(false));
    EXPECT_EQ(value("False Imp False"), Value::boolean(true));
    EXPECT_EQ(value("True Eqv False"), Value::boolean(false));
    EXPECT_EQ(value("True Or False And False"), Value::boolean(true));  // And before Or
    EXPECT_EQ(value("Yes = On"), Value::boolean(true));
    EXPECT_EQ(value("No"), Value::boolean(false));
    EXPECT_TRUE(value("Null = 1").isNull());
}

TEST_F(Dialect, ComparisonsIgnoreLetterCase)
{
    for (const char* e : {"'abc' = 'ABC'", "'Émile' = 'émile'", "'a' < 'B'", "'b' Between 'A' And 'C'",
                          "'X' In ('x', 'y')", "5 Not In (1, 2)", "Not 3 Not Between 1 And 5", "Null Is Null",
                          "1 Is Not Null", "'Chai' Like 'c?ai'", "'Chai' Not Like 'x*'"})
        EXPECT_EQ(value(e), Value::boolean(true)) << e;
}

TEST_F(Dialect, LiteralsOfEveryKind)
{
    EXPECT_EQ(value("#12/31/2003#"), Value::dateTime(37986));
    EXPECT_EQ(value("#2003-12-31#"), Value::dateTime(37986));
    EXPECT_EQ(value("#12/31/2003 18:00#"), Value::dateTime(37986.75));
    EXPECT_EQ(typeOf("#1/1/2000#"), t::Date);
    EXPECT_EQ(value("#1/2/2003# - #1/1/2003#"), Value::dbl(1));
    EXPECT_EQ(value("#1/1/2003# + 1"), Value::dateTime(37623));
    EXPECT_EQ(value("\"say \"\"hi\"\"\""), Value::text("say \"hi\""));
    EXPECT_EQ(value("'it''s'"), Value::text("it's"));
    EXPECT_EQ(value("1.5"), Value::dbl(1.5));
    EXPECT_EQ(value("&H1F"), Value::int32(31));
    EXPECT_TRUE(value("Null").isNull());
}

TEST_F(Dialect, ComputedColumnsAreTypedAsAccessTypesThem)
{
    const auto r = run("SELECT Count(*), Sum(Freight), Sum(OrderID), Max(OrderDate), CustomerID & 'x', Avg(Freight), "
                       "First(CustomerID), Max(Freight) * 2, Len(CustomerID) FROM Orders GROUP BY CustomerID");
    const std::vector<sql::DataType> expected = {t::Integer,  t::Currency, t::Double,   t::Date,   t::VarWChar,
                                                 t::Currency, t::VarWChar, t::Currency, t::Integer};
    ASSERT_EQ(r.columns.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(r.columns[i].dataType, expected[i]) << i;
    EXPECT_EQ(r.columns[0].name, "Expr1000");
    EXPECT_EQ(r.columns[1].name, "Expr1001");
}

TEST_F(Dialect, SyntaxErrorsSayWhatAndWhere)
{
    const DbError e = failure("SELECT * FORM Customers");
    EXPECT_EQ(e.number(), errc::syntax);
    EXPECT_NE(e.description().find("'FORM'"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("positie 10"), std::string::npos) << e.description();

    EXPECT_NE(failure("SELECT 'open").description().find("positie 8"), std::string::npos);
    EXPECT_NE(failure("SELECT [Naam FROM Customers").description().find("']'"), std::string::npos);
    EXPECT_NE(failure("SELECT #13/45/2003#").description().find("#13/45/2003#"), std::string::npos);
    EXPECT_NE(failure("SELECT 1 +").description().find("onvolledig"), std::string::npos);
    EXPECT_NE(failure("SELECT Foo(1)").description().find("'Foo'"), std::string::npos);
    EXPECT_NE(failure("SELECT Left('a')").description().find("Left"), std::string::npos);
    EXPECT_NE(failure("SELECT Sum(Count(*)) FROM Orders").description().find("statistische"), std::string::npos);
}

TEST_F(Dialect, NameErrorsNameTheName)
{
    const DbError missing = failure("SELECT * FROM Klanten");
    EXPECT_EQ(missing.number(), errc::notFound);
    EXPECT_NE(missing.description().find("'Klanten'"), std::string::npos);
    EXPECT_NE(missing.description().find("positie 15"), std::string::npos);

    const DbError ambiguous = failure("SELECT CustomerID FROM Orders, Customers");
    EXPECT_NE(ambiguous.description().find("'CustomerID'"), std::string::npos);
    EXPECT_NE(ambiguous.description().find("meer dan één tabel"), std::string::npos);

    const DbError grouped = failure("SELECT CustomerID, Count(*) FROM Orders");
    EXPECT_NE(grouped.description().find("'CustomerID'"), std::string::npos) << grouped.description();

    EXPECT_NE(failure("SELECT Nope.* FROM Orders").description().find("'Nope'"), std::string::npos);
    EXPECT_NE(failure("SELECT * FROM Orders, Orders").description().find("'Orders'"), std::string::npos);
}

TEST_F(Dialect, StatementsThatWriteGiveNoRows)
{
    for (const char* text : {"DELETE FROM Orders", "UPDATE Orders SET Freight = 0", "INSERT INTO Orders VALUES (1)",
                             "CREATE TABLE x (a LONG)", "SELECT * INTO Kopie FROM Orders"}) {
        const DbError e = failure(text);
        EXPECT_NE(e.description().find("levert geen rijen op"), std::string::npos) << text;
    }
}

TEST(DialectLimits, DeepNestingFailsInsteadOfExhaustingTheStack)
{
    for (const std::string& open : {std::string("("), std::string("-"), std::string("Not ")}) {
        std::string text = "SELECT ";
        for (int i = 0; i < 100000; ++i) text += open;
        text += "1";
        try {
            sql::parseStatement(text);
            FAIL() << open;
        } catch (const DbError& e) {
            EXPECT_NE(e.description().find("te diep genest"), std::string::npos);
        }
    }
}

TEST(DialectLimits, LongOperatorChainsAreBounded)
{
    std::string text = "SELECT 1";
    for (int i = 0; i < 100000; ++i) text += "+1";
    EXPECT_THROW(sql::parseStatement(text), DbError);
    std::string fine = "SELECT 1";
    for (int i = 0; i < 500; ++i) fine += "+1";
    EXPECT_NO_THROW(sql::parseStatement(fine));
}

}  // namespace
}  // namespace querimo
