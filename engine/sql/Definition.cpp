#include "sql/Definition.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Text.h"
#include "sql/ColumnValue.h"
#include "sql/DefinitionParser.h"
#include "sql/Lexer.h"
#include "sql/QueryRows.h"
#include "sql/QueryText.h"
#include "sql/StoredQueryRows.h"

namespace querimo::sql {

namespace {

using Kind = DefinitionStatement::Kind;

[[noreturn]] void refuse(std::int32_t number, const std::string& what, std::size_t position)
{
    throw DbError(number, what + " (" + atPosition(position) + ").");
}

// Carries out one parsed statement on the database, inside the statement the caller began.
class DefinitionRun {
public:
    DefinitionRun(jet::Database& database, const DefinitionStatement& statement) : db_(database), st_(statement) {}

    void run(const std::vector<jet::QueryRow>& viewRows)
    {
        switch (st_.kind) {
        case Kind::CreateTable: createTable(); break;
        case Kind::DropTable: dropTable(); break;
        case Kind::AddColumn: addColumn(); break;
        case Kind::DropColumn: dropColumn(); break;
        case Kind::AlterColumn: alterColumn(); break;
        case Kind::AddConstraint: addConstraints(userTable(st_.object, st_.objectPosition).name); break;
        case Kind::DropConstraint: dropIndex("De beperking"); break;
        case Kind::CreateIndex: createIndex(); break;
        case Kind::DropIndex: dropIndex("De index"); break;
        case Kind::CreateView:
            nameIsFree(st_.object, st_.objectPosition);
            db_.createQuery(st_.object, viewRows);
            break;
        case Kind::DropView:
            if (const jet::CatalogEntry* e = object(st_.object); !e || e->kind != jet::ObjectKind::Query)
                refuse(errc::notFound, "De view '" + st_.object + "' bestaat niet", st_.objectPosition);
            db_.dropQuery(st_.object);
            break;
        case Kind::DatabasePassword: db_.changeDatabasePassword(st_.newPassword, st_.oldPassword); break;
        }
    }

private:
    const jet::CatalogEntry* object(const std::string& name) const
    {
        for (const jet::CatalogEntry& e : db_.catalog())
            if (text::equalsIgnoreCase(e.name, name)) return &e;
        return nullptr;
    }

    // Tables and queries share one set of names.
    void nameIsFree(const std::string& name, std::size_t position) const
    {
        if (const jet::CatalogEntry* e = object(name))
            refuse(errc::fail,
                   std::string(e->kind == jet::ObjectKind::Query ? "Er bestaat al een query met de naam '"
                                                                 : "Er bestaat al een tabel met de naam '")
                       + name + "'",
                   position);
    }

    const jet::TableDef& userTable(const std::string& name, std::size_t position) const
    {
        const jet::CatalogEntry* e = object(name);
        if (!e || e->kind == jet::ObjectKind::Query)
            refuse(errc::notFound, "De tabel '" + name + "' bestaat niet", position);
        if (e->kind == jet::ObjectKind::SystemTable)
            refuse(errc::fail, "De systeemtabel '" + e->name + "' kan niet worden gewijzigd", position);
        if (e->kind == jet::ObjectKind::LinkedTable)
            refuse(errc::fail, "De tabel '" + e->name + "' is gekoppeld; wijzig hem in zijn eigen database", position);
        return db_.table(e->name);
    }

    static const jet::ColumnDef& column(const jet::TableDef& table, const std::string& name, std::size_t position)
    {
        const jet::ColumnDef* c = table.column(name);
        if (!c)
            refuse(errc::notFound, "De kolom '" + name + "' bestaat niet in de tabel '" + table.name + "'", position);
        return *c;
    }

    static const jet::IndexDef* index(const jet::TableDef& table, const std::string& name)
    {
        for (const jet::IndexDef& i : table.indexes)
            if (text::equalsIgnoreCase(i.name, name)) return &i;
        return nullptr;
    }

