#pragma once
// Shared by the table definition tests: columns to define and statements on a file.
#include <string>

#include "jet/Database.h"
#include "writer_rows_support.h"

namespace querimo::test {

inline jet::ColumnDef column(const std::string& name, jet::ColumnType type, int size = 0)
{
    jet::ColumnDef c;
    c.name = name;
    c.type = type;
    c.size = size;
    return c;
}

// One statement on a fresh open of the file; a failing statement is rolled back and its error rethrown.
template <typename Work>
void runStatement(const std::string& path, Work work)
{
    auto db = openFile(path);
    db->beginStatement();
    try {
        work(*db);
        db->commitStatement();
    } catch (...) {
        db->rollbackStatement();
        throw;
    }
}

}  // namespace querimo::test
