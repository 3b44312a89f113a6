#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

#include "jet/pages/PageAllocator.h"
#include "jet/rows/LongValue.h"
#include "jet/rows/LongValueWriter.h"
#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

using RowsRandom = OnTextTable;

std::vector<Value> randomRow(std::mt19937& random, int serial)
{
    std::vector<Value> row{Value::text("m" + std::to_string(serial))};
    for (int c = 1; c < 9; ++c) {
        if (random() % 6 == 0) {
            row.push_back(Value::null());
            continue;
        }
        std::string text(random() % 51, ' ');
        for (char& ch : text) ch = static_cast<char>('a' + random() % 26);
        row.push_back(Value::text(text));
    }
    return row;
}

// Thousands of random inserts, updates and deletes in statements, some rolled back, against a model of
// the table by row id: after every statement the table holds exactly the model, each row under its id.
TEST_P(RowsRandom, RoundTripsAgainstAModel)
{
    std::mt19937 random(4242);
    std::map<jet::RowId, std::vector<Value>> model;
    int serial = 0;
    {
        auto db = openFile(path);
        const jet::TableDef& table = db->table("Table1");
        model = rowsById(*db, "Table1");
        for (int statement = 0; statement < 60; ++statement) {
            auto next = model;
            db->beginStatement();
            for (int op = 0; op < 50; ++op) {
                const unsigned choice = random() % 10;
                if (choice < 5 || next.empty()) {
                    auto row = randomRow(random, ++serial);
                    const jet::RowId id = db->insertRow(table, row);
                    ASSERT_FALSE(next.count(id)) << "rij-id " << id << " dubbel uitgegeven";
                    next[id] = row;
                    continue;
                }
                auto victim = next.begin();
                std::advance(victim, static_cast<long>(random() % next.size()));
                if (choice < 8) {
                    auto row = randomRow(random, ++serial);
                    db->updateRow(table, victim->first, row);
                    victim->second = row;
                } else {
                    db->deleteRow(table, victim->first);
                    next.erase(victim);
                }
            }
            if (statement % 7 == 3) {
                db->rollbackStatement();
            } else {
                db->commitStatement();
                model = std::move(next);
            }
            ASSERT_EQ(rowsById(*db, "Table1"), model) << "na opdracht " << statement;
            ASSERT_EQ(table.rowCount, model.size());
        }
    }
    // mdbtools reads the same rows: compared by their first and last columns.
    const ProcessResult exported = runProcess({"mdb-export", path, "Table1"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    std::multiset<std::string> expected, found;
    for (const auto& [id, row] : model) expected.insert(row[0].bytes + "|" + row[8].bytes);
    const auto csv = parseCsv(exported.out);
    for (std::size_t r = 1; r < csv.size(); ++r) found.insert(csv[r][0] + "|" + csv[r][8]);
    EXPECT_EQ(found, expected);
    expectConsistentTable(path, GetParam(), "Table1", model.size());
}

// Memo and OLE values by size: kept in the row, one row of a long value page, a chain over pages.
TEST_P(RowsRandom, LongValuesOfEverySizeReadBackAndFree)
{
    const jet::Format& format = jet::Format::of(GetParam());
    jet::PageFile file(path, false);
    file.configure(format.pageSize, 0);
    const std::uint32_t pagesBefore = file.pageCount();
    jet::PageAllocator pages(file, format);
    std::uint32_t hint = 0;
    jet::LongValueWriter writer(file, format, pages, hint);

    EXPECT_FALSE(writer.store(std::string(64, 'k')));         // small enough for the row
    std::vector<std::pair<std::string, std::string>> stored;  // value, reference
    for (std::size_t size : {65u, 700u, 1500u, 2030u, 3000u, 4100u, 9000u, 70000u}) {
        std::string value(size, '\0');
        for (std::size_t i = 0; i < size; ++i) value[i] = static_cast<char>(i * 31 + size);
        const auto reference = writer.store(value);
        ASSERT_TRUE(reference && reference->size() == jet::longValueReferenceSize);
        stored.emplace_back(value, *reference);
    }
    const auto view = [](const std::string& s) {
        return jet::ByteView(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    };
    for (const auto& [value, reference] : stored)
        EXPECT_EQ(jet::readLongValue(file, format, view(reference)), value) << value.size();
    EXPECT_GT(file.pageCount(), pagesBefore);
    writer.free(view(stored[3].second));
    EXPECT_THROW(jet::readLongValue(file, format, view(stored[3].second)), jet::CorruptFile);
    writer.free(view(stored.back().second));
    EXPECT_THROW(jet::readLongValue(file, format, view(stored.back().second)), jet::CorruptFile);
    EXPECT_EQ(jet::readLongValue(file, format, view(stored[0].second)), stored[0].first);
}

// New pages come from the end of the file and are no longer free in the global map; released ones are
// wiped and free again, also where the global map first had to grow to reach them.
TEST_P(RowsRandom, PagesComeFromTheEndAndGoBackToTheGlobalMap)
{
    const jet::Format& format = jet::Format::of(GetParam());
    jet::PageFile file(path, false);
    file.configure(format.pageSize, 0);
    jet::PageAllocator pages(file, format);
    const auto freePages = [&] {
        const auto list = jet::usageMapPages(file, format, globalUsageMap);
        return std::set<std::uint32_t>(list.begin(), list.end());
    };
    std::vector<std::uint32_t> made;
    for (int i = 0; i < 1200; ++i) {  // beyond what an inline global map reaches
        const std::uint32_t before = file.pageCount();
        const std::uint32_t page = pages.allocate();
        ASSERT_GE(page, before);
        file.change(page)[0] = jet::dataPageType;
        made.push_back(page);
    }
    std::set<std::uint32_t> free = freePages();
    for (std::uint32_t page : made) ASSERT_FALSE(free.count(page)) << page;
    pages.release(made[5]);
    pages.release(made.back());
    free = freePages();
    EXPECT_EQ(std::tuple(free.count(made[5]), free.count(made.back()), free.count(made[6])), std::tuple(1u, 1u, 0u));
    EXPECT_EQ((*file.page(made[5]))[0], 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, RowsRandom, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
