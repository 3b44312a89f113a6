#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "engine/writer_corpus_index.h"
#include "engine/writer_index_walk.h"
#include "jet/Database.h"
#include "jet/UsageMap.h"
#include "support/Corpus.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

// The real indexes read from every table definition of the corpus: each root is an index page that
// belongs to the table, and each logical index points at a real index with its own columns.
TEST(RealIndexLayout, RootsAreIndexPagesOfTheirTable)
{
    QUERIMO_REQUIRE_CORPUS();
    int roots = 0;
    int maps = 0;
    for (const auto& path : test::corpusFiles()) {
        OpenOptions options;
        options.path = path.string();
        const auto db = Database::open(options);
        writertest::CorpusFile file(path);
        for (const CatalogEntry& entry : db->catalog()) {
            if (entry.kind != ObjectKind::Table && entry.kind != ObjectKind::SystemTable) continue;
            SCOPED_TRACE(path.filename().string() + " / " + entry.name);
            const TableLayout layout = file.table(db->table(entry.name).definitionPage, entry.name);
            for (const RealIndexLayout& real : layout.realIndexes) {
                ASSERT_GT(real.firstPage, 0u);
                ASSERT_LT(real.firstPage, file.pages().pageCount());
                const PageRef page = file.pages().page(real.firstPage);
                const IndexPage root = parseIndexPage(ByteView(page->data(), page->size()), file.version());
                EXPECT_EQ(root.definitionPage, layout.def.definitionPage) << "root page " << real.firstPage;
                EXPECT_FALSE(real.columns.empty());
                ++roots;
                const writertest::IndexWalk walk = writertest::IndexWalker(file.pages(), file.version()).walk(real.firstPage);
                EXPECT_EQ(walk.problem, "") << "root page " << real.firstPage;
                if (real.usedPagesMap != 0) {
                    std::vector<std::uint32_t> owned = walk.pages;
                    std::sort(owned.begin(), owned.end());
                    EXPECT_EQ(usageMapPages(file.pages(), file.format(), real.usedPagesMap), owned) << "root page " << real.firstPage;
                    ++maps;
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
        }
    }
    EXPECT_GT(roots, 100);
    std::cout << roots << " roots, " << maps << " with usage maps\n";
}

}  // namespace
