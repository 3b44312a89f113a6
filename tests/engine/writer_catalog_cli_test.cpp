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
        if (querimoSqlPath().empty())
            GTEST_SKIP() << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    }
    ProcessResult run(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), querimoSqlPath());
        return runProcess(arguments, 600);
    }
    std::string shippers() const
    {
        return makeDatabase(newPath(dir, "verzenders.mdb"), jet::Version::Jet4,
                            {"CREATE TABLE Verzender (Naam TEXT(40))", "INSERT INTO Verzender VALUES ('United Package')",
                             "INSERT INTO Verzender VALUES ('Federal Shipping')", "INSERT INTO Verzender VALUES ('Speedy Express')"})
            .string();
    }
    ScratchDir dir;
};

TEST_F(QuerimoSqlScript, RunsStatementsSeparatedBySemicolonLinesAndSkipsComments)
{
    const std::string database = shippers();
    // A ';' inside a line belongs to the statement; only a line of its own separates.
    const std::string script = dir.write("vragen.sql",
                                         "-- twee vragen\n"
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

// The sample database as the build makes it: querimo-sql runs resources/voorbeeld.sql on a new file.
TEST_F(QuerimoSqlScript, ScriptMakesTheSampleDatabase)
{
    const std::string path = newPath(dir, "voorbeeld.mdb");
    const ProcessResult made = run({"--create", path, "--script", std::string(QUERIMO_SOURCE_DIR) + "/resources/voorbeeld.sql"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const auto db = openFile(path);
    const std::pair<const char*, std::size_t> tables[] = {{"Klant", 40}, {"Artikel", 30}, {"Bestelling", 120}, {"Bestelregel", 284}};
    for (const auto& [name, rows] : tables) {
        EXPECT_EQ(readRows(*db, name).size(), rows) << name;
        EXPECT_EQ(db->table(name).rowCount, rows) << name;
        const ProcessResult exported = runProcess({"mdb-export", path, name});
        EXPECT_EQ(std::count(exported.out.begin(), exported.out.end(), '\n'), static_cast<long>(rows + 1)) << name;
    }
    const auto hasIndex = [&](const char* table, const char* index, bool foreignKey) {
        const jet::TableDef& def = db->table(table);
        return std::any_of(def.indexes.begin(), def.indexes.end(),
                           [&](const jet::IndexDef& i) { return i.name == index && i.foreignKey == foreignKey; });
    };
    EXPECT_TRUE(hasIndex("Klant", "idxKlantPlaats", false));
    EXPECT_TRUE(hasIndex("Bestelling", "fkBestellingKlant", true));
    const ProcessResult listed = runProcess({"mdb-queries", "-1", path});
    EXPECT_EQ(listed.out, "Omzet per klant\nBestellingen in periode\n") << listed.err;
    const ProcessResult relationships = runProcess({"mdb-export", path, "MSysRelationships"});
    EXPECT_NE(relationships.out.find("\"fkBestellingKlant\",0,1,0,\"Bestelling\",\"KlantNr\",\"Klant\",\"KlantNr\""),
              std::string::npos)
        << relationships.out;
}

}  // namespace
}  // namespace querimo::test
