#include "sql/Modification.h"

#include <unordered_map>

#include "core/Error.h"
#include "core/Text.h"
#include "sql/Catalog.h"
#include "sql/ColumnDefaults.h"
#include "sql/ColumnValue.h"
#include "sql/ComplexWrites.h"
#include "sql/Lexer.h"
#include "sql/MakeTable.h"
#include "sql/ResultRows.h"

namespace querimo::sql {

namespace {

// The rows a statement read, with what it needs to change them.
struct ReadRows {
    const Statement& statement;
    CompiledQuery compiled;
    RowBuffer rows;

    std::size_t firstValue() const { return compiled.rowIdSources.size(); }
    Value value(std::size_t row, std::size_t column) const
    {
        // A whole number beyond a Double's exact range (a literal is typed Double past Long's) keeps every
        // digit on its way into a Large Number column.
        const RowBuffer::Cell& cell = rows.cell(row, column);
        constexpr std::int64_t exactInDouble = std::int64_t{1} << 53;
        if (cell.tag == RowBuffer::Tag::Integer && (cell.integer > exactInDouble || cell.integer < -exactInDouble))
            return Value::int64(cell.integer);
        return accessValue(cell, compiled.columns[column].dataType);
    }
};

[[noreturn]] void fail(std::int32_t number, const std::string& message, std::size_t position)
{
    throw DbError(number, message + " (" + atPosition(position) + ").");
}

const jet::TableDef& targetTable(Catalog& catalog, const std::string& name, std::size_t position)
{
    if (const jet::TableDef* table = catalog.findTable(name)) return *table;
    if (catalog.findQuery(name))
        fail(errc::fail, "De query '" + name + "' kan niet worden bijgewerkt; geef een tabel op", position);
    throw DbError(errc::notFound, "De tabel '" + name + "' (" + atPosition(position)
                                      + ") bestaat niet. Controleer of de naam goed is gespeld.");
}

std::size_t indexOf(const jet::TableDef& table, const jet::ColumnDef& column)
{
    return static_cast<std::size_t>(&column - table.columns.data());
}

const jet::ColumnDef& namedColumn(const jet::TableDef& table, const std::string& tableAlias, const ColumnName& name)
{
    if (name.parts.size() == 2 && !text::equalsIgnoreCase(name.parts[0], tableAlias))
        fail(errc::syntax, "'" + name.parts[0] + "." + name.parts[1] + "' hoort niet bij de tabel '" + tableAlias + "'",
             name.position);
    const jet::ColumnDef* column = table.column(name.parts.back());
    if (!column)
        fail(errc::notFound, "Het veld '" + name.parts.back() + "' bestaat niet in de tabel '" + table.name + "'",
             name.position);
    return *column;
}

void refuseTwice(std::vector<const jet::ColumnDef*>& seen, const jet::ColumnDef& column, std::size_t position)
{
    for (const jet::ColumnDef* c : seen)
        if (c == &column) fail(errc::syntax, "Het veld '" + column.name + "' wordt meer dan eens opgegeven", position);
    seen.push_back(&column);
}

// INSERT: the column each result column goes into. Without a column list VALUES fill the columns in order
// and a select's columns go into the fields of the same name, as Access matches them.
std::vector<const jet::ColumnDef*> insertTargets(const jet::TableDef& table, const ReadRows& read)
{
    const Modification& m = *read.statement.modification;
    const auto& columns = read.compiled.columns;
    std::vector<const jet::ColumnDef*> targets;
    if (!m.columns.empty() || m.values) {
        const std::size_t expected = m.columns.empty() ? table.columns.size() : m.columns.size();
        if (columns.size() != expected)
            fail(errc::syntax,
                 "Het aantal waarden (" + std::to_string(columns.size())
                     + ") is niet gelijk aan het aantal doelvelden (" + std::to_string(expected) + ")",
                 m.position);
        if (m.columns.empty())
            for (const jet::ColumnDef& c : table.columns) targets.push_back(&c);
        for (const ColumnName& name : m.columns) refuseTwice(targets, namedColumn(table, m.table, name), name.position);
        return targets;
    }
    for (const ResultColumn& result : columns) {
        const jet::ColumnDef* column = table.column(result.name);
        if (const auto dot = result.name.rfind('.'); !column && dot != std::string::npos)
            column = table.column(result.name.substr(dot + 1));  // a.x and b.x from a join
        if (!column)
            fail(errc::notFound,
                 "De INSERT INTO-opdracht bevat de onbekende veldnaam '" + result.name + "'; de tabel '" + table.name
                     + "' heeft geen veld met die naam",
                 m.position);
        refuseTwice(targets, *column, m.position);
    }
    return targets;
}

long insertRows(jet::Database& database, Catalog& catalog, Session& session, const ReadRows& read)
{
    const Modification& m = *read.statement.modification;
    const jet::TableDef& table = targetTable(catalog, m.table, m.position);
    refuseInsertWithComplexColumns(table);
    const std::vector<const jet::ColumnDef*> targets = insertTargets(table, read);
    std::vector<bool> given(table.columns.size(), false);
    for (const jet::ColumnDef* c : targets) given[indexOf(table, *c)] = true;
    std::vector<Value> defaults(table.columns.size());
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (!given[i]) defaults[i] = defaultValue(session, catalog, table.columns[i]);

    for (std::size_t r = 0; r < read.rows.rowCount(); ++r) {
        std::vector<Value> row = defaults;
        for (std::size_t c = 0; c < targets.size(); ++c)
            row[indexOf(table, *targets[c])] = columnValue(read.value(r, c), *targets[c]);
        database.insertRow(table, std::move(row));
    }
    return static_cast<long>(read.rows.rowCount());
}

// The Jet tables of the FROM clause by alias, in order.
void namedTables(const TableRef& ref, std::vector<std::pair<std::string, std::string>>& out)
{
    if (ref.kind == TableRef::Kind::Join) {
        namedTables(*ref.left, out);
        namedTables(*ref.right, out);
    } else if (ref.kind == TableRef::Kind::Named) {
        out.emplace_back(ref.alias.empty() ? ref.name : ref.alias, ref.name);
    }
}

struct Target {
    const jet::TableDef* table = nullptr;
    std::string alias;
    std::size_t rowIdColumn = 0;
};

Target targetByAlias(Catalog& catalog, const ReadRows& read, const std::string& alias, std::size_t position)
{
    const auto& sources = read.compiled.rowIdSources;
    std::vector<std::pair<std::string, std::string>> tables;
    for (const auto& ref : read.statement.query->selects.front().from) namedTables(*ref, tables);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!text::equalsIgnoreCase(sources[i], alias)) continue;
        for (const auto& [a, name] : tables)
            if (text::equalsIgnoreCase(a, alias)) return {&targetTable(catalog, name, position), sources[i], i};
    }
    for (const auto& [a, name] : tables)
        if (text::equalsIgnoreCase(a, alias)) targetTable(catalog, name, position);  // a query: says so
    fail(errc::syntax, "De tabel '" + alias + "' staat niet in de FROM-component", position);
}

