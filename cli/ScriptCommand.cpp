#include "ScriptCommand.h"

#include <fstream>
#include <iterator>

#include "core/Error.h"

namespace querimo::cli {
namespace {

std::string_view trimmed(std::string_view line)
{
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::vector<ScriptStatement> splitScript(const std::string& script)
{
    std::vector<ScriptStatement> statements;
    ScriptStatement current;
    const auto finish = [&] {
        if (!trimmed(current.text).empty()) statements.push_back(current);
        current = {};
    };
    int number = 0;
    for (std::size_t pos = 0; pos < script.size();) {
        const std::size_t end = std::min(script.find('\n', pos), script.size());
        const std::string_view line(script.data() + pos, end - pos);
        const std::string_view content = trimmed(line);
        ++number;
        pos = end + 1;
        if (content == ";") {
            finish();
        } else if (content.substr(0, 2) != "--") {
            if (trimmed(current.text).empty()) {
                current.text.clear();
                current.line = number;
            }
            current.text.append(line).append("\n");
        }
    }
    finish();
    return statements;
}

void runScript(ado::Connection& connection, const std::string& path, const StatementParameters& parameters,
               RowFormat format, std::FILE* out, double timeoutSeconds)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DbError(errc::fail, "Het script '" + path + "' kan niet gelezen worden.");
    const std::string script{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const ScriptStatement& statement : splitScript(script)) {
        try {
            runStatement(connection, statement.text, parameters, format, out, timeoutSeconds);
        } catch (const DbError& e) {
            throw DbError(e.number(), "Fout in de opdracht op regel " + std::to_string(statement.line) + " van '" + path
                                          + "': " + e.description());
        }
    }
}

}  // namespace querimo::cli
