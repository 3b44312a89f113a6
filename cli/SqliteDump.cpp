#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "DumpProgress.h"
#include "DumpSource.h"
#include "DumpSql.h"
#include "Dumps.h"
#include "core/Error.h"
#include "core/ValueText.h"

namespace querimo::cli {

namespace {

// SQLite's numbers are 64-bit integers and doubles: Currency and Decimal go as their exact decimal text
// (TEXT affinity keeps it as written), dates as text that SQLite's date functions read.
std::string columnType(const jet::ColumnDef& column)
{
    using T = jet::ColumnType;
    switch (column.type) {
    case T::Boolean: return "BOOLEAN";
    case T::Byte:
    case T::Integer: return "SMALLINT";
    case T::Long: return "INTEGER";
    case T::Currency:
    case T::Decimal: return "TEXT";
    case T::Single: return "REAL";
    case T::Double: return "DOUBLE";
    case T::DateTime: return "DATETIME";
    case T::DateTimeExtended: return "TEXT";  // all seven decimals of the seconds
    case T::BigInt: return "BIGINT";
    case T::Text: return column.size > 0 ? "VARCHAR(" + std::to_string(column.size) + ")" : "TEXT";
    case T::Memo: return "TEXT";
    case T::Binary:
    case T::OleObject: return "BLOB";
    case T::Guid: return "TEXT";
    case T::Complex: return "INTEGER";  // the id of its values, as stored
    }
    throw DbError(errc::fail, "De kolom '" + column.name + "' heeft een onbekend type.");
}

class Target {
public:
    explicit Target(const std::string& path) : path_(path)
    {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK)
            return;
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_close(db_);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        throw DbError(errc::fail, "De SQLite-database '" + path_ + "' kan niet worden gemaakt: " + message + ".");
    }
    ~Target()
    {
        sqlite3_finalize(insert_);
        sqlite3_close(db_);
        std::error_code ignored;
        if (!done_) std::filesystem::remove(path_, ignored);  // no half-made file stays behind
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    void run(const std::string& sql)
    {
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail("weigert " + sql);
    }
    void prepareInsert(const std::string& sql)
    {
        sqlite3_finalize(insert_);
        insert_ = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &insert_, nullptr) != SQLITE_OK) fail("weigert " + sql);
    }
    void insert(const std::vector<Value>& row)
    {
        std::string text;
        for (std::size_t i = 0; i < row.size(); ++i) bind(static_cast<int>(i + 1), row[i], text);
        if (sqlite3_step(insert_) != SQLITE_DONE) fail("weigert een rij");
        sqlite3_reset(insert_);
    }
    void finish() { done_ = true; }

private:
    void bind(int position, const Value& v, std::string& text)
    {
        using K = Value::Kind;
        switch (v.kind) {
        case K::Null: sqlite3_bind_null(insert_, position); return;
        case K::Boolean:
        case K::Byte:
        case K::Integer:
        case K::Long: sqlite3_bind_int64(insert_, position, v.integer); return;
        case K::Single:
            // The float's shortest text read as a double: 0.1f stays 0.1 rather than 0.100000001490116.
            sqlite3_bind_double(insert_, position, std::strtod(exportText(v).c_str(), nullptr));
            return;
        case K::Double: sqlite3_bind_double(insert_, position, v.real); return;
        case K::Binary:
            sqlite3_bind_blob64(insert_, position, v.bytes.data(), v.bytes.size(), SQLITE_TRANSIENT);
            return;
        case K::Text:
            sqlite3_bind_text64(insert_, position, v.bytes.data(), v.bytes.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
            return;
        case K::DateTime:
            text = exportText(v);
            if (text.size() == 10) text += " 00:00:00";
            break;
        default: text = exportText(v);
        }
        sqlite3_bind_text64(insert_, position, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    [[noreturn]] void fail(const std::string& what)
    {
        throw DbError(errc::fail,
                      "De SQLite-database '" + path_ + "' " + what + ": " + (db_ ? sqlite3_errmsg(db_) : "") + ".");
    }

    std::string path_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    bool done_ = false;
};

std::string createTable(const jet::TableDef& table, const std::vector<Relationship>& relationships)
{
    std::string sql = "CREATE TABLE " + quoteIdentifier(table.name) + " (";
    bool first = true;
    for (const jet::ColumnDef& column : table.columns) {
        sql += (first ? "\n    " : ",\n    ") + quoteIdentifier(column.name) + " " + columnType(column);
        first = false;
        if (column.required) sql += " NOT NULL";
        if (!column.defaultValue.empty()) {
            if (const auto expression = translateDefault(column, Dialect::Sqlite))
                sql +=
                    " DEFAULT "
                    + (*expression == "CURRENT_TIMESTAMP" || *expression == "CURRENT_DATE" ? *expression
                                                                                           : "(" + *expression + ")");
            else
                warn("de standaardwaarde " + column.defaultValue + " van " + table.name + "." + column.name
                     + " is niet omgezet.");
        }
    }
    // A primary key on one INTEGER column makes it the rowid: new rows continue after the highest number.
    for (const jet::IndexDef& index : table.indexes)
        if (index.primaryKey) sql += ",\n    PRIMARY KEY (" + quoteIdentifiers(indexColumnNames(table, index)) + ")";
    // SQLite has no ALTER TABLE ... ADD CONSTRAINT: foreign keys go with the table.
    for (const Relationship& r : relationships) {
        if (r.table != table.name || !r.enforced) continue;
        sql += ",\n    CONSTRAINT " + quoteIdentifier(r.name) + " FOREIGN KEY (" + quoteIdentifiers(r.columns)
               + ") REFERENCES " + quoteIdentifier(r.referencedTable) + " (" + quoteIdentifiers(r.referencedColumns)
               + ")";
        if (r.updateCascade) sql += " ON UPDATE CASCADE";
        if (r.deleteCascade) sql += " ON DELETE CASCADE";
    }
    return sql + "\n)";
}

std::string createIndexes(const jet::TableDef& table, const IndexNames& indexNames)
{
    std::string sql;
    for (const jet::IndexDef& index : table.indexes) {
        if (index.foreignKey || index.primaryKey) continue;
        const std::string keys = indexKeyList(table, index);
        sql += std::string(index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ")
               + quoteIdentifier(indexNames.of(table, index)) + " ON " + quoteIdentifier(table.name) + " (" + keys
               + ");\n";
    }
    return sql;
}

}  // namespace

void dumpSqlite(jet::Database& db, const std::string& path)
{
    if (std::filesystem::exists(path))
        throw DbError(errc::fail, "Het bestand '" + path + "' bestaat al; de dump overschrijft niets.");
    jet::ReadGuard guard(db);
    const DumpSource source = readDumpSource(db, {});
    Target target(path);
    target.run("BEGIN");
    for (const jet::TableDef* table : source.tables) {
        target.run(createTable(*table, source.relationships));
        std::vector<std::string> names;
        std::string marks;
        for (const jet::ColumnDef& column : table->columns) {
            names.push_back(column.name);
            marks += marks.empty() ? "?" : ", ?";
        }
        target.prepareInsert("INSERT INTO " + quoteIdentifier(table->name) + " (" + quoteIdentifiers(names)
                             + ") VALUES (" + marks + ")");
        DumpProgress progress(table->name);
        std::vector<Value> row;
        for (auto scan = db.scan(*table); scan->next(row);) {
            target.insert(row);
            progress.row();
        }
    }
    const IndexNames indexNames(source.tables);
    for (const jet::TableDef* table : source.tables) target.run(createIndexes(*table, indexNames));
    for (const Relationship& r : source.relationships)
        if (!r.enforced) warn("de relatie '" + r.name + "' wordt in Access niet afgedwongen en is niet overgenomen.");
    for (const StoredQuery& query : source.queries) warn("de query '" + query.name + "' is niet omgezet naar SQLite.");
    target.run("COMMIT");
    target.finish();
}

}  // namespace querimo::cli
