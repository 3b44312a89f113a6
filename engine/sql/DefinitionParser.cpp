#include "sql/DefinitionParser.h"

#include <cctype>
#include <cstdlib>

#include "core/Error.h"
#include "core/Text.h"
#include "sql/DataTypes.h"
#include "sql/Lexer.h"
#include "sql/TokenCursor.h"

namespace querimo::sql {

namespace {

using jet::ColumnType;

const TypeWord* typeWord(const Token& t)
{
    return t.kind == TokenKind::Word ? sql::typeWord(t.text) : nullptr;
}

[[noreturn]] void fail(const std::string& what, std::size_t position)
{
    throw DbError(errc::syntax, what + " " + atPosition(position) + ".");
}

// Names Access accepts for tables, columns, indexes and queries.
void checkObjectName(const std::string& name, std::size_t position)
{
    if (name.size() > 64) fail("De naam '" + name + "' is langer dan 64 tekens", position);
    if (name.front() == ' ') fail("De naam '" + name + "' begint met een spatie", position);
    for (const char c : name)
        if (c == '.' || c == '!' || c == '`' || c == '[' || c == ']' || static_cast<unsigned char>(c) < 0x20)
            fail("De naam '" + name + "' bevat een teken dat in namen niet is toegestaan", position);
}

class DefinitionParser : private TokenCursor {
public:
    explicit DefinitionParser(std::string_view text) : TokenCursor(tokenize(text)) {}

    DefinitionStatement statement()
    {
        DefinitionStatement st;
        if (accept("CREATE"))
            create(st);
        else if (accept("ALTER"))
            alter(st);
        else if (accept("DROP"))
            drop(st);
        else
            fail("Syntaxisfout: 'CREATE', 'ALTER' of 'DROP' verwacht, maar " + describeToken(peek()) + " gevonden",
                 peek().position);
        if (st.kind != DefinitionStatement::Kind::CreateView) {
            accept(";");
            if (peek().kind != TokenKind::End)
                fail("Syntaxisfout: onverwacht " + describeToken(peek()) + " na het einde van de opdracht",
                     peek().position);
        }
        return st;
    }

private:
    using Kind = DefinitionStatement::Kind;

    const Token& expect(std::string_view word)
    {
        if (!peek().is(word))
            fail("Syntaxisfout: '" + std::string(word) + "' verwacht, maar " + describeToken(peek()) + " gevonden",
                 peek().position);
        return next();
    }
    [[noreturn]] void expected(const std::string& what) const
    {
        fail("Syntaxisfout: " + what + " verwacht, maar " + describeToken(peek()) + " gevonden", peek().position);
    }

    std::string name(const char* what, std::size_t* position = nullptr)
    {
        const Token& t = peek();
        if (t.kind != TokenKind::Name && t.kind != TokenKind::Word) expected(what);
        if (position) *position = t.position;
        next();
        checkObjectName(t.text, t.position);
        return t.text;
    }

    int number(const char* what)
    {
        const Token& t = peek();
        if (t.kind != TokenKind::Number || t.text.find_first_not_of("0123456789") != std::string::npos
            || t.text.size() > 9)
            expected(what);
        return std::atoi(next().text.c_str());
    }

    void create(DefinitionStatement& st)
    {
        if (accept("TABLE")) {
            st.kind = Kind::CreateTable;
            st.object = name("een tabelnaam", &st.objectPosition);
            expect("(");
            do tableElement(st);
            while (accept(","));
            expect(")");
            if (st.columns.empty()) fail("Een tabel heeft ten minste één kolom nodig", st.objectPosition);
            for (std::size_t i = 1; i < st.columns.size(); ++i)
                for (std::size_t j = 0; j < i; ++j)
                    if (text::equalsIgnoreCase(st.columns[i].column.name, st.columns[j].column.name))
                        fail("De kolom '" + st.columns[i].column.name + "' staat twee keer in de tabel",
                             st.columns[i].position);
        } else if (peek().is("UNIQUE") || peek().is("INDEX")) {
            st.kind = Kind::CreateIndex;
            st.unique = accept("UNIQUE");
            expect("INDEX");
            st.name = name("een indexnaam", &st.namePosition);
            expect("ON");
            st.object = name("een tabelnaam", &st.objectPosition);
            st.indexColumns = keyColumns(true);
            if (accept("WITH")) indexOptions(st);
        } else if (accept("VIEW")) {
            st.kind = Kind::CreateView;
            st.object = name("een naam voor de view", &st.objectPosition);
            if (accept("(")) {
                do st.viewColumns.push_back(name("een kolomnaam"));
                while (accept(","));
                expect(")");
            }
            expect("AS");
            if (!peek().is("SELECT")) expected("'SELECT'");
            st.queryPosition = peek().position;
            st.queryOffset = peek().offset;
        } else {
            expected("'TABLE', 'INDEX', 'UNIQUE' of 'VIEW'");
        }
    }

