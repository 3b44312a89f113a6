// ALTER DATABASE PASSWORD underneath: the masked password in page 0, through a statement, in both versions.
#include <gtest/gtest.h>

#include <functional>

#include "jet_test_files.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

std::unique_ptr<jet::Database> openFile(const std::string& path, const std::string& password = "", bool exclusive = true)
{
    jet::OpenOptions options;
    options.path = path;
    options.exclusive = exclusive;
    options.databasePassword = password;
    return jet::Database::open(options);
}

void changePassword(jet::Database& db, const std::string& newPassword, const std::string& oldPassword)
{
    db.beginStatement();
    try {
        db.changeDatabasePassword(newPassword, oldPassword);
        db.commitStatement();
    } catch (...) {
        db.rollbackStatement();
        throw;
    }
}

std::int32_t errorNumber(const std::function<void()>& work)
{
    try {
        work();
    } catch (const DbError& e) {
        return e.number();
    }
    return 0;
}

TEST(WriterPassword, ReopeningNeedsTheNewPasswordAndMdbtoolsStillReads)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    for (const char* name : {"testV2000.mdb", "testV1997.mdb"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.copyOf(name);
        const auto rowsBefore = readRows(*openFile(path, "", false), "Table1");
        changePassword(*openFile(path), "Geheim 1", "");

        EXPECT_EQ(errorNumber([&] { openFile(path); }), errc::authentication);
        EXPECT_EQ(errorNumber([&] { openFile(path, "geheim 1"); }), errc::authentication);  // case counts
        EXPECT_EQ(readRows(*openFile(path, "Geheim 1", false), "Table1"), rowsBefore);
        const ProcessResult export_ = runProcess({"mdb-export", path, "Table1"});
        EXPECT_EQ(export_.exitCode, 0) << export_.err;
        EXPECT_NE(export_.out.find("\n"), std::string::npos);

        // Back to none, knowing the current one.
        changePassword(*openFile(path, "Geheim 1"), "", "Geheim 1");
        EXPECT_EQ(readRows(*openFile(path), "Table1"), rowsBefore);
    }
}

TEST(WriterPassword, WrongOldPasswordOrSharedOpenChangesNothing)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    const std::string path = dir.copyOf("testV2000.mdb");
    const std::string before = readBytes(path);

    EXPECT_EQ(errorNumber([&] { changePassword(*openFile(path), "nieuw", "verkeerd"); }), errc::authentication);
    EXPECT_EQ(errorNumber([&] { changePassword(*openFile(path, "", false), "nieuw", ""); }), errc::fail);
    EXPECT_EQ(errorNumber([&] { changePassword(*openFile(path), "veel-te-lang-voor-access", ""); }), errc::fail);
    EXPECT_EQ(readBytes(path), before);
}

}  // namespace
}  // namespace querimo::test
