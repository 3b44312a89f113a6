// Statements that read through indexes give exactly what Access's comparisons give: random rows with
// mixed case, accents, trailing spaces, Null and empty text, numbers of several types and dates, checked
// against a model of the table for equality, In, ranges, a prefix of a two-column index, descending
// indexes, ORDER BY and a join; and the plans do read through the indexes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "jet_test_files.h"
#include "sql/Sql.h"
#include "sql/TextCollation.h"
#include "support/QueryPlan.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

struct Person {
    int nr = 0;
    std::optional<std::string> name, place;
    std::optional<double> number, date;
    std::optional<std::int64_t> amount;  // Currency, scaled
    std::optional<int> small;
};

const std::vector<std::string> names = {"anna",    "Anna", "ANNA", "ánna", "Ánna",   "émile",  "Emile", "EMILE",
                                        "zoë",     "Zoë",  "zoe",  "",     "b",      "B",      "B ",    "straße",
                                        "STRASSE", "øre",  "Ærø",  "ærø",  "o'neil", "O'Neil", "10",    "1e1"};
const std::vector<std::string> places = {"Gent", "gent", "GENT", "Brugge", "brügge", ""};

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

bool sameText(const std::optional<std::string>& value, const std::string& text)
{
    return value && sql::compareFolded(*value, text) == 0;
}

class IndexedStatements : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override
    {
        jet::OpenOptions options;
        options.path = scratch.database(
            GetParam(),
            {"CREATE TABLE Persoon (Nr LONG CONSTRAINT pkPersoon PRIMARY KEY, Naam TEXT(30), "
             "Plaats TEXT(20), Getal DOUBLE, Datum DATETIME, Bedrag CURRENCY, Klein SHORT)",
             "CREATE INDEX iNaam ON Persoon (Naam)", "CREATE INDEX iPlaatsGetal ON Persoon (Plaats, Getal DESC)",
             "CREATE INDEX iDatum ON Persoon (Datum DESC)", "CREATE INDEX iBedrag ON Persoon (Bedrag)",
             "CREATE INDEX iKlein ON Persoon (Klein)"});
        db = jet::Database::open(options);
        std::mt19937 random(2026);
        const auto maybe = [&](auto value) -> std::optional<decltype(value)> {
            if (random() % 9 == 0) return std::nullopt;
            return value;
        };
        const jet::TableDef& table = db->table("Persoon");
        db->beginStatement();
        for (int nr = 1; nr <= 1500; ++nr) {
            Person p;
            p.nr = nr * 3;
            p.name = maybe(names[random() % names.size()]);
            p.place = maybe(places[random() % places.size()]);
            p.number = maybe(static_cast<double>(static_cast<int>(random() % 400) - 200) / 16.0);
            p.date = maybe(40000 + static_cast<double>(random() % 200) / 8.0);
            p.amount = maybe(static_cast<std::int64_t>(random() % 2000) * 125 - 100000);
            p.small = maybe(static_cast<int>(random() % 11) - 5);
            const auto text = [](const auto& t) { return t ? Value::text(*t) : Value::null(); };
            db->insertRow(table, {Value::int32(p.nr), text(p.name), text(p.place),
                                  p.number ? Value::dbl(*p.number) : Value::null(),
                                  p.date ? Value::dateTime(*p.date) : Value::null(),
                                  p.amount ? Value::currency(*p.amount) : Value::null(),
                                  p.small ? Value::int16(static_cast<std::int16_t>(*p.small)) : Value::null()});
            people.push_back(p);
        }
        db->commitStatement();
    }

    // The Nr values the statement gives (its first column), sorted.
    std::vector<int> numbers(const std::string& where)
    {
        const auto rows = sql::run(*db, "SELECT Nr FROM Persoon WHERE " + where).rows;
        std::vector<int> out;
        for (std::size_t r = 0; r < rows->rowCount(); ++r) out.push_back(static_cast<int>(rows->value(r, 0).integer));
        std::sort(out.begin(), out.end());
        return out;
    }

    std::vector<int> model(const std::function<bool(const Person&)>& passes) const
    {
        std::vector<int> out;
        for (const Person& p : people)
            if (passes(p)) out.push_back(p.nr);
        return out;
    }

    void expectRows(const std::string& where, const std::function<bool(const Person&)>& passes)
    {
        const std::vector<int> expected = model(passes);
        EXPECT_EQ(numbers(where), expected) << where;
    }

    test::ScratchDir scratch;
    std::unique_ptr<jet::Database> db;
    std::vector<Person> people;
};

