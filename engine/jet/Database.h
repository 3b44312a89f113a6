#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/StopSignal.h"
#include "core/Value.h"

namespace querimo::jet {

enum class Version { Jet3, Jet4 };

// Jet column type codes as stored in table definitions.
enum class ColumnType : std::uint8_t {
    Boolean = 1,
    Byte = 2,
    Integer = 3,
    Long = 4,
    Currency = 5,
    Single = 6,
    Double = 7,
    DateTime = 8,
    Binary = 9,
    Text = 10,
    OleObject = 11,
    Memo = 12,
    Guid = 15,
    Decimal = 16,
    // Attachments, multi-valued fields, version history (2007 and later): the row holds the id its values
    // carry in a hidden table of their own.
    Complex = 18,
    BigInt = 19,           // Large Number, Access 2016 and later
    DateTimeExtended = 20  // Date/Time Extended, Access 2019 and later: to 100 nanoseconds, years 1 to 9999
};

// Memo and OLE Object: values stored apart from their row, as long values.
inline bool isLongValue(ColumnType type)
{
    return type == ColumnType::Memo || type == ColumnType::OleObject;
}

struct ColumnDef {
    std::string name;
    ColumnType type = ColumnType::Text;
    int number = 0;      // column number in the row (gaps where columns were deleted)
    int ordinal = 0;     // 1-based position in the order Access shows
    int size = 0;        // bytes for fixed types, characters for text
    int precision = 0;   // Decimal only
    int scale = 0;       // Decimal only
    bool fixed = false;  // stored in the fixed part of the row
    bool autoNumber = false;
    bool calculated = false;   // holds the stored result of an expression (Access 2010 and later); read-only
    bool required = false;     // the column's Required property
    std::string defaultValue;  // the column's DefaultValue property: an expression as Access stores it, empty for none
    std::string expression;    // calculated columns: the Expression property their stored result comes from
    std::int32_t complexId = 0;  // Complex only: its row in MSysComplexColumns
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
    bool required = false;  // no Null in a key column (DISALLOW NULL)
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

// What a complex column holds, known from the columns of its type table.
enum class ComplexKind { Attachment, MultiValue, VersionHistory, Unknown };

// Where a complex column keeps its values: rows of a hidden table, each with the id of the value it belongs
// to (the id the owning row holds in the column).
struct ComplexColumn {
    ComplexKind kind = ComplexKind::Unknown;
    std::string flatTable;
    std::string valueIdColumn;              // the flat table's column holding that id
    std::vector<std::string> valueColumns;  // the flat table's columns of the type table (FileName, Value ...)
};

enum class ObjectKind { Table, SystemTable, LinkedTable, Query };

struct CatalogEntry {
    std::string name;
    ObjectKind kind = ObjectKind::Table;
    std::int32_t id = 0;  // MSysObjects Id; for tables the low 24 bits are the definition page
    std::uint32_t flags = 0;
    std::string linkedDatabase;  // LinkedTable only
    std::string foreignName;     // LinkedTable only
    bool odbcLink = false;       // LinkedTable only: to an ODBC source rather than another Access file
};

// Where a linked table's rows are, for messages: "een ander bestand (path)" or "een ODBC-gegevensbron
// (its table there)". Never the ODBC connect string, which may hold a password.
inline std::string linkTarget(const CatalogEntry& link)
{
    return link.odbcLink ? "een ODBC-gegevensbron (" + link.foreignName + ")"
                         : "een ander bestand (" + link.linkedDatabase + ")";
}

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
    bool exclusive = false;  // exclusive: nobody else may have it open
    std::string databasePassword;
};

// A stored value turned into a value of a column's (new) type; DbError when it does not convert.
using ColumnConversion = std::function<Value(const Value&, const ColumnDef&)>;

// What a relationship does to the referring rows when the key they refer to changes or goes (Access's
// ON UPDATE CASCADE, ON DELETE CASCADE or SET NULL); all false: the change is refused while rows refer to it.
struct ReferentialActions {
    bool cascadeUpdates = false;
    bool cascadeDeletes = false;
    bool cascadeNull = false;  // on delete; not together with cascadeDeletes
};

// Where a row lives: its data page << 8 | its number in that page's row table. A row that moved on update
// keeps its id (the old place holds a pointer to the new one).
using RowId = std::uint32_t;

struct KeyRange;

// The order text index keys follow: Access's General sort order (Access 97's codes in Jet 3 files, 2000-2007's
// or the newer one of Access 2010 in Jet 4 files), or a sort order we have no codes for.
enum class TextOrder { General97, General, General2010, Unknown };

// Bytes that order texts as `order` orders them in an index, letter case ignored: accents after the letters,
// hyphens and apostrophes only breaking ties. Unlike an index key it covers the whole text (keys stop after
// 255 characters); trailing spaces leave no trace. A text with a character the order has no code for (Access 97:
// one outside Windows-1252) comes after every other, by its characters. Empty for TextOrder::Unknown.
std::string textSortKey(TextOrder order, std::string_view utf8);

// A forward scan over one table's rows. Holds at most one data page of rows at a time.
class TableScan {
public:
    virtual ~TableScan() = default;
    // Fills row with one Value per column of the table definition, in ordinal order. False at the end.
    virtual bool next(std::vector<Value>& row) = 0;
    // The id of the row next() returned last.
    virtual RowId rowId() const = 0;
    // For a reader that Database::seek made: starts over on another range of the same index, without making
    // a new reader (the inner side of a join seeks once per outer row). False when it cannot: seek anew.
    virtual bool seekAgain(const KeyRange& range)
    {
        (void)range;
        return false;
    }
};

// Rows of one index by key: equal to `equal` on the index's first equal.size() columns and, when from or to is
// given, between them on the column after those, compared as values (a descending column is walked from its
// high end, yet from stays the smaller value). Values of the columns' types. A bound leaves out rows whose
// ranged column is Null; a text bound is compared by its key in the column's order (textSortKey orders alike
// within a key's 255 characters). Text is equal when it is equal ignoring letter case (text::foldCase);
// startsWith (instead of from and to) keeps the texts that start with case forms of it, and perhaps a few more.
struct KeyRange {
    std::vector<Value> equal;
    std::optional<Value> from, to;
    bool fromInclusive = true, toInclusive = true;
    std::optional<std::string> startsWith = std::nullopt;
    bool backward = false;  // the rows in the index's reverse order
};

// An open Jet 3 or Jet 4 file. Every failure is a DbError with a Dutch description.
class Database {
public:
    virtual ~Database() = default;

