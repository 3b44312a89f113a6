#pragma once
#include <atomic>

#include "core/Error.h"

namespace querimo {

inline constexpr const char* statementStoppedMessage = "De query is afgebroken.";

// What a stopped statement throws, wherever it noticed the request.
inline DbError statementStopped()
{
    return DbError(errc::cancelled, statementStoppedMessage);
}

// A request to stop a running statement, made from another thread (or a signal handler: request() only
// stores a lock-free atomic). The statement looks at it between pages, rows and SQLite steps.
class StopSignal {
public:
    void request() noexcept { requested_.store(true, std::memory_order_relaxed); }
    void clear() noexcept { requested_.store(false, std::memory_order_relaxed); }
    bool requested() const noexcept { return requested_.load(std::memory_order_relaxed); }
    void check() const
    {
        if (requested()) throw statementStopped();
    }

private:
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> requested_{false};
};

}  // namespace querimo
