#pragma once
// The shop database of the SQL tests, recording the changes an action statement makes instead of writing them.
#include <optional>
#include <string>
#include <vector>

#include "sql_fake_database.h"

namespace querimo::test {

class RecordingDatabase : public FakeDatabase {
public:
    struct Change {
        enum class Kind { Insert, Update, Delete } kind;
        std::string table;
        jet::RowId row = 0;
        std::vector<Value> values;
    };

    std::vector<Change> changes;      // of the statement under way and the committed ones
    std::vector<jet::TableDef> created;
    int begun = 0, committed = 0, rolledBack = 0;
    std::optional<std::size_t> failAtInsert;  // the n-th insert (from 0) fails, as a duplicate key would

    void beginStatement() override { ++begun; }
    void commitStatement() override { ++committed; }
    void rollbackStatement() override { ++rolledBack; }
    jet::RowId insertRow(const jet::TableDef& table, std::vector<Value> values) override
    {
        if (failAtInsert && *failAtInsert == inserts_++)
            throw DbError(errc::integrity, "dubbele waarde in de index");
        changes.push_back({Change::Kind::Insert, table.name, 0, std::move(values)});
        return 0;
    }
    void updateRow(const jet::TableDef& table, jet::RowId row, std::vector<Value> values) override
    {
        changes.push_back({Change::Kind::Update, table.name, row, std::move(values)});
    }
    void deleteRow(const jet::TableDef& table, jet::RowId row) override
    {
        changes.push_back({Change::Kind::Delete, table.name, row, {}});
    }
    void createTable(const jet::TableDef& table) override
    {
        created.push_back(table);
        std::vector<Column> columns;
        for (const jet::ColumnDef& c : table.columns) columns.emplace_back(c.name, c.type);
        addTable(table.name, columns, {});
        for (std::size_t i = 0; i < table.columns.size(); ++i) editTable(table.name).columns[i].size = table.columns[i].size;
    }

private:
    std::size_t inserts_ = 0;
};

}  // namespace querimo::test