    static std::unique_ptr<Database> open(const OpenOptions& options);

    virtual Version version() const = 0;
    virtual const std::string& path() const = 0;
    virtual const std::vector<CatalogEntry>& catalog() const = 0;
    // Grows whenever the catalog or a table definition may have been read again (a statement ended, another
    // process changed the file): anything resolved against them before, such as a compiled statement, is stale.
    // No two databases of the process share a version.
    virtual std::uint64_t schemaVersion() const = 0;
    // The text order new columns of this file get; a text column keeps its own (textOrder(table, column)).
    virtual TextOrder textOrder() const { return TextOrder::Unknown; }
    // The order of the index keys of the column at this position of the table (ordinal order).
    virtual TextOrder textOrder(const TableDef& table, std::size_t column)
    {
        (void)table, (void)column;
        return TextOrder::Unknown;
    }
    // The catalog entry with this name, letter case ignored; nullptr when there is none. Tables and
    // queries share one set of names.
    virtual const CatalogEntry* findEntry(std::string_view name) const;
    // Case-insensitive lookup of a table (user, system or linked table that lives in this file).
    virtual const TableDef& table(std::string_view name) = 0;
    virtual std::unique_ptr<TableScan> scan(const TableDef& table) = 0;
    // The same, decoding only the columns at these positions (0-based, ordinal order), for a reader that needs
    // a few columns of a wide table. Rows keep the full width; the other cells are Null in a new row vector.
    virtual std::unique_ptr<TableScan> scan(const TableDef& table, const std::vector<std::size_t>& columns)
    {
        (void)columns;
        return scan(table);
    }
    // The rows of `range` in the order of the table's index at this position of TableDef::indexes, read
    // through its index pages; `columns` as for scan, empty for all. nullptr when the index cannot answer the
    // range (a text value without an index code, text kept in a sort order the keys do not know): the
    // caller scans instead. Several values (In) are several seeks.
    virtual std::unique_ptr<TableScan> seek(const TableDef& table, std::size_t index, const KeyRange& range,
                                            const std::vector<std::size_t>& columns)
    {
        (void)table, (void)index, (void)range, (void)columns;
        return nullptr;
    }
    // About which share (0 to 1) of the index's entries lies in `range`, from the index pages on the way to
    // its bounds; nullopt when seek could not answer the range or the index is damaged.
    virtual std::optional<double> shareOf(const TableDef& table, std::size_t index, const KeyRange& range)
    {
        (void)table, (void)index, (void)range;
        return std::nullopt;
    }
    // Where the values of a Complex column of this table live. DbError when the catalog does not say, or
    // names a table that is not there.
    ComplexColumn complexColumn(const TableDef& table, const ColumnDef& column);
    // The version history behind an append-only memo: a complex column Access keeps out of sight (not in
    // SELECT *, not among the columns). False for every other column, and when the catalog cannot tell.
    bool hiddenColumn(const TableDef& table, const ColumnDef& column);
    // Rows of MSysQueries belonging to the stored query with this catalog id.
    virtual std::vector<QueryRow> queryRows(std::int32_t objectId) = 0;

