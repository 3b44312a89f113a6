#include "sql/JetModule.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/Error.h"
#include "core/Text.h"
#include "sql/Catalog.h"
#include "sql/Compiler.h"
#include "sql/ComplexValues.h"
#include "sql/IndexPlan.h"
#include "sql/OrderedTies.h"
#include "sql/RowBuffer.h"
#include "sql/SqliteValue.h"
#include "sql/TextCollation.h"
#include "sql/functions/AccessFunctions.h"

namespace querimo::sql {

struct JetTablesAccess {
    static std::vector<sqlite3_vtab*>& tables(JetTables& owner) { return owner.tables_; }
};

namespace {

// Lookup keys: numbers by value, text without letter case (as the collation compares).
std::string numberKey(double d)
{
    if (d == 0) d = 0;  // -0 and 0 are one key
    std::string key(sizeof d, '\0');
    std::memcpy(key.data(), &d, sizeof d);
    return key;
}

std::optional<std::string> keyOf(const RowBuffer::Cell& c, bool textColumn)
{
    if (textColumn) return c.tag == RowBuffer::Tag::Text ? std::optional<std::string>(textKey(c.bytes)) : std::nullopt;
    if (c.tag == RowBuffer::Tag::Integer) return numberKey(static_cast<double>(c.integer));
    if (c.tag == RowBuffer::Tag::Real) return numberKey(c.real);
    return std::nullopt;
}

std::optional<std::string> keyOfArgument(sqlite3_value* v, bool textColumn)
{
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_NULL || type == SQLITE_BLOB) return std::nullopt;
    const auto text = [v] {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        return std::string_view(p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(v)));
    };
    if (textColumn) return textKey(text());  // a text column compares as text with a number: the number's text
    if (type != SQLITE_TEXT) return numberKey(sqlite3_value_double(v));
    std::string_view s = text();  // SQLite reads text with spaces around as the number too
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double d = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return numberKey(d);
}

// The cached rows by one column's key: the first row of each key, and from every row the next one with the
// same key, so that building it allocates nothing per row.
struct KeyIndex {
    static constexpr std::uint32_t end = 0xFFFFFFFF;
    std::unordered_map<std::string, std::uint32_t> first;
    std::vector<std::uint32_t> next;

    void rowsOf(const std::string& key, std::vector<std::uint32_t>& rows) const
    {
        rows.clear();
        const auto found = first.find(key);
        for (std::uint32_t r = found == first.end() ? end : found->second; r != end; r = next[r]) rows.push_back(r);
    }
};

struct Table;

// Rows whose complex columns show their values (file names, the values of a multi-valued field) instead of the
// id the row stores.
class ComplexScan : public jet::TableScan {
public:
    ComplexScan(std::unique_ptr<jet::TableScan> rows, Table& table) : rows_(std::move(rows)), table_(table) {}
    bool next(std::vector<Value>& row) override;
    jet::RowId rowId() const override { return rows_->rowId(); }
    bool seekAgain(const jet::KeyRange& range) override { return rows_->seekAgain(range); }

private:
    std::unique_ptr<jet::TableScan> rows_;
    Table& table_;
};

struct Table : sqlite3_vtab {
    JetTables* owner = nullptr;
    jet::Database* database = nullptr;
    const jet::TableDef* definition = nullptr;
    std::vector<std::size_t> complexColumns;                        // their positions
    std::map<std::size_t, std::unique_ptr<ComplexValues>> complex;  // read when a row first shows them
    std::unique_ptr<RowBuffer> cache;
    std::vector<jet::RowId> cachedRowIds;  // the Jet row id of each cached row
    std::map<int, KeyIndex> indexes;       // by column
    std::size_t lookups = 0;               // seeks of one column's values in this statement
    // Columns the statements read (as the planner reports them) and those the cache holds: a scan decodes
    // only these. The cache is read again, in the same row order, when a later statement needs more.
    std::vector<bool> wanted, cached;

    std::vector<std::size_t> wantedPositions;  // of `wanted`, empty for all; kept for the many seeks of a join

