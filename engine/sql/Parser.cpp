#include "sql/Parser.h"

#include <algorithm>
#include <array>

#include "core/Error.h"
#include "core/Text.h"
#include "sql/DataTypes.h"
#include "sql/Lexer.h"
#include "sql/TokenCursor.h"
#include "sql/functions/FunctionTypes.h"

namespace querimo::sql {

namespace {

// Words that end an expression or a name list; unbracketed they are never names.
constexpr std::array reservedWords = {
    "SELECT", "FROM",      "WHERE",    "GROUP",       "HAVING", "ORDER",   "BY",   "UNION", "AS",
    "ON",     "JOIN",      "INNER",    "LEFT",        "RIGHT",  "OUTER",   "AND",  "OR",    "NOT",
    "XOR",    "EQV",       "IMP",      "MOD",         "LIKE",   "BETWEEN", "IN",   "IS",    "INTO",
    "PIVOT",  "TRANSFORM", "DISTINCT", "DISTINCTROW", "TOP",    "ALL",     "ASC",  "DESC",  "PARAMETERS",
    "VALUES", "SET",       "EXISTS",   "ANY",         "SOME",   "NULL",    "TABLE"};

bool isReserved(const Token& t)
{
    if (t.kind != TokenKind::Word) return false;
    return std::any_of(reservedWords.begin(), reservedWords.end(), [&](const char* w) { return t.is(w); });
}

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(tokenize(text)) {}

    Statement statement()
    {
        Statement st;
        if (accept("PARAMETERS")) parameterDecls(st);
        const Token& first = peek();
        static const std::pair<const char*, Statement::Kind> definitions[] = {
            {"CREATE", Statement::Kind::Create}, {"ALTER", Statement::Kind::Alter}, {"DROP", Statement::Kind::Drop}};
        for (const auto& [word, kind] : definitions)
            if (first.is(word)) {
                st.kind = kind;
                return st;  // data definition has a parser of its own
            }
        if (accept("INSERT"))
            insert(st);
        else if (accept("UPDATE"))
            update(st);
        else if (accept("DELETE"))
            remove(st);
        else if (!first.is("SELECT") && !first.is("TRANSFORM") && !first.is("(") && !first.is("TABLE"))
            throw DbError(errc::syntax, "Ongeldige SQL-opdracht: verwacht 'SELECT', 'TRANSFORM', 'INSERT', 'UPDATE', "
                                        "'DELETE', 'CREATE', 'ALTER', 'DROP' of 'PARAMETERS', maar "
                                            + describeToken(first) + " gevonden " + atPosition(first.position) + ".");
        else
            st.query = query(true);
        for (const Select& s : st.query->selects)
            if (!s.into.empty()) {
                if (st.kind != Statement::Kind::Select || &s != &st.query->selects.front())
                    throw DbError(errc::syntax, "Syntaxisfout: INTO staat op een plaats waar het niet mag "
                                                    + atPosition(s.position) + ".");
                st.kind = Statement::Kind::SelectInto;
            }
        if (accept("WITH")) {  // WITH OWNERACCESS OPTION: permissions only
            expect("OWNERACCESS");
            expect("OPTION");
        }
        accept(";");
        if (peek().kind != TokenKind::End) unexpected();
        return st;
    }

private:
    const Token& peek(std::size_t ahead = 0) const { return tokens_.peek(ahead); }
    const Token& next() { return tokens_.next(); }
    bool accept(std::string_view word) { return tokens_.accept(word); }
    const Token& expect(std::string_view word)
    {
        if (!peek().is(word))
            throw DbError(errc::syntax, "Syntaxisfout: '" + std::string(word) + "' verwacht "
                                            + atPosition(peek().position) + ", maar " + describeToken(peek())
                                            + " gevonden.");
        return next();
    }
    [[noreturn]] void unexpected() const
    {
        const Token& t = peek();
        if (t.kind == TokenKind::End)
            throw DbError(errc::syntax, "Syntaxisfout: de opdracht is onvolledig " + atPosition(t.position) + ".");
        throw DbError(errc::syntax,
                      "Syntaxisfout: onverwacht " + describeToken(t) + " " + atPosition(t.position) + ".");
    }

