#include "jet/tables/IndexPages.h"

#include <algorithm>
#include <bit>

#include "core/Error.h"
#include "jet/format/Format.h"

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
    static const IndexPageLayout jet3{8, 12, 16, 20, 1, 21, 22, 0xF8};
    static const IndexPageLayout jet4{12, 16, 20, 24, 2, 26, 27, 0x1E0};
    return version == Version::Jet3 ? jet3 : jet4;
}

std::vector<std::uint16_t> indexEntryEnds(ByteView page, const IndexPageLayout& layout)
{
    std::size_t count = 0;
    for (std::size_t at = layout.entryMask; at < layout.firstEntry; ++at) count += std::popcount(page.u8(at));
    std::vector<std::uint16_t> ends;
    ends.reserve(count);
    std::size_t start = layout.firstEntry;
    for (std::size_t at = layout.entryMask; at < layout.firstEntry; ++at) {
        const std::uint8_t mask = page.u8(at);
        for (std::size_t bit = 0; mask >> bit; ++bit) {
            if (!(mask & (1u << bit))) continue;
            const std::size_t end = layout.firstEntry + (at - layout.entryMask) * 8 + bit;
            if (end <= start || end > page.size()) corrupt("een indexpagina heeft een onmogelijke ingang");
            ends.push_back(static_cast<std::uint16_t>(end));
            start = end;
        }
    }
    return ends;
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
    const std::size_t prefixLength =
        layout.prefixLengthSize == 1 ? page.u8(layout.prefixLength) : page.u16(layout.prefixLength);
    const std::size_t trailer = rowPointerSize + (result.leaf() ? 0 : childPointerSize);

    std::size_t start = layout.firstEntry;
    const std::vector<std::uint16_t> ends = indexEntryEnds(page, layout);
    result.entries.reserve(ends.size());
    std::string firstEntry;  // stored bytes of the first entry, the source of the shared prefix
    std::string full;        // one entry with its prefix, reused from entry to entry
    for (const std::size_t end : ends) {
        const auto* stored = reinterpret_cast<const char*>(page.data() + start);
        if (result.entries.empty()) {
            firstEntry.assign(stored, end - start);
            full = firstEntry;
        } else {
            if (prefixLength > firstEntry.size()) corrupt("een indexpagina heeft een onmogelijk gedeeld voorvoegsel");
            full.assign(firstEntry, 0, prefixLength);
            full.append(stored, end - start);
        }
        if (full.size() < trailer) corrupt("een indexpagina heeft een te korte ingang");
        const ByteView bytes(reinterpret_cast<const std::uint8_t*>(full.data()), full.size());
        const std::size_t keyEnd = full.size() - trailer;
        IndexEntry& entry = result.entries.emplace_back();
        entry.key.assign(full, 0, keyEnd);
        entry.dataPage = bigEndian(bytes, keyEnd, 3);
        entry.dataRow = bytes.u8(keyEnd + 3);
        if (!result.leaf()) entry.childPage = bigEndian(bytes, keyEnd + rowPointerSize, childPointerSize);
        start = end;
    }
    return result;
}

std::size_t indexEntrySize(const IndexEntry& entry, bool leaf)
{
    return entry.key.size() + rowPointerSize + (leaf ? 0 : childPointerSize);
}

std::vector<std::uint8_t> buildIndexPage(const IndexPage& page, Version version, std::size_t prefixLimit)
{
    const IndexPageLayout& layout = IndexPageLayout::of(version);
    const std::size_t pageSize = Format::of(version).pageSize;
    const bool leaf = page.leaf();
    std::size_t prefix = page.entries.size() > 1 ? std::min(prefixLimit, page.entries.front().key.size()) : 0;
    for (const IndexEntry& entry : page.entries) {
        std::size_t common = 0;
        while (common < prefix && common < entry.key.size() && entry.key[common] == page.entries.front().key[common])
            ++common;
        prefix = common;
    }
    if (layout.prefixLengthSize == 1) prefix = std::min<std::size_t>(prefix, 0xFF);

    std::vector<std::uint8_t> out(pageSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    out[0] = page.type;
    out[1] = 0x01;
    put32(4, page.definitionPage);
    put32(layout.previousPage, page.previousPage);
    put32(layout.nextPage, page.nextPage);
    put32(layout.tailPage, page.tailPage);
    out[layout.prefixLength] = static_cast<std::uint8_t>(prefix & 0xFF);
    if (layout.prefixLengthSize == 2) out[layout.prefixLength + 1] = static_cast<std::uint8_t>(prefix >> 8);
    out[layout.pageKind] = leaf ? 0x00 : 0x01;

    std::size_t at = layout.firstEntry;
    for (std::size_t i = 0; i < page.entries.size(); ++i) {
        const IndexEntry& entry = page.entries[i];
        const std::size_t skip = i == 0 ? 0 : prefix;
        const std::size_t size = indexEntrySize(entry, leaf) - skip;
        if (at + size > pageSize || (at + size - layout.firstEntry) / 8 >= layout.firstEntry - layout.entryMask)
            throw DbError(errc::fail, "De ingangen passen niet op een indexpagina");
        std::copy(entry.key.begin() + static_cast<std::ptrdiff_t>(skip), entry.key.end(),
                  out.begin() + static_cast<std::ptrdiff_t>(at));
        at += entry.key.size() - skip;
        out[at++] = static_cast<std::uint8_t>(entry.dataPage >> 16);
        out[at++] = static_cast<std::uint8_t>(entry.dataPage >> 8);
        out[at++] = static_cast<std::uint8_t>(entry.dataPage);
        out[at++] = entry.dataRow;
        if (!leaf)
            for (int shift = 24; shift >= 0; shift -= 8)
                out[at++] = static_cast<std::uint8_t>(entry.childPage >> shift);
        const std::size_t bit = at - layout.firstEntry;
        out[layout.entryMask + bit / 8] =
            static_cast<std::uint8_t>(out[layout.entryMask + bit / 8] | (1u << (bit % 8)));
    }
    const std::size_t free = pageSize - at;
    out[2] = static_cast<std::uint8_t>(free & 0xFF);
    out[3] = static_cast<std::uint8_t>(free >> 8);
    return out;
}

}  // namespace querimo::jet
