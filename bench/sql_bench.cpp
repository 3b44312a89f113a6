// Our engine (Access SQL over the Jet file through virtual tables) against plain SQLite on the same rows in
// ordinary tables: a filtered scan, a GROUP BY aggregate and a join on a key. Prints times and ratios.
// The data are a million orders with their customers, in a database our writer makes once in the build
// folder (bench-data); the first argument sets the runs per batch, the second the number of orders.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "LargeDatabase.h"
#include "core/Error.h"
#include "jet/Database.h"
#include "sql/RowBuffer.h"
#include "sql/Sql.h"
#include "sql/SqliteValue.h"

using namespace querimo;

namespace {

// Processor time per run, the best of five batches: the machine may be busy with other work, which
// stretches wall time for both sides alike but not the time each one computes.
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

// Copies a Jet table into an ordinary SQLite table with the same column names.
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

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 2;
    const int orders = argc > 2 ? std::atoi(argv[2]) : 1000000;
    try {
        std::filesystem::create_directories("bench-data");
        jet::OpenOptions options;
        options.path = bench::largeDatabase("bench-data", orders);
        auto jet = jet::Database::open(options);
        sqlite3* plain = nullptr;
        sqlite3_open(":memory:", &plain);
        copyTable(*jet, plain, "Klant", "KlantNr");
        copyTable(*jet, plain, "Bestelling", "BestelNr");

        struct Case {
            const char* name;
            const char* access;
            const char* sqlite;
        };
        const Case cases[] = {
            {"gefilterde scan", "SELECT BestelNr, KlantNr, Aantal FROM Bestelling WHERE Aantal > 45",
             "SELECT BestelNr, KlantNr, Aantal FROM Bestelling WHERE Aantal > 45"},
            {"GROUP BY", "SELECT KlantNr, Sum(Aantal), Count(*) FROM Bestelling GROUP BY KlantNr",
             "SELECT KlantNr, sum(Aantal), count(*) FROM Bestelling GROUP BY KlantNr"},
            {"join op sleutel",
             "SELECT Klant.Plaats, Bestelling.Aantal FROM Klant INNER JOIN Bestelling "
             "ON Klant.KlantNr = Bestelling.KlantNr WHERE Bestelling.Aantal > 45",
             "SELECT Klant.Plaats, Bestelling.Aantal FROM Bestelling INNER JOIN Klant "
             "ON Klant.KlantNr = Bestelling.KlantNr WHERE Bestelling.Aantal > 45"},
        };
        std::printf("%-18s %10s %10s %8s %8s\n", "query", "ons (ms)", "sqlite", "factor",
                    "rijen");  // processortijd per keer
        for (const Case& c : cases) {
            sql::PreparedStatement statement = sql::prepare(*jet, c.access);
            std::size_t ourRows = 0, plainCount = 0;
            const double ours = millisecondsPerRun(
                runs, [&] { return statement.execute({}).rows->rowCount(); }, ourRows);
            const double theirs = millisecondsPerRun(
                runs, [&] { return plainRows(plain, c.sqlite); }, plainCount);
            std::printf("%-18s %10.3f %10.3f %8.2f %8zu%s\n", c.name, ours, theirs, ours / theirs, ourRows,
                        ourRows == plainCount ? "" : "  (aantallen verschillen!)");
        }
        sqlite3_close(plain);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