    bool atName() const
    {
        const Token& t = peek();
        return t.kind == TokenKind::Name || (t.kind == TokenKind::Word && !isReserved(t));
    }
    std::string name()
    {
        if (!atName()) {
            const Token& t = peek();
            throw DbError(errc::syntax, "Syntaxisfout: naam verwacht " + atPosition(t.position) + ", maar "
                                            + describeToken(t) + " gevonden.");
        }
        return next().text;
    }

    // INSERT INTO t [(columns)] VALUES (...) | INSERT INTO t [(columns)] query
    void insert(Statement& st)
    {
        st.kind = Statement::Kind::Insert;
        Modification& m = st.modification.emplace();
        expect("INTO");
        m.position = peek().position;
        m.table = name();
        if (peek().is("(") && !peek(1).is("SELECT")) {
            next();
            do m.columns.push_back(columnName());
            while (accept(","));
            expect(")");
        }
        if (peek().is("VALUES")) {
            m.values = true;
            st.query = std::make_shared<Query>();
            Select& s = st.query->selects.emplace_back();
            s.position = next().position;
            expect("(");
            do {
                SelectItem item;
                item.position = peek().position;
                item.expr = expression();
                s.items.push_back(std::move(item));
            } while (accept(","));
            expect(")");
            return;
        }
        if (!peek().is("SELECT") && !peek().is("(") && !peek().is("TABLE"))
            throw DbError(errc::syntax, "Syntaxisfout in de INSERT INTO-opdracht: 'VALUES' of 'SELECT' verwacht "
                                            + atPosition(peek().position) + ", maar " + describeToken(peek())
                                            + " gevonden.");
        st.query = query(false);
    }

    // UPDATE and DELETE read the rows they change through one select that also yields their row ids.
    Select& rowChangingSelect(Statement& st, Statement::Kind kind)
    {
        st.kind = kind;
        Modification& m = st.modification.emplace();
        st.query = std::make_shared<Query>();
        Select& s = st.query->selects.emplace_back();
        s.position = m.position = peek().position;
        s.rowIds = true;
        accept("DISTINCTROW");
        return s;
    }

    // UPDATE [DISTINCTROW] tables SET column = value, ... [WHERE condition]
    void update(Statement& st)
    {
        Select& s = rowChangingSelect(st, Statement::Kind::Update);
        Modification& m = *st.modification;
        s.from.push_back(joinedTable());
        expect("SET");
        do {
            m.columns.push_back(columnName());
            expect("=");
            SelectItem item;
            item.position = peek().position;
            item.expr = expression();
            s.items.push_back(std::move(item));
        } while (accept(","));
        if (accept("WHERE")) s.where = expression();
    }

    // DELETE [DISTINCTROW] [table.* | * | fields] FROM tables [WHERE condition]
    void remove(Statement& st)
    {
        Select& s = rowChangingSelect(st, Statement::Kind::Delete);
        Modification& m = *st.modification;
        if (!peek().is("FROM")) {
            do {
                if (accept("*")) continue;
                const std::size_t at = peek().position;
                const std::string first = name();
                if (!accept(".")) continue;  // a field: Access deletes whole rows all the same
                if (!accept("*")) name();
                if (!m.table.empty() && !text::equalsIgnoreCase(m.table, first))
                    throw DbError(errc::syntax, "Een DELETE-opdracht kan maar uit één tabel verwijderen; '" + first
                                                    + "' " + atPosition(at) + " is een tweede.");
                m.table = first;
                m.position = at;
            } while (accept(","));
        }
        expect("FROM");
        s.from.push_back(joinedTable());
        if (accept("WHERE")) s.where = expression();
    }

    ColumnName columnName()
    {
        ColumnName c;
        c.position = peek().position;
        c.parts.push_back(name());
        if (accept(".")) c.parts.push_back(name());
        return c;
    }

