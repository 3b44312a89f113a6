#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "engine/jet_test_files.h"
#include "engine/writer_file_pages.h"
#include "engine/writer_index_walk.h"
#include "jet/IndexTree.h"
#include "support/MadeDatabase.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

struct EntryOrder {
    bool operator()(const IndexEntry& a, const IndexEntry& b) const { return indexEntryBefore(a, b); }
};
using Model = std::set<IndexEntry, EntryOrder>;

// New pages at the end of the file; released ones are handed out again.
struct GrowingPages {
    PageFile& file;
    std::vector<std::uint32_t> released;
    int inUse = 0;

    IndexPageSource source()
    {
        return IndexPageSource{[this] {
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
                               }};
    }
};

// One tree per change, flushed at once, as the writer uses it: every change goes through the page bytes.
void insertEntry(PageFile& file, Version version, std::uint32_t root, GrowingPages& pages, const IndexEntry& entry)
{
    IndexTree tree(file, version, root, pages.source());
    tree.insert(entry);
    tree.flush();
}

bool removeEntry(PageFile& file, Version version, std::uint32_t root, GrowingPages& pages, const IndexEntry& entry)
{
    IndexTree tree(file, version, root, pages.source());
    const bool found = tree.remove(entry);
    tree.flush();
    return found;
}

void expectTreeHolds(PageFile& file, Version version, std::uint32_t root, const Model& model)
{
    writertest::IndexWalker walker(file, version);
    const writertest::IndexWalk walk = walker.walk(root);
    ASSERT_EQ(walk.problem, "");
    ASSERT_EQ(walk.leaves.size(), model.size());
    auto expected = model.begin();
    for (const IndexEntry& entry : walk.leaves) {
        ASSERT_EQ(writertest::hex(entry.key), writertest::hex(expected->key));
        ASSERT_EQ(entry.dataPage, expected->dataPage);
        ASSERT_EQ(entry.dataRow, expected->dataRow);
        ++expected;
    }
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
    const std::string path = scratch.write("plek", "") + ".mdb";
    writertest::FilePages made(test::makeDatabase(path, GetParam().version));
    PageFile& file = made.pages();
    const Version version = GetParam().version;
    GrowingPages pages{file, {}, 0};
    const std::uint32_t root = file.append();
    IndexTree::writeEmptyRoot(file, version, root, 2);

    std::mt19937 random(20261206);
    const auto randomEntry = [&] {
        std::uniform_int_distribution<std::size_t> length(GetParam().minKey, GetParam().maxKey);
        std::string key(1, '\x7F');
        const std::size_t n = length(random);
        for (std::size_t i = 0; i < n; ++i) key += static_cast<char>('a' + random() % 3);  // many shared prefixes
        return IndexEntry{key, static_cast<std::uint32_t>(1 + random() % 3000), static_cast<std::uint8_t>(random() % 256), 0};
    };
    Model model;
    int deepest = 0;
    for (int batch = 0; batch < 20; ++batch) {
        for (int op = 0; op < 200; ++op) {
            if (model.empty() || random() % 10 < 6) {
                const IndexEntry entry = randomEntry();
                if (!model.insert(entry).second) continue;
                insertEntry(file, version, root, pages, entry);
            } else {
                auto victim = model.begin();
                std::advance(victim, static_cast<std::ptrdiff_t>(random() % model.size()));
                ASSERT_TRUE(removeEntry(file, version, root, pages, *victim));
                model.erase(victim);
            }
        }
        SCOPED_TRACE("batch " + std::to_string(batch));
        expectTreeHolds(file, version, root, model);
        deepest = std::max(deepest, writertest::IndexWalker(file, version).walk(root).depth);

        IndexTree tree(file, version, root, pages.source());
        const IndexEntry probe = *std::next(model.begin(), static_cast<std::ptrdiff_t>(random() % model.size()));
        std::vector<IndexEntry> equal;
        for (const IndexEntry& e : model)
            if (e.key == probe.key) equal.push_back(e);
        const std::vector<IndexEntry> found = tree.find(probe.key);
        ASSERT_EQ(found.size(), equal.size());
        for (std::size_t i = 0; i < found.size(); ++i) EXPECT_FALSE(indexEntryBefore(found[i], equal[i]) || indexEntryBefore(equal[i], found[i]));
        EXPECT_TRUE(tree.find(std::string("\x7F" "zz", 3)).empty());
    }
    EXPECT_GE(deepest, GetParam().maxKey > 100 ? 3 : 2);

    const IndexEntry absent{std::string("\x7F" "b", 2), 99999, 1, 0};
    EXPECT_FALSE(removeEntry(file, version, root, pages, absent));
    while (!model.empty()) {
        ASSERT_TRUE(removeEntry(file, version, root, pages, *model.begin()));
        model.erase(model.begin());
    }
    expectTreeHolds(file, version, root, model);
    EXPECT_EQ(pages.inUse, 0) << "every page the tree took was given back";
    const PageRef emptyRoot = file.page(root);
    EXPECT_EQ((*emptyRoot)[0], leafIndexPageType);
}

