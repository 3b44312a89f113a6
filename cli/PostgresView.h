#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sql/DataTypes.h"

namespace querimo::cli {

// What the translation knows of a value: enough to keep Access's arithmetic, booleans and case-blind text.
enum class ValueKind { Unknown, Boolean, Integer, Exact, Single, Double, Date, Text };
ValueKind valueKindOf(sql::DataType type);

struct SourceColumn {
    std::string name;
    ValueKind kind = ValueKind::Unknown;
};

// A table or an already written view that a view may select from, named as the script names it.
struct ViewSource {
    std::string name;
    std::vector<SourceColumn> columns;
    bool table = true;  // or a view
};

// Why a stored query stays a comment (Dutch, for the warning).
class Untranslatable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The query selects from a name that is no source (yet): perhaps a view written later.
class MissingSource : public Untranslatable {
public:
    explicit MissingSource(const std::string& source)
        : Untranslatable("hij leest uit '" + source + "', dat niet is omgezet"), name(source)
    {}
    std::string name;
};

// Untranslatable unless the text is a select without a PARAMETERS declaration.
void requireSelectQuery(std::string_view accessSql);

// A stored select query's Access SQL as one PostgreSQL select. Text compares case-blind as in Access (=, <>,
// <, >, BETWEEN, IN, Like); sorting, grouping and DISTINCT follow the server's collation.
std::string translateView(std::string_view accessSql, const std::vector<ViewSource>& sources);

}  // namespace querimo::cli
