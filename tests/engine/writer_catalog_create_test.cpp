// New databases, stored queries and relationships, read back by our engine after reopening and by mdbtools.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet/Format.h"
#include "jet/TableDefinition.h"
#include "support/Process.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

template <typename Work>
void inStatement(jet::Database& db, Work work)
{
    db.beginStatement();
    try {
        work();
        db.commitStatement();
    } catch (...) {
        db.rollbackStatement();
        throw;
    }
}

const jet::CatalogEntry* entryNamed(const jet::Database& db, const std::string& name)
{
    for (const jet::CatalogEntry& e : db.catalog())
        if (e.name == name)
            return &e;
    return nullptr;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        out.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

TEST(WriterCreate, NewDatabaseHasTheSystemTablesBothReadersExpect)
{
    ScratchDir dir;
    for (const auto& [version, name] : {std::pair{jet::Version::Jet4, "nieuw4.mdb"}, std::pair{jet::Version::Jet3, "nieuw3.mdb"}}) {
        SCOPED_TRACE(name);
        const std::string path = dir.write(name, "") + "x";
        jet::Database::create(path, version);

        const auto db = openFile(path);
        EXPECT_EQ(db->version(), version);
        std::vector<std::string> system;
        for (const jet::CatalogEntry& e : db->catalog())
            if (e.kind == jet::ObjectKind::SystemTable)
                system.push_back(e.name);
        std::sort(system.begin(), system.end());
        EXPECT_EQ(system, (std::vector<std::string>{"MSysACEs", "MSysObjects", "MSysQueries", "MSysRelationships"}));
        EXPECT_EQ(readRows(*db, "MSysObjects").size(), 8u);
        EXPECT_EQ(readRows(*db, "MSysACEs").size(), 16u);
        EXPECT_EQ(db->table("MSysObjects").rowCount, 8u);

        const ProcessResult ver = runProcess({"mdb-ver", path});
        EXPECT_EQ(ver.out, version == jet::Version::Jet4 ? "JET4\n" : "JET3\n");
        const ProcessResult tables = runProcess({"mdb-tables", "-S", "-1", path});
        EXPECT_EQ(tables.exitCode, 0) << tables.err;
        EXPECT_EQ(tables.out, "MSysObjects\nMSysACEs\nMSysQueries\nMSysRelationships\n");
        const ProcessResult objects = runProcess({"mdb-export", path, "MSysObjects"});
        EXPECT_EQ(objects.exitCode, 0) << objects.err;
        EXPECT_EQ(lines(objects.out).size(), 9u) << objects.out;
        EXPECT_NE(objects.out.find("\"Relationships\",3,"), std::string::npos) << objects.out;
        const ProcessResult schema = runProcess({"mdb-schema", path});
        EXPECT_EQ(schema.exitCode, 0) << schema.err;
        EXPECT_TRUE(schema.err.empty()) << schema.err;
    }
}

TEST(WriterCreate, AnExistingPathIsLeftAlone)
{
    ScratchDir dir;
    const std::string path = dir.write("bestaat.mdb", "niet aanraken");
    EXPECT_THROW(jet::Database::create(path, jet::Version::Jet4), DbError);
    EXPECT_EQ(readBytes(path), "niet aanraken");
    EXPECT_THROW(jet::Database::create(dir.write("x", "") + "/in/een/map.mdb", jet::Version::Jet4), DbError);
}

// A copy of the sample's parameter query is stored, read back, listed by mdbtools and dropped again.
TEST(WriterCreate, StoredQueryRoundTripsAndDropsAgain)
{
    ScratchDir dir;
    for (const jet::Version version : bothVersions) {
        SCOPED_TRACE(version == jet::Version::Jet4 ? "Jet4" : "Jet3");
        const std::string path = makeSample(newPath(dir, version == jet::Version::Jet4 ? "v4.mdb" : "v3.mdb"), version).string();
        std::vector<jet::QueryRow> rows;
        std::uint32_t flags = 0;
        {
            const auto db = openFile(path);
            const jet::CatalogEntry* original = entryNamed(*db, "Bestellingen in periode");
            rows = db->queryRows(original->id);
            flags = original->flags;
            inStatement(*db, [&] { db->createQuery("Kopie in periode", rows); });
            EXPECT_NE(entryNamed(*db, "Kopie in periode"), nullptr);  // the catalog follows at once
            EXPECT_THROW(inStatement(*db, [&] { db->createQuery("bestellingen IN periode", rows); }), DbError);
        }
        const auto db = openFile(path);
        const jet::CatalogEntry* copy = entryNamed(*db, "Kopie in periode");
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->kind, jet::ObjectKind::Query);
        EXPECT_EQ(copy->flags, flags);
        EXPECT_LT(copy->id, 0);
        std::vector<jet::QueryRow> stored = db->queryRows(copy->id);
        ASSERT_EQ(stored.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(stored[i].attribute, rows[i].attribute);
            EXPECT_EQ(stored[i].expression, rows[i].expression);
            EXPECT_EQ(stored[i].flag, rows[i].flag);
            EXPECT_EQ(stored[i].name1, rows[i].name1);
            EXPECT_EQ(stored[i].name2, rows[i].name2);
        }
        const ProcessResult queries = runProcess({"mdb-queries", "-1", path});
        EXPECT_NE(queries.out.find("Kopie in periode"), std::string::npos) << queries.out << queries.err;

        inStatement(*db, [&] { db->dropQuery("KOPIE IN PERIODE"); });
        EXPECT_EQ(entryNamed(*db, "Kopie in periode"), nullptr);
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
        SCOPED_TRACE(version == jet::Version::Jet4 ? "Jet4" : "Jet3");
        const std::string path = makeSample(newPath(dir, version == jet::Version::Jet4 ? "v4.mdb" : "v3.mdb"), version).string();
        {
            const auto db = openFile(path);
            jet::IndexDef key;
            key.name = "fkRegelArtikel";
            key.columns = {{db->table("Bestelregel").column("ArtikelNr")->number, true}};
            inStatement(*db, [&] { db->createRelationship("Bestelregel", key, "Artikel", {}); });
            // Without a unique index on the referenced side no integrity can be kept.
            jet::IndexDef loose;
            loose.name = "fkLos";
            loose.columns = {{db->table("Bestelling").column("Opmerking")->number, true}};
            try {
                inStatement(*db, [&] { db->createRelationship("Bestelling", loose, "Klant", {"Plaats"}); });
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
        jet::PageFile file(path, false);
        const jet::Format& format = jet::Format::of(version);
        file.configure(format.pageSize, 0);
        const jet::TableLayout from = jet::readTableDefinition(file, format, child.definitionPage, "Bestelregel");
        const jet::TableLayout to = jet::readTableDefinition(file, format, db->table("Artikel").definitionPage, "Artikel");
        const std::size_t forward = static_cast<std::size_t>(index - child.indexes.begin());
        EXPECT_EQ(from.logicalIndexes[forward].relatedTable, to.def.definitionPage);
        const jet::LogicalIndexLayout& back = to.logicalIndexes.at(from.logicalIndexes[forward].relatedIndex);
        EXPECT_EQ(back.relatedTable, from.def.definitionPage);
        EXPECT_EQ(back.relatedIndex, from.logicalIndexes[forward].number);
        EXPECT_EQ(to.def.indexes.at(back.number).name.substr(0, 2), ".r");
        EXPECT_EQ(to.realIndexOf.at(back.number), to.realIndexOf.at(0));  // on the primary key's real index

        const ProcessResult relationships = runProcess({"mdb-export", path, "MSysRelationships"});
        EXPECT_NE(relationships.out.find("\"fkRegelArtikel\",0,1,0,\"Bestelregel\",\"ArtikelNr\",\"Artikel\",\"ArtikelNr\""),
                  std::string::npos)
            << relationships.out;
        EXPECT_EQ(relationships.out.find("fkLos"), std::string::npos);
        const ProcessResult objects = runProcess({"mdb-export", path, "MSysObjects"});
        EXPECT_NE(objects.out.find(",251658243,\"fkRegelArtikel\",8,"), std::string::npos);
    }
}

}  // namespace
}  // namespace querimo::test
