// querimo-sql running one statement: rows with a header, parameters from --param, a missing one named.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/Corpus.h"

namespace querimo {
namespace {

struct Outcome {
    std::string output;
    int status = -1;
};

Outcome runCli(const std::string& arguments)
{
    const char* program = std::getenv("QUERIMO_SQL");
    Outcome out;
    if (!program) return out;
    const std::string database = (test::corpusDir() / "northwind-jet4.mdb").string();
    FILE* pipe = popen(("'" + std::string(program) + "' '" + database + "' " + arguments + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.output.append(buffer, n);
    const int status = pclose(pipe);
    out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

class QuerimoSql : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUERIMO_REQUIRE_CORPUS();
        if (!std::getenv("QUERIMO_SQL")) GTEST_SKIP() << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    }
};

TEST_F(QuerimoSql, RowsWithHeaderInTabCsvAndJson)
{
    const Outcome tab = runCli("\"SELECT TOP 2 ProductName, UnitPrice FROM Products ORDER BY UnitPrice DESC\"");
    EXPECT_EQ(tab.status, 0);
    EXPECT_EQ(tab.output, "ProductName\tUnitPrice\nCôte de Blaye\t263.5\nThüringer Rostbratwurst\t123.79\n");
    EXPECT_EQ(runCli("--csv \"SELECT Count(*) AS [Aantal, totaal] FROM Orders\"").output, "\"Aantal, totaal\"\r\n830\r\n");
    EXPECT_EQ(runCli("--json \"SELECT OrderID, ShipVia FROM Orders WHERE OrderID = 10248\"").output,
              "[\n  {\"OrderID\": 10248, \"ShipVia\": 3}\n]\n");
}

TEST_F(QuerimoSql, ParametersByNameAndAMissingOneNamed)
{
    const Outcome ok = runCli("--param 'Beginning Date=1/1/1997' --param 'ending date=12/31/1997' "
                              "\"SELECT Count(*) FROM [Employee Sales by Country]\"");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.output, "Expr1000\n398\n");
    const Outcome missing = runCli("\"SELECT * FROM [Employee Sales by Country]\" --param 'Beginning Date=1/1/1997'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("'Ending Date'"), std::string::npos) << missing.output;
}

}  // namespace
}  // namespace querimo
