// querimo-sql making a new database and running a script of statements.
#include <gtest/gtest.h>

#include "jet_test_files.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

class QuerimoSqlScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (querimoSqlPath().empty())
            GTEST_SKIP() << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    }
    ProcessResult run(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), querimoSqlPath());
        return runProcess(arguments);
    }
    ScratchDir dir;
};

TEST_F(QuerimoSqlScript, RunsStatementsSeparatedBySemicolonLinesAndSkipsComments)
{
    QUERIMO_REQUIRE_CORPUS();
    const std::string database = dir.copyOf("northwind-jet4.mdb");
    // A ';' inside a line belongs to the statement; only a line of its own separates.
    const std::string script = dir.write("vragen.sql",
                                         "-- twee vragen\n"
                                         "SELECT Count(*) AS Aantal\n"
                                         "FROM Orders\n"
                                         "  ;  \n"
                                         "\n"
                                         ";\n"
                                         "SELECT CompanyName FROM Shippers WHERE CompanyName <> 'a;b' ORDER BY CompanyName\n");
    const ProcessResult result = run({database, "--script", script});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Aantal\n830\nCompanyName\nFederal Shipping\nSpeedy Express\nUnited Package\n");
}

TEST_F(QuerimoSqlScript, AFailingStatementStopsTheScriptAndNamesItsLine)
{
    QUERIMO_REQUIRE_CORPUS();
    const std::string database = dir.copyOf("northwind-jet4.mdb");
    const std::string script = dir.write("fout.sql", "SELECT 1 AS Een\n;\n\nSELECT * FROM Bestaatniet\n;\nSELECT 2 AS Twee\n");
    const ProcessResult result = run({database, "--script", script});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Een\n1\n");
    EXPECT_NE(result.err.find("regel 4"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Bestaatniet"), std::string::npos) << result.err;

    const ProcessResult missing = run({database, "--script", dir.write("leeg", "") + ".niet"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("kan niet gelezen worden"), std::string::npos) << missing.err;
}

TEST_F(QuerimoSqlScript, CreateRefusesAnExistingFileAndLeavesItAlone)
{
    const std::string existing = dir.write("bestaat.mdb", "iets");
    const ProcessResult result = run({"--create", existing});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("bestaat al"), std::string::npos) << result.err;
    EXPECT_EQ(readBytes(existing), "iets");
    EXPECT_EQ(run({"bestaat.mdb"}).exitCode, 2);  // without --create a command is still needed
}

}  // namespace
}  // namespace querimo::test
