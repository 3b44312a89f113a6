// The sample database as the build makes it: querimo-sql runs resources/voorbeeld.sql on a new file.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet_test_files.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

TEST(WriterSample, ScriptMakesTheSampleDatabase)
{
    if (querimoSqlPath().empty())
        GTEST_SKIP() << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    ScratchDir dir;
    const std::string path = dir.write("leeg", "") + ".mdb";
    const std::string script = std::string(QUERIMO_SOURCE_DIR) + "/resources/voorbeeld.sql";
    const ProcessResult made = runProcess({querimoSqlPath(), "--create", path, "--script", script}, 600);
    ASSERT_EQ(made.exitCode, 0) << made.err;

    jet::OpenOptions options;
    options.path = path;
    const auto db = jet::Database::open(options);
    const std::pair<const char*, std::size_t> tables[] = {{"Klant", 40}, {"Artikel", 30}, {"Bestelling", 120}, {"Bestelregel", 284}};
    for (const auto& [name, rows] : tables) {
        EXPECT_EQ(readRows(*db, name).size(), rows) << name;
        EXPECT_EQ(db->table(name).rowCount, rows) << name;
        const ProcessResult exported = runProcess({"mdb-export", path, name});
        EXPECT_EQ(std::count(exported.out.begin(), exported.out.end(), '\n'), static_cast<long>(rows + 1)) << name;
    }
    const auto hasIndex = [&](const char* table, const char* index, bool foreignKey) {
        const jet::TableDef& def = db->table(table);
        return std::any_of(def.indexes.begin(), def.indexes.end(), [&](const jet::IndexDef& i) {
            return i.name == index && i.foreignKey == foreignKey;
        });
    };
    EXPECT_TRUE(hasIndex("Klant", "idxKlantPlaats", false));
    EXPECT_TRUE(hasIndex("Bestelling", "fkBestellingKlant", true));
    int queries = 0;
    for (const jet::CatalogEntry& e : db->catalog())
        queries += e.kind == jet::ObjectKind::Query;
    EXPECT_EQ(queries, 2);
    const ProcessResult listed = runProcess({"mdb-queries", "-1", path});
    EXPECT_EQ(listed.out, "Omzet per klant\nBestellingen in periode\n") << listed.err;
    const ProcessResult relationships = runProcess({"mdb-export", path, "MSysRelationships"});
    EXPECT_NE(relationships.out.find("\"fkBestellingKlant\",0,1,0,\"Bestelling\",\"KlantNr\",\"Klant\",\"KlantNr\""),
              std::string::npos)
        << relationships.out;
}

}  // namespace
}  // namespace querimo::test
