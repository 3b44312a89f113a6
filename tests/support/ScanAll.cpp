#include "support/ScanAll.h"

#include <stdexcept>
#include <vector>

#include "jet/Database.h"

namespace querimo::test {

namespace {

void readAll(jet::TableScan& reader, std::size_t maxRows, const std::string& name)
{
    std::size_t rows = 0;
    std::vector<Value> row;
    while (reader.next(row))
        if (++rows > maxRows) throw std::length_error("walk of an index of " + name + " does not end");
}

// Every row of one index in key order, then the rows whose first key column holds the first row's value,
// sought again with the same reader (as a join seeks).
void walkIndex(jet::Database& db, const jet::TableDef& table, std::size_t index, std::size_t maxRows)
{
    auto reader = db.seek(table, index, {}, {});
    std::vector<Value> first;
    if (!reader || !reader->next(first)) return;
    readAll(*reader, maxRows, table.name);
    const auto& columns = table.indexes[index].columns;
    const jet::ColumnDef* column = columns.empty() ? nullptr : table.columnByNumber(columns[0].columnNumber);
    if (!column) return;
    const auto position = static_cast<std::size_t>(column - table.columns.data());
    if (position < first.size() && reader->seekAgain({{first[position]}, {}, {}, true, true}))
        readAll(*reader, maxRows, table.name);
}

}  // namespace

std::size_t scanEverything(const std::string& path, std::size_t maxRows,
                           const std::function<void(const DbError&)>& onError)
{
    auto db = jet::Database::open({path, false, ""});
    std::size_t rows = 0;
    std::vector<Value> row;
    for (const jet::CatalogEntry& entry : db->catalog()) {
        try {
            if (entry.kind == jet::ObjectKind::Query) {
                rows += db->queryRows(entry.id).size();
            } else if (entry.kind != jet::ObjectKind::LinkedTable) {
                const jet::TableDef& table = db->table(entry.name);
                auto scan = db->scan(table);
                while (scan->next(row))
                    if (++rows > maxRows) throw std::length_error("scan of " + entry.name + " does not end");
                for (std::size_t index = 0; index < table.indexes.size(); ++index) walkIndex(*db, table, index, maxRows);
            }
        } catch (const DbError& e) {
            onError(e);
        }
    }
    return rows;
}

}  // namespace querimo::test
