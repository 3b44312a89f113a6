// Statements stopped from another thread while they run: the Dutch message, no result, the file as it was, and
// a connection that goes on working.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <thread>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "core/StopSignal.h"
#include "jet_test_files.h"
#include "sql/Sql.h"

namespace querimo {
namespace {

using namespace std::chrono_literals;

// Groot: about 80,000 rows, long enough to change that a stop lands while it runs; Kind: about a thousand rows
// that deleting Kop's rows deletes too.
std::string withLargeTables(const test::ScratchDir& scratch)
{
    const std::string path = scratch.sample(jet::Version::Jet4);
    auto database = jet::Database::open({path, false, {}});
    for (const char* statement :
         {"SELECT a.BestelNr, a.Regel, b.ArtikelNr, b.Aantal INTO Groot FROM Bestelregel a, Bestelregel b",
          "SELECT DISTINCT BestelNr INTO Kop FROM Bestelregel",
          "ALTER TABLE Kop ADD CONSTRAINT pkKop PRIMARY KEY (BestelNr)",
          "CREATE TABLE Kind (BestelNr LONG, Regel SHORT, KlantNr LONG, CONSTRAINT fkKind FOREIGN KEY (BestelNr) "
          "REFERENCES Kop (BestelNr) ON DELETE CASCADE)",
          "INSERT INTO Kind SELECT r.BestelNr, r.Regel, k.KlantNr FROM Bestelregel AS r, Klant AS k WHERE k.KlantNr <= "
          "4"})
        sql::run(*database, statement);
    return path;
}

class StopFromAnotherThread : public ::testing::Test {
protected:
    void open(const std::string& path)
    {
        connection.Provider = "Microsoft.Jet.OLEDB.4.0";
        connection.GetProperties()("Data Source") = path;
        connection.Open();
        command.ActiveConnection = &connection;
    }

    // Runs the command on a worker and cancels it until it ends; the error it ended with.
    DbError executeAndCancel()
    {
        auto running = std::async(std::launch::async, [&] { return command.Execute(nullptr); });
        while (running.wait_for(20ms) != std::future_status::ready) command.Cancel();
        return test::errorFrom([&] { running.get(); }, command.CommandText());
    }

    long count(const std::string& table)
    {
        ado::Command counting;
        counting.ActiveConnection = &connection;
        counting.SetCommandText("SELECT Count(*) FROM " + table);
        return static_cast<long>(counting.Execute(nullptr)->GetFields().Item(std::size_t{0}).GetValue().integer);
    }

