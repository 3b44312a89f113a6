#pragma once
#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "jet/Database.h"
#include "sql/Ast.h"
#include "sql/Catalog.h"
#include "sql/Compiler.h"
#include "sql/RowBuffer.h"
#include "sql/Sql.h"

namespace querimo::sql {

// One SQLite connection in memory that sees the tables of a Jet database through virtual tables, with the
// Access functions and the text collation. Cheap enough to make for every execution.
class Session {
public:
    explicit Session(jet::Database& database);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    sqlite3* handle() const { return db_; }
    jet::Database& database() const { return database_; }
    // Makes the virtual tables over these Jet tables (once each).
    void attach(const std::vector<std::string>& jetTables);

private:
    jet::Database& database_;
    sqlite3* db_ = nullptr;
    std::vector<std::string> attached_;
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
QueryResult runQuery(jet::Database& database, const Statement& statement, const ParameterValues& values,
                     const CompiledQuery* compiled = nullptr);

// The text of a parameter converted to its type (text when nothing types it).
Value parameterValue(const ParameterInfo& parameter, const std::optional<std::string>& text);

// The ADO type a result column reports: text for a column nothing types (a Null literal).
DataType reportedType(DataType dataType);

}  // namespace querimo::sql
