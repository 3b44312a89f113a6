#pragma once
// A PostgreSQL 15 server of the tests' own: a cluster in a temporary folder, reached on a Unix socket there.
#include <filesystem>
#include <string>
#include <vector>

#include "support/Process.h"

namespace querimo::test {

class PostgresServer {
public:
    // Where Debian's postgresql-15 keeps initdb and pg_ctl; empty when the package is not installed.
    static std::filesystem::path binaries();

    // Makes and starts the cluster; as user nobody when the tests run as root (the server refuses root).
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    bool started() const { return started_; }
    const std::string& startError() const { return startError_; }

    // psql on one database, stopping at the first error; args follow the connection options.
    ProcessResult psql(const std::string& database, const std::vector<std::string>& args) const;
    void createDatabase(const std::string& name) const;

private:
    std::vector<std::string> asServerUser(std::vector<std::string> command) const;

    std::filesystem::path dir_;
    bool started_ = false;
    std::string startError_;
};

}  // namespace querimo::test
