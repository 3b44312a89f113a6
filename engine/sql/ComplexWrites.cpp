#include "sql/ComplexWrites.h"

#include <unordered_set>

#include "core/Error.h"

namespace querimo::sql {
namespace {

std::vector<std::size_t> complexPositions(const jet::TableDef& table)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].type == jet::ColumnType::Complex) out.push_back(i);
    return out;
}

// The ids the rows hold in each complex column, by the column's position.
std::vector<std::unordered_set<std::int64_t>> heldIds(jet::Database& database, const jet::TableDef& table,
                                                      const std::vector<std::size_t>& columns,
                                                      const std::vector<jet::RowId>& rows)
{
    const std::unordered_set<jet::RowId> wanted(rows.begin(), rows.end());
    std::vector<std::unordered_set<std::int64_t>> ids(columns.size());
    auto scan = database.scan(table, columns);
    for (std::vector<Value> row; scan->next(row);) {
        if (!wanted.count(scan->rowId())) continue;
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (row[columns[c]].kind == Value::Kind::Long) ids[c].insert(row[columns[c]].integer);
    }
    return ids;
}

}  // namespace

void refuseComplexWrite(const jet::ColumnDef& column)
{
    throw DbError(errc::fail, "Het veld '" + column.name
                                  + "' bevat bijlagen of meerdere waarden; zulke velden kunnen nog niet worden "
                                    "gewijzigd. Er is niets veranderd.");
}

void refuseInsertWithComplexColumns(const jet::TableDef& table)
{
    for (const jet::ColumnDef& column : table.columns)
        if (column.type == jet::ColumnType::Complex)
            throw DbError(errc::fail, "De tabel '" + table.name + "' heeft een veld met bijlagen of meerdere waarden ('"
                                          + column.name
                                          + "'); aan zo'n tabel kunnen nog geen records worden toegevoegd. Er is "
                                            "niets veranderd.");
}

void deleteComplexValues(jet::Database& database, const jet::TableDef& table, const std::vector<jet::RowId>& rows)
{
    const std::vector<std::size_t> columns = complexPositions(table);
    if (columns.empty() || rows.empty()) return;
    const auto ids = heldIds(database, table, columns, rows);
    std::vector<std::pair<const jet::TableDef*, std::vector<jet::RowId>>> doomed;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (ids[c].empty()) continue;
        const jet::ComplexColumn complex = database.complexColumn(table, table.columns[columns[c]]);
        const jet::TableDef& flat = database.table(complex.flatTable);
        const auto idColumn = static_cast<std::size_t>(flat.column(complex.valueIdColumn) - flat.columns.data());
        auto& flatRows = doomed.emplace_back(&flat, std::vector<jet::RowId>{}).second;
        auto scan = database.scan(flat, {idColumn});
        for (std::vector<Value> row; scan->next(row);)
            if (row[idColumn].kind == Value::Kind::Long && ids[c].count(row[idColumn].integer))
                flatRows.push_back(scan->rowId());
    }
    for (const auto& [flat, flatRows] : doomed)
        for (const jet::RowId id : flatRows) database.deleteRow(*flat, id);
}

}  // namespace querimo::sql
