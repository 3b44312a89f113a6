#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jet/Database.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/PackedKeys.h"

namespace querimo::jet {

// A leaf index page read in place: where its entries end comes from the mask, a key is put together only
// when asked for, so a lookup that reads a few keys of a full page does not copy them all. A page that does
// not hold together raises CorruptFile.
class IndexLeaf {
public:
    IndexLeaf(PageRef page, Version version);

    std::size_t size() const { return ends_.size(); }
    std::uint32_t definitionPage() const { return definitionPage_; }
    std::uint32_t nextPage() const { return nextPage_; }
    std::uint32_t previousPage() const { return previousPage_; }
    // The key of entry i into key, and the row it points to.
    void entry(std::size_t i, std::string& key, RowId& row) const;
    // The row entry i points to, its key left where it lies.
    RowId row(std::size_t i) const;
    // The first entry whose key is not below `key`.
    std::size_t firstNotBelow(std::string_view key) const;

private:
    // Whether the key of entry i is below `key`, put together.
    bool keyBelow(std::size_t i, std::string_view key) const;
    // A key sought, and how the page's shared prefix compares with its start.
    struct Sought {
        std::string_view key;
        int prefixOrder;
    };
    // The same, comparing the entry's own bytes where they lie.
    bool ownBelow(std::size_t i, const Sought& sought) const;
    // The keys as numbers when they can be (PackedKeys), once per page read: a join searches it many times.
    void packKeys();

    PageRef page_;
    std::vector<std::uint16_t> ends_;  // offset after each entry
    std::size_t firstEntry_ = 0;
    std::size_t prefixLength_ = 0;
    std::uint32_t definitionPage_ = 0;
    std::uint32_t nextPage_ = 0;
    std::uint32_t previousPage_ = 0;
    PackedKeys packed_;
};

}  // namespace querimo::jet
