#include <gtest/gtest.h>

#include "core/Text.h"
#include "engine/writer_file_pages.h"
#include "jet/Database.h"
#include "jet/IndexKey.h"
#include "jet_test_files.h"
#include "sql/Modification.h"
#include "sql/Parser.h"

using namespace querimo;
using namespace querimo::jet;
using writertest::hex;

namespace {

struct KeySpec {
    std::vector<KeyColumn> columns;
    std::vector<std::size_t> positions;  // of the key columns in a decoded row
};

KeySpec keySpec(const TableDef& table, const IndexDef& index)
{
    KeySpec spec;
    for (const IndexColumn& ic : index.columns) {
        for (std::size_t p = 0; p < table.columns.size(); ++p) {
            if (table.columns[p].number != ic.columnNumber) continue;
            spec.columns.push_back({table.columns[p].type, ic.ascending});
            spec.positions.push_back(p);
        }
    }
    return spec;
}

IndexKey encodeRow(Version version, const KeySpec& spec, const std::vector<Value>& row)
{
    std::vector<Value> values;
    for (std::size_t p : spec.positions) values.push_back(row[p]);
    return encodeIndexKey(version, spec.columns, values);
}

struct Outcome {
    int verified = 0;
    int refused = 0;
};

// Every leaf chain of every table must be one of the table's indexes: each entry's stored key equals the
// key encoded from the row it points to, unless the encoder refuses a character it does not know.
Outcome checkFile(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    Outcome total;
    OpenOptions options;
    options.path = path.string();
    auto db = Database::open(options);
    writertest::FilePages file(path);
    for (const CatalogEntry& entry : db->catalog()) {
        if (entry.kind != ObjectKind::Table) continue;
        const TableLayout layout = file.table(db->table(entry.name).definitionPage, entry.name);
        for (const auto& chain : file.leafChains(layout)) {
            SCOPED_TRACE(name + " / " + entry.name);
            for (std::size_t i = 1; i < chain.entries.size(); ++i)
                EXPECT_LE(chain.entries[i - 1].entry.key, chain.entries[i].entry.key) << "leaf order";
            const IndexDef* match = nullptr;
            Outcome best;
            std::string firstMismatch;
            for (const IndexDef& index : layout.def.indexes) {
                const KeySpec spec = keySpec(layout.def, index);
                Outcome outcome;
                std::string mismatch;
                for (const auto& leaf : chain.entries) {
                    const IndexKey key = encodeRow(db->version(), spec, leaf.row);
                    if (key.unencodable) ++outcome.refused;
                    else if (key.bytes == leaf.entry.key) ++outcome.verified;
                    else if (mismatch.empty()) mismatch = "stored " + hex(leaf.entry.key) + " encoded " + hex(key.bytes);
                }
                if (mismatch.empty() && (!match || outcome.verified > best.verified)) {
                    match = &index;
                    best = outcome;
                } else if (firstMismatch.empty()) {
                    firstMismatch = index.name + ": " + mismatch;
                }
            }
            EXPECT_TRUE(match) << "no index gives the stored keys; " << firstMismatch;
            total.verified += best.verified;
            total.refused += best.refused;
        }
    }
    return total;
}

// Every index Access filled: the keys our encoder gives the rows are the keys Access stored for them.
TEST(CorpusIndexKeys, EncodedKeysEqualStoredKeys)
{
    const char* const files[] = {"testIndexCodesV1997.mdb", "indexTestV1997.mdb", "compIndexTestV1997.mdb", "testV1997.mdb",
                                 "northwind-jet4.mdb",      "indexTestV2000.mdb", "compIndexTestV2000.mdb", "testIndexPropertiesV2000.mdb",
                                 "testV2000.mdb",           "testRefGlobalV2000.mdb"};
    for (const char* name : files) QUERIMO_REQUIRE_CORPUS_FILE(name);
    for (const char* name : files) {
        SCOPED_TRACE(name);
        const Outcome outcome = checkFile(test::corpusFile(name));
        EXPECT_GT(outcome.verified, 0);
        std::cout << name << ": " << outcome.verified << " keys verified, " << outcome.refused << " refused\n";
    }
}

// Text with accents, apostrophes, hyphens and Windows quotes written into Northwind's indexed columns: every
// index still holds exactly the keys of its rows, in key order among the keys Access wrote.
TEST(CorpusIndexKeys, KeysOfWrittenTextKeepEveryIndexInOrder)
{
    QUERIMO_REQUIRE_CORPUS_FILE("northwind-jet4.mdb");
    test::ScratchDir dir;
    const std::string path = dir.copyOf("northwind-jet4.mdb");
    {
        OpenOptions options;
        options.path = path;
        auto db = Database::open(options);
        sql::runModification(*db, sql::parseStatement("UPDATE Customers SET CompanyName = Left('''t Café ' & CompanyName, 40), "
                                                      "City = Left('''s-' & City, 15), PostalCode = '“5211”' WHERE Country <> 'USA'"), {});
        sql::runModification(*db, sql::parseStatement("UPDATE Products SET ProductName = Left('Zoë''s – ' & ProductName, 40) "
                                                      "WHERE CategoryID = 1"), {});
    }
    const Outcome outcome = checkFile(path);
    EXPECT_EQ(outcome.refused, 0);
    EXPECT_GT(outcome.verified, 13000);
}

}  // namespace
