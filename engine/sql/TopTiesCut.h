#pragma once
#include <sqlite3.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "sql/Compiler.h"

namespace querimo::sql {

// Where the rows of a TOP n over an ORDER BY end: after the n-th, at the first row that does not tie with it
// on the ORDER BY's keys. SQLite itself compares the keys, in the collations the ORDER BY sorted by.
class TopTiesCut {
public:
    // keysFrom: the column where the keys start (after the result columns). Without ties every row is wanted.
    TopTiesCut(sqlite3* db, const std::optional<TopTies>& ties, std::size_t keysFrom);
    ~TopTiesCut();
    TopTiesCut(const TopTiesCut&) = delete;
    TopTiesCut& operator=(const TopTiesCut&) = delete;

    // For each row the statement stands on, in order; false: this row and all after it are beyond the TOP.
    bool wanted(sqlite3_stmt* row);

private:
    bool tiesWithLast(sqlite3_stmt* row);

    sqlite3* db_;
    const std::optional<TopTies>& ties_;
    std::size_t keysFrom_;
    std::size_t rows_ = 0;
    std::vector<sqlite3_value*> last_;  // the n-th row's keys
    sqlite3_stmt* compare_ = nullptr;
};

}  // namespace querimo::sql
