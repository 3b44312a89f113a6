#include "PostgresView.h"

#include <algorithm>
#include <deque>

#include "DumpSql.h"
#include "PostgresViewParts.h"
#include "core/Error.h"
#include "core/Text.h"
#include "sql/Parser.h"

namespace querimo::cli {

using sql::Expr;
using K = ValueKind;

namespace {

// A source as the select's FROM exposes it: under its alias, or its own name.
struct Exposed {
    std::string name;
    const ViewSource* source = nullptr;
    bool table = false;
};

struct Scope {
    const Scope* outer = nullptr;
    std::vector<Exposed> sources;
    std::vector<std::string> touched;  // exposed names the select list reads
};

class Translator {
public:
    explicit Translator(const std::vector<ViewSource>& sources) : sources_(sources) {}

    std::string query(const sql::Query& q, const Scope* outer, std::vector<SourceColumn>* outputs = nullptr)
    {
        if (q.transform) throw Untranslatable("het is een kruistabelquery (TRANSFORM)");
        if (q.selects.size() == 1) return select(q.selects[0], outer, &q.orderBy, outputs);
        std::string text;
        std::vector<SourceColumn> first;
        for (std::size_t i = 0; i < q.selects.size(); ++i) {
            if (q.selects[i].top) throw Untranslatable("TOP in een UNION wordt niet omgezet");
            if (i) text += q.unionAll[i - 1] ? " UNION ALL " : " UNION ";
            std::vector<SourceColumn> columns;
            text += select(q.selects[i], outer, nullptr, &columns);
            if (i == 0) first = columns;
            for (std::size_t c = 0; c < std::min(first.size(), columns.size()); ++c)
                requireComparable({"", first[c].kind}, {"", columns[c].kind});
        }
        if (outputs) *outputs = first;
        std::string order;
        for (const sql::OrderItem& o : q.orderBy) {
            const Expr& e = *o.expr;
            const auto named =
                e.kind == Expr::Kind::Name
                    ? std::find_if(first.begin(), first.end(),
                                   [&](const auto& c) { return text::equalsIgnoreCase(c.name, e.parts.back()); })
                    : first.end();
            if (named == first.end()) throw Untranslatable("de UNION sorteert op iets anders dan een kolomnaam");
            order += (order.empty() ? "" : ", ") + quoteIdentifier(named->name) + (o.descending ? " DESC" : "");
        }
        return order.empty() ? text : text + " ORDER BY " + order;
    }

private:
    std::string select(const sql::Select& s, const Scope* outer, const std::vector<sql::OrderItem>* orderBy,
                       std::vector<SourceColumn>* outputs)
    {
        if (!s.into.empty()) throw Untranslatable("het is een tabelmaakquery (SELECT INTO)");
        if (s.topPercent) throw Untranslatable("TOP ... PERCENT wordt niet omgezet");
        Scope scope;
        scope.outer = outer;
        std::string from;
        for (const auto& ref : s.from) from += (from.empty() ? "" : ", ") + tableRef(*ref, scope);

        std::string items;
        bool aggregate = !s.groupBy.empty();
        for (const sql::SelectItem& item : s.items) {
            std::string itemSql;
            if (!item.expr) {
                itemSql = star(item.starTable, scope, outputs);
            } else {
                aggregates_ = 0;
                const Typed v = expr(*item.expr, scope, true);
                aggregate = aggregate || aggregates_ > 0;
                itemSql = v.sql;
                if (!item.alias.empty()) itemSql += " AS " + quoteIdentifier(item.alias);
                if (outputs) outputs->push_back({item.alias.empty() ? outputName(*item.expr) : item.alias, v.kind});
            }
            items += (items.empty() ? "" : ", ") + itemSql;
        }
        if (s.quantifier == sql::Select::Quantifier::DistinctRow && !aggregate && !distinctRowIsPlain(scope))
            throw Untranslatable("DISTINCTROW over een deel van de tabellen wordt niet omgezet");

        std::string text =
            std::string("SELECT ") + (s.quantifier == sql::Select::Quantifier::Distinct ? "DISTINCT " : "") + items;
        if (!from.empty()) text += " FROM " + from;
        if (s.where) text += " WHERE " + condition(*s.where, scope);
        std::string groupBy;
        for (const auto& g : s.groupBy) groupBy += (groupBy.empty() ? "" : ", ") + expr(*g, scope).sql;
        if (!groupBy.empty()) text += " GROUP BY " + groupBy;
        if (s.having) text += " HAVING " + condition(*s.having, scope);
        std::string order;
        if (orderBy)
            for (const sql::OrderItem& o : *orderBy)
                order += (order.empty() ? "" : ", ") + orderKey(*o.expr, s, scope) + (o.descending ? " DESC" : "");
        if (!order.empty()) text += " ORDER BY " + order;
        if (s.top) {
            const std::string n = std::to_string(static_cast<long long>(*s.top));
            // Access's TOP keeps the rows that tie with the last one.
            if (!order.empty() && s.quantifier != sql::Select::Quantifier::Distinct)
                text += " FETCH FIRST " + n + " ROWS WITH TIES";
            else
                text += " LIMIT " + n;
        }
        return text;
    }

