#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "jet/Database.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/IndexLeaf.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/IndexRange.h"
#include "jet/tables/PackedKeys.h"

namespace querimo::jet {

// One index page as read: a leaf, or an intermediate page.
struct ParsedIndexPage {
    std::shared_ptr<const IndexLeaf> leaf;
    std::shared_ptr<const IndexPage> intermediate;
    std::shared_ptr<const PackedKeys> keys;  // the intermediate page's keys, empty when they cannot be packed
};

// Index pages already read, for reads that come back to the same pages (the upper levels of every lookup in
// a join, the leaves of a small table). The least recently used page goes first, so the root and branch
// pages stay. A page counts as the same while the page file hands out the same bytes; while the file's
// generation stays put that holds without asking it. Pages changed but not yet written back are read anew
// on every visit, as their changer may still be altering them.
class ParsedIndexPages {
public:
    explicit ParsedIndexPages(std::size_t limit = 1024) : limit_(limit) {}
    // Valid until the next call. CorruptFile for a page that is no index page or does not hold together.
    const ParsedIndexPage& page(PageFile& file, Version version, std::uint32_t number);

private:
    struct Entry {
        PageRef bytes;
        ParsedIndexPage parsed;
        std::uint64_t generation = 0;  // of the file when the bytes were last the file's
        std::list<std::uint32_t>::iterator age;
    };
    static ParsedIndexPage parse(const PageRef& bytes, Version version);

    std::size_t limit_;
    std::unordered_map<std::uint32_t, Entry> pages_;
    std::list<std::uint32_t> ages_;  // most recently used first
    ParsedIndexPage changing_;       // a changed page, not kept
};

// Walks the leaf entries of one index whose keys lie in a range, in key order or (bounds.backward) against it
// along the leaves' previous-page chain, reading nothing outside the index but the pages on the way. A damaged
// index raises CorruptFile: too deep a tree, a leaf chain that runs in a circle or out of order, pages of
// another table.
class IndexWalk {
public:
    IndexWalk(PageFile& file, Version version, ParsedIndexPages& pages, std::uint32_t root,
              std::uint32_t definitionPage, KeyBounds bounds);
    // The next row in the range; false at its end.
    bool next(RowId& row);
    // About which share of the index's entries lies in the range, from where its bounds fall on the pages
    // from the root down (taking the pages under one page as equally full); reads only those pages.
    double share();
    // From the start of another range of the same index.
    void restart(const KeyBounds& bounds);

private:
    // Where the first entry beyond the low bound (or beyond the high bound) stands, from 0 to 1.
    double position(bool high);
    const ParsedIndexPage& load(std::uint32_t number);
    // The page at `depth` on the way down: the one the last descent passed there while the file's
    // generation stays put, else loaded.
    const ParsedIndexPage& onPath(std::size_t depth, std::uint32_t number);
    void descend();
    std::uint32_t childAt(const IndexPage& page, std::size_t slot) const;
    void descendToHigh();
    bool stepBack(RowId& row);
    // Onto a leaf, between the first entry the low bound does not leave out and the first one beyond the
    // high bound: the walk reads no key on the way.
    void enterLeaf(std::shared_ptr<const IndexLeaf> leaf, std::uint32_t number);
    void findEdges();  // afterLow_ and afterHigh_ of the bounds, once per range

    PageFile& file_;
    Version version_;
    ParsedIndexPages& pages_;
    std::uint32_t root_;
    std::uint32_t definitionPage_;
    KeyBounds bounds_;
    bool started_ = false;
    bool ended_ = false;
    std::shared_ptr<const IndexLeaf> leaf_;
    std::uint32_t leafPage_ = 0;
    std::size_t at_ = 0;   // backward: one past the entry to read next
    std::size_t end_ = 0;  // in leaf_: the first entry beyond the high bound, or its size
    // The first key after every key that starts with an exclusive low bound, or with an inclusive high bound
    // (the edges the walk stops at); false when no key comes after.
    std::string afterLow_, afterHigh_;
    bool anyAfterLow_ = false, anyAfterHigh_ = false;
    std::string key_;    // backward: the key read last
    std::string later_;  // backward: the key read before key_
    std::uint32_t leavesRead_ = 0;
    struct Step {
        std::uint32_t number = 0;
        std::uint64_t generation = 0;
        ParsedIndexPage parsed;
    };
    std::vector<Step> path_;  // the pages of the last descent, root first, for the next seek of a join
};

}  // namespace querimo::jet
