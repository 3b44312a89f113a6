// Rows written through the engine: many, refused, into a read-only file, with AutoNumbers and keys, into encoded
// files and with Memo values, read back by our engine and by mdbtools.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "jet/pages/UsageMap.h"
#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

// Shippers as in Northwind: ShipperID AutoNumber (primary key), CompanyName Text(40) required, Phone Text(24),
// three rows.
TEST(RowsIndexed, AutoNumbersCountOnAndDuplicatesAreRefused)
{
    for (const jet::Version version : bothVersions) {
        SCOPED_TRACE(version == jet::Version::Jet4 ? "Jet4" : "Jet3");
        ScratchDir dir;
        const std::string path =
            dir.database(version, {"CREATE TABLE Shippers (ShipperID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                                   "CompanyName TEXT(40) NOT NULL, Phone TEXT(24))",
                                   "INSERT INTO Shippers (CompanyName) VALUES ('Speedy Express')",
                                   "INSERT INTO Shippers (CompanyName) VALUES ('United Package')",
                                   "INSERT INTO Shippers (CompanyName) VALUES ('Federal Shipping')"});
        const auto insert = [&](const std::vector<Value>& row) {
            jet::RowId id = 0;
            runStatement(path, [&](jet::Database& db) { id = db.insertRow(db.table("Shippers"), row); });
            return id;
        };
        const jet::RowId first = insert({Value::null(), Value::text("Snelpost"), Value::text("010-1234567")});
        insert({Value::null(), Value::text("Fietskoerier"), Value::null()});
        const std::string before = readBytes(path);
        EXPECT_THROW(insert({Value::int32(4), Value::text("Dubbel"), Value::null()}), DbError);
        const DbError e = errorFrom(
            [&] {
                insert({Value::null(), Value::null(), Value::null()});
            },
            "lege verplichte kolom");
        EXPECT_NE(e.description().find("'CompanyName'"), std::string::npos) << e.description();
        EXPECT_NE(e.description().find("'Shippers'"), std::string::npos) << e.description();
        EXPECT_EQ(readBytes(path), before);
        runStatement(path, [&](jet::Database& db) {
            db.updateRow(db.table("Shippers"), first,
                         {Value::null(), Value::text("Snelpost en Zonen, een veel langere naam"), Value::null()});
        });
        const std::string shippers =
            "ShipperID,CompanyName,Phone\n1,\"Speedy Express\",\n2,\"United Package\",\n"
            "3,\"Federal Shipping\",\n4,\"Snelpost en Zonen, een veel langere naam\",\n5,\"Fietskoerier\",\n";
        EXPECT_EQ(runProcess({"mdb-export", path, "Shippers"}).out, shippers);
        expectConsistentTable(path, version, "Shippers", 5);
        insert({Value::null(), Value::text("Zesde"), Value::null()});
        EXPECT_EQ(runProcess({"mdb-export", path, "Shippers"}).out, shippers + "6,\"Zesde\",\n");
    }
}

// Encoded files are written encoded: mdbtools and our reader see the new rows.
// Our writer makes no encoded files, so these are Access's.
TEST(RowsIndexed, EncodedFilesStayEncoded)
{
    QUERIMO_REQUIRE_CORPUS_FILE("db-enc.mdb");
    QUERIMO_REQUIRE_CORPUS_FILE("db97-enc.mdb");
    for (const char* file : {"db-enc.mdb", "db97-enc.mdb"}) {
        SCOPED_TRACE(file);
        ScratchDir dir;
        const std::string path = dir.copyOf(file);
        runStatement(path, [](jet::Database& db) {
            for (int n = 0; n < 200; ++n)
                db.insertRow(db.table("Table1"),
                             {Value::int32(100 + n), Value::text("geheim " + std::to_string(n)), Value::int32(n)});
        });
        EXPECT_EQ(readBytes(path).find("geheim"), std::string::npos);
        const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        const auto rows = parseCsv(exported.out);
        ASSERT_EQ(rows.size(), 203u);
        EXPECT_EQ(rows.back()[1], "geheim 199");
        EXPECT_EQ(readRows(*openFile(path), "Table1").size(), 202u);
    }
}

// Every long value page of the file is listed in the owned-pages map of one of the table's Memo columns.
void expectLongValuePagesInColumnMaps(const std::string& path, jet::Version version, const std::string& table)
{
    writertest::FilePages pages(path);
    const jet::Format& format = jet::Format::of(version);
    jet::PageFile& file = pages.pages();
    const jet::TableLayout layout = pages.table(table);
    ASSERT_FALSE(layout.longValueMaps.empty());
    std::set<std::uint32_t> listed;
    for (const jet::LongValueMaps& maps : layout.longValueMaps)
        for (std::uint32_t page : jet::usageMapPages(file, format, maps.usedPagesMap)) listed.insert(page);
    int found = 0;
    for (std::uint32_t n = 1; n < file.pageCount(); ++n) {
        const jet::PageRef page = file.page(n);
        const jet::ByteView view(page->data(), page->size());
        if (view.u8(0) == jet::dataPageType && view.u32(format.dataOwnerOffset) == 0x4C41564C) {
            ++found;
            EXPECT_TRUE(listed.count(n)) << "Memo-pagina " << n << " ontbreekt in de gebruikskaart van haar kolom";
        }
    }
    EXPECT_GT(found, 0);
}

