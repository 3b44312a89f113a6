#include "jet/tables/IndexWalk.h"

#include <algorithm>

#include "jet/pages/Corruption.h"

namespace querimo::jet {

namespace {

// Deeper than any index Access makes.
constexpr int maxDepth = 16;

// The first entry whose key is not below `key`.
std::size_t firstNotBelow(const ParsedIndexPage& parsed, std::string_view key)
{
    if (!parsed.keys->empty()) return parsed.keys->firstNotBelow(key);
    const IndexPage& page = *parsed.intermediate;
    const auto at = std::lower_bound(page.entries.begin(), page.entries.end(), key,
                                     [](const IndexEntry& entry, std::string_view k) { return bytesBelow(entry.key, k); });
    return static_cast<std::size_t>(at - page.entries.begin());
}

// The first key after every key that starts with `start`, into `after`: its last byte below 0xFF one up, the
// bytes after it gone. False when every byte is 0xFF (nothing comes after).
bool afterStart(const std::string& start, std::string& after)
{
    after.assign(start);
    while (!after.empty() && static_cast<unsigned char>(after.back()) == 0xFF) after.pop_back();
    if (after.empty()) return false;
    after.back() = static_cast<char>(static_cast<unsigned char>(after.back()) + 1);
    return true;
}

// Checks on the way down from the root: not deeper than any index Access makes, every page of this table.
void refuseDepth(int depth, std::uint32_t root)
{
    if (depth > maxDepth)
        corrupt("de index met hoofdpagina " + std::to_string(root) + " is te diep of verwijst in een kring");
}

bool isLeaf(const PageRef& bytes)
{
    return !bytes->empty() && (*bytes)[0] == leafIndexPageType;
}

void refuseOtherTable(const IndexPage& page, std::uint32_t definitionPage, std::uint32_t number)
{
    if (page.definitionPage != definitionPage)
        corrupt("indexpagina " + std::to_string(number) + " hoort bij een andere tabel");
}

}  // namespace

ParsedIndexPage ParsedIndexPages::parse(const PageRef& bytes, Version version)
{
    ParsedIndexPage parsed;
    if (isLeaf(bytes))
        parsed.leaf = std::make_shared<const IndexLeaf>(bytes, version);
    else {
        auto page = std::make_shared<const IndexPage>(parseIndexPage(ByteView(bytes->data(), bytes->size()), version));
        auto keys = std::make_shared<PackedKeys>();
        keys->reserve(page->entries.size());
        for (const IndexEntry& entry : page->entries)
            if (!keys->add(entry.key)) break;
        parsed.intermediate = std::move(page);
        parsed.keys = std::move(keys);
    }
    return parsed;
}

const ParsedIndexPage& ParsedIndexPages::page(PageFile& file, Version version, std::uint32_t number)
{
    const auto found = pages_.find(number);
    if (found != pages_.end()) {
        Entry& entry = found->second;
        if (entry.generation != file.generation()) {
            if (file.changed(number) || file.page(number) != entry.bytes) {
                ages_.erase(entry.age);
                pages_.erase(found);
                return page(file, version, number);
            }
            entry.generation = file.generation();
        }
        ages_.splice(ages_.begin(), ages_, entry.age);
        return entry.parsed;
    }
    PageRef bytes = file.page(number);
    if (file.changed(number)) {
        changing_ = parse(bytes, version);
        return changing_;
    }
    ParsedIndexPage parsed = parse(bytes, version);
    if (pages_.size() >= limit_) {
        pages_.erase(ages_.back());
        ages_.pop_back();
    }
    ages_.push_front(number);
    Entry& entry = pages_[number];
    entry = Entry{std::move(bytes), std::move(parsed), file.generation(), ages_.begin()};
    return entry.parsed;
}

IndexWalk::IndexWalk(PageFile& file, Version version, ParsedIndexPages& pages, std::uint32_t root,
                     std::uint32_t definitionPage, KeyBounds bounds)
    : file_(file), version_(version), pages_(pages), root_(root), definitionPage_(definitionPage),
      bounds_(std::move(bounds))
{}

const ParsedIndexPage& IndexWalk::load(std::uint32_t number)
{
    if (number == 0 || number >= file_.pageCount())
        corrupt("een index verwijst naar pagina " + std::to_string(number) + ", die niet bestaat");
    return pages_.page(file_, version_, number);
}

const ParsedIndexPage& IndexWalk::onPath(std::size_t depth, std::uint32_t number)
{
    if (depth < path_.size()) {
        const Step& step = path_[depth];
        if (step.number == number && step.generation == file_.generation()) return step.parsed;
    }
    const ParsedIndexPage& parsed = load(number);
    // A changed page may change again without the generation moving: never kept.
    if (file_.changed(number)) return parsed;
    if (path_.capacity() == 0) path_.reserve(maxDepth + 1);  // never moves after: what descend holds stays put
    if (path_.size() <= depth) path_.resize(depth + 1);
    path_[depth] = Step{number, file_.generation(), parsed};
    return path_[depth].parsed;
}

void IndexWalk::findEdges()
{
    anyAfterLow_ = bounds_.low && !bounds_.low->inclusive && afterStart(bounds_.low->bytes, afterLow_);
    anyAfterHigh_ = bounds_.high && bounds_.high->inclusive && afterStart(bounds_.high->bytes, afterHigh_);
}

// An inclusive bound takes the keys that start with it, an exclusive one leaves them out.
void IndexWalk::enterLeaf(std::shared_ptr<const IndexLeaf> leaf, std::uint32_t number)
{
    leaf_ = std::move(leaf);
    leafPage_ = number;
    if (leaf_->definitionPage() != definitionPage_) corrupt("een indexpagina hoort bij een andere tabel");
    const IndexLeaf& page = *leaf_;
    const auto& low = bounds_.low;
    const auto& high = bounds_.high;
    if (!low)
        at_ = 0;
    else if (low->inclusive)
        at_ = page.firstNotBelow(low->bytes);
    else
        at_ = anyAfterLow_ ? page.firstNotBelow(afterLow_) : page.size();
    if (!high)
        end_ = page.size();
    else if (!high->inclusive)
        end_ = page.firstNotBelow(high->bytes);
    else
        end_ = anyAfterHigh_ ? page.firstNotBelow(afterHigh_) : page.size();
}

// The child at `slot` of an intermediate page; past its entries, its last child.
std::uint32_t IndexWalk::childAt(const IndexPage& page, std::size_t slot) const
{
    if (slot < page.entries.size()) return page.entries[slot].childPage;
    if (page.tailPage != 0) return page.tailPage;
    if (!page.entries.empty()) return page.entries.back().childPage;
    corrupt("een tussenpagina van de index met hoofdpagina " + std::to_string(root_) + " is leeg");
}

// Down to the leaf that holds the first key of the range: under each intermediate page the first child
// whose last key is not below the low bound, else its last child.
void IndexWalk::descend()
{
    const std::string_view low = bounds_.low ? std::string_view(bounds_.low->bytes) : std::string_view();
    std::uint32_t number = root_;
    for (int depth = 0;; ++depth) {
        refuseDepth(depth, root_);
        const ParsedIndexPage& parsed = onPath(static_cast<std::size_t>(depth), number);
        if (parsed.leaf) {
            enterLeaf(parsed.leaf, number);
            return;
        }
        const IndexPage& page = *parsed.intermediate;
        refuseOtherTable(page, definitionPage_, number);
        const std::size_t slot = firstNotBelow(parsed, low);
        number = childAt(page, slot);
    }
}

// Down to the leaf that holds the last key of the range: under each intermediate page the first child whose
// last key is beyond the high bound (the keys before it end below that bound), else its last child.
void IndexWalk::descendToHigh()
{
    std::uint32_t number = root_;
    for (int depth = 0;; ++depth) {
        refuseDepth(depth, root_);
        const ParsedIndexPage& parsed = load(number);
        if (parsed.leaf) {
            enterLeaf(parsed.leaf, number);
            at_ = end_;
            key_.clear();
            later_.clear();
            return;
        }
        const IndexPage& page = *parsed.intermediate;
        refuseOtherTable(page, definitionPage_, number);
        const auto slot = static_cast<std::size_t>(
            std::partition_point(page.entries.begin(), page.entries.end(),
                                 [&](const IndexEntry& entry) { return !bounds_.afterHigh(entry.key); })
            - page.entries.begin());
        number = childAt(page, slot);
    }
}

// The entry before the last one read, along the previous-page chain. A previous page must name the page it
// comes from as its next one, and keys must not rise on the way down: a damaged chain ends in an error, never
// in rows handed out twice.
bool IndexWalk::stepBack(RowId& row)
{
    later_.swap(key_);  // the entry read before, after the next one in key order; key_ keeps a buffer
    while (!ended_) {
        if (at_ == 0) {
            const std::uint32_t previous = leaf_->previousPage();
            if (previous == 0) {
                ended_ = true;
                break;
            }
            if (++leavesRead_ > file_.pageCount() || previous == leafPage_)
                corrupt("de bladpagina's van de index met hoofdpagina " + std::to_string(root_) + " vormen een kring");
            const std::uint32_t from = leafPage_;
            const ParsedIndexPage& parsed = load(previous);
            if (!parsed.leaf) corrupt("een bladpagina van een index heeft een ander paginatype");
            if (parsed.leaf->nextPage() != from)
                corrupt("de bladpagina's van de index met hoofdpagina " + std::to_string(root_)
                        + " verwijzen niet naar elkaar terug");
            enterLeaf(parsed.leaf, previous);
            at_ = leaf_->size();
            continue;
        }
        RowId found = 0;
        leaf_->entry(--at_, key_, found);
        if (!later_.empty() && later_ < key_)
            corrupt("de sleutels van de index met hoofdpagina " + std::to_string(root_) + " staan niet op volgorde");
        if (bounds_.afterHigh(key_)) {
            later_.swap(key_);
            continue;
        }
        if (bounds_.beforeLow(key_)) {
            ended_ = true;
            break;
        }
        row = found;
        return true;
    }
    leaf_.reset();
    key_.clear();
    later_.clear();
    return false;
}

double IndexWalk::share()
{
    const double from = bounds_.low ? position(false) : 0;
    const double to = bounds_.high ? position(true) : 1;
    return std::clamp(to - from, 0.0, 1.0);
}

double IndexWalk::position(bool high)
{
    const auto beyond = [&](const std::string& key) { return high ? bounds_.afterHigh(key) : !bounds_.beforeLow(key); };
    double start = 0, width = 1;
    std::uint32_t number = root_;
    for (int depth = 0;; ++depth) {
        refuseDepth(depth, root_);
        const ParsedIndexPage& parsed = load(number);
        if (parsed.leaf) {
            const std::shared_ptr<const IndexLeaf> leaf = parsed.leaf;
            std::size_t low = 0, top = leaf->size();
            std::string key;
            RowId row = 0;
            while (low < top) {
                const std::size_t middle = low + (top - low) / 2;
                leaf->entry(middle, key, row);
                if (beyond(key))
                    top = middle;
                else
                    low = middle + 1;
            }
            return start
                   + width * static_cast<double>(low) / static_cast<double>(std::max<std::size_t>(leaf->size(), 1));
        }
        const std::shared_ptr<const IndexPage> page = parsed.intermediate;
        refuseOtherTable(*page, definitionPage_, number);
        // An entry holds the last key under its child: the first child whose last key is beyond the bound.
        const auto slot =
            static_cast<std::size_t>(std::partition_point(page->entries.begin(), page->entries.end(),
                                                          [&](const IndexEntry& entry) { return !beyond(entry.key); })
                                     - page->entries.begin());
        const std::size_t children = page->entries.size() + (page->tailPage != 0 ? 1 : 0);
        if (children == 0)
            corrupt("een tussenpagina van de index met hoofdpagina " + std::to_string(root_) + " is leeg");
        if (slot >= children) return start + width;
        width /= static_cast<double>(children);
        start += width * static_cast<double>(slot);
        number = slot < page->entries.size() ? page->entries[slot].childPage : page->tailPage;
    }
}

void IndexWalk::restart(const KeyBounds& bounds)
{
    bounds_ = bounds;  // into the room of the bounds before
    started_ = false;
    ended_ = false;
    leaf_.reset();
    at_ = 0;
    key_.clear();
    later_.clear();
    leavesRead_ = 0;
}

bool IndexWalk::next(RowId& row)
{
    if (!started_) {
        started_ = true;
        findEdges();
        if (bounds_.backward)
            descendToHigh();
        else
            descend();
    }
    if (bounds_.backward) return stepBack(row);
    while (!ended_) {
        if (at_ >= end_) {
            const std::uint32_t following = leaf_->nextPage();
            if (end_ < leaf_->size() || following == 0) {
                ended_ = true;
                break;
            }
            if (++leavesRead_ > file_.pageCount())
                corrupt("de bladpagina's van de index met hoofdpagina " + std::to_string(root_) + " vormen een kring");
            const ParsedIndexPage& parsed = load(following);
            if (!parsed.leaf) corrupt("een bladpagina van een index heeft een ander paginatype");
            enterLeaf(parsed.leaf, following);
            continue;
        }
        row = leaf_->row(at_++);
        return true;
    }
    leaf_.reset();
    return false;
}

}  // namespace querimo::jet
