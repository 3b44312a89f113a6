// querimo-sql making a new database and running a script of statements.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/Process.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

class QuerimoSqlScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (querimoSqlPath().empty()) GTEST_SKIP() << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    }
    ProcessResult run(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), querimoSqlPath());
        return runProcess(arguments, 600);
    }
    std::string shippers() const
    {
        return dir.database(jet::Version::Jet4, {"CREATE TABLE Verzender (Naam TEXT(40))",
                                                 "INSERT INTO Verzender VALUES ('United Package')",
                                                 "INSERT INTO Verzender VALUES ('Federal Shipping')",
                                                 "INSERT INTO Verzender VALUES ('Speedy Express')"});
    }
    ScratchDir dir;
};

TEST_F(QuerimoSqlScript, RunsStatementsSeparatedBySemicolonLinesAndSkipsComments)
{
    const std::string database = shippers();
    // A ';' inside a line belongs to the statement; only a line of its own separates.
    const std::string script =
        dir.write("vragen.sql", "-- twee vragen\n"
                                "SELECT Count(*) AS Aantal\n"
                                "FROM Verzender\n"
                                "  ;  \n"
                                "\n"
                                ";\n"
                                "SELECT Naam FROM Verzender WHERE Naam <> 'a;b' ORDER BY Naam\n");
    const ProcessResult result = run({database, "--script", script});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Aantal\n3\nNaam\nFederal Shipping\nSpeedy Express\nUnited Package\n");
}

TEST_F(QuerimoSqlScript, AFailingStatementStopsTheScriptAndNamesItsLine)
{
    const std::string database = shippers();
    const std::string script =
        dir.write("fout.sql", "SELECT 1 AS Een\n;\n\nSELECT * FROM Bestaatniet\n;\nSELECT 2 AS Twee\n");
    const ProcessResult result = run({database, "--script", script});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Een\n1\n");
    EXPECT_NE(result.err.find("regel 4"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Bestaatniet"), std::string::npos) << result.err;

    const ProcessResult missing = run({database, "--script", dir.write("leeg", "") + ".niet"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("kan niet gelezen worden"), std::string::npos) << missing.err;
}

TEST_F(QuerimoSqlScript, CreateRefusesAnExistingFileAndLeavesItAloneAndAMissingFolder)
{
    const std::string existing = dir.write("bestaat.mdb", "iets");
    const ProcessResult result = run({"--create", existing});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("bestaat al"), std::string::npos) << result.err;
    EXPECT_EQ(readBytes(existing), "iets");
    EXPECT_EQ(run({"bestaat.mdb"}).exitCode, 2);  // without --create a command is still needed
    EXPECT_EQ(run({"--create", newPath(dir, "in/een/map.mdb")}).exitCode, 1);
}

// The sample database as the build makes it: querimo-sql runs resources/voorbeeld.sql on a new file. It holds
// what the same script gives through ADO (the sample the other tests use), and mdbtools reads it.
TEST_F(QuerimoSqlScript, ScriptMakesTheSampleDatabase)
{
    const std::string path = newPath(dir, "voorbeeld.mdb");
    const ProcessResult made =
        run({"--create", path, "--script", std::string(QUERIMO_SOURCE_DIR) + "/resources/voorbeeld.sql"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const auto db = openFile(path);
    const auto sample = openFile(dir.sample(jet::Version::Jet4));
    for (const char* table : {"Klant", "Artikel", "Bestelling", "Bestelregel", "MSysRelationships", "MSysQueries"})
        EXPECT_EQ(sortedRows(readRows(*db, table)), sortedRows(readRows(*sample, table))) << table;
    const ProcessResult exported = runProcess({"mdb-export", path, "Bestelregel"});
    EXPECT_EQ(std::count(exported.out.begin(), exported.out.end(), '\n'), 285) << exported.err;
    EXPECT_EQ(runProcess({"mdb-queries", "-1", path}).out, "Omzet per klant\nBestellingen in periode\n");
}

}  // namespace
}  // namespace querimo::test