    void alter(DefinitionStatement& st)
    {
        if (accept("DATABASE")) {
            st.kind = Kind::DatabasePassword;
            expect("PASSWORD");
            st.newPassword = password();
            st.oldPassword = password();
            return;
        }
        if (!accept("TABLE")) expected("'TABLE' of 'DATABASE'");
        st.object = name("een tabelnaam", &st.objectPosition);
        if (accept("ADD")) {
            if (peek().is("CONSTRAINT") || peek().is("PRIMARY") || peek().is("UNIQUE") || peek().is("FOREIGN")) {
                st.kind = Kind::AddConstraint;
                st.constraints.push_back(tableConstraint());
            } else {
                st.kind = Kind::AddColumn;
                accept("COLUMN");
                columnDefinition(st);
            }
        } else if (accept("DROP")) {
            if (accept("CONSTRAINT")) {
                st.kind = Kind::DropConstraint;
                st.name = name("een naam van een beperking", &st.namePosition);
            } else {
                st.kind = Kind::DropColumn;
                accept("COLUMN");
                st.name = name("een kolomnaam", &st.namePosition);
            }
        } else if (accept("ALTER")) {
            st.kind = Kind::AlterColumn;
            accept("COLUMN");
            columnDefinition(st);
            if (!st.constraints.empty())
                fail("Een beperking kan niet met ALTER COLUMN worden toegevoegd; gebruik ADD CONSTRAINT",
                     st.constraints.front().position);
        } else {
            expected("'ADD', 'DROP' of 'ALTER'");
        }
    }

    void drop(DefinitionStatement& st)
    {
        if (accept("TABLE")) {
            st.kind = Kind::DropTable;
            st.object = name("een tabelnaam", &st.objectPosition);
        } else if (accept("VIEW")) {
            st.kind = Kind::DropView;
            st.object = name("een naam van een view", &st.objectPosition);
        } else if (accept("INDEX")) {
            st.kind = Kind::DropIndex;
            st.name = name("een indexnaam", &st.namePosition);
            expect("ON");
            st.object = name("een tabelnaam", &st.objectPosition);
        } else {
            expected("'TABLE', 'INDEX' of 'VIEW'");
        }
    }

    // A password is a word, a [bracketed] name, a 'text', or Null for none.
    std::string password()
    {
        const Token& t = peek();
        if (t.is("NULL")) {
            next();
            return {};
        }
        if (t.kind != TokenKind::Word && t.kind != TokenKind::Name && t.kind != TokenKind::String)
            expected("een wachtwoord of Null");
        if (t.text.size() > 20) fail("Een databasewachtwoord is ten hoogste 20 tekens lang", t.position);
        return next().text;
    }

    void tableElement(DefinitionStatement& st)
    {
        if (peek().is("CONSTRAINT") || peek().is("PRIMARY") || peek().is("UNIQUE") || peek().is("FOREIGN"))
            st.constraints.push_back(tableConstraint());
        else
            columnDefinition(st);
    }

    void columnDefinition(DefinitionStatement& st)
    {
        ColumnClause c;
        c.column.name = name("een kolomnaam", &c.position);
        columnType(c);
        for (;;) {
            if (accept("NOT")) {
                expect("NULL");
                c.column.required = true;
            } else if (accept("NULL")) {
                c.column.required = false;
            } else if (accept("DEFAULT")) {
                c.column.defaultValue = defaultLiteral();
            } else if (peek().is("CONSTRAINT") || peek().is("PRIMARY") || peek().is("UNIQUE")
                       || peek().is("REFERENCES")) {
                ConstraintClause k = columnConstraint();
                k.columns.push_back({c.column.name, true, c.position});
                st.constraints.push_back(std::move(k));
            } else if (accept("WITH")) {  // WITH COMPRESSION: Jet 4 compresses text where it can anyway
                if (!accept("COMPRESSION") && !accept("COMP")) expected("'COMPRESSION'");
            } else {
                break;
            }
        }
        st.columns.push_back(std::move(c));
    }

