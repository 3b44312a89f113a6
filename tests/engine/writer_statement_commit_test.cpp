#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "jet/Journal.h"
#include "jet/PageFile.h"
#include "jet/StatementCommit.h"

using namespace querimo::jet;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t pageSize = 2048;
constexpr std::uint32_t pageCount = 24;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class StatementCommitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::path(::testing::TempDir()) / ("querimo-commit-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        db = (dir / "test.mdb").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeStart(std::uint32_t seed)
    {
        std::mt19937 rng(seed);
        std::string bytes(pageCount * pageSize, '\0');
        for (char& b : bytes) b = static_cast<char>(rng());
        std::ofstream(db, std::ios::binary | std::ios::trunc) << bytes;
    }

    // Changes a seeded choice of pages through the page file, the way statements do.
    static void changePages(PageFile& file, std::uint32_t seed)
    {
        std::mt19937 rng(seed);
        for (std::uint32_t n = 0; n < pageCount; ++n)
            if (rng() % 2)
                for (auto& b : file.change(n)) b = static_cast<std::uint8_t>(b ^ (1 + rng() % 255));
    }

    std::string expectedAfter(std::uint32_t seed)
    {
        PageFile file(db, false);
        file.configure(pageSize, 0);
        changePages(file, seed);
        std::string bytes = readFile(db);
        for (std::uint32_t n : file.changedPages()) {
            const PageRef page = file.page(n);
            bytes.replace(n * pageSize, pageSize, reinterpret_cast<const char*>(page->data()), pageSize);
        }
        return bytes;
    }

    fs::path dir;
    std::string db;
};

TEST_F(StatementCommitTest, CommittedChangesLandAndLeaveNoJournal)
{
    writeStart(1);
    const std::string after = expectedAfter(2);
    {
        PageFile file(db, false);
        file.configure(pageSize, 0);
        changePages(file, 2);
        Journal journal(db, pageSize);
        commitStatement(file, journal);
        EXPECT_TRUE(file.changedPages().empty());
    }
    EXPECT_EQ(readFile(db), after);
    EXPECT_FALSE(fs::exists(Journal::pathFor(db)));
}

TEST_F(StatementCommitTest, ProcessKilledDuringCommitLeavesFileBeforeOrAfter)
{
    int before = 0, complete = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        writeStart(seed);
        const std::string start = readFile(db);
        const std::string after = expectedAfter(seed + 1000);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PageFile file(db, false);
            file.configure(pageSize, 0);
            changePages(file, seed + 1000);
            Journal journal(db, pageSize);
            commitStatement(file, journal);
            ::_exit(0);
        }
        std::mt19937 rng(seed);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 6000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        Journal::recover(db);
        const std::string now = readFile(db);
        EXPECT_TRUE(now == start || now == after);
        if (WIFEXITED(status)) {
            EXPECT_EQ(now, after);
        }
        (now == start ? before : complete)++;
    }
    std::cout << before << " rolled back, " << complete << " complete\n";
}

}  // namespace
