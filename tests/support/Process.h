#pragma once
#include <string>
#include <vector>

namespace querimo::test {

struct ProcessResult {
    int exitCode = -1;  // -1 when the process did not exit normally (signal, timeout)
    bool timedOut = false;
    std::string out;
    std::string err;
};

// Runs a program (looked up in PATH when the name has no '/') with the given arguments, waits at most
// timeoutSeconds, and returns its exit code and everything it wrote. interruptAfterMs >= 0: sends it SIGINT
// (Ctrl+C) once that long after the start.
ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds = 120, int interruptAfterMs = -1);

// The querimo-sql under test: $QUERIMO_SQL. Empty when not set.
std::string querimoSqlPath();

}  // namespace querimo::test
