#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/Error.h"
#include "jet/journal/Journal.h"
#include "jet_test_files.h"

using namespace querimo;
using querimo::jet::Journal;
using querimo::test::readBytes;
namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t pageSize = 2048;

// A statement on a file of pages: some pages overwritten, some appended.
struct Statement {
    std::string before;
    std::string after;
    std::vector<std::uint32_t> changed;  // pages that exist before, in write order
    std::uint32_t appended = 0;
};

Statement makeStatement(std::uint32_t seed)
{
    std::mt19937 rng(seed);
    const auto noise = [&](std::size_t pages) {
        std::string bytes(pages * pageSize, '\0');
        for (char& b : bytes) b = static_cast<char>(rng());
        return bytes;
    };
    Statement s;
    const std::uint32_t pages = 4 + rng() % 12;
    s.before = s.after = noise(pages);
    for (std::uint32_t p = 0; p < pages; ++p)
        if (rng() % 3 == 0) s.changed.push_back(p);
    if (s.changed.empty()) s.changed.push_back(rng() % pages);
    std::shuffle(s.changed.begin(), s.changed.end(), rng);
    for (auto p : s.changed) s.after.replace(std::size_t{p} * pageSize, pageSize, noise(1));
    s.appended = rng() % 3;
    s.after += noise(s.appended);
    return s;
}

class JournalTest : public ::testing::Test {
protected:
    // Runs the statement as the page layer would; killAt > 0 kills the process at that step.
    static void run(const std::string& path, const Statement& s, int killAt, bool spill)
    {
        int step = 0;
        auto point = [&] {
            if (++step == killAt) ::raise(SIGKILL);
        };
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        Journal journal(path, pageSize);
        journal.begin(s.before.size());
        point();
        const std::size_t firstRound = spill ? s.changed.size() / 2 : s.changed.size();
        auto writeRange = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i) {
                const auto p = s.changed[i];
                journal.saveOriginal(p);  // read from the file, still unchanged
                point();
            }
            journal.sync();
            point();
            for (std::size_t i = from; i < to; ++i) {
                const auto p = s.changed[i];
                ASSERT_EQ(::pwrite(fd, s.after.data() + std::size_t{p} * pageSize, pageSize, off_t{p} * pageSize),
                          ssize_t{pageSize});
                point();
            }
        };
        writeRange(0, firstRound);
        writeRange(firstRound, s.changed.size());
        for (std::size_t off = s.before.size(); off < s.after.size(); off += pageSize) {
            ASSERT_EQ(::pwrite(fd, s.after.data() + off, pageSize, static_cast<off_t>(off)), ssize_t{pageSize});
            point();
        }
        journal.commit();
        ::close(fd);
    }

    test::ScratchDir dir;
    const std::string db = (dir.path() / "test.mdb").string();
};

TEST_F(JournalTest, KilledStatementLeavesFileBeforeOrAfter)
{
    int rolledBack = 0, completed = 0;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const Statement s = makeStatement(seed);
        dir.write("test.mdb", s.before);
        std::mt19937 rng(seed * 7919);
        const bool spill = rng() % 2;
        // Even seeds stop at a chosen step between calls; odd seeds are killed from outside at a random moment.
        const int steps = 3 + 2 * static_cast<int>(s.changed.size()) + static_cast<int>(s.appended) + (spill ? 1 : 0);
        const int killAt = seed % 2 == 0 ? 1 + static_cast<int>(rng() % (steps + 1)) : 0;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            run(db, s, killAt, spill);
            ::_exit(0);
        }
        if (killAt == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 4000));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;

        Journal::recover(db);
        EXPECT_FALSE(fs::exists(Journal::pathFor(db)));
        const std::string now = readBytes(db);
        EXPECT_TRUE(now == s.after || (!finished && now == s.before));
        (now == s.before ? rolledBack : completed)++;
    }
    EXPECT_GT(rolledBack, 0);
    EXPECT_GT(completed, 0);
}

// Builds a complete journal for the statement and writes the whole statement to the database.
class DamagedJournalTest : public JournalTest {
protected:
    std::string journalBytes;
    Statement s = makeStatement(7);

    void SetUp() override
    {
        dir.write("test.mdb", s.before);
        Journal journal(db, pageSize);
        journal.begin(s.before.size());
        for (auto p : s.changed)
            journal.saveOriginal(p,
                                 reinterpret_cast<const unsigned char*>(s.before.data()) + std::size_t{p} * pageSize);
        journal.sync();
        journalBytes = readBytes(Journal::pathFor(db));
        journal.rollback();
        dir.write("test.mdb", s.after);
    }

    std::string recoverWith(const std::string& journal)
    {
        dir.write("test.mdb-journal", journal);
        Journal::recover(db);
        EXPECT_FALSE(fs::exists(Journal::pathFor(db)));
        return readBytes(db);
    }

    // The database as it is when only the first n records are restored.
    std::string restoredUpTo(std::size_t n) const
    {
        std::string expected = s.after.substr(0, s.before.size());
        for (std::size_t i = 0; i < n && i < s.changed.size(); ++i) {
            const std::size_t off = std::size_t{s.changed[i]} * pageSize;
            expected.replace(off, pageSize, s.before, off, pageSize);
        }
        return expected;
    }
};

TEST_F(DamagedJournalTest, HeaderNotWrittenMeansDatabaseUntouched)
{
    for (std::size_t cut : {0, 5, 31}) {
        dir.write("test.mdb", s.after);
        EXPECT_EQ(recoverWith(journalBytes.substr(0, cut)), s.after);
    }
    std::string flipped = journalBytes;
    flipped[17] ^= 0x40;  // original size: header checksum fails
    EXPECT_EQ(recoverWith(flipped), s.after);
}

// Recovery restores the records up to the first torn or corrupt one; a complete journal restores them all.
TEST_F(DamagedJournalTest, TornOrCorruptRecordEndsTheJournal)
{
    EXPECT_EQ(recoverWith(journalBytes), s.before);
    const std::size_t record = 8 + pageSize;
    std::mt19937 rng(3);
    for (int i = 0; i < 40; ++i) {
        dir.write("test.mdb", s.after);
        const std::size_t cut = 32 + rng() % (journalBytes.size() - 32);
        SCOPED_TRACE("cut at " + std::to_string(cut));
        EXPECT_EQ(recoverWith(journalBytes.substr(0, cut)), restoredUpTo((cut - 32) / record));
    }
    for (std::size_t bad = 0; bad < s.changed.size(); ++bad) {
        dir.write("test.mdb", s.after);
        std::string corrupt = journalBytes;
        corrupt[32 + bad * record + 8 + rng() % pageSize] ^= 1;
        EXPECT_EQ(recoverWith(corrupt), restoredUpTo(bad));
    }
}

}  // namespace
