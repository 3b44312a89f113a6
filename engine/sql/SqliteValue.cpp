#include "sql/SqliteValue.h"

#include <charconv>
#include <cstring>

namespace querimo::sql {

double decimalNumber(const std::string& text)
{
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

void resultValue(sqlite3_context* ctx, const Value& v)
{
    visitSqliteForm(
        v, [&](std::int64_t x) { sqlite3_result_int64(ctx, x); }, [&](double x) { sqlite3_result_double(ctx, x); },
        [&](const std::string& s) {
            // Copied with its terminator, SQLite hands the text on as it is; copied by length, it copies it
            // again to terminate it when it is read out.
            if (s.size() < 0x7FFFFFFF && std::memchr(s.data(), '\0', s.size()) == nullptr)
                sqlite3_result_text(ctx, s.c_str(), -1, SQLITE_TRANSIENT);
            else
                sqlite3_result_text64(ctx, s.data(), s.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        },
        [&](const std::string& s) { sqlite3_result_blob64(ctx, s.data(), s.size(), SQLITE_TRANSIENT); },
        [&] { sqlite3_result_null(ctx); });
}

void bindValue(sqlite3_stmt* stmt, int slot, const Value& v)
{
    visitSqliteForm(
        v, [&](std::int64_t x) { sqlite3_bind_int64(stmt, slot, x); },
        [&](double x) { sqlite3_bind_double(stmt, slot, x); },
        [&](const std::string& s) {
            sqlite3_bind_text64(stmt, slot, s.data(), s.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        },
        [&](const std::string& s) { sqlite3_bind_blob64(stmt, slot, s.data(), s.size(), SQLITE_TRANSIENT); },
        [&] { sqlite3_bind_null(stmt, slot); });
}

}  // namespace querimo::sql
