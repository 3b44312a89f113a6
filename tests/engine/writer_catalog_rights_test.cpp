// MSysACEs rows of new objects: the rights of their kind, as Access gives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "jet/CatalogRows.h"
#include "jet_test_files.h"
#include "sql/Definition.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

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

// statement makes an object named Nieuw: it gets the rights sameKind has, an object of its kind, and loses them
// when dropped.
void expectRightsOfNewObject(const std::string& path, const std::string& statement, const char* sameKind, jet::CatalogType type)
{
    SCOPED_TRACE(statement);
    auto db = openFile(path);
    sql::runDefinition(*db, statement);
    db = openFile(path);
    const auto made = rightsOf(*db, "Nieuw", type);
    EXPECT_FALSE(made.empty());
    EXPECT_EQ(made, rightsOf(*db, sameKind, type));
    if (type == jet::CatalogType::Relationship)
        return;
    const std::size_t before = readRows(*db, "MSysACEs").size();
    sql::runDefinition(*db, type == jet::CatalogType::Table ? "DROP TABLE Nieuw" : "DROP VIEW Nieuw");
    EXPECT_EQ(readRows(*db, "MSysACEs").size(), before - made.size());
}

TEST(CatalogRights, NewObjectsGetTheRightsOfTheirKindAndLoseThemWhenDropped)
{
    for (const jet::Version version : bothVersions) {
        ScratchDir dir;
        const std::string path = makeSample(newPath(dir, "voorbeeld.mdb"), version).string();
        expectRightsOfNewObject(path, "CREATE TABLE Nieuw (Nr LONG)", "Klant", jet::CatalogType::Table);
        expectRightsOfNewObject(path, "CREATE VIEW Nieuw AS SELECT * FROM Klant", "Omzet per klant", jet::CatalogType::Query);
        expectRightsOfNewObject(path, "ALTER TABLE Bestelregel ADD CONSTRAINT Nieuw FOREIGN KEY (ArtikelNr) REFERENCES Artikel (ArtikelNr)",
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
