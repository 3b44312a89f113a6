// Access 2007 and later files (.accdb): their stored queries and linked tables.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "jet_test_files.h"
#include "sql/Catalog.h"
#include "sql/Sql.h"

namespace querimo {
namespace {

// Every stored query of Access's file runs on a copy as Access runs it: select queries give rows, action and
// data definition queries change the copy, a parameter query with its value. The file's faulty queries are
// refused as Access refuses them; the pass-through query belongs to an ODBC server and is not run here.
TEST(AccdbStoredQueries, EveryQueryOfTheQueryTestFileRunsAsInAccess)
{
    QUERIMO_REQUIRE_CORPUS_FILE("queryTestV2007.accdb");
    test::ScratchDir dir;
    const auto db = jet::Database::open(jet::OpenOptions{dir.copyOf("queryTestV2007.accdb"), true, ""});
    std::vector<sql::StoredQuery> queries;
    {
        sql::Catalog catalog(*db);
        for (const sql::StoredQuery* q : catalog.queries()) queries.push_back(*q);
    }
    const std::map<std::string, std::string> refusals = {
        {"AppendQuery", "'col2' wordt meer dan eens opgegeven"},  // INSERT INTO Table3 (col2, col2, ...)
        {"MakeTableQuery", "zou twee velden 'col2' krijgen"},     // Table2.col2 and Table3.col2 INTO Table4
        {"CrosstabQuery", "WHERE"},                               // an aggregate in WHERE
        {"UnionQuery", "geen waarde opgegeven voor de parameter 'Table1.col1'"},  // its parts have no FROM
        // [User Name] is given; Table2 is not among its tables, so Access asks for Table2.col3 as well.
        {"UpdateQuery", "geen waarde opgegeven voor de parameter 'Table2.col3'"},
    };
    constexpr int passThrough = 8;
    std::set<std::string> ran;
    for (const sql::StoredQuery& q : queries) {
        SCOPED_TRACE(q.name + "\n" + q.sql);
        if (q.type == passThrough) continue;
        try {
            sql::run(*db, q.selects() ? "SELECT * FROM [" + q.name + "]" : q.sql, {{"User Name", "Jan"}});
            ran.insert(q.name);
        } catch (const DbError& e) {
            const auto refusal = refusals.find(q.name);
            ASSERT_NE(refusal, refusals.end()) << e.description();
            EXPECT_NE(e.description().find(refusal->second), std::string::npos) << e.description();
        }
    }
    EXPECT_EQ(ran, (std::set<std::string>{"SelectQuery", "DeleteQuery", "DataDefinitionQuery"}));
    EXPECT_EQ(queries.size(), ran.size() + refusals.size() + 1);
    EXPECT_NE(db->findEntry("Table5"), nullptr);  // made by the data definition query
}

// Links are listed as links; reading one says where its rows are, never the ODBC connect string (it holds
// a password).
TEST(AccdbLinkedTables, ListedAndRefusedWithWhereTheyPoint)
{
    const struct {
        const char* file;
        const char* link;
        const char* says;
    } cases[] = {
        {"linkerTestV2007.accdb", "Table2", "een ander bestand (Z:\\jackcess_test\\linkeeTest.accdb)"},
        {"odbcLinkerTestV2007.accdb", "Ordrar", "een ODBC-gegevensbron (dbo.Ordrar)"},
    };
    for (const auto& c : cases) {
        QUERIMO_REQUIRE_CORPUS_FILE(c.file);
        SCOPED_TRACE(c.file);
        const auto db = test::openCorpus(c.file);
        const jet::CatalogEntry* link = db->findEntry(c.link);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->kind, jet::ObjectKind::LinkedTable);
        const DbError e = test::errorFrom([&] { sql::run(*db, std::string("SELECT * FROM ") + c.link); });
        EXPECT_EQ(e.description(), std::string("De gekoppelde tabel '") + c.link + "' staat in " + c.says
                                       + "; gekoppelde tabellen kunnen niet worden gelezen.");
        EXPECT_EQ(e.description().find("PWD"), std::string::npos);
        const DbError direct = test::errorFrom([&] { db->table(c.link); });
        EXPECT_NE(direct.description().find(c.says), std::string::npos) << direct.description();
    }
}

// Kinds no reader documents (codes 0x46 and 0x47 here) read as their stored bytes, where mdbtools gives
// nothing at all; they are typed Binary.
TEST(AccdbUnknownKinds, ReadAsTheirBytes)
{
    QUERIMO_REQUIRE_CORPUS_FILE("unsupportedFieldsTestV2007.accdb");
    const auto db = test::openCorpus("unsupportedFieldsTestV2007.accdb");
    const jet::TableDef& t = db->table("Test");
    EXPECT_EQ(t.column("UnknownVar")->type, jet::ColumnType::Binary);
    EXPECT_EQ(t.column("UnknownFix")->type, jet::ColumnType::Binary);
    const auto rows = test::readRows(*db, "Test");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], Value::binary("\xFF\xFEsomedata"));
    EXPECT_EQ(rows[0][2], Value::binary(std::string("\x37\0\0\0", 4)));
    EXPECT_EQ(rows[2][1], Value::null());
}

}  // namespace
}  // namespace querimo
