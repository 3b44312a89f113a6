#pragma once
// Running our engine and plain SQLite side by side on the same rows.
#include <sqlite3.h>

#include <cstddef>
#include <functional>
#include <string>

#include "jet/Database.h"

namespace querimo::bench {

// Processor time per run in milliseconds, the best of five batches of `runs`: the machine may be busy with
// other work, which stretches wall time for both sides alike but not the time each one computes. rows: what
// the last run returned.
double millisecondsPerRun(int runs, const std::function<std::size_t()>& run, std::size_t& rows);

// Runs SQL on SQLite; exits the program with the message when it fails.
void exec(sqlite3* db, const std::string& sql);

// Copies a Jet table into an ordinary SQLite table with the same column names (keyColumn: its INTEGER
// PRIMARY KEY).
void copyTable(jet::Database& jet, sqlite3* db, const std::string& name, const std::string& keyColumn);

// Prepares, runs and keeps the rows of a plain SQLite query as our engine keeps its results; their number.
std::size_t plainRows(sqlite3* db, const std::string& sql);

}  // namespace querimo::bench
