#pragma once
// Opening corpus files, private copies of them, and databases our writer makes, for the engine tests.
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
#include "support/MadeDatabase.h"

namespace querimo::test {

// A corpus file by name: .accdb files come from the .accdb corpus.
inline std::filesystem::path corpusPath(const std::string& name)
{
    const auto found = corpusFile(name);
    return found.empty() ? corpusDir() / name : found;
}

inline std::unique_ptr<jet::Database> openCorpus(const std::string& name, bool exclusive = false)
{
    jet::OpenOptions options;
    options.path = corpusPath(name).string();
    options.exclusive = exclusive;
    return jet::Database::open(options);
}

inline std::vector<std::vector<Value>> readRows(jet::Database& db, const std::string& table)
{
    std::vector<std::vector<Value>> rows;
    std::vector<Value> row;
    const auto scan = db.scan(db.table(table));
    while (scan->next(row)) rows.push_back(row);
    return rows;
}

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A Jet 4 file marked as Access 2007 and later (version byte 2, 3, 5 or 6), whose pages are Jet 4's.
inline std::string asAccdb(std::string file, char versionByte)
{
    file.replace(13, 3, "ACE");
    file[0x14] = versionByte;
    return file;
}

// The DbError run throws; a failure naming what when it throws none.
template <typename Run>
DbError errorFrom(Run&& run, const std::string& what = {})
{
    try {
        run();
    } catch (const DbError& e) {
        return e;
    }
    ADD_FAILURE() << "geen fout voor: " << what;
    return DbError(0, "");
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
    std::string copyOf(const std::string& corpusName) const
    {
        return write(corpusName, readBytes(corpusPath(corpusName)));
    }
    // The sample database (Klant 40 rows, Artikel 30, Bestelling 120, Bestelregel 284) made by our writer here.
    std::string sample(jet::Version version) const
    {
        const auto path =
            dir_
            / ("voorbeeld" + std::to_string(++made_) + (version == jet::Version::Jet3 ? "-jet3.mdb" : "-jet4.mdb"));
        return makeSample(path, version).string();
    }
    std::string database(jet::Version version, const std::vector<std::string>& statements) const
    {
        return makeDatabase(dir_ / ("gemaakt" + std::to_string(++made_) + ".mdb"), version, statements).string();
    }
    const std::filesystem::path& path() const { return dir_; }

private:
    std::filesystem::path dir_;
    mutable int made_ = 0;
};

}  // namespace querimo::test
