// Corpus files cut short and with bytes changed: opening and reading them must end in a clear error or in rows,
// never in a crash, a hang or another kind of exception.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <random>
#include <thread>

#include "support/Corpus.h"
#include "support/ScanAll.h"

namespace querimo::test {

namespace {

constexpr int truncationsPerFile = 6;
constexpr int damagedCopiesPerFile = 8;
constexpr int bytesChangedPerCopy = 16;
constexpr auto timeLimitPerCase = std::chrono::seconds(20);

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Aborts the process when one case runs longer than the limit: a hang would otherwise stall the test run.
class Watchdog {
public:
    Watchdog() : thread_([this] { watch(); }) {}
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_one();
        thread_.join();
    }
    void start(std::string name)
    {
        std::lock_guard lock(mutex_);
        name_ = std::move(name);
        deadline_ = std::chrono::steady_clock::now() + timeLimitPerCase;
        ++generation_;
        changed_.notify_one();
    }

private:
    void watch()
    {
        std::unique_lock lock(mutex_);
        while (!stop_) {
            const auto generation = generation_;
            if (generation == 0) {
                changed_.wait(lock);
                continue;
            }
            if (!changed_.wait_until(lock, deadline_, [&] { return stop_ || generation_ != generation; })) {
                std::fprintf(stderr, "damaged file case does not end: %s\n", name_.c_str());
                std::abort();
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::string name_;
    std::chrono::steady_clock::time_point deadline_;
    unsigned long generation_ = 0;
    bool stop_ = false;
    std::thread thread_;
};

class DamagedFiles : public testing::Test {
protected:
    void SetUp() override
    {
        path_ = std::filesystem::temp_directory_path() / ("querimo-damaged-" + std::to_string(getpid()) + ".mdb");
    }
    void TearDown() override { std::filesystem::remove(path_); }

    // Writes the bytes as a file, reads everything in it and checks how it ended.
    void check(const std::string& bytes, const std::string& name)
    {
        {
            std::ofstream out(path_, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        watchdog_.start(name);
        auto expectClear = [&](const DbError& e) {
            EXPECT_FALSE(e.description().empty()) << name;
            ++errors_;
            if (std::getenv("QUERIMO_SHOW_ERRORS")) std::cout << name << ": " << e.description() << "\n";
        };
        try {
            // Every row takes at least one byte of the file; more rows than bytes means a loop.
            scanEverything(path_.string(), bytes.size(), expectClear);
        } catch (const DbError& e) {
            expectClear(e);
        } catch (const std::exception& e) {
            ADD_FAILURE() << name << ": not a DbError: " << e.what();
        }
        ++cases_;
    }

    std::filesystem::path path_;
    Watchdog watchdog_;
    int cases_ = 0;
    int errors_ = 0;
};

}  // namespace

TEST_F(DamagedFiles, TruncatedFilesFailClearly)
{
    QUERIMO_REQUIRE_CORPUS();
    std::mt19937 random(20261206);
    for (const auto& file : corpusFiles()) {
        const std::string original = readFile(file);
        // The empty file, cuts in the header page, and cuts at and between later page boundaries.
        std::vector<std::size_t> cuts{0, 1, 100, 2047, 2048, 4095};
        for (int i = 0; i < truncationsPerFile && original.size() > 4096; ++i)
            cuts.push_back(std::uniform_int_distribution<std::size_t>(4096, original.size() - 1)(random));
        for (std::size_t cut : cuts)
            check(original.substr(0, cut), file.filename().string() + " cut at " + std::to_string(cut));
    }
    std::cout << cases_ << " truncated files read, " << errors_ << " errors reported\n";
}

TEST_F(DamagedFiles, ChangedBytesFailClearly)
{
    QUERIMO_REQUIRE_CORPUS();
    std::mt19937 random(4242);
    for (const auto& file : corpusFiles()) {
        const std::string original = readFile(file);
        // Half the changes go to the first 16 pages, where the catalog and most table definitions live.
        const std::size_t front = std::min<std::size_t>(original.size(), 16 * 4096);
        for (int copy = 0; copy < damagedCopiesPerFile; ++copy) {
            std::string damaged = original;
            std::string where;
            for (int i = 0; i < bytesChangedPerCopy; ++i) {
                const std::size_t limit = i % 2 ? original.size() : front;
                const std::size_t at = std::uniform_int_distribution<std::size_t>(0, limit - 1)(random);
                damaged[at] = static_cast<char>(damaged[at] ^ std::uniform_int_distribution<int>(1, 255)(random));
                where += " " + std::to_string(at);
            }
            check(damaged, file.filename().string() + " changed at" + where);
        }
    }
    std::cout << cases_ << " damaged files read, " << errors_ << " errors reported\n";
}

}  // namespace querimo::test
