// The database password, changed through a statement in both versions.
#include <gtest/gtest.h>

#include <functional>

#include "support/Process.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

std::unique_ptr<jet::Database> openWith(const std::string& path, const std::string& password = "",
                                        bool exclusive = true)
{
    return openFile(path, exclusive, password);
}

void changePassword(jet::Database& db, const std::string& newPassword, const std::string& oldPassword)
{
    inStatement(db, [&] { db.changeDatabasePassword(newPassword, oldPassword); });
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

// Twenty characters, the most Access keeps; Jet 3 keeps Windows-1252 bytes, Jet 4 any character.
std::string longest(jet::Version version, bool lowerCase = false)
{
    if (version == jet::Version::Jet3) return lowerCase ? "geheim€-twintig-lang" : "Geheim€-twintig-lang";
    return lowerCase ? "łódź€-twintig-tekens" : "Łódź€-twintig-tekens";
}

TEST(WriterPassword, ReopeningNeedsTheNewPasswordAndMdbtoolsStillReads)
{
    for (const jet::Version version : bothVersions) {
        SCOPED_TRACE(version == jet::Version::Jet4 ? "Jet4" : "Jet3");
        ScratchDir dir;
        const std::string path = makeTextTable(dir, version);
        const auto rowsBefore = readRows(*openWith(path, "", false), "Table1");
        const std::string password = longest(version);
        changePassword(*openWith(path), password, "");

        EXPECT_EQ(errorNumber([&] { openWith(path); }), errc::authentication);
        EXPECT_EQ(errorNumber([&] { openWith(path, longest(version, true)); }), errc::authentication);  // case counts
        EXPECT_EQ(readRows(*openWith(path, password, false), "Table1"), rowsBefore);
        const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_NE(exported.out.find("\"row2col3\""), std::string::npos) << exported.out;

        // Back to none, knowing the current one.
        changePassword(*openWith(path, password), "", password);
        EXPECT_EQ(readRows(*openWith(path), "Table1"), rowsBefore);
    }
}

// A wrong old password, a shared open, a password over twenty characters or (in Jet 3) with a character
// outside Windows-1252 changes nothing.
TEST(WriterPassword, RefusedChangesLeaveTheFileAsItWas)
{
    for (const jet::Version version : bothVersions) {
        ScratchDir dir;
        const std::string path = makeTextTable(dir, version);
        const std::string before = readBytes(path);
        EXPECT_EQ(errorNumber([&] { changePassword(*openWith(path), "nieuw", "verkeerd"); }), errc::authentication);
        EXPECT_EQ(errorNumber([&] { changePassword(*openWith(path, "", false), "nieuw", ""); }), errc::fail);
        EXPECT_EQ(errorNumber([&] { changePassword(*openWith(path), longest(version) + "!", ""); }), errc::fail);
        if (version == jet::Version::Jet3) {
            EXPECT_NE(errorNumber([&] { changePassword(*openWith(path), "łódź", ""); }), 0);
        }
        EXPECT_EQ(readBytes(path), before);
    }
}

}  // namespace
}  // namespace querimo::test
