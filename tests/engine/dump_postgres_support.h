#pragma once
// Reading back what a PostgreSQL server holds in querimo-sql's text form, to compare with our own answers.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "dump_support.h"
#include "support/PostgresServer.h"

namespace querimo::test {

// Tests that load a dump into a PostgreSQL server of their own; they skip where PostgreSQL is not installed.
class WithPostgresServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(querimoSqlPath().empty()) << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
        if (PostgresServer::binaries().empty())
            GTEST_SKIP() << "PostgreSQL 15 ontbreekt (Debian-pakket postgresql-15): de dump wordt niet geladen";
        server = std::make_unique<PostgresServer>();
        ASSERT_TRUE(server->started()) << server->startError();
    }

    std::unique_ptr<PostgresServer> server;
};

// COPY's text form turned into export's: Null as an empty field, and the escapes export does not use undone.
// In the server's order.
inline std::vector<std::string> exportedLines(const std::string& copied)
{
    std::string text;
    for (std::size_t i = 0; i < copied.size(); ++i) {
        const bool fieldStart = i == 0 || copied[i - 1] == '\t' || copied[i - 1] == '\n';
        if (fieldStart && copied.compare(i, 2, "\\N") == 0
            && (i + 2 == copied.size() || copied[i + 2] == '\t' || copied[i + 2] == '\n')) {
            ++i;
            continue;
        }
        if (copied[i] == '\\' && i + 1 < copied.size()) {
            const char c = copied[i + 1];
            const char plain = c == 'b' ? '\b' : c == 'f' ? '\f' : c == 'v' ? '\v' : 0;
            if (plain) {
                text += plain;
                ++i;
                continue;
            }
            text += copied[i];
            text += copied[++i];
            continue;
        }
        text += copied[i];
    }
    return textLines(text);
}

// The same, sorted: a dump need not keep the order of rows.
inline std::vector<std::string> asExported(const std::string& copied)
{
    std::vector<std::string> lines = exportedLines(copied);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A column of PostgreSQL type pgType (format_type's spelling) selected in querimo-sql's text form: currency and
// computed numbers without trailing zeros, dates without a midnight time, booleans as 1 and 0.
inline std::string exportFormOfType(const std::string& quoted, const std::string& pgType)
{
    if (pgType == "boolean") return "CASE WHEN " + quoted + " THEN '1' WHEN NOT " + quoted + " THEN '0' END";
    if (pgType == "numeric" || pgType == "numeric(19,4)") return "trim_scale(" + quoted + ")::text";
    if (pgType.rfind("timestamp", 0) == 0)
        return "to_char(" + quoted + ", CASE WHEN " + quoted
               + "::time = '00:00' THEN 'YYYY-MM-DD' ELSE 'YYYY-MM-DD HH24:MI:SS' END)";
    if (pgType == "bytea") return "upper(encode(" + quoted + ", 'hex'))";
    if (pgType == "uuid") return "'{' || upper(" + quoted + "::text) || '}'";
    return quoted + "::text";
}

}  // namespace querimo::test
