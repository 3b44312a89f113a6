#pragma once
#include <string>

#include "jet/Database.h"

namespace querimo::test {

// SQLite's plan for an Access statement on `db`, one line per step ("SEARCH ... VIRTUAL TABLE INDEX ..."), to
// check which reads the planner chose. Throws std::runtime_error when SQLite cannot prepare it.
std::string queryPlan(jet::Database& db, const std::string& statement);

}  // namespace querimo::test
