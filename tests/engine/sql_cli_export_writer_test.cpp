// querimo-sql --export while another process inserts: every export reads one state of the file, with
// every row committed before it, and never calls the healthy file damaged.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <sstream>
#include <thread>

#include "jet_test_files.h"
#include "sql/Sql.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

TEST(QuerimoSqlExport, OneStateOfAFileAnotherProcessWrites)
{
    ASSERT_FALSE(querimoSqlPath().empty()) << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    ScratchDir scratch;
    const std::string path = scratch.database(jet::Version::Jet4, {"CREATE TABLE Logboek (Nr LONG, Tekst MEMO)"});
    int rows = 1;
    {
        auto database = jet::Database::open({path, false, {}});
        sql::run(*database, "INSERT INTO Logboek VALUES (0, String(3000, 'x'))");
        for (; rows < 1024; rows *= 2)  // long enough to export that inserts land while it reads
            sql::run(*database,
                     "INSERT INTO Logboek (Nr, Tekst) SELECT Nr + " + std::to_string(rows) + ", Tekst FROM Logboek");
    }
    std::atomic<bool> done{false};
    std::atomic<int> inserted{0};
    // Its own open of the file, locked apart from the exporting process as another program's would be; each
    // statement grows the file by a long value.
    std::thread writer([&] {
        auto database = jet::Database::open({path, false, {}});
        for (int k = rows; !done; ++k, ++inserted)
            sql::run(*database, "INSERT INTO Logboek VALUES (" + std::to_string(k) + ", String(3000, 'x'))");
    });
    for (int i = 0; i < 25; ++i) {
        const ProcessResult exported = runProcess({querimoSqlPath(), path, "--export", "Logboek"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        std::istringstream lines(exported.out);
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line, "Nr\tTekst");
        std::set<int> numbers;
        while (std::getline(lines, line)) {
            EXPECT_EQ(line.substr(line.find('\t') + 1), std::string(3000, 'x'));
            numbers.insert(std::stoi(line));
        }
        if (!numbers.empty()) {
            EXPECT_EQ(*numbers.rbegin() + 1, static_cast<int>(numbers.size()));
        }
    }
    done = true;
    writer.join();
    EXPECT_GT(inserted, 0);
}

}  // namespace
}  // namespace querimo::test
