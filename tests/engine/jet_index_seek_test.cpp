// Seeks through index pages our writer made: every range gives exactly the rows a scan finds, in index
// order (descending columns too), over several levels of index pages; a damaged index is an error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <tuple>

#include "jet/tables/IndexPages.h"
#include "jet_test_files.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

struct Stored {
    jet::RowId id;
    std::vector<Value> values;
};

class IndexSeeks : public ::testing::TestWithParam<jet::Version> {
protected:
    // Meting: Nr (key), Groep (Integer, nullable), Waarde (Double), Moment (Date/Time, descending index with
    // Groep before it), Bedrag (Currency). Three thousand rows spread the indexes over many pages.
    void SetUp() override
    {
        path = scratch.database(GetParam(), {"CREATE TABLE Meting (Nr LONG CONSTRAINT pkMeting PRIMARY KEY, "
                                             "Groep SHORT, Waarde DOUBLE, Moment DATETIME, Bedrag CURRENCY)",
                                             "CREATE INDEX iGroepMoment ON Meting (Groep, Moment DESC)",
                                             "CREATE INDEX iWaarde ON Meting (Waarde DESC)",
                                             "CREATE INDEX iBedrag ON Meting (Bedrag)"});
        open();
        std::mt19937 random(1313);
        db->beginStatement();
        const jet::TableDef& table = db->table("Meting");
        for (int nr = 1; nr <= 3000; ++nr) {
            const int n = static_cast<int>(random() % 1000);
            std::vector<Value> row{Value::int32(static_cast<std::int32_t>((nr * 7919) % 100003)),
                                   n % 11 == 0 ? Value::null() : Value::int16(static_cast<std::int16_t>(n % 9 - 4)),
                                   Value::dbl((n - 500) / 8.0), Value::dateTime(40000 + (n % 97) / 4.0),
                                   Value::currency((n - 300) * 25)};
            db->insertRow(table, row);
        }
        db->commitStatement();
        std::vector<Value> row;
        for (auto scan = db->scan(db->table("Meting")); scan->next(row);) rows.push_back({scan->rowId(), row});
    }

    void open()
    {
        jet::OpenOptions options;
        options.path = path;
        db = jet::Database::open(options);
    }

    std::size_t indexNamed(const std::string& name)
    {
        const auto& indexes = db->table("Meting").indexes;
        for (std::size_t i = 0; i < indexes.size(); ++i)
            if (indexes[i].name == name) return i;
        ADD_FAILURE() << "geen index " << name;
        return 0;
    }

    std::vector<Stored> seek(const std::string& index, const jet::KeyRange& range)
    {
        std::vector<Stored> found;
        auto reader = db->seek(db->table("Meting"), indexNamed(index), range, {});
        EXPECT_NE(reader, nullptr);
        std::vector<Value> row;
        while (reader && reader->next(row)) found.push_back({reader->rowId(), row});
        return found;
    }

    // The ids of the scanned rows that pass, in row id order, against those the seek gave.
    void expectSame(std::vector<Stored> found, const std::function<bool(const std::vector<Value>&)>& passes)
    {
        std::vector<jet::RowId> expected, got;
        for (const Stored& row : rows)
            if (passes(row.values)) expected.push_back(row.id);
        for (const Stored& row : found) {
            got.push_back(row.id);
            const auto stored = std::find_if(rows.begin(), rows.end(), [&](const Stored& s) { return s.id == row.id; });
            ASSERT_NE(stored, rows.end());
            EXPECT_EQ(stored->values, row.values);
        }
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, expected);
    }

    test::ScratchDir scratch;
    std::string path;
    std::unique_ptr<jet::Database> db;
    std::vector<Stored> rows;
};

double real(const Value& v)
{
    return v.real;
}

