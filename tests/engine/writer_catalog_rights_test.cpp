// MSysACEs rows of new objects: the same rights Access gave the objects of the same kind it made in the file.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet/CatalogRows.h"
#include "jet_test_files.h"
#include "sql/Definition.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

struct RightsCase {
    const char* file;
    const char* statement;  // makes an object named Nieuw
    const char* accessMade;  // an object of the same kind Access made
    jet::CatalogType type;
};

// The rights on the object with this name and type, as (SID, mask, inheritable), sorted.
std::vector<std::tuple<std::string, std::int32_t, bool>> rightsOf(jet::Database& db, const std::string& name, jet::CatalogType type)
{
    std::int32_t id = 0;
    const jet::TableDef& objects = db.table("MSysObjects");
    for (const auto& row : readRows(db, "MSysObjects"))
        if (row[jet::columnPosition(objects, "Name")] == Value::text(name) &&
            row[jet::columnPosition(objects, "Type")] == Value::int16(static_cast<std::int16_t>(type)))
            id = static_cast<std::int32_t>(row[jet::columnPosition(objects, "Id")].integer);
    EXPECT_NE(id, 0) << name;
    std::vector<std::tuple<std::string, std::int32_t, bool>> rights;
    const jet::TableDef& aces = db.table("MSysACEs");
    for (const auto& row : readRows(db, "MSysACEs")) {
        const jet::AccessRight right = jet::accessRightOf(aces, row);
        if (right.object == id)
            rights.emplace_back(right.sid, right.mask, right.inheritable);
    }
    std::sort(rights.begin(), rights.end());
    return rights;
}

class CatalogRights : public ::testing::TestWithParam<RightsCase> {};

TEST_P(CatalogRights, NewObjectsGetTheRightsAccessGivesAndLoseThemWhenDropped)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    const std::string path = dir.copyOf(GetParam().file);
    auto db = openFile(path);
    sql::runDefinition(*db, GetParam().statement);
    db = openFile(path);
    const auto made = rightsOf(*db, "Nieuw", GetParam().type);
    EXPECT_FALSE(made.empty());
    EXPECT_EQ(made, rightsOf(*db, GetParam().accessMade, GetParam().type));

    if (GetParam().type == jet::CatalogType::Relationship)
        return;
    const std::size_t before = readRows(*db, "MSysACEs").size();
    sql::runDefinition(*db, GetParam().type == jet::CatalogType::Table ? "DROP TABLE Nieuw" : "DROP VIEW Nieuw");
    EXPECT_EQ(readRows(*db, "MSysACEs").size(), before - made.size());
}

const RightsCase rightsCases[] = {
    {"testV2000.mdb", "CREATE TABLE Nieuw (Nr LONG)", "Table1", jet::CatalogType::Table},
    {"testV1997.mdb", "CREATE TABLE Nieuw (Nr LONG)", "Table1", jet::CatalogType::Table},
    {"queryTestV1997.mdb", "CREATE VIEW Nieuw AS SELECT * FROM Table1", "SelectQuery", jet::CatalogType::Query},
    {"indexTestV2000.mdb", "ALTER TABLE Table1 ADD CONSTRAINT Nieuw FOREIGN KEY (otherfk1) REFERENCES Table2 (id)",
     "Table2Table1", jet::CatalogType::Relationship},
};

INSTANTIATE_TEST_SUITE_P(Files, CatalogRights, ::testing::ValuesIn(rightsCases));

}  // namespace
}  // namespace querimo::test
