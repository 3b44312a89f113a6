#include "StatementStop.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>

namespace querimo::cli {
namespace {

// Shared with the signal handler: lock-free atomics only.
StopSignal statementSignal;
std::atomic<bool> statementRuns{false};
std::atomic<bool> interruptPressed{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int)
{
    interruptPressed.store(true);
    if (!statementRuns.load()) _exit(interruptedStatus);
    statementSignal.request();
}

}  // namespace

void stopStatementsOnInterrupt()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

bool interrupted()
{
    return interruptPressed.load();
}

RunningStatement::RunningStatement(double timeoutSeconds)
{
    statementSignal.clear();
    statementRuns.store(true);
    if (interruptPressed.load()) statementSignal.request();  // pressed while the signal was cleared
    if (timeoutSeconds <= 0) return;
    timer_ = std::thread([this, timeoutSeconds] {
        std::unique_lock lock(mutex_);
        if (ended_.wait_for(lock, std::chrono::duration<double>(timeoutSeconds), [this] { return done_; })) return;
        timedOut_ = true;
        statementSignal.request();
    });
}

RunningStatement::~RunningStatement()
{
    statementRuns.store(false);
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    ended_.notify_all();
    if (timer_.joinable()) timer_.join();
}

const StopSignal* RunningStatement::signal() const
{
    return &statementSignal;
}

bool RunningStatement::timedOut() const
{
    const std::lock_guard lock(mutex_);
    return timedOut_;
}

}  // namespace querimo::cli
