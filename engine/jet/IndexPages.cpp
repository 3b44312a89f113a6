#include "jet/IndexPages.h"

namespace querimo::jet {

namespace {

// Row pointers inside index entries are big-endian: 3 bytes page, 1 byte row; child pages 4 bytes.
constexpr std::size_t rowPointerSize = 4;
constexpr std::size_t childPointerSize = 4;

std::uint32_t bigEndian(ByteView bytes, std::size_t offset, std::size_t length)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < length; ++i) value = (value << 8) | bytes.u8(offset + i);
    return value;
}

}  // namespace

const IndexPageLayout& IndexPageLayout::of(Version version)
{
    static const IndexPageLayout jet3{8, 12, 16, 20, 22, 0xF8};
    static const IndexPageLayout jet4{12, 16, 20, 24, 27, 0x1E0};
    return version == Version::Jet3 ? jet3 : jet4;
}

IndexPage parseIndexPage(ByteView page, Version version)
{
    const IndexPageLayout& layout = IndexPageLayout::of(version);
    IndexPage result;
    result.type = page.u8(0);
    if (result.type != leafIndexPageType && result.type != intermediateIndexPageType)
        corrupt("een indexpagina heeft een onbekend paginatype");
    result.definitionPage = page.u32(4);
    result.previousPage = page.u32(layout.previousPage);
    result.nextPage = page.u32(layout.nextPage);
    result.tailPage = page.u32(layout.tailPage);
    const std::size_t prefixLength = page.u16(layout.prefixLength);
    const std::size_t trailer = rowPointerSize + (result.leaf() ? 0 : childPointerSize);

    // Each set bit of the mask marks where an entry ends (bit i: offset firstEntry + i); the first entry
    // starts at firstEntry.
    std::size_t start = layout.firstEntry;
    std::string firstEntry;  // stored bytes of the first entry, the source of the shared prefix
    for (std::size_t bit = 0; layout.entryMask + bit / 8 < layout.firstEntry; ++bit) {
        if (!(page.u8(layout.entryMask + bit / 8) & (1u << (bit % 8)))) continue;
        const std::size_t end = layout.firstEntry + bit;
        if (end <= start || end > page.size()) corrupt("een indexpagina heeft een onmogelijke ingang");
        std::string full = page.bytes(start, end - start);
        if (result.entries.empty()) {
            firstEntry = full;
        } else {
            if (prefixLength > firstEntry.size()) corrupt("een indexpagina heeft een onmogelijk gedeeld voorvoegsel");
            full.insert(0, firstEntry, 0, prefixLength);
        }
        if (full.size() < trailer) corrupt("een indexpagina heeft een te korte ingang");
        const ByteView bytes(reinterpret_cast<const std::uint8_t*>(full.data()), full.size());
        const std::size_t keyEnd = full.size() - trailer;
        IndexEntry entry;
        entry.key = full.substr(0, keyEnd);
        entry.dataPage = bigEndian(bytes, keyEnd, 3);
        entry.dataRow = bytes.u8(keyEnd + 3);
        if (!result.leaf()) entry.childPage = bigEndian(bytes, keyEnd + rowPointerSize, childPointerSize);
        result.entries.push_back(std::move(entry));
        start = end;
    }
    return result;
}

}  // namespace querimo::jet
