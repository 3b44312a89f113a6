// MSysObjects and MSysACEs rows for new objects, compared with the rows Access wrote for the same objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <tuple>

#include "jet/catalog/CatalogRows.h"
#include "jet_test_files.h"
#include "sql/Sql.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

using jet::CatalogContext;
using jet::QueryKind;

// The MSysObjects row of the object with this name and type (forms and reports may share a table's name).
std::vector<Value> objectRow(jet::Database& db, const std::string& name, jet::CatalogType type)
{
    const jet::TableDef& objects = db.table("MSysObjects");
    for (auto& row : readRows(db, "MSysObjects"))
        if (row[jet::columnPosition(objects, "Name")] == Value::text(name)
            && row[jet::columnPosition(objects, "Type")] == Value::int16(static_cast<std::int16_t>(type)))
            return row;
    throw std::runtime_error("no catalog row " + name);
}

struct Catalog {
    std::unique_ptr<jet::Database> db;
    const jet::TableDef* msysObjects = nullptr;
    CatalogContext context;

    explicit Catalog(const std::string& file) : db(openCorpus(file))
    {
        msysObjects = &db->table("MSysObjects");
        context = jet::readCatalogContext(*msysObjects, *db->scan(*msysObjects));
    }

    // Our row for an object Access made, against Access's own row: equal except the dates and the
    // properties Access keeps in the Lv columns.
    void expectSameAsAccess(const jet::CatalogObject& object) const
    {
        const std::vector<Value> access = objectRow(*db, object.name, object.type);
        const std::vector<Value> ours = jet::catalogRow(*msysObjects, object, context.owner, 40000.5);
        ASSERT_EQ(ours.size(), access.size());
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const std::string& column = msysObjects->columns[i].name;
            if (column.rfind("Date", 0) == 0) {
                EXPECT_EQ(ours[i], Value::dateTime(40000.5)) << column;
            } else if (column.rfind("Lv", 0) != 0) {
                EXPECT_EQ(ours[i], access[i]) << object.name << ": " << column;
            }
        }
    }
};

// (Containers and owner: RowsMatchWhatAccessWrote compares the rows made with them.)
TEST(WriterCatalogRows, ContextComesFromTheContainersAndTheHighestObjectId)
{
    for (const char* name : {"queryTestV2000.mdb", "adox_jet4.mdb", "queryTestV1997.mdb"})
        QUERIMO_REQUIRE_CORPUS_FILE(name);
    const Catalog queries("queryTestV2000.mdb");
    EXPECT_EQ(queries.context.nextObjectId, -2147483630);  // DataDefinitionQuery has the highest, -2147483631

    // Nothing but tables and containers yet: the first object id.
    const Catalog empty("adox_jet4.mdb");
    EXPECT_EQ(empty.context.nextObjectId, std::numeric_limits<std::int32_t>::min());

    // A Jet 3 file reads the same way.
    const Catalog jet3("queryTestV1997.mdb");
    EXPECT_EQ(jet3.context.tablesContainer, 251658241);
    EXPECT_LT(jet3.context.nextObjectId, 0);
}

TEST(WriterCatalogRows, RowsMatchWhatAccessWrote)
{
    for (const char* name : {"queryTestV2000.mdb", "northwind-jet4.mdb"}) QUERIMO_REQUIRE_CORPUS_FILE(name);
    Catalog queries("queryTestV2000.mdb");
    queries.expectSameAsAccess(jet::tableObject(queries.context, "Table2", 25));
    const struct {
        const char* name;
        QueryKind kind;
        std::int32_t id;
    } stored[] = {{"SelectQuery", QueryKind::Select, -2147483640},
                  {"UpdateQuery", QueryKind::Update, -2147483639},
                  {"AppendQuery", QueryKind::Append, -2147483638},
                  {"DeleteQuery", QueryKind::Delete, -2147483636},
                  {"MakeTableQuery", QueryKind::MakeTable, -2147483635},
                  {"CrosstabQuery", QueryKind::Crosstab, -2147483634},
                  {"UnionQuery", QueryKind::Union, -2147483633},
                  {"PassthroughQuery", QueryKind::PassThrough, -2147483632},
                  {"DataDefinitionQuery", QueryKind::DataDefinition, -2147483631}};
    for (const auto& query : stored) {
        queries.context.nextObjectId = query.id;
        queries.expectSameAsAccess(jet::queryObject(queries.context, query.name, query.kind));
    }

    Catalog northwind("northwind-jet4.mdb");
    northwind.context.nextObjectId = -2147483533;
    northwind.expectSameAsAccess(jet::relationshipObject(northwind.context, "CustomersOrders"));
    northwind.expectSameAsAccess(jet::tableObject(northwind.context, "Orders", 301));
}

