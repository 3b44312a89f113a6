#include "ado/SchemaRowsets.h"

#include <algorithm>

#include "core/Text.h"
#include "jet/Database.h"
#include "sql/Sql.h"

namespace querimo::ado {
namespace {

using jet::ColumnType;

// Nullopt and empty both mean: no restriction at this position.
bool passes(const Restrictions& restrictions, std::size_t position, const std::string& value)
{
    if (position >= restrictions.size() || !restrictions[position] || restrictions[position]->empty()) return true;
    return text::equalsIgnoreCase(*restrictions[position], value);
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return text::toLower(a) < text::toLower(b);
}

struct NamedTable {
    std::string name;
    std::string type;
};

// Tables in this file plus the stored select queries without parameters, as the provider names their kinds.
std::vector<NamedTable> namedTables(jet::Database& db)
{
    std::vector<NamedTable> tables;
    for (const jet::CatalogEntry& entry : db.catalog()) {
        switch (entry.kind) {
        case jet::ObjectKind::Table: tables.push_back({entry.name, "TABLE"}); break;
        case jet::ObjectKind::SystemTable: tables.push_back({entry.name, "SYSTEM TABLE"}); break;
        case jet::ObjectKind::LinkedTable: tables.push_back({entry.name, "LINK"}); break;
        case jet::ObjectKind::Query: break;
        }
    }
    for (const sql::View& view : sql::databaseViews(db)) tables.push_back({view.name, "VIEW"});
    return tables;
}

// The tables stored in this file whose name passes the restriction at `position`, by name.
std::vector<const jet::TableDef*> tablesInFile(jet::Database& db, const Restrictions& restrictions,
                                               std::size_t position)
{
    const auto isTable = [](const jet::CatalogEntry& entry) {
        return entry.kind == jet::ObjectKind::Table || entry.kind == jet::ObjectKind::SystemTable;
    };
    // One table asked for by name (the structure tree asks so for every table): no walk through the catalog.
    if (position < restrictions.size() && restrictions[position] && !restrictions[position]->empty()) {
        const jet::CatalogEntry* entry = db.findEntry(*restrictions[position]);
        if (!entry || !isTable(*entry)) return {};
        return {&db.table(entry->name)};
    }
    std::vector<std::string> names;
    for (const jet::CatalogEntry& entry : db.catalog())
        if (isTable(entry)) names.push_back(entry.name);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    std::vector<const jet::TableDef*> tables;
    for (const std::string& name : names) tables.push_back(&db.table(name));
    return tables;
}

Value numericPrecision(const jet::ColumnDef& c)
{
    switch (c.type) {
    case ColumnType::Byte: return Value::int32(3);
    case ColumnType::Integer: return Value::int32(5);
    case ColumnType::Long: return Value::int32(10);
    case ColumnType::Single: return Value::int32(7);
    case ColumnType::Double: return Value::int32(15);
    case ColumnType::Currency:
    case ColumnType::BigInt: return Value::int32(19);
    case ColumnType::Decimal: return Value::int32(c.precision);
    default: return Value::null();
    }
}

Value maximumLength(const jet::ColumnDef& c)
{
    switch (c.type) {
    case ColumnType::Text:
    case ColumnType::Binary: return Value::int32(c.size);
    case ColumnType::Memo: return Value::int32(536870910);
    case ColumnType::OleObject: return Value::int32(1073741823);
    default: return Value::null();
    }
}

// The output columns of the views, typed as the columns rowset types table columns.
void appendViewColumns(jet::Database& db, const Restrictions& restrictions, std::vector<std::vector<Value>>& rows)
{
    std::vector<sql::View> views;
    if (restrictions.size() > 2 && restrictions[2] && !restrictions[2]->empty()) {
        if (auto view = sql::databaseView(db, *restrictions[2])) views.push_back(std::move(*view));
    } else {
        views = sql::databaseViews(db);
    }
    for (const sql::View& view : views)
        for (std::size_t i = 0; i < view.columns.size(); ++i) {
            const sql::Column& c = view.columns[i];
            if (!passes(restrictions, 3, c.name)) continue;
            const sql::AccessType* access = sql::accessTypeOf(c.type);
            const DataType type = access ? access->schema : c.type;
            rows.push_back({Value::null(), Value::null(), Value::text(view.name), Value::text(c.name),
                            Value::int32(static_cast<std::int32_t>(i + 1)), Value::boolean(true),
                            Value::int16(static_cast<std::int16_t>(type)), Value::null(), Value::null(), Value::null(),
                            Value::null()});
        }
}

}  // namespace

std::shared_ptr<Recordset> tablesRowset(jet::Database& db, const Restrictions& restrictions)
{
    std::vector<NamedTable> tables = namedTables(db);
    std::stable_sort(tables.begin(), tables.end(), [](const NamedTable& a, const NamedTable& b) {
        return a.type != b.type ? a.type < b.type : lessIgnoringCase(a.name, b.name);
    });
    std::vector<std::vector<Value>> rows;
    for (const NamedTable& t : tables)
        if (passes(restrictions, 2, t.name) && passes(restrictions, 3, t.type))
            rows.push_back({Value::null(), Value::null(), Value::text(t.name), Value::text(t.type)});
    return Recordset::fromRows({{"TABLE_CATALOG", DataType::VarWChar, 255},
                                {"TABLE_SCHEMA", DataType::VarWChar, 255},
                                {"TABLE_NAME", DataType::VarWChar, 255},
                                {"TABLE_TYPE", DataType::VarWChar, 255}},
                               std::move(rows));
}

std::shared_ptr<Recordset> columnsRowset(jet::Database& db, const Restrictions& restrictions)
{
    std::vector<std::vector<Value>> rows;
    for (const jet::TableDef* t : tablesInFile(db, restrictions, 2)) {
        const jet::TableDef& table = *t;
        for (const jet::ColumnDef& c : table.columns) {
            if (!passes(restrictions, 3, c.name) || db.hiddenColumn(table, c)) continue;
            rows.push_back(
                {Value::null(), Value::null(), Value::text(table.name), Value::text(c.name), Value::int32(c.ordinal),
                 Value::boolean(!c.required && c.type != ColumnType::Boolean),
                 Value::int16(static_cast<std::int16_t>(sql::accessType(c.type).schema)), maximumLength(c),
                 numericPrecision(c),
                 c.type == ColumnType::Decimal ? Value::int16(static_cast<std::int16_t>(c.scale)) : Value::null(),
                 c.calculated ? Value::text(c.expression) : Value::null()});
        }
    }
    appendViewColumns(db, restrictions, rows);
    return Recordset::fromRows({{"TABLE_CATALOG", DataType::VarWChar, 255},
                                {"TABLE_SCHEMA", DataType::VarWChar, 255},
                                {"TABLE_NAME", DataType::VarWChar, 255},
                                {"COLUMN_NAME", DataType::VarWChar, 255},
                                {"ORDINAL_POSITION", DataType::Integer, 4},
                                {"IS_NULLABLE", DataType::Boolean, 2},
                                {"DATA_TYPE", DataType::SmallInt, 2},
                                {"CHARACTER_MAXIMUM_LENGTH", DataType::Integer, 4},
                                {"NUMERIC_PRECISION", DataType::Integer, 4},
                                {"NUMERIC_SCALE", DataType::SmallInt, 2},
                                // Beyond the provider's columns: a calculated column's expression, else Null.
                                {"COLUMN_EXPRESSION", DataType::LongVarWChar, 0}},
                               std::move(rows));
}

std::shared_ptr<Recordset> indexesRowset(jet::Database& db, const Restrictions& restrictions)
{
    std::vector<std::vector<Value>> rows;
    for (const jet::TableDef* t : tablesInFile(db, restrictions, 4)) {
        const jet::TableDef& table = *t;
        std::vector<const jet::IndexDef*> indexes;
        // Names starting with "." are the engine's own halves of relationships, not indexes anyone made.
        for (const jet::IndexDef& index : table.indexes)
            if (index.name.rfind(".", 0) != 0 && passes(restrictions, 2, index.name)) indexes.push_back(&index);
        std::stable_sort(indexes.begin(), indexes.end(), [](const jet::IndexDef* a, const jet::IndexDef* b) {
            return lessIgnoringCase(a->name, b->name);
        });
        for (const jet::IndexDef* index : indexes) {
            int position = 0;
            for (const jet::IndexColumn& key : index->columns) {
                const jet::ColumnDef* column = table.columnByNumber(key.columnNumber);
                rows.push_back({Value::null(), Value::null(), Value::text(table.name), Value::text(index->name),
                                Value::boolean(index->primaryKey), Value::boolean(index->unique),
                                Value::int32(index->ignoreNulls ? 2 : 0), Value::int32(++position),
                                column ? Value::text(column->name) : Value::null(),
                                Value::int16(key.ascending ? 1 : 2)});
            }
        }
    }
    return Recordset::fromRows({{"TABLE_CATALOG", DataType::VarWChar, 255},
                                {"TABLE_SCHEMA", DataType::VarWChar, 255},
                                {"TABLE_NAME", DataType::VarWChar, 255},
                                {"INDEX_NAME", DataType::VarWChar, 255},
                                {"PRIMARY_KEY", DataType::Boolean, 2},
                                {"UNIQUE", DataType::Boolean, 2},
                                {"NULLS", DataType::Integer, 4},
                                {"ORDINAL_POSITION", DataType::Integer, 4},
                                {"COLUMN_NAME", DataType::VarWChar, 255},
                                {"COLLATION", DataType::SmallInt, 2}},
                               std::move(rows));
}

}  // namespace querimo::ado
