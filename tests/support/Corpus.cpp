#include "support/Corpus.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace querimo::test {

std::filesystem::path corpusDir()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (const char* env = std::getenv("QUERIMO_CORPUS"); env && *env)
        return fs::is_directory(env, ec) ? fs::path(env) : fs::path();
    const fs::path beside = fs::path(QUERIMO_SOURCE_DIR) / ".." / "shared" / "corpus";
    if (fs::is_directory(beside, ec)) return fs::weakly_canonical(beside, ec);
    return {};
}

std::filesystem::path corpusFile(const std::string& name)
{
    const auto dir = corpusDir();
    std::error_code ec;
    if (dir.empty() || !std::filesystem::is_regular_file(dir / name, ec)) return {};
    return dir / name;
}

std::vector<std::filesystem::path> corpusFiles()
{
    std::vector<std::filesystem::path> files;
    const auto dir = corpusDir();
    if (dir.empty()) return files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".mdb") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool corpusRequired()
{
    const char* env = std::getenv("QUERIMO_REQUIRE_CORPUS");
    return env && std::strcmp(env, "1") == 0;
}

std::string corpusMissing(const std::string& name)
{
    return (name.empty() ? std::string("de Access-databases") : name)
           + " ontbreekt: zet QUERIMO_CORPUS op de map met de Access-databases (../shared/corpus)";
}

}  // namespace querimo::test
