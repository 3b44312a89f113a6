// The command object as the main window uses it: parameters known once the text is set, values as text
// converted at execution, an open record set with exact count and typed fields.
#include <gtest/gtest.h>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "core/Error.h"
#include "support/Corpus.h"

namespace querimo {
namespace {

class CommandOnNorthwind : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUERIMO_REQUIRE_CORPUS();
        connection.Provider = "Microsoft.Jet.OLEDB.4.0";
        connection.GetProperties()("Data Source") = (test::corpusDir() / "northwind-jet4.mdb").string();
        connection.Open();
        command.ActiveConnection = &connection;
    }

    ado::Connection connection;
    ado::Command command;
};

TEST_F(CommandOnNorthwind, ParametersBeforeExecuteThenRows)
{
    command.SetCommandText("SELECT * FROM [Employee Sales by Country] ORDER BY SaleAmount DESC");
    ado::Parameters& parameters = command.GetParameters();
    ASSERT_EQ(parameters.Count(), 2u);
    EXPECT_EQ(parameters.Item(0).Name, "Beginning Date");
    EXPECT_EQ(parameters.Item(1).Type, ado::adtype::Date);
    parameters.Item(0).Value = "1/1/1997";
    parameters.Item("ending date").Value = "12/31/1997";

    long affected = -1;
    const auto rs = command.Execute(&affected);
    EXPECT_EQ(affected, 0);
    ASSERT_EQ(rs->State(), ado::ObjectState::Open);
    EXPECT_EQ(rs->RecordCount(), 398u);
    auto fields = rs->GetFields();
    EXPECT_EQ(fields.Item("saleamount").Type(), ado::adtype::Currency);
    EXPECT_EQ(fields.Item(static_cast<std::size_t>(0)).Name(), "Country");
    EXPECT_FALSE(rs->Eof());
}

TEST_F(CommandOnNorthwind, FailuresAreDutchDbErrors)
{
    command.SetCommandText("SELECT OrderID FROM Orders WHERE OrderDate < [Datum]");
    command.GetParameters().Item(0).Value = "31 februari";
    try {
        long affected = 0;
        command.Execute(&affected);
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), errc::typeMismatch);
    }
    EXPECT_THROW(command.SetCommandText("SELEC * FROM Orders"), DbError);

    ado::Command detached;
    try {
        detached.SetCommandText("SELECT 1");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(e.description().find("verbinding"), std::string::npos);
    }
}

}  // namespace
}  // namespace querimo
