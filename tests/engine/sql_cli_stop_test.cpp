// querimo-sql stopping a statement: Ctrl+C and --timeout end it with the Dutch message, their own exit status and
// the file as it was; "--" ends the options.
#include <gtest/gtest.h>

#include "cli/Arguments.h"
#include "jet_test_files.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

// Endless on the sample: 284^4 rows.
const std::string endlessSelect = "SELECT Count(*) FROM Bestelregel a, Bestelregel b, Bestelregel c, Bestelregel d";

class QuerimoSqlStop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(querimoSqlPath().empty()) << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
        database = scratch.sample(jet::Version::Jet4);
    }

    ScratchDir scratch;
    std::string database;
};

TEST_F(QuerimoSqlStop, CtrlCStopsTheStatementWithStatus130)
{
    const auto before = readBytes(database);
    const ProcessResult stopped = runProcess({querimoSqlPath(), database, endlessSelect}, 120, 1500);
    EXPECT_EQ(stopped.exitCode, 130);
    EXPECT_EQ(stopped.err, "De query is afgebroken.\n");
    EXPECT_EQ(stopped.out, "");

    // An update whose reading never ends: stopped, and nothing of it written.
    const ProcessResult update = runProcess(
        {querimoSqlPath(), database, "UPDATE Bestelregel SET Aantal = 1 WHERE Aantal > (" + endlessSelect + ")"}, 120,
        1500);
    EXPECT_EQ(update.exitCode, 130);
    EXPECT_EQ(update.err, "De query is afgebroken.\n");
    EXPECT_EQ(readBytes(database), before);
}

TEST_F(QuerimoSqlStop, TimeoutStopsEachStatementThatRunsLonger)
{
    const auto before = readBytes(database);
    const ProcessResult stopped = runProcess({querimoSqlPath(), "--timeout", "0.5", database,
                                              "DELETE FROM Bestelregel WHERE Aantal > (" + endlessSelect + ")"});
    EXPECT_EQ(stopped.exitCode, 124);
    EXPECT_EQ(stopped.err, "De query is afgebroken: ze liep langer dan 0.5 seconden (--timeout).\n");
    EXPECT_EQ(readBytes(database), before);

    // A script: the statements before it landed, the one that ran too long did not, the rest did not run.
    const std::string script = scratch.write("lang.sql", "DELETE FROM Bestelregel WHERE Regel > 2\n;\n" + endlessSelect
                                                             + "\n;\nDELETE FROM Bestelregel\n");
    const ProcessResult inScript = runProcess({querimoSqlPath(), database, "--script", script, "--timeout", "4"});
    EXPECT_EQ(inScript.exitCode, 124);
    EXPECT_NE(inScript.err.find("regel 3"), std::string::npos) << inScript.err;
    EXPECT_NE(inScript.err.find("ze liep langer dan 4 seconden (--timeout)"), std::string::npos) << inScript.err;
    const ProcessResult left = runProcess({querimoSqlPath(), database, "SELECT Count(*) FROM Bestelregel"});
    EXPECT_EQ(left.out, "Expr1000\n204\n");

    const ProcessResult quick =
        runProcess({querimoSqlPath(), "--timeout", "30", database, "SELECT Count(*) FROM Klant"});
    EXPECT_EQ(quick.exitCode, 0);
    EXPECT_EQ(quick.out, "Expr1000\n40\n");
}

TEST(QuerimoSqlArguments, DoubleDashEndsTheOptionsAndTimeoutWantsSeconds)
{
    const cli::Arguments dashed = cli::parseArguments({"--csv", "--", "-oud.mdb", "-- eerst\nSELECT 1"});
    EXPECT_EQ(dashed.database, "-oud.mdb");
    EXPECT_EQ(dashed.command, cli::Command::Statement);
    EXPECT_EQ(dashed.statement, "-- eerst\nSELECT 1");
    EXPECT_TRUE(dashed.csv);
    EXPECT_EQ(cli::parseArguments({"db.mdb", "--", "--tables"}).statement, "--tables");
    EXPECT_EQ(cli::parseArguments({"db.mdb", "--", "-"}).statement, "-");
    EXPECT_THROW(cli::parseArguments({"db.mdb", "-- eerst\nSELECT 1"}), cli::UsageError);

    EXPECT_DOUBLE_EQ(cli::parseArguments({"--timeout", "2.5", "db.mdb", "SELECT 1"}).timeoutSeconds, 2.5);
    for (const char* wrong : {"0", "-1", "twee", "", "nan", "inf", "3s"})
        EXPECT_THROW(cli::parseArguments({"--timeout", wrong, "db.mdb", "SELECT 1"}), cli::UsageError) << wrong;
    EXPECT_THROW(cli::parseArguments({"--timeout", "5", "db.mdb", "--tables"}), cli::UsageError);
}

}  // namespace
}  // namespace querimo::test