    void want(sqlite3_uint64 used)
    {
        wanted.resize(definition->columns.size());
        for (std::size_t c = 0; c < width(); ++c)  // the last bit stands for every column from 63 on
            if (used & (sqlite3_uint64{1} << std::min<std::size_t>(c, 63))) wanted[storedColumn(c)] = true;
        wantedPositions.clear();
        if (std::all_of(wanted.begin(), wanted.end(), [](bool w) { return w; })) return;
        for (std::size_t c = 0; c < wanted.size(); ++c)
            if (wanted[c]) wantedPositions.push_back(c);
    }

    // The table's columns and the hidden id of each complex column after them.
    std::size_t width() const { return definition->columns.size() + complexColumns.size(); }
    std::size_t storedColumn(std::size_t c) const
    {
        return c < definition->columns.size() ? c : complexColumns[c - definition->columns.size()];
    }

    // The positions of the wanted columns; empty when every column is wanted.
    const std::vector<std::size_t>& wantedColumns()
    {
        if (wanted.size() != definition->columns.size()) want(0);
        return wantedPositions;
    }

    std::unique_ptr<jet::TableScan> scan()
    {
        const std::vector<std::size_t>& columns = wantedColumns();
        return showingValues(columns.empty() ? database->scan(*definition) : database->scan(*definition, columns));
    }

    std::unique_ptr<jet::TableScan> showingValues(std::unique_ptr<jet::TableScan> rows)
    {
        if (complexColumns.empty() || !rows) return rows;
        return std::make_unique<ComplexScan>(std::move(rows), *this);
    }

    Value complexValue(std::size_t column, const Value& id)
    {
        if (id.kind != Value::Kind::Long) return Value::null();
        auto& values = complex[column];
        if (!values) values = std::make_unique<ComplexValues>(*database, *definition, definition->columns[column]);
        return values->value(static_cast<std::int32_t>(id.integer));
    }

    // The rows an index plan finds, or all rows (SQLite checks them) when the index cannot serve the values.
    // `earlier`: the reader of this plan's previous seek, used again when it can start over on the new range.
    // `found` takes the range (its room is used again from seek to seek); positions: the plan's key columns.
    std::unique_ptr<jet::TableScan> seek(const IndexPlan& plan, const std::vector<int>& positions, int argc,
                                         sqlite3_value** argv, Seek& found, bool& none,
                                         std::unique_ptr<jet::TableScan> earlier)
    {
        seekFor(*definition, plan, positions, argc, argv, found);
        none = found.kind == Seek::Kind::NoRows;
        if (none) return nullptr;
        const auto index = static_cast<std::size_t>(plan.index);
        if (found.kind == Seek::Kind::Range) {
            jet::KeyRange range = found.range;
            range.backward = plan.backward;
            if (earlier && earlier->seekAgain(range)) return earlier;
            earlier.reset();
            if (auto rows = database->seek(*definition, index, range, wantedColumns()))
                return showingValues(inOrder(plan, std::move(rows)));
        }
        // The rows must still come in index order when SQLite leaves the sorting to it.
        jet::KeyRange whole;
        whole.backward = plan.backward;
        if (plan.ordered > 0)
            if (auto rows = database->seek(*definition, index, whole, wantedColumns()))
                return showingValues(inOrder(plan, std::move(rows)));
        return scan();
    }

    // Rows in index order for an ORDER BY that ends on a text column get their ties in the collation's order.
    std::unique_ptr<jet::TableScan> inOrder(const IndexPlan& plan, std::unique_ptr<jet::TableScan> rows)
    {
        if (plan.ordered == 0) return rows;
        const jet::IndexDef& index = definition->indexes.at(static_cast<std::size_t>(plan.index));
        std::vector<std::size_t> terms;
        for (int k = plan.equal; k < plan.equal + plan.ordered && static_cast<std::size_t>(k) < index.columns.size();
             ++k) {
            const jet::ColumnDef* column =
                definition->columnByNumber(index.columns[static_cast<std::size_t>(k)].columnNumber);
            if (!column) return rows;
            terms.push_back(static_cast<std::size_t>(column - definition->columns.data()));
        }
        if (terms.empty() || definition->columns[terms.back()].type != jet::ColumnType::Text) return rows;
        const std::size_t text = terms.back();
        terms.pop_back();
        const bool descending =
            index.columns[static_cast<std::size_t>(plan.equal + plan.ordered - 1)].ascending == plan.backward;
        return std::make_unique<OrderedTies>(std::move(rows), std::move(terms), text, descending,
                                             database->textOrder());
    }

