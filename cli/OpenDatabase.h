#pragma once
#include "Arguments.h"
#include "ado/Connection.h"

namespace querimo::cli {

// Opens the database of the command line the way the program does: Jet provider, login values, share mode.
void openDatabase(const Arguments& args, ado::Connection& connection);

}  // namespace querimo::cli
