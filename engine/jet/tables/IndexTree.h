#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "jet/Database.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/IndexPages.h"

namespace querimo::jet {

// Where new index pages come from and where emptied ones go.
struct IndexPageSource {
    std::function<std::uint32_t()> allocate;  // a page of zeros, already changed in the page file
    std::function<void(std::uint32_t)> release;
};

// Entries in index order: key bytes, then the row pointer (Access orders duplicates by row).
bool indexEntryBefore(const IndexEntry& a, const IndexEntry& b);

// The B-tree of one real index. Leaf pages hold the entries, linked from first to last; an intermediate
// page has one entry per child (the child's last leaf entry and its page), except that of two or more
// children the last is named only in the tail field. Intermediate pages link only to siblings under the
// same parent. The root never moves: when it overflows its entries go down to a new page.
// Changes are kept in memory until flush().
class IndexTree {
public:
    IndexTree(PageFile& file, Version version, std::uint32_t root, IndexPageSource pages);

    void insert(const IndexEntry& entry);
    // False when the entry is not in the index.
    bool remove(const IndexEntry& entry);
    // The leaf entries whose key equals `key`, in order.
    std::vector<IndexEntry> find(const std::string& key);
    // Lays the changed pages out and hands them to the page file.
    void flush();

    // Makes `page` an empty root leaf of the table with this definition page.
    static void writeEmptyRoot(PageFile& file, Version version, std::uint32_t page, std::uint32_t definitionPage);

private:
    IndexPage& load(std::uint32_t number);
    IndexPage& change(std::uint32_t number);
    std::uint32_t newPage(std::uint8_t type);
    bool fits(const IndexPage& page) const;

    std::size_t childSlot(const IndexPage& page, const IndexEntry& entry) const;
    std::uint32_t childAt(const IndexPage& page, std::size_t slot) const;
    IndexEntry lastLeafEntry(std::uint32_t page);
    void refreshSlot(std::uint32_t parent, std::size_t slot);
    void keepTailRule(std::uint32_t page);

    // Returns the new page split off in front of `page`, or 0.
    std::uint32_t insertUnder(std::uint32_t page, const IndexEntry& entry, int depth);
    std::uint32_t splitOff(std::uint32_t page, bool appending);
    void nestRoot(bool appending);
    void adopt(std::uint32_t page, std::size_t slot, std::uint32_t head);
    struct Removal {
        bool emptied = false;    // the page has no entries left
        std::uint32_t head = 0;  // a page split off in front of it
    };
    Removal removeUnder(std::uint32_t page, const IndexEntry& entry, bool& found, int depth);
    void unlink(std::uint32_t page);

    PageFile& file_;
    Version version_;
    std::uint32_t root_;
    IndexPageSource pages_;
    std::map<std::uint32_t, IndexPage> loaded_;
    std::set<std::uint32_t> changed_;
};

}  // namespace querimo::jet
