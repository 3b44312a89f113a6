// New databases, stored queries and relationships: their pages against those ADOX and Access 97 wrote into new
// files, and read back by our engine after reopening and by mdbtools.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <tuple>

#include "engine/writer_file_pages.h"
#include "jet/catalog/NewDatabase.h"
#include "jet/catalog/SystemTables.h"
#include "jet/format/Format.h"
#include "jet/pages/Header.h"
#include "jet/pages/HeaderWriter.h"
#include "jet/tables/IndexPages.h"
#include "jet_test_files.h"
#include "support/Process.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

using jet::Version;

const jet::CatalogEntry* entryNamed(const jet::Database& db, const std::string& name)
{
    const auto at = std::find_if(db.catalog().begin(), db.catalog().end(),
                                 [&](const jet::CatalogEntry& e) { return e.name == name; });
    return at == db.catalog().end() ? nullptr : &*at;
}

TEST(WriterCreate, NewDatabaseHasTheSystemTablesBothReadersExpect)
{
    ScratchDir dir;
    for (const auto& [version, name] :
         {std::pair{jet::Version::Jet4, "nieuw4.mdb"}, std::pair{jet::Version::Jet3, "nieuw3.mdb"}}) {
        SCOPED_TRACE(name);
        const std::string path = newPath(dir, name);
        jet::Database::create(path, version);

        const auto db = openFile(path);
        EXPECT_EQ(db->version(), version);
        EXPECT_EQ(db->catalog().size(), 4u);  // the system tables, named as mdb-tables lists them below
        EXPECT_EQ(readRows(*db, "MSysObjects").size(), 8u);
        EXPECT_EQ(readRows(*db, "MSysACEs").size(), 16u);
        EXPECT_EQ(db->table("MSysObjects").rowCount, 8u);

        EXPECT_EQ(runProcess({"mdb-ver", path}).out, version == jet::Version::Jet4 ? "JET4\n" : "JET3\n");
        EXPECT_EQ(runProcess({"mdb-tables", "-S", "-1", path}).out,
                  "MSysObjects\nMSysACEs\nMSysQueries\nMSysRelationships\n");
        const ProcessResult objects = runProcess({"mdb-export", path, "MSysObjects"});
        EXPECT_EQ(objects.exitCode, 0) << objects.err;
        EXPECT_EQ(std::count(objects.out.begin(), objects.out.end(), '\n'), 9) << objects.out;
        EXPECT_NE(objects.out.find("\"Relationships\",3,"), std::string::npos) << objects.out;
        const ProcessResult schema = runProcess({"mdb-schema", path});
        EXPECT_TRUE(schema.exitCode == 0 && schema.err.empty()) << schema.err;
    }
}

// A copy of the sample's parameter query is stored, read back, listed by mdbtools and dropped again.
TEST(WriterCreate, StoredQueryRoundTripsAndDropsAgain)
{
    ScratchDir dir;
    for (const jet::Version version : bothVersions) {
        const std::string path = dir.sample(version);
        SCOPED_TRACE(path);
        std::vector<jet::QueryRow> rows;
        std::uint32_t flags = 0;
        {
            const auto db = openFile(path);
            const jet::CatalogEntry* original = entryNamed(*db, "Bestellingen in periode");
            rows = db->queryRows(original->id);
            flags = original->flags;
            inStatement(*db, [&] { db->createQuery("Kopie in periode", rows); });
            EXPECT_THROW(inStatement(*db, [&] { db->createQuery("bestellingen IN periode", rows); }), DbError);
        }
        const auto db = openFile(path);
        const jet::CatalogEntry* copy = entryNamed(*db, "Kopie in periode");
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(std::tuple(copy->kind, copy->flags, copy->id < 0), std::tuple(jet::ObjectKind::Query, flags, true));
        const auto fields = [](const std::vector<jet::QueryRow>& list) {
            std::vector<std::tuple<int, std::string, int, std::string, std::string>> out;
            for (const jet::QueryRow& r : list) out.emplace_back(r.attribute, r.expression, r.flag, r.name1, r.name2);
            return out;
        };
        EXPECT_EQ(fields(db->queryRows(copy->id)), fields(rows));
        const ProcessResult queries = runProcess({"mdb-queries", "-1", path});
        EXPECT_NE(queries.out.find("Kopie in periode"), std::string::npos) << queries.out << queries.err;

        inStatement(*db, [&] { db->dropQuery("KOPIE IN PERIODE"); });
        EXPECT_THROW(inStatement(*db, [&] { db->dropQuery("Kopie in periode"); }), DbError);
        const auto reopened = openFile(path);
        EXPECT_EQ(entryNamed(*reopened, "Kopie in periode"), nullptr);
        EXPECT_NE(entryNamed(*reopened, "Bestellingen in periode"), nullptr);
        EXPECT_EQ(runProcess({"mdb-queries", "-1", path}).out.find("Kopie in periode"), std::string::npos);
    }
}

