#include "sql/TopTiesCut.h"

#include <string>

#include "core/Error.h"
#include "sql/SqliteFailure.h"

namespace querimo::sql {

TopTiesCut::TopTiesCut(sqlite3* db, const std::optional<TopTies>& ties, std::size_t keysFrom)
    : db_(db), ties_(ties), keysFrom_(keysFrom)
{}

TopTiesCut::~TopTiesCut()
{
    for (sqlite3_value* v : last_) sqlite3_value_free(v);
    sqlite3_finalize(compare_);
}

bool TopTiesCut::wanted(sqlite3_stmt* row)
{
    if (!ties_) return true;
    ++rows_;
    if (rows_ < ties_->count) return true;
    if (ties_->count == 0) return false;
    if (rows_ > ties_->count) return tiesWithLast(row);
    for (std::size_t k = 0; k < ties_->textKeys.size(); ++k) {
        sqlite3_value* v = sqlite3_value_dup(sqlite3_column_value(row, static_cast<int>(keysFrom_ + k)));
        if (!v) throw DbError(errc::fail, "Onvoldoende geheugen om de query uit te voeren.");
        last_.push_back(v);
    }
    return true;
}

bool TopTiesCut::tiesWithLast(sqlite3_stmt* row)
{
    if (!compare_) {
        // Peers as an ORDER BY sees them: Nulls tie with each other, text ties in the collation it sorted by.
        std::string sql = "SELECT ";
        for (std::size_t k = 0; k < ties_->textKeys.size(); ++k) {
            if (k > 0) sql += " AND ";
            sql += "?" + std::to_string(2 * k + 1) + " IS ?" + std::to_string(2 * k + 2);
            if (ties_->textKeys[k]) sql += std::string(" COLLATE ") + textCollation;
        }
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &compare_, nullptr) != SQLITE_OK) failSqlite(db_);
    }
    for (std::size_t k = 0; k < last_.size(); ++k) {
        sqlite3_bind_value(compare_, static_cast<int>(2 * k + 1), last_[k]);
        sqlite3_bind_value(compare_, static_cast<int>(2 * k + 2),
                           sqlite3_column_value(row, static_cast<int>(keysFrom_ + k)));
    }
    const int rc = sqlite3_step(compare_);
    const bool ties = rc == SQLITE_ROW && sqlite3_column_int(compare_, 0) != 0;
    sqlite3_reset(compare_);
    if (rc != SQLITE_ROW) failSqlite(db_);
    return ties;
}

}  // namespace querimo::sql
