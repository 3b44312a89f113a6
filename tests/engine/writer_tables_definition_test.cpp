#include <gtest/gtest.h>

#include <sstream>

#include "engine/writer_corpus_index.h"
#include "jet/Database.h"
#include "jet/TableDefinitionWriter.h"
#include "support/Corpus.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

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

// Every table definition of every corpus file, read and written back, gives the bytes Access stored.
TEST(TableDefinitionWriter, RewritesEveryCorpusDefinitionByteForByte)
{
    QUERIMO_REQUIRE_CORPUS();
    int tables = 0, pages = 0;
    for (const auto& path : test::corpusFiles()) {
        OpenOptions options;
        options.path = path.string();
        const auto db = Database::open(options);
        writertest::CorpusFile file(path);
        for (const CatalogEntry& entry : db->catalog()) {
            if (entry.kind != ObjectKind::Table && entry.kind != ObjectKind::SystemTable) continue;
            SCOPED_TRACE(path.filename().string() + " / " + entry.name);
            const std::uint32_t first = db->table(entry.name).definitionPage;
            const TableLayout layout = file.table(first, entry.name);
            const std::vector<std::uint8_t> bytes = encodeTableDefinition(file.format(), layout);
            const std::vector<std::uint32_t> chain = definitionPageChain(file.pages(), first);
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
        }
    }
    EXPECT_GT(tables, 150);
    EXPECT_GT(pages, tables);
}

}  // namespace
