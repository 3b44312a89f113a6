#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace querimo::cli {

enum class Command { Tables, Columns, Indexes, Export, Statement, Script, Dump, None };

struct Arguments {
    std::string user = "Admin";
    std::string password;
    std::string databasePassword;
    bool exclusive = false;
    bool create = false;  // make the database first (it must not exist)
    bool jet3 = false;    // ... as an Access 97 (Jet 3) database
    int accdb = 0;        // ... as an .accdb of this Access version (2007, 2010, 2016, 2019); 0: an .mdb
    std::string database;
    Command command = Command::Tables;
    std::string table;                     // Columns, Indexes, Export
    bool csv = false;                      // Export, Statement
    bool json = false;                     // Statement
    std::string statement;                 // Statement: the SQL; "-" means read it from standard input
    std::string script;                    // Script: the file of statements
    std::string dumpFormat;                // Dump: "postgresql" or "sqlite"
    std::vector<std::string> dumpTargets;  // Dump: the tables (postgresql), the new file (sqlite)
    std::vector<std::pair<std::string, std::optional<std::string>>> parameters;  // --param NAME=VALUE
    double timeoutSeconds = 0;  // Statement, Script: --timeout, per statement; 0 = no limit
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
