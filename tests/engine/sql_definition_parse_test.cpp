// Parsing of CREATE, ALTER and DROP statements: every form and the Dutch messages
// that say what is wrong and where.
#include <gtest/gtest.h>

#include "core/Error.h"
#include "jet_test_files.h"
#include "sql/Definition.h"
#include "sql/DefinitionParser.h"

namespace querimo {
namespace {

using jet::ColumnType;
using Kind = sql::DefinitionStatement::Kind;
using Constraint = sql::ConstraintClause::Kind;

std::string errorOf(const std::string& text)
{
    const DbError e = test::errorFrom([&] { sql::parseDefinition(text); }, text);
    EXPECT_EQ(e.number(), errc::syntax);
    return e.description();
}

TEST(DefinitionParse, ColumnOptionsAndConstraints)
{
    const auto st = sql::parseDefinition(
        "CREATE TABLE Bestelling (Nr COUNTER CONSTRAINT pk PRIMARY KEY, Klant TEXT(10) NOT NULL REFERENCES Klant, "
        "Code TEXT(5) UNIQUE, Naam TEXT DEFAULT 'zeg \"hoi\"', Aantal SHORT DEFAULT -1, Op DATETIME DEFAULT "
        "#1/2/2003#, "
        "Artikel LONG, Regel LONG NULL, "
        "CONSTRAINT fk FOREIGN KEY (Artikel, Regel) REFERENCES Bestelregel (ArtikelNr, RegelNr), UNIQUE (Naam, Op))");
    ASSERT_EQ(st.columns.size(), 8u);
    EXPECT_TRUE(st.columns[1].column.required);
    EXPECT_FALSE(st.columns[7].column.required);
    EXPECT_EQ(st.columns[3].column.defaultValue, "\"zeg \"\"hoi\"\"\"");
    EXPECT_EQ(st.columns[4].column.defaultValue, "-1");
    EXPECT_EQ(st.columns[5].column.defaultValue, "#1/2/2003#");
    ASSERT_EQ(st.constraints.size(), 5u);
    EXPECT_EQ(st.constraints[0].kind, Constraint::PrimaryKey);
    EXPECT_EQ(st.constraints[0].name, "pk");
    EXPECT_EQ(st.constraints[0].columns.at(0).name, "Nr");
    EXPECT_EQ(st.constraints[1].kind, Constraint::ForeignKey);
    EXPECT_EQ(st.constraints[1].referencedTable, "Klant");
    EXPECT_TRUE(st.constraints[1].referencedColumns.empty());
    EXPECT_EQ(st.constraints[2].kind, Constraint::Unique);
    EXPECT_EQ(st.constraints[3].name, "fk");
    EXPECT_EQ(st.constraints[3].columns.size(), 2u);
    EXPECT_EQ(st.constraints[3].referencedColumns, (std::vector<std::string>{"ArtikelNr", "RegelNr"}));
    EXPECT_EQ(st.constraints[4].kind, Constraint::Unique);
    EXPECT_EQ(st.constraints[4].columns.at(1).name, "Op");
}

TEST(DefinitionParse, AlterIndexDropAndPasswordForms)
{
    const std::pair<const char*, Kind> kinds[] = {{"alter table t add b long", Kind::AddColumn},
                                                  {"ALTER TABLE t DROP b", Kind::DropColumn},
                                                  {"ALTER TABLE t ADD PRIMARY KEY (a)", Kind::AddConstraint},
                                                  {"DROP VIEW v", Kind::DropView},
                                                  {"ALTER TABLE t DROP CONSTRAINT u;", Kind::DropConstraint},
                                                  {"DROP INDEX idx ON t", Kind::DropIndex}};
    for (const auto& [text, kind] : kinds) EXPECT_EQ(sql::parseDefinition(text).kind, kind) << text;

    auto st = sql::parseDefinition("ALTER TABLE t ADD COLUMN [Nieuwe kolom] TEXT(20) NOT NULL UNIQUE");
    EXPECT_EQ(st.columns.at(0).column.name, "Nieuwe kolom");
    EXPECT_EQ(st.constraints.size(), 1u);
    EXPECT_EQ(sql::parseDefinition("ALTER TABLE t DROP COLUMN b").name, "b");
    st = sql::parseDefinition("ALTER TABLE t ALTER COLUMN b DOUBLE");
    EXPECT_EQ(st.kind, Kind::AlterColumn);
    EXPECT_EQ(st.columns.at(0).column.type, ColumnType::Double);
    EXPECT_EQ(sql::parseDefinition("ALTER TABLE t ALTER b TEXT(4)").columns.at(0).column.size, 4);
    EXPECT_EQ(sql::parseDefinition("ALTER TABLE t ADD CONSTRAINT u UNIQUE (a, b)").constraints.at(0).name, "u");
    EXPECT_EQ(sql::parseDefinition("ALTER TABLE t DROP CONSTRAINT u;").name, "u");

    st = sql::parseDefinition("CREATE UNIQUE INDEX idx ON [Mijn tabel] (a DESC, b ASC, c) WITH IGNORE NULL");
    EXPECT_EQ(st.kind, Kind::CreateIndex);
    EXPECT_TRUE(st.unique && st.ignoreNull && !st.primary);
    ASSERT_EQ(st.indexColumns.size(), 3u);
    EXPECT_FALSE(st.indexColumns[0].ascending);
    EXPECT_TRUE(st.indexColumns[1].ascending);
    EXPECT_TRUE(sql::parseDefinition("CREATE INDEX p ON t (a) WITH PRIMARY").primary);
    st = sql::parseDefinition("DROP INDEX idx ON t");
    EXPECT_EQ(st.name, "idx");
    EXPECT_EQ(st.object, "t");
    EXPECT_EQ(sql::parseDefinition("DROP TABLE [Oud]").object, "Oud");

    const std::string view = "CREATE VIEW [Mijn view] (x, y) AS SELECT a, b FROM t";
    st = sql::parseDefinition(view);
    EXPECT_EQ(st.viewColumns, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(view.substr(st.queryPosition), "SELECT a, b FROM t");

    st = sql::parseDefinition("ALTER DATABASE PASSWORD [geheim 1] NULL");
    EXPECT_EQ(st.kind, Kind::DatabasePassword);
    EXPECT_EQ(st.newPassword, "geheim 1");
    EXPECT_EQ(st.oldPassword, "");
    EXPECT_EQ(sql::parseDefinition("ALTER DATABASE PASSWORD Null oud").oldPassword, "oud");
}

TEST(DefinitionParse, DutchMessagesSayWhatAndWhere)
{
    EXPECT_EQ(errorOf("CREATE TABLE t (a LONGER)"), "Onbekend gegevenstype 'LONGER' voor kolom 'a' op positie 19.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a TEXT(300))"),
              "De veldlengte van kolom 'a' moet tussen 1 en 255 liggen op positie 24.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a LONG, A TEXT)"), "De kolom 'A' staat twee keer in de tabel op positie 25.");
    EXPECT_EQ(errorOf("CREATE TABLE t a LONG"), "Syntaxisfout: '(' verwacht, maar 'a' gevonden op positie 16.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a LONG"),
              "Syntaxisfout: ')' verwacht, maar het einde van de opdracht gevonden op positie 23.");
    EXPECT_EQ(errorOf("CREATE TABLE [a.b] (c LONG)"),
              "De naam 'a.b' bevat een teken dat in namen niet is toegestaan op positie 14.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a DECIMAL(30))"),
              "De precisie van kolom 'a' moet tussen 1 en 28 liggen op positie 27.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a DECIMAL(4, 6))"),
              "De schaal van kolom 'a' is groter dan de precisie op positie 30.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a LONG DEFAULT b)"),
              "Syntaxisfout: een vaste waarde na DEFAULT verwacht, maar 'b' gevonden op positie 32.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a LONG, FOREIGN KEY (a) REFERENCES u (x, y))"),
              "De FOREIGN KEY noemt 1 kolom(men), REFERENCES 2 op positie 41.");
    EXPECT_EQ(errorOf("CREATE INDEX i ON t (a, A)"), "De kolom 'A' staat twee keer in de sleutel op positie 25.");
    EXPECT_EQ(
        errorOf("CREATE INDEX i ON t (a) WITH NOTHING"),
        "Syntaxisfout: 'PRIMARY', 'DISALLOW NULL' of 'IGNORE NULL' verwacht, maar 'NOTHING' gevonden op positie 30.");
    EXPECT_EQ(errorOf("DROP TABLE t extra"),
              "Syntaxisfout: onverwacht 'extra' na het einde van de opdracht op positie 14.");
    EXPECT_EQ(errorOf("DROP PROCEDURE p"),
              "Syntaxisfout: 'TABLE', 'INDEX' of 'VIEW' verwacht, maar 'PROCEDURE' gevonden op positie 6.");
    EXPECT_EQ(errorOf("ALTER TABLE t ALTER a LONG PRIMARY KEY"),
              "Een beperking kan niet met ALTER COLUMN worden toegevoegd; gebruik ADD CONSTRAINT op positie 28.");
    EXPECT_EQ(errorOf("CREATE VIEW v AS DELETE FROM t"),
              "Syntaxisfout: 'SELECT' verwacht, maar 'DELETE' gevonden op positie 18.");
    // Positions count characters as the user sees them, not the bytes of their encoding.
    EXPECT_EQ(errorOf("CREATE TABLE café (a LONGER)"), "Onbekend gegevenstype 'LONGER' voor kolom 'a' op positie 22.");
    const std::string view = "CREATE VIEW één AS SELECT 1 FROM t WHERE";
    EXPECT_EQ(test::errorFrom([&] { sql::parseDefinitionStatement(view); }, view).description(),
              "Syntaxisfout: de opdracht is onvolledig op positie 41.");
    EXPECT_EQ(errorOf("ALTER DATABASE PASSWORD abcdefghijklmnopqrstu NULL"),
              "Een databasewachtwoord is ten hoogste 20 tekens lang op positie 25.");
    EXPECT_EQ(errorOf("CREATE TABLE t (a TEXT"),
              "Syntaxisfout: ')' verwacht, maar het einde van de opdracht gevonden op positie 23.");
    EXPECT_EQ(errorOf("CREATE TABLE t ('a' LONG)"),
              "Syntaxisfout: een kolomnaam verwacht, maar de tekst 'a' gevonden op positie 17.");
}

}  // namespace
}  // namespace querimo
