// Seeks in the indexes Access made: walking a whole index gives each row of the table once (those an
// index that ignores Nulls leaves out aside), in the order of its leading column (text: the order our text
// collation's keys give), walking it backwards gives the same rows reversed, and a seek for a row's own key
// finds that row.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "jet_test_files.h"
#include "sql/Sql.h"
#include "sql/TextCollation.h"

namespace querimo {
namespace {

bool numeric(jet::ColumnType type)
{
    using T = jet::ColumnType;
    return type == T::Byte || type == T::Integer || type == T::Long || type == T::Currency || type == T::Single
           || type == T::Double || type == T::DateTime;
}

double number(const Value& v)
{
    return v.kind == Value::Kind::Single || v.kind == Value::Kind::Double || v.kind == Value::Kind::DateTime
               ? v.real
               : static_cast<double>(v.integer);
}

// Access's order of the texts in an index is the order of our collation's sort keys (rows with equal keys
// come in no particular order).
void expectTextOrder(const std::vector<std::vector<Value>>& inOrder, std::size_t position, bool ascending,
                     jet::TextOrder order, const std::string& where)
{
    for (std::size_t r = 1; r < inOrder.size(); ++r) {
        const Value &a = inOrder[r - 1][position], &b = inOrder[r][position];
        if (a.isNull() || b.isNull()) continue;
        const int c = sql::compareSortKeys(a.bytes, b.bytes, order);
        EXPECT_TRUE(ascending ? c <= 0 : c >= 0) << where << ": '" << a.bytes << "' voor '" << b.bytes << "'";
    }
}

int textIndexesChecked = 0;

// Checks every index of one table; returns how many seeks the indexes answered.
int checkTable(jet::Database& db, const jet::TableDef& table)
{
    std::map<jet::RowId, std::vector<Value>> scanned;
    std::vector<Value> row;
    for (auto scan = db.scan(table); scan->next(row);) scanned[scan->rowId()] = row;
    int answered = 0;
    for (std::size_t i = 0; i < table.indexes.size(); ++i) {
        const jet::IndexDef& index = table.indexes[i];
        const std::string where = table.name + "." + index.name;
        auto all = db.seek(table, i, {}, {});
        if (!all) continue;
        ++answered;
        std::vector<jet::RowId> walked;
        std::vector<std::vector<Value>> inOrder;
        while (all->next(row)) {
            walked.push_back(all->rowId());
            inOrder.push_back(row);
            const auto found = scanned.find(all->rowId());
            EXPECT_TRUE(found != scanned.end() && found->second == row) << where;
        }
        std::vector<jet::RowId> sorted = walked;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << where << ": een rij twee keer";
        if (!index.ignoreNulls) {
            EXPECT_EQ(walked.size(), scanned.size()) << where;
        }
        jet::KeyRange backward;
        backward.backward = true;
        std::vector<jet::RowId> reversed;
        for (auto back = db.seek(table, i, backward, {}); back && back->next(row);) reversed.push_back(back->rowId());
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(reversed, walked) << where << ": achteruit";

        const jet::ColumnDef* first = table.columnByNumber(index.columns.at(0).columnNumber);
        const auto position = static_cast<std::size_t>(first - table.columns.data());
        if (numeric(first->type)) {
            const bool ascending = index.columns[0].ascending;
            EXPECT_TRUE(std::is_sorted(inOrder.begin(), inOrder.end(), [&](const auto& a, const auto& b) {
                const Value &x = a[position], &y = b[position];
                if (x.isNull() || y.isNull()) return ascending ? x.isNull() && !y.isNull() : !x.isNull() && y.isNull();
                return ascending ? number(x) < number(y) : number(x) > number(y);
            })) << where;
        } else if (first->type == jet::ColumnType::Text && db.textOrder(table, position) != jet::TextOrder::Unknown) {
            expectTextOrder(inOrder, position, index.columns[0].ascending, db.textOrder(table, position), where);
            ++textIndexesChecked;
        }

        // Every few rows: the seek for its whole key finds it.
        for (std::size_t r = 0; r < inOrder.size(); r += std::max<std::size_t>(1, inOrder.size() / 25)) {
            jet::KeyRange key;
            for (const jet::IndexColumn& column : index.columns)
                key.equal.push_back(inOrder[r][static_cast<std::size_t>(table.columnByNumber(column.columnNumber)
                                                                        - table.columns.data())]);
            auto same = db.seek(table, i, key, {});
            if (!same) continue;
            bool found = false;
            while (same->next(row)) found = found || same->rowId() == walked[r];
            EXPECT_TRUE(found) << where << ", rij " << r;
        }
    }
    return answered;
}

TEST(IndexCorpus, AccessMadeIndexesAnswerSeeksAsTheirTablesHoldThem)
{
    QUERIMO_REQUIRE_CORPUS();
    int answered = 0;
    for (const auto& path : test::corpusFiles()) {
        std::unique_ptr<jet::Database> db;
        try {
            jet::OpenOptions options;
            options.path = path.string();
            db = jet::Database::open(options);
        } catch (const DbError&) {
            continue;  // a file that needs a password
        }
        for (const jet::CatalogEntry& entry : db->catalog()) {
            if (entry.kind != jet::ObjectKind::Table) continue;
            SCOPED_TRACE(path.filename().string() + ": " + entry.name);
            answered += checkTable(*db, db->table(entry.name));
        }
    }
    EXPECT_GT(answered, 50);
    EXPECT_GT(textIndexesChecked, 10);
}

TEST(IndexCorpus, TextComparesInTheFilesOwnOrder)
{
    for (const auto& [file, order] :
         std::vector<std::pair<std::string, jet::TextOrder>>{{"northwind-jet4.mdb", jet::TextOrder::General},
                                                             {"indexTestV1997.mdb", jet::TextOrder::General97},
                                                             {"empty2010.accdb", jet::TextOrder::General2010},
                                                             {"empty2007.accdb", jet::TextOrder::General}}) {
        QUERIMO_REQUIRE_CORPUS_FILE(file);
        EXPECT_EQ(test::openCorpus(file)->textOrder(), order) << file;
    }
}

TEST(IndexCorpus, NorthwindLookupsThroughStatementsMatchScans)
{
    QUERIMO_REQUIRE_CORPUS_FILE("northwind-jet4.mdb");
    auto db = test::openCorpus("northwind-jet4.mdb");
    const auto count = [&](const std::string& text) { return sql::run(*db, text).rows->value(0, 0).integer; };
    for (const auto& [indexed, scanned] : std::vector<std::pair<std::string, std::string>>{
             {"SELECT Count(*) FROM Orders WHERE CustomerID = 'alfki'",
              "SELECT Count(*) FROM Orders WHERE CustomerID & '' = 'alfki'"},
             {"SELECT Count(*) FROM Orders WHERE OrderID BETWEEN 10300 AND 10400",
              "SELECT Count(*) FROM Orders WHERE OrderID + 0 BETWEEN 10300 AND 10400"},
             {"SELECT Count(*) FROM Orders INNER JOIN Customers ON Orders.CustomerID = Customers.CustomerID",
              "SELECT Count(*) FROM Orders INNER JOIN Customers ON Orders.CustomerID & '' = Customers.CustomerID & ''"},
             {"SELECT Count(*) FROM [Order Details] WHERE ProductID IN (1, 11, 42)",
              "SELECT Count(*) FROM [Order Details] WHERE ProductID + 0 IN (1, 11, 42)"}})
        EXPECT_EQ(count(indexed), count(scanned)) << indexed;
}

}  // namespace
}  // namespace querimo