    static const jet::IndexDef* primaryKey(const jet::TableDef& table)
    {
        for (const jet::IndexDef& i : table.indexes)
            if (i.primaryKey) return &i;
        return nullptr;
    }

    // The names of the tables on either side of the relationships the file holds.
    std::vector<std::pair<std::string, std::string>> relationships() const
    {
        std::vector<std::pair<std::string, std::string>> out;
        const jet::CatalogEntry* e = object("MSysRelationships");
        if (!e || e->kind != jet::ObjectKind::SystemTable) return out;
        const jet::TableDef& t = db_.table(e->name);
        std::size_t from = t.columns.size(), to = t.columns.size();
        for (std::size_t i = 0; i < t.columns.size(); ++i) {
            if (text::equalsIgnoreCase(t.columns[i].name, "szObject")) from = i;
            if (text::equalsIgnoreCase(t.columns[i].name, "szReferencedObject")) to = i;
        }
        if (from == t.columns.size() || to == t.columns.size()) return out;
        std::vector<Value> row;
        const auto scan = db_.scan(t);
        while (scan->next(row)) out.emplace_back(row[from].bytes, row[to].bytes);
        return out;
    }

    void createTable()
    {
        nameIsFree(st_.object, st_.objectPosition);
        jet::TableDef def;
        def.name = st_.object;
        for (const ColumnClause& c : st_.columns) def.columns.push_back(checkedColumn(c));
        for (const ConstraintClause& k : st_.constraints)  // what another table must offer, before anything changes
            if (k.kind == ConstraintClause::Kind::ForeignKey && !text::equalsIgnoreCase(k.referencedTable, def.name))
                referencedColumns(userTable(k.referencedTable, k.referencePosition), k);
        db_.createTable(def);
        for (const ColumnClause& c : st_.columns) applySeed(def.name, c);
        addConstraints(def.name);
    }

    // Where the file keeps a stride other than 1 is not known, so only the seed is taken.
    jet::ColumnDef checkedColumn(const ColumnClause& c) const
    {
        if (c.increment != 1)
            refuse(errc::fail, "Een AutoNummering met een andere stapgrootte dan 1 wordt niet ondersteund", c.position);
        if (c.seed && *c.seed < 1)
            refuse(errc::fail, "De beginwaarde van een AutoNummering moet 1 of hoger zijn", c.position);
        return c.column;
    }

    // COUNTER(seed, 1): the table's next AutoNumber becomes the seed; on an existing column too, as Access
    // resets the numbering.
    void applySeed(const std::string& table, const ColumnClause& c)
    {
        if (c.column.autoNumber && c.seed) db_.setNextAutoNumber(table, static_cast<std::uint32_t>(*c.seed));
    }

    void addColumn()
    {
        const jet::TableDef& t = userTable(st_.object, st_.objectPosition);
        const ColumnClause& c = st_.columns.front();
        if (t.column(c.column.name))
            refuse(errc::fail, "De kolom '" + c.column.name + "' bestaat al in de tabel '" + t.name + "'", c.position);
        const std::string table = t.name;
        db_.addColumn(table, checkedColumn(c));
        applySeed(table, c);
        addConstraints(table);
    }

    void dropColumn()
    {
        const jet::TableDef& t = userTable(st_.object, st_.objectPosition);
        const jet::ColumnDef& c = column(t, st_.name, st_.namePosition);
        refuseForComplexValues(c, "verwijderd", st_.namePosition);
        for (const jet::IndexDef& i : t.indexes)
            for (const jet::IndexColumn& k : i.columns)
                if (k.columnNumber == c.number)
                    refuse(errc::fail,
                           "De kolom '" + c.name + "' kan niet worden verwijderd: hij hoort bij de index '" + i.name
                               + "'",
                           st_.namePosition);
        const std::string table = t.name, name = c.name;
        db_.dropColumn(table, name);
    }

