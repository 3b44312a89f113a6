#include <vector>

#include "Commands.h"
#include "RowWriter.h"
#include "jet/Database.h"

namespace querimo::cli {

void exportTable(ado::Connection& connection, const std::string& table, bool csv, std::FILE* out)
{
    jet::Database& db = *connection.database();
    // One state of the file from the definition to the last row: another process may be writing it.
    const jet::ReadGuard read(db);
    const jet::TableDef& def = db.table(table);
    RowWriter writer(out, csv ? RowWriter::Format::Csv : RowWriter::Format::Tab);
    for (const jet::ColumnDef& column : def.columns) writer.field(column.name);
    writer.endRow();
    auto scan = db.scan(def);
    std::vector<Value> row;
    while (scan->next(row)) {
        for (const Value& v : row) writer.value(v);
        writer.endRow();
    }
    writer.finish();
}

}  // namespace querimo::cli