// UPDATE: the one table its assignments change. An unqualified field belongs to the FROM table that has it.
Target updateTarget(Catalog& catalog, const ReadRows& read)
{
    const Modification& m = *read.statement.modification;
    std::string alias;
    for (const ColumnName& name : m.columns) {
        std::string owner = name.parts.size() == 2 ? name.parts[0] : std::string();
        if (owner.empty()) {
            for (const std::string& source : read.compiled.rowIdSources) {
                const Target t = targetByAlias(catalog, read, source, name.position);
                if (!t.table->column(name.parts.back())) continue;
                if (!owner.empty())
                    fail(errc::syntax,
                         "Het veld '" + name.parts.back()
                             + "' kan verwijzen naar meer dan één tabel in de "
                               "UPDATE-opdracht",
                         name.position);
                owner = source;
            }
            if (owner.empty()) {
                if (read.compiled.rowIdSources.empty())
                    fail(errc::fail, "De UPDATE-opdracht noemt geen tabel die kan worden bijgewerkt", m.position);
                fail(errc::notFound,
                     "Het veld '" + name.parts.back()
                         + "' bestaat in geen van de tabellen van de "
                           "UPDATE-opdracht",
                     name.position);
            }
        }
        if (!alias.empty() && !text::equalsIgnoreCase(alias, owner))
            fail(errc::fail, "Een UPDATE-opdracht kan maar één tabel tegelijk wijzigen; '" + owner + "' is een tweede",
                 name.position);
        alias = owner;
    }
    return targetByAlias(catalog, read, alias, m.position);
}

// Each row once, in the order the statement found them, with what was read for it first.
std::vector<std::pair<jet::RowId, std::size_t>> distinctRows(const ReadRows& read, std::size_t rowIdColumn)
{
    std::vector<std::pair<jet::RowId, std::size_t>> out;
    std::unordered_map<jet::RowId, bool> seen;
    for (std::size_t r = 0; r < read.rows.rowCount(); ++r) {
        const auto id = static_cast<jet::RowId>(read.rows.cell(r, rowIdColumn).integer);
        if (seen.emplace(id, true).second) out.emplace_back(id, r);
    }
    return out;
}