    void alterColumn()
    {
        const jet::TableDef& t = userTable(st_.object, st_.objectPosition);
        const ColumnClause& c = st_.columns.front();
        const jet::ColumnDef& old = column(t, c.column.name, c.position);
        refuseForComplexValues(old, "gewijzigd", c.position);
        if (c.column.autoNumber && !old.autoNumber)
            refuse(errc::fail, "Een bestaande kolom kan geen AutoNummering worden", c.position);
        jet::ColumnDef changed = checkedColumn(c);
        changed.name = old.name;
        const std::string table = t.name;
        db_.alterColumn(table, changed, columnValue);
        applySeed(table, c);
    }

    void createIndex()
    {
        const jet::TableDef& t = userTable(st_.object, st_.objectPosition);
        jet::IndexDef def = indexDef(t, st_.name, st_.namePosition, st_.indexColumns);
        def.primaryKey = st_.primary;
        def.unique = st_.unique || st_.primary;
        def.required = st_.disallowNull || st_.primary;
        def.ignoreNulls = st_.ignoreNull;
        if (def.primaryKey && primaryKey(t))
            refuse(errc::fail, "De tabel '" + t.name + "' heeft al een primaire sleutel", st_.namePosition);
        const std::string table = t.name;
        db_.createIndex(table, def);
    }

    void dropIndex(const char* what)
    {
        const jet::TableDef& t = userTable(st_.object, st_.objectPosition);
        const jet::IndexDef* i = index(t, st_.name);
        if (!i)
            refuse(errc::notFound, std::string(what) + " '" + st_.name + "' bestaat niet in de tabel '" + t.name + "'",
                   st_.namePosition);
        if (i->foreignKey && st_.kind == Kind::DropIndex)
            refuse(errc::fail, "De index '" + i->name + "' hoort bij een relatie en kan niet worden verwijderd",
                   st_.namePosition);
        const std::string table = t.name, name = i->name;
        db_.dropIndex(table, name);
    }

    void dropTable()
    {
        const jet::TableDef& t = userTable(st_.object, st_.objectPosition);
        for (const jet::ColumnDef& c : t.columns)
            if (c.type == jet::ColumnType::Complex)
                refuse(errc::fail,
                       "De tabel '" + t.name
                           + "' kan niet worden verwijderd: hij heeft velden met bijlagen of meerdere waarden, die "
                             "in verborgen tabellen staan",
                       st_.objectPosition);
        for (const auto& [from, to] : relationships())
            if (text::equalsIgnoreCase(from, t.name) || text::equalsIgnoreCase(to, t.name))
                refuse(errc::fail,
                       "De tabel '" + t.name
                           + "' kan niet worden verwijderd: hij maakt deel uit van een "
                             "relatie met '"
                           + (text::equalsIgnoreCase(from, t.name) ? to : from) + "'",
                       st_.objectPosition);
        const std::string table = t.name;
        db_.dropTable(table);
    }

    // Their values live in hidden tables that would be left behind.
    void refuseForComplexValues(const jet::ColumnDef& c, const char* done, std::size_t position) const
    {
        if (c.type == jet::ColumnType::Complex)
            refuse(errc::fail,
                   "De kolom '" + c.name + "' kan niet worden " + done
                       + ": hij bevat bijlagen of meerdere waarden, die in verborgen tabellen staan",
                   position);
    }

    // The key an index or constraint names, with the table's column numbers.
    jet::IndexDef indexDef(const jet::TableDef& t, const std::string& name, std::size_t position,
                           const std::vector<KeyColumn>& columns) const
    {
        if (index(t, name))
            refuse(errc::fail, "De index '" + name + "' bestaat al in de tabel '" + t.name + "'", position);
        jet::IndexDef def;
        def.name = name;
        for (const KeyColumn& k : columns) def.columns.push_back({column(t, k.name, k.position).number, k.ascending});
        return def;
    }