// A relationship from Bestelregel to the sample's Artikel: its rows, its foreign key index and the hidden
// index on the referenced side that points back.
TEST(WriterCreate, RelationshipGetsItsRowsAndForeignKeyIndex)
{
    ScratchDir dir;
    for (const jet::Version version : bothVersions) {
        const std::string path = dir.sample(version);
        SCOPED_TRACE(path);
        {
            const auto db = openFile(path);
            const jet::IndexDef key{.name = "fkRegelArtikel",
                                    .columns = {{db->table("Bestelregel").column("ArtikelNr")->number, true}}};
            inStatement(*db, [&] { db->createRelationship("Bestelregel", key, "Artikel", {}, {}); });
            // Without a unique index on the referenced side no integrity can be kept.
            const jet::IndexDef loose{.name = "fkLos",
                                      .columns = {{db->table("Bestelling").column("Opmerking")->number, true}}};
            try {
                inStatement(*db, [&] { db->createRelationship("Bestelling", loose, "Klant", {"Plaats"}, {}); });
                ADD_FAILURE() << "relationship without a unique key was accepted";
            } catch (const DbError& e) {
                EXPECT_EQ(e.number(), errc::integrity);
            }
        }
        const auto db = openFile(path);
        const jet::TableDef& child = db->table("Bestelregel");
        const auto index = std::find_if(child.indexes.begin(), child.indexes.end(),
                                        [](const jet::IndexDef& i) { return i.name == "fkRegelArtikel"; });
        ASSERT_NE(index, child.indexes.end());
        EXPECT_TRUE(index->foreignKey);
        writertest::FilePages file(path);
        const jet::TableLayout from = file.table(child.definitionPage, "Bestelregel");
        const jet::TableLayout to = file.table(db->table("Artikel").definitionPage, "Artikel");
        const std::size_t forward = static_cast<std::size_t>(index - child.indexes.begin());
        EXPECT_EQ(from.logicalIndexes[forward].relatedTable, to.def.definitionPage);
        const jet::LogicalIndexLayout& back = to.logicalIndexes.at(from.logicalIndexes[forward].relatedIndex);
        EXPECT_EQ(std::pair(back.relatedTable, back.relatedIndex),
                  std::pair(from.def.definitionPage, from.logicalIndexes[forward].number));
        EXPECT_EQ(to.def.indexes.at(back.number).name.substr(0, 2), ".r");
        EXPECT_EQ(to.realIndexOf.at(back.number), to.realIndexOf.at(0));  // on the primary key's real index

        const ProcessResult relationships = runProcess({"mdb-export", path, "MSysRelationships"});
        EXPECT_NE(
            relationships.out.find("\"fkRegelArtikel\",0,1,0,\"Bestelregel\",\"ArtikelNr\",\"Artikel\",\"ArtikelNr\""),
            std::string::npos)
            << relationships.out;
        EXPECT_EQ(relationships.out.find("fkLos"), std::string::npos);
        const ProcessResult objects = runProcess({"mdb-export", path, "MSysObjects"});
        EXPECT_NE(objects.out.find(",251658243,\"fkRegelArtikel\",8,"), std::string::npos);
    }
}

