#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <map>
#include <random>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "jet/journal/StatementLock.h"
#include "writer_killed_support.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

constexpr std::size_t rowsPerStatement = 12;

// Rows of Table1 whose first column tags them, in lengths that vary with n.
std::vector<Value> taggedRow(const std::string& tag, int n)
{
    return table1Row(tag, static_cast<std::size_t>(5 + n * 7 % 40));
}

// Statement k inserts its rows, grows the rows of statement k-1 and deletes half of those of statement k-2.
void runTagged(jet::Database& db, int k)
{
    const jet::TableDef& table = db.table("Table1");
    std::vector<std::pair<jet::RowId, std::string>> older;
    for (const auto& [id, row] : rowsById(db, "Table1"))
        if (row[0].bytes == "s" + std::to_string(k - 1) || row[0].bytes == "s" + std::to_string(k - 2))
            older.emplace_back(id, row[0].bytes);
    for (int n = 0; n < int{rowsPerStatement}; ++n) db.insertRow(table, taggedRow("s" + std::to_string(k), n));
    int deleted = 0;
    for (const auto& [id, tag] : older) {
        if (tag == "s" + std::to_string(k - 1))
            db.updateRow(table, id, taggedRow(tag, 50 + k));
        else if (deleted++ % 2 == 0)
            db.deleteRow(table, id);
    }
}

// How many rows of Table1 have each tag.
std::map<std::string, std::size_t> tagsIn(const std::string& path)
{
    std::map<std::string, std::size_t> tags;
    for (const auto& row : readRows(*openFile(path), "Table1")) ++tags[row[0].bytes];
    return tags;
}

// The statements whose rows are in the file, with how many rows each has.
std::map<int, std::size_t> statementsIn(const std::string& path)
{
    std::map<int, std::size_t> found;
    for (const auto& [tag, rows] : tagsIn(path))
        if (tag.size() > 1 && tag[0] == 's') found[std::stoi(tag.substr(1))] = rows;
    return found;
}

TEST(RowsCrash, AKilledWriterLeavesExactlyTheCommittedStatements)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, jet::Version::Jet4);
    std::mt19937 random(20261206);
    int last = 0;  // statements 1..last are in the file
    for (int run = 0; run < 100; ++run) {
        const int reported = killWhileWriting(path, last + 1, std::chrono::microseconds(40000), random, runTagged);
        ASSERT_FALSE(::testing::Test::HasFailure());

        const std::map<int, std::size_t> found = statementsIn(path);
        const int now = found.empty() ? last : std::max(last, found.rbegin()->first);
        // The statement in flight may have landed just before the kill, unreported.
        ASSERT_TRUE(now == last + reported || now == last + reported + 1) << "run " << run;
        for (int k = 1; k <= now; ++k)
            ASSERT_EQ(found.count(k) ? found.at(k) : 0,
                      k + 2 <= now ? rowsPerStatement / 2 : rowsPerStatement)  // statement k + 2 deletes half
                << "opdracht " << k << ", run " << run;
        last = now;
    }
    EXPECT_GE(last, 100);
    expectConsistentTable(path, jet::Version::Jet4, "Table1", readRows(*openFile(path), "Table1").size());
}

// A database object that another one (here in the same process) wrote behind its back sees the change at
// its next read: its pages are read again, its table definitions refreshed where they are.
TEST(RowsShared, AReadSeesWhatAnotherWriterCommitted)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, jet::Version::Jet4);
    auto reader = openFile(path);
    auto writer = openFile(path);
    const jet::TableDef& seen = reader->table("Table1");
    const std::size_t before = readRows(*reader, "Table1").size();
    for (int k = 0; k < 3; ++k) {
        inStatement(*writer, [&] {
            for (int n = 0; n < 40; ++n)
                writer->insertRow(writer->table("Table1"), taggedRow("w" + std::to_string(k), n));
        });
        reader->beginRead();
        EXPECT_EQ(readRows(*reader, "Table1").size(), before + 40 * (k + 1));
        EXPECT_EQ(&reader->table("Table1"), &seen);
        EXPECT_EQ(seen.rowCount, before + 40 * (k + 1));
        reader->endRead();
    }
    // And the other way round: the reader writes, the writer's next statement starts from there.
    inStatement(*reader, [&] { reader->insertRow(seen, taggedRow("r", 0)); });
    inStatement(*writer, [&] { writer->insertRow(writer->table("Table1"), taggedRow("w9", 0)); });
    writer.reset();
    reader.reset();
    expectConsistentTable(path, jet::Version::Jet4, "Table1", before + 122);
}

