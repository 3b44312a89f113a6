#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/StopSignal.h"
#include "core/Value.h"
#include "jet/Database.h"
#include "sql/DataTypes.h"

// The Access SQL dialect over a Jet database: what the layers above may use of it.
namespace querimo::sql {

// The rows of a query result: random access by position, so a grid can show any row without copying.
// A query's rows may still be arriving from the thread that executes it; any thread may read them meanwhile.
// What needs a row not read yet waits for it; a statement that failed or stopped leaves no rows, and what
// waited or reads afterwards gets its DbError.
class RowSource {
public:
    virtual ~RowSource() = default;
    // All rows: waits for the statement's end.
    virtual std::size_t rowCount() const = 0;
    // The rows read so far, without waiting; all of them once complete.
    virtual std::size_t rowsSoFar() const { return rowCount(); }
    virtual bool complete() const { return true; }
    // Waits until the row is read or the statement has ended; true when the row exists.
    virtual bool hasRow(std::size_t row) const { return row < rowCount(); }
    // Waits for the row when it is not read yet.
    virtual Value value(std::size_t row, std::size_t column) const = 0;
    // No reader wants further rows: a statement still reading them stops.
    virtual void letGo() const {}
};

struct Column {
    std::string name;
    DataType type = DataType::VarWChar;
};

struct Parameter {
    std::string name;
    DataType type = DataType::VarWChar;  // declared, or what the context asks for; text when nothing says
};

// Parameter values by name as the user gives them: text, or nullopt for Null.
using ParameterValues = std::vector<std::pair<std::string, std::optional<std::string>>>;

enum class StatementKind { Query, Insert, Update, Delete, MakeTable, Definition };

struct StatementResult {
    std::vector<Column> columns;            // a query's
    std::shared_ptr<const RowSource> rows;  // a query's; nullptr for the others
    long recordsAffected = 0;               // an action's, as Access counts them
};

// Tells, on the executing thread, of a query's rows before they are all read.
struct RowsArriving {
    // Once, before the first row: the columns and the rows, which grow until execute returns.
    std::function<void(const StatementResult&)> opened;
    // With the rows read so far: when the first screenful is there, then about every 50 ms.
    std::function<void(std::size_t)> grown;
};

// One statement parsed and compiled once, as it stands on one database. Executing it again, or after a
// change of the database's tables, is fine: what went stale is compiled again.
class PreparedStatement {
public:
    PreparedStatement(PreparedStatement&&) noexcept;
    PreparedStatement& operator=(PreparedStatement&&) noexcept;
    ~PreparedStatement();

    StatementKind kind() const;
    jet::Database& database() const;
    const std::vector<Parameter>& parameters() const;  // in the order Access asks for them
    // Runs it; a query's rows are all read before it returns, and `arriving`, when given, hands them out
    // while they are read. Actions land whole or not at all.
    // Every failure is a DbError with a Dutch description. `stop`, when given, may be requested from another
    // thread while it runs: the statement then ends with statementStopped() (errc::cancelled), a query without
    // rows and an action with the file as it was.
    StatementResult execute(const ParameterValues& values, const StopSignal* stop = nullptr,
                            const RowsArriving* arriving = nullptr);

private:
    struct State;
    explicit PreparedStatement(std::unique_ptr<State> state);
    friend PreparedStatement prepare(jet::Database& database, std::string_view text);
    // prepare(database, text).execute(values), for a statement run once.
    StatementResult run(jet::Database& database, std::string_view text, const ParameterValues& values = {});
    std::unique_ptr<State> state_;
};

// How many bytes of rows a statement's result keeps in memory (256 MB unless set, for every database): the
// rest goes to a temporary file that is gone when the result is. Counts, order and random access stay as
// they are.
std::size_t resultMemoryBudget();
void setResultMemoryBudget(std::size_t bytes);

// Parses and compiles one Access statement (an optional PARAMETERS declaration, then the statement, an
// optional ';'). A statement Access would reject throws a DbError naming the word and its position.
PreparedStatement prepare(jet::Database& database, std::string_view text);
// prepare(database, text).execute(values), for a statement run once.
StatementResult run(jet::Database& database, std::string_view text, const ParameterValues& values = {});

// A stored query the schema reports as a "VIEW": a select, union or crosstab query without parameters.
struct View {
    std::string name;
    std::vector<Column> columns;  // in order; types as a record set reports them
};
// The views of the database in catalog order. Queries behind forms and reports (~sq_) are left out, and so
// is a stored query whose text does not translate.
std::vector<View> databaseViews(jet::Database& database);
// One view by name (letter case ignored); nullopt when no view has that name.
std::optional<View> databaseView(jet::Database& database, const std::string& name);

// A stored query's Access SQL, rebuilt from its MSysQueries rows as Access shows it.
std::string storedQueryText(jet::Database& database, const jet::CatalogEntry& query);

}  // namespace querimo::sql
