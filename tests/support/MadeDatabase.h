#pragma once
// Jet files our own writer makes, for every test that needs a database but not Access's own bytes.
#include <filesystem>
#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::test {

// A new database at path (which must not exist), after running statements (Access SQL) on it in order.
std::filesystem::path makeDatabase(const std::filesystem::path& path, jet::Version version,
                                   const std::vector<std::string>& statements = {});

// The sample database of the build (resources/voorbeeld.sql): Klant, Artikel, Bestelling, Bestelregel with
// keys, a relationship, an index on text, a view and a parameter query.
std::filesystem::path makeSample(const std::filesystem::path& path, jet::Version version);

}  // namespace querimo::test
