#pragma once

// How MSysQueries stores a query: one row per part, each with an attribute number; the flags row and
// crosstab columns carry bits; a union's two halves are named by fixed marker texts.
namespace querimo::sql::queryrow {

enum Attribute {
    Start = 0,
    Type = 1,
    Parameter = 2,
    Flags = 3,
    Table = 5,
    Column = 6,
    Join = 7,
    Where = 8,
    GroupBy = 9,
    Having = 10,
    OrderBy = 11,
    End = 255
};

// Bits of the flags row.
enum SelectFlag {
    SelectStar = 0x01,
    Distinct = 0x02,
    OwnerAccess = 0x04,
    DistinctRow = 0x08,
    Top = 0x10,
    Percent = 0x20
};

enum CrosstabFlag { PivotColumn = 0x01, RowHeading = 0x02 };
enum QueryType { SelectQuery = 1, MakeTableQuery = 2, CrosstabQuery = 6, UnionQuery = 9 };
enum JoinFlag { InnerJoin = 1, LeftJoin = 2, RightJoin = 3 };

inline constexpr const char* unionPart1 = "X7YZ_____1";
inline constexpr const char* unionPart2 = "X7YZ_____2";

}  // namespace querimo::sql::queryrow
