#pragma once
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/StopSignal.h"

namespace querimo::cli {

// Exit statuses of a stopped run.
inline constexpr int interruptedStatus = 130;  // Ctrl+C, as a shell reports a program SIGINT ended
inline constexpr int timedOutStatus = 124;     // --timeout, as timeout(1) reports it

// From now on Ctrl+C (SIGINT) stops the statement that runs; when none runs it ends the program with
// interruptedStatus at once.
void stopStatementsOnInterrupt();
// Whether Ctrl+C was pressed.
bool interrupted();

// While it lives a statement runs, stoppable through signal(): by Ctrl+C, and when it runs longer than
// timeoutSeconds (0: no limit).
class RunningStatement {
public:
    explicit RunningStatement(double timeoutSeconds);
    ~RunningStatement();
    RunningStatement(const RunningStatement&) = delete;
    RunningStatement& operator=(const RunningStatement&) = delete;

    const StopSignal* signal() const;
    bool timedOut() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    bool timedOut_ = false;
    std::thread timer_;
};

}  // namespace querimo::cli