    test::ScratchDir scratch;
    ado::Connection connection;
    ado::Command command;
};

TEST_F(StopFromAnotherThread, EndlessCrossJoinStopsAndTheConnectionGoesOn)
{
    open(scratch.sample(jet::Version::Jet4));
    command.SetCommandText("SELECT Count(*) FROM Bestelregel a, Bestelregel b, Bestelregel c, Bestelregel d");
    const DbError stopped = executeAndCancel();
    EXPECT_EQ(stopped.number(), errc::cancelled);
    EXPECT_EQ(stopped.description(), "De query is afgebroken.");
    EXPECT_EQ(count("Klant"), 40);
    // The same command runs again after a stop, to its end.
    command.SetCommandText("SELECT Count(*) FROM Bestelregel a, Klant b");
    EXPECT_EQ(command.Execute(nullptr)->GetFields().Item(std::size_t{0}).GetValue().integer, 284 * 40);
}

// Each statement stopped at later and later moments, while it reads and while it writes: the file stays as it
// was. One that ended first is undone by putting the old bytes back.
TEST_F(StopFromAnotherThread, StoppedChangesLeaveTheFileByteForByte)
{
    const std::string path = withLargeTables(scratch);
    const std::string before = test::readBytes(path);
    open(path);
    for (const std::string statement :
         {"UPDATE Groot SET Aantal = Aantal + 1, ArtikelNr = ArtikelNr * 2", "DELETE FROM Kop",
          "INSERT INTO Groot SELECT * FROM Groot", "SELECT * INTO Kopie FROM Groot ORDER BY ArtikelNr DESC",
          "CREATE INDEX ixArtikel ON Groot (ArtikelNr, Aantal)", "ALTER TABLE Groot ALTER COLUMN Aantal TEXT(10)"}) {
        command.SetCommandText(statement);
        int stops = 0;
        for (const auto delay : {0ms, 30ms, 100ms, 250ms, 400ms}) {
            auto running = std::async(std::launch::async, [&] { return command.Execute(nullptr); });
            std::this_thread::sleep_for(delay);
            while (running.wait_for(2ms) != std::future_status::ready) command.Cancel();
            try {
                running.get();
                connection.Close();
                std::ofstream(path, std::ios::binary | std::ios::trunc) << before;
                connection.Open();
                command.SetCommandText(statement);
            } catch (const DbError& stopped) {
                ++stops;
                EXPECT_EQ(stopped.number(), errc::cancelled) << statement;
                EXPECT_EQ(stopped.description(), "De query is afgebroken.") << statement;
                EXPECT_EQ(test::readBytes(path), before) << statement << ", gestopt na " << delay.count() << " ms";
            }
        }
        EXPECT_GT(stops, 0) << statement;
    }
    EXPECT_EQ(count("Groot"), 284 * 284);
    long affected = 0;
    command.SetCommandText("DELETE FROM Groot WHERE Regel > 1");
    command.Execute(&affected);
    EXPECT_GT(affected, 0);
    EXPECT_NE(test::readBytes(path), before);
}

TEST_F(StopFromAnotherThread, CancelWithoutAStatementDoesNothing)
{
    open(scratch.sample(jet::Version::Jet3));
    command.SetCommandText("SELECT KlantNr FROM Klant");
    command.Cancel();
    EXPECT_EQ(command.Execute(nullptr)->RecordCount(), 40u);
}

// Row by row inside a statement: a stop between two row changes ends the statement, and its rollback leaves
// the file as it was.
TEST(StopInsideAStatement, BetweenRowChangesAndBeforeTheCommit)
{
    test::ScratchDir scratch;
    const std::string path = scratch.sample(jet::Version::Jet4);
    const std::string before = test::readBytes(path);
    auto database = jet::Database::open({path, false, {}});
    const jet::TableDef& table = database->table("Bestelregel");
    StopSignal stop;
    {
        const jet::StopScope stoppable(*database, &stop);
        database->beginStatement();
        std::vector<std::pair<jet::RowId, std::vector<Value>>> rows;
        for (auto scan = database->scan(table); rows.size() < 10;) {
            std::vector<Value> row;
            ASSERT_TRUE(scan->next(row));
            rows.emplace_back(scan->rowId(), row);
        }
        for (std::size_t i = 0; i < 5; ++i) database->deleteRow(table, rows[i].first);
        stop.request();
        EXPECT_EQ(test::errorFrom([&] { database->deleteRow(table, rows[5].first); }).number(), errc::cancelled);
        EXPECT_EQ(test::errorFrom([&] { database->scan(table)->next(rows[0].second); }).number(), errc::cancelled);
        EXPECT_EQ(test::errorFrom([&] { database->commitStatement(); }).number(), errc::cancelled);
        database->rollbackStatement();
    }
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(test::readRows(*database, "Bestelregel").size(), 284u);

    // A signal given to a statement that was requested before it ran stops it at once.
    auto prepared = sql::prepare(*database, "DELETE FROM Bestelregel");
    EXPECT_EQ(test::errorFrom([&] { prepared.execute({}, &stop); }).description(), "De query is afgebroken.");
    EXPECT_EQ(test::readBytes(path), before);
    stop.clear();
    EXPECT_EQ(prepared.execute({}, &stop).recordsAffected, 284);
}

}  // namespace
}  // namespace querimo
