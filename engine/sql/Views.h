#pragma once
#include <optional>
#include <string>
#include <vector>

#include "jet/Database.h"
#include "sql/Compiler.h"

namespace querimo::sql {

// A stored query the schema reports as a "VIEW": a select, union or crosstab query without parameters.
struct View {
    std::string name;
    std::vector<ResultColumn> columns;  // in order; types as the record set reports them
};

// The views of the database in catalog order. Queries behind forms and reports (~sq_) are left out, and so
// is a stored query whose text does not translate.
std::vector<View> databaseViews(jet::Database& database);

// One view by name (letter case ignored); nullopt when no view has that name.
std::optional<View> databaseView(jet::Database& database, const std::string& name);

}  // namespace querimo::sql