// What Access and we must agree on in a table's definition, a line each. Access lists the columns by name, so the
// lines are sorted; it leaves leftovers in the fixed offset of variable columns.
std::vector<std::string> described(const jet::TableLayout& t)
{
    std::vector<std::string> out{"columns " + std::to_string(t.maxColumns) + " variable "
                                 + std::to_string(t.variableColumns) + " long value maps "
                                 + std::to_string(t.longValueMaps.size())};
    for (std::size_t i = 0; i < t.def.columns.size(); ++i) {
        const jet::ColumnDef& c = t.def.columns[i];
        const jet::ColumnStorage& s = t.storage[i];
        std::ostringstream line;
        line << "column " << c.number << " " << c.name << " type " << int(c.type) << " size " << c.size << " length "
             << s.length << " flags " << int(s.flags) << " variable " << s.variableIndex << " sort " << s.sortOrder
             << " offset " << (c.fixed ? s.fixedOffset : -1);
        out.push_back(line.str());
    }
    for (std::size_t i = 0; i < t.def.indexes.size(); ++i) {
        const jet::IndexDef& index = t.def.indexes[i];
        const jet::RealIndexLayout& real = t.realIndexes.at(static_cast<std::size_t>(t.realIndexOf.at(i)));
        std::ostringstream line;
        line << "index " << i << " " << index.name << " primary " << index.primaryKey << " unique " << index.unique
             << " flags " << int(real.flags) << " update " << int(t.logicalIndexes.at(i).updateAction) << " on";
        for (const jet::IndexColumn& column : real.columns) line << " " << column.columnNumber;
        out.push_back(line.str());
    }
    std::sort(out.begin(), out.end());
    return out;
}

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
    std::string access = readBytes(corpusFile("testV1997.mdb")).substr(0, 2048);
    const jet::PageBytes ours = jet::newHeaderPage(Version::Jet3, 0);
    access[0x602] = static_cast<char>(ours.at(0x602));
    EXPECT_EQ(writertest::hex({ours.begin(), ours.end()}), writertest::hex(access));
}

TEST(WriterNewDatabase, SystemTablesAreLaidOutAsAccessLaysThemOut)
{
    QUERIMO_REQUIRE_CORPUS_FILE("adox_jet4.mdb");
    QUERIMO_REQUIRE_CORPUS_FILE("testV1997.mdb");
    for (const auto& [version, name] :
         {std::pair{Version::Jet4, "adox_jet4.mdb"}, std::pair{Version::Jet3, "testV1997.mdb"}}) {
        writertest::FilePages file(corpusFile(name));
        std::uint32_t page = 2;
        for (const jet::TableLayout& ours : jet::systemTableLayouts(version)) {
            SCOPED_TRACE(ours.def.name + " in " + name);
            EXPECT_TRUE(ours.system);
            EXPECT_EQ(described(ours), described(file.table(page++, ours.def.name)));
        }
    }
}

// ADOX's empty database has the same pages in the same order (with its creation date, page 0 and the password
// mask in it are the same too). Where Access leaves leftovers the decoded contents must agree (index pages here,
// definitions above); elsewhere every byte does, but for the catalog rows' dates (page 14).
TEST(WriterNewDatabase, PagesAreTheOnesAdoxWrites)
{
    QUERIMO_REQUIRE_CORPUS_FILE("adox_jet4.mdb");
    const std::string adox = readBytes(corpusFile("adox_jet4.mdb"));
    const auto adoxPage = [&](std::size_t n) {
        return jet::PageBytes(adox.begin() + n * 4096, adox.begin() + (n + 1) * 4096);
    };
    const std::vector<jet::PageBytes> ours = jet::newDatabasePages(Version::Jet4, creationDateOf(adoxPage(0)));
    ASSERT_EQ(ours.size() * 4096, adox.size());
    for (std::size_t n : {0, 1, 6, 10, 11, 12, 13, 15}) EXPECT_EQ(ours[n], adoxPage(n)) << "page " << n;
    for (std::size_t n : {7, 8, 9}) {
        const jet::PageBytes theirs = adoxPage(n);
        const jet::IndexPage mine = jet::parseIndexPage(jet::ByteView(ours[n].data(), 4096), Version::Jet4);
        const jet::IndexPage access = jet::parseIndexPage(jet::ByteView(theirs.data(), 4096), Version::Jet4);
        EXPECT_EQ(mine.definitionPage, access.definitionPage) << "page " << n;
        EXPECT_EQ(writertest::entriesText(mine.entries), writertest::entriesText(access.entries)) << "page " << n;
    }
}

}  // namespace
}  // namespace querimo::test
