// Stored select queries dumped as PostgreSQL views: the script loads into a real PostgreSQL 15 server, and each
// view there gives the rows querimo-sql gives for the same query. What does not translate stays a comment with a
// warning that names the query and why.
#include <gtest/gtest.h>

#include <memory>

#include "cli/DumpSql.h"
#include "dump_postgres_support.h"
#include "dump_support.h"
#include "support/PostgresServer.h"

namespace querimo::test {
namespace {

class DumpPostgreSqlViews : public WithPostgresServer {
protected:
    // Dumps database into a new server database; the dump's warnings.
    std::string load(const std::string& database, const std::string& name)
    {
        const ProcessResult dump = runProcess({querimoSqlPath(), database, "--dump", "postgresql"});
        EXPECT_EQ(dump.exitCode, 0) << dump.err;
        script = dump.out;
        server->createDatabase(name);
        const ProcessResult loaded = server->psql(name, {"-f", scratch.write(name + ".sql", dump.out)});
        EXPECT_EQ(loaded.exitCode, 0) << loaded.err;
        return dump.err;
    }

    std::vector<std::string> serverViews(const std::string& name) const
    {
        const ProcessResult views = server->psql(
            name, {"-At", "-c", "SELECT table_name FROM information_schema.views WHERE table_schema = 'public'"});
        EXPECT_EQ(views.exitCode, 0) << views.err;
        return sortedLines(views.out);
    }