long updateRows(jet::Database& database, Catalog& catalog, const ReadRows& read)
{
    const Modification& m = *read.statement.modification;
    const Target target = updateTarget(catalog, read);
    const jet::TableDef& table = *target.table;
    std::vector<const jet::ColumnDef*> columns;
    for (const ColumnName& name : m.columns) {
        const jet::ColumnDef& c = namedColumn(table, target.alias, name);
        if (c.autoNumber)
            fail(errc::fail, "Het veld '" + c.name + "' is een AutoNummering-veld en kan niet worden gewijzigd",
                 name.position);
        if (c.type == jet::ColumnType::Complex) refuseComplexWrite(c);
        refuseTwice(columns, c, name.position);
    }
    // The new values first, so that a value that does not convert fails before the table is read again.
    std::unordered_map<jet::RowId, std::vector<Value>> changes;
    std::vector<jet::RowId> order;
    for (const auto& [id, r] : distinctRows(read, target.rowIdColumn)) {
        std::vector<Value>& values = changes[id];
        for (std::size_t c = 0; c < columns.size(); ++c)
            values.push_back(columnValue(read.value(r, read.firstValue() + c), *columns[c]));
        order.push_back(id);
    }
    // updateRow takes whole rows: the rest of each row as it is stored.
    std::unordered_map<jet::RowId, std::vector<Value>> rows;
    auto scan = database.scan(table);
    for (std::vector<Value> row; scan->next(row);) {
        const auto found = changes.find(scan->rowId());
        if (found == changes.end()) continue;
        for (std::size_t c = 0; c < columns.size(); ++c) row[indexOf(table, *columns[c])] = found->second[c];
        rows.emplace(found->first, row);
    }
    scan.reset();
    for (const jet::RowId id : order) {
        auto row = rows.find(id);
        if (row == rows.end())
            throw DbError(errc::fail, "Een record van de tabel '" + table.name + "' is tijdens de opdracht verdwenen.");
        database.updateRow(table, id, std::move(row->second));
    }
    return static_cast<long>(order.size());
}

long deleteRows(jet::Database& database, Catalog& catalog, const ReadRows& read)
{
    const Modification& m = *read.statement.modification;
    std::string alias = m.table;
    if (alias.empty()) {
        std::vector<std::pair<std::string, std::string>> tables;
        for (const auto& ref : read.statement.query->selects.front().from) namedTables(*ref, tables);
        if (tables.size() != 1)
            fail(errc::syntax, "Geef aan uit welke tabel de records moeten worden verwijderd (DELETE tabel.* FROM ...)",
                 m.position);
        alias = tables.front().first;
    }
    const Target target = targetByAlias(catalog, read, alias, m.position);
    const auto rows = distinctRows(read, target.rowIdColumn);
    std::vector<jet::RowId> ids;
    for (const auto& [id, r] : rows) ids.push_back(id);
    deleteComplexValues(database, *target.table, ids);
    for (const jet::RowId id : ids) database.deleteRow(*target.table, id);
    return static_cast<long>(rows.size());
}

long copyIntoNewTable(jet::Database& database, Catalog& catalog, const ReadRows& read)
{
    const Select& select = read.statement.query->selects.front();
    if (catalog.findTable(select.into) || catalog.findQuery(select.into))
        fail(errc::fail, "De tabel of query '" + select.into + "' bestaat al", select.position);
    database.createTable(makeTableDefinition(select.into, read.compiled.columns, select.position));
    const jet::TableDef& table = database.table(select.into);
    std::vector<const jet::ColumnDef*> targets;
    for (const ResultColumn& c : read.compiled.columns) targets.push_back(table.column(newColumnName(c.name)));
    for (std::size_t r = 0; r < read.rows.rowCount(); ++r) {
        std::vector<Value> row(table.columns.size());
        for (std::size_t c = 0; c < targets.size(); ++c)
            row[indexOf(table, *targets[c])] = columnValue(read.value(r, c), *targets[c]);
        database.insertRow(table, std::move(row));
    }
    return static_cast<long>(read.rows.rowCount());
}

long modify(jet::Database& database, const Statement& statement, const ParameterValues& values,
            const CompiledQuery* compiled, KeptSession* kept)
{
    Catalog catalog(database);
    ExecutionSession execution(catalog, statement, values, compiled, kept);
    Session& session = execution.session();
    ReadRows read{statement, execution.compiled(), RowBuffer(0)};
    read.rows = readResult(session, read.compiled, values);
    switch (statement.kind) {
    case Statement::Kind::Insert: return insertRows(database, catalog, session, read);
    case Statement::Kind::Update: return updateRows(database, catalog, read);
    case Statement::Kind::Delete: return deleteRows(database, catalog, read);
    default: return copyIntoNewTable(database, catalog, read);
    }
}

}  // namespace

long runModification(jet::Database& database, const Statement& statement, const ParameterValues& values,
                     const CompiledQuery* compiled, KeptSession* kept)
{
    const bool modifies = statement.query && (statement.modification || statement.kind == Statement::Kind::SelectInto);
    if (!modifies) throw DbError(errc::fail, "Deze opdracht wijzigt geen gegevens.");
    database.beginStatement();
    try {
        const long affected = modify(database, statement, values, compiled, kept);
        database.commitStatement();
        return affected;
    } catch (...) {
        database.rollbackStatement();
        throw;
    }
}

}  // namespace querimo::sql
