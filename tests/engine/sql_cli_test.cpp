// querimo-sql as a program on the sample: rows with a header, parameters, exit statuses with Dutch messages,
// and the two export forms holding the same values.
#include <gtest/gtest.h>

#include "jet_test_files.h"
#include "support/Csv.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

// Undoes the escapes of the TAB form.
std::string unescaped(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char c = field[++i];
        out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return out;
}

class QuerimoSql : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(querimoSqlPath().empty()) << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
        database = scratch.sample(jet::Version::Jet4);
    }

    ProcessResult run(std::vector<std::string> args) const
    {
        args.insert(args.begin(), querimoSqlPath());
        return runProcess(args);
    }
    // One statement on the sample; standard error follows standard output.
    ProcessResult statement(const std::string& text, std::vector<std::string> options = {}) const
    {
        options.insert(options.begin(), database);
        options.push_back(text);
        return run(options);
    }

    ScratchDir scratch;
    std::string database;
};

TEST_F(QuerimoSql, RowsWithHeaderInTabCsvAndJson)
{
    const ProcessResult tab = statement("SELECT TOP 2 Omschrijving, Prijs FROM Artikel ORDER BY Prijs DESC, ArtikelNr");
    EXPECT_EQ(tab.exitCode, 0) << tab.err;
    const auto rows = parseTabLines(tab.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (CsvRow{"Omschrijving", "Prijs"}));
    EXPECT_EQ(statement("SELECT Count(*) AS [Aantal, totaal] FROM Bestelling", {"--csv"}).out,
              "\"Aantal, totaal\"\r\n120\r\n");
    EXPECT_EQ(statement("SELECT BestelNr, KlantNr, Opmerking FROM Bestelling WHERE BestelNr = 24021", {"--json"}).out,
              "[\n  {\"BestelNr\": 24021, \"KlantNr\": 13, \"Opmerking\": \"Spoed!\"}\n]\n");
}

TEST_F(QuerimoSql, ParametersByNameAndAMissingOneNamed)
{
    const ProcessResult ok = statement("SELECT Count(*) FROM [Bestellingen in periode]",
                                       {"--param", "Vanaf datum=1/1/2024", "--param", "tot en met datum=6/30/2024"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(ok.out, "Expr1000\n60\n");
    const ProcessResult missing =
        statement("SELECT * FROM [Bestellingen in periode]", {"--param", "Vanaf datum=1/1/2024"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("'Tot en met datum'"), std::string::npos) << missing.err;
}

TEST_F(QuerimoSql, WrongCommandLinesExitWithTwo)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"x.mdb"},
        {"x.mdb", "--tables", "--export"},
        {"x.mdb", "--columns"},
        {"x.mdb", "--tables", "--csv"},
        {"x.mdb", "--bogus"},
        {"--user"},
        {"x.mdb", "--jet3", "--tables"},
        {"x.accdb", "--accdb", "--tables"},
        {"--create", "--accdb", "2013", "x.accdb"},
        {"--create", "--jet3", "--accdb", "x.accdb"},
    };
    for (const auto& args : wrong) {
        const ProcessResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args);
        EXPECT_NE(r.err.find("gebruik: querimo-sql"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(QuerimoSql, FailuresExitWithOneAndADutchMessage)
{
    const ProcessResult missing = run({"/nonexistent/geen.mdb", "--tables"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("geen.mdb"), std::string::npos) << "the message names the file: " << missing.err;

    const ProcessResult noTable = run({database, "--export", "GeenTabel"});
    EXPECT_EQ(noTable.exitCode, 1);
    EXPECT_NE(noTable.err.find("GeenTabel"), std::string::npos) << noTable.err;
    EXPECT_TRUE(noTable.out.empty());

    const ProcessResult stranger = run({"--user", "Vreemde", database, "--tables"});
    EXPECT_EQ(stranger.exitCode, 1) << "a user other than Admin without a workgroup file";
    const ProcessResult exists = run({"--create", database});
    EXPECT_EQ(exists.exitCode, 1) << "--create never overwrites";
}

TEST_F(QuerimoSql, TabAndCsvExportsHoldTheSameValues)
{
    for (const std::string& text :
         {std::string("CREATE TABLE Notities (Nr LONG, Tekst MEMO, Foto LONGBINARY, Bedrag CURRENCY)"),
          std::string(
              "INSERT INTO Notities VALUES (1, 'twee' & Chr(13) & Chr(10) & 'regels, \"geciteerd\"', Null, 1.5)"),
          std::string("INSERT INTO Notities VALUES (2, 'tab' & Chr(9) & 'en \\\\ schuine streep', Null, -0.0001)"),
          std::string("INSERT INTO Notities VALUES (3, Null, Null, Null)")})
        ASSERT_EQ(statement(text).exitCode, 0) << text;
    const ProcessResult tab = run({database, "--export", "notities"});
    const ProcessResult csv = run({database, "--export", "Notities", "--csv"});
    ASSERT_EQ(tab.exitCode, 0) << tab.err;
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const auto tabRows = parseTabLines(tab.out);
    const auto csvRows = parseCsv(csv.out);
    ASSERT_EQ(tabRows.size(), 4u) << "every TAB row is one line";
    ASSERT_EQ(csvRows.size(), 4u);
    for (std::size_t r = 0; r < tabRows.size(); ++r) {
        ASSERT_EQ(tabRows[r].size(), csvRows[r].size()) << "row " << r;
        for (std::size_t c = 0; c < tabRows[r].size(); ++c)
            EXPECT_EQ(unescaped(tabRows[r][c]), csvRows[r][c]) << "row " << r << " column " << c;
    }
    EXPECT_EQ(csvRows[1][1], "twee\r\nregels, \"geciteerd\"");
    EXPECT_EQ(csvRows[2], (CsvRow{"2", "tab\ten \\\\ schuine streep", "", "-0.0001"}));
}

}  // namespace
}  // namespace querimo::test
