#include "sql/QueryText.h"

#include <algorithm>
#include <cctype>

#include "core/Text.h"
#include "sql/StoredQueryRows.h"

namespace querimo::sql {

namespace {

using namespace queryrow;

std::vector<const jet::QueryRow*> rowsOf(const std::vector<jet::QueryRow>& rows, int attribute)
{
    std::vector<const jet::QueryRow*> out;
    for (const jet::QueryRow& r : rows)
        if (r.attribute == attribute) out.push_back(&r);
    std::stable_sort(out.begin(), out.end(), [](const auto* a, const auto* b) { return a->order < b->order; });
    return out;
}

const jet::QueryRow* firstOf(const std::vector<jet::QueryRow>& rows, int attribute)
{
    const auto all = rowsOf(rows, attribute);
    return all.empty() ? nullptr : all.front();
}

std::string parameterType(int jetType)
{
    switch (jetType) {
    case 1: return "Bit";
    case 2: return "Byte";
    case 3: return "Short";
    case 4: return "Long";
    case 5: return "Currency";
    case 6: return "IEEESingle";
    case 7: return "IEEEDouble";
    case 8: return "DateTime";
    case 9: return "Binary";
    case 10: return "Text";
    case 11: return "LongBinary";
    case 12: return "Memo";
    case 15: return "Guid";
    case 16: return "Decimal";
    default: return "Value";
    }
}

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

// The FROM list: every table once, joined where join rows say so, nested as Access nests them.
std::string fromClause(const std::vector<jet::QueryRow>& rows)
{
    struct Piece {
        std::vector<std::string> keys;
        std::string text;
        bool isJoin = false;
    };
    std::vector<Piece> pieces;
    for (const jet::QueryRow* t : rowsOf(rows, Table)) {
        if (t->name1.empty()) continue;
        Piece p;
        p.text = quoteName(t->name1);
        if (!t->expression.empty()) p.text += " IN '" + t->expression + "'";
        if (!t->name2.empty()) p.text += " AS " + quoteName(t->name2);
        p.keys.push_back(t->name2.empty() ? t->name1 : t->name2);
        pieces.push_back(std::move(p));
    }
    auto pieceOf = [&](const std::string& key) -> std::ptrdiff_t {
        for (std::size_t i = 0; i < pieces.size(); ++i)
            for (const std::string& k : pieces[i].keys)
                if (text::equalsIgnoreCase(k, key)) return static_cast<std::ptrdiff_t>(i);
        return -1;
    };
    const auto joins = rowsOf(rows, Join);
    std::vector<bool> used(joins.size(), false);
    for (std::size_t j = 0; j < joins.size(); ++j) {
        if (used[j]) continue;
        const jet::QueryRow& join = *joins[j];
        std::string condition = join.expression;
        // Further conditions between the same two tables belong to the same ON.
        for (std::size_t k = j + 1; k < joins.size(); ++k)
            if (!used[k] && text::equalsIgnoreCase(joins[k]->name1, join.name1)
                && text::equalsIgnoreCase(joins[k]->name2, join.name2)) {
                condition += " AND " + joins[k]->expression;
                used[k] = true;
            }
        const std::ptrdiff_t l = pieceOf(join.name1), r = pieceOf(join.name2);
        if (l < 0 || r < 0 || l == r) continue;
        const char* type = join.flag == LeftJoin    ? " LEFT JOIN "
                           : join.flag == RightJoin ? " RIGHT JOIN "
                                                    : " INNER JOIN ";
        Piece& left = pieces[static_cast<std::size_t>(l)];
        Piece& right = pieces[static_cast<std::size_t>(r)];
        Piece merged;
        merged.isJoin = true;
        merged.text = (left.isJoin ? "(" + left.text + ")" : left.text) + type
                      + (right.isJoin ? "(" + right.text + ")" : right.text) + " ON " + condition;
        merged.keys = left.keys;
        merged.keys.insert(merged.keys.end(), right.keys.begin(), right.keys.end());
        const std::size_t keep = static_cast<std::size_t>(std::min(l, r));
        const std::size_t drop = static_cast<std::size_t>(std::max(l, r));
        pieces[keep] = std::move(merged);
        pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(drop));
    }
    std::vector<std::string> texts;
    for (const Piece& p : pieces) texts.push_back(p.text);
    return joined(texts, ", ");
}

std::string columnText(const jet::QueryRow& c)
{
    std::string out = c.expression;
    if (!c.name1.empty()) out += " AS " + quoteName(c.name1);
    return out;
}

std::string clauses(const std::vector<jet::QueryRow>& rows, bool crosstab)
{
    std::string out;
    const std::string from = fromClause(rows);
    if (!from.empty()) out += "\nFROM " + from;
    if (const jet::QueryRow* w = firstOf(rows, Where)) out += "\nWHERE " + w->expression;
    std::vector<std::string> groups;
    for (const jet::QueryRow* g : rowsOf(rows, GroupBy))
        if (!crosstab || !(g->flag & PivotColumn)) groups.push_back(g->expression);  // the pivot is no row group
    if (!groups.empty()) out += "\nGROUP BY " + joined(groups, ", ");
    if (const jet::QueryRow* h = firstOf(rows, Having)) out += "\nHAVING " + h->expression;
    std::vector<std::string> orders;
    for (const jet::QueryRow* o : rowsOf(rows, OrderBy))
        orders.push_back(o->expression + (text::equalsIgnoreCase(o->name1, "D") ? " DESC" : ""));
    if (!orders.empty()) out += "\nORDER BY " + joined(orders, ", ");
    if (crosstab)
        for (const jet::QueryRow* c : rowsOf(rows, Column))
            if (c->flag & PivotColumn) out += "\nPIVOT " + c->expression;
    return out;
}

std::string selectHead(const std::vector<jet::QueryRow>& rows)
{
    std::string out = "SELECT ";
    const jet::QueryRow* flags = firstOf(rows, Flags);
    const int f = flags ? flags->flag : 0;
    if (f & Distinct)
        out += "DISTINCT ";
    else if (f & DistinctRow)
        out += "DISTINCTROW ";
    if ((f & Top) && flags) out += "TOP " + flags->name1 + ((f & Percent) ? " PERCENT " : " ");
    return out;
}

std::string selectList(const std::vector<jet::QueryRow>& rows, bool crosstab)
{
    std::vector<std::string> columns;
    const jet::QueryRow* flags = firstOf(rows, Flags);
    if (flags && (flags->flag & SelectStar)) columns.push_back("*");
    for (const jet::QueryRow* c : rowsOf(rows, Column))
        if (!crosstab || (c->flag & RowHeading)) columns.push_back(columnText(*c));
    return joined(columns, ", ");
}

std::string parameters(const std::vector<jet::QueryRow>& rows)
{
    std::vector<std::string> decls;
    for (const jet::QueryRow* p : rowsOf(rows, Parameter))
        decls.push_back((p->name1.find('[') == std::string::npos ? quoteName(p->name1) : p->name1) + " "
                        + parameterType(p->flag));  // [Forms]![f]![c] is stored bracketed
    return decls.empty() ? std::string() : "PARAMETERS " + joined(decls, ", ") + ";\n";
}

bool ownerAccess(const std::vector<jet::QueryRow>& rows)
{
    const jet::QueryRow* flags = firstOf(rows, Flags);
    return flags && (flags->flag & OwnerAccess);
}

}  // namespace

