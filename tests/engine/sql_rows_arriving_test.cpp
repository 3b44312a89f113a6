// A query's record set handed out while its rows are still being read: another thread reads it meanwhile in
// order, waits where it must, gets the exact count at the end, and a stop or a close mid-way leaves no rows
// and no thread waiting for ever.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <mutex>
#include <thread>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "core/StopSignal.h"
#include "jet_test_files.h"
#include "sql/Sql.h"

namespace querimo {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t grootRows = 284 * 284;

std::size_t openFiles()
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

// The budget for the test's length, and back afterwards.
class SmallBudget {
public:
    explicit SmallBudget(std::size_t bytes) : before_(sql::resultMemoryBudget()) { sql::setResultMemoryBudget(bytes); }
    ~SmallBudget() { sql::setResultMemoryBudget(before_); }

private:
    std::size_t before_;
};

class RowsArriving : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = scratch.sample(jet::Version::Jet4);
        {
            auto database = jet::Database::open({path, false, {}});
            sql::run(*database, "SELECT a.BestelNr, a.Regel, b.ArtikelNr, b.Aantal INTO Groot FROM Bestelregel a, "
                                "Bestelregel b");
        }
        connection.Provider = "Microsoft.Jet.OLEDB.4.0";
        connection.GetProperties()("Data Source") = path;
        connection.Open();
        command.ActiveConnection = &connection;
        command.SetCommandText("SELECT * FROM Groot");
    }

    // Executes on a worker; the record set it hands out before the first row, once it is there.
    std::shared_ptr<ado::Recordset> start()
    {
        events.opened = [this](const std::shared_ptr<ado::Recordset>& rs) {
            // Nothing is read yet: the rows come after this.
            openedBeforeRows = !rs->Complete() && rs->RecordsSoFar() == 0;
            opened.set_value(rs);
        };
        events.progress = [this](std::size_t soFar) {
            const std::lock_guard lock(mutex);
            reported.push_back(soFar);
        };
        running = std::async(std::launch::async, [this] { return command.Execute(nullptr, &events); });
        return opened.get_future().get();
    }

    // Waits until the worker has told of at least this many rows.
    void awaitReported(std::size_t rows)
    {
        for (;;) {
            {
                const std::lock_guard lock(mutex);
                if (!reported.empty() && reported.back() >= rows) return;
            }
            std::this_thread::sleep_for(1ms);
        }
    }

    test::ScratchDir scratch;
    ado::Connection connection;
    ado::Command command;
    ado::FetchEvents events;
    std::promise<std::shared_ptr<ado::Recordset>> opened;
    std::future<std::shared_ptr<ado::Recordset>> running;
    bool openedBeforeRows = false;
    std::mutex mutex;
    std::vector<std::size_t> reported;
};

TEST_F(RowsArriving, ReadInOrderWhileFilledWithTheExactCountAtTheEnd)
{
    const SmallBudget budget(256 << 10);  // part of the rows go to the file while they are read
    const auto rs = start();
    EXPECT_TRUE(openedBeforeRows);
    ASSERT_EQ(rs->State(), ado::ObjectState::Open);
    ASSERT_EQ(rs->fieldInfo().size(), 4u);
    EXPECT_EQ(rs->fieldInfo()[0].name, "BestelNr");

    // The cross join's order: every row of a, then all of b for it.
    std::size_t seen = 0;
    std::size_t soFarWhileReading = 0;
    Value previousRegel;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext(), ++seen) {
        if (seen == 300) soFarWhileReading = rs->RecordsSoFar();
        const Value regel = rs->GetFields().Item("Regel").GetValue();
        if (seen % 284 != 0) {
            EXPECT_EQ(regel, previousRegel) << seen;
        }
        previousRegel = regel;
    }
    EXPECT_EQ(seen, grootRows);
    EXPECT_GE(soFarWhileReading, 300u);
    EXPECT_EQ(rs->RecordCount(), grootRows);
    EXPECT_TRUE(rs->Complete());

    // Execute hands back the record set it handed out; the reports grew to the exact count.
    EXPECT_EQ(running.get(), rs);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front(), 256u);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_EQ(reported.back(), grootRows);

    // Rows read while they arrived are the rows of a result read whole.
    ado::Command again;
    again.ActiveConnection = &connection;
    again.SetCommandText(command.CommandText());
    const auto whole = again.Execute(nullptr);
    for (std::size_t r : {0u, 283u, 284u, 40000u, static_cast<unsigned>(grootRows - 1)})
        for (std::size_t c = 0; c < 4; ++c) EXPECT_EQ(rs->valueAt(r, c), whole->valueAt(r, c)) << r;
}