    // The column to look rows up by in memory instead of through the index of this plan, or -1. A statement
    // that seeks one column's values more often than a quarter of the rows (the inner side of a large join)
    // spends less loading a small table once into a hash index than seeking on; the order stays right, as
    // the index has that column alone.
    int inMemoryColumn(const IndexPlan& plan, int argc)
    {
        constexpr std::uint32_t largestLoaded = 200000;
        if (plan.equal != 1 || plan.from || plan.to || argc != 1 || plan.index < 0) return -1;
        const jet::IndexDef& index = definition->indexes.at(static_cast<std::size_t>(plan.index));
        if (index.columns.size() != 1 || definition->rowCount > largestLoaded) return -1;
        const jet::ColumnDef* column = definition->columnByNumber(index.columns[0].columnNumber);
        if (!column) return -1;
        const auto position = static_cast<int>(column - definition->columns.data());
        if (!indexes.count(position) && ++lookups <= std::max<std::size_t>(64, definition->rowCount / 4)) return -1;
        return position;
    }

    // Whether the column alone is the key of a unique index: a lookup on it finds at most one row.
    bool uniqueKey(int column) const
    {
        if (static_cast<std::size_t>(column) >= definition->columns.size()) return false;
        const int number = definition->columns[static_cast<std::size_t>(column)].number;
        return std::any_of(definition->indexes.begin(), definition->indexes.end(), [&](const jet::IndexDef& index) {
            return index.unique && index.columns.size() == 1 && index.columns[0].columnNumber == number;
        });
    }

    bool textColumn(int column) const
    {
        if (static_cast<std::size_t>(column) >= definition->columns.size()) return false;
        const auto type = definition->columns[static_cast<std::size_t>(column)].type;
        return type == jet::ColumnType::Text || type == jet::ColumnType::Memo || type == jet::ColumnType::Complex;
    }

    // Statements a plan was made for keep their columns wanted; what they read is read again.
    void forgetLoadedRows()
    {
        cache.reset();
        cachedRowIds.clear();
        indexes.clear();
        cached.clear();
        complex.clear();
        lookups = 0;
    }

    void load()
    {
        wantedColumns();  // sizes `wanted`
        if (cache && cached == wanted) return;
        auto rows = std::make_unique<RowBuffer>(width());
        auto scan = this->scan();
        std::vector<Value> row;
        std::vector<jet::RowId> rowIds;
        while (scan->next(row)) {
            rows->beginRow();
            for (const Value& v : row) rows->addValue(v);
            rowIds.push_back(scan->rowId());
        }
        cache = std::move(rows);
        cached = wanted;
        cachedRowIds = std::move(rowIds);
    }

    const KeyIndex& index(int column)
    {
        auto found = indexes.find(column);
        if (found != indexes.end()) return found->second;
        want(sqlite3_uint64{1} << std::min(column, 63));
        load();
        KeyIndex& index = indexes[column];
        const bool text = textColumn(column);
        index.next.assign(cache->rowCount(), KeyIndex::end);
        index.first.reserve(cache->rowCount());
        for (std::size_t r = cache->rowCount(); r-- > 0;)  // backwards: each key's rows chain up in row order
            if (auto key = keyOf(cache->cell(r, static_cast<std::size_t>(column)), text)) {
                const auto [at, added] = index.first.try_emplace(std::move(*key), static_cast<std::uint32_t>(r));
                if (!added) {
                    index.next[r] = at->second;
                    at->second = static_cast<std::uint32_t>(r);
                }
            }
        return index;
    }
};

bool ComplexScan::next(std::vector<Value>& row)
{
    if (!rows_->next(row)) return false;
    const std::size_t stored = table_.definition->columns.size();
    row.resize(table_.width());
    for (std::size_t k = 0; k < table_.complexColumns.size(); ++k) {
        const std::size_t c = table_.complexColumns[k];
        row[stored + k] = row[c];
        row[c] = table_.complexValue(c, row[c]);
    }
    return true;
}

