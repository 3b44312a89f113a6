#pragma once
// Shared by the cascade tests: statements run on a file, and every index of a table checked entry by entry
// against its rows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/writer_file_pages.h"
#include "engine/writer_rows_support.h"
#include "sql/Sql.h"
#include "support/Csv.h"
#include "support/Process.h"

namespace querimo::test {

// The rows an action statement reports, run on a fresh open of the file.
inline long affected(const std::string& path, const std::string& statement)
{
    auto db = openFile(path);
    return sql::run(*db, statement).recordsAffected;
}

// The statement fails naming each of `named`, and the file keeps every byte.
inline void expectRefused(const std::string& path, const std::string& statement, const std::vector<std::string>& named)
{
    SCOPED_TRACE(statement);
    const std::string before = readBytes(path);
    const DbError e = errorFrom([&] { affected(path, statement); }, statement);
    for (const std::string& name : named) EXPECT_NE(e.description().find(name), std::string::npos) << e.description();
    EXPECT_TRUE(readBytes(path) == before);
}

// Every real index of the table holds exactly one entry per row, pointing to it with the key its row gives.
inline void expectIndexesMatchRows(const std::string& path, const std::string& table)
{
    SCOPED_TRACE(table);
    auto db = openFile(path);
    std::set<jet::RowId> rows;
    for (const auto& [id, row] : rowsById(*db, table)) rows.insert(id);
    writertest::FilePages file(path);
    const jet::TableLayout layout = file.table(table);
    for (const jet::RealIndexLayout& real : layout.realIndexes) {
        const writertest::IndexWalk walk = file.walk(real);
        EXPECT_EQ(walk.problem, "");
        std::set<jet::RowId> pointed;
        for (const jet::IndexEntry& leaf : walk.leaves) {
            pointed.insert(leaf.dataPage << 8 | leaf.dataRow);
            EXPECT_EQ(writertest::hex(
                          writertest::keyOfRow(db->version(), layout, real.columns, file.rowOf(layout, leaf)).bytes),
                      writertest::hex(leaf.key));
        }
        EXPECT_EQ(walk.leaves.size(), rows.size());
        EXPECT_EQ(pointed, rows);
    }
}

// The table as mdb-export gives it, header line left out.
inline std::vector<CsvRow> exported(const std::string& path, const std::string& table)
{
    const ProcessResult result = runProcess({"mdb-export", path, table});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<CsvRow> rows = parseCsv(result.out);
    if (!rows.empty()) rows.erase(rows.begin());
    return rows;
}

}  // namespace querimo::test
