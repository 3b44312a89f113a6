// New databases, stored queries and relationships, read back by our engine after reopening and by mdbtools.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet/Format.h"
#include "jet/TableDefinition.h"
#include "jet_test_files.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

std::unique_ptr<jet::Database> openFile(const std::string& path)
{
    jet::OpenOptions options;
    options.path = path;
    return jet::Database::open(options);
}

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

TEST(WriterCreate, StoredQueryRoundTripsAndDropsAgain)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    for (const char* file : {"queryTestV2000.mdb", "queryTestV1997.mdb"}) {
        SCOPED_TRACE(file);
        const std::string path = dir.copyOf(file);
        std::vector<jet::QueryRow> rows;
        {
            const auto db = openFile(path);
            rows = db->queryRows(entryNamed(*db, "UpdateQuery")->id);
            inStatement(*db, [&] { db->createQuery("Bijwerken kopie", rows); });
            EXPECT_NE(entryNamed(*db, "Bijwerken kopie"), nullptr);  // the catalog follows at once
            EXPECT_THROW(inStatement(*db, [&] { db->createQuery("updatequery", rows); }), DbError);
        }
        const auto db = openFile(path);
        const jet::CatalogEntry* copy = entryNamed(*db, "Bijwerken kopie");
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->kind, jet::ObjectKind::Query);
        EXPECT_EQ(copy->flags, 48u);  // an update query, as Access flags it
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
        EXPECT_NE(queries.out.find("Bijwerken kopie"), std::string::npos) << queries.out << queries.err;

        inStatement(*db, [&] { db->dropQuery("BIJWERKEN KOPIE"); });
        EXPECT_EQ(entryNamed(*db, "Bijwerken kopie"), nullptr);
        EXPECT_THROW(inStatement(*db, [&] { db->dropQuery("Bijwerken kopie"); }), DbError);
        const auto reopened = openFile(path);
        EXPECT_EQ(entryNamed(*reopened, "Bijwerken kopie"), nullptr);
        EXPECT_NE(entryNamed(*reopened, "UpdateQuery"), nullptr);
        EXPECT_EQ(runProcess({"mdb-queries", "-1", path}).out.find("Bijwerken kopie"), std::string::npos);
    }
}

TEST(WriterCreate, RelationshipGetsItsRowsAndForeignKeyIndex)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    const std::string path = dir.copyOf("northwind-jet4.mdb");
    {
        const auto db = openFile(path);
        jet::IndexDef key;
        key.name = "fkVerzender";
        key.columns = {{db->table("Orders").column("ShipVia")->number, true}};
        inStatement(*db, [&] { db->createRelationship("Orders", key, "Shippers", {}); });
        // Without a unique index on the referenced side no integrity can be kept.
        jet::IndexDef loose;
        loose.name = "fkLos";
        loose.columns = {{db->table("Orders").column("ShipCity")->number, true}};
        try {
            inStatement(*db, [&] { db->createRelationship("Orders", loose, "Customers", {"City"}); });
            ADD_FAILURE() << "relationship without a unique key was accepted";
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), errc::integrity);
        }
    }
    const auto db = openFile(path);
    const jet::TableDef& orders = db->table("Orders");
    const auto index = std::find_if(orders.indexes.begin(), orders.indexes.end(),
                                    [](const jet::IndexDef& i) { return i.name == "fkVerzender"; });
    ASSERT_NE(index, orders.indexes.end());
    EXPECT_TRUE(index->foreignKey);
    // The referenced table holds the other half: a hidden entry on its key that points back.
    jet::PageFile file(path, false);
    const jet::Format& format = jet::Format::of(jet::Version::Jet4);
    file.configure(format.pageSize, 0);
    const jet::TableLayout child = jet::readTableDefinition(file, format, orders.definitionPage, "Orders");
    const jet::TableLayout parent = jet::readTableDefinition(file, format, db->table("Shippers").definitionPage, "Shippers");
    const std::size_t forward = static_cast<std::size_t>(index - orders.indexes.begin());
    EXPECT_EQ(child.logicalIndexes[forward].relatedTable, parent.def.definitionPage);
    const jet::LogicalIndexLayout& back = parent.logicalIndexes.at(child.logicalIndexes[forward].relatedIndex);
    EXPECT_EQ(back.relatedTable, child.def.definitionPage);
    EXPECT_EQ(back.relatedIndex, child.logicalIndexes[forward].number);
    EXPECT_EQ(parent.def.indexes.at(back.number).name.substr(0, 2), ".r");
    EXPECT_EQ(parent.realIndexOf.at(back.number), parent.realIndexOf.at(0));  // on the primary key's real index

    const ProcessResult relationships = runProcess({"mdb-export", path, "MSysRelationships"});
    EXPECT_NE(relationships.out.find("\"fkVerzender\",0,1,0,\"Orders\",\"ShipVia\",\"Shippers\",\"ShipperID\""),
              std::string::npos)
        << relationships.out;
    EXPECT_EQ(relationships.out.find("fkLos"), std::string::npos);
    const ProcessResult objects = runProcess({"mdb-export", path, "MSysObjects"});
    EXPECT_NE(objects.out.find(",251658243,\"fkVerzender\",8,"), std::string::npos);
}

}  // namespace
}  // namespace querimo::test
