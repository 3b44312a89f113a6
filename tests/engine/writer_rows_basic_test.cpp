#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

std::vector<Value> table1Row(const std::string& first, std::size_t length = 10)
{
    std::vector<Value> row{Value::text(first)};
    for (int c = 1; c < 9; ++c)
        row.push_back(c % 4 == 0 ? Value::null() : Value::text(std::string(length, static_cast<char>('a' + c))));
    return row;
}

class RowWriter : public ::testing::TestWithParam<jet::Version> {};

// Enough rows for more data pages than a table's inline usage maps reach: they become reference maps.
TEST_P(RowWriter, ManyRowsOutgrowTheInlineUsageMaps)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, GetParam());
    std::size_t rows = 0;
    {
        auto db = openFile(path);
        const jet::TableDef& table = db->table("Table1");
        db->beginStatement();
        for (int n = 0; n < 9000; ++n)
            db->insertRow(table, table1Row("veel " + std::to_string(n), 40));
        db->commitStatement();
        rows = table.rowCount;
    }
    const jet::Format& format = jet::Format::of(GetParam());
    // An inline table map reaches 512 pages in Jet 4, 1024 in Jet 3.
    EXPECT_GT(readBytes(path).size() / format.pageSize, format.jet4() ? 600u : 1100u);
    const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(parseCsv(exported.out).size(), rows + 1);
    expectConsistentTable(path, GetParam(), "Table1", rows);
}

TEST_P(RowWriter, RefusedRowsAndRollbackLeaveTheFileAsItWas)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, GetParam());
    const std::string before = readBytes(path);
    auto db = openFile(path);
    const jet::TableDef& table = db->table("Table1");
    const std::uint32_t rowCount = table.rowCount;

    db->beginStatement();
    db->insertRow(table, table1Row("komt er niet"));
    try {
        db->insertRow(table, table1Row(std::string(51, 'a')));
        FAIL() << "te lange tekst aanvaard";
    } catch (const DbError& e) {
        EXPECT_NE(e.description().find("'data1'"), std::string::npos) << e.description();
        EXPECT_NE(e.description().find("'Table1'"), std::string::npos) << e.description();
    }
    EXPECT_THROW(db->insertRow(table, {Value::text("te weinig")}), DbError);
    db->rollbackStatement();
    EXPECT_EQ(&db->table("Table1"), &table);  // re-read in place
    EXPECT_EQ(table.rowCount, rowCount);
    EXPECT_THROW(db->insertRow(table, table1Row("buiten een opdracht")), DbError);

    // An unfinished statement is forgotten when the database closes.
    db->beginStatement();
    db->insertRow(table, table1Row("nooit bevestigd"));
    db.reset();
    EXPECT_EQ(readBytes(path), before);
}

// Runs check as a user without special rights: as root every file is writable, so a child process gives
// them up first. check returns what went wrong, empty when nothing did.
std::string withoutRootRights(const std::function<std::string()>& check)
{
    if (::geteuid() != 0)
        return check();
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "geen pijp";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        constexpr uid_t nobody = 65534;
        std::string failure = ::setgid(nobody) == 0 && ::setuid(nobody) == 0 ? check() : "rechten niet afgestaan";
        const ssize_t written = ::write(pipeEnds[1], failure.data(), failure.size());
        ::_exit(written == static_cast<ssize_t>(failure.size()) ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string failure;
    char buffer[256];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        failure.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? failure : "het kind liep vast: " + failure;
}

TEST_P(RowWriter, AReadOnlyFileRefusesStatementsAndStaysUnchanged)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, GetParam());
    ::chmod(path.c_str(), 0444);
    ::chmod(std::filesystem::path(path).parent_path().c_str(), 0755);
    const std::string before = readBytes(path);
    const std::string failure = withoutRootRights([&]() -> std::string {
        try {
            auto db = openFile(path);
            db->beginStatement();
            return "alleen-lezen bestand aanvaardt een opdracht";
        } catch (const DbError& e) {
            return e.description().find("alleen-lezen") == std::string::npos ? e.description() : "";
        }
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(readBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Versions, RowWriter, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
