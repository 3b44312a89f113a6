#pragma once
// The Access-made databases some tests compare against. Only tests that need Access's own bytes use them;
// everything else makes its files with our writer.
#include <filesystem>
#include <string>
#include <vector>

namespace querimo::test {

// $QUERIMO_CORPUS when set (a folder that does not exist counts as missing), else ../shared/corpus beside the
// source tree. Empty when missing.
std::filesystem::path corpusDir();
// The Access 2007 and later files: $QUERIMO_CORPUS_ACCDB when set, else ../shared/corpus-accdb.
std::filesystem::path accdbCorpusDir();
// One file of the corpus (a name ending in .accdb: of the .accdb corpus); empty when it is missing.
std::filesystem::path corpusFile(const std::string& name);
// Every .mdb file of the corpus, sorted by name; empty when the corpus is missing.
std::vector<std::filesystem::path> corpusFiles();
// Every .accdb file of the .accdb corpus, sorted by name.
std::vector<std::filesystem::path> accdbCorpusFiles();
// QUERIMO_REQUIRE_CORPUS=1 (as in CI): a missing corpus fails the test instead of skipping it.
bool corpusRequired();
// The one line a test gives when name (or the whole corpus, for an empty name) is missing.
std::string corpusMissing(const std::string& name = {});

// At the start of a GoogleTest test: skips it (fails it when the corpus is required) without the file.
#define QUERIMO_REQUIRE_CORPUS_FILE(name)                                                                              \
    do {                                                                                                               \
        if (::querimo::test::corpusFile(name).empty()) {                                                               \
            if (::querimo::test::corpusRequired()) GTEST_FAIL() << ::querimo::test::corpusMissing(name);               \
            GTEST_SKIP() << ::querimo::test::corpusMissing(name);                                                      \
        }                                                                                                              \
    } while (false)

#define QUERIMO_REQUIRE_CORPUS()                                                                                       \
    do {                                                                                                               \
        if (::querimo::test::corpusDir().empty()) {                                                                    \
            if (::querimo::test::corpusRequired()) GTEST_FAIL() << ::querimo::test::corpusMissing();                   \
            GTEST_SKIP() << ::querimo::test::corpusMissing();                                                          \
        }                                                                                                              \
    } while (false)

}  // namespace querimo::test
