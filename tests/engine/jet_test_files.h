#pragma once
// Opening corpus files and private copies of them for the Jet reader tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/Value.h"
#include "jet/Database.h"
#include "support/Corpus.h"

namespace querimo::test {

inline std::string corpusPath(const std::string& name)
{
    return (corpusDir() / name).string();
}

inline std::unique_ptr<jet::Database> openCorpus(const std::string& name, bool exclusive = false)
{
    jet::OpenOptions options;
    options.path = corpusPath(name);
    options.exclusive = exclusive;
    return jet::Database::open(options);
}

inline std::vector<std::vector<Value>> readRows(jet::Database& db, const std::string& table)
{
    std::vector<std::vector<Value>> rows;
    std::vector<Value> row;
    const auto scan = db.scan(db.table(table));
    while (scan->next(row))
        rows.push_back(row);
    return rows;
}

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of its own for files a test makes; removed with the object.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "querimo-jet-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string copyOf(const std::string& corpusName) const { return write(corpusName, readBytes(corpusDir() / corpusName)); }

private:
    std::filesystem::path dir_;
};

}  // namespace querimo::test