TEST_P(IndexedStatements, TextEqualityAndInIgnoreCaseAsAScanDoes)
{
    for (const std::string& name : names)
        expectRows("Naam = " + quoted(name), [&](const Person& p) { return sameText(p.name, name); });
    expectRows("Naam IN ('anna', 'Émile', '', 'b ')", [](const Person& p) {
        return sameText(p.name, "anna") || sameText(p.name, "Émile") || sameText(p.name, "") || sameText(p.name, "b ");
    });
    expectRows("Naam Is Null", [](const Person& p) { return !p.name; });
    // A number compared with a text column: SQLite compares it as text.
    expectRows("Naam = 10", [](const Person& p) { return sameText(p.name, "10"); });
    // A character the key encoder does not know: the constraint falls back to a scan.
    expectRows("Naam = 'a☃'", [](const Person&) { return false; });
}

TEST_P(IndexedStatements, RangesAndAPrefixOfATwoColumnIndex)
{
    for (const std::string& place : places) {
        expectRows("Plaats = " + quoted(place) + " AND Getal > 1.5",
                   [&](const Person& p) { return sameText(p.place, place) && p.number && *p.number > 1.5; });
        expectRows("Plaats = " + quoted(place) + " AND Getal BETWEEN -3 AND 2.5", [&](const Person& p) {
            return sameText(p.place, place) && p.number && *p.number >= -3 && *p.number <= 2.5;
        });
        expectRows("Plaats = " + quoted(place) + " AND Getal <= -12",
                   [&](const Person& p) { return sameText(p.place, place) && p.number && *p.number <= -12; });
    }
    expectRows("Datum >= 40003.5 AND Datum < 40010",
               [](const Person& p) { return p.date && *p.date >= 40003.5 && *p.date < 40010; });
    expectRows("Datum > 40024", [](const Person& p) { return p.date && *p.date > 40024; });
    for (const std::string amount : {"12.5", "-12.375", "0", "3.25"}) {
        const double a = std::stod(amount);
        expectRows("Bedrag = " + amount,
                   [&](const Person& p) { return p.amount && *p.amount == std::llround(a * 10000); });
        expectRows("Bedrag > " + amount,
                   [&](const Person& p) { return p.amount && *p.amount > std::llround(a * 10000); });
    }
    expectRows("Bedrag BETWEEN -1 AND 2.0001",
               [](const Person& p) { return p.amount && *p.amount >= -10000 && *p.amount <= 20001; });
    expectRows("Klein = 3", [](const Person& p) { return p.small == 3; });
    expectRows("Klein > 2.5", [](const Person& p) { return p.small && *p.small > 2; });
    expectRows("Klein < -2", [](const Person& p) { return p.small && *p.small < -2; });
    expectRows("Klein = 2.5", [](const Person&) { return false; });
    expectRows("Klein < 100000", [](const Person& p) { return p.small.has_value(); });
    expectRows("Klein IN (1, -4, 2.5)", [](const Person& p) { return p.small == 1 || p.small == -4; });
    expectRows("Nr = 17 * 3", [](const Person& p) { return p.nr == 51; });
    expectRows("Nr IN (3, 15, 99999, 4500)", [](const Person& p) { return p.nr == 3 || p.nr == 15 || p.nr == 4500; });
    expectRows("Nr BETWEEN 10 AND 40", [](const Person& p) { return p.nr >= 10 && p.nr <= 40; });
    expectRows("Nr > 4490.5", [](const Person& p) { return p.nr > 4490; });
}

