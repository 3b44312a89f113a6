#include "support/ScanAll.h"

#include <stdexcept>
#include <vector>

#include "jet/Database.h"

namespace querimo::test {

std::size_t scanEverything(const std::string& path, std::size_t maxRows,
                           const std::function<void(const DbError&)>& onError)
{
    auto db = jet::Database::open({path, false, ""});
    std::size_t rows = 0;
    std::vector<Value> row;
    for (const jet::CatalogEntry& entry : db->catalog()) {
        try {
            if (entry.kind == jet::ObjectKind::Query) {
                rows += db->queryRows(entry.id).size();
            } else if (entry.kind != jet::ObjectKind::LinkedTable) {
                auto scan = db->scan(db->table(entry.name));
                while (scan->next(row))
                    if (++rows > maxRows) throw std::length_error("scan of " + entry.name + " does not end");
            }
        } catch (const DbError& e) {
            onError(e);
        }
    }
    return rows;
}

}  // namespace querimo::test
