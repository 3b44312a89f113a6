#include <gtest/gtest.h>

#include "core/Error.h"
#include "engine/writer_file_pages.h"
#include "support/Corpus.h"
#include "jet/IndexPages.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

// Every index page Access wrote, split into entries and laid out again with the prefix it used, gives the same
// bytes up to the end of its entries (what follows is whatever Access left there).
TEST(CorpusIndexPages, RebuiltPagesEqualStoredPages)
{
    const char* const files[] = {"testIndexCodesV1997.mdb", "indexTestV1997.mdb",     "compIndexTestV1997.mdb", "northwind-jet4.mdb",
                                 "indexTestV2000.mdb",      "compIndexTestV2000.mdb", "testIndexPropertiesV2000.mdb"};
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
            const std::size_t prefix = layout.prefixLengthSize == 1 ? view.u8(layout.prefixLength) : view.u16(layout.prefixLength);
            const std::vector<std::uint8_t> rebuilt = buildIndexPage(parsed, file.version(), prefix);
            const std::size_t used = stored->size() - view.u16(2);
            ASSERT_LE(used, stored->size());
            EXPECT_TRUE(std::equal(stored->begin(), stored->begin() + static_cast<std::ptrdiff_t>(used), rebuilt.begin()))
                << name << " page " << n;
            ++pages;
        }
        EXPECT_GT(pages, 0) << name;
    }
}

TEST(IndexPages, SharedPrefixIsTakenFromTheKeysAndOverfullPagesAreRefused)
{
    IndexPage page;
    page.type = leafIndexPageType;
    page.definitionPage = 42;
    for (std::uint8_t i = 0; i < 10; ++i) page.entries.push_back({std::string("\x7F\x80\x00\x00", 4) + static_cast<char>(i), 100, i, 0});
    const auto bytes = buildIndexPage(page, Version::Jet4);
    const IndexPage back = parseIndexPage(ByteView(bytes.data(), bytes.size()), Version::Jet4);
    ASSERT_EQ(back.entries.size(), page.entries.size());
    for (std::size_t i = 0; i < page.entries.size(); ++i) {
        EXPECT_EQ(back.entries[i].key, page.entries[i].key);
        EXPECT_EQ(back.entries[i].dataRow, page.entries[i].dataRow);
        EXPECT_EQ(back.entries[i].dataPage, 100u);
    }
    EXPECT_EQ(bytes[24], 4);  // the four bytes all keys share
    EXPECT_EQ(back.definitionPage, 42u);

    for (int i = 0; i < 400; ++i) page.entries.push_back({std::string(20, static_cast<char>(i)), 7, 1, 0});
    EXPECT_THROW(buildIndexPage(page, Version::Jet3), DbError);
}

}  // namespace