TEST_P(IndexSeeks, KeyLookupsAndRangesGiveTheScannedRowsInKeyOrder)
{
    for (int probe = 0; probe < 40; ++probe) {
        const Value& key = rows[static_cast<std::size_t>(probe * 73)].values[0];
        expectSame(seek("pkMeting", {{key}, {}, {}, true, true}), [&](const auto& r) { return r[0] == key; });
    }
    expectSame(seek("pkMeting", {{Value::int32(-5)}, {}, {}, true, true}), [](const auto&) { return false; });

    const auto between = [](double low, double high, bool lowIn, bool highIn) {
        return [=](const std::vector<Value>& r) {
            return !r[2].isNull() && (lowIn ? real(r[2]) >= low : real(r[2]) > low)
                   && (highIn ? real(r[2]) <= high : real(r[2]) < high);
        };
    };
    // Waarde is indexed descending: the walk runs from the high end, yet the range names low to high.
    const std::vector<std::tuple<double, double, bool, bool>> ranges = {{-10.0, 10.0, true, true},
                                                                        {-10.0, 10.0, false, false},
                                                                        {-62.5, -60.0, true, false},
                                                                        {3.125, 3.125, true, true},
                                                                        {20.0, 5.0, true, true}};
    for (const auto& [low, high, lowIn, highIn] : ranges) {
        const auto found = seek("iWaarde", {{}, Value::dbl(low), Value::dbl(high), lowIn, highIn});
        expectSame(found, between(low, high, lowIn, highIn));
        EXPECT_TRUE(std::is_sorted(found.begin(), found.end(), [](const Stored& a, const Stored& b) {
            return real(a.values[2]) > real(b.values[2]);
        }));
    }
    const auto atLeast = seek("iBedrag", {{}, Value::currency(5000), std::nullopt, false, true});
    expectSame(atLeast, [](const auto& r) { return r[4].integer > 5000; });
    EXPECT_TRUE(std::is_sorted(atLeast.begin(), atLeast.end(), [](const Stored& a, const Stored& b) {
        return a.values[4].integer < b.values[4].integer;
    }));
}

TEST_P(IndexSeeks, APrefixOfAKeyWithADescendingColumnAfterIt)
{
    for (int group = -4; group <= 4; ++group) {
        const Value g = Value::int16(static_cast<std::int16_t>(group));
        const auto whole = seek("iGroepMoment", {{g}, {}, {}, true, true});
        expectSame(whole, [&](const auto& r) { return r[1] == g; });
        EXPECT_TRUE(std::is_sorted(whole.begin(), whole.end(), [](const Stored& a, const Stored& b) {
            return real(a.values[3]) > real(b.values[3]);
        }));
        const auto part = seek("iGroepMoment", {{g}, Value::dateTime(40005), Value::dateTime(40010.5), true, false});
        expectSame(part, [&](const auto& r) { return r[1] == g && real(r[3]) >= 40005 && real(r[3]) < 40010.5; });
    }
    // Null in the leading column is a key of its own.
    expectSame(seek("iGroepMoment", {{Value::null()}, {}, {}, true, true}),
               [](const auto& r) { return r[1].isNull(); });
    // A whole walk without bounds gives every row, Nulls first.
    const auto all = seek("iGroepMoment", {});
    expectSame(all, [](const auto&) { return true; });
    EXPECT_TRUE(all.front().values[1].isNull());
}

// Walked backwards, every range gives the forward walk's rows in exactly the reverse order (equal keys too),
// also when a reader starts over on another range.
TEST_P(IndexSeeks, BackwardWalksGiveTheForwardRowsReversed)
{
    const auto backward = [](jet::KeyRange range) {
        range.backward = true;
        return range;
    };
    const auto ids = [](const std::vector<Stored>& found) {
        std::vector<jet::RowId> out;
        for (const Stored& row : found) out.push_back(row.id);
        return out;
    };
    const Value g = Value::int16(2);
    const std::vector<std::pair<std::string, jet::KeyRange>> ranges = {
        {"pkMeting", {}},
        {"iBedrag", {}},
        {"iBedrag", {{}, Value::currency(-2500), Value::currency(5000), false, true}},
        {"iBedrag", {{}, Value::currency(5000), std::nullopt, true, true}},
        {"iBedrag", {{}, std::nullopt, Value::currency(-7000), true, false}},
        {"iWaarde", {{}, Value::dbl(-10), Value::dbl(10), true, false}},
        {"iGroepMoment", {}},
        {"iGroepMoment", {{g}, {}, {}, true, true}},
        {"iGroepMoment", {{Value::null()}, {}, {}, true, true}},
        {"iGroepMoment", {{g}, Value::dateTime(40005), Value::dateTime(40010.5), true, false}},
        {"iBedrag", {{}, Value::currency(999999), std::nullopt, true, true}},
        {"pkMeting", {{rows[7].values[0]}, {}, {}, true, true}}};
    for (const auto& [index, range] : ranges) {
        std::vector<jet::RowId> forward = ids(seek(index, range));
        std::reverse(forward.begin(), forward.end());
        EXPECT_EQ(ids(seek(index, backward(range))), forward) << index;
    }
    auto reader = db->seek(db->table("Meting"), indexNamed("iGroepMoment"), backward({{g}, {}, {}, true, true}), {});
    ASSERT_NE(reader, nullptr);
    for (int group = -4; group <= 4; ++group) {
        const jet::KeyRange range{{Value::int16(static_cast<std::int16_t>(group))}, {}, {}, true, true};
        ASSERT_TRUE(reader->seekAgain(backward(range)));
        std::vector<jet::RowId> again, forward = ids(seek("iGroepMoment", range));
        std::reverse(forward.begin(), forward.end());
        for (std::vector<Value> row; reader->next(row);) again.push_back(reader->rowId());
        EXPECT_EQ(again, forward) << group;
    }
}

