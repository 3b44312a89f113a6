#include "support/Corpus.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace querimo::test {

namespace {

bool isAccdb(const std::string& name)
{
    return std::filesystem::path(name).extension() == ".accdb";
}

std::filesystem::path folder(const char* variable, const char* besideSource)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (const char* env = std::getenv(variable); env && *env)
        return fs::is_directory(env, ec) ? fs::path(env) : fs::path();
    const fs::path beside = fs::path(QUERIMO_SOURCE_DIR) / ".." / "shared" / besideSource;
    if (fs::is_directory(beside, ec)) return fs::weakly_canonical(beside, ec);
    return {};
}

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& dir, const char* extension)
{
    std::vector<std::filesystem::path> files;
    if (dir.empty()) return files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::filesystem::path corpusDir()
{
    return folder("QUERIMO_CORPUS", "corpus");
}

std::filesystem::path accdbCorpusDir()
{
    return folder("QUERIMO_CORPUS_ACCDB", "corpus-accdb");
}

std::filesystem::path corpusFile(const std::string& name)
{
    const auto dir = isAccdb(name) ? accdbCorpusDir() : corpusDir();
    std::error_code ec;
    if (dir.empty() || !std::filesystem::is_regular_file(dir / name, ec)) return {};
    return dir / name;
}

std::vector<std::filesystem::path> corpusFiles()
{
    return filesIn(corpusDir(), ".mdb");
}

std::vector<std::filesystem::path> accdbCorpusFiles()
{
    return filesIn(accdbCorpusDir(), ".accdb");
}

bool corpusRequired()
{
    const char* env = std::getenv("QUERIMO_REQUIRE_CORPUS");
    return env && std::strcmp(env, "1") == 0;
}

std::string corpusMissing(const std::string& name)
{
    if (isAccdb(name))
        return name + " ontbreekt: zet QUERIMO_CORPUS_ACCDB op de map met de Access 2007-databases "
                      "(../shared/corpus-accdb)";
    return (name.empty() ? std::string("de Access-databases") : name)
           + " ontbreekt: zet QUERIMO_CORPUS op de map met de Access-databases (../shared/corpus)";
}

}  // namespace querimo::test
