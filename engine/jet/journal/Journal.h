#pragma once
#include <cstdint>
#include <set>
#include <string>

namespace querimo::jet {

// Rollback journal for one statement. Before a page of the database file is overwritten, its bytes as they
// are on disk (still encrypted, for encoded files) go to "<database>-journal" beside the database (for a name
// too long to take that suffix: its start, '~' and a hash of the whole name, then "-journal").
//
// File layout (little-endian):
//   header  (32 bytes): magic "QRMJRNL1", page size u32, salt u32, original file size u64, reserved u32,
//                       CRC-32 of the preceding 28 bytes u32
//   records (8 + page size bytes each): page number u32, CRC-32 of (salt, page number, page) u32, page bytes
// The salt is random per journal, so stale bytes from an earlier journal never pass as a record.
//
// Order of a statement, as the page layer drives it:
//   begin(size) -> saveOriginal(n, old) for each page about to change -> sync() -> write the pages to the
//   database -> commit() (fsync of the database, then the journal is removed and its directory synced).
// sync() may run more than once per statement (pages spilled early); only pages saved before the latest
// sync() may be written. A crash leaves the journal; recover() on the next open writes every valid record
// back and truncates the pages the statement appended. A record that is torn or does not check ends the
// journal there: its page had not been written yet. A journal without a valid header means the database
// was never touched; it is removed. The caller holds the exclusive file lock around all of this.
class Journal {
public:
    // The journal keeps its own descriptor of the database (flock locks of the page layer are not affected).
    Journal(std::string databasePath, std::uint32_t pageSize);
    ~Journal();  // an unfinished statement is rolled back, errors swallowed
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    static std::string pathFor(const std::string& databasePath);

    // Rolls back a journal left by a crash. True when the database was restored from it. A database that
    // cannot be written while a journal lies beside it is an error: it must not be read half-written.
    // Call it before reading anything of the file, page 0 included.
    static bool recover(const std::string& databasePath);

    void begin(std::uint64_t databaseSize);
    bool active() const { return fd_ >= 0; }
    // Keeps the original of one page. False when nothing needs saving: already saved in this statement,
    // or a page appended by it (truncation restores those).
    bool saveOriginal(std::uint32_t pageNumber, const unsigned char* bytes);
    // The same with the page as it is in the file now (still encoded, for encoded files).
    bool saveOriginal(std::uint32_t pageNumber);
    // Makes every saved original durable; pages saved so far may be written after this returns.
    void sync();
    void commit();
    // Writes the saved originals back, truncates appended pages, syncs, removes the journal.
    void rollback();

private:
    void requireActive() const;
    void finish();

    std::string databasePath_;
    std::string journalPath_;
    int databaseFd_ = -1;
    std::uint32_t pageSize_;
    int fd_ = -1;
    std::uint32_t salt_ = 0;
    std::uint64_t originalSize_ = 0;
    std::uint64_t writeOffset_ = 0;
    bool directorySynced_ = false;
    std::set<std::uint32_t> saved_;
};

}  // namespace querimo::jet
