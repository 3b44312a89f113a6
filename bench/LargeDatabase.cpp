#include "LargeDatabase.h"

#include <algorithm>
#include <cstdio>

#include "jet/Database.h"
#include "sql/Sql.h"

namespace querimo::bench {
namespace {

constexpr int ordersPerCustomer = 100;

// A fixed sequence of pseudo-random numbers: the same file every time.
struct Numbers {
    std::uint32_t state = 20261207;
    std::uint32_t next(std::uint32_t below)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % below;
    }
};

void fill(jet::Database& db, int orders)
{
    Numbers numbers;
    const int customers = std::max(1, orders / ordersPerCustomer);
    db.beginStatement();
    const jet::TableDef& klant = db.table("Klant");
    for (int k = 1; k <= customers; ++k)
        db.insertRow(klant, {Value::int32(k), Value::text("Klant " + std::to_string(k)),
                             Value::text("Plaats " + std::to_string(numbers.next(250)))});
    const jet::TableDef& bestelling = db.table("Bestelling");
    for (int b = 1; b <= orders; ++b)
        db.insertRow(bestelling, {Value::int32(b), Value::int32(static_cast<std::int32_t>(1 + numbers.next(customers))),
                                  Value::dateTime(45000.0 + numbers.next(1500)),
                                  Value::int32(static_cast<std::int32_t>(1 + numbers.next(50))),
                                  Value::currency(static_cast<std::int64_t>(numbers.next(100000)) * 100)});
    db.commitStatement();
}

}  // namespace

std::string largeDatabase(const std::filesystem::path& folder, int orders)
{
    const std::string path = (folder / ("groot-" + std::to_string(orders) + ".mdb")).string();
    if (std::filesystem::exists(path)) return path;
    const std::string making = path + ".nieuw";
    std::filesystem::remove(making);
    std::fprintf(stderr, "%s wordt gemaakt (%d bestellingen)...\n", path.c_str(), orders);
    jet::Database::create(making, jet::Version::Jet4);
    {
        jet::OpenOptions options;
        options.path = making;
        auto db = jet::Database::open(options);
        sql::run(*db, "CREATE TABLE Klant (KlantNr LONG CONSTRAINT pkKlant PRIMARY KEY, Naam TEXT(50), "
                      "Plaats TEXT(30))");
        sql::run(*db, "CREATE TABLE Bestelling (BestelNr LONG CONSTRAINT pkBestelling PRIMARY KEY, "
                      "KlantNr LONG, Datum DATETIME, Aantal LONG, Bedrag CURRENCY)");
        fill(*db, orders);
    }
    std::filesystem::rename(making, path);
    return path;
}

}  // namespace querimo::bench
