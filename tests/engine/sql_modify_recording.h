#pragma once
// The shop database of the SQL tests, recording the changes an action statement makes instead of writing them.
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

    std::vector<Change> changes;  // of the statement under way and the committed ones
    int begun = 0, committed = 0, rolledBack = 0;

    void beginStatement() override { ++begun; }
    void commitStatement() override { ++committed; }
    void rollbackStatement() override { ++rolledBack; }
    jet::RowId insertRow(const jet::TableDef& table, std::vector<Value> values) override
    {
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
};

}  // namespace querimo::test
