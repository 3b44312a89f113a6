#pragma once
#include <filesystem>
#include <string>

namespace querimo::bench {

// A large Access database made by our own writer, for the SQL benchmarks: Klant (customers, one per hundred
// orders, with a primary key) and Bestelling (orders, with a primary key). The same orders and customers
// always, so runs can be compared. Made in folder the first time, kept there after.
std::string largeDatabase(const std::filesystem::path& folder, int orders);

}  // namespace querimo::bench
