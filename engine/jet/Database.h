#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"

namespace querimo::jet {

enum class Version { Jet3, Jet4 };

// Jet column type codes as stored in table definitions.
enum class ColumnType : std::uint8_t {
    Boolean = 1, Byte = 2, Integer = 3, Long = 4, Currency = 5, Single = 6, Double = 7,
    DateTime = 8, Binary = 9, Text = 10, OleObject = 11, Memo = 12, Guid = 15, Decimal = 16
};

struct ColumnDef {
    std::string name;
    ColumnType type = ColumnType::Text;
    int number = 0;          // column number in the row (gaps where columns were deleted)
    int ordinal = 0;         // 1-based position in the order Access shows
    int size = 0;            // bytes for fixed types, characters for text
    int precision = 0;       // Decimal only
    int scale = 0;           // Decimal only
    bool fixed = false;      // stored in the fixed part of the row
    bool autoNumber = false;
    bool required = false;   // the column's Required property
};

struct IndexColumn {
    int columnNumber = 0;
    bool ascending = true;
};

struct IndexDef {
    std::string name;
    std::vector<IndexColumn> columns;  // in key order
    bool unique = false;
    bool ignoreNulls = false;
    bool primaryKey = false;
    bool foreignKey = false;
};

struct TableDef {
    std::string name;
    std::uint32_t definitionPage = 0;
    std::uint32_t rowCount = 0;
    std::vector<ColumnDef> columns;  // in ordinal (display) order
    std::vector<IndexDef> indexes;

    const ColumnDef* column(std::string_view name) const;  // case-insensitive
    const ColumnDef* columnByNumber(int number) const;
};

enum class ObjectKind { Table, SystemTable, LinkedTable, Query };

struct CatalogEntry {
    std::string name;
    ObjectKind kind = ObjectKind::Table;
    std::int32_t id = 0;         // MSysObjects Id; for tables the low 24 bits are the definition page
    std::uint32_t flags = 0;
    std::string linkedDatabase;  // LinkedTable only
    std::string foreignName;     // LinkedTable only
};

// One row of MSysQueries, the decomposed form of a stored query.
struct QueryRow {
    int attribute = 0;
    std::string expression;
    int flag = 0;
    std::string name1;
    std::string name2;
    std::int32_t objectId = 0;
    int order = 0;
};

struct OpenOptions {
    std::string path;
    bool exclusive = false;       // exclusive: nobody else may have it open
    std::string databasePassword;
};

// A forward scan over one table's rows. Holds at most one data page of rows at a time.
class TableScan {
public:
    virtual ~TableScan() = default;
    // Fills row with one Value per column of the table definition, in ordinal order. False at the end.
    virtual bool next(std::vector<Value>& row) = 0;
};

// An open Jet 3 or Jet 4 file. Every failure is a DbError with a Dutch description.
class Database {
public:
    virtual ~Database() = default;

    static std::unique_ptr<Database> open(const OpenOptions& options);

    virtual Version version() const = 0;
    virtual const std::string& path() const = 0;
    virtual const std::vector<CatalogEntry>& catalog() const = 0;
    // Case-insensitive lookup of a table (user, system or linked table that lives in this file).
    virtual const TableDef& table(std::string_view name) = 0;
    virtual std::unique_ptr<TableScan> scan(const TableDef& table) = 0;
    // Rows of MSysQueries belonging to the stored query with this catalog id.
    virtual std::vector<QueryRow> queryRows(std::int32_t objectId) = 0;
};

}  // namespace querimo::jet