    void parameterDecls(Statement& st)
    {
        do {
            ParameterDecl d;
            d.position = peek().position;
            if (peek().kind != TokenKind::Name && peek().kind != TokenKind::Word) unexpected();
            d.name = next().text;
            while (peek().is(".") || peek().is("!")) {  // [Forms]![frm]![ctl]
                d.name += next().text;
                d.name += name();
            }
            const Token& type = peek();
            const std::optional<DataType> dataType =
                type.kind == TokenKind::Word ? parameterType(type.text) : std::nullopt;
            if (!dataType)
                throw DbError(errc::syntax, "Onbekend gegevenstype " + describeToken(type) + " voor parameter '"
                                                + d.name + "' " + atPosition(type.position) + ".");
            d.typeName = next().text;
            d.dataType = *dataType;
            if (accept("(")) {  // Text (255)
                if (peek().kind != TokenKind::Number) unexpected();
                next();
                expect(")");
            }
            st.parameters.push_back(std::move(d));
        } while (accept(","));
        expect(";");
    }

    // query := [TRANSFORM expr] select {UNION [ALL] select} [ORDER BY ...] [PIVOT ...]
    std::shared_ptr<Query> query(bool topLevel)
    {
        Nesting guard(*this);
        auto q = std::make_shared<Query>();
        if (topLevel && accept("TRANSFORM")) {
            q->transform.emplace();
            q->transform->aggregate = expression();
            if (accept("AS")) q->transform->alias = name();
        }
        q->selects.push_back(unionPart(*q));
        while (accept("UNION")) {
            q->unionAll.push_back(accept("ALL"));
            q->selects.push_back(unionPart(*q));
        }
        if (accept("ORDER")) {
            expect("BY");
            do {
                OrderItem item;
                item.expr = expression();
                if (accept("DESC"))
                    item.descending = true;
                else
                    accept("ASC");
                q->orderBy.push_back(std::move(item));
            } while (accept(","));
        }
        if (q->transform) {
            expect("PIVOT");
            q->transform->pivot = expression();
            Expr& pivot = *q->transform->pivot;
            if (pivot.kind == Expr::Kind::InList && !pivot.negated) {  // PIVOT x IN (...) parses as a comparison
                for (std::size_t i = 1; i < pivot.args.size(); ++i)
                    q->transform->pivotIn.push_back(std::move(pivot.args[i]));
                ExprPtr value = std::move(pivot.args[0]);
                q->transform->pivot = std::move(value);
            } else if (accept("IN")) {
                expect("(");
                do q->transform->pivotIn.push_back(expression());
                while (accept(","));
                expect(")");
            }
            if (q->selects.size() != 1) throw DbError(errc::syntax, "Een kruistabelquery kan geen UNION bevatten.");
        }
        return q;
    }

    Select unionPart(Query& q)
    {
        if (peek().is("(") && peek(1).is("SELECT")) {
            next();
            auto inner = query(false);
            expect(")");
            if (inner->selects.size() != 1 || !inner->orderBy.empty())
                throw DbError(errc::syntax, "Syntaxisfout: een deel van een UNION tussen haakjes mag zelf geen UNION "
                                            "of ORDER BY bevatten "
                                                + atPosition(peek().position) + ".");
            return std::move(inner->selects.front());
        }
        if (peek().is("TABLE")) {  // TABLE name in a union stands for SELECT * FROM name
            Select s;
            s.position = next().position;
            SelectItem all;
            all.position = s.position;
            s.items.push_back(std::move(all));
            s.from.push_back(tableRef());
            return s;
        }
        (void)q;
        return select();
    }

    Select select()
    {
        Select s;
        s.position = expect("SELECT").position;
        if (accept("DISTINCT"))
            s.quantifier = Select::Quantifier::Distinct;
        else if (accept("DISTINCTROW"))
            s.quantifier = Select::Quantifier::DistinctRow;
        else
            accept("ALL");
        if (accept("TOP")) {
            const Token& n = peek();
            if (n.kind != TokenKind::Number)
                throw DbError(errc::syntax, "Syntaxisfout: een getal verwacht na TOP " + atPosition(n.position) + ".");
            s.top = std::stod(next().text);
            s.topPercent = accept("PERCENT");
        }
        do s.items.push_back(selectItem());
        while (accept(","));
        if (accept("INTO")) s.into = name();
        if (accept("FROM")) {
            do s.from.push_back(joinedTable());
            while (accept(","));
        }
        if (accept("WHERE")) s.where = expression();
        if (accept("GROUP")) {
            expect("BY");
            do s.groupBy.push_back(expression());
            while (accept(","));
        }
        if (accept("HAVING")) s.having = expression();
        return s;
    }

