// Jet files cut short and with bytes changed (our writer's files, and Access's own when the corpus is there):
// opening and reading them must end in a clear error or in rows, never in a crash, a hang or another exception.
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
#include "support/MadeDatabase.h"
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

struct SourceFile {
    std::string name;
    std::string bytes;
};

// The sample in both versions, a table of long values, and every Access-made file of the corpus if present.
std::vector<SourceFile> sourceFiles(const std::filesystem::path& dir)
{
    const std::vector<std::string> longValues{
        "CREATE TABLE Lang (Id COUNTER PRIMARY KEY, Tekst MEMO, Data LONGBINARY)",
        "INSERT INTO Lang (Tekst) VALUES ('kort')",
        "INSERT INTO Lang (Tekst) VALUES (String(3000, 'm'))",
        "INSERT INTO Lang (Tekst) VALUES (String(9000, 'n'))"};
    std::vector<SourceFile> files;
    for (const auto version : {jet::Version::Jet3, jet::Version::Jet4}) {
        const std::string suffix = version == jet::Version::Jet3 ? "-jet3.mdb" : "-jet4.mdb";
        files.push_back({"voorbeeld" + suffix, readFile(makeSample(dir / ("voorbeeld" + suffix), version))});
        files.push_back({"lang" + suffix, readFile(makeDatabase(dir / ("lang" + suffix), version, longValues))});
    }
    for (const auto& file : corpusFiles()) files.push_back({file.filename().string(), readFile(file)});
    return files;
}

class DamagedFiles : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("querimo-damaged-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        path_ = dir_ / "beschadigd.mdb";
        sources_ = sourceFiles(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

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

    std::filesystem::path dir_;
    std::filesystem::path path_;
    std::vector<SourceFile> sources_;
    Watchdog watchdog_;
    int cases_ = 0;
    int errors_ = 0;
};

}  // namespace

TEST_F(DamagedFiles, TruncatedFilesFailClearly)
{
    std::mt19937 random(20261206);
    for (const auto& [name, original] : sources_) {
        // The empty file, cuts in the header page, and cuts at and between later page boundaries.
        std::vector<std::size_t> cuts{0, 1, 100, 2047, 2048, 4095};
        for (int i = 0; i < truncationsPerFile && original.size() > 4096; ++i)
            cuts.push_back(std::uniform_int_distribution<std::size_t>(4096, original.size() - 1)(random));
        for (std::size_t cut : cuts)
            check(original.substr(0, cut), name + " cut at " + std::to_string(cut));
    }
    std::cout << cases_ << " truncated files read, " << errors_ << " errors reported\n";
}

TEST_F(DamagedFiles, ChangedBytesFailClearly)
{
    std::mt19937 random(4242);
    for (const auto& [name, original] : sources_) {
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
            check(damaged, name + " changed at" + where);
        }
    }
    std::cout << cases_ << " damaged files read, " << errors_ << " errors reported\n";
}

}  // namespace querimo::test
