#pragma once
#include <cstdint>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "jet/Database.h"
#include "jet/pages/ByteView.h"

namespace querimo::jet {

inline constexpr std::uint8_t intermediateIndexPageType = 0x03;
inline constexpr std::uint8_t leafIndexPageType = 0x04;

// Keys are a few bytes: compared in place, without a call to memcmp for each step of a search.
// How `key` stands to `start`: -1 below it (a shorter start of it included), 0 beginning with it, 1 beyond.
inline int keyAgainst(std::string_view key, std::string_view start)
{
    const std::size_t common = std::min(key.size(), start.size());
    for (std::size_t i = 0; i < common; ++i)
        if (key[i] != start[i]) return static_cast<unsigned char>(key[i]) < static_cast<unsigned char>(start[i]) ? -1 : 1;
    return key.size() < start.size() ? -1 : 0;
}

inline bool bytesBelow(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
    return a.size() < b.size();
}

// One entry of an index page, with the shared prefix already put back in front of the key.
struct IndexEntry {
    std::string key;             // the encoded column values (see IndexKey.h)
    std::uint32_t dataPage = 0;  // the row this entry points to
    std::uint8_t dataRow = 0;
    std::uint32_t childPage = 0;  // intermediate pages: the page whose last entry this is
};

struct IndexPage {
    std::uint8_t type = 0;
    std::uint32_t definitionPage = 0;  // the table the index belongs to
    std::uint32_t previousPage = 0;    // neighbours on the same level, 0 for none
    std::uint32_t nextPage = 0;
    std::uint32_t tailPage = 0;       // the tail leaf page, kept outside the tree until it fills up
    std::vector<IndexEntry> entries;  // in key order

    bool leaf() const { return type == leafIndexPageType; }
};

// Where the parts of an index page start, per format. The shared prefix length takes one byte in Jet 3
// and two in Jet 4; the byte after it is 1 on intermediate pages and 0 on leaf pages.
struct IndexPageLayout {
    std::size_t previousPage, nextPage, tailPage, prefixLength, prefixLengthSize, pageKind, entryMask, firstEntry;
    static const IndexPageLayout& of(Version version);
};

// Splits an index page (type 0x03 or 0x04) into its entries. A page that does not hold together
// raises CorruptFile.
IndexPage parseIndexPage(ByteView page, Version version);

// Where each entry of an index page ends, in order: bit i of the entry mask marks an end at firstEntry + i,
// and the first entry starts at firstEntry. CorruptFile for an end that cannot be.
std::vector<std::uint16_t> indexEntryEnds(ByteView page, const IndexPageLayout& layout);

// Lays out an index page from its entries, the inverse of parseIndexPage; pageSize bytes, zero after the
// entries. Entries share the longest prefix their keys have in common, or at most prefixLimit bytes.
// Raises DbError when the entries do not fit.
std::vector<std::uint8_t> buildIndexPage(const IndexPage& page, Version version, std::size_t prefixLimit = 255);

// The bytes an entry takes on a page without a shared prefix.
std::size_t indexEntrySize(const IndexEntry& entry, bool leaf);

}  // namespace querimo::jet
