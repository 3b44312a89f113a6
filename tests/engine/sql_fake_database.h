#pragma once
// A Jet database held in memory, for the SQL tests: tables with rows and stored queries as MSysQueries rows.
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/Database.h"
#include "jet_test_files.h"
#include "sql/Execution.h"
#include "sql/Parser.h"

namespace querimo::test {

class FakeDatabase : public jet::Database {
public:
    using Column = std::pair<std::string, jet::ColumnType>;

    void addTable(const std::string& name, const std::vector<Column>& columns, std::vector<std::vector<Value>> rows)
    {
        auto t = std::make_unique<Table>();
        t->def.name = name;
        int ordinal = 1;
        for (const auto& [columnName, type] : columns) {
            jet::ColumnDef c;
            c.name = columnName;
            c.type = type;
            c.number = ordinal - 1;
            c.ordinal = ordinal++;
            t->def.columns.push_back(c);
        }
        t->def.rowCount = static_cast<std::uint32_t>(rows.size());
        t->rows = std::move(rows);
        catalog_.push_back({name, jet::ObjectKind::Table, static_cast<std::int32_t>(catalog_.size() + 1), 0, {}, {}});
        tables_.push_back(std::move(t));
    }

    void addQuery(const std::string& name, std::vector<jet::QueryRow> rows)
    {
        const auto id = static_cast<std::int32_t>(catalog_.size() + 1);
        catalog_.push_back({name, jet::ObjectKind::Query, id, 0, {}, {}});
        queries_.emplace_back(id, std::move(rows));
    }

    // A table's definition, to give columns sizes, defaults or flags after addTable.
    jet::TableDef& editTable(std::string_view name) { return find(name).def; }

    // The number of scans started, to see that a join reads a table once.
    int scans = 0;

    jet::Version version() const override { return jet::Version::Jet4; }
    const std::string& path() const override { return path_; }
    const std::vector<jet::CatalogEntry>& catalog() const override { return catalog_; }
    std::uint64_t schemaVersion() const override { return 0; }  // its tables never change
    const jet::TableDef& table(std::string_view name) override { return find(name).def; }
    std::unique_ptr<jet::TableScan> scan(const jet::TableDef& table) override
    {
        ++scans;
        return std::make_unique<Scan>(find(table.name).rows);
    }
    std::vector<jet::QueryRow> queryRows(std::int32_t objectId) override
    {
        for (const auto& [id, rows] : queries_)
            if (id == objectId) return rows;
        return {};
    }

    // Held in memory for reading only.
    void beginRead() override {}
    void endRead() override {}
    void beginStatement() override { refuse(); }
    void commitStatement() override { refuse(); }
    void rollbackStatement() override {}
    jet::RowId insertRow(const jet::TableDef&, std::vector<Value>) override { refuse(); }
    void updateRow(const jet::TableDef&, jet::RowId, std::vector<Value>) override { refuse(); }
    void deleteRow(const jet::TableDef&, jet::RowId) override { refuse(); }
    void createTable(const jet::TableDef&) override { refuse(); }
    void dropTable(std::string_view) override { refuse(); }
    void addColumn(std::string_view, const jet::ColumnDef&) override { refuse(); }
    void dropColumn(std::string_view, std::string_view) override { refuse(); }
    void alterColumn(std::string_view, const jet::ColumnDef&, const jet::ColumnConversion&) override { refuse(); }
    void setNextAutoNumber(std::string_view, std::uint32_t) override { refuse(); }
    void createIndex(std::string_view, const jet::IndexDef&) override { refuse(); }
    void dropIndex(std::string_view, std::string_view) override { refuse(); }
    void createRelationship(std::string_view, const jet::IndexDef&, std::string_view, const std::vector<std::string>&,
                            const jet::ReferentialActions&) override
    {
        refuse();
    }
    void createQuery(const std::string&, const std::vector<jet::QueryRow>&) override { refuse(); }
    void dropQuery(std::string_view) override { refuse(); }
    void changeDatabasePassword(const std::string&, const std::string&) override { refuse(); }

private:
    [[noreturn]] static void refuse() { throw DbError(errc::fail, "de nepdatabase kan niet schrijven"); }

    struct Table {
        jet::TableDef def;
        std::vector<std::vector<Value>> rows;
    };
    class Scan : public jet::TableScan {
    public:
        explicit Scan(const std::vector<std::vector<Value>>& rows) : rows_(rows) {}
        bool next(std::vector<Value>& row) override
        {
            if (at_ >= rows_.size()) return false;
            row = rows_[at_++];
            return true;
        }
        jet::RowId rowId() const override { return static_cast<jet::RowId>(at_); }