struct Cursor : sqlite3_vtab_cursor {
    std::unique_ptr<jet::TableScan> scan;  // streaming
    std::optional<IndexPlan> scanPlan;     // the index plan `scan` seeks by
    std::string planText;                  // the last plan's text and the plan read from it, for a join's
    IndexPlan plan;                        // many filters with one plan
    std::vector<int> keyPositions;         // of the plan's index
    Seek seek;                             // the range of the last filter
    std::vector<Value> row;
    const std::vector<std::uint32_t>* matches = nullptr;  // index lookup: the rows in found
    std::vector<std::uint32_t> found;
    bool useCache = false;
    std::size_t position = 0;
    bool eof = true;

    Table& table() { return *static_cast<Table*>(pVtab); }
};

void setError(sqlite3_vtab* vtab, const std::string& message)
{
    sqlite3_free(vtab->zErrMsg);
    vtab->zErrMsg = sqlite3_mprintf("%s", message.c_str());
}

std::string unquote(const char* arg)
{
    std::string s = arg;
    if (s.size() >= 2 && (s.front() == '\'' || s.front() == '"')) {
        const char q = s.front();
        s = s.substr(1, s.size() - 2);
        std::string out;
        for (std::size_t i = 0; i < s.size(); ++i) {
            out += s[i];
            if (s[i] == q && i + 1 < s.size() && s[i + 1] == q) ++i;
        }
        return out;
    }
    return s;
}

const char* declaredType(jet::ColumnType type)
{
    switch (type) {
    case jet::ColumnType::Boolean:
    case jet::ColumnType::Byte:
    case jet::ColumnType::Integer:
    case jet::ColumnType::Long:
    case jet::ColumnType::BigInt: return "INTEGER";
    case jet::ColumnType::Currency:
    case jet::ColumnType::Single:
    case jet::ColumnType::Double:
    case jet::ColumnType::DateTime:
    case jet::ColumnType::Decimal: return "REAL";
    case jet::ColumnType::Text:
    case jet::ColumnType::Memo:
    case jet::ColumnType::Complex: return nullptr;  // text with our collation
    case jet::ColumnType::Guid:
    case jet::ColumnType::DateTimeExtended: return "TEXT";
    case jet::ColumnType::Binary:
    case jet::ColumnType::OleObject: return "BLOB";
    }
    return "TEXT";
}

int connect(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out, char** error)
{
    if (argc < 4) {
        *error = sqlite3_mprintf("jet: tabelnaam ontbreekt");
        return SQLITE_ERROR;
    }
    auto table = std::make_unique<Table>();
    table->owner = static_cast<JetTables*>(aux);
    table->database = &table->owner->database();
    try {
        table->definition = &table->database->table(unquote(argv[3]));
    } catch (const DbError& e) {
        *error = sqlite3_mprintf("%s", e.what());
        return SQLITE_ERROR;
    }
    std::string schema = "CREATE TABLE x(";
    for (std::size_t i = 0; i < table->definition->columns.size(); ++i) {
        const jet::ColumnDef& c = table->definition->columns[i];
        if (i > 0) schema += ", ";
        schema += quoteIdentifier(c.name);
        const char* type = declaredType(c.type);
        schema += type ? std::string(" ") + type : std::string(" TEXT COLLATE ") + textCollation;
        if (c.type == jet::ColumnType::Complex) table->complexColumns.push_back(i);
    }
    // Behind each complex column, hidden from SELECT *, the id its values carry: joins to the values use it.
    for (const std::size_t i : table->complexColumns)
        schema += ", " + quoteIdentifier(complexIdColumn(table->definition->columns[i].name)) + " INTEGER HIDDEN";
    schema += ")";
    if (const int rc = sqlite3_declare_vtab(db, schema.c_str()); rc != SQLITE_OK) return rc;
    JetTablesAccess::tables(*table->owner).push_back(table.get());
    *out = table.release();
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* vtab)
{
    auto* table = static_cast<Table*>(vtab);
    std::vector<sqlite3_vtab*>& tables = JetTablesAccess::tables(*table->owner);
    tables.erase(std::remove(tables.begin(), tables.end(), vtab), tables.end());
    delete table;
    return SQLITE_OK;
}