    void columnType(ColumnClause& c)
    {
        const Token& t = peek();
        const TypeWord* w = typeWord(t);
        if (!w) fail("Onbekend gegevenstype " + describeToken(t) + " voor kolom '" + c.column.name + "'", t.position);
        next();
        jet::ColumnDef& col = c.column;
        col.type = w->type;
        col.size = accessType(w->type).size;
        col.autoNumber = w->autoNumber;
        if (t.is("CHARACTER")) accept("VARYING");
        if ((col.type == ColumnType::Text || col.type == ColumnType::Binary) && accept("(")) {
            const std::size_t at = peek().position;
            col.size = number("een veldlengte");
            const int most = col.type == ColumnType::Text ? 255 : 510;
            if (col.size < 1 || col.size > most)
                fail("De veldlengte van kolom '" + col.name + "' moet tussen 1 en " + std::to_string(most) + " liggen",
                     at);
            expect(")");
        } else if (col.type == ColumnType::Decimal) {
            col.precision = 18;
            col.scale = 0;
            if (accept("(")) {
                const std::size_t at = peek().position;
                col.precision = number("een precisie");
                if (col.precision < 1 || col.precision > 28)
                    fail("De precisie van kolom '" + col.name + "' moet tussen 1 en 28 liggen", at);
                if (accept(",")) {
                    const std::size_t scaleAt = peek().position;
                    col.scale = number("een schaal");
                    if (col.scale > col.precision)
                        fail("De schaal van kolom '" + col.name + "' is groter dan de precisie", scaleAt);
                }
                expect(")");
            }
        } else if (col.autoNumber && accept("(")) {
            c.seed = signedNumber("een beginwaarde");
            expect(",");
            c.increment = signedNumber("een stapgrootte");
            if (c.increment == 0) fail("De stapgrootte van een AutoNummering kan niet 0 zijn", peek().position);
            expect(")");
        }
        col.fixed = fixedLength(col.type);
    }

    int signedNumber(const char* what)
    {
        const bool negative = accept("-");
        const int n = number(what);
        return negative ? -n : n;
    }

    // DEFAULT takes a literal; kept as Access stores a default value (text in double quotes).
    std::string defaultLiteral()
    {
        const Token& t = peek();
        if (t.is("-") && peek(1).kind == TokenKind::Number) {
            next();
            return "-" + next().text;
        }
        switch (t.kind) {
        case TokenKind::Number: return next().text;
        case TokenKind::Date: return "#" + next().text + "#";
        case TokenKind::String: {
            std::string out = "\"";
            for (const char ch : next().text) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
            return out + "\"";
        }
        default: break;
        }
        for (const char* w : {"TRUE", "FALSE", "YES", "NO", "ON", "OFF", "NULL"})
            if (t.is(w)) return next().text;
        expected("een vaste waarde na DEFAULT");
    }

    ConstraintClause columnConstraint()
    {
        ConstraintClause k;
        k.position = peek().position;
        if (accept("CONSTRAINT")) k.name = name("een naam voor de beperking");
        if (accept("PRIMARY")) {
            expect("KEY");
            k.kind = ConstraintClause::Kind::PrimaryKey;
        } else if (accept("UNIQUE")) {
            k.kind = ConstraintClause::Kind::Unique;
        } else if (peek().is("REFERENCES")) {
            k.kind = ConstraintClause::Kind::ForeignKey;
            references(k);
        } else {
            expected("'PRIMARY KEY', 'UNIQUE' of 'REFERENCES'");
        }
        return k;
    }

