// Jet files cut short and with bytes changed (our writer's files, and Access's own when the corpus is there):
// opening and reading them must end in a clear error or in rows, never in a crash, a hang or another exception.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "jet_test_files.h"
#include "support/ScanAll.h"

namespace querimo::test {

namespace {

constexpr int truncationsPerFile = 6;
constexpr int damagedCopiesPerFile = 8;
constexpr int bytesChangedPerCopy = 16;

struct SourceFile {
    std::string name;
    std::string bytes;
};

// The sample in both versions, a table of long values, and every Access-made file of the corpora if present.
std::vector<SourceFile> sourceFiles(const std::filesystem::path& dir)
{
    const std::vector<std::string> longValues{"CREATE TABLE Lang (Id COUNTER PRIMARY KEY, Tekst MEMO, Data LONGBINARY)",
                                              "INSERT INTO Lang (Tekst) VALUES ('kort')",
                                              "INSERT INTO Lang (Tekst) VALUES (String(3000, 'm'))",
                                              "INSERT INTO Lang (Tekst) VALUES (String(9000, 'n'))"};
    std::vector<SourceFile> files;
    for (const auto version : {jet::Version::Jet3, jet::Version::Jet4}) {
        const std::string suffix = version == jet::Version::Jet3 ? "-jet3.mdb" : "-jet4.mdb";
        files.push_back({"voorbeeld" + suffix, readBytes(makeSample(dir / ("voorbeeld" + suffix), version))});
        files.push_back({"lang" + suffix, readBytes(makeDatabase(dir / ("lang" + suffix), version, longValues))});
    }
    // The Jet 4 sample marked as an Access 2016 file, and every Access 2007 and later file of its corpus.
    files.push_back({"voorbeeld-2016.accdb", asAccdb(files[2].bytes, 5)});
    for (const auto& file : corpusFiles()) files.push_back({file.filename().string(), readBytes(file)});
    for (const auto& file : accdbCorpusFiles()) files.push_back({file.filename().string(), readBytes(file)});
    return files;
}

class DamagedFiles : public testing::Test {
protected:
    // Writes the bytes as a file, reads everything in it and checks how it ended.
    void check(const std::string& bytes, const std::string& name)
    {
        const std::string path = scratch_.write("beschadigd.mdb", bytes);
        auto expectClear = [&](const DbError& e) {
            EXPECT_FALSE(e.description().empty()) << name;
            ++errors_;
            if (std::getenv("QUERIMO_SHOW_ERRORS")) std::cout << name << ": " << e.description() << "\n";
        };
        try {
            // Every row takes at least one byte of the file; more rows than bytes means a loop.
            scanEverything(path, bytes.size(), expectClear);
        } catch (const DbError& e) {
            expectClear(e);
        } catch (const std::exception& e) {
            ADD_FAILURE() << name << ": not a DbError: " << e.what();
        }
        ++cases_;
    }

    ScratchDir scratch_;
    std::vector<SourceFile> sources_ = sourceFiles(scratch_.path());
    int cases_ = 0;
    int errors_ = 0;
};

}  // namespace

// The same reading, through every index too, finds nothing wrong in the files before they are damaged.
TEST_F(DamagedFiles, TheUndamagedFilesReadWhole)
{
    for (const auto& [name, original] : sources_) {
        const std::string path = scratch_.write("heel.mdb", original);
        try {
            scanEverything(path, original.size(),
                           [&](const DbError& e) { ADD_FAILURE() << name << ": " << e.description(); });
        } catch (const DbError& e) {
            ADD_FAILURE() << name << ": " << e.description();
        }
    }
}

TEST_F(DamagedFiles, TruncatedFilesFailClearly)
{
    std::mt19937 random(20261206);
    for (const auto& [name, original] : sources_) {
        // The empty file, cuts in the header page, and cuts at and between later page boundaries.
        std::vector<std::size_t> cuts{0, 1, 100, 2047, 2048, 4095};
        for (int i = 0; i < truncationsPerFile && original.size() > 4096; ++i)
            cuts.push_back(std::uniform_int_distribution<std::size_t>(4096, original.size() - 1)(random));
        for (std::size_t cut : cuts) check(original.substr(0, cut), name + " cut at " + std::to_string(cut));
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
