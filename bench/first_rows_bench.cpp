// How soon the first rows of a large result can be shown, against how long reading all of them takes:
// SELECT * of a million orders, handed out while read and read whole first (the first row then shows when
// the last is read), beside plain SQLite stepping the same rows from an ordinary table. Also the peak memory
// against the result's budget. Arguments: runs, number of orders; then, to time another query on the orders,
// a database that holds them (index_bench makes one with indexes) and the query, e.g. an ORDER BY that an
// index walk answers (the first rows at once) or a sort answers (the first row when the last is sorted).
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/resource.h>

#include "LargeDatabase.h"
#include "SideBySide.h"
#include "core/Error.h"
#include "jet/Database.h"
#include "sql/Sql.h"

using namespace querimo;
using clock_type = std::chrono::steady_clock;

namespace {

double since(clock_type::time_point start)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Plain SQLite: the first row and the last, in ms.
std::pair<double, double> plainTimes(sqlite3* db, const char* query)
{
    const auto start = clock_type::now();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, query, -1, &stmt, nullptr);
    double first = -1;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        if (first < 0) first = since(start);
    sqlite3_finalize(stmt);
    return {first, since(start)};
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    const int orders = argc > 2 ? std::atoi(argv[2]) : 1000000;
    try {
        std::filesystem::create_directories("bench-data");
        jet::OpenOptions options;
        options.path = argc > 4 ? std::string(argv[3]) : bench::largeDatabase("bench-data", orders);
        auto jet = jet::Database::open(options);
        sqlite3* plain = nullptr;
        sqlite3_open(":memory:", &plain);
        bench::copyTable(*jet, plain, "Bestelling", "BestelNr");
        bench::exec(plain, "CREATE INDEX iDatum ON Bestelling (Datum)");
        const long peakBefore = peakMegabytes();

        const char* query = argc > 4 ? argv[4] : "SELECT * FROM Bestelling";
        sql::PreparedStatement statement = sql::prepare(*jet, query);
        std::printf("%-6s %12s %12s %12s %14s %14s %8s\n", "keer", "ons eerste", "ons laatste", "heel eerst",
                    "sqlite eerste", "sqlite laatste", "rijen");
        for (int run = 0; run < runs; ++run) {
            const auto start = clock_type::now();
            double first = -1;
            sql::RowsArriving arriving;
            arriving.grown = [&](std::size_t) {
                if (first < 0) first = since(start);
            };
            // Each result goes before the next is read: the peak is that of one.
            const std::size_t rows = statement.execute({}, nullptr, &arriving).rows->rowCount();
            const double last = since(start);
            const auto wholeStart = clock_type::now();
            statement.execute({});
            const double whole = since(wholeStart);
            const auto [plainFirst, plainLast] = plainTimes(plain, query);
            std::printf("%-6d %12.1f %12.1f %12.1f %14.1f %14.1f %8zu\n", run + 1, first, last, whole, plainFirst,
                        plainLast, rows);
        }
        std::printf("piekgeheugen: %ld MB (%ld MB voor de query's), budget %zu MB\n", peakMegabytes(), peakBefore,
                    sql::resultMemoryBudget() >> 20);
        sqlite3_close(plain);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
