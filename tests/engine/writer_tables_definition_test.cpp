// Every table definition Access wrote in the corpus, against what our writer makes of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>

#include "engine/writer_file_pages.h"
#include "engine/writer_index_walk.h"
#include "jet/TableDefinitionWriter.h"
#include "jet/UsageMap.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

// Calls check(file, layout) for every table, system tables too, of every corpus file.
template <typename Check>
void forEveryCorpusTable(Check check)
{
    for (const auto& path : test::corpusFiles()) {
        const auto db = test::openFile(path.string());
        writertest::FilePages file(path);
        for (const CatalogEntry& entry : db->catalog()) {
            if (entry.kind != ObjectKind::Table && entry.kind != ObjectKind::SystemTable) continue;
            SCOPED_TRACE(path.filename().string() + " / " + entry.name);
            check(file, file.table(db->table(entry.name).definitionPage, entry.name));
        }
    }
}

// Offsets where two pages differ within the first `used` bytes, as "offset: stored/written" pairs.
std::string differences(const PageBytes& stored, const PageBytes& written, std::size_t used)
{
    std::ostringstream out;
    int shown = 0;
    for (std::size_t i = 0; i < used && shown < 12; ++i)
        if (stored[i] != written[i]) {
            out << i << ": " << std::hex << int(stored[i]) << "/" << int(written[i]) << std::dec << "  ";
            ++shown;
        }
    return out.str();
}

// Every table definition read and written back gives the bytes Access stored.
TEST(TableDefinitionWriter, RewritesEveryCorpusDefinitionByteForByte)
{
    QUERIMO_REQUIRE_CORPUS();
    int tables = 0, pages = 0;
    forEveryCorpusTable([&](writertest::FilePages& file, const TableLayout& layout) {
        const std::vector<std::uint8_t> bytes = encodeTableDefinition(file.format(), layout);
        const std::vector<std::uint32_t> chain = definitionPageChain(file.pages(), layout.def.definitionPage);
        ASSERT_EQ(definitionPageCount(file.format(), bytes.size()), chain.size());
        const std::vector<PageBytes> written = definitionPages(file.format(), bytes, chain);
        std::size_t left = bytes.size() + 8 * (chain.size() - 1);
        for (std::size_t i = 0; i < chain.size(); ++i) {
            const std::size_t used = std::min(left, file.format().pageSize);
            left -= used;
            const PageRef stored = file.pages().page(chain[i]);
            EXPECT_TRUE(std::equal(stored->begin(), stored->begin() + used, written[i].begin()))
                << "page " << chain[i] << " " << differences(*stored, written[i], used);
            ++pages;
        }
        ++tables;
    });
    EXPECT_GT(tables, 150);
    EXPECT_GT(pages, tables);
}

// The real indexes read from every table definition: each root is an index page of the table and a sound
// tree whose usage map (where it has one) marks exactly its pages; each logical index points at a real
// index with its own columns.
TEST(RealIndexLayout, RootsAreIndexPagesOfTheirTable)
{
    QUERIMO_REQUIRE_CORPUS();
    int roots = 0;
    forEveryCorpusTable([&](writertest::FilePages& file, const TableLayout& layout) {
        for (const RealIndexLayout& real : layout.realIndexes) {
            ASSERT_GT(real.firstPage, 0u);
            ASSERT_LT(real.firstPage, file.pages().pageCount());
            const PageRef page = file.pages().page(real.firstPage);
            EXPECT_EQ(parseIndexPage(ByteView(page->data(), page->size()), file.version()).definitionPage, layout.def.definitionPage);
            EXPECT_FALSE(real.columns.empty());
            ++roots;
            const writertest::IndexWalk walk = writertest::IndexWalker(file.pages(), file.version()).walk(real.firstPage);
            EXPECT_EQ(walk.problem, "") << "root page " << real.firstPage;
            if (real.usedPagesMap != 0) {
                std::vector<std::uint32_t> owned = walk.pages;
                std::sort(owned.begin(), owned.end());
                EXPECT_EQ(usageMapPages(file.pages(), file.format(), real.usedPagesMap), owned) << "root page " << real.firstPage;
            }
        }
        ASSERT_EQ(layout.realIndexOf.size(), layout.def.indexes.size());
        for (std::size_t i = 0; i < layout.def.indexes.size(); ++i) {
            const int real = layout.realIndexOf[i];
            ASSERT_GE(real, 0);
            ASSERT_LT(static_cast<std::size_t>(real), layout.realIndexes.size());
            const auto& columns = layout.realIndexes[static_cast<std::size_t>(real)].columns;
            ASSERT_EQ(columns.size(), layout.def.indexes[i].columns.size());
            for (std::size_t c = 0; c < columns.size(); ++c) {
                EXPECT_EQ(columns[c].columnNumber, layout.def.indexes[i].columns[c].columnNumber);
                EXPECT_EQ(columns[c].ascending, layout.def.indexes[i].columns[c].ascending);
            }
        }
    });
    EXPECT_GT(roots, 100);
}

}  // namespace
