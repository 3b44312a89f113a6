#include "jet/tables/IndexTree.h"

#include <algorithm>
#include <tuple>

#include "core/Error.h"
#include "jet/pages/Corruption.h"

namespace querimo::jet {

namespace {

// Deeper than any index Access makes; a file that leads further loops or is damaged.
constexpr int maxDepth = 16;

void checkDepth(int depth, std::uint32_t root)
{
    if (depth > maxDepth)
        corrupt("de index met hoofdpagina " + std::to_string(root) + " is te diep of verwijst in een kring");
}

bool sameEntry(const IndexEntry& a, const IndexEntry& b)
{
    return a.key == b.key && a.dataPage == b.dataPage && a.dataRow == b.dataRow;
}

IndexEntry pointingTo(IndexEntry last, std::uint32_t child)
{
    last.childPage = child;
    return last;
}

}  // namespace

bool indexEntryBefore(const IndexEntry& a, const IndexEntry& b)
{
    return std::tie(a.key, a.dataPage, a.dataRow) < std::tie(b.key, b.dataPage, b.dataRow);
}

IndexTree::IndexTree(PageFile& file, Version version, std::uint32_t root, IndexPageSource pages)
    : file_(file), version_(version), root_(root), pages_(std::move(pages))
{}

void IndexTree::writeEmptyRoot(PageFile& file, Version version, std::uint32_t page, std::uint32_t definitionPage)
{
    IndexPage empty;
    empty.type = leafIndexPageType;
    empty.definitionPage = definitionPage;
    const std::vector<std::uint8_t> bytes = buildIndexPage(empty, version);
    PageBytes& target = file.change(page);
    std::copy(bytes.begin(), bytes.end(), target.begin());
}

IndexPage& IndexTree::load(std::uint32_t number)
{
    if (const auto at = loaded_.find(number); at != loaded_.end()) return at->second;
    if (number == 0) corrupt("een index verwijst naar pagina 0");
    const PageRef bytes = file_.page(number);
    IndexPage page = parseIndexPage(ByteView(bytes->data(), bytes->size()), version_);
    if (number != root_ && page.definitionPage != load(root_).definitionPage)
        corrupt("indexpagina " + std::to_string(number) + " hoort bij een andere tabel");
    return loaded_.emplace(number, std::move(page)).first->second;
}

IndexPage& IndexTree::change(std::uint32_t number)
{
    IndexPage& page = load(number);
    changed_.insert(number);
    return page;
}

std::uint32_t IndexTree::newPage(std::uint8_t type)
{
    const std::uint32_t definitionPage = load(root_).definitionPage;
    const std::uint32_t number = pages_.allocate();
    IndexPage page;
    page.type = type;
    page.definitionPage = definitionPage;
    loaded_[number] = std::move(page);
    changed_.insert(number);
    return number;
}

bool IndexTree::fits(const IndexPage& page) const
{
    try {
        buildIndexPage(page, version_);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

// The child an entry belongs under: the first whose last entry is not before it, else the tail (or, without
// one, the last child, whose last entry the caller then moves up).
std::size_t IndexTree::childSlot(const IndexPage& page, const IndexEntry& entry) const
{
    const auto at = std::lower_bound(page.entries.begin(), page.entries.end(), entry, indexEntryBefore);
    const auto slot = static_cast<std::size_t>(at - page.entries.begin());
    if (slot < page.entries.size() || page.tailPage != 0) return slot;
    if (page.entries.empty()) corrupt("een tussenpagina van een index heeft geen ingangen");
    return slot - 1;
}

std::uint32_t IndexTree::childAt(const IndexPage& page, std::size_t slot) const
{
    return slot < page.entries.size() ? page.entries[slot].childPage : page.tailPage;
}

IndexEntry IndexTree::lastLeafEntry(std::uint32_t number)
{
    for (int depth = 0;; ++depth) {
        checkDepth(depth, root_);
        const IndexPage& page = load(number);
        if (page.leaf() ? page.entries.empty() : page.entries.empty() && page.tailPage == 0)
            corrupt("indexpagina " + std::to_string(number) + " is leeg");
        if (page.leaf()) return page.entries.back();
        number = page.tailPage != 0 ? page.tailPage : page.entries.back().childPage;
    }
}

// An intermediate entry repeats its child's last leaf entry.
void IndexTree::refreshSlot(std::uint32_t parent, std::size_t slot)
{
    const IndexPage& page = load(parent);
    if (slot >= page.entries.size()) return;
    const std::uint32_t child = page.entries[slot].childPage;
    const IndexEntry last = lastLeafEntry(child);
    if (!sameEntry(last, page.entries[slot])) change(parent).entries[slot] = pointingTo(last, child);
}

// Of two or more children the last is the tail; a single child is an ordinary entry.
void IndexTree::keepTailRule(std::uint32_t number)
{
    IndexPage& page = change(number);
    if (page.tailPage == 0 && page.entries.size() > 1) {
        page.tailPage = page.entries.back().childPage;
        page.entries.pop_back();
    } else if (page.tailPage != 0 && page.entries.empty()) {
        const std::uint32_t tail = page.tailPage;
        page.entries.push_back(pointingTo(lastLeafEntry(tail), tail));
        page.tailPage = 0;
    }
}

void IndexTree::insert(const IndexEntry& entry)
{
    insertUnder(root_, entry, 0);
}

std::uint32_t IndexTree::insertUnder(std::uint32_t number, const IndexEntry& entry, int depth)
{
    checkDepth(depth, root_);
    IndexPage& page = change(number);
    bool appending = false;
    if (page.leaf()) {
        const auto at = std::lower_bound(page.entries.begin(), page.entries.end(), entry, indexEntryBefore);
        if (at != page.entries.end() && sameEntry(*at, entry))
            corrupt("de index met hoofdpagina " + std::to_string(root_) + " bevat deze rij al");
        const auto inserted = page.entries.insert(at, IndexEntry{entry.key, entry.dataPage, entry.dataRow, 0});
        appending = inserted + 1 == page.entries.end() && page.nextPage == 0;
    } else {
        const std::size_t slot = childSlot(page, entry);
        const std::uint32_t head = insertUnder(childAt(page, slot), entry, depth + 1);
        refreshSlot(number, slot);
        if (head != 0) {
            adopt(number, slot, head);
            appending = slot + 1 == page.entries.size() && page.nextPage == 0;
        }
    }
    if (fits(page)) return 0;
    if (number == root_) {
        nestRoot(appending);
        return 0;
    }
    return splitOff(number, appending);
}

// A page split off in front of the child at `slot` gets its entry there.
void IndexTree::adopt(std::uint32_t number, std::size_t slot, std::uint32_t head)
{
    IndexPage& page = change(number);
    page.entries.insert(page.entries.begin() + static_cast<std::ptrdiff_t>(slot),
                        pointingTo(lastLeafEntry(head), head));
    keepTailRule(number);
}

// Moves the first entries of an overfull page to a new page in front of it. When entries arrive in key
// order at the end of the index, the full page keeps all but the newest entry, as Access fills its pages.
std::uint32_t IndexTree::splitOff(std::uint32_t number, bool appending)
{
    IndexPage& page = change(number);
    const std::size_t count = page.entries.size();
    if (count < 2) throw DbError(errc::fail, "Een indexsleutel is te lang voor een indexpagina");
    const std::size_t moved = appending ? count - 1 : (count + 1) / 2;
    const std::uint32_t head = newPage(page.type);
    IndexPage& front = loaded_.at(head);
    front.entries.assign(page.entries.begin(), page.entries.begin() + static_cast<std::ptrdiff_t>(moved));
    page.entries.erase(page.entries.begin(), page.entries.begin() + static_cast<std::ptrdiff_t>(moved));

    front.previousPage = page.previousPage;
    front.nextPage = number;
    if (page.previousPage != 0) change(page.previousPage).nextPage = head;
    page.previousPage = head;

    if (!front.leaf()) {
        // Intermediate pages below link only within their parent; leaves stay one chain.
        const std::uint32_t lastMoved = front.entries.back().childPage;
        if (!load(lastMoved).leaf()) {
            change(lastMoved).nextPage = 0;
            change(childAt(page, 0)).previousPage = 0;
        }
        keepTailRule(head);
        keepTailRule(number);
    }
    return head;
}

// The root keeps its page: its entries go down to a new child, which then splits like any other page.
void IndexTree::nestRoot(bool appending)
{
    IndexPage& root = change(root_);
    const std::uint32_t child = newPage(root.type);
    IndexPage& moved = loaded_.at(child);
    moved.entries = std::move(root.entries);
    moved.tailPage = root.tailPage;
    root.entries.clear();
    root.tailPage = 0;
    root.type = intermediateIndexPageType;
    const std::uint32_t head = splitOff(child, appending);
    root.entries.push_back(pointingTo(lastLeafEntry(head), head));
    root.entries.push_back(pointingTo(lastLeafEntry(child), child));
    keepTailRule(root_);
}

bool IndexTree::remove(const IndexEntry& entry)
{
    bool found = false;
    if (removeUnder(root_, entry, found, 0).emptied) {
        IndexPage& root = change(root_);
        root.type = leafIndexPageType;
        root.entries.clear();
        root.tailPage = 0;
    }
    return found;
}

IndexTree::Removal IndexTree::removeUnder(std::uint32_t number, const IndexEntry& entry, bool& found, int depth)
{
    checkDepth(depth, root_);
    IndexPage& page = load(number);
    if (page.leaf()) {
        const auto at = std::lower_bound(page.entries.begin(), page.entries.end(), entry, indexEntryBefore);
        if (at == page.entries.end() || !sameEntry(*at, entry)) return {};
        found = true;
        changed_.insert(number);
        page.entries.erase(at);
        return {page.entries.empty(), 0};
    }
    if (page.entries.empty() && page.tailPage == 0) return {};
    const std::size_t slot = childSlot(page, entry);
    const std::uint32_t child = childAt(page, slot);
    const Removal below = removeUnder(child, entry, found, depth + 1);
    if (!found) return {};
    if (below.emptied) {
        unlink(child);
        changed_.erase(child);
        loaded_.erase(child);
        pages_.release(child);
        changed_.insert(number);
        if (slot < page.entries.size())
            page.entries.erase(page.entries.begin() + static_cast<std::ptrdiff_t>(slot));
        else
            page.tailPage = 0;
        if (page.entries.empty() && page.tailPage == 0) return {true, 0};
        keepTailRule(number);
    } else {
        // A child's new last key may share less with its neighbours' keys, so even a removal can overflow.
        refreshSlot(number, slot);
        if (below.head != 0) adopt(number, slot, below.head);
    }
    if (fits(page)) return {};
    if (number == root_) {
        nestRoot(false);
        return {};
    }
    return {false, splitOff(number, false)};
}

void IndexTree::unlink(std::uint32_t number)
{
    const IndexPage& page = load(number);
    if (page.previousPage != 0) change(page.previousPage).nextPage = page.nextPage;
    if (page.nextPage != 0) change(page.nextPage).previousPage = page.previousPage;
}

std::vector<IndexEntry> IndexTree::find(const std::string& key)
{
    const IndexEntry probe{key, 0, 0, 0};
    std::uint32_t number = root_;
    for (int depth = 0; !load(number).leaf(); ++depth) {
        checkDepth(depth, root_);
        const IndexPage& page = load(number);
        if (page.entries.empty() && page.tailPage == 0) return {};
        number = childAt(page, childSlot(page, probe));
    }
    std::vector<IndexEntry> equal;
    for (int pages = 0; number != 0; ++pages) {
        if (pages > 1 << 20)
            corrupt("de bladpagina's van de index met hoofdpagina " + std::to_string(root_) + " vormen een kring");
        const IndexPage& page = load(number);
        auto at = std::lower_bound(page.entries.begin(), page.entries.end(), probe, indexEntryBefore);
        for (; at != page.entries.end(); ++at) {
            if (at->key != key) return equal;
            equal.push_back(*at);
        }
        number = page.nextPage;
    }
    return equal;
}

void IndexTree::flush()
{
    for (const std::uint32_t number : changed_) {
        const std::vector<std::uint8_t> bytes = buildIndexPage(loaded_.at(number), version_);
        PageBytes& target = file_.change(number);
        if (target.size() != bytes.size())
            throw DbError(errc::fail, "Een indexpagina heeft niet de grootte van de databasepagina's");
        std::copy(bytes.begin(), bytes.end(), target.begin());
    }
    changed_.clear();
}

}  // namespace querimo::jet
