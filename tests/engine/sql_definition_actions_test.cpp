// ON UPDATE and ON DELETE in CREATE TABLE and ALTER TABLE ... ADD CONSTRAINT: parsed, refused where Access
// has no such action, and written as Access writes them (grbit in MSysRelationships, the action bytes of both
// index entries), so mdbtools reads the same relationship.
#include <gtest/gtest.h>

#include "engine/writer_rows_cascade_support.h"
#include "jet/format/TableDefinitionLayout.h"
#include "sql/DefinitionParser.h"

namespace querimo::test {
namespace {

TEST(ReferentialActions, ParsedInEitherOrderAndRefusedWhereAccessHasNone)
{
    const auto st = sql::parseDefinition("CREATE TABLE t (a LONG REFERENCES u ON DELETE SET NULL, b LONG, c LONG, "
                                         "FOREIGN KEY (b) REFERENCES v (x) ON DELETE CASCADE ON UPDATE CASCADE, "
                                         "FOREIGN KEY (c) REFERENCES w ON UPDATE NO ACTION ON DELETE NO ACTION)");
    ASSERT_EQ(st.constraints.size(), 3u);
    EXPECT_TRUE(st.constraints[0].actions.cascadeNull);
    EXPECT_FALSE(st.constraints[0].actions.cascadeDeletes || st.constraints[0].actions.cascadeUpdates);
    EXPECT_TRUE(st.constraints[1].actions.cascadeDeletes && st.constraints[1].actions.cascadeUpdates);
    EXPECT_FALSE(st.constraints[2].actions.cascadeDeletes || st.constraints[2].actions.cascadeUpdates
                 || st.constraints[2].actions.cascadeNull);
    const auto altered =
        sql::parseDefinition("ALTER TABLE t ADD CONSTRAINT k FOREIGN KEY (a) REFERENCES u (x) ON UPDATE CASCADE");
    ASSERT_EQ(altered.constraints.size(), 1u);
    EXPECT_TRUE(altered.constraints[0].actions.cascadeUpdates);

    const std::pair<const char*, const char*> refused[] = {
        {"CREATE TABLE t (a LONG REFERENCES u ON UPDATE SET NULL)", "'CASCADE' of 'NO ACTION' verwacht"},
        {"CREATE TABLE t (a LONG REFERENCES u ON DELETE RESTRICT)", "'CASCADE', 'SET NULL' of 'NO ACTION' verwacht"},
        {"CREATE TABLE t (a LONG REFERENCES u ON DELETE CASCADE ON DELETE NO ACTION)", "ON DELETE staat er twee keer"},
        {"CREATE TABLE t (a LONG REFERENCES u ON INSERT CASCADE)", "'DELETE' verwacht"}};
    for (const auto& [text, message] : refused) {
        const DbError e = errorFrom([&] { sql::parseDefinition(text); }, text);
        EXPECT_EQ(e.number(), errc::syntax) << text;
        EXPECT_NE(e.description().find(message), std::string::npos) << e.description();
    }
}

class ReferentialActionsWritten : public ::testing::TestWithParam<jet::Version> {};

TEST_P(ReferentialActionsWritten, AsAccessWritesThemAndAsMdbtoolsReadsThem)
{
    ScratchDir dir;
    const std::string path = dir.database(
        GetParam(), {"CREATE TABLE Klant (Nr LONG PRIMARY KEY)",
                     "CREATE TABLE Beide (Nr LONG, CONSTRAINT KlantBeide FOREIGN KEY (Nr) REFERENCES Klant "
                     "ON UPDATE CASCADE ON DELETE CASCADE)",
                     "CREATE TABLE Leeg (Nr LONG CONSTRAINT KlantLeeg REFERENCES Klant (Nr) ON DELETE SET NULL)",
                     "CREATE TABLE Geen (Nr LONG CONSTRAINT KlantGeen REFERENCES Klant ON UPDATE NO ACTION)",
                     "CREATE TABLE Later (Nr LONG)",
                     "ALTER TABLE Later ADD CONSTRAINT KlantLater FOREIGN KEY (Nr) REFERENCES Klant (Nr) "
                     "ON UPDATE CASCADE"});
    const std::map<std::string, std::uint32_t> grbits = {
        {"KlantBeide", 0x1100}, {"KlantLeeg", 0x2000}, {"KlantGeen", 0}, {"KlantLater", 0x100}};
    std::map<std::string, std::uint32_t> read;
    for (const CsvRow& row : exported(path, "MSysRelationships"))
        read[row.at(0)] = static_cast<std::uint32_t>(std::stoul(row.at(1)));
    EXPECT_EQ(read, grbits);

    const ProcessResult schema = runProcess({"mdb-schema", "--relations", path, "postgres"});
    ASSERT_EQ(schema.exitCode, 0) << schema.err;
    // mdbtools' schema shows cascading updates and deletes only; the Null action is in the grbit it exported.
    const std::pair<const char*, const char*> shown[] = {
        {"\"Beide\"", "REFERENCES \"Klant\"(\"nr\") ON UPDATE CASCADE ON DELETE CASCADE"},
        {"\"Geen\"", "REFERENCES \"Klant\"(\"nr\") DEFERRABLE"},
        {"\"Later\"", "REFERENCES \"Klant\"(\"nr\") ON UPDATE CASCADE DEFERRABLE"}};
    for (const auto& [table, actions] : shown) {
        const std::size_t at = schema.out.find(std::string("ALTER TABLE ") + table);
        ASSERT_NE(at, std::string::npos) << schema.out;
        const std::string line = schema.out.substr(at, schema.out.find('\n', at) - at);
        EXPECT_NE(line.find(actions), std::string::npos) << line;
    }

    writertest::FilePages pages(path);
    const jet::TableLayout klant = pages.table("Klant");
    for (const auto& [name, grbit] : grbits) {
        const jet::TableLayout referring = pages.table(name.substr(5));
        const std::uint8_t update = (grbit & 0x100) ? jet::cascadeUpdatesAction : 0;
        const std::uint8_t remove = (grbit & 0x1000)   ? jet::cascadeDeletesAction
                                    : (grbit & 0x2000) ? jet::cascadeNullAction
                                                       : 0;
        for (std::size_t i = 0; i < referring.def.indexes.size(); ++i) {
            if (referring.def.indexes[i].name != name) continue;
            const jet::LogicalIndexLayout& forward = referring.logicalIndexes[i];
            EXPECT_EQ(forward.updateAction, update) << name;
            EXPECT_EQ(forward.deleteAction, remove) << name;
            for (const jet::LogicalIndexLayout& back : klant.logicalIndexes)
                if (back.number == forward.relatedIndex) {
                    EXPECT_EQ(back.updateAction, update) << name;
                    EXPECT_EQ(back.deleteAction, remove) << name;
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, ReferentialActionsWritten, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
}  // namespace querimo::test