    SelectItem selectItem()
    {
        SelectItem item;
        item.position = peek().position;
        if (accept("*")) return item;
        if (atName() && peek(1).is(".") && peek(2).is("*")) {
            item.starTable = next().text;
            next();
            next();
            return item;
        }
        item.expr = expression();
        if (accept("AS")) item.alias = name();
        return item;
    }

    std::unique_ptr<TableRef> joinedTable()
    {
        auto left = tablePrimary();
        for (;;) {
            TableRef::JoinType type;
            const std::size_t at = peek().position;
            if (accept("INNER"))
                type = TableRef::JoinType::Inner;
            else if (accept("LEFT"))
                type = TableRef::JoinType::Left;
            else if (accept("RIGHT"))
                type = TableRef::JoinType::Right;
            else if (peek().is("JOIN"))
                throw DbError(errc::syntax, "Syntaxisfout in de JOIN-bewerking " + atPosition(at)
                                                + ": INNER, LEFT of RIGHT verwacht voor JOIN.");
            else
                return left;
            if (type != TableRef::JoinType::Inner) accept("OUTER");
            expect("JOIN");
            auto join = std::make_unique<TableRef>();
            join->kind = TableRef::Kind::Join;
            join->position = at;
            join->joinType = type;
            join->left = std::move(left);
            join->right = tablePrimary();
            expect("ON");
            join->on = expression();
            left = std::move(join);
        }
    }

    std::unique_ptr<TableRef> tablePrimary()
    {
        Nesting guard(*this);
        const std::size_t at = peek().position;
        if (accept("(")) {
            if (peek().is("SELECT")) {
                auto ref = std::make_unique<TableRef>();
                ref->kind = TableRef::Kind::Subquery;
                ref->position = at;
                ref->query = query(false);
                expect(")");
                ref->alias = alias();
                return ref;
            }
            auto inner = joinedTable();
            expect(")");
            return inner;
        }
        return tableRef();
    }

    std::unique_ptr<TableRef> tableRef()
    {
        auto ref = std::make_unique<TableRef>();
        ref->position = peek().position;
        const Token& t = peek();
        if (t.kind == TokenKind::Name && t.text.size() > 7 && text::equalsIgnoreCase(t.text.substr(0, 7), "select ")) {
            // The old form of a derived table: [SELECT ...]. AS alias
            ref->kind = TableRef::Kind::Subquery;
            Statement inner = Parser(next().text).statement();
            if (!inner.parameters.empty() || inner.kind != Statement::Kind::Select)
                throw DbError(errc::syntax, "Ongeldige subquery " + atPosition(ref->position) + ".");
            ref->query = inner.query;
            accept(".");
            ref->alias = alias();
            return ref;
        }
        ref->name = name();
        ref->alias = alias();
        return ref;
    }

    std::string alias()
    {
        if (accept("AS")) return name();
        if (atName()) return next().text;
        return {};
    }

    // Nesting is bounded so that no statement text can exhaust the stack.
    class Nesting {
    public:
        explicit Nesting(Parser& p) : p_(p)
        {
            if (++p_.depth_ > maxDepth)
                throw DbError(errc::syntax, "De opdracht is te diep genest " + atPosition(p_.peek().position) + ".");
        }
        ~Nesting() { --p_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        static constexpr int maxDepth = 200;
        Parser& p_;
    };

    // Expressions, from the loosest operator to the tightest.
    ExprPtr expression()
    {
        Nesting guard(*this);
        return binaryLevel(0);
    }

    // Long operator chains nest without recursion in the parser; their depth is bounded here so that
    // translating and freeing the tree stays within the stack.
    static ExprPtr bounded(ExprPtr e)
    {
        for (const ExprPtr& a : e->args)
            if (a) e->depth = std::max(e->depth, a->depth + 1);
        if (e->depth > 1000)
            throw DbError(errc::syntax, "De expressie " + atPosition(e->position) + " is te lang of te diep genest.");
        return e;
    }

