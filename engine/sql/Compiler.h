#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"
#include "sql/Ast.h"
#include "sql/Catalog.h"
#include "sql/DataTypes.h"

namespace querimo::sql {

struct ResultColumn {
    std::string name;
    DataType dataType = DataType::Empty;
    const jet::ColumnDef* origin = nullptr;  // the table column it shows unchanged, if any
};

struct ParameterInfo {
    std::string name;
    DataType dataType = DataType::Empty;  // declared or asked for by the context; 0 when nothing says (taken as text)
    bool declared = false;
    int slot = 0;  // the ?N it is bound to in the translated text
};

// TOP n over an ORDER BY in the statement's own select: its text orders without a limit and ends in the ORDER
// BY's keys, and whoever steps it stops at the first row after the n-th that does not tie with it. So a
// walk of an index stops early, where a rank over every row would read them all.
struct TopTies {
    std::size_t count = 0;
    std::vector<bool> textKeys;  // per key column, after the result columns: compared in the text collation
    // The Jet table the select reads, when it reads just one: planned for the rows it stops after. (In a
    // join a loop placed inside would be read whole for every outer row.)
    std::string onlyTable;

    bool operator==(const TopTies&) const = default;
};

// An Access statement translated for SQLite.
struct CompiledQuery {
    std::string sql;
    std::vector<ResultColumn> columns;
    std::vector<ParameterInfo> parameters;  // in the order Access asks for them
    std::vector<std::string> tables;        // Jet tables read, each once; see sqliteTableName
    // UPDATE and DELETE: the tables (by alias) whose row ids lead the result columns, in FROM order.
    std::vector<std::string> rowIdSources;
    std::optional<TopTies> topTies;
    std::uint64_t schemaVersion = 0;  // the database's, when it was translated
};

// A query to run while translating: the columns of a crosstab come from the data.
struct PivotQuery {
    const std::string& sql;                        // one column
    DataType dataType;                             // its type
    const std::vector<ParameterInfo>& parameters;  // known so far, to bind
    const std::vector<std::string>& tables;        // Jet tables it reads
};
using PivotValues = std::function<std::vector<Value>(const PivotQuery& query)>;

// Resolves every name against the catalog, finds the parameters, types the result columns and writes the
// SQLite text. Without pivots a crosstab gets no pivot columns (enough to learn its parameters).
// DbError with a Dutch description when Access would reject the statement.
CompiledQuery compileStatement(const Statement& statement, Catalog& catalog, const PivotValues* pivots);

// The name of the SQLite virtual table over a Jet table.
std::string sqliteTableName(std::string_view jetName);
// An SQLite identifier in double quotes.
std::string quoteIdentifier(std::string_view name);

// The collation that compares text as Access does (letter case ignored).
inline constexpr const char* textCollation = "acc_text";

}  // namespace querimo::sql
