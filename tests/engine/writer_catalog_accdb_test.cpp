// New .accdb files of every Access version: the header and the system tables Access's own empty files have,
// read by our engine and by mdbtools, and tables made in them by data definition with exact indexes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "engine/writer_index_entries.h"
#include "jet/pages/Header.h"
#include "jet_test_files.h"
#include "support/Corpus.h"
#include "support/Process.h"
#include "writer_rows_support.h"

namespace querimo::test {
namespace {

struct AccdbVersion {
    int access;
    int versionByte;
    const char* mdbtoolsName;
    bool newerOrder;
};

const AccdbVersion versions[] = {
    {2007, 2, "ACE12\n", false}, {2010, 3, "ACE14\n", true}, {2016, 5, "ACE16\n", true}, {2019, 6, "ACE17\n", false}};

jet::DatabaseHeader headerOf(const std::string& path)
{
    const std::string bytes = readBytes(path);
    return jet::decodeHeader(jet::ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), path);
}

// Every system table of ours with its columns (name and type), as our reader lists them.
std::set<std::string> systemColumns(jet::Database& db, const std::set<std::string>& tables)
{
    std::set<std::string> out;
    for (const jet::CatalogEntry& entry : db.catalog()) {
        if (!tables.count(entry.name)) continue;
        for (const jet::ColumnDef& column : db.table(entry.name).columns)
            out.insert(entry.name + "." + column.name + ":" + std::to_string(static_cast<int>(column.type)));
    }
    return out;
}

TEST(WriterCreateAccdb, EveryVersionHasTheHeaderAndSystemTablesOfAccessOwnFiles)
{
    ScratchDir dir;
    for (const AccdbVersion& version : versions) {
        SCOPED_TRACE(version.access);
        const std::string path = newPath(dir, "leeg" + std::to_string(version.access) + ".accdb");
        jet::Database::createAccdb(path, version.access);

        const jet::DatabaseHeader header = headerOf(path);
        EXPECT_EQ(header.fileVersion, version.versionByte);
        EXPECT_EQ(header.sortOrder, version.newerOrder ? 0x1000409 : 0x409);
        EXPECT_EQ(header.codePage, 1252);

        const auto db = openFile(path);
        std::set<std::string> ours;
        for (const jet::CatalogEntry& entry : db->catalog()) ours.insert(entry.name);
        EXPECT_EQ(ours.size(), 14u);
        EXPECT_TRUE(ours.count("MSysComplexColumns") && ours.count("MSysComplexType_Attachment"));

        // The same tables, columns and column types as in the file Access made empty for that version.
        const std::string accessMade = "empty" + std::to_string(version.access) + ".accdb";
        if (!corpusFile(accessMade).empty()) {
            const auto access = openFile(corpusFile(accessMade).string());
            EXPECT_EQ(systemColumns(*db, ours), systemColumns(*access, ours));
            const jet::DatabaseHeader theirs = headerOf(corpusFile(accessMade).string());
            EXPECT_EQ(header.sortOrder, theirs.sortOrder);
            EXPECT_EQ(header.fileVersion, theirs.fileVersion);
        } else if (corpusRequired()) {
            ADD_FAILURE() << corpusMissing(accessMade);
        }

        EXPECT_EQ(runProcess({"mdb-ver", path}).out, version.mdbtoolsName);
        const ProcessResult tables = runProcess({"mdb-tables", "-S", "-1", path});
        EXPECT_EQ(std::count(tables.out.begin(), tables.out.end(), '\n'), 14) << tables.out;
        const ProcessResult objects = runProcess({"mdb-export", path, "MSysObjects"});
        EXPECT_EQ(objects.exitCode, 0) << objects.err;
        EXPECT_NE(objects.out.find("\"MSysComplexType_Text\",1,"), std::string::npos) << objects.out;
    }
}

// What the catalog says of each object a new file holds: parent, type and flags by name, and the rights of Admin
// and the Admins group (the SIDs of two bytes; Access adds rights for the SID of the user who made the file).
std::set<std::string> catalogFacts(jet::Database& db, const std::set<std::string>& names)
{
    const auto at = [&](const std::string& table, const char* column) {
        return static_cast<std::size_t>(db.table(table).column(column)->ordinal - 1);
    };
    std::map<std::int64_t, std::string> named;
    std::set<std::string> facts;
    for (const std::vector<Value>& row : readRows(db, "MSysObjects")) {
        const std::string name = row[at("MSysObjects", "Name")].bytes;
        if (!names.count(name)) continue;
        named[row[at("MSysObjects", "Id")].integer] = name;
        facts.insert(name + " parent " + std::to_string(row[at("MSysObjects", "ParentId")].integer) + " type "
                     + std::to_string(row[at("MSysObjects", "Type")].integer) + " flags "
                     + std::to_string(row[at("MSysObjects", "Flags")].integer));
    }
    for (const std::vector<Value>& row : readRows(db, "MSysACEs")) {
        const auto object = named.find(row[at("MSysACEs", "ObjectId")].integer);
        if (object != named.end() && row[at("MSysACEs", "SID")].bytes.size() == 2)
            facts.insert(object->second + " right " + std::to_string(row[at("MSysACEs", "ACM")].integer));
    }
    return facts;
}

// The system tables only the Access application adds when it makes a file (navigation pane, its resources and
// their attachments, SharePoint mappings): the engine's new file has none of them.
bool madeByTheApplication(const std::string& table)
{
    return table.starts_with("MSysNavPane") || table == "MSysAccessStorage" || table == "MSysResources"
           || table.starts_with("MSysWSDP") || (table.starts_with("f_") && table.ends_with("_Data"));
}

TEST(WriterCreateAccdb, TheEngineOwnPartMatchesAccessMadeEmptyFiles)
{
    ScratchDir dir;
    for (const AccdbVersion& version : versions) {
        SCOPED_TRACE(version.access);
        const std::string accessMade = "empty" + std::to_string(version.access) + ".accdb";
        QUERIMO_REQUIRE_CORPUS_FILE(accessMade);
        const std::string theirs = corpusFile(accessMade).string();
        const std::string path = newPath(dir, "leeg" + std::to_string(version.access) + ".accdb");
        jet::Database::createAccdb(path, version.access);

        EXPECT_EQ(runProcess({"mdb-ver", path}).out, runProcess({"mdb-ver", theirs}).out);
        std::string expected;
        std::istringstream listed(runProcess({"mdb-tables", "-S", "-1", theirs}).out);
        std::set<std::string> names{"Tables", "Databases", "Relationships", "MSysDb"};
        for (std::string table; std::getline(listed, table);)
            if (!madeByTheApplication(table)) {
                expected += table + "\n";
                names.insert(table);
            }
        EXPECT_EQ(runProcess({"mdb-tables", "-S", "-1", path}).out, expected);
        const std::set<std::string> ours = catalogFacts(*openFile(path), names);
        const std::set<std::string> access = catalogFacts(*openFile(theirs), names);
        std::vector<std::string> differing;
        std::set_symmetric_difference(ours.begin(), ours.end(), access.begin(), access.end(),
                                      std::back_inserter(differing));
        // One difference is Access's own: it gives Admin every right on the Tables container, where the engine
        // alone gives 393217 (compare adox_jet4.mdb with empty2003.mdb, both of the same Jet 4 engine).
        EXPECT_EQ(differing, std::vector<std::string>{"Tables right 393217"});
    }
}

// Database properties (AccessVersion, Build, the navigation pane's settings) are the Access application's: the
// engine leaves MSysDb without them, as in a file ADOX made through the engine alone.
TEST(WriterCreateAccdb, NoDatabasePropertiesAsTheEngineMakesThem)
{
    QUERIMO_REQUIRE_CORPUS_FILE("adox_jet4.mdb");
    ScratchDir dir;
    const std::string path = newPath(dir, "leeg.accdb");
    jet::Database::createAccdb(path, 2010);
    const ProcessResult ours = runProcess({"mdb-prop", path, "MSysDb"});
    EXPECT_EQ(ours.exitCode, 0) << ours.err;
    EXPECT_EQ(ours.out, runProcess({"mdb-prop", corpusFile("adox_jet4.mdb").string(), "MSysDb"}).out);
    EXPECT_NE(runProcess({"mdb-prop", corpusFile("empty2010.accdb").string(), "MSysDb"}).out.find("AccessVersion"),
              std::string::npos);
}

// A table made by data definition in each new file that querimo-sql makes: rows through its indexes, read back by
// mdbtools (schema and rows) and our reader, every index entry its row's key in the file's sort order.
TEST(WriterCreateAccdb, TablesMadeInNewFilesReadBack)
{
    ScratchDir dir;
    for (const AccdbVersion& version : versions) {
        SCOPED_TRACE(version.access);
        const std::string path = newPath(dir, "tabel" + std::to_string(version.access) + ".accdb");
        const std::string script = dir.write(
            "tabel.sql",
            "CREATE TABLE Plaats (Id LONG CONSTRAINT pk PRIMARY KEY, Naam TEXT(60), Land TEXT(2))\n;\n"
            "CREATE INDEX ixNaam ON Plaats (Naam, Land DESC)\n;\n"
            "INSERT INTO Plaats VALUES (1, 'Łódź', 'PL')\n;\nINSERT INTO Plaats VALUES (2, 'Ærøskøbing', 'DK')\n;\n"
            "INSERT INTO Plaats VALUES (3, 'Zürich-Oerlikon', 'CH')\n;\nINSERT INTO Plaats VALUES (4, '東京', "
            "'JP')\n;\n"
            "UPDATE Plaats SET Naam = 'Straße ' & Naam WHERE Id = 3\n;\nDELETE FROM Plaats WHERE Id = 2\n");
        // querimo-sql makes the file: --accdb alone means Access 2007.
        std::vector<std::string> command{querimoSqlPath(), "--create", "--accdb"};
        if (version.access != 2007) command.push_back(std::to_string(version.access));
        for (const std::string& arg : {path, std::string("--script"), script}) command.push_back(arg);
        const ProcessResult made = runProcess(command);
        ASSERT_EQ(made.exitCode, 0) << made.err;

        const ProcessResult schema = runProcess({"mdb-schema", "-T", "Plaats", path});
        EXPECT_NE(schema.out.find("[Naam]\t\t\tText (60)"), std::string::npos) << schema.out;
        const ProcessResult rows = runProcess({"mdb-export", path, "Plaats"});
        EXPECT_EQ(rows.out,
                  "Id,Naam,Land\n1,\"Łódź\",\"PL\"\n3,\"Straße Zürich-Oerlikon\",\"CH\"\n4,\"東京\",\"JP\"\n");
        EXPECT_EQ(readRows(*openFile(path), "Plaats").size(), 3u);

        writertest::FilePages pages(path);
        EXPECT_EQ(pages.table("Plaats").storage.at(1).sortOrderTail,
                  version.newerOrder ? jet::general2010SortOrderTail : 0);
        const writertest::IndexEntriesOutcome entries = writertest::checkIndexEntries(path);
        EXPECT_EQ(entries.refused, 0);
        EXPECT_GE(entries.verified, 2 * 3 + 14);
    }
}

// Access 2007 and later encrypt a database to protect it with a password; a password in the header alone is not
// set, and the file keeps every byte.
TEST(WriterCreateAccdb, NoHeaderPasswordIsSetInAnAccdb)
{
    ScratchDir dir;
    const std::string path = newPath(dir, "wachtwoord.accdb");
    jet::Database::createAccdb(path, 2010);
    const std::string before = readBytes(path);
    {
        const auto db = openFile(path, true);
        EXPECT_THROW(db->changeDatabasePassword("geheim", ""), DbError);
        EXPECT_NO_THROW(db->changeDatabasePassword("", ""));
    }
    EXPECT_TRUE(readBytes(path) == before);
}

}  // namespace
}  // namespace querimo::test
