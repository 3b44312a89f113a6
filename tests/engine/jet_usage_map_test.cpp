// Usage maps of both kinds, on a small made-up Jet 4 file (the corpus files only hold the inline kind).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "jet/pages/Corruption.h"
#include "jet/pages/UsageMap.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

constexpr std::size_t pageSize = 4096;

void put16(std::string& file, std::size_t at, std::uint16_t v)
{
    std::memcpy(file.data() + at, &v, 2);
}
void put32(std::string& file, std::size_t at, std::uint32_t v)
{
    std::memcpy(file.data() + at, &v, 4);
}

// Page 1 holds two map rows: row 0 refers to the bitmap on page 2, row 1 holds its bitmap inline.
std::string fileWithMaps()
{
    std::string file(6 * pageSize, '\0');
    const std::size_t data = pageSize;
    file[data] = 0x01;
    put16(file, data + 12, 2);
    const std::size_t referenceRow = pageSize - 9;  // type 1, then page pointers 2 and 0
    file[data + referenceRow] = 0x01;
    put32(file, data + referenceRow + 1, 2);
    const std::size_t inlineRow = referenceRow - 6;  // type 0, first page 4, bitmap 00000011
    file[data + inlineRow] = 0x00;
    put32(file, data + inlineRow + 1, 4);
    file[data + inlineRow + 5] = 0x03;
    put16(file, data + 14, static_cast<std::uint16_t>(referenceRow));
    put16(file, data + 16, static_cast<std::uint16_t>(inlineRow));

    const std::size_t bitmap = 2 * pageSize;
    file[bitmap] = 0x05;
    file[bitmap + 4] = 0x0A;  // pages 1 and 3
    file[bitmap + 5] = 0x01;  // page 8: past the end of the file, left out
    return file;
}

TEST(JetUsageMap, InlineAndReferencedBitmaps)
{
    ScratchDir dir;
    jet::PageFile file(dir.write("maps.mdb", fileWithMaps()), false);
    file.configure(pageSize, 0);
    const jet::Format& format = jet::Format::of(jet::Version::Jet4);
    EXPECT_EQ(jet::usageMapPages(file, format, 0x100), (std::vector<std::uint32_t>{1, 3}));
    EXPECT_EQ(jet::usageMapPages(file, format, 0x101), (std::vector<std::uint32_t>{4, 5}));
    EXPECT_THROW(jet::usageMapPages(file, format, 0x102), jet::CorruptFile);  // no third row
    EXPECT_THROW(jet::usageMapPages(file, format, 0x300), jet::CorruptFile);  // not a data page

    // Newest first, stopping when asked; page 8 lies past the file's end and is never visited.
    for (const std::uint32_t map : {0x100u, 0x101u}) {
        std::vector<std::uint32_t> all, first;
        jet::visitNewestUsageMapPages(file, format, map, [&](std::uint32_t page) {
            all.push_back(page);
            return true;
        });
        jet::visitNewestUsageMapPages(file, format, map, [&](std::uint32_t page) {
            first.push_back(page);
            return false;
        });
        std::vector<std::uint32_t> expected = jet::usageMapPages(file, format, map);
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(all, expected);
        EXPECT_EQ(first, std::vector<std::uint32_t>{expected.front()});
    }
}

}  // namespace
}  // namespace querimo::test