    private:
        const std::vector<std::vector<Value>>& rows_;
        std::size_t at_ = 0;
    };

    Table& find(std::string_view name)
    {
        for (auto& t : tables_)
            if (text::equalsIgnoreCase(t->def.name, name)) return *t;
        throw DbError(errc::notFound, "geen tabel " + std::string(name));
    }

    std::string path_ = "nep.mdb";
    std::vector<jet::CatalogEntry> catalog_;
    std::vector<std::unique_ptr<Table>> tables_;
    std::vector<std::pair<std::int32_t, std::vector<jet::QueryRow>>> queries_;
};

// A small order database: Customers, Orders, [Order Details], Products.
template <typename Database = FakeDatabase>
std::unique_ptr<Database> makeShop()
{
    using jet::ColumnType;
    auto db = std::make_unique<Database>();
    auto day = [](double d) { return Value::dateTime(d); };
    auto money = [](double m) { return Value::currency(static_cast<std::int64_t>(m * 10000)); };
    db->addTable("Customers",
                 {{"CustomerID", ColumnType::Text},
                  {"CompanyName", ColumnType::Text},
                  {"City", ColumnType::Text},
                  {"Country", ColumnType::Text}},
                 {{Value::text("ALFKI"), Value::text("Alfreds"), Value::text("Berlin"), Value::text("Germany")},
                  {Value::text("AROUT"), Value::text("Around the Horn"), Value::text("London"), Value::text("UK")},
                  {Value::text("BSBEV"), Value::text("B's Beverages"), Value::text("london"), Value::text("UK")},
                  {Value::text("ZZZZZ"), Value::text("zebra"), Value::null(), Value::text("Nederland")}});
    // 37622 = 2003-01-01
    db->addTable("Orders",
                 {{"OrderID", ColumnType::Long},
                  {"CustomerID", ColumnType::Text},
                  {"OrderDate", ColumnType::DateTime},
                  {"Freight", ColumnType::Currency}},
                 {{Value::int32(1), Value::text("ALFKI"), day(37622), money(10.5)},
                  {Value::int32(2), Value::text("alfki"), day(37653), money(20)},
                  {Value::int32(3), Value::text("AROUT"), day(37681), money(5.25)},
                  {Value::int32(4), Value::text("BSBEV"), day(37712.5), money(0)}});
    db->addTable("Order Details",
                 {{"OrderID", ColumnType::Long},
                  {"ProductID", ColumnType::Long},
                  {"UnitPrice", ColumnType::Currency},
                  {"Quantity", ColumnType::Integer},
                  {"Discount", ColumnType::Single}},
                 {{Value::int32(1), Value::int32(10), money(2.5), Value::int16(4), Value::single(0)},
                  {Value::int32(1), Value::int32(11), money(10), Value::int16(1), Value::single(0.5f)},
                  {Value::int32(2), Value::int32(10), money(2.5), Value::int16(10), Value::single(0)},
                  {Value::int32(3), Value::int32(12), money(7), Value::int16(3), Value::single(0)},
                  {Value::int32(4), Value::int32(12), money(7), Value::int16(2), Value::single(0)}});
    db->addTable("Products",
                 {{"ProductID", ColumnType::Long},
                  {"ProductName", ColumnType::Text},
                  {"UnitPrice", ColumnType::Currency},
                  {"Discontinued", ColumnType::Boolean}},
                 {{Value::int32(10), Value::text("Chai"), money(2.5), Value::boolean(false)},
                  {Value::int32(11), Value::text("Chang"), money(10), Value::boolean(true)},
                  {Value::int32(12), Value::text("Aniseed Syrup"), money(7), Value::boolean(false)},
                  {Value::int32(13), Value::text("Tofu"), money(10), Value::boolean(false)}});
    return db;
}

// Queries on the shop: the result, its first value, or the error the statement fails with.
class ShopQueries : public ::testing::Test {
protected:
    sql::QueryResult run(const std::string& text, const sql::ParameterValues& values = {})
    {
        return sql::runQuery(*db, sql::parseStatement(text), values);
    }
    Value one(const std::string& text) { return run(text).rows->value(0, 0); }
    DbError failure(const std::string& text, const sql::ParameterValues& values = {})
    {
        return errorFrom([&] { run(text, values); }, text);
    }

    std::unique_ptr<FakeDatabase> db = makeShop();
};

}  // namespace querimo::test
