// A writer killed in the middle of a cascading delete: the file holds every statement before it whole and
// nothing of the one it was in.
#include <gtest/gtest.h>

#include "engine/writer_killed_support.h"
#include "engine/writer_rows_cascade_support.h"

namespace querimo::test {
namespace {

constexpr int childrenPerParent = 60;

// Statement k adds parent k with its children and deletes parent k - 1, whose children go with it.
void replaceParent(jet::Database& db, int k)
{
    const jet::TableDef& parents = db.table("Ouder");
    const jet::TableDef& children = db.table("Kind");
    db.insertRow(parents, {Value::int32(k)});
    for (int n = 0; n < childrenPerParent; ++n)
        db.insertRow(children, {Value::null(), Value::int32(k), Value::text(std::string(20 + n, 'k'))});
    for (const auto& [id, row] : rowsById(db, "Ouder"))
        if (row[0] == Value::int32(k - 1)) db.deleteRow(parents, id);
}

TEST(CascadeCrash, AKilledCascadeLeavesTheStatementsBeforeItWhole)
{
    ScratchDir dir;
    const std::string path =
        dir.database(jet::Version::Jet4, {"CREATE TABLE Ouder (Nr LONG PRIMARY KEY)",
                                          "CREATE TABLE Kind (Nr COUNTER PRIMARY KEY, Ouder LONG NOT NULL, Tekst "
                                          "TEXT(100), CONSTRAINT OuderKind FOREIGN KEY (Ouder) REFERENCES Ouder "
                                          "ON DELETE CASCADE)"});
    std::mt19937 random(20261207);
    int last = 0;  // statements 1..last are in the file
    for (int run = 0; run < 25; ++run) {
        const int reported = killWhileWriting(path, last + 1, std::chrono::microseconds(60000), random, replaceParent);
        ASSERT_FALSE(::testing::Test::HasFailure());
        auto db = openFile(path);
        const auto parents = readRows(*db, "Ouder");
        ASSERT_EQ(parents.size(), 1u) << "run " << run;
        const int now = parents[0][0].integer;
        ASSERT_TRUE(now == last + reported || now == last + reported + 1) << "run " << run;
        const auto children = readRows(*db, "Kind");
        ASSERT_EQ(children.size(), std::size_t{childrenPerParent}) << "run " << run;
        for (const auto& row : children) ASSERT_EQ(row[1], Value::int32(now)) << "run " << run;
        last = now;
    }
    for (const char* table : {"Ouder", "Kind"}) expectIndexesMatchRows(path, table);
}

}  // namespace
}  // namespace querimo::test