std::string quoteName(const std::string& name)
{
    const bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]))
                       && std::all_of(name.begin(), name.end(),
                                      [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
    return plain ? name : "[" + name + "]";
}

int storedQueryType(const std::vector<jet::QueryRow>& rows)
{
    const jet::QueryRow* t = firstOf(rows, Type);
    return t && t->flag != 0 ? t->flag : SelectQuery;
}

std::string rebuildQueryText(const std::vector<jet::QueryRow>& rows)
{
    const int type = storedQueryType(rows);
    const jet::QueryRow* typeRow = firstOf(rows, Type);
    std::string out = parameters(rows);
    switch (type) {
    case CrosstabQuery: {
        for (const jet::QueryRow* c : rowsOf(rows, Column))
            if (!(c->flag & (PivotColumn | RowHeading))) out += "TRANSFORM " + columnText(*c) + "\n";
        out += selectHead(rows) + selectList(rows, true) + clauses(rows, true);
        break;
    }
    case UnionQuery: {  // the parts are stored whole
        const jet::QueryRow* flags = firstOf(rows, Flags);
        const bool all = !flags || !(flags->flag & 0x02);
        std::string first, second;
        for (const jet::QueryRow* t : rowsOf(rows, Table)) {
            if (t->name2 == unionPart1) first = t->expression;
            if (t->name2 == unionPart2) second = t->expression;
        }
        out += first + (all ? "\nUNION ALL\n" : "\nUNION\n") + second;
        std::vector<std::string> orders;
        for (const jet::QueryRow* o : rowsOf(rows, OrderBy))
            orders.push_back(o->expression + (text::equalsIgnoreCase(o->name1, "D") ? " DESC" : ""));
        if (!orders.empty()) out += "\nORDER BY " + joined(orders, ", ");
        return out;
    }
    case 7:
    case 8: return typeRow ? typeRow->expression : std::string();
    case 2:  // make-table
        out += selectHead(rows) + selectList(rows, false) + " INTO " + quoteName(typeRow->name1) + clauses(rows, false);
        break;
    case 3: {  // append
        std::vector<std::string> targets, values;
        for (const jet::QueryRow* c : rowsOf(rows, Column)) {
            targets.push_back(c->name2);
            values.push_back(c->expression);
        }
        out += "INSERT INTO " + quoteName(typeRow->name1) + " (" + joined(targets, ", ") + ")\n" + selectHead(rows)
               + joined(values, ", ") + clauses(rows, false);
        break;
    }
    case 4: {  // update
        std::vector<std::string> sets;
        for (const jet::QueryRow* c : rowsOf(rows, Column)) sets.push_back(c->name2 + " = " + c->expression);
        std::string rest = clauses(rows, false);
        const std::size_t where = rest.find("\nWHERE ");
        const std::string target = rest.substr(6, where == std::string::npos ? std::string::npos : where - 6);
        out += "UPDATE " + target + "\nSET " + joined(sets, ", ")
               + (where == std::string::npos ? std::string() : rest.substr(where));
        break;
    }
    case 5:  // delete
        out += "DELETE " + selectList(rows, false) + clauses(rows, false);
        break;
    default: out += selectHead(rows) + selectList(rows, false) + clauses(rows, false); break;
    }
    if (ownerAccess(rows)) out += "\nWITH OWNERACCESS OPTION";
    return out;
}

}  // namespace querimo::sql