    // The view's rows in the server and querimo-sql's answer for it agree, in order where the view sorts.
    void sameRows(const std::string& database, const std::string& name, const std::string& view) const
    {
        SCOPED_TRACE(view);
        const std::string relation = cli::quoteIdentifier(view);
        const ProcessResult columns =
            server->psql(name, {"-At", "-F", "\t", "-c",
                                "SELECT attname, format_type(atttypid, atttypmod) FROM pg_attribute WHERE attrelid = "
                                    + cli::quoteLiteral(relation) + "::regclass AND attnum > 0 ORDER BY attnum"});
        ASSERT_EQ(columns.exitCode, 0) << columns.err;
        std::string select;
        std::vector<std::string> columnNames;
        for (const std::string& line : textLines(columns.out)) {
            const std::size_t tab = line.find('\t');
            columnNames.push_back(line.substr(0, tab));
            select += (select.empty() ? "" : ", ")
                      + exportFormOfType(cli::quoteIdentifier(line.substr(0, tab)), line.substr(tab + 1));
        }
        const ProcessResult rows =
            server->psql(name, {"-c", "COPY (SELECT " + select + " FROM " + relation + ") TO STDOUT"});
        ASSERT_EQ(rows.exitCode, 0) << rows.err;
        const ProcessResult ours = runProcess({querimoSqlPath(), database, "SELECT * FROM [" + view + "]"});
        ASSERT_EQ(ours.exitCode, 0) << ours.err;
        std::vector<std::string> expected = textLines(ours.out);
        expected.erase(expected.begin());  // the header
        std::vector<std::string> actual = exportedLines(rows.out);
        // Rows that tie on the sort keys may come in any order: the keys' values must come in the same order.
        // Access sorts accented letters with their plain letter, the server by its own collation: keys with
        // them are left out of that comparison.
        const std::vector<std::size_t> keys = sortKeys(view, columnNames);
        const auto plainKeys = [&](const std::vector<std::string>& lines) {
            std::vector<std::string> out = projected(lines, keys);
            std::erase_if(out, [](const std::string& line) {
                return std::any_of(line.begin(), line.end(),
                                   [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
            });
            return out;
        };
        EXPECT_EQ(plainKeys(actual), plainKeys(expected));
        std::sort(expected.begin(), expected.end());
        std::sort(actual.begin(), actual.end());
        EXPECT_EQ(actual, expected);
    }

    // The positions of the columns the view sorts on, from its ORDER BY in the script; none when it does not sort.
    std::vector<std::size_t> sortKeys(const std::string& view, const std::vector<std::string>& columns) const
    {
        const std::size_t start = script.find("CREATE VIEW " + cli::quoteIdentifier(view) + " ");
        const std::string statement = script.substr(start, script.find(";\n", start) - start);
        const std::size_t order = statement.rfind(" ORDER BY ");
        std::vector<std::size_t> keys;
        if (order == std::string::npos) return keys;
        for (std::size_t at = order; (at = statement.find('"', at)) != std::string::npos;) {
            const std::size_t end = statement.find('"', at + 1);
            const std::string name = statement.substr(at + 1, end - at - 1);
            at = end + 1;
            if (at < statement.size() && statement[at] == '.') continue;  // a table's name
            const auto column = std::find(columns.begin(), columns.end(), name);
            EXPECT_NE(column, columns.end()) << name;
            keys.push_back(static_cast<std::size_t>(column - columns.begin()));
        }
        return keys;
    }

    static std::vector<std::string> projected(const std::vector<std::string>& rows,
                                              const std::vector<std::size_t>& keys)
    {
        std::vector<std::string> out;
        for (const std::string& row : rows) {
            std::vector<std::string> fields{""};
            for (char c : row) {
                if (c == '\t')
                    fields.emplace_back();
                else
                    fields.back().push_back(c);
            }
            std::string key;
            for (std::size_t k : keys) key += fields.at(k) + '\t';
            out.push_back(key);
        }
        return out;
    }

    ScratchDir scratch;
    std::string script;
};

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Views of every kind the translation handles, over text of mixed case, Nulls, dates and money.
std::string madeViews(const ScratchDir& scratch)
{
    return scratch.database(
        jet::Version::Jet4,
        {"CREATE TABLE Persoon (Nr COUNTER CONSTRAINT pk PRIMARY KEY, Naam TEXT(50), Plaats TEXT(50), "
         "Geboren DATETIME, Lengte DOUBLE, Saldo CURRENCY, Actief YESNO, Punten SHORT)",
         "CREATE TABLE Bezoek (Id COUNTER CONSTRAINT pkb PRIMARY KEY, PersoonNr LONG, Datum DATETIME, Bedrag CURRENCY)",
         "INSERT INTO Persoon (Naam, Plaats, Geboren, Lengte, Saldo, Actief, Punten) "
         "VALUES ('Anna', 'Amsterdam', #1980-05-17#, 1.72, 12.5, True, 7)",
         "INSERT INTO Persoon (Naam, Plaats, Geboren, Lengte, Saldo, Actief, Punten) "
         "VALUES ('bert', 'amsterdam', #1975-12-01 08:30:00#, 1.85, -3.25, False, 12)",
         "INSERT INTO Persoon (Naam, Plaats, Geboren, Lengte, Saldo, Actief, Punten) "
         "VALUES ('Carla', 'Utrecht', Null, Null, 0, True, Null)",
         "INSERT INTO Persoon (Naam, Plaats, Geboren, Lengte, Saldo, Actief, Punten) "
         "VALUES ('dirk', Null, #2001-02-28#, 1.6, 1000.125, False, 3)",
         "INSERT INTO Bezoek (PersoonNr, Datum, Bedrag) VALUES (1, #2024-03-01#, 20)",
         "INSERT INTO Bezoek (PersoonNr, Datum, Bedrag) VALUES (1, #2024-03-05 14:00:00#, 2.5)",
         "INSERT INTO Bezoek (PersoonNr, Datum, Bedrag) VALUES (2, #2024-04-01#, 7.25)",
         // read by a view written before it in the catalog: made again after that view
         "CREATE VIEW [Per persoon] AS SELECT PersoonNr, Sum(Bedrag) AS Totaal FROM Bezoek GROUP BY PersoonNr",
         "CREATE VIEW [Goede klanten] AS SELECT DISTINCT p.Naam FROM Persoon AS p INNER JOIN [Per persoon] AS t "
         "ON p.Nr = t.PersoonNr WHERE t.Totaal > 10",
         "DROP VIEW [Per persoon]",
         "CREATE VIEW [Per persoon] AS SELECT PersoonNr, Sum(Bedrag) AS Totaal FROM Bezoek GROUP BY PersoonNr",
         "CREATE VIEW Tekst AS SELECT Nr, UCase(Naam) AS Groot, LCase(Naam) AS Klein, Len(Naam) AS Lang, "
         "Left(Naam, 2) AS Begin, Right(Naam, 2) AS Eind, Mid(Naam, 2, 2) AS Midden, Trim('  ' & Naam & ' ') AS Kaal, "
         "Naam & ' uit ' & Nz(Plaats, '?') AS Zin, Naam & Saldo AS Bedrag FROM Persoon",
         "CREATE VIEW Amsterdammers AS SELECT Naam FROM Persoon WHERE Plaats = 'AMSTERDAM'",
         "CREATE VIEW Patronen AS SELECT Naam FROM Persoon WHERE Naam Like '?[a-e]*' OR Plaats Like '*ECHT' "
         "OR Naam Like 'D#*' OR Naam Between 'b' And 'C'",
         "CREATE VIEW Rekenen AS SELECT Nr, Punten \\ 5 AS Deel, Punten Mod 5 AS Rest, 2 ^ 3 AS Macht, "
         "Saldo * 2 AS Dubbel, Lengte / 2 AS Half, IIf(Actief, 'ja', 'nee') AS Status, -Punten AS Min "
         "FROM Persoon WHERE Punten Is Not Null AND Actief = -1 OR Nr In (2, 4)",
         "CREATE VIEW Datums AS SELECT Nr, Year(Geboren) AS Jaar, Month(Geboren) AS Maand, Day(Geboren) AS Dag, "
         "DateAdd('m', 1, Geboren) AS Later, DateDiff('d', Geboren, #2024-01-01#) AS Dagen, "
         "Format(Geboren, 'yyyy-mm-dd') AS Tekst, Geboren + 1 AS Morgen FROM Persoon WHERE Geboren < #1/1/2000#",
         "CREATE VIEW [Per soort] AS SELECT Actief, Count(*) AS Aantal, Sum(Saldo) AS Totaal, Max(Naam) AS Laatste "
         "FROM Persoon GROUP BY Actief HAVING Count(*) >= 1",
         "CREATE VIEW [Top twee] AS SELECT TOP 2 Naam, Saldo FROM Persoon ORDER BY Saldo DESC",
         "CREATE VIEW Namen AS SELECT Naam FROM Persoon UNION ALL SELECT 'Gast' FROM Bezoek",
         "CREATE VIEW [Met bezoek] AS SELECT Persoon.Naam, Bezoek.Datum FROM Persoon LEFT JOIN Bezoek "
         "ON Persoon.Nr = Bezoek.PersoonNr",
         "CREATE VIEW [Boven gemiddeld] AS SELECT Naam FROM Persoon WHERE Saldo > (SELECT Avg(Saldo) FROM Persoon) "
         "OR EXISTS (SELECT * FROM Bezoek WHERE Bezoek.PersoonNr = Persoon.Nr AND Bezoek.Bedrag < 5)",
         "CREATE VIEW [Zelfde plaats] AS SELECT Naam FROM Persoon WHERE Plaats IN "
         "(SELECT UCase(Plaats) FROM Persoon WHERE Nr = 1) OR Naam = ANY (SELECT 'DIRK' FROM Bezoek)",
         "CREATE VIEW Onbekend AS SELECT StrReverse(Naam) AS Om FROM Persoon",
         "CREATE VIEW Gemengd AS SELECT Naam FROM Persoon UNION SELECT Nr FROM Persoon",
         "CREATE VIEW [Op onbekend] AS SELECT Om FROM Onbekend",
         "CREATE VIEW Rijen AS SELECT DISTINCTROW Persoon.Naam FROM Persoon INNER JOIN Bezoek "
         "ON Persoon.Nr = Bezoek.PersoonNr"});
}

TEST_F(DumpPostgreSqlViews, DefinedViewsGiveOurRows)
{
    const std::string sample = scratch.sample(jet::Version::Jet4);
    const std::string sampleWarnings = load(sample, "voorbeeld");
    EXPECT_EQ(serverViews("voorbeeld"), std::vector<std::string>{"Omzet per klant"});
    sameRows(sample, "voorbeeld", "Omzet per klant");
    EXPECT_TRUE(mentions(sampleWarnings, "'Bestellingen in periode' is niet omgezet naar PostgreSQL (hij vraagt om "
                                         "parameters"))
        << sampleWarnings;
    EXPECT_TRUE(mentions(script, "-- Query Bestellingen in periode (Access-SQL, niet omgezet"));

    const std::string made = madeViews(scratch);
    const std::string warnings = load(made, "gemaakt");
    const std::vector<std::string> translated{
        "Amsterdammers", "Boven gemiddeld", "Datums",  "Goede klanten", "Met bezoek", "Namen",        "Patronen",
        "Per persoon",   "Per soort",       "Rekenen", "Tekst",         "Top twee",   "Zelfde plaats"};
    EXPECT_EQ(serverViews("gemaakt"), translated);
    for (const std::string& view : translated) sameRows(made, "gemaakt", view);
    // A view reading another is written after it.
    EXPECT_LT(script.find("CREATE VIEW \"Per persoon\""), script.find("CREATE VIEW \"Goede klanten\""));
    EXPECT_TRUE(mentions(warnings, "'Onbekend' is niet omgezet naar PostgreSQL (de functie StrReverse")) << warnings;
    EXPECT_TRUE(mentions(warnings, "'Op onbekend' is niet omgezet naar PostgreSQL (hij leest uit 'Onbekend'"))
        << warnings;
    EXPECT_TRUE(mentions(warnings, "'Rijen' is niet omgezet naar PostgreSQL (DISTINCTROW")) << warnings;
    EXPECT_TRUE(mentions(warnings, "'Gemengd' is niet omgezet naar PostgreSQL (waarden van verschillende soort"))
        << warnings;
    EXPECT_TRUE(mentions(script, "-- SELECT StrReverse(Naam) AS Om\n-- FROM Persoon")) << script;
}

// Northwind's named queries: which translate, and that each translated one loads and answers as our engine does.
TEST_F(DumpPostgreSqlViews, NorthwindQueriesAnswerAlike)
{
    QUERIMO_REQUIRE_CORPUS_FILE("northwind-jet4.mdb");
    const std::string northwind = scratch.copyOf("northwind-jet4.mdb");
    const std::string warnings = load(northwind, "northwind");
    const std::vector<std::string> views = serverViews("northwind");
    std::size_t comments = 0;
    for (std::size_t at = script.find("\n-- Query "); at != std::string::npos; at = script.find("\n-- Query ", at + 1))
        ++comments;
    std::printf("Northwind: %zu van %zu query's omgezet naar views\n", views.size(), views.size() + comments);
    EXPECT_EQ(views.size(), 17u);
    EXPECT_EQ(comments, 4u);  // two ask for parameters, one reads a form, one is a crosstab
    EXPECT_TRUE(mentions(warnings, "'Quarterly Orders by Product' is niet omgezet naar PostgreSQL (het is een "
                                   "kruistabelquery (TRANSFORM))"))
        << warnings;
    for (const std::string& view : views) sameRows(northwind, "northwind", view);
}

}  // namespace
}  // namespace querimo::test