int bestIndex(sqlite3_vtab* vtab, sqlite3_index_info* info)
{
    auto& table = *static_cast<Table*>(vtab);
    table.want(info->colUsed);
    const double rows = std::max<double>(table.definition->rowCount, 1);
    info->idxNum = 0;
    info->estimatedCost = 1 + rows;  // opening a scan costs something too
    info->estimatedRows = static_cast<sqlite3_int64>(rows);
    if (offerIndex(*table.database, *table.definition, info, table.owner->rowGoal(*table.definition))) return SQLITE_OK;
    // Without an index: a join on a column loads the table into memory with a hash index on it.
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (!c.usable || c.op != SQLITE_INDEX_CONSTRAINT_EQ || c.iColumn < 0) continue;
        // A constant compared with a column is served as well by the plain scan, without loading the table.
        sqlite3_value* constant = nullptr;
        if (sqlite3_vtab_rhs_value(info, i, &constant) == SQLITE_OK && constant) continue;
        info->idxNum = c.iColumn + 1;
        info->aConstraintUsage[i].argvIndex = 1;
        info->aConstraintUsage[i].omit = 0;  // SQLite checks again: the index may return a few rows too many
        // A lookup first loads the whole table into memory. Unless the column is a unique key, assume many
        // rows per value, so the planner puts the larger table of a join outside rather than loading it.
        const bool unique = table.uniqueKey(c.iColumn);
        const double perValue = unique ? 0 : rows / 10;
        info->estimatedRows = unique ? 1 : std::max<sqlite3_int64>(2, static_cast<sqlite3_int64>(perValue));
        info->estimatedCost = 1 + std::log2(rows) + perValue;
        if (unique) info->idxFlags |= SQLITE_INDEX_SCAN_UNIQUE;
        break;
    }
    return SQLITE_OK;
}

// Like on a column becomes a constraint xBestIndex sees, so that the start of its pattern can be sought
// through an index; SQLite still evaluates it with the same function on every row the seek gives.
int findFunction(sqlite3_vtab*, int argc, const char* name, void (**function)(sqlite3_context*, int, sqlite3_value**),
                 void** data)
{
    if (argc != 2 || !name || !text::equalsIgnoreCase(name, "acc_like")) return 0;
    return findAccessFunction("acc_like", function, data) ? likeConstraint : 0;
}

int open(sqlite3_vtab*, sqlite3_vtab_cursor** out)
{
    *out = new Cursor();
    return SQLITE_OK;
}

int close(sqlite3_vtab_cursor* cursor)
{
    delete static_cast<Cursor*>(cursor);
    return SQLITE_OK;
}

int next(sqlite3_vtab_cursor* base)
{
    auto& cursor = *static_cast<Cursor*>(base);
    try {
        if (cursor.matches) {
            ++cursor.position;
            cursor.eof = cursor.position >= cursor.matches->size();
        } else if (cursor.useCache) {
            ++cursor.position;
            cursor.eof = cursor.position >= cursor.table().cache->rowCount();
        } else {
            cursor.eof = !cursor.scan->next(cursor.row);
            ++cursor.position;
        }
    } catch (const DbError& e) {
        setError(base->pVtab, e.what());
        return SQLITE_ERROR;
    }
    return SQLITE_OK;
}

