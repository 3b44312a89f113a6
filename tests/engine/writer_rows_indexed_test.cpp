#include <gtest/gtest.h>

#include <set>

#include "jet/UsageMap.h"
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
            makeDatabase(newPath(dir, "verzenders.mdb"), version,
                         {"CREATE TABLE Shippers (ShipperID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                          "CompanyName TEXT(40) NOT NULL, Phone TEXT(24))",
                          "INSERT INTO Shippers (CompanyName) VALUES ('Speedy Express')",
                          "INSERT INTO Shippers (CompanyName) VALUES ('United Package')",
                          "INSERT INTO Shippers (CompanyName) VALUES ('Federal Shipping')"})
                .string();
        {
            auto db = openFile(path);
            const jet::TableDef& shippers = db->table("Shippers");
            db->beginStatement();
            const jet::RowId first = db->insertRow(shippers, {Value::null(), Value::text("Snelpost"), Value::text("010-1234567")});
            db->insertRow(shippers, {Value::null(), Value::text("Fietskoerier"), Value::null()});
            db->commitStatement();

            const std::string before = readBytes(path);
            db->beginStatement();
            EXPECT_THROW(db->insertRow(shippers, {Value::int32(4), Value::text("Dubbel"), Value::null()}), DbError);
            try {
                db->insertRow(shippers, {Value::null(), Value::null(), Value::null()});
                FAIL() << "lege verplichte kolom aanvaard";
            } catch (const DbError& e) {
                EXPECT_NE(e.description().find("CompanyName"), std::string::npos) << e.description();
                EXPECT_NE(e.description().find("Shippers"), std::string::npos) << e.description();
            }
            db->rollbackStatement();
            EXPECT_EQ(readBytes(path), before);

            db->beginStatement();
            db->updateRow(shippers, first, {Value::null(), Value::text("Snelpost en Zonen, een veel langere naam"), Value::null()});
            db->commitStatement();
        }
        const ProcessResult exported = runProcess({"mdb-export", path, "Shippers"});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        const auto rows = parseCsv(exported.out);
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows[4][0], "4");
        EXPECT_EQ(rows[4][1], "Snelpost en Zonen, een veel langere naam");
        EXPECT_EQ(rows[5][0], "5");
        EXPECT_EQ(rows[5][1], "Fietskoerier");
        expectConsistentTable(path, version, "Shippers", 5);
        auto db = openFile(path);
        db->beginStatement();
        EXPECT_EQ(readRows(*db, "Shippers").size(), 5u);
        db->insertRow(db->table("Shippers"), {Value::null(), Value::text("Zesde"), Value::null()});
        db->commitStatement();
        db.reset();
        const auto again = parseCsv(runProcess({"mdb-export", path, "Shippers"}).out);
        EXPECT_EQ(again.back()[0], "6");
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
        {
            auto db = openFile(path);
            const jet::TableDef& table = db->table("Table1");
            db->beginStatement();
            for (int n = 0; n < 200; ++n)
                db->insertRow(table, {Value::int32(100 + n), Value::text("geheim " + std::to_string(n)), Value::int32(n)});
            db->commitStatement();
        }
        const std::string bytes = readBytes(path);
        EXPECT_EQ(bytes.find("geheim"), std::string::npos);
        const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        const auto rows = parseCsv(exported.out);
        ASSERT_EQ(rows.size(), 203u);
        EXPECT_EQ(rows.back()[1], "geheim 199");
        auto db = openFile(path);
        EXPECT_EQ(readRows(*db, "Table1").size(), 202u);
    }
}

// Every long value page of the file is listed in the owned-pages map of one of the table's Memo columns.
void expectLongValuePagesInColumnMaps(const std::string& path, jet::Version version, const std::string& table)
{
    const std::uint32_t definitionPage = openFile(path)->table(table).definitionPage;
    const jet::Format& format = jet::Format::of(version);
    jet::PageFile file(path, false);
    file.configure(format.pageSize, 0);
    const jet::TableLayout layout = jet::readTableDefinition(file, format, definitionPage, table);
    ASSERT_FALSE(layout.longValueMaps.empty());
    std::set<std::uint32_t> listed;
    for (const jet::LongValueMaps& maps : layout.longValueMaps)
        for (std::uint32_t page : jet::usageMapPages(file, format, maps.usedPagesMap))
            listed.insert(page);
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
    while (text.size() < size)
        text += word + " " + std::to_string(text.size()) + " ";
    return text;
}

// Memo values of all three sizes (in the row, one row of a long value page, a chain of pages), grown,
// shrunk and deleted.
TEST(RowsIndexed, MemoValuesOfEverySizeRoundTrip)
{
    for (const jet::Version version : bothVersions) {
        SCOPED_TRACE(version == jet::Version::Jet4 ? "Jet4" : "Jet3");
        ScratchDir dir;
        const std::string path = makeDatabase(newPath(dir, "memo.mdb"), version,
                                              {"CREATE TABLE Project (Nr LONG PRIMARY KEY, Naam TEXT(50), Auteur MEMO)",
                                               "INSERT INTO Project VALUES (1, 'eerste', 'kort')"})
                                     .string();
        Rows expected;
        {
            auto db = openFile(path);
            const jet::TableDef& table = db->table("Project");
            expected = readRows(*db, "Project");
            std::vector<jet::RowId> ids;
            db->beginStatement();
            for (const std::size_t size : {20u, 900u, 9000u}) {
                const std::vector<Value> row{Value::int32(static_cast<std::int32_t>(size)), Value::text("project"),
                                             Value::text(memoText("memo", size))};
                ids.push_back(db->insertRow(table, row));
                expected.push_back(row);
            }
            db->commitStatement();
            // A short memo grows into a chain; a long one replaced by a short one gives its pages' rows back.
            db->beginStatement();
            expected[1][2] = Value::text(memoText("groei", 5000));
            db->updateRow(table, ids[0], expected[1]);
            expected[3][2] = Value::text("kort");
            db->updateRow(table, ids[2], expected[3]);
            db->deleteRow(table, ids[1]);
            expected.erase(expected.begin() + 2);
            db->commitStatement();
        }
        auto db = openFile(path);
        EXPECT_EQ(sortedRows(readRows(*db, "Project")), sortedRows(expected));
        db.reset();
        expectConsistentTable(path, version, "Project", expected.size());
        expectLongValuePagesInColumnMaps(path, version, "Project");
        const ProcessResult exported = runProcess({"mdb-export", path, "Project"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_NE(exported.out.find(expected[1][2].bytes.substr(4900)), std::string::npos);
    }
}

}  // namespace