    // A constraint without a name gets the one Access's own designer would give: PrimaryKey, the column
    // names for a unique key, the two table names for a relationship; a number makes it unique in the table.
    std::string constraintName(const jet::TableDef& t, const ConstraintClause& k) const
    {
        if (!k.name.empty()) return k.name;
        std::string base;
        if (k.kind == ConstraintClause::Kind::PrimaryKey)
            base = "PrimaryKey";
        else if (k.kind == ConstraintClause::Kind::ForeignKey)
            base = k.referencedTable + t.name;
        else
            for (const KeyColumn& c : k.columns) base += (base.empty() ? "" : "_") + c.name;
        base = base.substr(0, 60);
        std::string name = base;
        for (int n = 1; index(t, name); ++n) name = base + std::to_string(n);
        return name;
    }

    void addConstraints(const std::string& tableName)
    {
        for (const ConstraintClause& k : st_.constraints) {
            const jet::TableDef& t = db_.table(tableName);
            const std::string name = constraintName(t, k);
            jet::IndexDef def = indexDef(t, name, k.position, k.columns);
            if (k.kind == ConstraintClause::Kind::ForeignKey) {
                def.foreignKey = true;
                const jet::TableDef& target = text::equalsIgnoreCase(k.referencedTable, t.name)
                                                  ? t
                                                  : userTable(k.referencedTable, k.referencePosition);
                const std::string targetName = target.name;
                const std::vector<std::string> referenced = referencedColumns(target, k);
                db_.createRelationship(tableName, def, targetName, referenced, k.actions);
                continue;
            }
            def.unique = true;
            def.primaryKey = k.kind == ConstraintClause::Kind::PrimaryKey;
            def.required = def.primaryKey;
            if (def.primaryKey && primaryKey(t))
                refuse(errc::fail, "De tabel '" + t.name + "' heeft al een primaire sleutel", k.position);
            db_.createIndex(tableName, def);
        }
    }

    // The columns a foreign key refers to: as named, or the referenced table's primary key.
    std::vector<std::string> referencedColumns(const jet::TableDef& target, const ConstraintClause& k) const
    {
        std::vector<std::string> out;
        if (k.referencedColumns.empty()) {
            const jet::IndexDef* pk = primaryKey(target);
            if (!pk)
                refuse(errc::fail, "De tabel '" + target.name + "' heeft geen primaire sleutel om naar te verwijzen",
                       k.referencePosition);
            for (const jet::IndexColumn& c : pk->columns) out.push_back(target.columnByNumber(c.columnNumber)->name);
        } else {
            for (const std::string& name : k.referencedColumns)
                out.push_back(column(target, name, k.referencePosition).name);
        }
        if (out.size() != k.columns.size())
            refuse(errc::fail,
                   "De sleutel heeft " + std::to_string(k.columns.size()) + " kolom(men), de verwijzing naar '"
                       + target.name + "' " + std::to_string(out.size()),
                   k.referencePosition);
        return out;
    }

    jet::Database& db_;
    const DefinitionStatement& st_;
};

}  // namespace

Definition parseDefinitionStatement(const std::string& text)
{
    Definition out{parseDefinition(text), {}};
    const DefinitionStatement& statement = out.statement;
    if (statement.kind == Kind::CreateView) {
        // The SELECT keeps its place in the text, so its messages give positions in the whole statement:
        // one blank for each character before it.
        const std::string query = std::string(statement.queryPosition, ' ') + text.substr(statement.queryOffset);
        out.viewRows = decomposeQuery(query);
        if (storedQueryType(out.viewRows) == queryrow::MakeTableQuery)
            refuse(errc::syntax, "Een view kan geen SELECT ... INTO zijn", statement.queryPosition);
        nameOutputColumns(out.viewRows, statement.viewColumns, statement.objectPosition);
    }
    return out;
}

void runDefinition(jet::Database& database, const Definition& definition)
{
    database.beginStatement();
    try {
        DefinitionRun(database, definition.statement).run(definition.viewRows);
        database.commitStatement();
    } catch (...) {
        database.rollbackStatement();
        throw;
    }
}

}  // namespace querimo::sql