// True while some open waits for a lock on the file: /proc/locks lists waiting requests with "->".
bool aLockIsAwaited(const std::string& path)
{
    struct stat file {};
    ::stat(path.c_str(), &file);
    const std::string inode = ":" + std::to_string(file.st_ino) + " ";
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);)
        if (line.find("->") != std::string::npos && line.find(inode) != std::string::npos) return true;
    return false;
}

// An open that waits for another's statement must not keep the file's length from before it: its first
// new page would land on one the other statement just added.
TEST(RowsShared, AnOpenWaitingForAWriterSeesTheFileItLeft)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, jet::Version::Jet4);
    auto writer = openFile(path);
    writer->beginStatement();
    for (int n = 0; n < 200; ++n) writer->insertRow(writer->table("Table1"), taggedRow("w", n));
    std::unique_ptr<jet::Database> late;
    std::atomic<bool> opened = false;
    std::thread opening([&] {
        late = openFile(path);
        opened = true;
    });
    while (!aLockIsAwaited(path)) {
        ASSERT_FALSE(opened) << "the open did not wait for the statement";
        std::this_thread::yield();
    }
    writer->commitStatement();
    opening.join();
    writer.reset();
    const std::size_t before = readRows(*late, "Table1").size();
    inStatement(*late, [&] {
        for (int n = 0; n < 200; ++n) late->insertRow(late->table("Table1"), taggedRow("l", n));
    });
    late.reset();
    const auto tags = tagsIn(path);
    EXPECT_EQ(std::pair(tags.at("w"), tags.at("l")), std::pair(std::size_t{200}, std::size_t{200}));
    expectConsistentTable(path, jet::Version::Jet4, "Table1", before + 200);
}

// Another user's write leaves only the coarse file clock as its mark: a stamp that close to its change is
// not trusted, so the next statement reads the file again. Files only we write keep their caches.
TEST(RowsShared, AStampTooCloseToAChangeByAnotherUserIsNotTrusted)
{
    constexpr std::int64_t ms = 1'000'000;
    constexpr std::uint32_t me = 1000, other = 1001;
    EXPECT_TRUE(jet::stampMayMissAChange(0664, me, me, 100 * ms, 105 * ms));     // the group may write
    EXPECT_TRUE(jet::stampMayMissAChange(0644, other, me, 100 * ms, 105 * ms));  // not ours
    EXPECT_FALSE(jet::stampMayMissAChange(0644, me, me, 100 * ms, 105 * ms));    // only we write: our mark is exact
    EXPECT_FALSE(jet::stampMayMissAChange(0664, me, me, 100 * ms, 200 * ms));    // ticks ago
}

// With a second user (when we may become one), that user's writes cannot set the file's time: only the
// coarse file clock marks them, and stamps close to a change must be distrusted.
class TwoProcesses : public ::testing::TestWithParam<bool> {};

TEST_P(TwoProcesses, WritingOneFileLosesNothing)
{
    ScratchDir dir;
    const std::string path = makeTextTable(dir, jet::Version::Jet4);
    const bool secondUser = GetParam() && ::geteuid() == 0;
    if (secondUser) {
        ::chmod(path.c_str(), 0666);
        ::chmod(std::filesystem::path(path).parent_path().c_str(), 0777);  // the journal goes beside the file
    }
    const std::size_t before = readRows(*openFile(path), "Table1").size();
    constexpr int statements = 150;
    std::vector<pid_t> children;
    for (const char* who : {"p", "q"}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            constexpr uid_t nobody = 65534;
            if (secondUser && std::string(who) == "q" && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) ::_exit(5);
            try {
                auto db = openFile(path);
                for (int k = 0; k < statements; ++k) {
                    inStatement(*db, [&] {
                        db->insertRow(db->table("Table1"), taggedRow(std::string(who) + std::to_string(k), k));
                        if (k % 10 == 9)  // now and then a row that must move
                            db->insertRow(db->table("Table1"),
                                          taggedRow(std::string(who) + "groot" + std::to_string(k), 3));
                    });
                    db->beginRead();
                    const std::size_t seen = readRows(*db, "Table1").size();
                    db->endRead();
                    if (seen < before + static_cast<std::size_t>(k) + 1) ::_exit(4);
                }
                ::_exit(0);
            } catch (...) {
                ::_exit(2);
            }
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    auto tags = tagsIn(path);
    for (const char* who : {"p", "q"})
        for (int k = 0; k < statements; ++k) EXPECT_EQ(tags[std::string(who) + std::to_string(k)], 1u) << who << k;
    const std::size_t rows = readRows(*openFile(path), "Table1").size();
    EXPECT_EQ(rows, before + 2 * statements + 2 * (statements / 10));
    expectConsistentTable(path, jet::Version::Jet4, "Table1", rows);
}

INSTANTIATE_TEST_SUITE_P(Users, TwoProcesses, ::testing::Values(false, true));

}  // namespace
