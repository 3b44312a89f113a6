#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ado/Recordset.h"

namespace querimo::jet {
class Database;
}

namespace querimo::ado {

inline constexpr int adModeShareExclusive = 12;
inline constexpr int adModeShareDenyNone = 16;
inline constexpr int adSchemaColumns = 4;
inline constexpr int adSchemaIndexes = 12;
inline constexpr int adSchemaTables = 20;

// The provider properties that the program sets by name ("Data Source", "Jet OLEDB:Database Password",
// "Jet OLEDB:System database", "User ID", "Password"); names compare without regard to letter case.
class Properties {
public:
    std::string& operator()(const std::string& name);
    std::string value(const std::string& name) const;  // empty when never set

private:
    std::map<std::string, std::string> values_;  // keyed by lower-case name
};

// A connection to one Jet database file. Failures throw DbError (number and Dutch description).
class Connection {
public:
    Connection();
    ~Connection();

    int Mode = adModeShareDenyNone;
    std::string Provider;
    Properties& GetProperties() { return properties_; }

    void Open();
    void Close();
    ObjectState State() const;

    // restrictions: one entry per restriction column, std::nullopt = no restriction.
    std::shared_ptr<Recordset> OpenSchema(int schema, const std::vector<std::optional<std::string>>& restrictions);

    // The open database, for commands. Null when closed.
    jet::Database* database() const { return database_.get(); }

private:
    Properties properties_;
    std::unique_ptr<jet::Database> database_;
};

}  // namespace querimo::ado
