#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "core/Error.h"

namespace querimo::test {

// Opens a Jet file and reads everything in it: every table's rows, also through each of its indexes, and every
// stored query's rows.
// A failure of one table or query goes to onError and the rest is still read; a failure to open throws.
// Throws std::length_error when a scan yields more rows than maxRows (a loop in the file's structures).
// Returns the number of rows read.
std::size_t scanEverything(const std::string& path, std::size_t maxRows,
                           const std::function<void(const DbError&)>& onError);

}  // namespace querimo::test
