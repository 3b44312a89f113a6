// The pages of a new database against those ADOX and Access 97 wrote into new files.
#include <gtest/gtest.h>

#include <cstring>

#include "jet/Format.h"
#include "jet/Header.h"
#include "jet/HeaderWriter.h"
#include "jet/IndexPages.h"
#include "jet/NewDatabase.h"
#include "jet/SystemTables.h"
#include "jet/TableDefinition.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

using jet::Version;

double creationDateOf(jet::PageBytes page0)
{
    jet::toggleHeaderMask(page0.data(), Version::Jet4);
    double created = 0;
    std::memcpy(&created, page0.data() + 0x72, sizeof created);
    return created;
}

// Page 0 of a Jet 3 file as Access 97 wrote it, but for a byte that differs between Access's own files. (ADOX's
// Jet 4 page 0 is compared with its other pages below.)
TEST(WriterHeader, Jet3HeaderIsTheOneAccess97Writes)
{
    QUERIMO_REQUIRE_CORPUS_FILE("testV1997.mdb");
    const std::string access = readBytes(corpusFile("testV1997.mdb"));
    const jet::PageBytes ours = jet::newHeaderPage(Version::Jet3, 0);
    ASSERT_EQ(ours.size(), 2048u);
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (i != 0x602) {
            ASSERT_EQ(ours[i], static_cast<std::uint8_t>(access.at(i))) << "byte " << i;
        }
    }
}

TEST(WriterNewDatabase, SystemTablesAreLaidOutAsAccessLaysThemOut)
{
    QUERIMO_REQUIRE_CORPUS_FILE("adox_jet4.mdb");
    QUERIMO_REQUIRE_CORPUS_FILE("testV1997.mdb");
    for (const auto& [version, name] : {std::pair{Version::Jet4, "adox_jet4.mdb"}, std::pair{Version::Jet3, "testV1997.mdb"}}) {
        jet::PageFile file(corpusFile(name).string(), false);
        const jet::Format& format = jet::Format::of(version);
        file.configure(format.pageSize, 0);
        std::uint32_t page = 2;
        for (const jet::TableLayout& ours : jet::systemTableLayouts(version)) {
            SCOPED_TRACE(ours.def.name + " in " + name);
            const jet::TableLayout access = jet::readTableDefinition(file, format, page++, ours.def.name);
            EXPECT_TRUE(ours.system);
            EXPECT_EQ(ours.maxColumns, access.maxColumns);
            EXPECT_EQ(ours.variableColumns, access.variableColumns);
            // Access stores the columns by name; compare them by number.
            ASSERT_EQ(ours.def.columns.size(), access.def.columns.size());
            for (std::size_t i = 0; i < access.def.columns.size(); ++i) {
                const jet::ColumnDef& theirs = access.def.columns[i];
                const jet::ColumnDef* mine = ours.def.columnByNumber(theirs.number);
                ASSERT_NE(mine, nullptr) << theirs.name;
                const jet::ColumnStorage& stored = ours.storage[static_cast<std::size_t>(mine - ours.def.columns.data())];
                EXPECT_EQ(mine->name, theirs.name);
                EXPECT_EQ(mine->type, theirs.type) << theirs.name;
                EXPECT_EQ(mine->size, theirs.size) << theirs.name;
                EXPECT_EQ(mine->fixed, theirs.fixed) << theirs.name;
                EXPECT_EQ(stored.length, access.storage[i].length) << theirs.name;
                EXPECT_EQ(stored.flags, access.storage[i].flags) << theirs.name;
                EXPECT_EQ(stored.variableIndex, access.storage[i].variableIndex) << theirs.name;
                EXPECT_EQ(stored.sortOrder, access.storage[i].sortOrder) << theirs.name;
                if (theirs.fixed) {  // Access leaves leftovers in the offset of variable columns
                    EXPECT_EQ(stored.fixedOffset, access.storage[i].fixedOffset) << theirs.name;
                }
            }
            ASSERT_EQ(ours.def.indexes.size(), access.def.indexes.size());
            for (std::size_t i = 0; i < access.def.indexes.size(); ++i) {
                const jet::IndexDef& theirs = access.def.indexes[i];
                EXPECT_EQ(ours.def.indexes[i].name, theirs.name);
                EXPECT_EQ(ours.def.indexes[i].primaryKey, theirs.primaryKey) << theirs.name;
                EXPECT_EQ(ours.def.indexes[i].unique, theirs.unique) << theirs.name;
                const jet::RealIndexLayout& mine = ours.realIndexes[static_cast<std::size_t>(ours.realIndexOf[i])];
                const jet::RealIndexLayout& real = access.realIndexes[static_cast<std::size_t>(access.realIndexOf[i])];
                EXPECT_EQ(mine.flags, real.flags) << theirs.name;
                ASSERT_EQ(mine.columns.size(), real.columns.size()) << theirs.name;
                for (std::size_t k = 0; k < real.columns.size(); ++k)
                    EXPECT_EQ(mine.columns[k].columnNumber, real.columns[k].columnNumber) << theirs.name;
                EXPECT_EQ(ours.logicalIndexes[i].updateAction, access.logicalIndexes[i].updateAction);
            }
            ASSERT_EQ(ours.longValueMaps.size(), access.longValueMaps.size());
        }
    }
}

// ADOX's empty database has the same pages in the same order (with its creation date, page 0 and the password
// mask in it are the same too). Where Access leaves leftovers (definitions, index pages) the decoded contents
// must agree; elsewhere every byte does.
TEST(WriterNewDatabase, PagesAreTheOnesAdoxWrites)
{
    QUERIMO_REQUIRE_CORPUS_FILE("adox_jet4.mdb");
    const std::string adox = readBytes(corpusFile("adox_jet4.mdb"));
    const auto adoxPage = [&](std::size_t n) { return jet::PageBytes(adox.begin() + n * 4096, adox.begin() + (n + 1) * 4096); };
    const std::vector<jet::PageBytes> ours = jet::newDatabasePages(Version::Jet4, creationDateOf(adoxPage(0)));
    ASSERT_EQ(ours.size() * 4096, adox.size());
    for (std::size_t n : {0, 1, 6, 10, 11, 12, 13, 15})
        EXPECT_EQ(ours[n], adoxPage(n)) << "page " << n;
    for (std::size_t n : {7, 8, 9}) {
        const jet::PageBytes theirs = adoxPage(n);
        const jet::IndexPage mine = jet::parseIndexPage(jet::ByteView(ours[n].data(), 4096), Version::Jet4);
        const jet::IndexPage access = jet::parseIndexPage(jet::ByteView(theirs.data(), 4096), Version::Jet4);
        EXPECT_EQ(mine.definitionPage, access.definitionPage) << "page " << n;
        ASSERT_EQ(mine.entries.size(), access.entries.size()) << "page " << n;
        for (std::size_t i = 0; i < mine.entries.size(); ++i) {
            EXPECT_EQ(mine.entries[i].key, access.entries[i].key) << "page " << n << " entry " << i;
            EXPECT_EQ(mine.entries[i].dataPage, access.entries[i].dataPage);
            EXPECT_EQ(mine.entries[i].dataRow, access.entries[i].dataRow);
        }
    }
    for (std::size_t n = 2; n <= 5; ++n)
        EXPECT_EQ(ours[n][0], 0x02) << "page " << n;  // definitions, compared field by field above
    EXPECT_EQ(ours[14][0], 0x01);  // the catalog rows: byte for byte but for the fractions of a second in the dates
}

}  // namespace
}  // namespace querimo::test
