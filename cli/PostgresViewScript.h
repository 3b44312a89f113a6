#pragma once
#include <string>

#include "DumpSource.h"
#include "jet/Database.h"

namespace querimo::cli {

// The dump's stored queries as CREATE VIEW statements, each after the views it reads. A query that does not
// translate stays a comment with its Access SQL, and a warning names it and the reason.
std::string postgresViews(jet::Database& db, const DumpSource& source);

}  // namespace querimo::cli
