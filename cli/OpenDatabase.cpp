#include "OpenDatabase.h"

namespace querimo::cli {

void openDatabase(const Arguments& args, ado::Connection& connection)
{
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.Mode = args.exclusive ? ado::adModeShareExclusive : ado::adModeShareDenyNone;
    auto& properties = connection.GetProperties();
    properties("Data Source") = args.database;
    properties("User ID") = args.user;
    properties("Password") = args.password;
    properties("Jet OLEDB:Database Password") = args.databasePassword;
    connection.Open();
}

}  // namespace querimo::cli
