#pragma once
#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// The kind of a stored query from its MSysQueries rows (1 select when the rows do not say).
int storedQueryType(const std::vector<jet::QueryRow>& rows);

// The Access SQL text of a stored query, rebuilt from its decomposed MSysQueries rows.
std::string rebuildQueryText(const std::vector<jet::QueryRow>& rows);

// A name as Access writes it in SQL: bracketed when it holds anything but letters, digits and '_'.
std::string quoteName(const std::string& name);

}  // namespace querimo::sql