std::string memoText(const std::string& word, std::size_t size)
{
    std::string text;
    while (text.size() < size) text += word + " " + std::to_string(text.size()) + " ";
    return text;
}

// Memo values of all three sizes (in the row, one row of a long value page, a chain of pages), grown,
// shrunk and deleted.
TEST(RowsIndexed, MemoValuesOfEverySizeRoundTrip)
{
    for (const jet::Version version : bothVersions) {
        SCOPED_TRACE(version == jet::Version::Jet4 ? "Jet4" : "Jet3");
        ScratchDir dir;
        const std::string path =
            dir.database(version, {"CREATE TABLE Project (Nr LONG PRIMARY KEY, Naam TEXT(50), Auteur MEMO)",
                                   "INSERT INTO Project VALUES (1, 'eerste', 'kort')"});
        Rows expected;
        {
            auto db = openFile(path);
            const jet::TableDef& table = db->table("Project");
            expected = readRows(*db, "Project");
            std::vector<jet::RowId> ids;
            inStatement(*db, [&] {
                for (const std::size_t size : {20u, 900u, 9000u}) {
                    expected.push_back({Value::int32(static_cast<std::int32_t>(size)), Value::text("project"),
                                        Value::text(memoText("memo", size))});
                    ids.push_back(db->insertRow(table, expected.back()));
                }
            });
            // A short memo grows into a chain; a long one replaced by a short one gives its pages' rows back.
            inStatement(*db, [&] {
                expected[1][2] = Value::text(memoText("groei", 5000));
                db->updateRow(table, ids[0], expected[1]);
                expected[3][2] = Value::text("kort");
                db->updateRow(table, ids[2], expected[3]);
                db->deleteRow(table, ids[1]);
            });
            expected.erase(expected.begin() + 2);
        }
        EXPECT_EQ(sortedRows(readRows(*openFile(path), "Project")), sortedRows(expected));
        expectConsistentTable(path, version, "Project", expected.size());
        expectLongValuePagesInColumnMaps(path, version, "Project");
        const ProcessResult exported = runProcess({"mdb-export", path, "Project"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_NE(exported.out.find(expected[1][2].bytes.substr(4900)), std::string::npos);
    }
}

using RowWriter = OnTextTable;

// Enough rows for more data pages than a table's inline usage maps reach: they become reference maps.
TEST_P(RowWriter, ManyRowsOutgrowTheInlineUsageMaps)
{
    runStatement(path, [](jet::Database& db) {
        for (int n = 0; n < 9000; ++n) db.insertRow(db.table("Table1"), table1Row("veel " + std::to_string(n), 40));
    });
    const std::size_t rows = 9000 + 2;  // and the two Table1 has
    const jet::Format& format = jet::Format::of(GetParam());
    // An inline table map reaches 512 pages in Jet 4, 1024 in Jet 3.
    EXPECT_GT(readBytes(path).size() / format.pageSize, format.jet4() ? 600u : 1100u);
    const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(parseCsv(exported.out).size(), rows + 1);
    expectConsistentTable(path, GetParam(), "Table1", rows);
}

TEST_P(RowWriter, RefusedRowsAndRollbackLeaveTheFileAsItWas)
{
    const std::string before = readBytes(path);
    auto db = openFile(path);
    const jet::TableDef& table = db->table("Table1");
    const std::uint32_t rowCount = table.rowCount;

    db->beginStatement();
    db->insertRow(table, table1Row("komt er niet"));
    const DbError e = errorFrom([&] { db->insertRow(table, table1Row(std::string(51, 'a'))); }, "te lange tekst");
    EXPECT_NE(e.description().find("'data1'"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("'Table1'"), std::string::npos) << e.description();
    EXPECT_THROW(db->insertRow(table, {Value::text("te weinig")}), DbError);
    db->rollbackStatement();
    EXPECT_EQ(&db->table("Table1"), &table);  // re-read in place
    EXPECT_EQ(table.rowCount, rowCount);
    EXPECT_THROW(db->insertRow(table, table1Row("buiten een opdracht")), DbError);

    // An unfinished statement is forgotten when the database closes.
    db->beginStatement();
    db->insertRow(table, table1Row("nooit bevestigd"));
    db.reset();
    EXPECT_EQ(readBytes(path), before);
}

// Runs check as a user without special rights: as root every file is writable, so a child process gives them
// up first. check returns what went wrong, empty when nothing did; a child prints it and fails.
std::string withoutRootRights(const std::function<std::string()>& check)
{
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t nobody = 65534;
        const std::string failure = ::setgid(nobody) == 0 && ::setuid(nobody) == 0 ? check() : "rechten niet afgestaan";
        std::fputs(failure.c_str(), stderr);
        ::_exit(failure.empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : "het kind faalde (zie hierboven)";
}

TEST_P(RowWriter, AReadOnlyFileRefusesStatementsAndStaysUnchanged)
{
    ::chmod(path.c_str(), 0444);
    ::chmod(std::filesystem::path(path).parent_path().c_str(), 0755);
    const std::string before = readBytes(path);
    const std::string failure = withoutRootRights([&]() -> std::string {
        try {
            auto db = openFile(path);
            db->beginStatement();
            return "alleen-lezen bestand aanvaardt een opdracht";
        } catch (const DbError& e) {
            return e.description().find("alleen-lezen") == std::string::npos ? e.description() : "";
        }
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(readBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Versions, RowWriter, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
