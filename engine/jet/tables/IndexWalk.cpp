#include "jet/tables/IndexWalk.h"

#include <algorithm>

#include "jet/pages/Corruption.h"

namespace querimo::jet {

namespace {

// Deeper than any index Access makes.
constexpr int maxDepth = 16;

// The first entry whose key is not below `key`.
std::size_t firstNotBelow(const IndexPage& page, const std::string& key)
{
    const auto at = std::lower_bound(page.entries.begin(), page.entries.end(), key,
                                     [](const IndexEntry& entry, const std::string& k) { return entry.key < k; });
    return static_cast<std::size_t>(at - page.entries.begin());
}

}  // namespace

std::shared_ptr<const IndexPage> ParsedIndexPages::page(PageFile& file, Version version, std::uint32_t number)
{
    PageRef bytes = file.page(number);
    if (const auto found = pages_.find(number); found != pages_.end() && found->second.bytes == bytes)
        return found->second.page;
    if (pages_.size() >= limit) pages_.clear();
    auto parsed = std::make_shared<const IndexPage>(parseIndexPage(ByteView(bytes->data(), bytes->size()), version));
    pages_[number] = Parsed{std::move(bytes), parsed};
    return parsed;
}

IndexWalk::IndexWalk(PageFile& file, Version version, ParsedIndexPages& pages, std::uint32_t root,
                     std::uint32_t definitionPage, KeyBounds bounds)
    : file_(file), version_(version), pages_(pages), root_(root), definitionPage_(definitionPage),
      bounds_(std::move(bounds))
{}

std::shared_ptr<const IndexPage> IndexWalk::load(std::uint32_t number)
{
    if (number == 0 || number >= file_.pageCount())
        corrupt("een index verwijst naar pagina " + std::to_string(number) + ", die niet bestaat");
    auto page = pages_.page(file_, version_, number);
    if (page->definitionPage != definitionPage_)
        corrupt("indexpagina " + std::to_string(number) + " hoort bij een andere tabel");
    return page;
}

// Down to the leaf that holds the first key of the range: under each intermediate page the first child
// whose last key is not below the low bound, else its last child.
void IndexWalk::descend()
{
    const std::string low = bounds_.low ? bounds_.low->bytes : std::string();
    std::uint32_t number = root_;
    for (int depth = 0;; ++depth) {
        if (depth > maxDepth)
            corrupt("de index met hoofdpagina " + std::to_string(root_) + " is te diep of verwijst in een kring");
        auto page = load(number);
        if (page->leaf()) {
            leaf_ = std::move(page);
            at_ = firstNotBelow(*leaf_, low);
            return;
        }
        const std::size_t slot = firstNotBelow(*page, low);
        if (slot < page->entries.size())
            number = page->entries[slot].childPage;
        else if (page->tailPage != 0)
            number = page->tailPage;
        else if (!page->entries.empty())
            number = page->entries.back().childPage;
        else
            corrupt("een tussenpagina van de index met hoofdpagina " + std::to_string(root_) + " is leeg");
    }
}

bool IndexWalk::next(RowId& row)
{
    if (!started_) {
        started_ = true;
        descend();
    }
    while (!ended_) {
        if (at_ >= leaf_->entries.size()) {
            const std::uint32_t following = leaf_->nextPage;
            if (following == 0) {
                ended_ = true;
                break;
            }
            if (++leavesRead_ > file_.pageCount())
                corrupt("de bladpagina's van de index met hoofdpagina " + std::to_string(root_) + " vormen een kring");
            leaf_ = load(following);
            if (!leaf_->leaf()) corrupt("een bladpagina van een index verwijst naar een tussenpagina");
            at_ = 0;
            continue;
        }
        const IndexEntry& entry = leaf_->entries[at_++];
        if (bounds_.beforeLow(entry.key)) continue;
        if (bounds_.afterHigh(entry.key)) {
            ended_ = true;
            break;
        }
        row = entry.dataPage << 8 | entry.dataRow;
        return true;
    }
    leaf_.reset();
    return false;
}

}  // namespace querimo::jet