int filter(sqlite3_vtab_cursor* base, int idxNum, const char* idxStr, int argc, sqlite3_value** argv)
{
    auto& cursor = *static_cast<Cursor*>(base);
    Table& table = cursor.table();
    cursor.matches = nullptr;
    cursor.useCache = false;
    cursor.position = 0;
    try {
        if (idxNum < 0 && (!idxStr || cursor.planText != idxStr)) {
            cursor.plan = IndexPlan::parse(idxStr);
            cursor.planText = idxStr ? idxStr : "";
            cursor.keyPositions = planKeyPositions(*table.definition, cursor.plan);
        }
        const IndexPlan noPlan{};
        const IndexPlan& plan = idxNum < 0 ? cursor.plan : noPlan;
        std::unique_ptr<jet::TableScan> earlier = std::move(cursor.scan);
        if (cursor.scanPlan != plan || idxNum >= 0) earlier.reset();
        cursor.scanPlan.reset();
        const int inMemory = idxNum < 0 ? table.inMemoryColumn(plan, argc) : -1;
        if (idxNum < 0 && inMemory < 0) {
            bool none = false;
            cursor.scan = table.seek(plan, cursor.keyPositions, argc, argv, cursor.seek, none, std::move(earlier));
            cursor.scanPlan = plan;
            cursor.eof = none || !cursor.scan->next(cursor.row);
            return SQLITE_OK;
        }
        if (table.cache) table.load();  // takes in what this statement reads beyond the cached columns
        if ((idxNum > 0 || inMemory >= 0) && argc == 1) {
            const int column = inMemory >= 0 ? inMemory : idxNum - 1;
            const KeyIndex& index = table.index(column);
            const auto key = keyOfArgument(argv[0], table.textColumn(column));
            cursor.found.clear();
            if (key) index.rowsOf(*key, cursor.found);
            cursor.matches = &cursor.found;
            cursor.eof = cursor.found.empty();
            return SQLITE_OK;
        }
        cursor.useCache = table.cache != nullptr;
        if (cursor.useCache) {
            cursor.eof = table.cache->rowCount() == 0;
            return SQLITE_OK;
        }
        cursor.scan = table.scan();
        cursor.eof = !cursor.scan->next(cursor.row);
    } catch (const DbError& e) {
        setError(base->pVtab, e.what());
        return SQLITE_ERROR;
    }
    return SQLITE_OK;
}

int eof(sqlite3_vtab_cursor* cursor)
{
    return static_cast<Cursor*>(cursor)->eof ? 1 : 0;
}

int column(sqlite3_vtab_cursor* base, sqlite3_context* ctx, int column)
{
    auto& cursor = *static_cast<Cursor*>(base);
    if (cursor.matches)
        cursor.table().cache->resultCell(ctx, (*cursor.matches)[cursor.position], static_cast<std::size_t>(column));
    else if (cursor.useCache)
        cursor.table().cache->resultCell(ctx, cursor.position, static_cast<std::size_t>(column));
    else if (static_cast<std::size_t>(column) < cursor.row.size())
        resultValue(ctx, cursor.row[static_cast<std::size_t>(column)]);
    else
        sqlite3_result_null(ctx);
    return SQLITE_OK;
}

// The Jet row id, so that UPDATE and DELETE know which rows they read.
int rowid(sqlite3_vtab_cursor* base, sqlite3_int64* out)
{
    auto& cursor = *static_cast<Cursor*>(base);
    if (cursor.matches)
        *out = cursor.table().cachedRowIds[(*cursor.matches)[cursor.position]];
    else if (cursor.useCache)
        *out = cursor.table().cachedRowIds[cursor.position];
    else
        *out = cursor.scan->rowId();
    return SQLITE_OK;
}

sqlite3_module makeModule()
{
    sqlite3_module m;
    std::memset(&m, 0, sizeof m);
    m.iVersion = 1;
    m.xCreate = connect;
    m.xConnect = connect;
    m.xBestIndex = bestIndex;
    m.xDisconnect = disconnect;
    m.xDestroy = disconnect;
    m.xOpen = open;
    m.xClose = close;
    m.xFilter = filter;
    m.xNext = next;
    m.xEof = eof;
    m.xColumn = column;
    m.xRowid = rowid;
    m.xFindFunction = findFunction;
    return m;
}

const sqlite3_module jetModule = makeModule();

}  // namespace

void JetTables::setRowGoal(std::size_t rows, std::string table)
{
    rowGoal_ = rows;
    goalTable_ = std::move(table);
}

std::size_t JetTables::rowGoal(const jet::TableDef& table) const
{
    return table.name == goalTable_ ? rowGoal_ : 0;
}

void JetTables::forgetLoadedRows()
{
    for (sqlite3_vtab* table : tables_) static_cast<Table*>(table)->forgetLoadedRows();
}

void registerJetModule(sqlite3* db, JetTables& tables)
{
    sqlite3_create_module_v2(db, "jet", &jetModule, &tables, nullptr);
}

}  // namespace querimo::sql
