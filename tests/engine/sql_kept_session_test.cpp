// A prepared statement keeps its SQLite session and statement between executions. Every execution still gives
// the rows as they are now: after inserts, updates and deletes by other statements, by the statement's own
// earlier executions, by a second connection to the file, and after an execution that was stopped; through a
// scan, index seeks and a join that loads a table into memory.
#include <gtest/gtest.h>

#include <future>
#include <map>
#include <optional>
#include <random>

#include "core/StopSignal.h"
#include "jet_test_files.h"
#include "sql/Sql.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

struct Row {
    std::string name;
    int group = 0;
};

// Rows as text, one line each, to compare whole results at once.
std::string lines(const sql::RowSource& rows)
{
    std::string out;
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        for (std::size_t c = 0; c < 2; ++c) {
            const Value v = rows.value(r, c);
            out += v.kind == Value::Kind::Text ? v.bytes : std::to_string(v.integer);
            out += c == 0 ? "|" : "\n";
        }
    }
    return out;
}

class KeptSession : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override
    {
        path = scratch.database(GetParam(), {"CREATE TABLE Rij (Nr LONG CONSTRAINT pkRij PRIMARY KEY, Naam TEXT(20), "
                                             "Groep LONG)",
                                             "CREATE INDEX iNaam ON Rij (Naam)"});
        db = jet::Database::open({path, false, {}});
        // Enough rows that the join's inner side is loaded into memory after its first lookups.
        const jet::TableDef& table = db->table("Rij");
        db->beginStatement();
        for (int nr = 1; nr <= highest; ++nr) {
            const Row row = randomRow();
            db->insertRow(table, {Value::int32(nr), Value::text(row.name), Value::int32(row.group)});
            model[nr] = row;
        }
        db->commitStatement();
        prepareSelects();
    }

    // A lookup by primary key, one through the text index, and a join of each row to the row its Groep names.
    void prepareSelects()
    {
        byKey = sql::prepare(*db, "PARAMETERS k LONG; SELECT Naam, Groep FROM Rij WHERE Nr = k");
        byName = sql::prepare(*db, "PARAMETERS n TEXT; SELECT Nr, Groep FROM Rij WHERE Naam = n ORDER BY Nr");
        joined = sql::prepare(*db, "SELECT a.Nr, b.Naam FROM Rij AS a INNER JOIN Rij AS b ON b.Nr = a.Groep "
                                   "ORDER BY a.Nr");
    }

    Row randomRow() { return {names[random() % names.size()], static_cast<int>(1 + random() % 160)}; }

    void insert(jet::Database& on, int nr)
    {
        const Row row = randomRow();
        sql::run(on, "INSERT INTO Rij VALUES (" + std::to_string(nr) + ", '" + row.name + "', "
                         + std::to_string(row.group) + ")");
        model[nr] = row;
    }

    int anyNumber() { return std::next(model.begin(), static_cast<long>(random() % model.size()))->first; }

    // One change of a random kind, made on `on`; the prepared update renames through its kept session.
    void change(jet::Database& on, sql::PreparedStatement& rename)
    {
        switch (random() % 4) {
        case 0: insert(on, ++highest); break;
        case 1: {
            const int nr = anyNumber();
            const int group = static_cast<int>(1 + random() % 160);
            sql::run(on, "UPDATE Rij SET Groep = " + std::to_string(group) + " WHERE Nr = " + std::to_string(nr));
            model[nr].group = group;
            break;
        }
        case 2: {
            const int nr = anyNumber();
            sql::run(on, "DELETE FROM Rij WHERE Nr = " + std::to_string(nr));
            model.erase(nr);
            break;
        }
        default: {
            const int nr = anyNumber();
            const std::string name = names[random() % names.size()];
            rename.execute({{"n", name}, {"k", std::to_string(nr)}});
            model[nr].name = name;
        }
        }
    }

    std::string expectedByName(const std::string& name) const
    {
        std::string out;
        for (const auto& [nr, row] : model)
            if (row.name == name) out += std::to_string(nr) + "|" + std::to_string(row.group) + "\n";
        return out;
    }

    std::string expectedJoin() const
    {
        std::string out;
        for (const auto& [nr, row] : model)
            if (const auto found = model.find(row.group); found != model.end())
                out += std::to_string(nr) + "|" + found->second.name + "\n";
        return out;
    }

    // Every prepared select against the model.
    void expectCurrent(const std::string& when)
    {
        for (int probe = 0; probe < 5; ++probe) {
            const int nr = probe == 0 ? highest : anyNumber();
            const auto found = model.find(nr);
            const std::string expected =
                found == model.end() ? "" : found->second.name + "|" + std::to_string(found->second.group) + "\n";
            EXPECT_EQ(lines(*byKey->execute({{"k", std::to_string(nr)}}).rows), expected) << when << ", Nr " << nr;
        }
        const std::string name = names[random() % names.size()];
        EXPECT_EQ(lines(*byName->execute({{"n", name}}).rows), expectedByName(name)) << when << ", " << name;
        EXPECT_EQ(lines(*joined->execute({}).rows), expectedJoin()) << when;
    }

    const std::vector<std::string> names = {"anna", "bert", "cees", "dirk", "els"};
    std::mt19937 random{13};
    test::ScratchDir scratch;
    std::string path;
    std::unique_ptr<jet::Database> db;
    std::map<int, Row> model;
    int highest = 150;
    std::optional<sql::PreparedStatement> byKey, byName, joined;
};

