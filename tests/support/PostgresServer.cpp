#include "support/PostgresServer.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

namespace querimo::test {

namespace {
const char* const superuser = "querimo";
}

std::filesystem::path PostgresServer::binaries()
{
    const std::filesystem::path dir = "/usr/lib/postgresql/15/bin";
    return std::filesystem::exists(dir / "initdb") && std::filesystem::exists(dir / "pg_ctl") ? dir : "";
}

std::vector<std::string> PostgresServer::asServerUser(std::vector<std::string> command) const
{
    if (geteuid() == 0) command.insert(command.begin(), {"runuser", "-u", "nobody", "--"});
    return command;
}

PostgresServer::PostgresServer()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "querimo-pg-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (!nobody || chown(dir_.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
            throw std::runtime_error("cannot hand the cluster folder to nobody");
    }
    const std::string bin = binaries().string();
    const ProcessResult init = runProcess(asServerUser({bin + "/initdb", "-D", (dir_ / "data").string(), "-U",
                                                        superuser, "-A", "trust", "-E", "UTF8", "--locale=C.UTF-8"}));
    if (init.exitCode != 0) {
        startError_ = "initdb: " + init.err;
        return;
    }
    const ProcessResult start = runProcess(asServerUser(
        {bin + "/pg_ctl", "-D", (dir_ / "data").string(), "-l", (dir_ / "log").string(), "-w", "-o",
         "-k " + dir_.string() + " -c listen_addresses='' -c fsync=off -c full_page_writes=off", "start"}));
    started_ = start.exitCode == 0;
    if (!started_) startError_ = "pg_ctl start: " + start.out + start.err;
}

PostgresServer::~PostgresServer()
{
    if (started_)
        runProcess(asServerUser(
            {binaries().string() + "/pg_ctl", "-D", (dir_ / "data").string(), "-m", "fast", "-w", "stop"}));
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

ProcessResult PostgresServer::psql(const std::string& database, const std::vector<std::string>& args) const
{
    std::vector<std::string> command{(binaries() / "psql").string(),
                                     "-X",
                                     "-q",
                                     "-h",
                                     dir_.string(),
                                     "-U",
                                     superuser,
                                     "-d",
                                     database,
                                     "-v",
                                     "ON_ERROR_STOP=1"};
    command.insert(command.end(), args.begin(), args.end());
    return runProcess(command, 600);
}

void PostgresServer::createDatabase(const std::string& name) const
{
    const ProcessResult made = psql("postgres", {"-c", "CREATE DATABASE \"" + name + "\""});
    if (made.exitCode != 0) throw std::runtime_error("CREATE DATABASE " + name + ": " + made.err);
}

}  // namespace querimo::test
