#pragma once
// A Jet file read page by page: its table definitions, its index trees walked and the rows their entries point
// to, so what the writer stored can be checked below the engine.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "jet/Database.h"
#include "jet/format/Format.h"
#include "jet/pages/Header.h"
#include "jet/pages/PageFile.h"
#include "jet/pages/UsageMap.h"
#include "jet/rows/DataPage.h"
#include "jet/rows/RowDecoder.h"
#include "jet/tables/IndexKey.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/IndexTree.h"
#include "jet/tables/TableDefinition.h"

namespace writertest {

// Bytes as hex pairs, for failure messages.
inline std::string hex(const std::string& bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) std::snprintf(buf, sizeof buf, "%02X ", b), out += buf;
    return out;
}

// Index entries as text, so two lists compare in one assertion that shows where they part.
inline std::vector<std::string> entriesText(const std::vector<querimo::jet::IndexEntry>& entries)
{
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(hex(e.key) + "-> " + std::to_string(e.dataPage) + ":" + std::to_string(e.dataRow));
    return out;
}

// The key an index with these columns gives a row (values in the table definition's order).
inline querimo::jet::IndexKey keyOfRow(querimo::jet::Version version, const querimo::jet::TableLayout& table,
                                       const std::vector<querimo::jet::IndexColumn>& columns,
                                       const std::vector<querimo::Value>& row)
{
    std::vector<querimo::jet::KeyColumn> keyColumns;
    std::vector<querimo::Value> values;
    for (const querimo::jet::IndexColumn& ic : columns) {
        const querimo::jet::ColumnDef* column = table.def.columnByNumber(ic.columnNumber);
        const auto position = static_cast<std::size_t>(column - table.def.columns.data());
        keyColumns.push_back(querimo::jet::keyColumn(version, table, position, ic.ascending));
        values.push_back(row[position]);
    }
    return querimo::jet::encodeIndexKey(version, keyColumns, values);
}

// One index's B-tree walked page by page, checking that it holds together: every page reached once and owned
// by the table, keys ascending across the leaves, each intermediate entry equal to its child's last leaf
// entry, a tail only beside other children, and sibling links that follow the walk.
struct IndexWalk {
    std::vector<querimo::jet::IndexEntry> leaves;  // every leaf entry, in the order of the tree
    std::vector<std::uint32_t> pages;              // every page of the tree
    int depth = 0;                                 // levels, the leaf level included
    std::string problem;                           // empty when the tree is sound
};

class IndexWalker {
public:
    IndexWalker(querimo::jet::PageFile& file, querimo::jet::Version version) : file_(file), version_(version) {}

    // One walk per walker.
    IndexWalk walk(std::uint32_t root)
    {
        definitionPage_ = page(root).definitionPage;
        visit(root, 0);
        if (leafLevels_.size() > 1) fail("leaves at different depths");
        for (std::size_t level = 0; level < levels_.size(); ++level) {
            const auto& pages = levels_[level];
            const bool leaves = level + 1 == levels_.size();
            for (std::size_t i = 0; i < pages.size(); ++i) {
                const auto& p = page(pages[i]);
                const std::uint32_t expectPrevious =
                    i > 0 && (leaves || sameParent_.count(pages[i])) ? pages[i - 1] : 0;
                const std::uint32_t expectNext =
                    i + 1 < pages.size() && (leaves || sameParent_.count(pages[i + 1])) ? pages[i + 1] : 0;
                if (p.previousPage != expectPrevious || p.nextPage != expectNext)
                    fail("page " + std::to_string(pages[i]) + " links to the wrong neighbours");
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
            if (i < p.entries.size()
                && (p.entries[i].key != last.key || p.entries[i].dataPage != last.dataPage
                    || p.entries[i].dataRow != last.dataRow))
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

class FilePages {
public:
    explicit FilePages(const std::filesystem::path& path) : path_(path.string()), file_(path_, false)
    {
        const auto prefix = file_.readPrefix(querimo::jet::header::bytesNeeded);
        header_ = querimo::jet::decodeHeader(querimo::jet::ByteView(prefix.data(), prefix.size()), path_);
        format_ = &querimo::jet::Format::of(header_.version);
        file_.configure(format_->pageSize, header_.encodingKey);
    }

    querimo::jet::Version version() const { return header_.version; }
    const querimo::jet::Format& format() const { return *format_; }
    querimo::jet::PageFile& pages() { return file_; }

    querimo::jet::TableLayout table(std::uint32_t definitionPage, const std::string& name)
    {
        return querimo::jet::readTableDefinition(file_, *format_, definitionPage, name);
    }
    // The table of that name, found through the catalog.
    querimo::jet::TableLayout table(const std::string& name)
    {
        querimo::jet::OpenOptions options;
        options.path = path_;
        return table(querimo::jet::Database::open(options)->table(name).definitionPage, name);
    }

    IndexWalk walk(std::uint32_t root) { return IndexWalker(file_, header_.version).walk(root); }
    // An index's tree walked; its usage map, where it has one, must mark exactly the tree's pages.
    IndexWalk walk(const querimo::jet::RealIndexLayout& index)
    {
        IndexWalk tree = walk(index.firstPage);
        std::vector<std::uint32_t> pages = tree.pages;
        std::sort(pages.begin(), pages.end());
        if (tree.problem.empty() && index.usedPagesMap != 0
            && querimo::jet::usageMapPages(file_, *format_, index.usedPagesMap) != pages)
            tree.problem = "the index's usage map does not mark exactly its pages";
        return tree;
    }

    // The row an index entry points to, in the table definition's order.
    std::vector<querimo::Value> rowOf(const querimo::jet::TableLayout& table, const querimo::jet::IndexEntry& entry)
    {
        using namespace querimo::jet;
        PageRef data = file_.page(entry.dataPage);
        RowSlot slot = dataRow(ByteView(data->data(), data->size()), *format_, entry.dataRow);
        if (slot.overflow) {
            const std::uint32_t pointer = slot.bytes.u32(0);
            data = file_.page(pointerPage(pointer));
            slot = dataRow(ByteView(data->data(), data->size()), *format_, pointerRow(pointer), true);
        }
        std::vector<querimo::Value> row;
        RowDecoder(file_, *format_, table).decode(slot.bytes, row);
        return row;
    }

    // How many leaf index pages of the file name the table as theirs.
    int leafPagesOf(const querimo::jet::TableLayout& table)
    {
        using namespace querimo::jet;
        int count = 0;
        for (std::uint32_t n = 1; n < file_.pageCount(); ++n) {
            const PageRef page = file_.page(n);
            count += (*page)[0] == leafIndexPageType
                     && parseIndexPage(ByteView(page->data(), page->size()), header_.version).definitionPage
                            == table.def.definitionPage;
        }
        return count;
    }

private:
    std::string path_;
    querimo::jet::PageFile file_;
    querimo::jet::DatabaseHeader header_;
    const querimo::jet::Format* format_ = nullptr;
};

}  // namespace writertest
