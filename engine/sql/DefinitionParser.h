#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// A column of a key as a definition statement names it.
struct KeyColumn {
    std::string name;
    bool ascending = true;
    std::size_t position = 0;
};

// A column as CREATE TABLE, ADD COLUMN or ALTER COLUMN gives it.
struct ColumnClause {
    jet::ColumnDef column;  // name, type, size, precision, scale, autoNumber, required, defaultValue
    std::size_t position = 0;
    std::optional<int> seed;  // COUNTER (seed, increment)
    int increment = 1;
};

// PRIMARY KEY, UNIQUE or FOREIGN KEY ... REFERENCES, written after a column or as a table constraint.
struct ConstraintClause {
    enum class Kind { PrimaryKey, Unique, ForeignKey };
    Kind kind = Kind::PrimaryKey;
    std::string name;  // empty when the statement gives none
    std::vector<KeyColumn> columns;
    std::string referencedTable;
    std::vector<std::string> referencedColumns;  // empty: the referenced table's primary key
    jet::ReferentialActions actions;             // ON UPDATE / ON DELETE
    std::size_t position = 0;
    std::size_t referencePosition = 0;
};

struct DefinitionStatement {
    enum class Kind {
        CreateTable,
        DropTable,
        AddColumn,
        DropColumn,
        AlterColumn,
        AddConstraint,
        DropConstraint,
        CreateIndex,
        DropIndex,
        CreateView,
        DropView,
        DatabasePassword
    };
    Kind kind = Kind::CreateTable;
    std::string object;  // the table, or the view
    std::size_t objectPosition = 0;
    std::string name;  // the column or constraint to drop, the index
    std::size_t namePosition = 0;
    std::vector<ColumnClause> columns;
    std::vector<ConstraintClause> constraints;

    // CREATE INDEX
    std::vector<KeyColumn> indexColumns;
    bool unique = false;
    bool primary = false;       // WITH PRIMARY
    bool disallowNull = false;  // WITH DISALLOW NULL
    bool ignoreNull = false;    // WITH IGNORE NULL

    // CREATE VIEW: the column names it gives, and where its SELECT starts in the text (character and byte)
    std::vector<std::string> viewColumns;
    std::size_t queryPosition = 0;
    std::size_t queryOffset = 0;

    // ALTER DATABASE PASSWORD: empty for Null
    std::string newPassword;
    std::string oldPassword;
};

// Parses one CREATE, ALTER or DROP statement; a DbError (syntax) names what is wrong and where.
DefinitionStatement parseDefinition(std::string_view text);

// The statement text with comments before its first word turned into spaces, so positions stay.
std::string withoutLeadingComments(std::string_view text);

}  // namespace querimo::sql
