// Action statements and data definition on copies of Access 2007 files: afterwards mdbtools and our reader read
// the same rows, and every index entry holds its row's key in a sound tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "core/Error.h"
#include "engine/writer_index_entries.h"
#include "jet_test_files.h"
#include "support/Corpus.h"
#include "support/Csv.h"
#include "support/Process.h"

namespace querimo {
namespace {

struct AccdbScript {
    const char* file;
    std::vector<std::string> statements;
    // Tables to compare with mdb-export afterwards, with the columns to compare (text and whole numbers, which
    // both read alike).
    std::vector<std::pair<std::string, std::vector<std::string>>> compared;
};

void PrintTo(const AccdbScript& script, std::ostream* os)
{
    *os << script.file;
}

// Doubles Table1 of bigIndexTestV2007 a few times, so its text index grows past one page.
std::vector<std::string> bigIndexStatements()
{
    std::vector<std::string> out;
    for (int i = 0; i < 12; ++i)
        out.push_back("INSERT INTO Table1 (col1, col2) VALUES ('Sleutel " + std::string(1, static_cast<char>('a' + i))
                      + " " + std::string(60, static_cast<char>('m' + i % 5)) + "', 'w" + std::to_string(i) + "')");
    for (int i = 0; i < 5; ++i)
        out.push_back("INSERT INTO Table1 (col1, col2) SELECT col1 & '" + std::to_string(i)
                      + " é-ß', col2 & 'x' FROM Table1");
    out.push_back("UPDATE Table1 SET col1 = 'Ångström ' & col2 WHERE col2 LIKE 'w1*'");
    out.push_back("DELETE FROM Table1 WHERE col2 LIKE 'w3*'");
    return out;
}

const AccdbScript scripts[] = {
    {"testV2007.accdb",
     {"INSERT INTO Table1 (A, B, C, D, E, F, G, H, I) VALUES ('nieuw', 'één', 1, 2, 3, 4.5, #1/2/2003#, 1.25, True)",
      "UPDATE Table1 SET B = 'Zürich-Noord' WHERE A = 'nieuw'", "INSERT INTO Table3 (a, b) VALUES (1, 'een')",
      "INSERT INTO Table3 (a, b) VALUES (2, 'twee')", "INSERT INTO Table3 (a, b) VALUES (-7, 'min zeven')",
      "DELETE FROM Table3 WHERE a = 2", "CREATE TABLE Extra (Id LONG CONSTRAINT pkExtra PRIMARY KEY, Naam TEXT(40))",
      "CREATE INDEX ixNaam ON Extra (Naam DESC)", "INSERT INTO Extra (Id, Naam) SELECT a + 100, b FROM Table3",
      "INSERT INTO Extra (Id, Naam) VALUES (5, 'Œuvre')", "ALTER TABLE Extra ADD COLUMN Opmerking TEXT(10)",
      "UPDATE Extra SET Opmerking = 'ok', Naam = Naam & '!' WHERE Id > 100", "DROP TABLE Table4"},
     {{"Table1", {"A", "B", "C", "D", "E"}}, {"Table3", {"a", "b"}}, {"Extra", {"Id", "Naam", "Opmerking"}}}},
    {"indexTestV2007.accdb",
     {"INSERT INTO Table2 (id, data) VALUES (10, 'foo10')", "INSERT INTO Table3 (id, data) VALUES (20, 'bar20')",
      "INSERT INTO Table1 (id, otherfk1, otherfk2, data, otherfk3) VALUES (10, 10, 20, 'baz20', 0)",
      "UPDATE Table1 SET otherfk1 = 2 WHERE id = 1", "DELETE FROM Table1 WHERE id = 3",
      "CREATE INDEX ixData ON Table1 (data)", "UPDATE Table1 SET data = data & '-nieuw' WHERE id < 2"},
     {{"Table1", {"id", "otherfk1", "otherfk2", "data", "otherfk3"}},
      {"Table2", {"id", "data"}},
      {"Table3", {"id", "data"}}}},
    {"compIndexTestV2007.accdb",
     {"UPDATE Table1 SET CD_AGENTE = CD_AGENTE + 100000 WHERE CD_AGENTE < 400",
      "DELETE FROM Table1 WHERE CD_AGENTE > 100600", "INSERT INTO Table1 (CD_AGENTE, RS_AGENTE, DC_AGENTE) VALUES "
                                                     "(-5, 'negatief', 'def')",
      "CREATE INDEX ixRs ON Table1 (RS_AGENTE, DC_AGENTE DESC)",
      "UPDATE Table1 SET RS_AGENTE = 'r' & (CD_AGENTE MOD 7) WHERE CD_AGENTE > 1000"},
     {{"Table1", {"CD_AGENTE", "RS_AGENTE", "DC_AGENTE"}}}},
    {"bigIndexTestV2007.accdb", bigIndexStatements(), {{"Table1", {"col1", "col2"}}}},
    {"delTestV2007.accdb",
     {"CREATE UNIQUE INDEX ixA ON [Table] (a)", "INSERT INTO [Table] (a, b) VALUES ('m', 'n')",
      "DELETE FROM [Table] WHERE a = 'z'", "UPDATE [Table] SET b = 'vv' WHERE a = 'v'",
      "ALTER TABLE [Table] ALTER COLUMN b TEXT(100)"},
     {{"Table", {"a", "b"}}}},
    {"overflowTestV2007.accdb",
     {"CREATE INDEX ixData1 ON Table1 (data1)",
      "UPDATE Table1 SET data3 = String(50, 'q'), data9 = 'lang ' & String(45, 'r') WHERE data1 IS NOT NULL",
      "INSERT INTO Table1 (data1, data10) VALUES ('row8col1', 'nieuw')", "DELETE FROM Table1 WHERE data1 IS NULL"},
     {{"Table1", {"data1", "data3", "data9", "data10"}}}},
};

std::string shown(const Value& value)
{
    if (value.isNull()) return "";
    if (value.kind == Value::Kind::Text) return value.bytes;
    return std::to_string(value.integer);
}

class AccdbWrites : public ::testing::TestWithParam<AccdbScript> {
protected:
    void SetUp() override
    {
        QUERIMO_REQUIRE_CORPUS_FILE(GetParam().file);
        path = scratch.write(GetParam().file, test::readBytes(test::corpusFile(GetParam().file)));
        reopen();
    }

