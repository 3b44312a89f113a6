// The page layer under the reader and the writer: decoding, the bounded cache and changed pages.
#include <gtest/gtest.h>

#include "jet/pages/Header.h"
#include "jet/pages/PageFile.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

TEST(JetPageFile, ChangedPagesKeepTheirOriginalUntilDiscarded)
{
    ScratchDir dir;
    jet::PageFile file(dir.sample(jet::Version::Jet4), true, 8);
    file.configure(4096, 0);
    const jet::PageRef before = file.page(2);
    file.change(2)[100] ^= 0xFF;
    EXPECT_EQ((*file.page(2))[100], static_cast<std::uint8_t>((*before)[100] ^ 0xFF));
    ASSERT_NE(file.original(2), nullptr);
    EXPECT_EQ(*file.original(2), *before);
    EXPECT_EQ(file.changedPages(), std::vector<std::uint32_t>{2});
    file.discardChanges();
    EXPECT_EQ(*file.page(2), *before);
    EXPECT_EQ(file.original(2), nullptr);
}

TEST(JetPageFile, WrittenPagesOfEncodedFilesAreEncodedAgain)
{
    QUERIMO_REQUIRE_CORPUS_FILE("db-enc.mdb");
    ScratchDir dir;
    const std::string path = dir.copyOf("db-enc.mdb");
    jet::PageBytes changed;
    {
        jet::PageFile file(path, true, 8);
        const auto prefix = file.readPrefix(jet::header::bytesNeeded);
        const jet::DatabaseHeader header = jet::decodeHeader(jet::ByteView(prefix.data(), prefix.size()), path);
        ASSERT_NE(header.encodingKey, 0u);
        file.configure(4096, header.encodingKey);
        jet::PageBytes& page = file.change(2);
        page[4000] ^= 0x5A;
        changed = page;
        file.writeBack(2);
        file.sync();
        EXPECT_TRUE(file.changedPages().empty());
    }
    const std::string raw = readBytes(path).substr(2 * 4096, 4096);
    EXPECT_NE(std::string(changed.begin(), changed.end()), raw);             // not stored in the clear
    const auto db = jet::Database::open(jet::OpenOptions{path, false, ""});  // the catalog page still reads
    EXPECT_EQ(readRows(*db, "Table1").size(), 2u);
}

TEST(JetPageFile, CacheStaysBoundedAndReferencesStayValid)
{
    ScratchDir dir;
    jet::PageFile file(dir.sample(jet::Version::Jet4), false, 8);
    file.configure(4096, 0);
    ASSERT_GT(file.pageCount(), 20u);
    const jet::PageRef first = file.page(1);
    const jet::PageBytes copy = *first;
    for (std::uint32_t n = 2; n < file.pageCount(); ++n) {
        file.page(n);
        EXPECT_LE(file.cachedPages(), 8u);
    }
    EXPECT_EQ(*first, copy);  // evicted from the cache, still held by the caller
    EXPECT_EQ(*file.page(1), copy);
    EXPECT_THROW(file.page(file.pageCount()), jet::CorruptFile);
}

}  // namespace
}  // namespace querimo::test
