// One way in for every statement: prepare parses and compiles once, knows the kind and the parameters,
// and executes again without translating again unless the tables changed.
#include <gtest/gtest.h>

#include "jet_test_files.h"
#include "sql/Sql.h"

namespace querimo {
namespace {

class Prepared : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    std::unique_ptr<jet::Database> db =
        jet::Database::open(jet::OpenOptions{scratch.sample(jet::Version::Jet4), false, ""});
};

TEST_F(Prepared, KnowsItsKindFromTheParsedStatement)
{
    const std::pair<const char*, sql::StatementKind> cases[] = {
        {"SELECT * FROM Klant", sql::StatementKind::Query},
        {"TRANSFORM Count(*) SELECT Plaats FROM Klant GROUP BY Plaats PIVOT Plaats", sql::StatementKind::Query},
        {"PARAMETERS p LONG; INSERT INTO Klant (Naam) VALUES (p)", sql::StatementKind::Insert},
        {"UPDATE Klant SET Naam = Naam", sql::StatementKind::Update},
        {"DELETE FROM Klant WHERE 1 = 0", sql::StatementKind::Delete},
        {"SELECT * INTO Kopie FROM Klant", sql::StatementKind::MakeTable},
        {"  \n\tcreate table t (a long)", sql::StatementKind::Definition},
        {"-- nieuwe tabel\n/* ja */ Drop Table t", sql::StatementKind::Definition},
    };
    for (const auto& [text, kind] : cases) EXPECT_EQ(sql::prepare(*db, text).kind(), kind) << text;
    for (const char* refused : {"Created", "DROP_X", "", "-- alleen commentaar", "SELECT * FROM [create"})
        EXPECT_THROW(sql::prepare(*db, refused), DbError) << refused;
}

TEST_F(Prepared, NamesResolveWhateverTheirLetterCase)
{
    sql::run(*db, "CREATE TABLE [Één Überzicht] (Nr LONG)");
    sql::run(*db, "INSERT INTO [ÉÉN überzicht] VALUES (1)");
    EXPECT_EQ(sql::run(*db, "SELECT Count(*) FROM [één ÜBERZICHT]").rows->value(0, 0).integer, 1);
    ASSERT_NE(db->findEntry("KLANT"), nullptr);
    EXPECT_EQ(db->findEntry("KLANT")->name, "Klant");
    EXPECT_EQ(db->findEntry("Klanten"), nullptr);
}

TEST_F(Prepared, DeclaredParametersBeforeDataDefinitionAreRefused)
{
    // Once answered "this statement changes no data" without running or refusing it.
    const DbError e = test::errorFrom([&] { sql::prepare(*db, "PARAMETERS p LONG; CREATE TABLE B (x LONG)"); });
    EXPECT_EQ(e.number(), errc::syntax);
    EXPECT_NE(e.description().find("PARAMETERS"), std::string::npos);
    EXPECT_THROW(db->table("B"), DbError);
}

TEST_F(Prepared, EveryTypeWordOfDataDefinitionDeclaresAParameter)
{
    for (const char* word : {"TINYINT", "NVARCHAR", "NTEXT", "UNIQUEIDENTIFIER", "IMAGE", "IDENTITY", "VALUE"}) {
        const std::string text = std::string("PARAMETERS p ") + word + "; SELECT p AS v";
        EXPECT_NO_THROW(sql::prepare(*db, text)) << word;
    }
    const auto p = sql::prepare(*db, "PARAMETERS p TINYINT; SELECT p AS v").parameters();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].type, sql::DataType::UnsignedTinyInt);
    const sql::StatementResult r = sql::run(*db, "PARAMETERS p TINYINT; SELECT p AS v", {{"p", "7"}});
    EXPECT_EQ(r.rows->value(0, 0), Value::byte(7));
}

TEST_F(Prepared, RunsAgainWithNewValuesAndFollowsChangedTables)
{
    sql::PreparedStatement count = sql::prepare(*db, "SELECT Count(*) FROM Klant WHERE KlantNr > [Vanaf]");
    const Value all = count.execute({{"Vanaf", "0"}}).rows->value(0, 0);
    EXPECT_GT(all.integer, 1);
    EXPECT_EQ(count.execute({{"Vanaf", "2000000000"}}).rows->value(0, 0).integer, 0);

    // A statement prepared before its table was dropped and made again reads the new table.
    sql::PreparedStatement names = sql::prepare(*db, "SELECT * FROM Klant");
    sql::run(*db, "SELECT * INTO Oud FROM Klant");
    sql::run(*db, "DROP TABLE Oud");
    sql::run(*db, "CREATE TABLE Oud (Enig TEXT(5))");
    sql::PreparedStatement old = sql::prepare(*db, "SELECT * FROM Oud");
    sql::run(*db, "DROP TABLE Oud");
    sql::run(*db, "CREATE TABLE Oud (Eerst LONG, Dan TEXT(5))");
    sql::run(*db, "INSERT INTO Oud VALUES (1, 'a')");
    const sql::StatementResult r = old.execute({});
    ASSERT_EQ(r.columns.size(), 2u);
    EXPECT_EQ(r.columns[1].name, "Dan");
    EXPECT_EQ(r.rows->rowCount(), 1u);
    EXPECT_EQ(names.execute({}).rows->rowCount(), static_cast<std::size_t>(all.integer));
}

}  // namespace
}  // namespace querimo