    // DISTINCTROW is a plain select where the selected fields come from every table, or from a query.
    static bool distinctRowIsPlain(const Scope& scope)
    {
        if (scope.sources.size() <= 1) return true;
        for (const Exposed& e : scope.sources) {
            const bool read = std::find(scope.touched.begin(), scope.touched.end(), e.name) != scope.touched.end();
            if (read && !e.table) return true;
            if (!read) return false;
        }
        return true;
    }

    static std::string outputName(const Expr& e) { return e.kind == Expr::Kind::Name ? e.parts.back() : std::string(); }

    std::string star(const std::string& table, Scope& scope, std::vector<SourceColumn>* outputs)
    {
        for (const Exposed& e : scope.sources) {
            if (!table.empty() && !text::equalsIgnoreCase(e.name, table)) continue;
            scope.touched.push_back(e.name);
            if (outputs) outputs->insert(outputs->end(), e.source->columns.begin(), e.source->columns.end());
            if (!table.empty()) return quoteIdentifier(e.name) + ".*";
        }
        if (table.empty()) return "*";
        throw Untranslatable("'" + table + ".*' noemt geen tabel van de query");
    }

    std::string tableRef(const sql::TableRef& ref, Scope& scope)
    {
        using Kind = sql::TableRef::Kind;
        if (ref.kind == Kind::Join) {
            const std::string left = tableRef(*ref.left, scope), right = tableRef(*ref.right, scope);
            const char* join = ref.joinType == sql::TableRef::JoinType::Inner  ? " INNER JOIN "
                               : ref.joinType == sql::TableRef::JoinType::Left ? " LEFT JOIN "
                                                                               : " RIGHT JOIN ";
            return "(" + left + join + right + " ON " + condition(*ref.on, scope) + ")";
        }
        if (ref.kind == Kind::Subquery) {
            if (ref.alias.empty()) throw Untranslatable("een subquery in FROM heeft geen naam");
            ViewSource& derived = derived_.emplace_back();
            derived.name = ref.alias;
            const std::string inner = query(*ref.query, scope.outer, &derived.columns);
            for (const SourceColumn& c : derived.columns)
                if (c.name.empty()) throw Untranslatable("een kolom van een subquery in FROM heeft geen naam");
            scope.sources.push_back({ref.alias, &derived, false});
            return "(" + inner + ") AS " + quoteIdentifier(ref.alias);
        }
        const auto source = std::find_if(sources_.begin(), sources_.end(),
                                         [&](const ViewSource& s) { return text::equalsIgnoreCase(s.name, ref.name); });
        if (source == sources_.end()) throw MissingSource(ref.name);
        const std::string exposed = ref.alias.empty() ? source->name : ref.alias;
        scope.sources.push_back({exposed, &*source, source->table});
        return quoteIdentifier(source->name) + (ref.alias.empty() ? "" : " AS " + quoteIdentifier(ref.alias));
    }

    std::string orderKey(const Expr& e, const sql::Select& s, Scope& scope)
    {
        if (e.kind == Expr::Kind::Name && e.parts.size() == 1 && !findColumn(e, scope))
            for (const sql::SelectItem& item : s.items)
                if (text::equalsIgnoreCase(item.alias, e.parts[0])) return quoteIdentifier(item.alias);
        return expr(e, scope).sql;
    }

    std::optional<Typed> findColumn(const Expr& e, const Scope& scope, Scope* reading = nullptr) const
    {
        if (e.parts.size() > 2) return std::nullopt;
        const std::string* qualifier = e.parts.size() == 2 ? &e.parts[0] : nullptr;
        for (const Scope* s = &scope; s; s = s->outer) {
            for (const Exposed& exposed : s->sources) {
                if (qualifier && !text::equalsIgnoreCase(exposed.name, *qualifier)) continue;
                for (const SourceColumn& c : exposed.source->columns)
                    if (text::equalsIgnoreCase(c.name, e.parts.back())) {
                        if (reading && s == reading) reading->touched.push_back(exposed.name);
                        return Typed{quoteIdentifier(exposed.name) + "." + quoteIdentifier(c.name), c.kind};
                    }
            }
        }
        return std::nullopt;
    }

