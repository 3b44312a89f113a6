#include "sql/Compiler.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

#include "core/Error.h"
#include "core/Text.h"
#include "core/ValueText.h"
#include "sql/ComplexValues.h"
#include "sql/DataTypes.h"
#include "sql/Lexer.h"
#include "sql/Parser.h"
#include "sql/functions/DateParse.h"
#include "sql/functions/FunctionTypes.h"

namespace querimo::sql {

namespace {

using t = DataType;

constexpr DataType unknownType = DataType::Empty;  // Null, or a parameter nothing types

bool isText(DataType type)
{
    return type == t::VarWChar || type == t::LongVarWChar;
}

// Access's order of numeric types when two meet in arithmetic.
int numericRank(DataType type)
{
    switch (type) {
    case t::Boolean: return 1;
    case t::UnsignedTinyInt: return 2;
    case t::SmallInt: return 3;
    case t::Integer: return 4;
    case t::BigInt: return 5;
    case t::Currency: return 6;
    case t::Single: return 7;
    case t::Double: return 8;
    case t::Numeric: return 9;
    default: return 0;
    }
}

DataType widerNumeric(DataType a, DataType b)
{
    if (a == unknownType) return b == unknownType ? t::Double : b;
    if (b == unknownType) return a;
    const int ra = numericRank(a), rb = numericRank(b);
    if (ra == 0 || rb == 0) return t::Double;
    if ((a == t::Single && b == t::Integer) || (a == t::Integer && b == t::Single)
        || (a == t::Single && b == t::Currency) || (a == t::Currency && b == t::Single))
        return t::Double;
    const DataType wider = ra >= rb ? a : b;
    return wider == t::Boolean ? t::SmallInt : wider;
}

std::string formatReal(double v)
{
    char buffer[40];
    std::string s(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);  // "." in every locale
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s;
}

std::string quoteText(std::string_view s)
{
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string lower(std::string_view s)
{
    return text::toLower(s);
}

// A translated expression with its Access type.
struct Typed {
    std::string sql;
    DataType type = unknownType;
    bool native = false;     // an SQLite truth value (1/0), not yet an Access one (-1/0)
    bool aggregate = false;  // contains an aggregate
    int parameter = -1;      // index into the parameter list when the expression is one parameter
    bool column = false;     // a column reference: compares with its column's collation
    bool yesNo = false;      // a Yes/No value (a column, a Boolean function), not a truth an operator gave
    bool marked = false;     // an Access function's result: carries its date or Yes/No subtype already
    const jet::ColumnDef* origin = nullptr;  // a bare table column: its definition
};

struct Source {
    std::string alias;
    std::string sqlAlias;
    std::vector<ResultColumn> columns;
    bool jetTable = false;                 // a table of the file, with row ids
    const jet::TableDef* table = nullptr;  // jetTable: its definition
};

struct Scope {
    Scope* parent = nullptr;
    std::vector<Source> sources;
    std::vector<std::pair<std::string, Typed>> aliases;            // earlier items of the select list
    std::vector<std::pair<std::string, std::string>> bareColumns;  // column references outside aggregates: SQL, name
    std::vector<const Source*> referenced;                         // sources of the column references, for DISTINCTROW
    std::vector<std::string> complexJoins;  // SQL alias of the values of each complex column a field reads
    std::string complexJoinSql;             // their joins, after the FROM component
    int aggregateDepth = 0;
};

struct SelectOutput {
    std::string sql;
    std::vector<ResultColumn> columns;
};

struct ParameterEntry {
    ParameterInfo info;
    std::vector<std::size_t> key;  // order of first appearance; declared ones sort first
};

[[noreturn]] void syntaxError(const std::string& message, std::size_t position)
{
    throw DbError(errc::syntax, message + " (" + atPosition(position) + ").");
}

class Compiler {
public:
    Compiler(Catalog& catalog, const PivotValues* pivots) : catalog_(catalog), pivots_(pivots) {}

    CompiledQuery statement(const Statement& st)
    {
        if (!st.query)
            throw DbError(errc::fail, "Opdrachten die de structuur wijzigen (CREATE, ALTER, DROP) hebben geen "
                                      "query om te vertalen.");
        declare(st.parameters, 0);
        CompiledQuery out;
        if (st.query->selects.size() == 1) outermost_ = &st.query->selects.front();
        SelectOutput q = query(*st.query, nullptr);
        out.sql = std::move(q.sql);
        out.columns = std::move(q.columns);
        std::stable_sort(parameters_.begin(), parameters_.end(),
                         [](const ParameterEntry& a, const ParameterEntry& b) { return a.key < b.key; });
        for (ParameterEntry& p : parameters_) out.parameters.push_back(p.info);
        out.tables = tables_;
        out.rowIdSources = rowIdSources_;
        out.topTies = topTies_;
        return out;
    }

private:
    // Parameters ------------------------------------------------------------------------------------------

    void declare(const std::vector<ParameterDecl>& decls, std::size_t group)
    {
        for (std::size_t i = 0; i < decls.size(); ++i) {
            const ParameterDecl& d = decls[i];
            if (findParameter(d.name) >= 0) continue;
            std::vector<std::size_t> key = group == 0 ? std::vector<std::size_t>{0, i} : positionKey(d.position);
            addParameter(d.name, d.dataType, true, std::move(key));
        }
    }

    std::vector<std::size_t> positionKey(std::size_t position) const
    {
        std::vector<std::size_t> key{1};
        key.insert(key.end(), positionPrefix_.begin(), positionPrefix_.end());
        key.push_back(position);
        return key;
    }

    int findParameter(std::string_view name) const
    {
        for (std::size_t i = 0; i < parameters_.size(); ++i)
            if (text::equalsIgnoreCase(parameters_[i].info.name, name)) return static_cast<int>(i);
        return -1;
    }

    int addParameter(const std::string& name, DataType type, bool declared, std::vector<std::size_t> key)
    {
        ParameterEntry e;
        e.info.name = name;
        e.info.dataType = type;
        e.info.declared = declared;
        e.info.slot = static_cast<int>(parameters_.size()) + 1;
        e.key = std::move(key);
        parameters_.push_back(std::move(e));
        return static_cast<int>(parameters_.size()) - 1;
    }

    Typed parameter(const Expr& e)
    {
        int index = findParameter(e.text);
        if (index < 0)
            index = addParameter(e.text, unknownType, false, positionKey(e.position));
        else {
            std::vector<std::size_t> key = positionKey(e.position);
            ParameterEntry& p = parameters_[static_cast<std::size_t>(index)];
            if (!p.info.declared && key < p.key) p.key = std::move(key);
        }
        const ParameterInfo& info = parameters_[static_cast<std::size_t>(index)].info;
        Typed out;
        out.sql = "?" + std::to_string(info.slot);
        out.type = info.dataType;
        out.yesNo = out.type == t::Boolean;
        out.parameter = index;
        return out;
    }

    // A parameter that nothing has typed takes the type of what it meets.
    void typeFromContext(Typed& a, const Typed& other)
    {
        if (a.parameter < 0 || other.type == unknownType) return;
        ParameterInfo& info = parameters_[static_cast<std::size_t>(a.parameter)].info;
        if (info.dataType == unknownType) info.dataType = other.type == t::LongVarWChar ? t::VarWChar : other.type;
        a.type = info.dataType;
    }
    void typeFromContext(Typed& a, DataType type)
    {
        Typed other;
        other.type = type;
        typeFromContext(a, other);
    }

    // Queries ---------------------------------------------------------------------------------------------

    SelectOutput query(const Query& q, Scope* outer)
    {
        if (q.selects.size() == 1) return select(q.selects.front(), outer, &q);
        std::vector<SelectOutput> parts;
        for (const Select& s : q.selects) parts.push_back(select(s, outer, nullptr));
        SelectOutput out;
        out.columns = parts.front().columns;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].columns.size() != out.columns.size())
                syntaxError("Het aantal kolommen in de delen van de UNION-query is niet gelijk", q.selects[i].position);
            if (i > 0) out.sql += q.unionAll[i - 1] ? " UNION ALL " : " UNION ";
            const bool wrap = q.selects[i].top.has_value();
            out.sql += wrap ? "SELECT * FROM (" + parts[i].sql + ")" : parts[i].sql;
            for (std::size_t c = 0; c < out.columns.size(); ++c) {  // text wins over numbers, as Access unites them
                if (isText(parts[i].columns[c].dataType) && !isText(out.columns[c].dataType))
                    out.columns[c].dataType = parts[i].columns[c].dataType;
                if (parts[i].columns[c].origin != out.columns[c].origin) out.columns[c].origin = nullptr;
            }
        }
        if (!q.orderBy.empty()) {
            std::vector<std::string> terms;
            for (const OrderItem& o : q.orderBy) terms.push_back(unionOrderTerm(o, out.columns));
            out.sql += " ORDER BY " + join(terms);
        }
        return out;
    }

