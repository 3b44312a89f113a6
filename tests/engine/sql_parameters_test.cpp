// Parameters as Access finds them: every name that resolves to nothing, in order of first appearance,
// declared ones first, each name once; values converted to the declared or the context's type.
#include <gtest/gtest.h>

#include "sql_fake_database.h"

namespace querimo {
namespace {

using t = sql::DataType;

class Parameters : public test::ShopQueries {
protected:
    std::vector<sql::ParameterInfo> parameters(const std::string& text)
    {
        sql::Catalog catalog(*db);
        return sql::compileStatement(sql::parseStatement(text), catalog, nullptr).parameters;
    }
    std::vector<std::string> names(const std::string& text)
    {
        std::vector<std::string> out;
        for (const auto& p : parameters(text)) out.push_back(p.name);
        return out;
    }
};

TEST_F(Parameters, InOrderOfFirstAppearanceEachOnce)
{
    EXPECT_EQ(names("SELECT * FROM Orders WHERE OrderDate Between [Beginning Date] And [Ending Date]"),
              (std::vector<std::string>{"Beginning Date", "Ending Date"}));
    EXPECT_EQ(names("SELECT [b] + 1 AS x FROM Orders WHERE [a] = OrderID OR [B] = OrderID"),
              (std::vector<std::string>{"b", "a"}));
    // A parameter in a join condition, written after the select list, comes after it.
    EXPECT_EQ(names("SELECT [eerste] FROM Orders INNER JOIN Customers ON Orders.CustomerID = [tweede]"),
              (std::vector<std::string>{"eerste", "tweede"}));
    EXPECT_TRUE(names("SELECT * FROM Orders WHERE OrderID = 1").empty());
}

TEST_F(Parameters, DeclaredOnesComeFirstWithTheirTypes)
{
    const auto p =
        parameters("PARAMETERS [Stad] Text ( 255 ), [Vanaf] DateTime; "
                   "SELECT * FROM Orders WHERE Freight > [Minimum] AND OrderDate >= [Vanaf] AND [Stad] <> ''");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].name, "Stad");
    EXPECT_EQ(p[0].dataType, t::VarWChar);
    EXPECT_EQ(p[1].name, "Vanaf");
    EXPECT_EQ(p[1].dataType, t::Date);
    EXPECT_EQ(p[2].name, "Minimum");
    EXPECT_EQ(p[2].dataType, t::Currency);  // from the column it is compared with
    EXPECT_TRUE(p[0].declared);
    EXPECT_FALSE(p[2].declared);
}

TEST_F(Parameters, NamesWithSpacesAndPunctuationAndMisspeltFields)
{
    EXPECT_EQ(names("SELECT * FROM Customers WHERE City = [Welke stad? (bijv. Londen)]"),
              (std::vector<std::string>{"Welke stad? (bijv. Londen)"}));
    EXPECT_EQ(names("SELECT CompnyName FROM Customers"), (std::vector<std::string>{"CompnyName"}));
    EXPECT_EQ(names("SELECT Customers.Naam FROM Customers"), (std::vector<std::string>{"Customers.Naam"}));
    EXPECT_EQ(names("SELECT * FROM Orders WHERE OrderID = [Forms]![Bestelling]![Nummer]"),
              (std::vector<std::string>{"Forms!Bestelling!Nummer"}));
    // An alias of the select list is no field for WHERE: Access asks for it.
    EXPECT_EQ(names("SELECT Freight * 2 AS Dubbel FROM Orders WHERE Dubbel > 10"),
              (std::vector<std::string>{"Dubbel"}));
}

TEST_F(Parameters, ValuesAreConvertedToTheirType)
{
    const std::string text = "SELECT OrderID FROM Orders WHERE OrderDate Between [Van] And [Tot] ORDER BY OrderID";
    const auto r = run(text, {{"Van", "1/15/2003"}, {"Tot", "2003-02-28"}});
    ASSERT_EQ(r.rows->rowCount(), 1u);
    EXPECT_EQ(r.rows->value(0, 0), Value::int32(2));

    const auto byName = run("SELECT OrderID FROM Orders WHERE CustomerID = [Klant]", {{"klant", "alfki"}});
    EXPECT_EQ(byName.rows->rowCount(), 2u);  // names and text compare without letter case

    const auto none = run("SELECT OrderID FROM Orders WHERE CustomerID = [Klant]", {{"Klant", std::nullopt}});
    EXPECT_EQ(none.rows->rowCount(), 0u);
}

TEST_F(Parameters, ValuesThatDoNotConvertOrAreMissingFailInDutch)
{
    const DbError date = failure("SELECT * FROM Orders WHERE OrderDate > [Datum]", {{"Datum", "gisteren"}});
    EXPECT_EQ(date.number(), errc::typeMismatch);
    EXPECT_NE(date.description().find("'gisteren'"), std::string::npos) << date.description();
    EXPECT_NE(date.description().find("'Datum'"), std::string::npos) << date.description();
    EXPECT_EQ(
        failure("PARAMETERS Aantal Short; SELECT * FROM Orders WHERE OrderID = Aantal", {{"Aantal", "70000"}}).number(),
        errc::typeMismatch);
    const DbError missing = failure("SELECT * FROM Orders WHERE OrderID = [Nummer]");
    EXPECT_EQ(missing.number(), errc::noValue);
    EXPECT_NE(missing.description().find("'Nummer'"), std::string::npos) << missing.description();
}

}  // namespace
}  // namespace querimo