    ExprPtr makeBinary(std::string op, ExprPtr l, ExprPtr r, std::size_t at)
    {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Binary;
        e->op = std::move(op);
        e->position = at;
        e->args.push_back(std::move(l));
        e->args.push_back(std::move(r));
        return bounded(std::move(e));
    }

    ExprPtr binaryLevel(int level)
    {
        static const char* const logical[] = {"IMP", "EQV", "XOR", "OR", "AND"};
        if (level == 5) return notLevel();
        ExprPtr left = binaryLevel(level + 1);
        while (peek().is(logical[level])) {
            const std::size_t at = next().position;
            left = makeBinary(logical[level], std::move(left), binaryLevel(level + 1), at);
        }
        return left;
    }

    ExprPtr notLevel()
    {
        Nesting guard(*this);  // Not Not Not x
        if (peek().is("NOT") && !peek(1).is("EXISTS")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::Unary;
            e->op = "NOT";
            e->position = next().position;
            e->args.push_back(notLevel());
            return bounded(std::move(e));
        }
        return comparison();
    }

    ExprPtr comparison()
    {
        ExprPtr left = concatenation();
        for (;;) {
            const Token& t = peek();
            const std::size_t at = t.position;
            static const char* const ops[] = {"=", "<>", "<", ">", "<=", ">=", "!="};
            if (t.kind == TokenKind::Symbol
                && std::any_of(std::begin(ops), std::end(ops), [&](const char* o) { return t.text == o; })) {
                std::string op = next().text == "!=" ? "<>" : t.text;
                if (peek().is("ANY") || peek().is("SOME") || peek().is("ALL")) {
                    auto e = std::make_unique<Expr>();
                    e->kind = Expr::Kind::Quantified;
                    e->position = at;
                    e->op = op;
                    e->quantifier = next().is("ALL") ? "ALL" : "ANY";
                    expect("(");
                    e->query = query(false);
                    expect(")");
                    e->args.push_back(std::move(left));
                    left = bounded(std::move(e));
                } else {
                    left = makeBinary(op, std::move(left), concatenation(), at);
                }
                continue;
            }
            bool negated = false;
            if (t.is("NOT") && (peek(1).is("LIKE") || peek(1).is("BETWEEN") || peek(1).is("IN"))) {
                next();
                negated = true;
            }
            if (accept("LIKE")) {
                left = makeBinary("LIKE", std::move(left), concatenation(), at);
                left->negated = negated;
            } else if (accept("BETWEEN")) {
                auto e = std::make_unique<Expr>();
                e->kind = Expr::Kind::Between;
                e->position = at;
                e->negated = negated;
                e->args.push_back(std::move(left));
                e->args.push_back(concatenation());
                expect("AND");
                e->args.push_back(concatenation());
                left = bounded(std::move(e));
            } else if (accept("IN")) {
                auto e = std::make_unique<Expr>();
                e->position = at;
                e->negated = negated;
                e->args.push_back(std::move(left));
                expect("(");
                if (peek().is("SELECT")) {
                    e->kind = Expr::Kind::InQuery;
                    e->query = query(false);
                } else {
                    e->kind = Expr::Kind::InList;
                    do e->args.push_back(expression());
                    while (accept(","));
                }
                expect(")");
                left = bounded(std::move(e));
            } else if (accept("IS")) {
                auto e = std::make_unique<Expr>();
                e->kind = Expr::Kind::IsNull;
                e->position = at;
                e->negated = accept("NOT");
                expect("NULL");
                e->args.push_back(std::move(left));
                left = bounded(std::move(e));
            } else {
                return left;
            }
        }
    }

