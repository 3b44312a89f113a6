#include "sql/QueryRows.h"

#include <algorithm>
#include <cctype>

#include "core/Error.h"
#include "core/Text.h"
#include "sql/DataTypes.h"
#include "sql/DefinitionParser.h"
#include "sql/Lexer.h"
#include "sql/Parser.h"
#include "sql/StoredQueryRows.h"
#include "sql/TokenCursor.h"

namespace querimo::sql {

namespace {

using namespace queryrow;

// Words that end an expression when they stand outside parentheses (Left( and Right( are functions).
bool endsExpression(const Token& t, const Token& after)
{
    if ((t.is("LEFT") || t.is("RIGHT")) && after.is("(")) return false;
    if (t.kind == TokenKind::End || t.is(",") || t.is(")") || t.is(";")) return true;
    static const char* const words[] = {"FROM", "WHERE", "GROUP", "HAVING", "ORDER", "AS",  "UNION", "PIVOT", "INNER",
                                        "LEFT", "RIGHT", "JOIN",  "INTO",   "WITH",  "ASC", "DESC",  "SELECT"};
    return t.kind == TokenKind::Word
           && std::any_of(std::begin(words), std::end(words), [&](const char* w) { return t.is(w); });
}

// Words that may follow a table in FROM; any other name there is its alias.
bool followsTable(const Token& t)
{
    static const char* const words[] = {"INNER", "LEFT",   "RIGHT", "JOIN",  "ON",    "WHERE",
                                        "GROUP", "HAVING", "ORDER", "UNION", "PIVOT", "WITH"};
    return t.kind == TokenKind::Word
           && std::any_of(std::begin(words), std::end(words), [&](const char* w) { return t.is(w); });
}

class Decomposer : private TokenCursor {
public:
    Decomposer(std::string_view text, const Statement& statement)
        : TokenCursor(tokenize(text)), text_(text), unionQuery_(statement.query->selects.size() > 1)
    {}

    std::vector<jet::QueryRow> rows()
    {
        add(Start, {});
        if (accept("PARAMETERS")) parameters();
        if (unionQuery_)
            unionBody();
        else
            selectBody();
        add(End, {});
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const auto& a, const auto& b) { return a.attribute < b.attribute; });
        return std::move(rows_);
    }

private:
    void add(int attribute, std::string expression, int flag = 0, std::string name1 = {}, std::string name2 = {})
    {
        jet::QueryRow r;
        r.attribute = attribute;
        r.expression = std::move(expression);
        r.flag = flag;
        r.name1 = std::move(name1);
        r.name2 = std::move(name2);
        rows_.push_back(std::move(r));
    }

    // The text as written from token `from` up to token `to`.
    std::string span(std::size_t from, std::size_t to) const
    {
        std::string_view s = text_.substr(token(from).offset, token(to).offset - token(from).offset);
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
        return std::string(s);
    }

    // A part of a union keeps its own line ends: only the line break the text form puts around the UNION
    // keyword is not its own.
    std::string unionPart(std::size_t from, std::size_t to) const
    {
        std::string_view s = text_.substr(from, to - from);
        if (!s.empty() && s.front() == '\n')
            s.remove_prefix(1);
        else
            while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
        if (!s.empty() && s.back() == '\n')
            s.remove_suffix(1);
        else
            while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
        return std::string(s);
    }

    // One expression from here, as written: up to the first word or symbol outside parentheses that ends it.
    std::string expression()
    {
        const std::size_t from = index();
        int depth = 0;
        while (depth > 0 || !endsExpression(peek(), peek(1))) {
            if (peek().kind == TokenKind::End) break;
            if (peek().is("("))
                ++depth;
            else if (peek().is(")"))
                --depth;
            next();
        }
        return span(from, index());
    }

    std::string aliasAfterAs()
    {
        if (!accept("AS")) return {};
        return next().text;
    }

    void parameters()
    {
        do {
            const std::size_t from = index();
            next();
            while (peek().is(".") || peek().is("!")) {  // [Forms]![F]![Nr] keeps its brackets
                next();
                next();
            }
            const std::string name = index() - from == 1 ? token(from).text : span(from, index());
            const Token& word = next();
            const TypeWord* type = word.is("VALUE") ? nullptr : typeWord(word.text);
            const int code = type ? static_cast<int>(type->type) : 0;
            if (accept("(")) {  // Text (255)
                next();
                accept(")");
            }
            add(Parameter, {}, code, name);
        } while (accept(","));
        accept(";");
    }

    // A union keeps its parts whole: all before the last UNION, and the last part.
    void unionBody()
    {
        const std::size_t first = index();
        std::size_t lastUnion = 0, secondStart = 0, secondEnd = 0;
        bool all = false;
        int depth = 0;
        for (; peek().kind != TokenKind::End; next()) {
            const Token& t = peek();
            if (t.is("("))
                ++depth;
            else if (t.is(")"))
                --depth;
            else if (depth == 0 && t.is("UNION")) {
                lastUnion = index();
                all = peek(1).is("ALL");
                secondStart = index() + (all ? 2 : 1);
            } else if (depth == 0 && (t.is("ORDER") || t.is("WITH") || t.is(";"))) {
                break;
            }
        }
        secondEnd = index();
        const Token& keyword = token(secondStart - 1);
        add(Type, {}, UnionQuery);
        add(Flags, {}, all ? 0 : Distinct);
        add(Table, unionPart(token(first).offset, token(lastUnion).offset), 0, {}, unionPart1);
        add(Table, unionPart(keyword.offset + keyword.text.size(), token(secondEnd).offset), 0, {}, unionPart2);
        orderBy();
    }