// The leaf chain of the index turned into a circle: the seek stops with the file named damaged.
// Index pages read once are kept: a seek between writes of one statement, after its rollback and after a
// commit must see the index as it is then, also when the writes change a page the seek read before.
TEST_P(IndexSeeks, SeeksBetweenWritesSeeTheIndexAsItIsThen)
{
    const jet::TableDef& table = db->table("Meting");
    const auto keyOf = [](int nr) { return Value::int32(200000 + nr); };
    const auto count = [&](int nr) { return seek("pkMeting", {{keyOf(nr)}, {}, {}, true, true}).size(); };
    const auto insert = [&](int nr) {
        db->insertRow(table, {keyOf(nr), Value::null(), Value::dbl(1), Value::dateTime(40000), Value::currency(0)});
    };
    db->beginStatement();
    for (int nr = 0; nr < 40; ++nr) {  // neighbouring keys: most land on the leaf the seek before read
        EXPECT_EQ(count(nr), 0u);
        insert(nr);
        EXPECT_EQ(count(nr), 1u) << nr;
        EXPECT_EQ(count(nr - 1), nr > 0 ? 1u : 0u) << nr;
    }
    db->rollbackStatement();
    EXPECT_EQ(count(0), 0u);
    EXPECT_EQ(count(39), 0u);
    db->beginStatement();
    insert(7);
    db->commitStatement();
    EXPECT_EQ(count(7), 1u);
    EXPECT_EQ(count(8), 0u);
    expectSame(seek("pkMeting", {{rows[5].values[0]}, {}, {}, true, true}),
               [&](const auto& r) { return r[0] == rows[5].values[0]; });
}

// A join seeks again and again with one reader, which keeps the pages of its last descent and its last data
// page: writes in between (new keys on those pages, a changed row, a rollback) must show all the same.
TEST_P(IndexSeeks, OneReaderSoughtAgainBetweenWritesSeesThem)
{
    const jet::TableDef& table = db->table("Meting");
    const auto keyOf = [](int nr) { return Value::int32(200000 + nr); };
    auto reader = db->seek(table, indexNamed("pkMeting"), {{keyOf(0)}, {}, {}, true, true}, {});
    ASSERT_NE(reader, nullptr);
    const auto found = [&](const Value& key) {
        EXPECT_TRUE(reader->seekAgain({{key}, {}, {}, true, true}));
        std::vector<std::vector<Value>> got;
        std::vector<Value> row;
        while (reader->next(row)) got.push_back(row);
        return got;
    };
    const auto rowWith = [&](int nr, double waarde) {
        return std::vector<Value>{keyOf(nr), Value::null(), Value::dbl(waarde), Value::dateTime(40000),
                                  Value::currency(0)};
    };
    db->beginStatement();
    std::vector<jet::RowId> ids;
    for (int nr = 0; nr < 40; ++nr) {
        EXPECT_TRUE(found(keyOf(nr)).empty()) << nr;
        ids.push_back(db->insertRow(table, rowWith(nr, 1)));
        ASSERT_EQ(found(keyOf(nr)).size(), 1u) << nr;
        // The row just read sits on the page the reader holds: changed there, it must show changed.
        db->updateRow(table, ids.back(), rowWith(nr, 2));
        const auto again = found(keyOf(nr));
        ASSERT_EQ(again.size(), 1u) << nr;
        EXPECT_EQ(again[0][2], Value::dbl(2)) << nr;
    }
    db->rollbackStatement();
    EXPECT_TRUE(found(keyOf(0)).empty());
    EXPECT_TRUE(found(keyOf(39)).empty());
    const auto old = found(rows[5].values[0]);
    ASSERT_EQ(old.size(), 1u);
    EXPECT_EQ(old[0], rows[5].values);
    db->beginStatement();
    db->updateRow(table, rows[5].id, rowWith(5, 7));
    db->commitStatement();
    EXPECT_TRUE(found(rows[5].values[0]).empty());
    ASSERT_EQ(found(keyOf(5)).size(), 1u);
    EXPECT_EQ(found(keyOf(5))[0][2], Value::dbl(7));
}

