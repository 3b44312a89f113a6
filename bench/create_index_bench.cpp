// Making indexes on large tables: CREATE INDEX on a number, a date and a text column, a unique index, and a
// relationship to a customer table, on tables of 80,000 and 1,000,000 rows (or the row counts given as
// arguments), against plain SQLite making the same index on the same rows in a file. Each case starts from a
// fresh copy of the file made once (without indexes) in bench-data. Prints wall and processor times, their
// ratios, and the file size each index added.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "SideBySide.h"
#include "core/Error.h"
#include "jet/Database.h"
#include "sql/Sql.h"

using namespace querimo;
using namespace querimo::bench;
namespace fs = std::filesystem;

namespace {

constexpr int rowsPerCustomer = 100;

struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing measure(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC};
}

// A fixed sequence of pseudo-random numbers: the same rows every time.
struct Numbers {
    std::uint32_t state = 20261208;
    std::uint32_t next(std::uint32_t below)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % below;
    }
};

// Rows in no key order: Nr is a permutation of 1..rows, so the unique index holds.
std::vector<std::vector<Value>> makeRows(int rows)
{
    Numbers numbers;
    std::vector<std::int32_t> order(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) order[static_cast<std::size_t>(i)] = i + 1;
    for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[numbers.next(static_cast<std::uint32_t>(i))]);
    const auto customers = static_cast<std::uint32_t>(std::max(1, rows / rowsPerCustomer));
    std::vector<std::vector<Value>> result;
    result.reserve(order.size());
    for (std::int32_t nr : order)
        result.push_back({Value::int32(nr), Value::int32(static_cast<std::int32_t>(1 + numbers.next(customers))),
                          Value::dateTime(40000.0 + numbers.next(8000) + numbers.next(1440) / 1440.0),
                          Value::text("Naam " + std::to_string(numbers.next(1000000)))});
    return result;
}

std::string jetFile(const fs::path& folder, int rows, const std::vector<std::vector<Value>>& values)
{
    const std::string path = (folder / ("indexloos-" + std::to_string(rows) + ".mdb")).string();
    if (fs::exists(path)) return path;
    const std::string making = path + ".nieuw";
    fs::remove(making);
    jet::Database::create(making, jet::Version::Jet4);
    {
        jet::OpenOptions options;
        options.path = making;
        auto db = jet::Database::open(options);
        sql::run(*db, "CREATE TABLE Klant (KlantNr LONG CONSTRAINT pkKlant PRIMARY KEY, Naam TEXT(50))");
        sql::run(*db, "CREATE TABLE Rij (Nr LONG, KlantNr LONG, Datum DATETIME, Naam TEXT(50))");
        db->beginStatement();
        const jet::TableDef& klant = db->table("Klant");
        for (int k = 1; k <= std::max(1, rows / rowsPerCustomer); ++k)
            db->insertRow(klant, {Value::int32(k), Value::text("Klant " + std::to_string(k))});
        const jet::TableDef& rij = db->table("Rij");
        for (const std::vector<Value>& row : values) db->insertRow(rij, row);
        db->commitStatement();
    }
    fs::rename(making, path);
    return path;
}

std::string sqliteFile(const fs::path& folder, int rows, const std::vector<std::vector<Value>>& values)
{
    const std::string path = (folder / ("indexloos-" + std::to_string(rows) + ".sqlite")).string();
    if (fs::exists(path)) return path;
    const std::string making = path + ".nieuw";
    fs::remove(making);
    sqlite3* db = nullptr;
    sqlite3_open(making.c_str(), &db);
    exec(db, "CREATE TABLE Rij (Nr INTEGER, KlantNr INTEGER, Datum REAL, Naam TEXT)");
    exec(db, "BEGIN");
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Rij VALUES (?, ?, ?, ?)", -1, &stmt, nullptr);
    for (const std::vector<Value>& row : values) {
        sqlite3_bind_int64(stmt, 1, row[0].integer);
        sqlite3_bind_int64(stmt, 2, row[1].integer);
        sqlite3_bind_double(stmt, 3, row[2].real);
        sqlite3_bind_text(stmt, 4, row[3].bytes.c_str(), static_cast<int>(row[3].bytes.size()), SQLITE_TRANSIENT);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    exec(db, "COMMIT");
    sqlite3_close(db);
    fs::rename(making, path);
    return path;
}

struct Case {
    const char* name;
    const char* access;
    const char* sqlite;  // nullptr: no counterpart in SQLite
};

const Case cases[] = {
    {"getal", "CREATE INDEX iKlant ON Rij (KlantNr)", "CREATE INDEX iKlant ON Rij (KlantNr)"},
    {"uniek getal", "CREATE UNIQUE INDEX iNr ON Rij (Nr)", "CREATE UNIQUE INDEX iNr ON Rij (Nr)"},
    {"datum", "CREATE INDEX iDatum ON Rij (Datum)", "CREATE INDEX iDatum ON Rij (Datum)"},
    {"tekst", "CREATE INDEX iNaam ON Rij (Naam)", "CREATE INDEX iNaam ON Rij (Naam COLLATE NOCASE)"},
    {"relatie", "ALTER TABLE Rij ADD CONSTRAINT fkKlant FOREIGN KEY (KlantNr) REFERENCES Klant (KlantNr)",
     "CREATE INDEX iKlant ON Rij (KlantNr)"},
};

void run(const fs::path& folder, int rows)
{
    const std::vector<std::vector<Value>> values = makeRows(rows);
    const std::string jetSource = jetFile(folder, rows, values), sqliteSource = sqliteFile(folder, rows, values);
    const fs::path jetCopy = folder / "werk.mdb", sqliteCopy = folder / "werk.sqlite";
    for (const Case& c : cases) {
        fs::copy_file(jetSource, jetCopy, fs::copy_options::overwrite_existing);
        fs::copy_file(sqliteSource, sqliteCopy, fs::copy_options::overwrite_existing);
        const Timing jet = measure([&] {
            jet::OpenOptions options;
            options.path = jetCopy.string();
            auto db = jet::Database::open(options);
            sql::run(*db, c.access);
        });
        const Timing plain = measure([&] {
            sqlite3* db = nullptr;
            sqlite3_open(sqliteCopy.string().c_str(), &db);
            exec(db, c.sqlite);
            sqlite3_close(db);
        });
        std::printf("%-12s %8d rijen   Jet: %7.3f s (cpu %7.3f s)   SQLite: %6.3f s (cpu %6.3f s)   verhouding %6.2f "
                    "(cpu %6.2f)   Jet +%llu kB\n",
                    c.name, rows, jet.wall, jet.cpu, plain.wall, plain.cpu, jet.wall / plain.wall, jet.cpu / plain.cpu,
                    static_cast<unsigned long long>((fs::file_size(jetCopy) - fs::file_size(jetSource)) / 1024));
        std::fflush(stdout);
    }
    fs::remove(jetCopy);
    fs::remove(sqliteCopy);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {80000, 1000000};
    const fs::path folder = "bench-data";
    fs::create_directories(folder);
    try {
        for (int rows : sizes) run(folder, rows);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
