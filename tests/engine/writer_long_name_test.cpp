// Databases whose names take up nearly all a file name may hold: they open, statements land through a
// journal whose name fits, and a journal left by a killed writer is found and rolled back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "jet/journal/Journal.h"
#include "jet_test_files.h"
#include "sql/Sql.h"

namespace querimo {
namespace {

namespace fs = std::filesystem;
using jet::Journal;

// A name of exactly `bytes` bytes ending in ".mdb"; with `accented`, of two-byte characters where they fit.
std::string longName(std::size_t bytes, bool accented = false)
{
    std::string name;
    while (name.size() + 4 < bytes) name += accented && name.size() + 6 <= bytes ? "\xC3\xA9" : "a";
    return name + ".mdb";
}

TEST(LongDatabaseName, OpensAndWritesThroughAJournalNameThatFits)
{
    test::ScratchDir scratch;
    for (const std::string& name : {longName(247), longName(250), longName(255), longName(255, true)}) {
        SCOPED_TRACE(std::to_string(name.size()) + " bytes");
        const std::string path = (scratch.path() / name).string();
        jet::Database::create(path, jet::Version::Jet4);
        {
            auto database = jet::Database::open({path, false, {}});
            sql::run(*database, "CREATE TABLE Lang (Nr LONG, Tekst TEXT(20))");
            sql::run(*database, "INSERT INTO Lang VALUES (1, 'een')");
        }
        const std::string journal = fs::path(Journal::pathFor(path)).filename().string();
        EXPECT_LE(journal.size(), 255u);
        EXPECT_EQ(journal.substr(journal.size() - 8), "-journal");
        EXPECT_FALSE(fs::exists(Journal::pathFor(path)));
        auto database = jet::Database::open({path, false, {}});
        EXPECT_EQ(test::readRows(*database, "Lang").size(), 1u);
    }
    // Two names that differ only past what the journal's name keeps have journals of their own.
    EXPECT_NE(Journal::pathFor((scratch.path() / longName(255)).string()),
              Journal::pathFor((scratch.path() / ("b" + longName(254))).string()));
}

TEST(LongDatabaseName, KilledWritersJournalIsRolledBackOnOpen)
{
    test::ScratchDir scratch;
    const std::string path = (scratch.path() / longName(255)).string();
    jet::Database::create(path, jet::Version::Jet4);
    const std::string before = test::readBytes(path);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {  // saves page 1, overwrites it and dies before the commit
        Journal journal(path, 4096);
        journal.begin(before.size());
        journal.saveOriginal(1);
        journal.sync();
        const std::string garbage(4096, '\x5A');
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (::pwrite(fd, garbage.data(), garbage.size(), 4096) != 4096) ::_exit(1);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(Journal::pathFor(path)));
    ASSERT_NE(test::readBytes(path), before);

    auto database = jet::Database::open({path, false, {}});
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_FALSE(fs::exists(Journal::pathFor(path)));
    EXPECT_FALSE(database->catalog().empty());
}

}  // namespace
}  // namespace querimo