    // A where, on or having: PostgreSQL wants a boolean there.
    std::string condition(const Expr& e, Scope& scope)
    {
        const Typed v = expr(e, scope);
        if (v.kind != K::Boolean && v.kind != K::Unknown) throw Untranslatable("een voorwaarde is geen Ja/nee-waarde");
        return v.sql;
    }

    Typed expr(const Expr& e, Scope& scope, bool selectList = false)
    {
        using EK = Expr::Kind;
        switch (e.kind) {
        case EK::Number: {
            const bool whole = e.text.find_first_of(".eE") == std::string::npos;
            return whole ? Typed{e.text, K::Integer} : Typed{"(" + e.text + ")::double precision", K::Double};
        }
        case EK::String: return {quoteLiteral(e.text), K::Text};
        case EK::Date: return {timestampLiteral(e.text), K::Date};
        case EK::Boolean: return {e.boolean ? "true" : "false", K::Boolean};
        case EK::Null: return {"NULL", K::Unknown};
        case EK::Name:
            if (auto column = findColumn(e, scope, selectList ? &scope : nullptr)) return *column;
            throw Untranslatable("'" + e.text + "' is geen kolom van de query (een parameter?)");
        case EK::Unary: return unary(e, scope, selectList);
        case EK::Binary: return binary(e, scope, selectList);
        case EK::Between: {
            const Typed v = expr(*e.args[0], scope), lo = expr(*e.args[1], scope), hi = expr(*e.args[2], scope);
            requireComparable(v, lo);
            requireComparable(v, hi);
            const bool text = isText(v) || isText(lo) || isText(hi);
            return {"(" + caseBlind(v, text) + (e.negated ? " NOT BETWEEN " : " BETWEEN ") + caseBlind(lo, text)
                        + " AND " + caseBlind(hi, text) + ")",
                    K::Boolean};
        }
        case EK::InList: {
            std::vector<Typed> items;
            bool text = false;
            for (const auto& a : e.args) {
                items.push_back(expr(*a, scope));
                requireComparable(items.front(), items.back());
                text = text || isText(items.back());
            }
            std::string list;
            for (std::size_t i = 1; i < items.size(); ++i) list += (i > 1 ? ", " : "") + caseBlind(items[i], text);
            return {"(" + caseBlind(items[0], text) + (e.negated ? " NOT IN (" : " IN (") + list + "))", K::Boolean};
        }
        case EK::InQuery: return {"(" + against(e, scope, e.negated ? "NOT IN" : "IN") + ")", K::Boolean};
        case EK::Exists:
            return {std::string(e.negated ? "(NOT " : "(") + "EXISTS (" + query(*e.query, &scope) + "))", K::Boolean};
        case EK::Quantified: return {"(" + against(e, scope, comparison(e.op) + " " + e.quantifier) + ")", K::Boolean};
        case EK::Subquery: {
            std::vector<SourceColumn> columns;
            const std::string inner = query(*e.query, &scope, &columns);
            return {"(" + inner + ")", columns.size() == 1 ? columns[0].kind : K::Unknown};
        }
        case EK::IsNull:
            return {"(" + expr(*e.args[0], scope).sql + (e.negated ? " IS NOT NULL)" : " IS NULL)"), K::Boolean};
        case EK::Call: return call(e, scope, selectList);
        }
        throw Untranslatable("een onbekend soort uitdrukking");
    }

    // value IN (subquery), value op ANY (subquery): text compared case-blind through the subquery's one column.
    std::string against(const Expr& e, Scope& scope, const std::string& op)
    {
        const Typed v = expr(*e.args[0], scope);
        std::vector<SourceColumn> columns;
        const std::string inner = query(*e.query, &scope, &columns);
        if (columns.size() != 1) throw Untranslatable("een subquery levert niet precies één kolom");
        requireComparable(v, {"", columns[0].kind});
        if (!isText(v) && columns[0].kind != K::Text) return v.sql + " " + op + " (" + inner + ")";
        return "lower(" + v.sql + ") " + op + " (SELECT lower(q.c) FROM (" + inner + ") AS q(c))";
    }

    Typed call(const Expr& e, Scope& scope, bool selectList)
    {
        if (isAggregate(e.text)) ++aggregates_;
        if (e.star) {
            if (!text::equalsIgnoreCase(e.text, "Count")) throw Untranslatable("de functie " + e.text + "(*)");
            return {"count(*)", K::Integer};
        }
        std::vector<Typed> args;
        std::vector<std::string> literals;
        for (const auto& a : e.args) {
            args.push_back(expr(*a, scope, selectList));
            literals.push_back(a->kind == Expr::Kind::String ? a->text : std::string());
        }
        return translateCall(e.text, args, literals);
    }

