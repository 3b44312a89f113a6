// Relationships act as declared: deletes and key updates of referenced rows carry on to the rows that refer to
// them, through chains, cycles and a table related to itself, in one statement; what a cascade may not do
// refuses the whole statement and leaves the file as it was.
#include <algorithm>

#include "engine/writer_rows_cascade_support.h"

namespace querimo::test {
namespace {

// Klant -> Bestelling -> Regel cascade updates and deletes; Notitie's order becomes Null when the order goes;
// Artikel is referenced by Regel without actions.
const std::vector<std::string> shop = {
    "CREATE TABLE Klant (Code TEXT(5) PRIMARY KEY, Naam TEXT(20))",
    "CREATE TABLE Artikel (Nr LONG PRIMARY KEY, Naam TEXT(20))",
    "CREATE TABLE Bestelling (Nr LONG PRIMARY KEY, Klant TEXT(5) NOT NULL, CONSTRAINT KlantBestelling "
    "FOREIGN KEY (Klant) REFERENCES Klant (Code) ON UPDATE CASCADE ON DELETE CASCADE)",
    "CREATE TABLE Regel (Bestelling LONG, Regel LONG, Artikel LONG, CONSTRAINT pk PRIMARY KEY (Bestelling, Regel), "
    "CONSTRAINT BestellingRegel FOREIGN KEY (Bestelling) REFERENCES Bestelling ON DELETE CASCADE ON UPDATE CASCADE, "
    "CONSTRAINT ArtikelRegel FOREIGN KEY (Artikel) REFERENCES Artikel (Nr) ON UPDATE NO ACTION ON DELETE NO ACTION)",
    "CREATE TABLE Notitie (Nr LONG PRIMARY KEY, Bestelling LONG CONSTRAINT BestellingNotitie REFERENCES Bestelling "
    "ON DELETE SET NULL, Tekst TEXT(20))",
    "INSERT INTO Klant VALUES ('A', 'Aart')",
    "INSERT INTO Klant VALUES ('B', 'Bep')",
    "INSERT INTO Artikel VALUES (1, 'Pen')",
    "INSERT INTO Artikel VALUES (2, 'Papier')",
    "INSERT INTO Bestelling VALUES (10, 'A')",
    "INSERT INTO Bestelling VALUES (11, 'A')",
    "INSERT INTO Bestelling VALUES (20, 'B')",
    "INSERT INTO Regel VALUES (10, 1, 1)",
    "INSERT INTO Regel VALUES (10, 2, 2)",
    "INSERT INTO Regel VALUES (11, 1, 1)",
    "INSERT INTO Regel VALUES (20, 1, 2)",
    "INSERT INTO Notitie VALUES (1, 10, 'snel')",
    "INSERT INTO Notitie VALUES (2, 20, 'later')"};

const char* const shopTables[] = {"Klant", "Artikel", "Bestelling", "Regel", "Notitie"};

std::vector<std::string> sortedExport(const std::string& path, const std::string& table)
{
    std::vector<std::string> out;
    for (const CsvRow& row : exported(path, table)) {
        std::string line;
        for (const std::string& field : row) line += field + ";";
        out.push_back(line);
    }
    std::sort(out.begin(), out.end());
    return out;
}

class Cascades : public ::testing::TestWithParam<jet::Version> {
protected:
    void expectSound()
    {
        for (const char* table : shopTables) expectIndexesMatchRows(path, table);
    }

