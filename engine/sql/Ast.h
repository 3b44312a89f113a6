#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sql/DataTypes.h"

namespace querimo::sql {

struct Query;

// An expression as written. Operators keep their Access spelling in upper case ("MOD", "&", "XOR", ...).
struct Expr {
    enum class Kind {
        Number,
        String,
        Date,
        Boolean,
        Null,        // literals
        Name,        // parts: [table.]field, or a parameter once resolution finds nothing
        Unary,       // op: "-", "+", "NOT"
        Binary,      // op: arithmetic, "&", comparisons, "LIKE", "AND", "OR", "XOR", "EQV", "IMP"
        Between,     // args: value, low, high
        InList,      // args: value, items...
        InQuery,     // args: value; query
        Exists,      // query
        Quantified,  // args: value; op: comparison; quantifier "ANY"/"ALL"; query
        Subquery,    // scalar query
        IsNull,      // args: value
        Call,        // name; args; star for Count(*)
    };

    Kind kind = Kind::Null;
    std::size_t position = 0;
    std::string text;                // literal text (number digits, string, date as written), call name
    bool boolean = false;            // Boolean literal
    std::vector<std::string> parts;  // Name
    std::string op;
    std::string quantifier;
    bool negated = false;  // NOT BETWEEN, NOT IN, NOT LIKE, IS NOT NULL, NOT EXISTS
    bool star = false;
    std::vector<std::unique_ptr<Expr>> args;
    std::shared_ptr<Query> query;
    int depth = 1;  // of the tree below, bounded by the parser
};
using ExprPtr = std::unique_ptr<Expr>;

struct SelectItem {
    ExprPtr expr;           // null for * and table.*
    std::string starTable;  // table.*; empty with expr null means *
    std::string alias;
    std::size_t position = 0;
};

struct TableRef {
    enum class Kind { Named, Subquery, Join };
    enum class JoinType { Inner, Left, Right };

    Kind kind = Kind::Named;
    std::size_t position = 0;
    std::string name;              // Named
    std::string alias;             // Named, Subquery
    std::shared_ptr<Query> query;  // Subquery
    JoinType joinType = JoinType::Inner;
    std::unique_ptr<TableRef> left, right;
    ExprPtr on;
};

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct Select {
    enum class Quantifier { All, Distinct, DistinctRow };
    Quantifier quantifier = Quantifier::All;
    std::optional<double> top;
    bool topPercent = false;
    std::vector<SelectItem> items;
    std::string into;  // SELECT ... INTO table
    // UPDATE and DELETE read their rows through a select: the row ids of its tables come first in the result.
    bool rowIds = false;
    std::vector<std::unique_ptr<TableRef>> from;  // comma-separated
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::size_t position = 0;
};

struct Transform {
    ExprPtr aggregate;
    std::string alias;
    ExprPtr pivot;
    std::vector<ExprPtr> pivotIn;
};

// A query: one select, or selects joined by UNION; ORDER BY applies to the whole.
struct Query {
    std::vector<Select> selects;
    std::vector<bool> unionAll;  // between selects[i] and selects[i+1]
    std::vector<OrderItem> orderBy;
    std::optional<Transform> transform;  // crosstab
};

struct ParameterDecl {
    std::string name;
    std::string typeName;  // as written
    DataType dataType = DataType::Empty;
    std::size_t position = 0;
};

struct ColumnName {
    std::vector<std::string> parts;  // [table.]field
    std::size_t position = 0;
};

// What an INSERT, UPDATE or DELETE changes. The rows and values come from the statement's query:
// INSERT reads its VALUES as a select without FROM, UPDATE selects its new values (one per assignment)
// and DELETE selects nothing but the row ids.
struct Modification {
    std::string table;                // INSERT INTO table; DELETE table.*; empty for DELETE without one
    std::size_t position = 0;         // of that name, or of the statement
    std::vector<ColumnName> columns;  // INSERT's column list; UPDATE's targets, one per assignment
    bool values = false;              // INSERT ... VALUES
};

// A whole statement.
struct Statement {
    enum class Kind { Select, SelectInto, Insert, Update, Delete, Create, Alter, Drop };
    Kind kind = Kind::Select;
    std::vector<ParameterDecl> parameters;
    std::shared_ptr<Query> query;
    std::optional<Modification> modification;  // INSERT, UPDATE, DELETE
};

}  // namespace querimo::sql
