#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "jet/Database.h"
#include "sql/Ast.h"
#include "sql/Catalog.h"
#include "sql/Compiler.h"
#include "sql/JetModule.h"
#include "sql/RowBuffer.h"
#include "sql/Sql.h"

namespace querimo::sql {

// One SQLite connection in memory that sees the tables of a Jet database through virtual tables, with the
// Access functions and the text collation. It stays right while the database's schemaVersion() is the one
// it was made at; a prepared statement keeps one for all its executions (see KeptSession).
//
// One thread at a time uses a session, not always the same one (the window executes a command on a worker
// thread, then maybe on its own): the connection is opened without SQLite's own mutex, which allows that as
// long as calls do not overlap. The Jet database under it has the same rule.
class Session {
public:
    explicit Session(jet::Database& database);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    sqlite3* handle() const { return db_; }
    jet::Database& database() const { return tables_.database(); }
    std::uint64_t schemaVersion() const { return schemaVersion_; }
    // Makes the virtual tables over these Jet tables (once each).
    void attach(const std::vector<std::string>& jetTables);
    // This SQL prepared once and kept for the next call with the same text (only the last text is kept),
    // reset and without bound values.
    // ties: a TOP n's, whose single table is planned for the rows it stops after.
    sqlite3_stmt* statement(const std::string& sql, const std::optional<TopTies>& ties = std::nullopt);
    // Before an execution: rows loaded for an earlier one may have changed in the file.
    void forgetLoadedRows() { tables_.forgetLoadedRows(); }

private:
    JetTables tables_;
    sqlite3* db_ = nullptr;
    std::uint64_t schemaVersion_ = 0;
    std::vector<std::string> attached_;
    std::string keptSql_;
    std::optional<TopTies> keptTies_;
    sqlite3_stmt* kept_ = nullptr;
};

// The session and translation of one statement, kept between its executions while the database's
// definitions stay as they were.
class KeptSession {
public:
    // The kept session, or a new one when the definitions changed since; call it under the read lock, where
    // the database learns of changes by other processes.
    Session& forExecution(jet::Database& database);
    // The translation made for the current session, if any.
    const CompiledQuery* compiled() const { return compiled_ ? &*compiled_ : nullptr; }
    void keep(const CompiledQuery& compiled) { compiled_ = compiled; }

private:
    std::unique_ptr<Session> session_;
    std::optional<CompiledQuery> compiled_;
};

struct QueryResult {
    std::vector<ResultColumn> columns;
    std::shared_ptr<const RowSource> rows;
};

// Translates a statement for this session, running what a crosstab needs to know its columns, and
// attaches the tables it reads. Column types are those the record set reports. `compiled`, when given, is
// the statement translated earlier; it is used unless the definitions changed since or the statement is a
// crosstab, whose columns come from the data.
CompiledQuery compileForSession(Session& session, Catalog& catalog, const Statement& statement,
                                const ParameterValues& values, const CompiledQuery* compiled = nullptr);

// Runs a compiled statement of this session and keeps every row it gives. A parameter without a value,
// one that does not convert, and every failure while running are DbErrors in Dutch.
RowBuffer readResult(Session& session, const CompiledQuery& compiled, const ParameterValues& values);

// Runs a statement that reads. A parameter without a value, a value that does not convert to the
// parameter's type, and every failure while running are DbErrors in Dutch.
// `kept`, when given, is used for the session and translation instead of making new ones.
// `arriving`, when given, hears of the rows while they are read.
QueryResult runQuery(jet::Database& database, const Statement& statement, const ParameterValues& values,
                     const CompiledQuery* compiled = nullptr, KeptSession* kept = nullptr,
                     const RowsArriving* arriving = nullptr);

// A result's columns as the layers above see them.
std::vector<Column> publicColumns(const std::vector<ResultColumn>& columns);

// The session and translation for one execution: the kept ones when given and current, otherwise new. Call
// it under the read lock (or in a statement).
class ExecutionSession {
public:
    ExecutionSession(Catalog& catalog, const Statement& statement, const ParameterValues& values,
                     const CompiledQuery* compiled, KeptSession* kept);
    Session& session() { return session_; }
    const CompiledQuery& compiled() const { return compiled_; }

private:
    std::optional<Session> own_;
    Session& session_;
    CompiledQuery compiled_;
};

// The text of a parameter converted to its type (text when nothing types it).
Value parameterValue(const ParameterInfo& parameter, const std::optional<std::string>& text);

// The ADO type a result column reports: text for a column nothing types (a Null literal).
DataType reportedType(DataType dataType);

}  // namespace querimo::sql
