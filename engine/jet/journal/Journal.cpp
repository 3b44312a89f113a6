#include "jet/journal/Journal.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"

namespace querimo::jet {

namespace {

constexpr char magic[8] = {'Q', 'R', 'M', 'J', 'R', 'N', 'L', '1'};
constexpr std::size_t headerSize = 32;
constexpr std::size_t recordHeaderSize = 8;

std::uint32_t crc32(std::uint32_t crc, const unsigned char* data, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void put32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void put64(unsigned char* p, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t get32(const unsigned char* p)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

std::uint64_t get64(const unsigned char* p)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

std::uint32_t recordChecksum(std::uint32_t salt, std::uint32_t pageNumber, const unsigned char* page,
                             std::size_t pageSize)
{
    unsigned char prefix[8];
    put32(prefix, salt);
    put32(prefix + 4, pageNumber);
    return crc32(crc32(0, prefix, sizeof prefix), page, pageSize);
}

[[noreturn]] void fail(const std::string& what, const std::string& path)
{
    throw DbError(errc::fail, what + " '" + path + "': " + std::strerror(errno));
}

void writeAll(int fd, const unsigned char* data, std::size_t size, std::uint64_t offset, const std::string& path)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail("Schrijven is mislukt in", path);
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
}

// Bytes actually read; short at the end of the file.
std::size_t readUpTo(int fd, unsigned char* data, std::size_t size, std::uint64_t offset, const std::string& path)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("Lezen is mislukt in", path);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void syncFile(int fd, const std::string& path)
{
    if (::fsync(fd) != 0) fail("Wegschrijven naar schijf is mislukt voor", path);
}

// Makes creating or removing the journal durable.
void syncDirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) fail("De map kan niet worden geopend", dir);
    const int rc = ::fsync(fd);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    // Some file systems refuse fsync on a directory; their metadata is then ordered already.
    if (rc != 0 && errno != EINVAL) fail("Wegschrijven naar schijf is mislukt voor de map", dir);
}

void removeJournal(const std::string& journalPath)
{
    if (::unlink(journalPath.c_str()) != 0 && errno != ENOENT)
        fail("Het journaal kan niet worden verwijderd:", journalPath);
    syncDirectoryOf(journalPath);
}

struct Header {
    std::uint32_t pageSize = 0;
    std::uint32_t salt = 0;
    std::uint64_t originalSize = 0;
};

bool parseHeader(const unsigned char* h, Header& out)
{
    if (std::memcmp(h, magic, sizeof magic) != 0) return false;
    if (get32(h + 28) != crc32(0, h, 28)) return false;
    out.pageSize = get32(h + 8);
    out.salt = get32(h + 12);
    out.originalSize = get64(h + 16);
    return true;
}

// Writes every valid record of the journal open at fd back into the database and truncates it.
// Returns whether the journal had a valid header (that is, whether anything was rolled back).
bool replay(int fd, const std::string& journalPath, int databaseFd, const std::string& databasePath,
            std::uint32_t pageSize)
{
    unsigned char h[headerSize];
    Header header;
    if (readUpTo(fd, h, headerSize, 0, journalPath) < headerSize || !parseHeader(h, header)) return false;
    // Jet pages are 2048 (Jet 3) or 4096 (Jet 4) bytes; pageSize 0 takes the journal's word for which.
    if ((pageSize != 0 && header.pageSize != pageSize) || (header.pageSize != 2048 && header.pageSize != 4096))
        throw DbError(errc::fail, "Het journaal '" + journalPath + "' hoort niet bij de database '" + databasePath
                                      + "' (andere paginagrootte); de database is niet hersteld");
    pageSize = header.pageSize;
    std::vector<unsigned char> record(recordHeaderSize + pageSize);
    for (std::uint64_t offset = headerSize;; offset += record.size()) {
        if (readUpTo(fd, record.data(), record.size(), offset, journalPath) < record.size()) break;
        const std::uint32_t pageNumber = get32(record.data());
        const unsigned char* page = record.data() + recordHeaderSize;
        if (get32(record.data() + 4) != recordChecksum(header.salt, pageNumber, page, pageSize)) break;
        if (static_cast<std::uint64_t>(pageNumber) * pageSize >= header.originalSize) break;
        writeAll(databaseFd, page, pageSize, static_cast<std::uint64_t>(pageNumber) * pageSize, databasePath);
    }
    struct stat st {};
    if (::fstat(databaseFd, &st) != 0) fail("De grootte kan niet worden bepaald van", databasePath);
    if (static_cast<std::uint64_t>(st.st_size) > header.originalSize
        && ::ftruncate(databaseFd, static_cast<off_t>(header.originalSize)) != 0)
        fail("Inkorten is mislukt van", databasePath);
    syncFile(databaseFd, databasePath);
    return true;
}

}  // namespace

Journal::Journal(std::string databasePath, std::uint32_t pageSize)
    : databasePath_(std::move(databasePath)), journalPath_(pathFor(databasePath_)), pageSize_(pageSize)
{}

Journal::~Journal()
{
    if (!active()) return;
    try {
        rollback();
    } catch (const DbError&) {
        // The journal stays on disk; the next open rolls back.
        finish();
    }
}

