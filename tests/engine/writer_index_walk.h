#pragma once
// Walks one index's B-tree page by page and checks that it holds together: every page reached once and
// owned by the table, keys ascending across the leaves, each intermediate entry equal to its child's last
// leaf entry, a tail only beside other children, and sibling links that follow the walk.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "jet/IndexPages.h"
#include "jet/IndexTree.h"
#include "jet/PageFile.h"

namespace writertest {

struct IndexWalk {
    std::vector<querimo::jet::IndexEntry> leaves;  // every leaf entry, in the order of the tree
    std::vector<std::uint32_t> pages;              // every page of the tree
    int depth = 0;                                 // levels, the leaf level included
    std::string problem;                           // empty when the tree is sound
};

class IndexWalker {
public:
    IndexWalker(querimo::jet::PageFile& file, querimo::jet::Version version) : file_(file), version_(version) {}

    IndexWalk walk(std::uint32_t root)
    {
        walk_ = IndexWalk{};
        definitionPage_ = page(root).definitionPage;
        levels_.clear();
        seen_.clear();
        sameParent_.clear();
        leafLevels_.clear();
        visit(root, 0);
        if (leafLevels_.size() > 1) fail("leaves at different depths");
        for (std::size_t level = 0; level < levels_.size(); ++level) {
            const auto& pages = levels_[level];
            const bool leaves = level + 1 == levels_.size();
            for (std::size_t i = 0; i < pages.size(); ++i) {
                const auto& p = page(pages[i]);
                const std::uint32_t expectPrevious = i > 0 && (leaves || sameParent_.count(pages[i])) ? pages[i - 1] : 0;
                const std::uint32_t expectNext = i + 1 < pages.size() && (leaves || sameParent_.count(pages[i + 1])) ? pages[i + 1] : 0;
                if (p.previousPage != expectPrevious || p.nextPage != expectNext)
                    fail("page " + std::to_string(pages[i]) + " links " + std::to_string(p.previousPage) + "/" +
                         std::to_string(p.nextPage) + ", expected " + std::to_string(expectPrevious) + "/" +
                         std::to_string(expectNext));
            }
        }
        for (std::size_t i = 1; i < walk_.leaves.size(); ++i)
            if (!querimo::jet::indexEntryBefore(walk_.leaves[i - 1], walk_.leaves[i]))
                fail("leaf entries out of order at " + std::to_string(i));
        walk_.depth = static_cast<int>(levels_.size());
        return walk_;
    }

private:
    querimo::jet::IndexPage page(std::uint32_t number)
    {
        const auto bytes = file_.page(number);
        return querimo::jet::parseIndexPage(querimo::jet::ByteView(bytes->data(), bytes->size()), version_);
    }

    void fail(const std::string& what)
    {
        if (walk_.problem.empty()) walk_.problem = what;
    }

    // Returns the last leaf entry under the page (default when empty).
    querimo::jet::IndexEntry visit(std::uint32_t number, std::size_t level)
    {
        if (!seen_.insert(number).second || level > 16) {
            fail("page " + std::to_string(number) + " reached twice");
            return {};
        }
        walk_.pages.push_back(number);
        const auto p = page(number);
        if (p.definitionPage != definitionPage_) fail("page " + std::to_string(number) + " of another table");
        if (levels_.size() <= level) levels_.resize(level + 1);
        levels_[level].push_back(number);
        if (p.leaf()) {
            leafLevels_.insert(level);
            if (p.tailPage != 0) fail("leaf " + std::to_string(number) + " has a tail");
            walk_.leaves.insert(walk_.leaves.end(), p.entries.begin(), p.entries.end());
            if (p.entries.empty() && !walk_.pages.empty() && walk_.pages.front() != number)
                fail("empty leaf " + std::to_string(number) + " below the root");
            return p.entries.empty() ? querimo::jet::IndexEntry{} : p.entries.back();
        }
        std::vector<std::uint32_t> children;
        for (const auto& e : p.entries) children.push_back(e.childPage);
        if (p.tailPage != 0) children.push_back(p.tailPage);
        if (children.empty()) fail("intermediate page " + std::to_string(number) + " without children");
        if (p.tailPage != 0 && p.entries.empty()) fail("page " + std::to_string(number) + " has only a tail");
        if (p.tailPage == 0 && p.entries.size() > 1) fail("page " + std::to_string(number) + " lacks its tail");
        querimo::jet::IndexEntry last;
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (i > 0) sameParent_.insert(children[i]);
            last = visit(children[i], level + 1);
            if (i < p.entries.size() &&
                (p.entries[i].key != last.key || p.entries[i].dataPage != last.dataPage || p.entries[i].dataRow != last.dataRow))
                fail("entry " + std::to_string(i) + " of page " + std::to_string(number) + " is not its child's last");
        }
        return last;
    }

    querimo::jet::PageFile& file_;
    querimo::jet::Version version_;
    IndexWalk walk_;
    std::uint32_t definitionPage_ = 0;
    std::set<std::uint32_t> seen_;
    std::set<std::uint32_t> sameParent_;  // pages that have a sibling before them under the same parent
    std::vector<std::vector<std::uint32_t>> levels_;
    std::set<std::size_t> leafLevels_;
};

}  // namespace writertest