    // A new, empty database file (fails when the path exists).
    static void create(const std::string& path, Version version);
    // A new, empty .accdb file of Access 2007, 2010, 2016 or 2019 (accessVersion), with the system tables those
    // versions start with; any other version is a DbError.
    static void createAccdb(const std::string& path, int accessVersion);

    // --- Writing ---
    // Reads between beginRead() and endRead() see one state of the file: they hold the shared file lock, and
    // pages another process changed since are read again. Calls nest.
    virtual void beginRead() = 0;
    virtual void endRead() = 0;
    // Every change belongs to a statement. beginStatement() takes the exclusive file lock (and drops what
    // another process changed); changes stay in memory until commitStatement() makes them land whole through
    // the journal. rollbackStatement() forgets them; so does the destructor of an unfinished statement.
    // A file that cannot be written refuses beginStatement() with a Dutch DbError.
    virtual void beginStatement() = 0;
    virtual void commitStatement() = 0;
    virtual void rollbackStatement() = 0;

    // Row changes, inside a statement. values: one per column in ordinal order, already of each column's type.
    // Null in an AutoNumber column gets the next number, in a Replication ID column a new GUID. Every index
    // is kept up to date. Updates and deletes of a referenced row carry on to the rows that refer to it as their
    // relationships declare (a row a cascade deleted is skipped when named again). Duplicate keys in a unique index,
    // Null in a required column or a primary key, text longer than its field: DbError (the caller rolls the statement
    // back).
    virtual RowId insertRow(const TableDef& table, std::vector<Value> values) = 0;
    virtual void updateRow(const TableDef& table, RowId row, std::vector<Value> values) = 0;
    virtual void deleteRow(const TableDef& table, RowId row) = 0;

    // Data definition, inside a statement. A TableDef or ColumnDef given here names columns and their types,
    // sizes and flags; column numbers, ordinals, offsets and pages are the database's to assign. A name that
    // already exists, or one that does not, is a DbError. The catalog and table() reflect the change at once.
    virtual void createTable(const TableDef& table) = 0;
    virtual void dropTable(std::string_view name) = 0;
    virtual void addColumn(std::string_view table, const ColumnDef& column) = 0;
    virtual void dropColumn(std::string_view table, std::string_view column) = 0;
    // The rows' values follow the column to its new type through `convert` (the SQL layer converts as Access does).
    virtual void alterColumn(std::string_view table, const ColumnDef& column, const ColumnConversion& convert) = 0;
    virtual void createIndex(std::string_view table, const IndexDef& index) = 0;  // fills it from the rows
    // The AutoNumber value the table's next row gets (from 1), as COUNTER(seed, 1) sets it.
    virtual void setNextAutoNumber(std::string_view table, std::uint32_t next) = 0;
    virtual void dropIndex(std::string_view table, std::string_view index) = 0;
    // A relationship: the foreign-key index on `table` and its link to the referenced table's primary key.
    virtual void createRelationship(std::string_view table, const IndexDef& foreignKey,
                                    std::string_view referencedTable, const std::vector<std::string>& referencedColumns,
                                    const ReferentialActions& actions) = 0;
    // Stored queries in MSysQueries form (QueryRow::objectId is assigned).
    virtual void createQuery(const std::string& name, const std::vector<QueryRow>& rows) = 0;
    virtual void dropQuery(std::string_view name) = 0;
    // Needs the file opened exclusively. Empty means no password.
    virtual void changeDatabasePassword(const std::string& newPassword, const std::string& oldPassword) = 0;

    // The signal the statement running now stops at (nullptr: none); see StopScope. Scans look at it between
    // pages, row changes before each row; a stop inside a statement is a DbError and the statement rolls back.
    const StopSignal* stopSignal() const { return stop_; }
    void checkStop() const
    {
        if (stop_) stop_->check();
    }

private:
    friend class StopScope;
    const StopSignal* stop_ = nullptr;
};

// Makes a statement stoppable through `signal` while it lives (nullptr: not stoppable in that time).
class StopScope {
public:
    StopScope(Database& database, const StopSignal* signal) : database_(database), previous_(database.stop_)
    {
        database_.stop_ = signal;
    }
    ~StopScope() { database_.stop_ = previous_; }
    StopScope(const StopScope&) = delete;
    StopScope& operator=(const StopScope&) = delete;

private:
    Database& database_;
    const StopSignal* previous_;
};

// Everything read while it lives comes from one state of the file.
class ReadGuard {
public:
    explicit ReadGuard(Database& database) : database_(database) { database_.beginRead(); }
    ~ReadGuard() { database_.endRead(); }
    ReadGuard(const ReadGuard&) = delete;
    ReadGuard& operator=(const ReadGuard&) = delete;

private:
    Database& database_;
};

}  // namespace querimo::jet
