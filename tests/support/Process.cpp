#include "support/Process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace querimo::test {

namespace {

void closeIfOpen(int& fd)
{
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds, int interruptAfterMs)
{
    if (argv.empty()) throw std::invalid_argument("runProcess: no program");
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0) throw std::runtime_error("pipe failed");
    if (pipe(errPipe) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        throw std::runtime_error("pipe failed");
    }
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(outPipe[1]);
        close(errPipe[0]);
        close(errPipe[1]);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);

    ProcessResult result;
    int fds[2] = {outPipe[0], errPipe[0]};
    std::string* sinks[2] = {&result.out, &result.err};
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::seconds(timeoutSeconds);
    const auto interruptAt = start + std::chrono::milliseconds(interruptAfterMs);
    bool interrupt = interruptAfterMs >= 0;
    char buffer[65536];
    while (fds[0] >= 0 || fds[1] >= 0) {
        if (interrupt && std::chrono::steady_clock::now() >= interruptAt) {
            kill(pid, SIGINT);
            interrupt = false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd polled[2];
        for (int i = 0; i < 2; ++i) polled[i] = {fds[i], POLLIN, 0};
        auto wait = left;
        if (interrupt)
            wait = std::min(wait, std::chrono::duration_cast<std::chrono::milliseconds>(
                                      interruptAt - std::chrono::steady_clock::now() + std::chrono::milliseconds(1)));
        if (poll(polled, 2, static_cast<int>(std::max<std::int64_t>(wait.count(), 0))) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i] < 0 || !(polled[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = read(fds[i], buffer, sizeof buffer);
            if (n > 0)
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                closeIfOpen(fds[i]);
        }
    }
    closeIfOpen(fds[0]);
    closeIfOpen(fds[1]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (!result.timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

std::string querimoSqlPath()
{
    const char* env = std::getenv("QUERIMO_SQL");
    return env ? env : "";
}

}  // namespace querimo::test
