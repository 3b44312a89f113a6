// Reads through indexes, our engine against plain SQLite with the same rows and the same indexes: a lookup
// by primary key in 10,000 and in 1,000,000 orders (its time should not grow with the table), a range of 1%
// of the orders on an indexed date, a join of 1,000 orders to their customers, a customer by name, names by
// their start (Like) and by a range, names sorted through their index and by a sort, the orders sorted by their
// indexed date (both ways, whole and its first hundred), by customer and date through a two-column index (these
// at 100,000 orders too), and every order to the last row. Text compares without letter case on both sides (ours: in
// Access's General sort order; SQLite: NOCASE). Prints times and ratios. The first argument sets the runs per
// batch of the short statements; a second one runs only the cases whose name holds it (for profiling one).
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "LargeDatabase.h"
#include "SideBySide.h"
#include "core/Error.h"
#include "jet/Database.h"
#include "sql/Sql.h"

using namespace querimo;
using namespace querimo::bench;

namespace {

std::string only;  // runs the cases whose name holds it; empty for all

bool chosen(const std::string& name)
{
    return name.find(only) != std::string::npos;
}

// The large database of `orders` orders with indexes on Bestelling.Datum and Klant.Naam, made once beside it.
std::string withIndexes(int orders)
{
    const std::filesystem::path plain = largeDatabase("bench-data", orders);
    const std::filesystem::path indexed = "bench-data/groot-" + std::to_string(orders) + "-indexen2.mdb";
    if (std::filesystem::exists(indexed)) return indexed.string();
    const std::filesystem::path making = indexed.string() + ".nieuw";
    std::filesystem::copy_file(plain, making, std::filesystem::copy_options::overwrite_existing);
    {
        jet::OpenOptions options;
        options.path = making.string();
        auto db = jet::Database::open(options);
        sql::run(*db, "CREATE INDEX iDatum ON Bestelling (Datum)");
        sql::run(*db, "CREATE INDEX iNaam ON Klant (Naam)");
        sql::run(*db, "CREATE INDEX iKlantDatum ON Bestelling (KlantNr, Datum)");
    }
    std::filesystem::rename(making, indexed);
    return indexed.string();
}

struct Case {
    const char* name;
    const char* access;
    const char* sqlite;
    int runs;
};

void compare(jet::Database& jet, sqlite3* plain, const Case& c)
{
    if (!chosen(c.name)) return;
    sql::PreparedStatement statement = sql::prepare(jet, c.access);
    std::size_t ourRows = 0, plainCount = 0;
    const double ours = millisecondsPerRun(
        c.runs, [&] { return statement.execute({}).rows->rowCount(); }, ourRows);
    const double theirs = millisecondsPerRun(
        c.runs, [&] { return plainRows(plain, c.sqlite); }, plainCount);
    std::printf("%-28s %10.4f %10.4f %8.2f %8zu%s\n", c.name, ours, theirs, ours / theirs, ourRows,
                ourRows == plainCount ? "" : "  (aantallen verschillen!)");
}

// A thousand lookups by key straight through the storage layer, against SQLite stepping one prepared
// statement: what a lookup costs without compiling and setting up a statement.
void storageLookups(jet::Database& jet, sqlite3* plain, int orders, int runs)
{
    const std::string name = "1000 sleutels, opslag (" + std::to_string(orders) + ")";
    if (!chosen(name)) return;
    const jet::TableDef& table = jet.table("Bestelling");
    std::size_t key = 0;
    while (key < table.indexes.size() && !table.indexes[key].primaryKey) ++key;
    std::size_t ours = 0, theirs = 0;
    const auto keyAt = [orders](int i) { return 1 + (i * 7919) % orders; };
    const double jetMs = millisecondsPerRun(
        runs,
        [&] {
            std::size_t found = 0;
            std::vector<Value> row;
            for (int i = 0; i < 1000; ++i) {
                auto rows = jet.seek(table, key, {{Value::int32(keyAt(i))}, {}, {}, true, true}, {});
                while (rows->next(row)) ++found;
            }
            return found;
        },
        ours);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(plain, "SELECT * FROM Bestelling WHERE BestelNr = ?", -1, &stmt, nullptr);
    const double sqliteMs = millisecondsPerRun(
        runs,
        [&] {
            std::size_t found = 0;
            for (int i = 0; i < 1000; ++i) {
                sqlite3_bind_int(stmt, 1, keyAt(i));
                while (sqlite3_step(stmt) == SQLITE_ROW) ++found;
                sqlite3_reset(stmt);
            }
            return found;
        },
        theirs);
    sqlite3_finalize(stmt);
    std::printf("%-28s %10.4f %10.4f %8.2f %8zu%s\n", name.c_str(), jetMs, sqliteMs, jetMs / sqliteMs, ours,
                ours == theirs ? "" : "  (aantallen verschillen!)");
}

// Whole tables sorted by indexed columns, both ways, their first hundred (with ties, as TOP gives them), and
// a sort SQLite must do on both sides.
void sorts(jet::Database& jet, sqlite3* plain, int runs)
{
    compare(jet, plain,
            {"alles ORDER BY Datum", "SELECT BestelNr, Datum FROM Bestelling ORDER BY Datum",
             "SELECT BestelNr, Datum FROM Bestelling ORDER BY Datum", 1});
    compare(jet, plain,
            {"alles ORDER BY Datum DESC", "SELECT BestelNr, Datum FROM Bestelling ORDER BY Datum DESC",
             "SELECT BestelNr, Datum FROM Bestelling ORDER BY Datum DESC", 1});
    compare(jet, plain,
            {"TOP 100 ORDER BY Datum", "SELECT TOP 100 BestelNr, Datum FROM Bestelling ORDER BY Datum",
             "SELECT BestelNr, Datum FROM Bestelling WHERE Datum <= (SELECT Datum FROM Bestelling ORDER BY Datum "
             "LIMIT 1 OFFSET 99) ORDER BY Datum",
             std::max(1, runs / 10)});
    compare(jet, plain,
            {"TOP 100 ORDER BY Datum DESC", "SELECT TOP 100 BestelNr, Datum FROM Bestelling ORDER BY Datum DESC",
             "SELECT BestelNr, Datum FROM Bestelling WHERE Datum >= (SELECT Datum FROM Bestelling ORDER BY Datum DESC "
             "LIMIT 1 OFFSET 99) ORDER BY Datum DESC",
             std::max(1, runs / 10)});
    compare(jet, plain,
            {"alles ORDER BY KlantNr, Datum", "SELECT BestelNr, KlantNr, Datum FROM Bestelling ORDER BY KlantNr, Datum",
             "SELECT BestelNr, KlantNr, Datum FROM Bestelling ORDER BY KlantNr, Datum", 1});
    compare(jet, plain,
            {"10 klanten, beide DESC",
             "SELECT * FROM Bestelling WHERE KlantNr BETWEEN 100 AND 109 ORDER BY KlantNr DESC, Datum DESC",
             "SELECT * FROM Bestelling WHERE KlantNr BETWEEN 100 AND 109 ORDER BY KlantNr DESC, Datum DESC",
             std::max(1, runs / 10)});
    compare(jet, plain,
            {"alles ORDER BY Datum + 0", "SELECT BestelNr, Datum FROM Bestelling ORDER BY Datum + 0",
             "SELECT BestelNr, Datum FROM Bestelling ORDER BY Datum + 0", 1});
}

enum class Cases { Lookups, Sorts, All };

void run(int orders, int runs, Cases cases)
{
    jet::OpenOptions options;
    options.path = withIndexes(orders);
    auto jet = jet::Database::open(options);
    sqlite3* plain = nullptr;
    sqlite3_open(":memory:", &plain);
    copyTable(*jet, plain, "Klant", "KlantNr");
    copyTable(*jet, plain, "Bestelling", "BestelNr");
    exec(plain, "CREATE INDEX iDatum ON Bestelling (Datum)");
    exec(plain, "CREATE INDEX iNaam ON Klant (Naam COLLATE NOCASE)");
    exec(plain, "CREATE INDEX iKlantDatum ON Bestelling (KlantNr, Datum)");
    if (cases == Cases::Sorts) {
        std::printf("-- %d bestellingen\n", orders);
        sorts(*jet, plain, runs);
        sqlite3_close(plain);
        return;
    }
    const std::string lookup = "sleutel (" + std::to_string(orders) + " rijen)";
    compare(*jet, plain,
            {lookup.c_str(), "SELECT * FROM Bestelling WHERE BestelNr = 4321",
             "SELECT * FROM Bestelling WHERE BestelNr = 4321", runs});
    storageLookups(*jet, plain, orders, std::max(1, runs / 20));
    if (cases == Cases::All) {
        compare(*jet, plain,
                {"bereik 1% op Datum", "SELECT * FROM Bestelling WHERE Datum BETWEEN 45100 AND 45114",
                 "SELECT * FROM Bestelling WHERE Datum BETWEEN 45100 AND 45114", std::max(1, runs / 100)});
        compare(*jet, plain,
                {"join 1000 bestellingen",
                 "SELECT Bestelling.BestelNr, Klant.Naam FROM Bestelling INNER JOIN Klant "
                 "ON Klant.KlantNr = Bestelling.KlantNr WHERE Bestelling.BestelNr BETWEEN 20001 AND 21000",
                 "SELECT Bestelling.BestelNr, Klant.Naam FROM Bestelling INNER JOIN Klant "
                 "ON Klant.KlantNr = Bestelling.KlantNr WHERE Bestelling.BestelNr BETWEEN 20001 AND 21000",
                 std::max(1, runs / 20)});
        compare(*jet, plain,
                {"klant op naam", "SELECT * FROM Klant WHERE Naam = 'klant 4321'",
                 "SELECT * FROM Klant WHERE Naam = 'klant 4321' COLLATE NOCASE", runs});
        compare(*jet, plain,
                {"naam Like 'klant 12*'", "SELECT * FROM Klant WHERE Naam Like 'klant 12*'",
                 "SELECT * FROM Klant WHERE Naam >= 'klant 12' COLLATE NOCASE AND Naam < 'klant 13' COLLATE NOCASE",
                 std::max(1, runs / 10)});
        compare(*jet, plain,
                {"naam tussen (bereik)", "SELECT * FROM Klant WHERE Naam BETWEEN 'klant 500' AND 'klant 510'",
                 "SELECT * FROM Klant WHERE Naam COLLATE NOCASE BETWEEN 'klant 500' AND 'klant 510'",
                 std::max(1, runs / 10)});
        compare(*jet, plain,
                {"naam tussen, ORDER BY Naam",
                 "SELECT * FROM Klant WHERE Naam BETWEEN 'klant 500' AND 'klant 510' ORDER BY Naam DESC",
                 "SELECT * FROM Klant WHERE Naam COLLATE NOCASE BETWEEN 'klant 500' AND 'klant 510' "
                 "ORDER BY Naam COLLATE NOCASE DESC",
                 std::max(1, runs / 10)});
        compare(*jet, plain,
                {"klanten ORDER BY Naam", "SELECT KlantNr, Naam FROM Klant ORDER BY Naam",
                 "SELECT KlantNr, Naam FROM Klant ORDER BY Naam COLLATE NOCASE", std::max(1, runs / 100)});
        // Sorted by SQLite on both sides: what the collation costs (accents make every compare use keys).
        compare(*jet, plain,
                {"klanten ORDER BY Naam & ''", "SELECT KlantNr, Naam FROM Klant ORDER BY Naam & ''",
                 "SELECT KlantNr, Naam FROM Klant ORDER BY Naam || '' COLLATE NOCASE", std::max(1, runs / 100)});
        compare(*jet, plain,
                {"klanten ORDER BY 'é' & Naam", "SELECT KlantNr, Naam FROM Klant ORDER BY 'é' & Naam",
                 "SELECT KlantNr, Naam FROM Klant ORDER BY 'é' || Naam COLLATE NOCASE", std::max(1, runs / 100)});
        compare(*jet, plain,
                {"1% op Datum, ORDER BY Datum",
                 "SELECT * FROM Bestelling WHERE Datum BETWEEN 45100 AND 45114 ORDER BY Datum",
                 "SELECT * FROM Bestelling WHERE Datum BETWEEN 45100 AND 45114 ORDER BY Datum",
                 std::max(1, runs / 100)});
        sorts(*jet, plain, runs);
        compare(*jet, plain, {"SELECT * alle bestellingen", "SELECT * FROM Bestelling", "SELECT * FROM Bestelling", 1});
    }
    sqlite3_close(plain);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 200;
    if (argc > 2) only = argv[2];
    try {
        std::filesystem::create_directories("bench-data");
        std::printf("%-28s %10s %10s %8s %8s\n", "query", "ons (ms)", "sqlite", "factor", "rijen");
        run(10000, runs, Cases::Lookups);
        run(100000, runs, Cases::Sorts);
        run(1000000, runs, Cases::All);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