std::string Journal::pathFor(const std::string& databasePath)
{
    static const std::string suffix = "-journal";
    const std::size_t slash = databasePath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string_view name = std::string_view(databasePath).substr(nameStart);
    const std::string dir = slash == std::string::npos ? "." : databasePath.substr(0, nameStart);
    const long limit = ::pathconf(dir.c_str(), _PC_NAME_MAX);
    const std::size_t nameMax = limit > 0 ? static_cast<std::size_t>(limit) : 255;
    if (name.size() + suffix.size() <= nameMax) return databasePath + suffix;
    // The name is too long to take the suffix: its start, then a hash of the whole name keeps it this
    // database's own, the same in every process.
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char hex[18];
    std::snprintf(hex, sizeof hex, "~%016llx", static_cast<unsigned long long>(hash));
    std::size_t keep = nameMax - suffix.size() - 17;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;  // whole UTF-8 characters
    return databasePath.substr(0, nameStart) + std::string(name.substr(0, keep)) + hex + suffix;
}

bool Journal::recover(const std::string& databasePath)
{
    const std::string journalPath = pathFor(databasePath);
    const int fd = ::open(journalPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENAMETOOLONG) return false;  // a name that cannot exist holds no journal
        fail("Het journaal kan niet worden geopend:", journalPath);
    }
    const int databaseFd = ::open(databasePath.c_str(), O_RDWR | O_CLOEXEC);
    if (databaseFd < 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        fail("Een onderbroken opdracht kan niet worden teruggedraaid omdat de database niet beschrijfbaar is:",
             databasePath);
    }
    bool restored = false;
    try {
        restored = replay(fd, journalPath, databaseFd, databasePath, 0);
    } catch (...) {
        ::close(fd);
        ::close(databaseFd);
        throw;
    }
    ::close(fd);
    ::close(databaseFd);
    removeJournal(journalPath);
    return restored;
}

void Journal::begin(std::uint64_t databaseSize)
{
    if (active()) throw DbError(errc::fail, "Er loopt al een opdracht op de database '" + databasePath_ + "'");
    databaseFd_ = ::open(databasePath_.c_str(), O_RDWR | O_CLOEXEC);
    if (databaseFd_ < 0) fail("De database kan niet worden gewijzigd:", databasePath_);
    fd_ = ::open(journalPath_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        const int error = errno;
        finish();
        errno = error;
        fail("Het journaal kan niet worden aangemaakt:", journalPath_);
    }
    std::random_device random;
    salt_ = random();
    originalSize_ = databaseSize;
    writeOffset_ = headerSize;
    directorySynced_ = false;
    saved_.clear();
    try {
        unsigned char h[headerSize] = {};
        std::memcpy(h, magic, sizeof magic);
        put32(h + 8, pageSize_);
        put32(h + 12, salt_);
        put64(h + 16, originalSize_);
        put32(h + 28, crc32(0, h, 28));
        writeAll(fd_, h, headerSize, 0, journalPath_);
    } catch (...) {
        finish();
        throw;
    }
}

bool Journal::saveOriginal(std::uint32_t pageNumber, const unsigned char* bytes)
{
    requireActive();
    if (static_cast<std::uint64_t>(pageNumber) * pageSize_ >= originalSize_) return false;
    if (!saved_.insert(pageNumber).second) return false;
    std::vector<unsigned char> record(recordHeaderSize + pageSize_);
    put32(record.data(), pageNumber);
    put32(record.data() + 4, recordChecksum(salt_, pageNumber, bytes, pageSize_));
    std::memcpy(record.data() + recordHeaderSize, bytes, pageSize_);
    writeAll(fd_, record.data(), record.size(), writeOffset_, journalPath_);
    writeOffset_ += record.size();
    return true;
}

bool Journal::saveOriginal(std::uint32_t pageNumber)
{
    requireActive();
    if (static_cast<std::uint64_t>(pageNumber) * pageSize_ >= originalSize_ || saved_.count(pageNumber)) return false;
    std::vector<unsigned char> page(pageSize_);
    if (readUpTo(databaseFd_, page.data(), pageSize_, static_cast<std::uint64_t>(pageNumber) * pageSize_, databasePath_)
        < pageSize_)
        throw DbError(errc::fail, "De database '" + databasePath_ + "' is korter dan verwacht");
    return saveOriginal(pageNumber, page.data());
}

void Journal::sync()
{
    requireActive();
    syncFile(fd_, journalPath_);
    if (!directorySynced_) {
        syncDirectoryOf(journalPath_);
        directorySynced_ = true;
    }
}

void Journal::commit()
{
    requireActive();
    syncFile(databaseFd_, databasePath_);
    finish();
    removeJournal(journalPath_);
}

void Journal::rollback()
{
    if (!active()) return;
    replay(fd_, journalPath_, databaseFd_, databasePath_, pageSize_);
    finish();
    removeJournal(journalPath_);
}

void Journal::requireActive() const
{
    if (!active())
        throw DbError(errc::fail, "Interne fout: geen lopende opdracht op de database '" + databasePath_ + "'");
}

void Journal::finish()
{
    if (fd_ >= 0) ::close(fd_);
    if (databaseFd_ >= 0) ::close(databaseFd_);
    fd_ = -1;
    databaseFd_ = -1;
    saved_.clear();
}

}  // namespace querimo::jet