    ConstraintClause tableConstraint()
    {
        ConstraintClause k;
        k.position = peek().position;
        if (accept("CONSTRAINT")) k.name = name("een naam voor de beperking");
        if (accept("PRIMARY")) {
            expect("KEY");
            k.kind = ConstraintClause::Kind::PrimaryKey;
            k.columns = keyColumns(false);
        } else if (accept("UNIQUE")) {
            k.kind = ConstraintClause::Kind::Unique;
            k.columns = keyColumns(false);
        } else if (accept("FOREIGN")) {
            expect("KEY");
            k.kind = ConstraintClause::Kind::ForeignKey;
            k.columns = keyColumns(false);
            references(k);
            if (!k.referencedColumns.empty() && k.referencedColumns.size() != k.columns.size())
                fail("De FOREIGN KEY noemt " + std::to_string(k.columns.size()) + " kolom(men), REFERENCES "
                         + std::to_string(k.referencedColumns.size()),
                     k.referencePosition);
        } else {
            expected("'PRIMARY KEY', 'UNIQUE' of 'FOREIGN KEY'");
        }
        return k;
    }

    void references(ConstraintClause& k)
    {
        k.referencePosition = expect("REFERENCES").position;
        k.referencedTable = name("een tabelnaam");
        if (accept("(")) {
            do k.referencedColumns.push_back(name("een kolomnaam"));
            while (accept(","));
            expect(")");
        }
        bool updateSeen = false, deleteSeen = false;
        while (peek().is("ON")) {
            const std::size_t at = next().position;
            const bool update = accept("UPDATE");
            if (!update) expect("DELETE");
            if (update ? updateSeen : deleteSeen)
                fail("ON " + std::string(update ? "UPDATE" : "DELETE") + " staat er twee keer", at);
            (update ? updateSeen : deleteSeen) = true;
            if (accept("CASCADE")) {
                (update ? k.actions.cascadeUpdates : k.actions.cascadeDeletes) = true;
            } else if (!update && accept("SET")) {
                expect("NULL");
                k.actions.cascadeNull = true;
            } else if (accept("NO")) {
                expect("ACTION");
            } else {
                expected(update ? "'CASCADE' of 'NO ACTION'" : "'CASCADE', 'SET NULL' of 'NO ACTION'");
            }
        }
    }

    std::vector<KeyColumn> keyColumns(bool withOrder)
    {
        std::vector<KeyColumn> out;
        expect("(");
        do {
            KeyColumn c;
            c.name = name("een kolomnaam", &c.position);
            if (withOrder) {
                if (accept("DESC"))
                    c.ascending = false;
                else
                    accept("ASC");
            }
            for (const KeyColumn& earlier : out)
                if (text::equalsIgnoreCase(earlier.name, c.name))
                    fail("De kolom '" + c.name + "' staat twee keer in de sleutel", c.position);
            out.push_back(std::move(c));
        } while (accept(","));
        expect(")");
        if (out.size() > 10) fail("Een index heeft ten hoogste 10 kolommen", out[10].position);
        return out;
    }

    void indexOptions(DefinitionStatement& st)
    {
        do {
            if (accept("PRIMARY"))
                st.primary = true;
            else if (accept("DISALLOW")) {
                expect("NULL");
                st.disallowNull = true;
            } else if (accept("IGNORE")) {
                expect("NULL");
                st.ignoreNull = true;
            } else {
                expected("'PRIMARY', 'DISALLOW NULL' of 'IGNORE NULL'");
            }
        } while (!peek().is(";") && peek().kind != TokenKind::End);
    }
};

}  // namespace

std::string withoutLeadingComments(std::string_view text)
{
    std::string out(text);
    std::size_t i = 0;
    for (;;) {
        while (i < out.size() && std::isspace(static_cast<unsigned char>(out[i]))) ++i;
        std::size_t end = i;
        if (out.compare(i, 2, "--") == 0)
            end = out.find('\n', i);
        else if (out.compare(i, 2, "/*") == 0) {
            end = out.find("*/", i + 2);
            if (end != std::string::npos) end += 2;
        } else
            return out;
        if (end == std::string::npos) end = out.size();
        for (std::size_t k = i; k < end; ++k)
            if (out[k] != '\n') out[k] = ' ';
        i = end;
    }
}

DefinitionStatement parseDefinition(std::string_view text)
{
    return DefinitionParser(withoutLeadingComments(text)).statement();
}

}  // namespace querimo::sql
