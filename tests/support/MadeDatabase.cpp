#include "support/MadeDatabase.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "ado/Command.h"
#include "ado/Connection.h"

namespace querimo::test {

std::filesystem::path makeDatabase(const std::filesystem::path& path, jet::Version version,
                                   const std::vector<std::string>& statements)
{
    jet::Database::create(path.string(), version);
    if (statements.empty()) return path;
    ado::Connection connection;
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.GetProperties()("Data Source") = path.string();
    connection.Open();
    for (const std::string& text : statements) {
        ado::Command command;
        command.ActiveConnection = &connection;
        command.SetCommandText(text);
        long affected = 0;
        command.Execute(&affected);
    }
    return path;
}

std::filesystem::path makeSample(const std::filesystem::path& path, jet::Version version)
{
    std::ifstream in(std::filesystem::path(QUERIMO_SOURCE_DIR) / "resources" / "voorbeeld.sql", std::ios::binary);
    const std::string script{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return makeDatabase(path, version, scriptStatements(script));
}

std::vector<std::string> scriptStatements(const std::string& script)
{
    std::vector<std::string> statements;
    std::string current;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == ";") {
            if (current.find_first_not_of(" \n") != std::string::npos) statements.push_back(current);
            current.clear();
        } else if (line.rfind("--", 0) != 0) {
            current += line + "\n";
        }
    }
    if (current.find_first_not_of(" \n") != std::string::npos) statements.push_back(current);
    return statements;
}

}  // namespace querimo::test
