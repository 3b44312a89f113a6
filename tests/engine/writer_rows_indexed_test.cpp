#include <gtest/gtest.h>

#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

// Shippers: ShipperID AutoNumber (primary key), CompanyName Text(40) required, Phone Text(24).
TEST(RowsIndexed, AutoNumbersCountOnAndDuplicatesAreRefused)
{
    QUERIMO_REQUIRE_CORPUS();
    ScratchDir dir;
    const std::string path = dir.copyOf("northwind-jet4.mdb");
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
    expectConsistentTable(path, jet::Version::Jet4, "Shippers", 5);
    auto db = openFile(path);
    db->beginStatement();
    const Rows read = readRows(*db, "Shippers");
    EXPECT_EQ(read.size(), 5u);
    EXPECT_EQ(db->insertRow(db->table("Shippers"), {Value::null(), Value::text("Zesde"), Value::null()}) != 0, true);
    db->commitStatement();
    db.reset();
    const auto again = parseCsv(runProcess({"mdb-export", path, "Shippers"}).out);
    EXPECT_EQ(again.back()[0], "6");
}

// Encoded files are written encoded: mdbtools and our reader see the new rows.
TEST(RowsIndexed, EncodedFilesStayEncoded)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const RowsCase c : {RowsCase{"db-enc.mdb", jet::Version::Jet4}, RowsCase{"db97-enc.mdb", jet::Version::Jet3}}) {
        ScratchDir dir;
        const std::string path = dir.copyOf(c.file);
        {
            auto db = openFile(path);
            const jet::TableDef& table = db->table("Table1");
            db->beginStatement();
            for (int n = 0; n < 200; ++n)
                db->insertRow(table, {Value::int32(100 + n), Value::text("geheim " + std::to_string(n)), Value::int32(n)});
            db->commitStatement();
        }
        const std::string bytes = readBytes(path);
        EXPECT_EQ(bytes.find("geheim"), std::string::npos) << c.file;
        const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        const auto rows = parseCsv(exported.out);
        ASSERT_EQ(rows.size(), 203u) << c.file;
        EXPECT_EQ(rows.back()[1], "geheim 199");
        auto db = openFile(path);
        EXPECT_EQ(readRows(*db, "Table1").size(), 202u);
    }
}

// Long value pages made since `from` are listed in the owned-pages map of a Memo column of MSP_PROJECTS.
void expectLongValuePagesInColumnMaps(const std::string& path, std::uint32_t from)
{
    std::uint32_t definitionPage = openFile(path)->table("MSP_PROJECTS").definitionPage;
    const jet::Format& format = jet::Format::of(jet::Version::Jet4);
    jet::PageFile file(path, false);
    file.configure(format.pageSize, 0);
    const jet::TableLayout layout = jet::readTableDefinition(file, format, definitionPage, "MSP_PROJECTS");
    ASSERT_FALSE(layout.longValueMaps.empty());
    std::set<std::uint32_t> listed;
    for (const jet::LongValueMaps& maps : layout.longValueMaps)
        for (std::uint32_t page : jet::usageMapPages(file, format, maps.usedPagesMap))
            listed.insert(page);
    int found = 0;
    for (std::uint32_t n = from; n < file.pageCount(); ++n) {
        const jet::PageRef page = file.page(n);
        const jet::ByteView view(page->data(), page->size());
        if (view.u8(0) == jet::dataPageType && view.u32(format.dataOwnerOffset) == 0x4C41564C) {
            ++found;
            EXPECT_TRUE(listed.count(n)) << "Memo-pagina " << n << " ontbreekt in de gebruikskaart van haar kolom";
        }
    }
    EXPECT_GT(found, 0);
}

// Memo values of all three sizes in a table of Access 97 and 2000 files.
TEST(RowsIndexed, MemoValuesOfEverySizeRoundTrip)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const RowsCase c : {RowsCase{"test2V2000.mdb", jet::Version::Jet4}, RowsCase{"test2V1997.mdb", jet::Version::Jet3}}) {
        ScratchDir dir;
        const std::string path = dir.copyOf(c.file);
        const std::uint32_t originalPages = static_cast<std::uint32_t>(readBytes(path).size() / jet::Format::of(c.version).pageSize);
        Rows expected;
        std::size_t memoAt = 0;
        {
            auto db = openFile(path);
            const jet::TableDef& table = db->table("MSP_PROJECTS");
            const jet::ColumnDef* memo = table.column("PROJ_PROP_AUTHOR");
            ASSERT_NE(memo, nullptr);
            const auto at = memoAt = static_cast<std::size_t>(memo->ordinal - 1);
            Rows existing = readRows(*db, "MSP_PROJECTS");
            ASSERT_FALSE(existing.empty());
            std::vector<jet::RowId> ids;
            db->beginStatement();
            int n = 0;
            for (std::size_t size : {20u, 900u, 9000u}) {
                auto row = existing.front();
                const jet::ColumnDef* key = table.column("PROJ_ID");
                row[static_cast<std::size_t>(key->ordinal - 1)] = Value::int32(1000 + n);
                row[static_cast<std::size_t>(table.column("PROJ_NAME")->ordinal - 1)] = Value::text("project " + std::to_string(n++));
                std::string text;
                while (text.size() < size)
                    text += "memo " + std::to_string(text.size()) + " ";
                row[at] = Value::text(text);
                ids.push_back(db->insertRow(table, row));
                expected.push_back(row);
            }
            db->commitStatement();
            // A short memo grows into a chain; a long one replaced by a short one gives its pages' rows back.
            db->beginStatement();
            std::string grown;
            while (grown.size() < 5000)
                grown += "groei " + std::to_string(grown.size()) + " ";
            expected[0][at] = Value::text(grown);
            db->updateRow(table, ids[0], expected[0]);
            expected[2][at] = Value::text("kort");
            db->updateRow(table, ids[2], expected[2]);
            db->deleteRow(table, ids[1]);
            expected.erase(expected.begin() + 1);
            db->commitStatement();
            for (auto& row : existing)
                expected.push_back(row);
        }
        auto db = openFile(path);
        EXPECT_EQ(sortedRows(readRows(*db, "MSP_PROJECTS")), sortedRows(expected)) << c.file;
        db.reset();
        expectConsistentTable(path, c.version, "MSP_PROJECTS", expected.size());
        if (c.version == jet::Version::Jet4)
            expectLongValuePagesInColumnMaps(path, originalPages);
        const ProcessResult exported = runProcess({"mdb-export", path, "MSP_PROJECTS"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_NE(exported.out.find(expected[0][memoAt].bytes.substr(4900)), std::string::npos) << c.file;
    }
}

}  // namespace