    ExprPtr leftAssociative(const std::vector<const char*>& ops, ExprPtr (Parser::*operand)())
    {
        ExprPtr left = (this->*operand)();
        for (;;) {
            const Token& t = peek();
            const auto hit = std::find_if(ops.begin(), ops.end(), [&](const char* o) { return t.is(o); });
            if (hit == ops.end()) return left;
            const std::size_t at = next().position;
            std::string op = *hit;
            left = makeBinary(op, std::move(left), (this->*operand)(), at);
        }
    }
    ExprPtr concatenation() { return leftAssociative({"&"}, &Parser::additive); }
    ExprPtr additive() { return leftAssociative({"+", "-"}, &Parser::modulo); }
    ExprPtr modulo() { return leftAssociative({"MOD"}, &Parser::intDivision); }
    ExprPtr intDivision() { return leftAssociative({"\\"}, &Parser::multiplicative); }
    ExprPtr multiplicative() { return leftAssociative({"*", "/"}, &Parser::unary); }

    ExprPtr unary()
    {
        Nesting guard(*this);  // - - - - 1
        if (peek().is("-") || peek().is("+")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::Unary;
            e->op = peek().text;
            e->position = next().position;
            e->args.push_back(unary());
            return bounded(std::move(e));
        }
        return power();
    }

    ExprPtr power()
    {
        ExprPtr left = primary();
        while (peek().is("^")) {
            const std::size_t at = next().position;
            // -2^2 is -(2^2); 2^-1 is allowed
            ExprPtr right = peek().is("-") || peek().is("+") ? unary() : primary();
            left = makeBinary("^", std::move(left), std::move(right), at);
        }
        return left;
    }

    ExprPtr primary()
    {
        const Token& t = peek();
        auto e = std::make_unique<Expr>();
        e->position = t.position;
        switch (t.kind) {
        case TokenKind::Number:
            e->kind = Expr::Kind::Number;
            e->text = next().text;
            return e;
        case TokenKind::String:
            e->kind = Expr::Kind::String;
            e->text = next().text;
            return e;
        case TokenKind::Date:
            e->kind = Expr::Kind::Date;
            e->text = next().text;
            return e;
        case TokenKind::End: unexpected();
        default: break;
        }
        if (accept("(")) {
            if (peek().is("SELECT")) {
                e->kind = Expr::Kind::Subquery;
                e->query = query(false);
            } else {
                e = expression();
            }
            expect(")");
            return e;
        }
        for (const char* w : {"TRUE", "YES", "ON"})
            if (t.is(w)) {
                next();
                e->kind = Expr::Kind::Boolean;
                e->boolean = true;
                return e;
            }
        for (const char* w : {"FALSE", "NO", "OFF"})
            if (t.is(w)) {
                next();
                e->kind = Expr::Kind::Boolean;
                return e;
            }
        if (accept("NULL")) {
            e->kind = Expr::Kind::Null;
            return e;
        }
        if (peek().is("NOT") && peek(1).is("EXISTS")) {
            next();
            e->negated = true;
        }
        if (accept("EXISTS")) {
            e->kind = Expr::Kind::Exists;
            expect("(");
            e->query = query(false);
            expect(")");
            return e;
        }
        // A function name followed by "(" is a call even when the name is also a keyword (Left, Asc, ...).
        const bool keywordCall = t.kind == TokenKind::Word && peek(1).is("(") && findFunctionType(t.text);
        if (!atName() && !keywordCall) unexpected();
        const bool bracketed = t.kind == TokenKind::Name;
        std::string first = next().text;
        if (!bracketed && peek().is("(")) {
            next();
            e->kind = Expr::Kind::Call;
            e->text = first;
            if (accept("*"))
                e->star = true;
            else if (!peek().is(")")) {
                do e->args.push_back(expression());
                while (accept(","));
            }
            expect(")");
            return bounded(std::move(e));
        }
        e->kind = Expr::Kind::Name;
        e->parts.push_back(first);
        e->text = first;
        while ((peek().is(".") || peek().is("!"))
               && (peek(1).kind == TokenKind::Name || peek(1).kind == TokenKind::Word)) {
            e->text += next().text;
            e->parts.push_back(next().text);
            e->text += e->parts.back();
        }
        return e;
    }

    TokenCursor tokens_;
    int depth_ = 0;
};

}  // namespace

Statement parseStatement(std::string_view text)
{
    return Parser(text).statement();
}

}  // namespace querimo::sql
