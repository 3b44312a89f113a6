// Writing rows: 100,000 rows inserted through the Jet engine's Database API in one statement, against plain
// SQLite inserting the same rows into a file in one transaction; then the same rows copied into a second
// table with INSERT INTO ... SELECT on both sides. Prints times, their ratios, and the size each file grew
// by. The Jet side writes a copy of a corpus file (a table of nine text columns, no indexes).
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/Error.h"
#include "jet/Database.h"
#include "sql/Sql.h"

using namespace querimo;
namespace fs = std::filesystem;

namespace {

constexpr int columns = 9;

std::string cell(int row, int column)
{
    std::string text = "r" + std::to_string(row) + "c" + std::to_string(column);
    text.append(static_cast<std::size_t>((row * 7 + column * 3) % 30), static_cast<char>('a' + column));
    return text;
}

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

void check(int code, sqlite3* db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

void sqliteInserts(const std::string& path, int rows)
{
    sqlite3* db = nullptr;
    check(sqlite3_open(path.c_str(), &db), db);
    std::string create = "CREATE TABLE t (", insert = "INSERT INTO t VALUES (";
    for (int c = 0; c < columns; ++c) {
        create += (c ? ", c" : "c") + std::to_string(c) + " TEXT";
        insert += c ? ", ?" : "?";
    }
    check(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &stmt, nullptr), db);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string text = cell(r, c);
            sqlite3_bind_text(stmt, c + 1, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
        check(sqlite3_step(stmt), db);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

void jetInserts(const std::string& path, int rows)
{
    jet::OpenOptions options;
    options.path = path;
    auto db = jet::Database::open(options);
    const jet::TableDef& table = db->table("Table1");
    db->beginStatement();
    std::vector<Value> row(columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) row[static_cast<std::size_t>(c)] = Value::text(cell(r, c));
        db->insertRow(table, row);
    }
    db->commitStatement();
}

void sqliteCopy(const std::string& path)
{
    sqlite3* db = nullptr;
    check(sqlite3_open(path.c_str(), &db), db);
    std::string create = "CREATE TABLE kopie (";
    for (int c = 0; c < columns; ++c) create += (c ? ", c" : "c") + std::to_string(c) + " TEXT";
    check(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN; INSERT INTO kopie SELECT * FROM t; COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

void jetCopy(const std::string& path)
{
    jet::OpenOptions options;
    options.path = path;
    auto db = jet::Database::open(options);
    std::string create = "CREATE TABLE Kopie (";
    const jet::TableDef& table = db->table("Table1");
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        create += (c ? ", [" : "[") + table.columns[c].name + "] TEXT(50)";
    sql::run(*db, create + ")");
    sql::run(*db, "INSERT INTO Kopie SELECT * FROM Table1");
}

void report(const char* what, int rows, const Timing& jet, const Timing& plain)
{
    std::printf(
        "%-24s %d rijen   Jet: %.3f s (cpu %.3f s)   SQLite: %.3f s (cpu %.3f s)   verhouding %.2f (cpu %.2f)\n", what,
        rows, jet.wall, jet.cpu, plain.wall, plain.cpu, jet.wall / plain.wall, jet.cpu / plain.cpu);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* corpus = std::getenv("QUERIMO_CORPUS");
    const fs::path dir = corpus ? corpus : fs::path(QUERIMO_SOURCE_DIR) / "../shared/corpus";
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const fs::path work = fs::temp_directory_path() / ("querimo-write-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const std::string jetPath = (work / "rijen.mdb").string(), sqlitePath = (work / "rijen.sqlite").string();
    try {
        fs::copy_file(dir / "overflowTestV2000.mdb", jetPath);
        const auto jetBefore = fs::file_size(jetPath);
        const Timing jet = measure([&] { jetInserts(jetPath, rows); });
        const Timing plain = measure([&] { sqliteInserts(sqlitePath, rows); });
        const auto jetGrowth = fs::file_size(jetPath) - jetBefore, sqliteSize = fs::file_size(sqlitePath);
        report("invoegen", rows, jet, plain);
        report("INSERT INTO ... SELECT", rows, measure([&] { jetCopy(jetPath); }),
               measure([&] { sqliteCopy(sqlitePath); }));
        std::printf("bestandsgrootte na invoegen   Jet: +%llu bytes   SQLite: %llu bytes   verhouding %.2f\n",
                    static_cast<unsigned long long>(jetGrowth), static_cast<unsigned long long>(sqliteSize),
                    static_cast<double>(jetGrowth) / static_cast<double>(sqliteSize));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fs::remove_all(work);
        return 1;
    }
    fs::remove_all(work);
    return 0;
}