TEST_P(KeptSession, EachExecutionSeesTheChangesOfTheSameConnection)
{
    sql::PreparedStatement rename =
        sql::prepare(*db, "PARAMETERS n TEXT, k LONG; UPDATE Rij SET Naam = n WHERE Nr = k");
    expectCurrent("eerst");
    for (int round = 0; round < 60; ++round) {
        change(*db, rename);
        expectCurrent("na wijziging " + std::to_string(round));
    }
}

TEST_P(KeptSession, EachExecutionSeesWhatAnotherConnectionWrote)
{
    auto other = jet::Database::open({path, false, {}});
    sql::PreparedStatement rename =
        sql::prepare(*other, "PARAMETERS n TEXT, k LONG; UPDATE Rij SET Naam = n WHERE Nr = k");
    expectCurrent("eerst");
    for (int round = 0; round < 40; ++round) {
        change(*other, rename);
        expectCurrent("na wijziging door de andere verbinding " + std::to_string(round));
        if (round % 5 == 0) {  // and this connection writes between them
            sql::PreparedStatement own =
                sql::prepare(*db, "PARAMETERS n TEXT, k LONG; UPDATE Rij SET Naam = n WHERE Nr = k");
            change(*db, own);
            expectCurrent("na eigen wijziging " + std::to_string(round));
        }
    }
    // A column added elsewhere: the kept statements read the table as it is now.
    sql::run(*other, "ALTER TABLE Rij ADD COLUMN Extra TEXT(5)");
    expectCurrent("na een nieuwe kolom");
}

TEST_P(KeptSession, AStoppedOrFailedExecutionLeavesTheStatementReady)
{
    StopSignal stop;
    stop.request();
    const DbError stopped = test::errorFrom([&] { joined->execute({}, &stop); });
    EXPECT_EQ(stopped.number(), errc::cancelled);
    expectCurrent("na een gestopte uitvoering");
    const DbError wrong = test::errorFrom([&] { byKey->execute({{"k", "geen getal"}}); });
    EXPECT_EQ(wrong.number(), errc::typeMismatch);
    expectCurrent("na een mislukte uitvoering");
    // One thread at a time, not always the same: a worker, then this one.
    std::async(std::launch::async, [&] { expectCurrent("op een andere thread"); }).get();
    expectCurrent("weer op deze thread");
}

INSTANTIATE_TEST_SUITE_P(Versions, KeptSession, ::testing::ValuesIn(test::bothVersions), test::versionName);

}  // namespace
}  // namespace querimo