    static bool isAggregate(const std::string& name)
    {
        for (const char* a : {"count", "sum", "avg", "min", "max", "stdev", "stdevp", "var", "varp", "first", "last"})
            if (text::equalsIgnoreCase(name, a)) return true;
        return false;
    }

    Typed unary(const Expr& e, Scope& scope, bool selectList)
    {
        const Typed v = expr(*e.args[0], scope, selectList);
        if (e.op == "NOT") {
            if (v.kind != K::Boolean && v.kind != K::Unknown)
                throw Untranslatable("NOT op een getal (bitsgewijs) wordt niet omgezet");
            return {"(NOT " + v.sql + ")", K::Boolean};
        }
        if (v.kind == K::Text || v.kind == K::Date || v.kind == K::Boolean)
            throw Untranslatable("een teken " + e.op + " voor iets anders dan een getal");
        return {"(" + e.op + v.sql + ")", v.kind};
    }

    static std::string comparison(const std::string& op)
    {
        if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=") return op;
        throw Untranslatable("de operator " + op);
    }

    // Access's True is -1 and False 0: a number compared with a Yes/No value becomes a boolean.
    static Typed asBoolean(const Expr& e, const Typed& v, const Typed& other)
    {
        const bool sign = e.kind == Expr::Kind::Unary && (e.op == "-" || e.op == "+");
        const Expr& number = sign ? *e.args[0] : e;
        if (other.kind != K::Boolean || number.kind != Expr::Kind::Number) return v;
        return {std::stod(number.text) != 0 ? "true" : "false", K::Boolean};
    }

    Typed binary(const Expr& e, Scope& scope, bool selectList)
    {
        const std::string& op = e.op;
        Typed a = expr(*e.args[0], scope, selectList);
        if (op == "LIKE") {
            if (e.args[1]->kind != Expr::Kind::String) throw Untranslatable("Like met een patroon dat geen tekst is");
            return {likeMatch(a.sql, e.args[1]->text, e.negated), K::Boolean};
        }
        Typed b = expr(*e.args[1], scope, selectList);
        if (op == "AND" || op == "OR" || op == "XOR" || op == "EQV" || op == "IMP") {
            for (const Typed* v : {&a, &b})
                if (v->kind != K::Boolean && v->kind != K::Unknown)
                    throw Untranslatable(op + " op getallen (bitsgewijs) wordt niet omgezet");
            if (op == "XOR") return {"(" + a.sql + " <> " + b.sql + ")", K::Boolean};
            if (op == "EQV") return {"(" + a.sql + " = " + b.sql + ")", K::Boolean};
            if (op == "IMP") return {"(NOT " + a.sql + " OR " + b.sql + ")", K::Boolean};
            return {"(" + a.sql + " " + op + " " + b.sql + ")", K::Boolean};
        }
        if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=") {
            a = asBoolean(*e.args[0], a, b);
            b = asBoolean(*e.args[1], b, a);
            requireComparable(a, b);
            const bool text = isText(a) || isText(b);
            return {"(" + caseBlind(a, text) + " " + op + " " + caseBlind(b, text) + ")", K::Boolean};
        }
        if (op == "&") return {"concat(" + concatenated(a) + ", " + concatenated(b) + ")", K::Text};
        return arithmetic(op, a, b);
    }

    const std::vector<ViewSource>& sources_;
    std::deque<ViewSource> derived_;
    int aggregates_ = 0;
};

}  // namespace

namespace {

sql::Statement parsedSelect(std::string_view accessSql)
{
    sql::Statement statement;
    try {
        statement = sql::parseStatement(accessSql);
    } catch (const DbError& e) {
        throw Untranslatable(std::string("de tekst is geen geldige Access-SQL: ") + e.what());
    }
    if (!statement.parameters.empty()) throw Untranslatable("hij vraagt om parameters");
    if (statement.kind != sql::Statement::Kind::Select || !statement.query)
        throw Untranslatable("het is geen selectiequery");
    return statement;
}

}  // namespace

void requireSelectQuery(std::string_view accessSql)
{
    parsedSelect(accessSql);
}

std::string translateView(std::string_view accessSql, const std::vector<ViewSource>& sources)
{
    const sql::Statement statement = parsedSelect(accessSql);
    return Translator(sources).query(*statement.query, nullptr);
}

}  // namespace querimo::cli
