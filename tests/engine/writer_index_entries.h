#pragma once
// Every index of a file checked against its rows, below the engine.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Error.h"
#include "engine/writer_file_pages.h"
#include "writer_rows_support.h"

namespace writertest {

struct IndexEntriesOutcome {
    int verified = 0;
    int refused = 0;
    int unsupported = 0;  // entries of an index on a column kind the encoder refuses (a complex column)
};

// Every real index of every table is a sound tree whose usage map (where it has one) marks exactly its pages and
// whose entries hold the keys encoded from the rows they point to, unless the encoder refuses a character it
// cannot encode.
inline IndexEntriesOutcome checkIndexEntries(const std::filesystem::path& path)
{
    using namespace querimo::jet;
    IndexEntriesOutcome total;
    const auto db = querimo::test::openFile(path.string());
    FilePages file(path);
    for (const CatalogEntry& entry : db->catalog()) {
        if (entry.kind != ObjectKind::Table && entry.kind != ObjectKind::SystemTable) continue;
        const TableLayout layout = file.table(db->table(entry.name).definitionPage, entry.name);
        for (const RealIndexLayout& real : layout.realIndexes) {
            SCOPED_TRACE(path.filename().string() + " / " + entry.name + ", root page "
                         + std::to_string(real.firstPage));
            const IndexWalk walk = file.walk(real);
            EXPECT_EQ(walk.problem, "");
            std::string mismatch;
            for (const IndexEntry& leaf : walk.leaves) {
                IndexKey key;
                try {
                    key = keyOfRow(db->version(), layout, real.columns, file.rowOf(layout, leaf));
                } catch (const querimo::DbError&) {
                    ++total.unsupported;
                    continue;
                }
                if (!key.encodable())
                    ++total.refused;
                else if (key.bytes == leaf.key)
                    ++total.verified;
                else if (mismatch.empty())
                    mismatch = "stored " + hex(leaf.key) + " encoded " + hex(key.bytes);
            }
            EXPECT_EQ(mismatch, "");
        }
    }
    return total;
}

}  // namespace writertest
