#include "jet/tables/IndexLeaf.h"

#include <algorithm>

#include "jet/pages/ByteView.h"
#include "jet/pages/Corruption.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

namespace {

constexpr std::size_t rowPointerSize = 4;  // big-endian: 3 bytes page, 1 byte row

}  // namespace

IndexLeaf::IndexLeaf(PageRef page, Version version) : page_(std::move(page))
{
    const ByteView view(page_->data(), page_->size());
    const IndexPageLayout& layout = IndexPageLayout::of(version);
    if (view.u8(0) != leafIndexPageType) corrupt("een bladpagina van een index heeft een ander paginatype");
    definitionPage_ = view.u32(4);
    nextPage_ = view.u32(layout.nextPage);
    previousPage_ = view.u32(layout.previousPage);
    prefixLength_ = layout.prefixLengthSize == 1 ? view.u8(layout.prefixLength) : view.u16(layout.prefixLength);
    firstEntry_ = layout.firstEntry;
    ends_ = indexEntryEnds(view, layout);
    if (ends_.size() > 1 && prefixLength_ > ends_.front() - firstEntry_)
        corrupt("een indexpagina heeft een onmogelijk gedeeld voorvoegsel");
    packKeys();
}

void IndexLeaf::packKeys()
{
    if (ends_.empty()) return;
    const auto* bytes = reinterpret_cast<const char*>(page_->data());
    const std::size_t firstLength = ends_[0] - firstEntry_;
    if (firstLength < rowPointerSize) return;
    const std::string_view first(bytes + firstEntry_, firstLength - rowPointerSize);
    packed_.reserve(ends_.size());
    if (!packed_.add(first)) return;
    char whole[8];
    for (std::size_t i = 1; i < ends_.size(); ++i) {
        const std::size_t own = ends_[i] - ends_[i - 1];
        if (own < rowPointerSize || prefixLength_ + own - rowPointerSize != first.size()) {
            packed_.refuse();
            return;
        }
        std::copy_n(first.data(), prefixLength_, whole);
        std::copy_n(bytes + ends_[i - 1], own - rowPointerSize, whole + prefixLength_);
        packed_.add(std::string_view(whole, first.size()));
    }
}

void IndexLeaf::entry(std::size_t i, std::string& key, RowId& row) const
{
    const auto* bytes = reinterpret_cast<const char*>(page_->data());
    const std::size_t start = i == 0 ? firstEntry_ : ends_[i - 1];
    key.clear();
    if (i > 0) key.append(bytes + firstEntry_, prefixLength_);
    key.append(bytes + start, ends_[i] - start);
    if (key.size() < rowPointerSize) corrupt("een indexpagina heeft een te korte ingang");
    const std::size_t keyEnd = key.size() - rowPointerSize;
    const auto byte = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(key[keyEnd + k]));
    };
    row = (byte(0) << 16 | byte(1) << 8 | byte(2)) << 8 | byte(3);
    key.resize(keyEnd);
}

RowId IndexLeaf::row(std::size_t i) const
{
    const std::size_t start = i == 0 ? firstEntry_ : ends_[i - 1];
    if (ends_[i] - start < rowPointerSize) {  // the pointer reaches into the shared prefix
        std::string key;
        RowId found = 0;
        entry(i, key, found);
        return found;
    }
    const std::uint8_t* pointer = page_->data() + ends_[i] - rowPointerSize;
    return (static_cast<RowId>(pointer[0]) << 16 | static_cast<RowId>(pointer[1]) << 8 | pointer[2]) << 8 | pointer[3];
}

bool IndexLeaf::keyBelow(std::size_t i, std::string_view key) const
{
    std::string whole;
    RowId row = 0;
    entry(i, whole, row);
    return whole < key;
}

bool IndexLeaf::ownBelow(std::size_t i, const Sought& sought) const
{
    const std::size_t start = i == 0 ? firstEntry_ : ends_[i - 1];
    const std::size_t length = ends_[i] - start;
    if (length < rowPointerSize) return keyBelow(i, sought.key);  // the row pointer reaches into the prefix
    if (i > 0 && sought.prefixOrder != 0) return sought.prefixOrder < 0;
    if (i > 0 && sought.key.size() <= prefixLength_) return false;  // the entry's key starts with all of it
    const std::string_view own = i == 0 ? sought.key : sought.key.substr(prefixLength_);
    const auto* bytes = reinterpret_cast<const char*>(page_->data());
    return bytesBelow(std::string_view(bytes + start, length - rowPointerSize), own);
}

// Every entry after the first starts with the page's shared prefix: `key` is held against that prefix once,
// then against each entry's own bytes where they lie.
std::size_t IndexLeaf::firstNotBelow(std::string_view key) const
{
    if (!packed_.empty()) return packed_.firstNotBelow(key);
    const std::string_view prefix(reinterpret_cast<const char*>(page_->data()) + firstEntry_, prefixLength_);
    const std::size_t shared = std::min(prefix.size(), key.size());
    const Sought sought{key, prefix.substr(0, shared).compare(key.substr(0, shared))};
    std::size_t low = 0, high = ends_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (ownBelow(middle, sought))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

}  // namespace querimo::jet
