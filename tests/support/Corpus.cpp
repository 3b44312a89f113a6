#include "support/Corpus.h"

#include <algorithm>
#include <cstdlib>

namespace querimo::test {

std::filesystem::path corpusDir()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (const char* env = std::getenv("QUERIMO_CORPUS"); env && *env && fs::is_directory(env, ec)) return env;
    const fs::path beside = fs::path(QUERIMO_SOURCE_DIR) / ".." / "shared" / "corpus";
    if (fs::is_directory(beside, ec)) return fs::weakly_canonical(beside, ec);
    return {};
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

}  // namespace querimo::test