TEST(WriterCatalogRows, ObjectIdsAdvanceAndNeverRunIntoTableIds)
{
    CatalogContext context;
    context.tablesContainer = 251658241;
    context.relationshipsContainer = 251658243;
    context.nextObjectId = -3;
    EXPECT_EQ(jet::queryObject(context, "a", QueryKind::Select).id, -3);
    EXPECT_EQ(jet::relationshipObject(context, "b").id, -2);
    EXPECT_EQ(jet::queryObject(context, "c", QueryKind::Select).id, -1);
    EXPECT_THROW(jet::queryObject(context, "d", QueryKind::Select), DbError);

    // A table's id keeps only the page, as the reader takes it back.
    EXPECT_EQ(jet::tableObject(context, "t", 0x01000123).id, 0x123);
}

// The rights on the object with this name and type, as (SID, mask, inheritable), sorted.
std::vector<std::tuple<std::string, std::int32_t, bool>> rightsOf(jet::Database& db, const std::string& name,
                                                                  jet::CatalogType type)
{
    const auto id = objectRow(db, name, type)[jet::columnPosition(db.table("MSysObjects"), "Id")].integer;
    std::vector<std::tuple<std::string, std::int32_t, bool>> rights;
    const jet::TableDef& aces = db.table("MSysACEs");
    for (const auto& row : readRows(db, "MSysACEs")) {
        const jet::AccessRight right = jet::accessRightOf(aces, row);
        if (right.object == id) rights.emplace_back(right.sid, right.mask, right.inheritable);
    }
    std::sort(rights.begin(), rights.end());
    return rights;
}

// statement makes an object named Nieuw: it gets the rights sameKind has, an object of its kind, and loses them
// when dropped.
void expectRightsOfNewObject(const std::string& path, const std::string& statement, const char* sameKind,
                             jet::CatalogType type)
{
    SCOPED_TRACE(statement);
    auto db = openFile(path);
    sql::run(*db, statement);
    db = openFile(path);
    const auto made = rightsOf(*db, "Nieuw", type);
    EXPECT_FALSE(made.empty());
    EXPECT_EQ(made, rightsOf(*db, sameKind, type));
    if (type == jet::CatalogType::Relationship) return;
    const std::size_t before = readRows(*db, "MSysACEs").size();
    sql::run(*db, type == jet::CatalogType::Table ? "DROP TABLE Nieuw" : "DROP VIEW Nieuw");
    EXPECT_EQ(readRows(*db, "MSysACEs").size(), before - made.size());
}

TEST(CatalogRights, NewObjectsGetTheRightsOfTheirKindAndLoseThemWhenDropped)
{
    for (const jet::Version version : bothVersions) {
        ScratchDir dir;
        const std::string path = makeSample(newPath(dir, "voorbeeld.mdb"), version).string();
        expectRightsOfNewObject(path, "CREATE TABLE Nieuw (Nr LONG)", "Klant", jet::CatalogType::Table);
        expectRightsOfNewObject(path, "CREATE VIEW Nieuw AS SELECT * FROM Klant", "Omzet per klant",
                                jet::CatalogType::Query);
        expectRightsOfNewObject(
            path, "ALTER TABLE Bestelregel ADD CONSTRAINT Nieuw FOREIGN KEY (ArtikelNr) REFERENCES Artikel (ArtikelNr)",
            "fkBestellingKlant", jet::CatalogType::Relationship);
    }
}

// The same rights Access gave the objects of the same kind it made in its files.
TEST(CatalogRights, NewObjectsGetTheRightsAccessGives)
{
    const std::tuple<const char*, const char*, const char*, jet::CatalogType> cases[] = {
        {"testV2000.mdb", "CREATE TABLE Nieuw (Nr LONG)", "Table1", jet::CatalogType::Table},
        {"testV1997.mdb", "CREATE TABLE Nieuw (Nr LONG)", "Table1", jet::CatalogType::Table},
        {"queryTestV1997.mdb", "CREATE VIEW Nieuw AS SELECT * FROM Table1", "SelectQuery", jet::CatalogType::Query},
        {"indexTestV2000.mdb", "ALTER TABLE Table1 ADD CONSTRAINT Nieuw FOREIGN KEY (otherfk1) REFERENCES Table2 (id)",
         "Table2Table1", jet::CatalogType::Relationship}};
    for (const auto& [file, statement, accessMade, type] : cases) QUERIMO_REQUIRE_CORPUS_FILE(file);
    for (const auto& [file, statement, accessMade, type] : cases) {
        ScratchDir dir;
        expectRightsOfNewObject(dir.copyOf(file), statement, accessMade, type);
    }
}

}  // namespace

}  // namespace querimo::test
