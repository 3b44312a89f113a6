#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "jet/ByteView.h"
#include "jet/Database.h"

namespace querimo::jet {

inline constexpr std::uint8_t intermediateIndexPageType = 0x03;
inline constexpr std::uint8_t leafIndexPageType = 0x04;

// One entry of an index page, with the shared prefix already put back in front of the key.
struct IndexEntry {
    std::string key;              // the encoded column values (see IndexKey.h)
    std::uint32_t dataPage = 0;   // the row this entry points to
    std::uint8_t dataRow = 0;
    std::uint32_t childPage = 0;  // intermediate pages: the page whose last entry this is
};

struct IndexPage {
    std::uint8_t type = 0;
    std::uint32_t definitionPage = 0;  // the table the index belongs to
    std::uint32_t previousPage = 0;    // neighbours on the same level, 0 for none
    std::uint32_t nextPage = 0;
    std::uint32_t tailPage = 0;        // the tail leaf page, kept outside the tree until it fills up
    std::vector<IndexEntry> entries;   // in key order

    bool leaf() const { return type == leafIndexPageType; }
};

// Where the parts of an index page start, per format.
struct IndexPageLayout {
    std::size_t previousPage, nextPage, tailPage, prefixLength, entryMask, firstEntry;
    static const IndexPageLayout& of(Version version);
};

// Splits an index page (type 0x03 or 0x04) into its entries. A page that does not hold together
// raises CorruptFile.
IndexPage parseIndexPage(ByteView page, Version version);

}  // namespace querimo::jet