    void selectBody()
    {
        std::string transform, transformAlias;
        const bool crosstab = accept("TRANSFORM");
        if (crosstab) {
            transform = expression();
            transformAlias = aliasAfterAs();
            add(Column, transform, 0, transformAlias);
        }
        accept("SELECT");
        int flags = 0;
        std::string top;
        if (accept("DISTINCT"))
            flags |= Distinct;
        else if (accept("DISTINCTROW"))
            flags |= DistinctRow;
        else
            accept("ALL");
        if (accept("TOP")) {
            flags |= Top;
            top = next().text;
            if (accept("PERCENT")) flags |= Percent;
        }
        do {
            if (accept("*")) {
                flags |= SelectStar;
                continue;
            }
            std::string e = expression();
            add(Column, std::move(e), crosstab ? RowHeading : 0, aliasAfterAs());
        } while (accept(","));
        std::string into;
        if (accept("INTO")) into = next().text;
        if (accept("FROM")) {
            do fromItem();
            while (accept(","));
        }
        if (accept("WHERE")) add(Where, expression());
        if (accept("GROUP")) {
            accept("BY");
            do add(GroupBy, expression(), crosstab ? RowHeading : 0);
            while (accept(","));
        }
        if (accept("HAVING")) add(Having, expression());
        orderBy();
        if (accept("PIVOT")) {
            const std::string pivot = expression();
            add(Column, pivot, PivotColumn);
            add(GroupBy, pivot, PivotColumn);
        }
        if (accept("WITH")) flags |= OwnerAccess;  // WITH OWNERACCESS OPTION
        add(Type, {}, crosstab ? CrosstabQuery : into.empty() ? SelectQuery : MakeTableQuery, into);
        add(Flags, {}, flags, top);
    }

    void orderBy()
    {
        if (!accept("ORDER")) return;
        accept("BY");
        do {
            std::string e = expression();
            const bool descending = accept("DESC");
            if (!descending) accept("ASC");
            add(OrderBy, std::move(e), 0, descending ? "D" : "");
        } while (accept(","));
    }

    // One FROM entry with its joins; returns the name the join rows use for its first table.
    std::string fromItem()
    {
        std::string left = fromPrimary();
        for (;;) {
            int type;
            if (accept("INNER"))
                type = InnerJoin;
            else if (accept("LEFT"))
                type = LeftJoin;
            else if (accept("RIGHT"))
                type = RightJoin;
            else
                return left;
            accept("OUTER");
            accept("JOIN");
            const std::string right = fromPrimary();
            accept("ON");
            add(Join, expression(), type, left, right);
        }
    }

    std::string fromPrimary()
    {
        if (peek().is("(") && peek(1).is("SELECT")) {
            const std::size_t open = index();
            next();
            int depth = 1;
            while (peek().kind != TokenKind::End) {
                if (peek().is("("))
                    ++depth;
                else if (peek().is(")") && --depth == 0)
                    break;
                next();
            }
            const std::string query = span(open + 1, index());
            next();
            return derivedTable(query, token(open).position);
        }
        if (accept("(")) {
            std::string inner = fromItem();
            accept(")");
            return inner;
        }
        const Token& t = next();
        if (t.kind == TokenKind::Name && t.text.size() > 7 && text::equalsIgnoreCase(t.text.substr(0, 7), "select ")) {
            accept(".");  // [SELECT ...]. AS alias
            return derivedTable(t.text, t.position);
        }
        const std::string alias = tableAlias();
        add(Table, {}, 0, t.text, alias);
        return alias.empty() ? t.text : alias;
    }

    // A query in FROM is stored as the table name, which the text form brackets.
    std::string derivedTable(const std::string& query, std::size_t position)
    {
        if (query.find(']') != std::string::npos)
            throw DbError(errc::syntax, "Een subquery in FROM met namen tussen haken kan niet worden opgeslagen "
                                            + atPosition(position) + "; maak er een aparte query van.");
        const std::string alias = tableAlias();
        add(Table, {}, 0, query, alias);
        return alias.empty() ? query : alias;
    }

    std::string tableAlias()
    {
        if (accept("AS")) return next().text;
        const Token& t = peek();
        if (t.kind == TokenKind::Name || (t.kind == TokenKind::Word && !followsTable(t))) return next().text;
        return {};
    }

    std::string_view text_;
    bool unionQuery_;
    std::vector<jet::QueryRow> rows_;
};

}  // namespace

std::vector<jet::QueryRow> decomposeQuery(std::string_view text)
{
    const Statement statement = parseStatement(text);
    if (statement.kind != Statement::Kind::Select && statement.kind != Statement::Kind::SelectInto)
        throw DbError(errc::syntax, "Alleen een SELECT-, kruistabel- of UNION-query kan zo worden opgeslagen.");
    return Decomposer(text, statement).rows();
}

void nameOutputColumns(std::vector<jet::QueryRow>& rows, const std::vector<std::string>& names, std::size_t position)
{
    if (names.empty()) return;
    std::vector<jet::QueryRow*> columns;
    bool star = false, plainSelect = true;
    for (jet::QueryRow& r : rows) {
        if (r.attribute == Column) columns.push_back(&r);
        if (r.attribute == Flags && (r.flag & SelectStar)) star = true;
        if (r.attribute == Type && r.flag != SelectQuery) plainSelect = false;
    }
    if (!plainSelect || star || columns.size() != names.size())
        throw DbError(errc::syntax, "De lijst met " + std::to_string(names.size()) + " kolomnamen "
                                        + atPosition(position) + " past niet bij de kolommen van de SELECT-opdracht"
                                        + (star ? " (met *)." : "."));
    for (std::size_t i = 0; i < names.size(); ++i) columns[i]->name1 = names[i];
}

}  // namespace querimo::sql