    std::string unionOrderTerm(const OrderItem& o, const std::vector<ResultColumn>& columns)
    {
        const Expr& e = *o.expr;
        if (e.kind == Expr::Kind::Name) {
            for (const ResultColumn& c : columns)
                if (text::equalsIgnoreCase(c.name, e.parts.back()) || text::equalsIgnoreCase(c.name, e.text))
                    return quoteIdentifier(c.name)
                           + (isText(c.dataType) ? std::string(" COLLATE ") + textCollation : "")
                           + (o.descending ? " DESC" : "");
        }
        if (e.kind == Expr::Kind::Number) {
            const long n = std::strtol(e.text.c_str(), nullptr, 10);
            if (n >= 1 && static_cast<std::size_t>(n) <= columns.size()) return e.text + (o.descending ? " DESC" : "");
        }
        syntaxError("ORDER BY in een UNION-query moet een kolom van het resultaat noemen; '" + e.text
                        + "' is geen kolom van de eerste SELECT",
                    e.position);
    }

    static std::string join(const std::vector<std::string>& parts, const char* separator = ", ")
    {
        std::string out;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0) out += separator;
            out += parts[i];
        }
        return out;
    }

    struct Item {
        std::string name;
        Typed value;
        std::string sourceAlias;  // a plain column reference: where it comes from
        bool named = false;       // an AS alias was given
    };

    SelectOutput select(const Select& s, Scope* outer, const Query* whole)
    {
        Scope scope;
        scope.parent = outer;
        std::vector<std::string> fromParts;
        for (const auto& ref : s.from) registerSources(*ref, scope);
        for (const auto& ref : s.from) fromParts.push_back(fromText(*ref, scope));
        scope.bareColumns.clear();  // join conditions need not be grouped
        scope.referenced.clear();

        const Transform* transform = whole && whole->transform ? &*whole->transform : nullptr;
        std::vector<Item> items;
        int exprNumber = 1000;
        for (const SelectItem& si : s.items) {
            if (!si.expr) {
                expandStar(si, scope, items);
                continue;
            }
            Item item;
            item.value = valueOf(expr(*si.expr, scope));
            if (!si.alias.empty()) {
                item.name = si.alias;
                item.named = true;
            } else if (si.expr->kind == Expr::Kind::Name && item.value.parameter < 0) {
                item.name = columnNameOf(*si.expr, scope, item.sourceAlias);
            }
            if (item.name.empty()) item.name = "Expr" + std::to_string(exprNumber++);
            if (!si.alias.empty()) scope.aliases.emplace_back(si.alias, item.value);
            items.push_back(std::move(item));
        }
        scope.aliases.clear();
        qualifyDuplicates(items);
        const auto itemBareColumns = scope.bareColumns;
        const auto selectedSources = scope.referenced;

        std::string where;
        if (s.where) {
            Typed w = expr(*s.where, scope);
            if (w.aggregate)
                syntaxError("Een statistische functie mag niet in de WHERE-component staan", s.where->position);
            where = condition(w);
        }
        std::vector<std::string> groupBy, groupBySql;
        for (const ExprPtr& g : s.groupBy) {
            Typed gt = valueOf(expr(*g, scope));
            if (gt.aggregate) syntaxError("Een statistische functie mag niet in GROUP BY staan", g->position);
            groupBySql.push_back(gt.sql);
            groupBy.push_back(collated(gt));
        }
        std::string having;
        bool aggregate = !s.groupBy.empty() || transform;
        for (const Item& i : items) aggregate = aggregate || i.value.aggregate;
        if (s.having) {
            Typed h = expr(*s.having, scope);
            having = condition(h);
            aggregate = true;
        }

        Typed pivot;
        std::vector<std::pair<std::string, std::string>> pivotColumns;  // name, condition
        if (transform) {
            pivot = valueOf(expr(*transform->pivot, scope));
            if (!expr(*transform->aggregate, scope).aggregate)  // also finds its parameters without data
                syntaxError("De TRANSFORM-component moet een statistische functie bevatten",
                            transform->aggregate->position);
            pivotColumns = pivotValues(*transform, pivot, fromParts, where);
        }

        if (aggregate && s.rowIds)
            syntaxError("Een UPDATE- of DELETE-opdracht kan geen statistische functie bevatten", s.position);
        if (aggregate) checkGrouped(s, items, itemBareColumns, groupBySql);

        SelectOutput out;
        std::vector<std::string> columnsSql;
        if (s.rowIds)
            for (const Source& src : scope.sources)
                if (src.jetTable) {
                    columnsSql.push_back(quoteIdentifier(src.sqlAlias) + ".rowid");
                    out.columns.push_back({"~rowid", t::Integer});
                    rowIdSources_.push_back(src.alias);
                }
        for (const Item& i : items) {
            columnsSql.push_back(collated(i.value) + " AS " + quoteIdentifier(i.name));
            out.columns.push_back({i.name, i.value.type, i.value.origin});
        }
        for (const auto& [name, cond] : pivotColumns) {
            pivotCondition_ = cond;
            Typed v = valueOf(expr(*transform->aggregate, scope));
            pivotCondition_.clear();
            columnsSql.push_back(v.sql + " AS " + quoteIdentifier(name));
            out.columns.push_back({name, v.type});
        }
        if (columnsSql.empty()) syntaxError("De query levert geen enkele kolom op", s.position);

        std::vector<std::string> orderBy;
        std::vector<std::string> orderKeys;
        std::vector<bool> textKeys;
        if (whole) {
            for (const OrderItem& o : whole->orderBy) {
                Typed ot = valueOf(expr(*o.expr, scope));
                // A table's text column sorts by its own collation already; named bare, an index can serve it.
                orderKeys.push_back(ot.column && ot.origin ? ot.sql : collated(ot));
                textKeys.push_back(isText(ot.type));
                orderBy.push_back(orderKeys.back() + (o.descending ? " DESC" : ""));
            }
            if (transform && orderBy.empty()) orderBy = groupBy;
        }

        std::string body =
            " FROM " + (fromParts.empty() ? std::string("(SELECT 1)") : join(fromParts)) + scope.complexJoinSql;
        if (!where.empty()) body += " WHERE " + where;
        if (!groupBy.empty()) body += " GROUP BY " + join(groupBy);
        if (!having.empty()) body += " HAVING " + having;
        if (s.quantifier == Select::Quantifier::DistinctRow && !aggregate) body += distinctRows(scope, selectedSources);
        const std::string distinct = s.quantifier == Select::Quantifier::Distinct ? "DISTINCT " : "";
        if (s.top && !orderBy.empty() && distinct.empty()) {
            if (&s == outermost_ && !s.topPercent && !transform) {
                out.sql = "SELECT " + join(columnsSql);
                for (std::size_t i = 0; i < orderKeys.size(); ++i)
                    out.sql += ", " + orderKeys[i] + " AS \"~key" + std::to_string(i) + "\"";
                out.sql += body + " ORDER BY " + join(orderBy);
                const bool one = scope.sources.size() == 1 && scope.sources.front().jetTable;
                topTies_ = TopTies{static_cast<std::size_t>(std::max(0.0, *s.top)), textKeys,
                                   one ? scope.sources.front().table->name : std::string()};
                return out;
            }
            out.sql = topWithTies(s, columnsSql, out.columns, body, orderBy);
            return out;
        }
        out.sql = "SELECT " + distinct + join(columnsSql) + body;
        if (!orderBy.empty()) out.sql += " ORDER BY " + join(orderBy);
        if (s.top) {
            if (s.topPercent)
                out.sql = "SELECT * FROM (" + out.sql + ") LIMIT (SELECT " + percentCount(*s.top, "count(*)")
                          + " FROM (SELECT " + distinct + join(columnsSql) + body + "))";
            else
                out.sql += " LIMIT " + std::to_string(static_cast<long long>(*s.top));
        }
        return out;
    }

    // DISTINCTROW keeps one row per combination of records of the tables whose fields are selected: a grouping on
    // their row ids. With fields of every table each row is such a combination already, as it is when a selected
    // source is a query, which has no record identity.
    static std::string distinctRows(const Scope& scope, const std::vector<const Source*>& selected)
    {
        std::vector<std::string> rowIds;
        for (const Source& src : scope.sources) {
            if (std::find(selected.begin(), selected.end(), &src) == selected.end()) continue;
            if (!src.jetTable) return {};
            rowIds.push_back(quoteIdentifier(src.sqlAlias) + ".rowid");
        }
        if (rowIds.empty() || rowIds.size() == scope.sources.size()) return {};
        return " GROUP BY " + join(rowIds);
    }

    static std::string percentCount(double percent, const std::string& count)
    {
        const std::string exact = "(" + count + " * " + formatReal(percent) + " / 100.0)";
        return "(CAST(" + exact + " AS INTEGER) + (" + exact + " > CAST(" + exact + " AS INTEGER)))";
    }

    // TOP n returns every row that ties with the n-th, as Access does, here by a rank over every row: in a
    // subquery, a view or with PERCENT. Only TOP n PERCENT counts the rows: a count over all of them holds back
    // the first row until the last one is read.
    std::string topWithTies(const Select& s, const std::vector<std::string>& columnsSql,
                            const std::vector<ResultColumn>& columns, const std::string& body,
                            const std::vector<std::string>& orderBy)
    {
        std::vector<std::string> outer;
        for (const ResultColumn& c : columns) outer.push_back(quoteIdentifier(c.name));
        const std::string limit =
            s.topPercent ? percentCount(*s.top, "\"~count\"") : std::to_string(static_cast<long long>(*s.top));
        return "SELECT " + join(outer) + " FROM (SELECT " + join(columnsSql) + ", rank() OVER (ORDER BY "
               + join(orderBy) + ") AS \"~rank\"" + (s.topPercent ? ", count(*) OVER () AS \"~count\"" : "") + body
               + ") WHERE \"~rank\" <= " + limit + " ORDER BY \"~rank\"";
    }

    // In a totals query every column outside an aggregate must be grouped on.
    void checkGrouped(const Select& s, const std::vector<Item>& items,
                      const std::vector<std::pair<std::string, std::string>>& bare,
                      const std::vector<std::string>& groupBySql)
    {
        auto grouped = [&](const std::string& sql) {
            return std::find(groupBySql.begin(), groupBySql.end(), sql) != groupBySql.end();
        };
        for (const auto& [sql, written] : bare) {
            const std::string& column = sql;  // clang 14 lets no lambda capture a structured binding
            if (!grouped(column)) {
                const bool inGroupedItem = std::any_of(items.begin(), items.end(), [&](const Item& i) {
                    return grouped(i.value.sql) && i.value.sql.find(column) != std::string::npos;
                });
                if (!inGroupedItem)
                    syntaxError("U probeert een query uit te voeren waarin de expressie '" + written
                                    + "' geen deel uitmaakt van een statistische functie of van GROUP BY",
                                s.position);
            }
        }
    }

    std::vector<std::pair<std::string, std::string>> pivotValues(const Transform& tr, const Typed& pivot,
                                                                 const std::vector<std::string>& fromParts,
                                                                 const std::string& where)
    {
        std::vector<std::pair<std::string, std::string>> out;
        const std::string collate = isText(pivot.type) ? std::string(" COLLATE ") + textCollation : "";
        if (!tr.pivotIn.empty()) {
            for (const ExprPtr& v : tr.pivotIn) {
                Scope none;
                Typed lit = expr(*v, none);
                out.emplace_back(v->text.empty() ? lit.sql : v->text, "(" + pivot.sql + ") = " + lit.sql + collate);
            }
            return out;
        }
        if (!pivots_) return out;
        std::string sql = "SELECT DISTINCT " + pivot.sql + collate + " FROM "
                          + (fromParts.empty() ? std::string("(SELECT 1)") : join(fromParts));
        if (!where.empty()) sql += " WHERE " + where;
        sql += " ORDER BY 1";
        std::vector<ParameterInfo> known;
        for (const ParameterEntry& p : parameters_) known.push_back(p.info);
        for (const Value& v : (*pivots_)(PivotQuery{sql, pivot.type, known, tables_})) {
            if (v.isNull()) {
                out.emplace_back("<>", "(" + pivot.sql + ") IS NULL");
                continue;
            }
            out.emplace_back(exportText(v), "(" + pivot.sql + ") = " + literalOf(v) + collate);
        }
        return out;
    }

    static std::string literalOf(const Value& v)
    {
        switch (v.kind) {
        case Value::Kind::Text:
        case Value::Kind::Guid:
        case Value::Kind::Decimal: return quoteText(v.bytes);
        case Value::Kind::Boolean: return v.integer ? "-1" : "0";
        case Value::Kind::Byte:
        case Value::Kind::Integer:
        case Value::Kind::Long:
        case Value::Kind::BigInt: return std::to_string(v.integer);
        case Value::Kind::Currency: return formatReal(static_cast<double>(v.integer) / 10000.0);
        case Value::Kind::Binary: return "NULL";
        default: return formatReal(v.real);
        }
    }

    // Columns of one name from several tables are told apart by their table, as Access names them: every one
    // of the name, found by one pass over a map (selects of thousands of columns).
    void qualifyDuplicates(std::vector<Item>& items)
    {
        std::unordered_map<std::string, std::size_t> uses;
        std::vector<std::string> keys;
        keys.reserve(items.size());
        for (const Item& item : items) ++uses[keys.emplace_back(text::foldedKey(item.name))];
        for (std::size_t i = 0; i < items.size(); ++i) {
            Item& it = items[i];
            if (uses[keys[i]] > 1 && !it.named && !it.sourceAlias.empty() && it.name.find('.') == std::string::npos)
                it.name = it.sourceAlias + "." + it.name;
        }
    }

    void expandStar(const SelectItem& si, Scope& scope, std::vector<Item>& items)
    {
        bool found = si.starTable.empty();
        for (const Source& src : scope.sources) {
            if (!si.starTable.empty() && !text::equalsIgnoreCase(src.alias, si.starTable)) continue;
            found = true;
            scope.referenced.push_back(&src);
            for (const ResultColumn& c : src.columns) {
                Item item;
                item.name = c.name;
                item.sourceAlias = src.alias;
                item.value.sql = quoteIdentifier(src.sqlAlias) + "." + quoteIdentifier(c.name);
                item.value.type = c.dataType;
                item.value.origin = c.origin;
                items.push_back(std::move(item));
            }
        }
        if (!found)
            syntaxError("De tabel of query '" + si.starTable + "' in '" + si.starTable
                            + ".*' staat niet in de FROM-component",
                        si.position);
        if (scope.sources.empty()) syntaxError("SELECT * heeft een FROM-component nodig", si.position);
    }

    std::string columnNameOf(const Expr& e, Scope& scope, std::string& sourceAlias)
    {
        for (Scope* s = &scope; s; s = s->parent)
            for (const Source& src : s->sources) {
                if (e.parts.size() == 2 && !text::equalsIgnoreCase(src.alias, e.parts[0])) continue;
                if (e.parts.size() > 2) continue;
                for (const ResultColumn& c : src.columns)
                    if (text::equalsIgnoreCase(c.name, e.parts.back())) {
                        sourceAlias = src.alias;
                        return c.name;
                    }
            }
        // A field of a complex column's values: named by both, as in "attach-data.FileName".
        const std::size_t n = e.parts.size();
        for (const Source& src : scope.sources)
            if (const jet::ColumnDef* c = src.table && n >= 2 ? src.table->column(e.parts[n - 2]) : nullptr;
                c && c->type == jet::ColumnType::Complex)
                return c->name + "." + e.parts.back();
        return {};
    }

    // Sources ---------------------------------------------------------------------------------------------

    void registerSources(const TableRef& ref, Scope& scope)
    {
        if (ref.kind == TableRef::Kind::Join) {
            registerSources(*ref.left, scope);
            registerSources(*ref.right, scope);
            return;
        }
        Source src;
        std::string sql;
        if (ref.kind == TableRef::Kind::Subquery) {
            if (ref.alias.empty())
                syntaxError("Een subquery in de FROM-component heeft een alias nodig (AS naam)", ref.position);
            SelectOutput sub = query(*ref.query, nullptr);
            src.alias = ref.alias;
            src.columns = sub.columns;
            sql = "(" + sub.sql + ")";
        } else {
            src.alias = ref.alias.empty() ? ref.name : ref.alias;
            if (const jet::TableDef* table = catalog_.findTable(ref.name)) {
                for (const jet::ColumnDef& c : table->columns)
                    if (!catalog_.database().hiddenColumn(*table, c))
                        src.columns.push_back({c.name, accessType(c.type).recordset, &c});
                sql = quoteIdentifier(sqliteTableName(table->name));
                src.jetTable = true;
                src.table = table;
                if (std::none_of(tables_.begin(), tables_.end(),
                                 [&](const std::string& n) { return text::equalsIgnoreCase(n, table->name); }))
                    tables_.push_back(table->name);
            } else if (const StoredQuery* stored = catalog_.findQuery(ref.name); stored && stored->selects()) {
                SelectOutput sub = storedQuery(*stored, ref.position);
                src.columns = sub.columns;
                sql = "(" + sub.sql + ")";
            } else if (stored) {
                syntaxError("De query '" + stored->name + "' is een actiequery en kan niet als bron dienen",
                            ref.position);
            } else {
                throw DbError(errc::notFound, "De invoertabel of query '" + ref.name + "' (" + atPosition(ref.position)
                                                  + ") bestaat niet. Controleer of de naam goed is gespeld.");
            }
        }
        for (Scope* s = &scope; s; s = s->parent)
            for (const Source& other : s->sources)
                if (s == &scope && text::equalsIgnoreCase(other.alias, src.alias))
                    syntaxError("De naam '" + src.alias
                                    + "' komt meer dan eens voor in de FROM-component; geef elke "
                                      "bron een eigen alias",
                                ref.position);
        src.sqlAlias = src.alias;
        sourceSql_[&ref] = sql + " AS " + quoteIdentifier(src.sqlAlias);
        scope.sources.push_back(std::move(src));
    }

    SelectOutput storedQuery(const StoredQuery& stored, std::size_t position)
    {
        for (const std::string& name : queryStack_)
            if (text::equalsIgnoreCase(name, stored.name))
                syntaxError("De query '" + stored.name + "' verwijst (via andere queries) naar zichzelf", position);
        Statement st;
        try {
            st = parseStatement(stored.sql);
        } catch (const DbError& e) {
            throw DbError(e.number(), "In de opgeslagen query '" + stored.name + "': " + e.description());
        }
        queryStack_.push_back(stored.name);
        positionPrefix_.push_back(position);
        declare(st.parameters, 1);
        SelectOutput out;
        try {
            out = query(*st.query, nullptr);
        } catch (const DbError& e) {
            if (queryStack_.size() > 1) throw;
            throw DbError(e.number(), "In de opgeslagen query '" + stored.name + "': " + e.description());
        }
        positionPrefix_.pop_back();
        queryStack_.pop_back();
        return out;
    }

    std::string fromText(const TableRef& ref, Scope& scope)
    {
        if (ref.kind != TableRef::Kind::Join) return sourceSql_.at(&ref);
        const char* type = ref.joinType == TableRef::JoinType::Left    ? " LEFT JOIN "
                           : ref.joinType == TableRef::JoinType::Right ? " RIGHT JOIN "
                                                                       : " INNER JOIN ";
        Typed on = expr(*ref.on, scope);
        if (on.aggregate) syntaxError("Een statistische functie mag niet in een JOIN staan", ref.on->position);
        return "(" + fromText(*ref.left, scope) + type + fromText(*ref.right, scope) + " ON " + condition(on) + ")";
    }

    // Expressions -----------------------------------------------------------------------------------------

    // The Access value of an expression (-1 for True).
    static Typed valueOf(Typed v)
    {
        if (v.native) {
            v.sql = "(-" + v.sql + ")";
            v.native = false;
            v.type = t::Boolean;
        }
        return v;
    }
    static std::string condition(const Typed& v) { return v.sql; }
    // What an Access function or operator gets: a Date/Time value as a date and a Yes/No value as one, so
    // CStr shows "12/31/2003" and "True". Comparisons, grouping and sorting keep the bare number.
    static std::string accessArgument(const Typed& v)
    {
        if (v.marked) return v.sql;
        if (v.type == t::Date) return "acc_asdate(" + v.sql + ")";
        if (v.type == t::Boolean && v.yesNo) return "acc_asboolean(" + v.sql + ")";
        return v.sql;
    }
    static std::string collated(const Typed& v) { return isText(v.type) ? v.sql + " COLLATE " + textCollation : v.sql; }
    static bool numericOperand(const Typed& v) { return numericRank(v.type) > 0 || v.type == t::Date; }
    static bool booleanLike(const Typed& v) { return v.native || v.type == t::Boolean || v.type == unknownType; }

    Typed expr(const Expr& e, Scope& scope)
    {
        Typed out;
        switch (e.kind) {
        case Expr::Kind::Number: {
            out.sql = e.text;
            const bool whole = e.text.find_first_of(".eE") == std::string::npos;
            const double v = std::strtod(e.text.c_str(), nullptr);
            out.type = whole && v <= std::numeric_limits<std::int32_t>::max() ? t::Integer : t::Double;
            if (!whole && out.sql.front() == '.') out.sql = "0" + out.sql;
            return out;
        }
        case Expr::Kind::String:
            out.sql = quoteText(e.text);
            out.type = t::VarWChar;
            return out;
        case Expr::Kind::Date: {
            const std::optional<double> d = parseAccessDate(e.text);
            if (!d) syntaxError("Ongeldige datum #" + e.text + "#", e.position);
            out.sql = formatReal(*d);
            out.type = t::Date;
            return out;
        }
        case Expr::Kind::Boolean:
            out.sql = e.boolean ? "-1" : "0";
            out.type = t::Boolean;
            return out;
        case Expr::Kind::Null: out.sql = "NULL"; return out;
        case Expr::Kind::Name: return name(e, scope);
        case Expr::Kind::Unary: return unary(e, scope);
        case Expr::Kind::Binary: return binary(e, scope);
        case Expr::Kind::Between: return between(e, scope);
        case Expr::Kind::InList: return inList(e, scope);
        case Expr::Kind::InQuery: {
            Typed v = valueOf(expr(*e.args[0], scope));
            SelectOutput sub = subquery(*e.query, scope, e.position);
            out.sql = "(" + collated(v) + (e.negated ? " NOT IN (" : " IN (") + sub.sql + "))";
            out.native = true;
            out.aggregate = v.aggregate;
            return out;
        }
        case Expr::Kind::Exists: {
            SelectOutput sub = query(*e.query, &scope);
            out.sql = std::string(e.negated ? "(NOT EXISTS (" : "(EXISTS (") + sub.sql + "))";
            out.native = true;
            return out;
        }
        case Expr::Kind::Quantified: return quantified(e, scope);
        case Expr::Kind::Subquery: {
            SelectOutput sub = subquery(*e.query, scope, e.position);
            out.sql = "(" + sub.sql + ")";
            out.type = sub.columns.front().dataType;
            return out;
        }
        case Expr::Kind::IsNull: {
            Typed v = valueOf(expr(*e.args[0], scope));
            out.sql = "(" + v.sql + (e.negated ? " IS NOT NULL)" : " IS NULL)");
            out.native = true;
            out.aggregate = v.aggregate;
            return out;
        }
        case Expr::Kind::Call: return call(e, scope);
        }
        return out;
    }

    SelectOutput subquery(const Query& q, Scope& scope, std::size_t position)
    {
        SelectOutput sub = query(q, &scope);
        if (sub.columns.size() != 1)
            syntaxError("Een subquery op deze plaats mag maar één kolom opleveren, maar levert er "
                            + std::to_string(sub.columns.size()),
                        position);
        return sub;
    }

    Typed name(const Expr& e, Scope& scope)
    {
        if (e.parts.size() <= 2) {
            for (Scope* s = &scope; s; s = s->parent) {
                const Source* match = nullptr;
                const ResultColumn* column = nullptr;
                for (const Source& src : s->sources) {
                    if (e.parts.size() == 2 && !text::equalsIgnoreCase(src.alias, e.parts[0])) continue;
                    for (const ResultColumn& c : src.columns) {
                        if (!text::equalsIgnoreCase(c.name, e.parts.back())) continue;
                        if (match)
                            syntaxError("Het veld '" + e.text
                                            + "' kan verwijzen naar meer dan één tabel in de "
                                              "FROM-component",
                                        e.position);
                        match = &src;
                        column = &c;
                    }
                }
                if (match) {
                    Typed out;
                    out.sql = quoteIdentifier(match->sqlAlias) + "." + quoteIdentifier(column->name);
                    out.type = column->dataType;
                    out.column = true;
                    out.origin = column->origin;
                    out.yesNo = out.type == t::Boolean;
                    if (s == &scope && scope.aggregateDepth == 0) scope.bareColumns.emplace_back(out.sql, e.text);
                    if (s == &scope) scope.referenced.push_back(match);
                    return out;
                }
                if (s == &scope && e.parts.size() == 1)
                    for (const auto& [alias, value] : scope.aliases)
                        if (text::equalsIgnoreCase(alias, e.parts[0])) {
                            Typed out = value;
                            out.sql = "(" + out.sql + ")";
                            return out;
                        }
            }
        }
        if (auto field = complexField(e, scope)) return *field;
        return parameter(e);  // as Access does: a name that resolves to nothing is asked for
    }

    // T.[attach-data].FileName, [multi-value-data].Value: a field of the values of a complex column. The
    // values join the table's rows, so that a row shows once per value (once with Null when it has none).
    std::optional<Typed> complexField(const Expr& e, Scope& scope)
    {
        if (e.parts.size() != 2 && e.parts.size() != 3) return std::nullopt;
        const std::string& columnName = e.parts[e.parts.size() - 2];
        for (const Source& src : scope.sources) {
            if (!src.table || (e.parts.size() == 3 && !text::equalsIgnoreCase(src.alias, e.parts[0]))) continue;
            const jet::ColumnDef* column = src.table->column(columnName);
            if (!column || column->type != jet::ColumnType::Complex) continue;
            const jet::ComplexColumn complex = catalog_.database().complexColumn(*src.table, *column);
            const auto field =
                std::find_if(complex.valueColumns.begin(), complex.valueColumns.end(),
                             [&](const std::string& n) { return text::equalsIgnoreCase(n, e.parts.back()); });
            if (field == complex.valueColumns.end())
                syntaxError("Het veld '" + column->name + "' heeft geen deel '" + e.parts.back() + "'", e.position);
            const std::string alias = joinComplexValues(src, *column, complex, scope);
            const jet::TableDef& flat = catalog_.database().table(complex.flatTable);
            const jet::ColumnDef& def = *flat.column(*field);
            Typed out;
            out.sql = quoteIdentifier(alias) + "." + quoteIdentifier(def.name);
            out.type = accessType(def.type).recordset;
            if (complex.kind == jet::ComplexKind::Attachment && def.type == jet::ColumnType::OleObject)
                out.sql = "acc_attachment_file(" + out.sql + ")";  // the file itself, not its stored form
            else
                out.column = true;
            if (scope.aggregateDepth == 0) scope.bareColumns.emplace_back(out.sql, e.text);
            scope.referenced.push_back(&src);
            return out;
        }
        return std::nullopt;
    }

    std::string joinComplexValues(const Source& src, const jet::ColumnDef& column, const jet::ComplexColumn& complex,
                                  Scope& scope)
    {
        const std::string alias = src.sqlAlias + "." + column.name;
        for (const std::string& joined : scope.complexJoins)
            if (text::equalsIgnoreCase(joined, alias)) return alias;
        scope.complexJoins.push_back(alias);
        scope.complexJoinSql += " LEFT JOIN " + quoteIdentifier(sqliteTableName(complex.flatTable)) + " AS "
                                + quoteIdentifier(alias) + " ON " + quoteIdentifier(alias) + "."
                                + quoteIdentifier(complex.valueIdColumn) + " = " + quoteIdentifier(src.sqlAlias) + "."
                                + quoteIdentifier(complexIdColumn(column.name));
        if (std::none_of(tables_.begin(), tables_.end(),
                         [&](const std::string& n) { return text::equalsIgnoreCase(n, complex.flatTable); }))
            tables_.push_back(complex.flatTable);
        return alias;
    }

    Typed unary(const Expr& e, Scope& scope)
    {
        Typed v = expr(*e.args[0], scope);
        Typed out;
        out.aggregate = v.aggregate;
        if (e.op == "NOT") {
            if (booleanLike(v)) {
                out.sql = "(NOT " + condition(v) + ")";
                out.native = true;
            } else {
                out.sql = "acc_not(" + v.sql + ")";
                out.type = v.type;
            }
            return out;
        }
        v = valueOf(v);
        typeFromContext(v, t::Double);
        if (e.op == "+") return v;
        out.sql = "(-" + v.sql + ")";
        out.type = v.type == t::Boolean ? t::SmallInt : isText(v.type) ? t::Double : v.type;
        return out;
    }

    Typed binary(const Expr& e, Scope& scope)
    {
        const std::string& op = e.op;
        if (op == "AND" || op == "OR") {
            Typed a = expr(*e.args[0], scope), b = expr(*e.args[1], scope);
            Typed out;
            out.aggregate = a.aggregate || b.aggregate;
            if (booleanLike(a) && booleanLike(b)) {
                out.sql = "(" + condition(a) + " " + op + " " + condition(b) + ")";
                out.native = true;
            } else {  // bitwise on numbers
                out.sql = (op == "AND" ? "acc_and(" : "acc_or(") + valueOf(a).sql + ", " + valueOf(b).sql + ")";
                out.type = widerNumeric(valueOf(a).type, valueOf(b).type);
            }
            return out;
        }
        Typed a = valueOf(expr(*e.args[0], scope)), b = valueOf(expr(*e.args[1], scope));
        Typed out;
        out.aggregate = a.aggregate || b.aggregate;
        auto helper = [&](const char* fn, DataType type) {
            out.sql = std::string(fn) + "(" + accessArgument(a) + ", " + accessArgument(b) + ")";
            out.type = type;
            return out;
        };
        if (op == "XOR" || op == "EQV" || op == "IMP") {
            const DataType type = booleanLike(a) && booleanLike(b) ? t::Boolean : widerNumeric(a.type, b.type);
            return helper(op == "XOR" ? "acc_xor" : op == "EQV" ? "acc_eqv" : "acc_imp", type);
        }
        if (op == "&") {
            typeFromContext(a, t::VarWChar);
            typeFromContext(b, t::VarWChar);
            return helper("acc_concat",
                          a.type == t::LongVarWChar || b.type == t::LongVarWChar ? t::LongVarWChar : t::VarWChar);
        }
        if (op == "LIKE") {
            typeFromContext(b, t::VarWChar);
            out.sql = (e.negated ? "(NOT acc_like(" : "(acc_like(") + accessArgument(a) + ", " + b.sql + "))";
            out.native = e.negated;
            out.type = e.negated ? unknownType : t::Boolean;
            return out;
        }
        static const char* const comparisons[] = {"=", "<>", "<", ">", "<=", ">="};
        if (std::find(std::begin(comparisons), std::end(comparisons), op) != std::end(comparisons)) {
            typeFromContext(a, b);
            typeFromContext(b, a);
            // A column brings its collation; only two computed texts need it spelt out (and a join on two
            // columns stays usable for the key lookup).
            const bool collate = (isText(a.type) || isText(b.type)) && !a.column && !b.column;
            out.sql =
                "(" + a.sql + " " + op + " " + b.sql + (collate ? std::string(" COLLATE ") + textCollation : "") + ")";
            out.native = true;
            return out;
        }
        typeFromContext(a, b);
        typeFromContext(b, a);
        typeFromContext(a, t::Double);
        typeFromContext(b, t::Double);
        const bool aDate = a.type == t::Date, bDate = b.type == t::Date;
        if (op == "+") {
            if (isText(a.type) && isText(b.type)) {
                out.sql = "(" + a.sql + " || " + b.sql + ")";
                out.type = t::VarWChar;
                return out;
            }
            // Text that meets a number is converted (and fails when it is no number); only two numbers of
            // known types can use SQLite's own addition.
            const DataType type = aDate || bDate                     ? t::Date
                                  : isText(a.type) || isText(b.type) ? t::Double
                                                                     : widerNumeric(a.type, b.type);
            if (numericOperand(a) && numericOperand(b)) {
                out.sql = "(" + a.sql + " + " + b.sql + ")";
                out.type = type;
                return out;
            }
            return helper("acc_add", type);
        }
        if (op == "-") {
            const DataType type = aDate && bDate ? t::Double : aDate ? t::Date : widerNumeric(a.type, b.type);
            if (numericOperand(a) && numericOperand(b)) {
                out.sql = "(" + a.sql + " - " + b.sql + ")";
                out.type = type;
                return out;
            }
            return helper("acc_sub", type);
        }
        if (op == "*") {
            out.sql = "(" + a.sql + " * " + b.sql + ")";
            out.type = widerNumeric(a.type, b.type);
            if (out.type == t::Date) out.type = t::Double;
            return out;
        }
        if (op == "/") return helper("acc_div", a.type == t::Single && b.type == t::Single ? t::Single : t::Double);
        if (op == "\\") return helper("acc_intdiv", t::Integer);
        if (op == "MOD") return helper("acc_mod", t::Integer);
        if (op == "^") return helper("acc_pow", t::Double);
        syntaxError("Onbekende operator '" + op + "'", e.position);
    }

    Typed between(const Expr& e, Scope& scope)
    {
        Typed v = valueOf(expr(*e.args[0], scope));
        Typed lo = valueOf(expr(*e.args[1], scope)), hi = valueOf(expr(*e.args[2], scope));
        typeFromContext(lo, v);
        typeFromContext(hi, v);
        typeFromContext(v, lo);
        Typed out;
        out.native = true;
        out.aggregate = v.aggregate || lo.aggregate || hi.aggregate;
        if (isText(v.type) || isText(lo.type)) {
            const std::string c = std::string(" COLLATE ") + textCollation;
            out.sql = "(" + v.sql + " >= " + lo.sql + c + " AND " + v.sql + " <= " + hi.sql + c + ")";
        } else {
            out.sql = "(" + v.sql + " BETWEEN " + lo.sql + " AND " + hi.sql + ")";
        }
        if (e.negated) out.sql = "(NOT " + out.sql + ")";
        return out;
    }

    Typed inList(const Expr& e, Scope& scope)
    {
        Typed v = valueOf(expr(*e.args[0], scope));
        std::vector<std::string> items;
        Typed out;
        for (std::size_t i = 1; i < e.args.size(); ++i) {
            Typed item = valueOf(expr(*e.args[i], scope));
            typeFromContext(item, v);
            out.aggregate = out.aggregate || item.aggregate;
            items.push_back(item.sql);
        }
        out.sql = "(" + collated(v) + (e.negated ? " NOT IN (" : " IN (") + join(items) + "))";
        out.native = true;
        out.aggregate = out.aggregate || v.aggregate;
        return out;
    }

    Typed quantified(const Expr& e, Scope& scope)
    {
        Typed v = valueOf(expr(*e.args[0], scope));
        SelectOutput sub = subquery(*e.query, scope, e.position);
        const std::string alias = "~q" + std::to_string(++quantifiedCount_);
        const std::string column = quoteIdentifier(alias) + "." + quoteIdentifier(sub.columns.front().name);
        const bool text = isText(v.type) || isText(sub.columns.front().dataType);
        const std::string compare =
            "(" + v.sql + " " + e.op + " " + column + (text ? std::string(" COLLATE ") + textCollation : "") + ")";
        Typed out;
        out.native = true;
        out.aggregate = v.aggregate;
        const std::string from = " FROM (" + sub.sql + ") AS " + quoteIdentifier(alias);
        out.sql = e.quantifier == "ALL" ? "(NOT EXISTS (SELECT 1" + from + " WHERE NOT " + compare + "))"
                                        : "(EXISTS (SELECT 1" + from + " WHERE " + compare + "))";
        return out;
    }

    Typed call(const Expr& e, Scope& scope)
    {
        std::string fn = lower(e.text);
        if (!fn.empty() && fn.back() == '$') fn.pop_back();
        static const char* const aggregates[] = {"count", "sum",   "avg",    "min", "max", "first",
                                                 "last",  "stdev", "stdevp", "var", "varp"};
        if (std::find(std::begin(aggregates), std::end(aggregates), fn) != std::end(aggregates))
            return aggregate(e, fn, scope);
        const FunctionType* type = findFunctionType(e.text);
        if (!type) syntaxError("Onbekende functie '" + e.text + "' in de expressie", e.position);
        if (type->result == ResultRule::OwnQuery) return ownQuery(e, *type);
        if (e.star) syntaxError("'*' is alleen toegestaan in Count(*)", e.position);
        if (auto error = argumentCountError(*type, static_cast<int>(e.args.size()))) syntaxError(*error, e.position);
        std::vector<Typed> args;
        Typed out;
        for (const ExprPtr& a : e.args) {
            args.push_back(expr(*a, scope));
            out.aggregate = out.aggregate || args.back().aggregate;
        }
        const std::string iifCondition = fn == "iif" ? condition(args[0]) : std::string();
        for (Typed& a : args) a = valueOf(a);
        const bool yesNoArgument = std::any_of(args.begin(), args.end(), [](const Typed& a) { return a.yesNo; });
        if (fn == "iif") {
            out.sql = "(CASE WHEN " + iifCondition + " THEN " + args[1].sql + " ELSE " + args[2].sql + " END)";
            out.type = commonType(args[1].type, args[2].type);
            out.yesNo = out.type == t::Boolean && (args[1].yesNo || args[2].yesNo);
            return out;
        }
        if (fn == "isnull") {
            out.sql = "(" + args[0].sql + " IS NULL)";
            out.native = true;
            out.yesNo = true;
            return out;
        }
        if (fn == "nz" && args.size() == 2) {
            out.sql = "coalesce(" + args[0].sql + ", " + args[1].sql + ")";
            out.type = commonType(args[0].type, args[1].type);
            out.yesNo = out.type == t::Boolean && yesNoArgument;
            return out;
        }
        std::vector<std::string> sqlArgs;
        for (const Typed& a : args) sqlArgs.push_back(accessArgument(a));
        // VarType and TypeName need the type the value has in Access, which SQLite's storage classes do not keep.
        if (fn == "vartype" || fn == "typename") sqlArgs.push_back(std::to_string(static_cast<int>(args[0].type)));
        out.sql = "acc_" + lower(type->name) + "(" + join(sqlArgs) + ")";
        if (e.text.back() == '$') out.sql = "acc_dollar(" + out.sql + ", " + quoteText(e.text) + ")";
        out.type = resultType(*type, args);
        out.yesNo = out.type == t::Boolean && (type->result == ResultRule::Boolean || yesNoArgument);
        out.marked = type->result == ResultRule::Boolean || type->result == ResultRule::Date;
        return out;
    }

    // DLookup, DCount, DSum, ... and Eval: a query of their own, over a table or query or over nothing, run as a
    // scalar subquery that does not see the calling query. Access builds it at run time from text; here the
    // texts must be constant.
    Typed ownQuery(const Expr& e, const FunctionType& type)
    {
        if (auto error = argumentCountError(type, static_cast<int>(e.args.size()))) syntaxError(*error, e.position);
        for (const ExprPtr& a : e.args)
            if (a->kind != Expr::Kind::String)
                syntaxError("De argumenten van " + std::string(type.name) + " moeten hier vaste tekst zijn",
                            a->position);
        const std::string_view name = type.name;
        std::string text = "SELECT " + e.args[0]->text;
        if (name != "Eval") {
            const std::string& domain = e.args[1]->text;
            if (name != "DLookup") text = "SELECT " + std::string(name.substr(1)) + "(" + e.args[0]->text + ")";
            text += " FROM " + (domain.starts_with("[") ? domain : "[" + domain + "]");
            if (e.args.size() == 3 && !e.args[2]->text.empty()) text += " WHERE " + e.args[2]->text;
        }
        // Positions in the errors of the query count in its own text; the call's position says where it stands.
        const std::string where = "De argumenten van " + std::string(name) + " " + atPosition(e.position);
        SelectOutput sub;
        try {
            const Statement st = parseStatement(text);
            if (st.kind != Statement::Kind::Select || !st.query || st.query->selects.size() != 1
                || st.query->selects.front().items.size() != 1)
                throw DbError(errc::syntax, "verwacht is één waarde uit een tabel of query.");
            ownQueries_.push_back(st.query);
            sub = query(*st.query, nullptr);
        } catch (const DbError& error) {
            throw DbError(error.number(), where + " vormen geen geldige query: " + error.description());
        }
        Typed out;
        out.sql = "(" + sub.sql + ")";
        out.type = sub.columns.front().dataType;
        return out;
    }

    static DataType commonType(DataType a, DataType b)
    {
        if (a == b || b == unknownType) return a;
        if (a == unknownType) return b;
        if (numericRank(a) && numericRank(b)) return widerNumeric(a, b);
        return t::VarWChar;
    }

    DataType resultType(const FunctionType& type, std::vector<Typed>& args)
    {
        switch (type.result) {
        case ResultRule::Text: return t::VarWChar;
        case ResultRule::Long: return t::Integer;
        case ResultRule::Integer: return t::SmallInt;
        case ResultRule::Double: return t::Double;
        case ResultRule::Date: return t::Date;
        case ResultRule::Boolean: return t::Boolean;
        case ResultRule::Currency: return t::Currency;
        case ResultRule::Decimal: return t::Numeric;
        case ResultRule::Byte: return t::UnsignedTinyInt;
        case ResultRule::Single: return t::Single;
        case ResultRule::OwnQuery: return unknownType;  // a subquery: typed by its column
        case ResultRule::SameAsArgument: {
            const std::size_t i = static_cast<std::size_t>(type.argument - 1);
            return i < args.size() ? valueOf(args[i]).type : unknownType;
        }
        case ResultRule::Variant: {
            DataType common = unknownType;
            for (std::size_t i = 1; i < args.size(); ++i) common = commonType(common, valueOf(args[i]).type);
            return common == unknownType && !args.empty() ? valueOf(args[0]).type : common;
        }
        }
        return t::VarWChar;
    }

    Typed aggregate(const Expr& e, const std::string& fn, Scope& scope)
    {
        if (scope.aggregateDepth > 0)
            syntaxError("Een statistische functie kan geen andere statistische functie bevatten ('" + e.text + "')",
                        e.position);
        Typed out;
        out.aggregate = true;
        if (e.star) {
            if (fn != "count") syntaxError("'*' is alleen toegestaan in Count(*)", e.position);
            // A crosstab cell without rows is empty, also for a count.
            out.sql =
                pivotCondition_.empty() ? "count(*)" : "nullif(count(CASE WHEN " + pivotCondition_ + " THEN 1 END), 0)";
            out.type = t::Integer;
            return out;
        }
        if (e.args.size() != 1) syntaxError("De functie " + e.text + " verwacht precies één argument", e.position);
        ++scope.aggregateDepth;
        Typed arg = valueOf(expr(*e.args[0], scope));
        --scope.aggregateDepth;
        std::string argSql = collated(arg);
        if (!pivotCondition_.empty()) argSql = "CASE WHEN " + pivotCondition_ + " THEN " + arg.sql + " END";
        static const std::map<std::string, std::string> names = {
            {"count", "count"},       {"sum", "sum"},         {"avg", "avg"},       {"min", "min"},
            {"max", "max"},           {"first", "acc_first"}, {"last", "acc_last"}, {"stdev", "acc_stdev"},
            {"stdevp", "acc_stdevp"}, {"var", "acc_var"},     {"varp", "acc_varp"}};
        out.sql = names.at(fn) + "(" + argSql + ")";
        if (fn == "count" && !pivotCondition_.empty()) out.sql = "nullif(" + out.sql + ", 0)";
        if (fn == "count")
            out.type = t::Integer;
        else if (fn == "min" || fn == "max" || fn == "first" || fn == "last") {
            out.type = arg.type;
            out.yesNo = arg.yesNo;
        } else if ((fn == "sum" || fn == "avg") && (arg.type == t::Currency || arg.type == t::Numeric))
            out.type = arg.type;
        else
            out.type = t::Double;
        if (fn == "sum" && arg.type == t::Date) out.type = t::Date;
        return out;
    }

    Catalog& catalog_;
    const PivotValues* pivots_;
    std::vector<ParameterEntry> parameters_;
    std::vector<std::string> tables_;
    std::vector<std::string> queryStack_;
    std::vector<std::size_t> positionPrefix_;
    std::map<const TableRef*, std::string> sourceSql_;  // keyed by the tables of statements kept alive below
    std::vector<std::shared_ptr<Query>> ownQueries_;    // the queries DLookup, ..., Eval made from their texts
    std::string pivotCondition_;
    int quantifiedCount_ = 0;
    std::vector<std::string> rowIdSources_;
    const Select* outermost_ = nullptr;  // the statement's only select
    std::optional<TopTies> topTies_;
};

}  // namespace

CompiledQuery compileStatement(const Statement& statement, Catalog& catalog, const PivotValues* pivots)
{
    const std::uint64_t version = catalog.database().schemaVersion();
    CompiledQuery compiled = Compiler(catalog, pivots).statement(statement);
    compiled.schemaVersion = version;
    return compiled;
}

std::string sqliteTableName(std::string_view jetName)
{
    return "jet:" + std::string(jetName);
}

std::string quoteIdentifier(std::string_view name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace querimo::sql
