#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace querimo::test {

// The folder of Access-made databases: $QUERIMO_CORPUS, else ../shared/corpus beside the source tree.
// Empty when neither exists.
std::filesystem::path corpusDir();
// Every .mdb file of the corpus, sorted by name; empty when the corpus is missing.
std::vector<std::filesystem::path> corpusFiles();

// Use at the start of a test: skips it with a clear message when the corpus is missing.
#define QUERIMO_REQUIRE_CORPUS()                                                                        \
    do {                                                                                                \
        if (::querimo::test::corpusDir().empty())                                                       \
            GTEST_SKIP() << "corpus van Access-databases ontbreekt: zet QUERIMO_CORPUS of leg hem in "  \
                            "../shared/corpus naast de broncode";                                       \
    } while (false)

}  // namespace querimo::test
