// querimo-sql as a program: exit status, messages, and the two export forms holding the same values.
#include <gtest/gtest.h>

#include "corpus/CorpusCase.h"

namespace querimo::test {

namespace {

ProcessResult querimoSql(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{querimoSqlPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv);
}

std::string corpusFile(const char* name)
{
    return (corpusDir() / name).string();
}

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

}  // namespace

class QuerimoSql : public testing::Test {
protected:
    void SetUp() override
    {
        if (querimoSqlPath().empty()) GTEST_SKIP() << "QUERIMO_SQL is niet gezet";
    }
};

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
    };
    for (const auto& args : wrong) {
        const ProcessResult r = querimoSql(args);
        EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args);
        EXPECT_NE(r.err.find("gebruik: querimo-sql"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(QuerimoSql, FailuresExitWithOneAndADutchMessage)
{
    const ProcessResult missing = querimoSql({"/nonexistent/geen.mdb", "--tables"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("geen.mdb"), std::string::npos) << "the message names the file: " << missing.err;

    QUERIMO_REQUIRE_CORPUS();
    const ProcessResult noTable = querimoSql({corpusFile("testV2000.mdb"), "--export", "GeenTabel"});
    EXPECT_EQ(noTable.exitCode, 1);
    EXPECT_NE(noTable.err.find("GeenTabel"), std::string::npos) << noTable.err;
    EXPECT_TRUE(noTable.out.empty());

    const ProcessResult stranger = querimoSql({"--user", "Vreemde", corpusFile("testV2000.mdb"), "--tables"});
    EXPECT_EQ(stranger.exitCode, 1) << "a user other than Admin without a workgroup file";
}

TEST_F(QuerimoSql, TabAndCsvExportsHoldTheSameValues)
{
    QUERIMO_REQUIRE_CORPUS();
    // Employees has memo fields with line breaks and quotes, and a photo.
    const std::string file = corpusFile("northwind-jet4.mdb");
    const ProcessResult tab = querimoSql({file, "--export", "employees"});
    const ProcessResult csv = querimoSql({file, "--export", "Employees", "--csv"});
    ASSERT_EQ(tab.exitCode, 0) << tab.err;
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const auto tabRows = parseTabLines(tab.out);
    const auto csvRows = parseCsv(csv.out);
    ASSERT_EQ(tabRows.size(), csvRows.size()) << "every TAB row is one line";
    ASSERT_GT(tabRows.size(), 1u);
    bool sawLineBreak = false;
    for (std::size_t r = 0; r < tabRows.size(); ++r) {
        ASSERT_EQ(tabRows[r].size(), csvRows[r].size()) << "row " << r;
        for (std::size_t c = 0; c < tabRows[r].size(); ++c) {
            EXPECT_EQ(unescaped(tabRows[r][c]), csvRows[r][c]) << "row " << r << " column " << c;
            sawLineBreak |= csvRows[r][c].find('\n') != std::string::npos;
        }
    }
    EXPECT_TRUE(sawLineBreak) << "the table should exercise line breaks inside fields";
}

}  // namespace querimo::test