TEST_F(RowsArriving, TheCountAndTheLastRowWaitForTheEnd)
{
    const auto rs = start();
    // From another thread, before the rows are there.
    auto counted = std::async(std::launch::async, [&] { return rs->RecordCount(); });
    EXPECT_FALSE(rs->valueAt(grootRows - 1, 0).isNull());
    EXPECT_EQ(counted.get(), grootRows);
    EXPECT_TRUE(rs->Complete());
    rs->Move(grootRows);
    EXPECT_TRUE(rs->Eof());
    EXPECT_THROW(rs->Move(grootRows + 1), DbError);
    running.get();
}

TEST_F(RowsArriving, AStopMidwayLeavesNoRowsAndWakesWhoWaits)
{
    const SmallBudget budget(64 << 10);
    const std::size_t filesBefore = openFiles();
    const auto rs = start();
    awaitReported(256);
    auto waiting = std::async(std::launch::async, [&] { return test::errorFrom([&] { rs->RecordCount(); }, "count"); });
    while (running.wait_for(2ms) != std::future_status::ready) command.Cancel();
    const DbError stopped = test::errorFrom([&] { running.get(); }, "execute");
    EXPECT_EQ(stopped.number(), errc::cancelled);
    EXPECT_EQ(stopped.description(), "De query is afgebroken.");

    const DbError woken = waiting.get();
    EXPECT_EQ(woken.number(), errc::cancelled);
    EXPECT_EQ(rs->RecordsSoFar(), 0u);
    EXPECT_TRUE(rs->Complete());
    EXPECT_THROW(rs->Eof(), DbError);
    EXPECT_THROW(rs->valueAt(0, 0), DbError);
    EXPECT_EQ(openFiles(), filesBefore);  // the part that went to the file is gone

    // The connection goes on.
    command.SetCommandText("SELECT Count(*) FROM Groot");
    EXPECT_EQ(command.Execute(nullptr)->GetFields().Item(std::size_t{0}).GetValue().integer,
              static_cast<std::int64_t>(grootRows));
}

TEST_F(RowsArriving, ClosingMidwayStopsTheReadingAndTheNextStatementRuns)
{
    const SmallBudget budget(64 << 10);
    const std::size_t filesBefore = openFiles();
    const auto rs = start();
    awaitReported(256);
    rs->Close();
    EXPECT_EQ(test::errorFrom([&] { running.get(); }, "execute").number(), errc::cancelled);
    EXPECT_LT(reported.back(), grootRows);
    EXPECT_EQ(openFiles(), filesBefore);
    EXPECT_THROW(rs->RecordCount(), DbError);

    command.SetCommandText("SELECT * FROM Groot WHERE Regel = 1");
    const auto next = command.Execute(nullptr);
    EXPECT_GT(next->RecordCount(), 0u);
}

TEST_F(RowsArriving, TheRowsOutliveTheConnection)
{
    const auto rs = start();
    running.get();
    connection.Close();
    EXPECT_EQ(rs->RecordCount(), grootRows);
    EXPECT_FALSE(rs->valueAt(grootRows - 1, 1).isNull());
}

TEST(RowsArrivingEngine, FailuresAfterTheFirstRowsLeaveNoRows)
{
    test::ScratchDir scratch;
    auto database = jet::Database::open({scratch.sample(jet::Version::Jet4), false, {}});
    sql::PreparedStatement statement = sql::prepare(*database, "SELECT 1 / (Regel - 3) FROM Bestelregel");
    std::shared_ptr<const sql::RowSource> rows;
    sql::RowsArriving arriving;
    arriving.opened = [&](const sql::StatementResult& r) { rows = r.rows; };
    EXPECT_THROW(statement.execute({}, nullptr, &arriving), DbError);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->rowsSoFar(), 0u);
    EXPECT_THROW(rows->rowCount(), DbError);

    // Without anyone to tell, nothing changes: all rows before execute returns.
    const sql::StatementResult whole = sql::run(*database, "SELECT * FROM Bestelregel");
    EXPECT_TRUE(whole.rows->complete());
    EXPECT_EQ(whole.rows->rowsSoFar(), 284u);
}

}  // namespace
}  // namespace querimo
