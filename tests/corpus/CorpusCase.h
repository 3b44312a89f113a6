#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Corpus.h"
#include "support/Csv.h"
#include "support/Process.h"

namespace querimo::test {

// One corpus file as a test parameter; the test name is the file name without punctuation.
struct CorpusFile {
    std::filesystem::path path;
    friend void PrintTo(const CorpusFile& f, std::ostream* os) { *os << f.path.filename().string(); }
};
std::vector<CorpusFile> corpusParams();
// The files of the .accdb corpus (Access 2007 and later), compared by the same tests.
std::vector<CorpusFile> accdbCorpusParams();
std::string corpusParamName(const testing::TestParamInfo<CorpusFile>& info);

// Runs querimo-sql and fails the test (returning nothing) when it does not succeed.
std::string runQuerimoSql(const std::vector<std::string>& args);
// Runs an mdbtools program; nullopt-like empty result with the reason in why when it fails.
bool runMdbTool(const std::vector<std::string>& argv, std::string& out, std::string& why);

// The columns of mdb-schema's CREATE TABLE (access back end): name and type word; a kind mdbtools does not
// know is "Unknown_" and its type code in hex.
std::vector<std::pair<std::string, std::string>> mdbSchemaColumns(const std::string& schema);

struct TableEntry {
    std::string name;
    std::string type;  // TABLE, SYSTEM TABLE, LINK, VIEW
};
std::vector<TableEntry> querimoTables(const std::filesystem::path& file);

struct ColumnEntry {
    std::string name;
    int dataType = 0;
    std::string typeWord;
    int ordinal = 0;
};
std::vector<ColumnEntry> querimoColumns(const std::filesystem::path& file, const std::string& table);

// Skips the test when querimo-sql or mdbtools is not available.
#define QUERIMO_REQUIRE_TOOLS()                                                                                        \
    do {                                                                                                               \
        QUERIMO_REQUIRE_CORPUS();                                                                                      \
        if (::querimo::test::querimoSqlPath().empty()) GTEST_SKIP() << "QUERIMO_SQL is niet gezet";                    \
        if (::querimo::test::runProcess({"mdb-ver", "--version"}).exitCode != 0)                                       \
            GTEST_SKIP() << "mdbtools is niet geïnstalleerd (Debian-pakket mdbtools)";                                 \
    } while (false)

}  // namespace querimo::test
