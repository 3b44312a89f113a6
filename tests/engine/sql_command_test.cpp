// The command object as the main window uses it: parameters known once the text is set, values as text
// converted at execution, an open record set with exact count and typed fields.
#include <gtest/gtest.h>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "jet_test_files.h"

namespace querimo {
namespace {

class CommandOnSample : public ::testing::Test {
protected:
    void SetUp() override
    {
        connection.Provider = "Microsoft.Jet.OLEDB.4.0";
        connection.GetProperties()("Data Source") = scratch.sample(jet::Version::Jet4);
        connection.Open();
        command.ActiveConnection = &connection;
    }

    test::ScratchDir scratch;
    ado::Connection connection;
    ado::Command command;
};

TEST_F(CommandOnSample, ParametersBeforeExecuteThenRows)
{
    command.SetCommandText("PARAMETERS [Tot en met datum] DateTime; SELECT *, Verzonden * 2.5 AS Bedrag "
                           "FROM [Bestellingen in periode] ORDER BY Besteldatum DESC");
    ado::Parameters& parameters = command.GetParameters();
    ASSERT_EQ(parameters.Count(), 2u);
    EXPECT_EQ(parameters.Item(0).Name, "Tot en met datum");
    EXPECT_EQ(parameters.Item(0).Type, ado::DataType::Date);
    EXPECT_EQ(parameters.Item(1).Name, "Vanaf datum");
    parameters.Item(1).Value = "1/1/2024";
    parameters.Item("tot en met datum").Value = "6/30/2024";

    long affected = -1;
    const auto rs = command.Execute(&affected);
    EXPECT_EQ(affected, 0);
    ASSERT_EQ(rs->State(), ado::ObjectState::Open);
    EXPECT_EQ(rs->RecordCount(), 60u);
    auto fields = rs->GetFields();
    EXPECT_EQ(fields.Item("besteldatum").Type(), ado::DataType::Date);
    EXPECT_EQ(fields.Item(static_cast<std::size_t>(0)).Name(), "BestelNr");
    EXPECT_FALSE(rs->Eof());
}

TEST_F(CommandOnSample, FailuresAreDutchDbErrors)
{
    command.SetCommandText("SELECT BestelNr FROM Bestelling WHERE Besteldatum < [Datum]");
    command.GetParameters().Item(0).Value = "31 februari";
    EXPECT_EQ(test::errorFrom([&] { command.Execute(nullptr); }).number(), errc::typeMismatch);
    EXPECT_THROW(command.SetCommandText("SELEC * FROM Bestelling"), DbError);
    ado::Command detached;
    EXPECT_NE(test::errorFrom([&] { detached.SetCommandText("SELECT 1"); }).description().find("verbinding"),
              std::string::npos);
}

// The database opened again often lands where the closed one lived; the command's kept statement must not
// take it for the old one.
TEST_F(CommandOnSample, ExecutesAgainAfterTheConnectionWasOpenedAgain)
{
    command.SetCommandText(
        "SELECT k.Naam, b.BestelNr FROM Klant AS k INNER JOIN Bestelling AS b ON b.KlantNr = k.KlantNr");
    const std::size_t rows = command.Execute(nullptr)->RecordCount();
    EXPECT_EQ(rows, 120u);
    for (int again = 0; again < 4; ++again) {
        connection.Close();
        connection.Open();
        EXPECT_EQ(command.Execute(nullptr)->RecordCount(), rows) << again;
    }
}

}  // namespace
}  // namespace querimo
