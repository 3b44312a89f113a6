#pragma once
// A Jet file read page by page: its table definitions and the leaf entries of a table's indexes with the
// rows they point to, so what the writer stored can be checked below the engine.
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "jet/DataPage.h"
#include "jet/Format.h"
#include "jet/Header.h"
#include "jet/IndexPages.h"
#include "jet/PageFile.h"
#include "jet/RowDecoder.h"
#include "jet/TableDefinition.h"

namespace writertest {

// Bytes as hex pairs, for failure messages.
inline std::string hex(const std::string& bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) std::snprintf(buf, sizeof buf, "%02X ", b), out += buf;
    return out;
}

struct LeafRow {
    querimo::jet::IndexEntry entry;
    std::vector<querimo::Value> row;  // the row the entry points to, in the table definition's order
};

// One chain of leaf pages (one real index) of a table, in the order the pages link.
struct LeafChain {
    std::vector<LeafRow> entries;
};

class FilePages {
public:
    explicit FilePages(const std::filesystem::path& path) : path_(path.string()), file_(path_, false)
    {
        const auto prefix = file_.readPrefix(querimo::jet::headerBytesNeeded);
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

    // Every chain of leaf pages owned by the table: found by walking all pages, then following the
    // next-page links from each leaf without a predecessor.
    std::vector<LeafChain> leafChains(const querimo::jet::TableLayout& table)
    {
        using namespace querimo::jet;
        std::map<std::uint32_t, IndexPage> leaves;
        for (std::uint32_t n = 1; n < file_.pageCount(); ++n) {
            const PageRef page = file_.page(n);
            if ((*page)[0] != leafIndexPageType) continue;
            IndexPage parsed = parseIndexPage(ByteView(page->data(), page->size()), header_.version);
            if (parsed.definitionPage == table.def.definitionPage) leaves.emplace(n, std::move(parsed));
        }
        const RowDecoder decoder(file_, *format_, table);
        std::vector<LeafChain> chains;
        for (const auto& [number, leaf] : leaves) {
            if (leaf.previousPage != 0) continue;
            LeafChain chain;
            for (auto at = leaves.find(number); at != leaves.end(); at = leaves.find(at->second.nextPage)) {
                for (const IndexEntry& entry : at->second.entries) {
                    LeafRow lr{entry, {}};
                    PageRef data = file_.page(entry.dataPage);
                    RowSlot slot = dataRow(ByteView(data->data(), data->size()), *format_, entry.dataRow);
                    if (slot.overflow) {
                        const std::uint32_t pointer = slot.bytes.u32(0);
                        data = file_.page(pointerPage(pointer));
                        slot = dataRow(ByteView(data->data(), data->size()), *format_, pointerRow(pointer), true);
                    }
                    decoder.decode(slot.bytes, lr.row);
                    chain.entries.push_back(std::move(lr));
                }
                if (at->second.nextPage == 0) break;
            }
            chains.push_back(std::move(chain));
        }
        return chains;
    }

private:
    std::string path_;
    querimo::jet::PageFile file_;
    querimo::jet::DatabaseHeader header_;
    const querimo::jet::Format* format_ = nullptr;
};

}  // namespace writertest
