#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Arguments.h"
#include "Commands.h"
#include "OpenDatabase.h"
#include "StatementCommand.h"
#include "core/Error.h"

using namespace querimo;

namespace {

void run(const cli::Arguments& args)
{
    ado::Connection connection;
    cli::openDatabase(args, connection);
    switch (args.command) {
    case cli::Command::Tables: cli::listTables(connection, stdout); break;
    case cli::Command::Columns: cli::listColumns(connection, args.table, stdout); break;
    case cli::Command::Indexes: cli::listIndexes(connection, args.table, stdout); break;
    case cli::Command::Export: cli::exportTable(connection, args.table, args.csv, stdout); break;
    case cli::Command::Statement: {
        const std::string sql = args.statement == "-" ? cli::readStandardInput() : args.statement;
        const auto format = args.json ? cli::RowFormat::Json : args.csv ? cli::RowFormat::Csv : cli::RowFormat::Tab;
        cli::runStatement(connection, sql, args.parameters, format, stdout);
        break;
    }
    }
}

}  // namespace

// Exit status: 0 success, 1 the database or the command failed, 2 the command line is wrong.
int main(int argc, char** argv)
{
    cli::Arguments args;
    try {
        args = cli::parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const cli::UsageError& e) {
        std::fprintf(stderr, "%s\n%s", e.what(), cli::usageText);
        return 2;
    }
    try {
        run(args);
        return 0;
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Onverwachte fout: %s\n", e.what());
    }
    return 1;
}
