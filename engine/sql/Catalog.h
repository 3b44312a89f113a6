#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/Database.h"
#include "sql/StoredQueryRows.h"

namespace querimo::sql {

// A stored query as the catalog keeps it. Type numbers are those of MSysQueries (1 select, 2 make-table,
// 3 append, 4 update, 5 delete, 6 crosstab, 7 data definition, 8 pass-through, 9 union).
struct StoredQuery {
    std::string name;
    int type = 1;
    std::string sql;      // rebuilt text
    bool hidden = false;  // ~sq_ queries behind forms and reports

    bool selects() const
    {
        return type == queryrow::SelectQuery || type == queryrow::CrosstabQuery || type == queryrow::UnionQuery;
    }
};

// The names a statement resolves against: the tables and stored queries of one open Jet file.
class Catalog {
public:
    explicit Catalog(jet::Database& db);

    jet::Database& database() { return db_; }
    // Nullptr when no table has this name (case ignored). A linked table fails: its rows live elsewhere.
    const jet::TableDef* findTable(std::string_view name);
    const StoredQuery* findQuery(std::string_view name);
    // Every stored query, in catalog order.
    std::vector<const StoredQuery*> queries();

private:
    void loadQueries();

    jet::Database& db_;
    bool queriesLoaded_ = false;
    std::vector<std::unique_ptr<StoredQuery>> queries_;
};

}  // namespace querimo::sql
