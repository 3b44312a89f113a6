#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::cli {

// A relationship as MSysRelationships holds it: the table that refers and the one it refers to.
struct Relationship {
    std::string name;
    std::string table;
    std::vector<std::string> columns;
    std::string referencedTable;
    std::vector<std::string> referencedColumns;
    bool enforced = true;  // referential integrity
    bool updateCascade = false;
    bool deleteCascade = false;
};

struct StoredQuery {
    std::string name;
    std::string accessSql;
};

// What a dump writes: user tables (all, or the ones named), the relationships between them, stored queries.
struct DumpSource {
    std::vector<const jet::TableDef*> tables;
    std::vector<Relationship> relationships;  // both ends among tables
    std::vector<StoredQuery> queries;         // empty when only some tables are dumped
};

// DbError (Dutch) for a named table that is not a user table of the database.
DumpSource readDumpSource(jet::Database& db, const std::vector<std::string>& tableNames);

// The name a dumped index gets: its own, or "table_index" where the own name is not unique among the tables and
// indexes of the dump (server databases keep index names in one namespace with the tables).
class IndexNames {
public:
    explicit IndexNames(const std::vector<const jet::TableDef*>& tables);
    std::string of(const jet::TableDef& table, const jet::IndexDef& index) const;

private:
    std::vector<std::string> repeated_;
};

// The names of an index's columns in key order.
std::vector<std::string> indexColumnNames(const jet::TableDef& table, const jet::IndexDef& index);
// Its key for CREATE INDEX: "a", "b" DESC, ...
std::string indexKeyList(const jet::TableDef& table, const jet::IndexDef& index);

}  // namespace querimo::cli