TEST_P(IndexedStatements, OrderByAnIndexedKeyAndAJoinOnText)
{
    const auto rows = sql::run(*db, "SELECT Datum FROM Persoon ORDER BY Datum DESC").rows;
    std::vector<std::optional<double>> expected;
    for (const Person& p : people) expected.push_back(p.date);
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return b < a; });  // Null last
    ASSERT_EQ(rows->rowCount(), expected.size());
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const Value v = rows->value(r, 0);
        EXPECT_EQ(v.isNull() ? std::nullopt : std::optional<double>(v.real), expected[r]) << "rij " << r;
    }

    // A bound the index cannot use (text against a date, which SQLite puts after every number): the rows
    // still come in the order SQLite was promised.
    const auto fallback = sql::run(*db, "SELECT Datum FROM Persoon WHERE Datum < 'zzz' ORDER BY Datum DESC").rows;
    std::vector<double> dates;
    for (std::size_t r = 0; r < fallback->rowCount(); ++r) dates.push_back(fallback->value(r, 0).real);
    EXPECT_TRUE(std::is_sorted(dates.rbegin(), dates.rend()));
    EXPECT_EQ(dates.size(), static_cast<std::size_t>(std::count_if(
                                people.begin(), people.end(), [](const Person& p) { return p.date.has_value(); })));

    // A few outer rows seek; all of them make the inner side load once into memory part way.
    for (const std::string where : {" WHERE a.Klein = 1", ""}) {
        const auto joined =
            sql::run(*db, "SELECT a.Nr, b.Nr FROM Persoon AS a INNER JOIN Persoon AS b ON a.Naam = b.Naam" + where)
                .rows;
        std::multiset<std::pair<int, int>> got, model;
        for (std::size_t r = 0; r < joined->rowCount(); ++r)
            got.emplace(static_cast<int>(joined->value(r, 0).integer), static_cast<int>(joined->value(r, 1).integer));
        for (const Person& a : people)
            if (where.empty() || a.small == 1)
                for (const Person& b : people)
                    if (a.name && sameText(b.name, *a.name)) model.emplace(a.nr, b.nr);
        EXPECT_EQ(got, model) << where;
    }
}

TEST_P(IndexedStatements, ThePlansReadThroughTheIndexes)
{
    const auto plan = [&](const std::string& text) { return test::queryPlan(*db, text); };
    for (const char* text : {"SELECT * FROM Persoon WHERE Nr = 30", "SELECT * FROM Persoon WHERE Naam = 'Anna'",
                             "SELECT * FROM Persoon WHERE Bedrag BETWEEN 1 AND 2",
                             "SELECT * FROM Persoon WHERE Plaats = 'Gent' AND Getal > 3"})
        EXPECT_NE(plan(text).find("INDEX -1:"), std::string::npos) << text << "\n" << plan(text);
    // Constant bounds are looked up in the index: a filter that keeps most rows scans.
    for (const char* text : {"SELECT * FROM Persoon WHERE Klein < 100000", "SELECT * FROM Persoon WHERE Nr > 30",
                             "SELECT * FROM Persoon WHERE Bedrag BETWEEN -100 AND 100"})
        EXPECT_EQ(plan(text).find("INDEX -1:"), std::string::npos) << text << "\n" << plan(text);
    EXPECT_NE(plan("SELECT * FROM Persoon WHERE Nr > 4400").find("INDEX -1:"), std::string::npos);
    const std::string ordered = plan("SELECT * FROM Persoon WHERE Datum > 40020 ORDER BY Datum DESC");
    EXPECT_EQ(ordered.find("TEMP B-TREE"), std::string::npos) << ordered;
    // Walking the whole index costs less than a scan and SQLite's sort, and shows the first rows at once.
    const std::string walked = plan("SELECT * FROM Persoon ORDER BY Datum DESC");
    EXPECT_EQ(walked.find("TEMP B-TREE"), std::string::npos) << walked;
    const std::string joined = plan("SELECT * FROM Persoon AS a INNER JOIN Persoon AS b ON a.Nr = b.Klein");
    EXPECT_NE(joined.find("INDEX -1:"), std::string::npos) << joined;
}

INSTANTIATE_TEST_SUITE_P(Versions, IndexedStatements, ::testing::ValuesIn(test::bothVersions), test::versionName);

}  // namespace
}  // namespace querimo