INSTANTIATE_TEST_SUITE_P(Keys, IndexTreeRandom,
                         ::testing::Values(RandomCase{Version::Jet3, 1, 12}, RandomCase{Version::Jet3, 100, 200},
                                           RandomCase{Version::Jet4, 1, 12}, RandomCase{Version::Jet4, 150, 400}));

// An index Access built, emptied entry by entry in random order and filled again in another random order,
// holds exactly the entries it held, in a sound tree. Access's own trees pass the same walk first.
TEST(AccessIndexRebuilt, HoldsTheSameEntries)
{
    const std::pair<const char*, const char*> tables[] = {{"compIndexTestV1997.mdb", "Table1"}, {"indexTestV1997.mdb", "Table1"},
                                                          {"compIndexTestV2000.mdb", "Table1"}, {"northwind-jet4.mdb", "Order Details"},
                                                          {"northwind-jet4.mdb", "Orders"}};
    for (const auto& [name, table] : tables) QUERIMO_REQUIRE_CORPUS_FILE(name);
    for (const auto& [name, table] : tables) {
        SCOPED_TRACE(std::string(name) + " / " + table);
        const test::ScratchDir scratch;
        const std::string path = scratch.copyOf(name);
        const auto db = test::openCorpus(name);
        writertest::FilePages copy(path);
        PageFile& file = copy.pages();
        const Version version = copy.version();
        const TableLayout layout = copy.table(db->table(table).definitionPage, table);
        ASSERT_FALSE(layout.realIndexes.empty());
        GrowingPages pages{file, {}, 0};
        std::mt19937 random(7);
        for (const RealIndexLayout& real : layout.realIndexes) {
            SCOPED_TRACE("root page " + std::to_string(real.firstPage));
            const writertest::IndexWalk access = writertest::IndexWalker(file, version).walk(real.firstPage);
            ASSERT_EQ(access.problem, "");
            ASSERT_FALSE(access.leaves.empty());
            const Model original(access.leaves.begin(), access.leaves.end());
            ASSERT_EQ(original.size(), access.leaves.size());

            std::vector<IndexEntry> order = access.leaves;
            std::shuffle(order.begin(), order.end(), random);
            Model model = original;
            for (std::size_t i = 0; i < order.size(); ++i) {
                ASSERT_TRUE(removeEntry(file, version, real.firstPage, pages, order[i]));
                model.erase(order[i]);
                if (i % 97 == 0) expectTreeHolds(file, version, real.firstPage, model);
            }
            expectTreeHolds(file, version, real.firstPage, model);

            std::shuffle(order.begin(), order.end(), random);
            for (const IndexEntry& entry : order) insertEntry(file, version, real.firstPage, pages, entry);
            expectTreeHolds(file, version, real.firstPage, original);
        }
    }
}

}  // namespace
