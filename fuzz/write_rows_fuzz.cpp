// libFuzzer target: any bytes as a database file, then written to: in every user table a row added, and the
// first row rewritten and deleted, each as a statement that commits through the journal. A DbError is the
// expected end of a bad file or a refused row; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "core/Error.h"
#include "jet/Database.h"

namespace {

using querimo::DbError;
using querimo::Value;
namespace jet = querimo::jet;

constexpr std::size_t tablesWritten = 8;

// Runs one statement; a refusal rolls it back, as the engine's callers do.
template <typename Work>
void statement(jet::Database& db, Work work)
{
    try {
        db.beginStatement();
        work();
        db.commitStatement();
    } catch (const DbError&) {
        db.rollbackStatement();
    }
}

void writeTable(jet::Database& db, const std::string& name)
{
    const jet::TableDef& table = db.table(name);
    std::vector<Value> first;
    jet::RowId firstId{};
    bool found = false;
    {
        const auto scan = db.scan(table);
        found = scan->next(first);
        if (found) firstId = scan->rowId();
    }
    statement(db, [&] { db.insertRow(table, std::vector<Value>(table.columns.size())); });
    if (!found) return;
    statement(db, [&] {
        db.updateRow(table, firstId, first);
        db.deleteRow(table, firstId);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = querimo::fuzz::inputFile("querimo-fuzz-write", data, size);
    if (path.empty()) return 0;
    try {
        jet::OpenOptions options;
        options.path = path;
        const auto db = jet::Database::open(options);
        std::vector<std::string> tables;
        for (const jet::CatalogEntry& entry : db->catalog())
            if (entry.kind == jet::ObjectKind::Table && tables.size() < tablesWritten) tables.push_back(entry.name);
        for (const std::string& name : tables) {
            try {
                writeTable(*db, name);
            } catch (const DbError&) {}
        }
    } catch (const DbError&) {}
    return 0;
}
