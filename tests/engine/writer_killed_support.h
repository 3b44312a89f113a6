#pragma once
// A writer process killed at a random moment while it runs statement after statement.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "engine/writer_rows_support.h"

namespace querimo::test {

// A child process opens the file and runs statements first, first + 1, ... (each `work(db, k)` in one
// statement) until it is killed, at most `pause` after the first one landed. Returns how many it reported
// landed; the one in flight may have landed too, unreported.
template <typename Work>
int killWhileWriting(const std::string& path, int first, std::chrono::microseconds pause, std::mt19937& random,
                     Work work)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "pipe";
        return 0;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ADD_FAILURE() << "fork";
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return 0;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        try {
            auto db = openFile(path);
            for (int k = first;; ++k) {
                inStatement(*db, [&] { work(*db, k); });
                if (::write(pipeEnds[1], "+", 1) != 1) ::_exit(3);
            }
        } catch (...) {
            ::_exit(2);
        }
    }
    ::close(pipeEnds[1]);
    // One statement lands first, however busy the machine; the kill falls in a later one.
    char byte;
    int reported = ::read(pipeEnds[0], &byte, 1) == 1 ? 1 : 0;
    std::this_thread::sleep_for(std::chrono::microseconds(random() % pause.count()));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "het kind stopte zelf met code " << WEXITSTATUS(status);
    while (::read(pipeEnds[0], &byte, 1) == 1) ++reported;
    ::close(pipeEnds[0]);
    return reported;
}

}  // namespace querimo::test
