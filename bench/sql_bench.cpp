// Our engine (Access SQL over the Jet file through virtual tables) against plain SQLite on the same rows in
// ordinary tables: a filtered scan, a GROUP BY aggregate and a join on a key. Prints times and ratios.
// The data are a million orders with their customers, in a database our writer makes once in the build
// folder (bench-data); the first argument sets the runs per batch, the second the number of orders.
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "LargeDatabase.h"
#include "SideBySide.h"
#include "core/Error.h"
#include "jet/Database.h"
#include "sql/Sql.h"

using namespace querimo;
using namespace querimo::bench;

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