    ScratchDir dir;
    const std::string path = dir.database(GetParam(), shop);
};

TEST_P(Cascades, DeleteRunsDownTheChainAndSetsNullWhereDeclared)
{
    EXPECT_EQ(affected(path, "DELETE FROM Klant WHERE Code = 'A'"), 1);
    EXPECT_EQ(sortedExport(path, "Klant"), (std::vector<std::string>{"B;Bep;"}));
    EXPECT_EQ(sortedExport(path, "Bestelling"), (std::vector<std::string>{"20;B;"}));
    EXPECT_EQ(sortedExport(path, "Regel"), (std::vector<std::string>{"20;1;2;"}));
    EXPECT_EQ(sortedExport(path, "Notitie"), (std::vector<std::string>{"1;;snel;", "2;20;later;"}));
    EXPECT_EQ(sortedExport(path, "Artikel").size(), 2u);
    expectSound();
    EXPECT_EQ(affected(path, "DELETE FROM Bestelling"), 1);
    EXPECT_TRUE(exported(path, "Regel").empty());
    EXPECT_EQ(sortedExport(path, "Notitie"), (std::vector<std::string>{"1;;snel;", "2;;later;"}));
    expectSound();
}

TEST_P(Cascades, KeyUpdatesCarryIntoReferringRowsAndTheirIndexes)
{
    EXPECT_EQ(affected(path, "UPDATE Klant SET Code = 'Z' WHERE Code = 'A'"), 1);
    EXPECT_EQ(sortedExport(path, "Bestelling"), (std::vector<std::string>{"10;Z;", "11;Z;", "20;B;"}));
    // Bestelling's key is part of Regel's primary key: that index follows too.
    affected(path, "DELETE FROM Notitie WHERE Nr = 1");
    EXPECT_EQ(affected(path, "UPDATE Bestelling SET Nr = Nr + 100 WHERE Klant = 'Z'"), 2);
    EXPECT_EQ(sortedExport(path, "Regel"), (std::vector<std::string>{"110;1;1;", "110;2;2;", "111;1;1;", "20;1;2;"}));
    // Notitie does not cascade updates: its order keeps the old number, which is refused.
    expectRefused(path, "UPDATE Bestelling SET Nr = 21 WHERE Nr = 20", {"'Notitie'", "'Bestelling'"});
    EXPECT_EQ(affected(path, "UPDATE Bestelling SET Nr = 12 WHERE Nr = 111"), 1);
    expectSound();
}

TEST_P(Cascades, RefusedCascadesNameTheRelationshipAndLeaveTheFile)
{
    // Regel refers to Artikel without actions.
    expectRefused(path, "DELETE FROM Artikel WHERE Nr = 1", {"'Regel'", "'Artikel'", "'ArtikelRegel'"});
    expectRefused(path, "UPDATE Artikel SET Nr = 5 WHERE Nr = 2", {"'Regel'"});
    // The cascade from Klant reaches Regel's rows, which another relationship keeps.
    affected(path, "CREATE TABLE Levering (Nr LONG PRIMARY KEY, Bestelling LONG, Regel LONG, CONSTRAINT RegelLevering "
                   "FOREIGN KEY (Bestelling, Regel) REFERENCES Regel (Bestelling, Regel))");
    affected(path, "INSERT INTO Levering VALUES (1, 11, 1)");
    expectRefused(path, "DELETE FROM Klant WHERE Code = 'A'", {"'BestellingRegel'", "'RegelLevering'"});
    expectRefused(path, "UPDATE Bestelling SET Nr = 99 WHERE Nr = 11", {"'BestellingRegel'", "'RegelLevering'"});
    // Null into a required column.
    affected(path, "CREATE TABLE Factuur (Nr LONG PRIMARY KEY, Bestelling LONG NOT NULL, CONSTRAINT BestellingFactuur "
                   "FOREIGN KEY (Bestelling) REFERENCES Bestelling (Nr) ON DELETE SET NULL)");
    affected(path, "INSERT INTO Factuur VALUES (1, 20)");
    expectRefused(path, "DELETE FROM Klant WHERE Code = 'B'", {"'BestellingFactuur'", "'Bestelling'"});
}

TEST_P(Cascades, SelfRelationsAndCyclesEndWithoutLooping)
{
    affected(path, "CREATE TABLE Medewerker (Nr LONG PRIMARY KEY, Baas LONG, CONSTRAINT BaasMedewerker "
                   "FOREIGN KEY (Baas) REFERENCES Medewerker (Nr) ON DELETE CASCADE ON UPDATE CASCADE)");
    for (const char* row : {"(1, Null)", "(2, 1)", "(3, 2)", "(4, Null)"})
        affected(path, std::string("INSERT INTO Medewerker VALUES ") + row);
    affected(path, "UPDATE Medewerker SET Baas = 1 WHERE Nr = 1");  // their own boss
    EXPECT_EQ(affected(path, "UPDATE Medewerker SET Nr = 7 WHERE Nr = 1"), 1);
    EXPECT_EQ(sortedExport(path, "Medewerker"), (std::vector<std::string>{"2;7;", "3;2;", "4;;", "7;7;"}));
    EXPECT_EQ(affected(path, "DELETE FROM Medewerker WHERE Nr IN (7, 3)"), 2);
    EXPECT_EQ(sortedExport(path, "Medewerker"), (std::vector<std::string>{"4;;"}));
    expectIndexesMatchRows(path, "Medewerker");

    // Every row's key changes and carries into rows the statement read before: they get the new keys.
    affected(path, "CREATE TABLE Deel (Code TEXT(5) PRIMARY KEY, Boven TEXT(5), CONSTRAINT BovenDeel "
                   "FOREIGN KEY (Boven) REFERENCES Deel (Code) ON UPDATE CASCADE)");
    for (const char* row : {"('C', Null)", "('A', Null)", "('B', 'A')"})
        affected(path, std::string("INSERT INTO Deel VALUES ") + row);
    affected(path, "UPDATE Deel SET Boven = 'B' WHERE Code = 'C'");
    EXPECT_EQ(affected(path, "UPDATE Deel SET Code = Code & 'x'"), 3);
    EXPECT_EQ(sortedExport(path, "Deel"), (std::vector<std::string>{"Ax;;", "Bx;Ax;", "Cx;Bx;"}));
    expectIndexesMatchRows(path, "Deel");

    // Two tables that each cascade into the other.
    affected(path, "CREATE TABLE Kip (Nr LONG PRIMARY KEY, Ei LONG)");
    affected(path, "CREATE TABLE Ei (Nr LONG PRIMARY KEY, Kip LONG CONSTRAINT KipEi REFERENCES Kip ON DELETE CASCADE)");
    affected(path, "ALTER TABLE Kip ADD CONSTRAINT EiKip FOREIGN KEY (Ei) REFERENCES Ei (Nr) ON DELETE CASCADE");
    affected(path, "INSERT INTO Kip VALUES (1, Null)");
    affected(path, "INSERT INTO Ei VALUES (1, 1)");
    affected(path, "INSERT INTO Kip VALUES (2, 1)");
    affected(path, "UPDATE Kip SET Ei = 1 WHERE Nr = 1");
    affected(path, "INSERT INTO Ei VALUES (2, 2)");
    EXPECT_EQ(affected(path, "DELETE FROM Kip WHERE Nr = 1"), 1);
    EXPECT_TRUE(exported(path, "Kip").empty());
    EXPECT_TRUE(exported(path, "Ei").empty());
    expectIndexesMatchRows(path, "Kip");
    expectIndexesMatchRows(path, "Ei");
}

INSTANTIATE_TEST_SUITE_P(Versions, Cascades, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
}  // namespace querimo::test
