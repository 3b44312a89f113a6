#pragma once
#include <stdexcept>
#include <string>
#include <vector>

namespace querimo::cli {

enum class Command { Tables, Columns, Indexes, Export };

struct Arguments {
    std::string user = "Admin";
    std::string password;
    std::string databasePassword;
    bool exclusive = false;
    std::string database;
    Command command = Command::Tables;
    std::string table;  // Columns, Indexes, Export
    bool csv = false;   // Export
};

// A command line that does not follow the usage; the message says what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

extern const char* const usageText;

// args excludes the program name.
Arguments parseArguments(const std::vector<std::string>& args);

}  // namespace querimo::cli
