#include "SideBySide.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "sql/RowBuffer.h"
#include "sql/SqliteValue.h"

namespace querimo::bench {

double millisecondsPerRun(int runs, const std::function<std::size_t()>& run, std::size_t& rows)
{
    rows = run();  // warm the page cache once
    double best = 0;
    for (int batch = 0; batch < 5; ++batch) {
        const std::clock_t start = std::clock();
        for (int i = 0; i < runs; ++i) rows = run();
        const double ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / runs;
        best = batch == 0 ? ms : std::min(best, ms);
    }
    return best;
}

void exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", error ? error : "?");
        std::exit(1);
    }
}

void copyTable(jet::Database& jet, sqlite3* db, const std::string& name, const std::string& keyColumn)
{
    const jet::TableDef& table = jet.table(name);
    std::string create = "CREATE TABLE \"" + name + "\" (", insert = "INSERT INTO \"" + name + "\" VALUES (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        create += (i ? ", \"" : "\"") + table.columns[i].name + "\""
                  + (table.columns[i].name == keyColumn ? " INTEGER PRIMARY KEY" : "");
        insert += i ? ", ?" : "?";
    }
    exec(db, create + ")");
    exec(db, "BEGIN");
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &stmt, nullptr);
    auto scan = jet.scan(table);
    std::vector<Value> row;
    while (scan->next(row)) {
        for (std::size_t i = 0; i < row.size(); ++i) sql::bindValue(stmt, static_cast<int>(i + 1), row[i]);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    exec(db, "COMMIT");
}

std::size_t plainRows(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    const int columns = sqlite3_column_count(stmt);
    sql::RowBuffer rows(static_cast<std::size_t>(columns));  // kept as our engine keeps its results
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        rows.beginRow();
        for (int c = 0; c < columns; ++c) rows.addSqlite(sqlite3_column_value(stmt, c));
    }
    sqlite3_finalize(stmt);
    return rows.rowCount();
}

}  // namespace querimo::bench
