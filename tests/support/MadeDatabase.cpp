#include "support/MadeDatabase.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "cli/ScriptCommand.h"

namespace querimo::test {
namespace {
std::mutex sampleMutex;
}

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
    namespace fs = std::filesystem;
    // Made once per test process and version, then copied: hundreds of statements take a while.
    static std::map<jet::Version, fs::path> made;
    std::lock_guard lock(sampleMutex);
    if (!made.count(version)) {
        std::string pattern = (fs::temp_directory_path() / "querimo-voorbeeld-XXXXXX").string();
        const fs::path dir = ::mkdtemp(pattern.data());
        std::ifstream in(fs::path(QUERIMO_SOURCE_DIR) / "resources" / "voorbeeld.sql", std::ios::binary);
        const std::string script{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (made.empty()) {
            static const pid_t owner = ::getpid();
            std::atexit([] {
                if (::getpid() != owner) return;  // a forked child leaves them to its parent
                std::error_code ec;
                for (const auto& [v, file] : made) fs::remove_all(file.parent_path(), ec);
            });
        }
        std::vector<std::string> statements;
        for (const cli::ScriptStatement& statement : cli::splitScript(script)) statements.push_back(statement.text);
        made[version] = makeDatabase(dir / "voorbeeld.mdb", version, statements);
    }
    fs::copy_file(made[version], path);
    return path;
}

}  // namespace querimo::test
