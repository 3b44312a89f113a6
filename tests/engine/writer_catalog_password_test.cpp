// The database password: masked in page 0, changed through a statement, in both versions.
#include <gtest/gtest.h>

#include <functional>

#include "jet/Header.h"
#include "jet/HeaderWriter.h"
#include "support/Process.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

std::unique_ptr<jet::Database> openWith(const std::string& path, const std::string& password = "", bool exclusive = true)
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

TEST(WriterPassword, PasswordsRoundTripInPageZero)
{
    const auto decoded = [](const jet::PageBytes& page0) {
        return jet::decodeHeader(jet::ByteView(page0.data(), page0.size()), "nieuw.mdb").password;
    };
    for (const jet::Version version : bothVersions) {
        jet::PageBytes page = jet::newHeaderPage(version, 46000.25);
        for (const char* password : {"Geheim€2024", "twintig-tekens-lang!", "łódź", ""}) {
            // Jet 3 keeps Windows-1252 bytes: a character outside it would come back as something else.
            if (version == jet::Version::Jet3 && std::string(password) == "łódź") {
                EXPECT_THROW(jet::storeHeaderPassword(page, version, password), DbError);
                continue;
            }
            jet::storeHeaderPassword(page, version, password);
            EXPECT_EQ(decoded(page), password);
        }
        const jet::PageBytes before = page;
        EXPECT_THROW(jet::storeHeaderPassword(page, version, "eenentwintig-tekens!!"), DbError);
        EXPECT_EQ(page, before);
    }
}

TEST(WriterPassword, ReopeningNeedsTheNewPasswordAndMdbtoolsStillReads)
{
    for (const jet::Version version : bothVersions) {
        SCOPED_TRACE(version == jet::Version::Jet4 ? "Jet4" : "Jet3");
        ScratchDir dir;
        const std::string path = makeTextTable(dir, version);
        const auto rowsBefore = readRows(*openWith(path, "", false), "Table1");
        changePassword(*openWith(path), "Geheim 1", "");

        EXPECT_EQ(errorNumber([&] { openWith(path); }), errc::authentication);
        EXPECT_EQ(errorNumber([&] { openWith(path, "geheim 1"); }), errc::authentication);  // case counts
        EXPECT_EQ(readRows(*openWith(path, "Geheim 1", false), "Table1"), rowsBefore);
        const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_NE(exported.out.find("\"row2col3\""), std::string::npos) << exported.out;

        // Back to none, knowing the current one.
        changePassword(*openWith(path, "Geheim 1"), "", "Geheim 1");
        EXPECT_EQ(readRows(*openWith(path), "Table1"), rowsBefore);
    }
}

TEST(WriterPassword, WrongOldPasswordOrSharedOpenChangesNothing)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, jet::Version::Jet4);
    const std::string before = readBytes(path);

    EXPECT_EQ(errorNumber([&] { changePassword(*openWith(path), "nieuw", "verkeerd"); }), errc::authentication);
    EXPECT_EQ(errorNumber([&] { changePassword(*openWith(path, "", false), "nieuw", ""); }), errc::fail);
    EXPECT_EQ(errorNumber([&] { changePassword(*openWith(path), "veel-te-lang-voor-access", ""); }), errc::fail);
    EXPECT_EQ(readBytes(path), before);
}

}  // namespace
}  // namespace querimo::test
