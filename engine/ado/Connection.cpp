#include "ado/Connection.h"

#include <sys/stat.h>

#include "ado/SchemaRowsets.h"
#include "core/Error.h"
#include "core/Text.h"
#include "jet/Database.h"

namespace querimo::ado {
namespace {

constexpr const char* jetProvider = "microsoft.jet.oledb.4.0";

bool fileExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// Jet's default account is always there. Other accounts live in a workgroup file whose password store we
// cannot read, so they are refused whether or not that file exists.
void checkUser(const std::string& user, const std::string& password, const std::string& workgroup)
{
    const bool admin = user.empty() || text::equalsIgnoreCase(user, "Admin");
    if (admin && password.empty()) return;
    const std::string why = fileExists(workgroup) ? " De gebruikers van werkgroepbestand '" + workgroup
                                                        + "' kunnen niet gecontroleerd worden;"
                                                  : "";
    throw DbError(errc::authentication, "Gebruikersnaam of wachtwoord is ongeldig." + why
                                            + " Alleen de gebruiker Admin zonder wachtwoord wordt aanvaard.");
}

}  // namespace

std::string& Properties::operator()(const std::string& name)
{
    return values_[text::toLower(name)];
}

std::string Properties::value(const std::string& name) const
{
    const auto found = values_.find(text::toLower(name));
    return found == values_.end() ? std::string() : found->second;
}

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Open()
{
    if (database_) throw DbError(errc::fail, "De verbinding is al geopend.");
    if (!text::equalsIgnoreCase(Provider, jetProvider))
        throw DbError(errc::fail,
                      "De provider '" + Provider + "' wordt niet ondersteund; gebruik Microsoft.Jet.OLEDB.4.0.");
    jet::OpenOptions options;
    options.path = properties_.value("Data Source");
    if (options.path.empty())
        throw DbError(errc::fail, "Er is geen databasebestand opgegeven (eigenschap Data Source).");
    checkUser(properties_.value("User ID"), properties_.value("Password"),
              properties_.value("Jet OLEDB:System database"));
    options.exclusive = (Mode & adModeShareExclusive) == adModeShareExclusive;
    options.databasePassword = properties_.value("Jet OLEDB:Database Password");
    database_ = jet::Database::open(options);
}

void Connection::Close()
{
    database_.reset();
}

ObjectState Connection::State() const
{
    return database_ ? ObjectState::Open : ObjectState::Closed;
}

std::shared_ptr<Recordset> Connection::OpenSchema(int schema,
                                                  const std::vector<std::optional<std::string>>& restrictions)
{
    if (!database_) throw DbError(errc::fail, "De verbinding is gesloten.");
    // Under the read lock: the catalog is read again when another process changed the file.
    jet::ReadGuard read(*database_);
    switch (schema) {
    case adSchemaTables: return tablesRowset(*database_, restrictions);
    case adSchemaColumns: return columnsRowset(*database_, restrictions);
    case adSchemaIndexes: return indexesRowset(*database_, restrictions);
    default: throw DbError(errc::fail, "Schema " + std::to_string(schema) + " wordt niet ondersteund.");
    }
}

}  // namespace querimo::ado
