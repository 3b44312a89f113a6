#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "jet/Database.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/IndexLeaf.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/IndexRange.h"

namespace querimo::jet {

// Index pages already read, for reads that come back to the same pages (the upper levels of every lookup in
// a join, the leaves of a small table). A page counts as the same while the page file hands out the same bytes.
class ParsedIndexPages {
public:
    std::shared_ptr<const IndexPage> intermediate(PageRef bytes, Version version, std::uint32_t number);
    std::shared_ptr<const IndexLeaf> leaf(PageRef bytes, Version version, std::uint32_t number);

private:
    template <typename Page>
    struct Parsed {
        PageRef bytes;
        std::shared_ptr<const Page> page;
    };
    template <typename Page, typename Make>
    static std::shared_ptr<const Page> remembered(std::map<std::uint32_t, Parsed<Page>>& pages, PageRef bytes,
                                                  std::uint32_t number, Make make);
    static constexpr std::size_t limit = 256;  // of each kind
    std::map<std::uint32_t, Parsed<IndexPage>> intermediate_;
    std::map<std::uint32_t, Parsed<IndexLeaf>> leaves_;
};

// Walks the leaf entries of one index whose keys lie in a range, in key order, reading nothing outside the
// index but the pages on the way. A damaged index raises CorruptFile: too deep a tree, a leaf chain that runs
// in a circle, pages of another table.
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
    void restart(KeyBounds bounds);

private:
    // Where the first entry beyond the low bound (or beyond the high bound) stands, from 0 to 1.
    double position(bool high);
    PageRef load(std::uint32_t number);
    void descend();
    void enterLeaf(std::uint32_t number, PageRef bytes);

    PageFile& file_;
    Version version_;
    ParsedIndexPages& pages_;
    std::uint32_t root_;
    std::uint32_t definitionPage_;
    KeyBounds bounds_;
    bool started_ = false;
    bool ended_ = false;
    std::shared_ptr<const IndexLeaf> leaf_;
    std::size_t at_ = 0;
    std::string key_;
    std::uint32_t leavesRead_ = 0;
};

}  // namespace querimo::jet
