#pragma once
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

#include "sql/functions/AccessFunctions.h"

// Evaluates Access function calls through a real SQLite connection, as the translator will run them.
class AccessFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
        querimo::sql::registerAccessFunctions(db_);
    }
    void TearDown() override { sqlite3_close(db_); }

    // The value of "SELECT expression": text as is, INTEGER in decimal, REAL with 15 significant digits,
    // "Null", or "Fout: " and the error message.
    std::string eval(const std::string& expression) { return evalQuery("SELECT " + expression); }

    std::string evalQuery(const std::string& query)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, query.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            return "Fout: " + std::string(sqlite3_errmsg(db_));
        std::string out;
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            char buffer[40];
            switch (sqlite3_column_type(stmt, 0)) {
            case SQLITE_NULL: out = "Null"; break;
            case SQLITE_INTEGER: out = std::to_string(sqlite3_column_int64(stmt, 0)); break;
            case SQLITE_FLOAT:
                std::snprintf(buffer, sizeof buffer, "%.15g", sqlite3_column_double(stmt, 0));
                out = buffer;
                break;
            default: out = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            }
        } else {
            out = "Fout: " + std::string(sqlite3_errmsg(db_));
        }
        sqlite3_finalize(stmt);
        return out;
    }

    // Each {expression, value} pair: eval gives the value.
    void expectEvals(std::initializer_list<std::pair<std::string, std::string>> cases)
    {
        for (const auto& [expression, expected] : cases) EXPECT_EQ(eval(expression), expected) << expression;
    }

    // Each {expression, number} pair: eval gives the number to a relative 1e-9 (1e-12 absolute around zero).
    void expectNumbers(std::initializer_list<std::pair<std::string, double>> cases)
    {
        for (const auto& [expression, expected] : cases) {
            const std::string got = eval(expression);
            char* end = nullptr;
            const double value = std::strtod(got.c_str(), &end);
            EXPECT_TRUE(!got.empty() && *end == '\0') << expression << " gave " << got;
            EXPECT_NEAR(value, expected, std::max(std::abs(expected) * 1e-9, 1e-12)) << expression;
        }
    }

    std::string typeOf(const std::string& expression) { return eval("typeof(" + expression + ")"); }

    void exec(const std::string& sql)
    {
        ASSERT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }

    sqlite3* db_ = nullptr;
};