TEST_P(IndexSeeks, ALeafChainInACircleIsADamagedFileNotALoop)
{
    db.reset();
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const std::size_t pageSize = GetParam() == jet::Version::Jet3 ? 2048 : 4096;
    const auto& layout = jet::IndexPageLayout::of(GetParam());
    std::string page(pageSize, '\0');
    std::uint32_t first = 0, number = 0;
    std::vector<std::uint32_t> lastLeaves;
    for (file.seekg(0); file.read(page.data(), static_cast<std::streamsize>(pageSize)); ++number) {
        if (page[0] != jet::leafIndexPageType) continue;
        std::uint32_t previous = 0, next = 0;
        std::memcpy(&previous, page.data() + layout.previousPage, 4);
        std::memcpy(&next, page.data() + layout.nextPage, 4);
        if (previous == 0 && next != 0 && first == 0) first = number;
        if (next == 0 && previous != 0) lastLeaves.push_back(number);
    }
    ASSERT_NE(first, 0u);
    ASSERT_FALSE(lastLeaves.empty());
    file.clear();
    for (const std::uint32_t last : lastLeaves) {
        file.seekp(static_cast<std::streamoff>(last * pageSize + layout.nextPage));
        file.write(reinterpret_cast<const char*>(&first), 4);
    }
    file.close();
    open();
    bool damaged = false;
    for (const std::string index : {"pkMeting", "iGroepMoment", "iWaarde", "iBedrag"}) {
        try {
            auto all = db->seek(db->table("Meting"), indexNamed(index), {}, {});
            std::vector<Value> row;
            while (all->next(row)) {}
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find("beschadigd"), std::string::npos) << e.what();
            damaged = true;
        }
    }
    EXPECT_TRUE(damaged);
}

// Previous-page pointers that lead to the leaf itself, or past the leaves between: a backward walk stops with
// the file named damaged instead of handing out rows twice or going round.
TEST_P(IndexSeeks, ADamagedPreviousPageChainIsADamagedFileNotALoop)
{
    for (const bool toItself : {true, false}) {
        db.reset();
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        const std::size_t pageSize = GetParam() == jet::Version::Jet3 ? 2048 : 4096;
        const auto& layout = jet::IndexPageLayout::of(GetParam());
        std::string page(pageSize, '\0');
        std::vector<std::pair<std::uint32_t, std::uint32_t>> leaves;  // page, its previous page
        std::uint32_t number = 0;
        for (file.seekg(0); file.read(page.data(), static_cast<std::streamsize>(pageSize)); ++number) {
            if (page[0] != jet::leafIndexPageType) continue;
            std::uint32_t previous = 0;
            std::memcpy(&previous, page.data() + layout.previousPage, 4);
            if (previous != 0) leaves.emplace_back(number, previous);
        }
        ASSERT_FALSE(leaves.empty());
        file.clear();
        for (const auto& [leaf, previous] : leaves) {
            // Past the leaves between: to the previous page's own previous page, where there is one.
            const auto before =
                std::find_if(leaves.begin(), leaves.end(), [&](const auto& l) { return l.first == previous; });
            const std::uint32_t wrong = toItself ? leaf : before != leaves.end() ? before->second : leaf;
            file.seekp(static_cast<std::streamoff>(leaf * pageSize + layout.previousPage));
            file.write(reinterpret_cast<const char*>(&wrong), 4);
        }
        file.close();
        open();
        int damaged = 0;
        for (const std::string index : {"pkMeting", "iGroepMoment", "iWaarde", "iBedrag"}) {
            std::size_t read = 0;
            try {
                jet::KeyRange whole;
                whole.backward = true;
                auto all = db->seek(db->table("Meting"), indexNamed(index), whole, {});
                for (std::vector<Value> row; all->next(row);) ++read;
            } catch (const DbError& e) {
                EXPECT_NE(std::string(e.what()).find("beschadigd"), std::string::npos) << e.what();
                ++damaged;
            }
            EXPECT_LE(read, rows.size()) << index;
        }
        EXPECT_EQ(damaged, 4) << (toItself ? "naar zichzelf" : "overgeslagen");
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, IndexSeeks, ::testing::ValuesIn(test::bothVersions), test::versionName);

}  // namespace
}  // namespace querimo
