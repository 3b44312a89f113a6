#pragma once
#include <cstdint>
#include <string>

namespace querimo::jet {

// What the file looked like when this process last knew its contents: when another process has written
// since, it differs.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool uncertain = false;  // a change right after it might leave the file looking the same
    bool sameAs(const FileStamp& other) const
    {
        return size == other.size && modifiedSeconds == other.modifiedSeconds
               && modifiedNanoseconds == other.modifiedNanoseconds;
    }
};

// A writer that may not set the file's time (another user) leaves only the file system's coarse clock as
// its mark, so a stamp taken within one tick of that clock may not show the next change. That matters only
// when such writers exist: the file is writable for others, or not ours.
bool stampMayMissAChange(std::uint32_t mode, std::uint32_t owner, std::uint32_t me, std::int64_t modifiedNanoseconds,
                         std::int64_t nowNanoseconds);

// The lock a read or a statement holds on a database that other processes may have open too: a byte-range
// lock of the open file description, far beyond any page, shared for reading and exclusive for writing.
// It keeps its own descriptor, so it neither disturbs nor depends on the page file's whole-file lock.
class StatementLock {
public:
    StatementLock(const std::string& path, bool writable);
    ~StatementLock();
    StatementLock(const StatementLock&) = delete;
    StatementLock& operator=(const StatementLock&) = delete;

    // Wait for the lock. exclusive while holding the shared lock changes it; then another process that
    // holds the shared lock too would wait for us while we wait for it, so that wait is bounded.
    void lock(bool exclusive);
    void unlock();

    FileStamp stamp() const;
    // After a statement of ours landed: gives the file a modification time later than any before, so that
    // every other process sees the change even within one tick of the system clock. Fails silently for
    // files we may write but do not own (their stamp then changes only with the clock's ticks).
    void markWritten();

private:
    std::string path_;
    int fd_ = -1;
    bool holdsShared_ = false;
};

}  // namespace querimo::jet
