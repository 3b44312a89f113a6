// libFuzzer target: any bytes as a database file, opened and read through. A DbError is the expected end of a
// bad file; anything else (a crash, a sanitizer report, another exception, an endless scan) is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/ScanAll.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("querimo-fuzz-" + std::to_string(getpid()) + ".mdb")).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    const bool written = std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    if (!written) return 0;
    try {
        // Every row takes at least one byte of the file; more rows than bytes means a loop.
        querimo::test::scanEverything(path, size, [](const querimo::DbError&) {});
    } catch (const querimo::DbError&) {
    }
    return 0;
}
