#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/Error.h"
#include "engine/jet_test_files.h"
#include "engine/writer_file_pages.h"
#include "jet/tables/IndexTree.h"
#include "support/MadeDatabase.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

struct EntryOrder {
    bool operator()(const IndexEntry& a, const IndexEntry& b) const { return indexEntryBefore(a, b); }
};
using Model = std::set<IndexEntry, EntryOrder>;

// Trees changed one entry at a time and flushed at once, as the writer uses them: every change goes through
// the page bytes. New pages come from the end of the file; released ones are handed out again.
struct Trees {
    PageFile& file;
    Version version;
    std::vector<std::uint32_t> released;
    int inUse = 0;

    IndexTree open(std::uint32_t root)
    {
        return IndexTree(file, version, root,
                         IndexPageSource{[this] {
                                             ++inUse;
                                             if (released.empty()) return file.append();
                                             const std::uint32_t page = released.back();
                                             released.pop_back();
                                             return page;
                                         },
                                         [this](std::uint32_t page) {
                                             --inUse;
                                             std::fill(file.change(page).begin(), file.change(page).end(), 0);
                                             released.push_back(page);
                                         }});
    }
    void insert(std::uint32_t root, const IndexEntry& entry)
    {
        IndexTree tree = open(root);
        tree.insert(entry);
        tree.flush();
    }
    bool remove(std::uint32_t root, const IndexEntry& entry)
    {
        IndexTree tree = open(root);
        const bool found = tree.remove(entry);
        tree.flush();
        return found;
    }
};

void expectTreeHolds(PageFile& file, Version version, std::uint32_t root, const Model& model)
{
    const writertest::IndexWalk walk = writertest::IndexWalker(file, version).walk(root);
    ASSERT_EQ(walk.problem, "");
    ASSERT_EQ(writertest::entriesText(walk.leaves), writertest::entriesText({model.begin(), model.end()}));
}

struct RandomCase {
    Version version;
    std::size_t minKey, maxKey;  // key lengths after the flag byte
};

class IndexTreeRandom : public ::testing::TestWithParam<RandomCase> {};

// Random inserts and removes against a model: after each batch the tree holds exactly the model's entries,
// in order, and lookups of a key find all its duplicates. Long keys make trees of three and more levels.
TEST_P(IndexTreeRandom, FollowsAModel)
{
    const test::ScratchDir scratch;
    writertest::FilePages made(scratch.database(GetParam().version, {}));
    PageFile& file = made.pages();
    const Version version = GetParam().version;
    Trees trees{file, version, {}, 0};
    const std::uint32_t root = file.append();
    IndexTree::writeEmptyRoot(file, version, root, 2);

    std::mt19937 random(20261206);
    const auto randomEntry = [&] {
        std::uniform_int_distribution<std::size_t> length(GetParam().minKey, GetParam().maxKey);
        std::string key(1, '\x7F');
        const std::size_t n = length(random);
        for (std::size_t i = 0; i < n; ++i) key += static_cast<char>('a' + random() % 3);  // many shared prefixes
        return IndexEntry{key, static_cast<std::uint32_t>(1 + random() % 3000),
                          static_cast<std::uint8_t>(random() % 256), 0};
    };
    Model model;
    int deepest = 0;
    for (int batch = 0; batch < 20; ++batch) {
        for (int op = 0; op < 200; ++op) {
            if (model.empty() || random() % 10 < 6) {
                const IndexEntry entry = randomEntry();
                if (!model.insert(entry).second) continue;
                trees.insert(root, entry);
            } else {
                auto victim = model.begin();
                std::advance(victim, static_cast<std::ptrdiff_t>(random() % model.size()));
                ASSERT_TRUE(trees.remove(root, *victim));
                model.erase(victim);
            }
        }
        SCOPED_TRACE("batch " + std::to_string(batch));
        expectTreeHolds(file, version, root, model);
        deepest = std::max(deepest, writertest::IndexWalker(file, version).walk(root).depth);

        IndexTree tree = trees.open(root);
        const IndexEntry probe = *std::next(model.begin(), static_cast<std::ptrdiff_t>(random() % model.size()));
        std::vector<IndexEntry> equal;
        for (const IndexEntry& e : model)
            if (e.key == probe.key) equal.push_back(e);
        EXPECT_EQ(writertest::entriesText(tree.find(probe.key)), writertest::entriesText(equal));
        EXPECT_TRUE(tree.find(std::string("\x7F"
                                          "zz",
                                          3))
                        .empty());
    }
    EXPECT_GE(deepest, GetParam().maxKey > 100 ? 3 : 2);

    const IndexEntry absent{std::string("\x7F"
                                        "b",
                                        2),
                            99999, 1, 0};
    EXPECT_FALSE(trees.remove(root, absent));
    while (!model.empty()) {
        ASSERT_TRUE(trees.remove(root, *model.begin()));
        model.erase(model.begin());
    }
    expectTreeHolds(file, version, root, model);
    EXPECT_EQ(trees.inUse, 0) << "every page the tree took was given back";
    EXPECT_EQ((*file.page(root))[0], leafIndexPageType);

    // Entries that overfill a page are refused, not written past its end.
    IndexPage overfull;
    for (int i = 0; i < 400; ++i) overfull.entries.push_back({std::string(20, static_cast<char>(i)), 7, 1, 0});
    EXPECT_THROW(buildIndexPage(overfull, version), DbError);
}

INSTANTIATE_TEST_SUITE_P(Keys, IndexTreeRandom,
                         ::testing::Values(RandomCase{Version::Jet3, 1, 12}, RandomCase{Version::Jet3, 100, 200},
                                           RandomCase{Version::Jet4, 1, 12}, RandomCase{Version::Jet4, 150, 400}));

// Every index page Access wrote, split into entries and laid out again with the prefix it used, gives the same
// bytes up to the end of its entries (what follows is whatever Access left there).
TEST(CorpusIndexPages, RebuiltPagesEqualStoredPages)
{
    const char* const files[] = {"testIndexCodesV1997.mdb",     "indexTestV1997.mdb", "compIndexTestV1997.mdb",
                                 "northwind-jet4.mdb",          "indexTestV2000.mdb", "compIndexTestV2000.mdb",
                                 "testIndexPropertiesV2000.mdb"};
    for (const char* name : files) QUERIMO_REQUIRE_CORPUS_FILE(name);
    for (const char* name : files) {
        writertest::FilePages file(test::corpusFile(name));
        const IndexPageLayout& layout = IndexPageLayout::of(file.version());
        int pages = 0;
        for (std::uint32_t n = 1; n < file.pages().pageCount(); ++n) {
            const PageRef stored = file.pages().page(n);
            if ((*stored)[0] != leafIndexPageType && (*stored)[0] != intermediateIndexPageType) continue;
            const ByteView view(stored->data(), stored->size());
            const IndexPage parsed = parseIndexPage(view, file.version());
            const std::size_t prefix =
                layout.prefixLengthSize == 1 ? view.u8(layout.prefixLength) : view.u16(layout.prefixLength);
            const std::vector<std::uint8_t> rebuilt = buildIndexPage(parsed, file.version(), prefix);
            const std::size_t used = stored->size() - view.u16(2);
            ASSERT_LE(used, stored->size());
            EXPECT_TRUE(
                std::equal(stored->begin(), stored->begin() + static_cast<std::ptrdiff_t>(used), rebuilt.begin()))
                << name << " page " << n;
            ++pages;
        }
        EXPECT_GT(pages, 0) << name;
    }
}

}  // namespace
