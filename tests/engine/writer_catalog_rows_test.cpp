// MSysObjects rows for new objects, compared with the rows Access wrote for the same objects.
#include <gtest/gtest.h>

#include <limits>

#include "jet/CatalogRows.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

using jet::CatalogContext;
using jet::QueryKind;

struct Catalog {
    std::unique_ptr<jet::Database> db;
    const jet::TableDef* msysObjects = nullptr;
    CatalogContext context;

    explicit Catalog(const std::string& file) : db(openCorpus(file))
    {
        msysObjects = &db->table("MSysObjects");
        context = jet::readCatalogContext(*msysObjects, *db->scan(*msysObjects));
    }

    // Forms and reports may share a table's name: the type tells them apart.
    std::vector<Value> accessRow(const std::string& name, jet::CatalogType type) const
    {
        const std::size_t nameColumn = msysObjects->column("Name") - msysObjects->columns.data();
        const std::size_t typeColumn = msysObjects->column("Type") - msysObjects->columns.data();
        for (auto& row : readRows(*db, "MSysObjects"))
            if (row[nameColumn] == Value::text(name) && row[typeColumn] == Value::int16(static_cast<std::int16_t>(type)))
                return row;
        throw std::runtime_error("no catalog row " + name);
    }

    // Our row for an object Access made, against Access's own row: equal except the dates and the
    // properties Access keeps in the Lv columns.
    void expectSameAsAccess(const jet::CatalogObject& object) const
    {
        const std::vector<Value> access = accessRow(object.name, object.type);
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

TEST(WriterCatalogRows, ContextComesFromTheContainersAndTheHighestObjectId)
{
    for (const char* name : {"queryTestV2000.mdb", "adox_jet4.mdb", "queryTestV1997.mdb"}) QUERIMO_REQUIRE_CORPUS_FILE(name);
    const Catalog queries("queryTestV2000.mdb");
    EXPECT_EQ(queries.context.tablesContainer, 251658241);
    EXPECT_EQ(queries.context.relationshipsContainer, 251658243);
    EXPECT_EQ(queries.context.nextObjectId, -2147483630);  // DataDefinitionQuery has the highest, -2147483631
    EXPECT_EQ(queries.context.owner, std::string("\xC9\x9E", 2));  // the owner of MSysDb

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
    } stored[] = {{"SelectQuery", QueryKind::Select, -2147483640},     {"UpdateQuery", QueryKind::Update, -2147483639},
                  {"AppendQuery", QueryKind::Append, -2147483638},     {"DeleteQuery", QueryKind::Delete, -2147483636},
                  {"MakeTableQuery", QueryKind::MakeTable, -2147483635}, {"CrosstabQuery", QueryKind::Crosstab, -2147483634},
                  {"UnionQuery", QueryKind::Union, -2147483633},       {"PassthroughQuery", QueryKind::PassThrough, -2147483632},
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

}  // namespace
}  // namespace querimo::test