    void reopen()
    {
        connection = std::make_unique<ado::Connection>();
        connection->Provider = "Microsoft.Jet.OLEDB.4.0";
        connection->GetProperties()("Data Source") = path;
        connection->Open();
    }

    void execute(const std::string& text)
    {
        ado::Command command;
        command.ActiveConnection = connection.get();
        command.SetCommandText(text);
        long affected = 0;
        command.Execute(&affected);
    }

    // The columns of every row as text, rows sorted: our reader's view.
    std::vector<std::string> ours(const std::string& table, const std::vector<std::string>& columns)
    {
        std::string select;
        for (const std::string& column : columns) select += (select.empty() ? "[" : ", [") + column + "]";
        ado::Command command;
        command.ActiveConnection = connection.get();
        command.SetCommandText("SELECT " + select + " FROM [" + table + "]");
        long affected = 0;
        const auto rs = command.Execute(&affected);
        std::vector<std::string> rows;
        for (std::size_t r = 0; r < rs->RecordCount(); ++r) {
            std::string line;
            for (std::size_t c = 0; c < columns.size(); ++c) line += shown(rs->valueAt(r, c)) + "|";
            rows.push_back(line);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    // The same columns as mdb-export gives them.
    std::vector<std::string> mdbtools(const std::string& table, const std::vector<std::string>& columns)
    {
        const test::ProcessResult result = test::runProcess({"mdb-export", path, table});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::vector<test::CsvRow> csv = test::parseCsv(result.out);
        if (csv.empty()) return {};
        std::vector<std::size_t> at;
        for (const std::string& column : columns)
            at.push_back(static_cast<std::size_t>(std::find(csv[0].begin(), csv[0].end(), column) - csv[0].begin()));
        std::vector<std::string> rows;
        for (std::size_t r = 1; r < csv.size(); ++r) {
            std::string line;
            for (std::size_t i : at) line += (i < csv[r].size() ? csv[r][i] : "?") + "|";
            rows.push_back(line);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    test::ScratchDir scratch;
    std::string path;
    std::unique_ptr<ado::Connection> connection;
};

TEST_P(AccdbWrites, StatementsLeaveRowsAndIndexesThatBothReadersAgreeOn)
{
    for (const std::string& statement : GetParam().statements) {
        SCOPED_TRACE(statement);
        ASSERT_NO_THROW(execute(statement));
    }
    connection.reset();
    reopen();
    for (const auto& [table, columns] : GetParam().compared) {
        SCOPED_TRACE(table);
        const std::vector<std::string> read = ours(table, columns);
        EXPECT_FALSE(read.empty());
        EXPECT_EQ(read, mdbtools(table, columns));
    }
    connection.reset();
    const writertest::IndexEntriesOutcome entries = writertest::checkIndexEntries(path);
    EXPECT_GT(entries.verified, 0);
    EXPECT_EQ(entries.refused, 0);
}

std::string scriptName(const ::testing::TestParamInfo<AccdbScript>& param)
{
    const std::string name = param.param.file;
    return name.substr(0, name.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Corpus, AccdbWrites, ::testing::ValuesIn(scripts), scriptName);

}  // namespace
}  // namespace querimo
