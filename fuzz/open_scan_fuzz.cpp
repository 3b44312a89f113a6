// libFuzzer target: any bytes as a database file, opened and read through. A DbError is the expected end of a
// bad file; anything else (a crash, a sanitizer report, another exception, an endless scan) is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFile.h"
#include "support/ScanAll.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = querimo::fuzz::inputFile("querimo-fuzz", data, size);
    if (path.empty()) return 0;
    try {
        // Every row takes at least one byte of the file; more rows than bytes means a loop.
        querimo::test::scanEverything(path, size, [](const querimo::DbError&) {});
    } catch (const querimo::DbError&) {}
    return 0;
}
