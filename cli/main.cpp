#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Arguments.h"
#include "Commands.h"
#include "Dumps.h"
#include "OpenDatabase.h"
#include "ScriptCommand.h"
#include "StatementCommand.h"
#include "StatementStop.h"
#include "core/Error.h"
#include "jet/Database.h"

using namespace querimo;

namespace {

void run(const cli::Arguments& args)
{
    if (args.create && args.accdb != 0)
        jet::Database::createAccdb(args.database, args.accdb);
    else if (args.create)
        jet::Database::create(args.database, args.jet3 ? jet::Version::Jet3 : jet::Version::Jet4);
    if (args.command == cli::Command::None) return;
    ado::Connection connection;
    cli::openDatabase(args, connection);
    const auto format = args.json ? cli::RowFormat::Json : args.csv ? cli::RowFormat::Csv : cli::RowFormat::Tab;
    switch (args.command) {
    case cli::Command::None: break;
    case cli::Command::Tables: cli::listTables(connection, stdout); break;
    case cli::Command::Columns: cli::listColumns(connection, args.table, stdout); break;
    case cli::Command::Indexes: cli::listIndexes(connection, args.table, stdout); break;
    case cli::Command::Export: cli::exportTable(connection, args.table, args.csv, stdout); break;
    case cli::Command::Statement: {
        const std::string sql = args.statement == "-" ? cli::readStandardInput() : args.statement;
        cli::runStatement(connection, sql, args.parameters, format, stdout, args.timeoutSeconds);
        break;
    }
    case cli::Command::Script:
        cli::runScript(connection, args.script, args.parameters, format, stdout, args.timeoutSeconds);
        break;
    case cli::Command::Dump:
        if (args.dumpFormat == "sqlite")
            cli::dumpSqlite(*connection.database(), args.dumpTargets.front());
        else
            cli::dumpPostgreSql(*connection.database(), args.dumpTargets, stdout);
        break;
    }
}

}  // namespace

// Exit status: 0 success, 1 the database or the command failed, 2 the command line is wrong, 124 a statement
// ran longer than --timeout, 130 Ctrl+C.
int main(int argc, char** argv)
{
    cli::Arguments args;
    try {
        args = cli::parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const cli::UsageError& e) {
        std::fprintf(stderr, "%s\n%s", e.what(), cli::usageText);
        return 2;
    }
    cli::stopStatementsOnInterrupt();
    try {
        run(args);
        return cli::interrupted() ? cli::interruptedStatus : 0;
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        if (cli::interrupted()) return cli::interruptedStatus;
        if (e.number() == errc::cancelled) return cli::timedOutStatus;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Onverwachte fout: %s\n", e.what());
    }
    return 1;
}
