#include "sql/SpillFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "core/Error.h"

namespace querimo::sql {
namespace {

[[noreturn]] void fail(const std::string& what)
{
    const int error = errno;
    throw DbError(errc::fail,
                  "Het tijdelijke bestand voor de rijen van de query " + what + ": " + std::strerror(error) + ".");
}

std::string temporaryDirectory()
{
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

int nameless()
{
    const std::string dir = temporaryDirectory();
    int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != ENOENT)) return fd;
    // A file system without nameless files: a named one, unlinked at once.
    std::string pattern = dir + "/querimo-rijen-XXXXXX";
    fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) ::unlink(pattern.c_str());
    return fd;
}

}  // namespace

SpillFile::~SpillFile()
{
    if (fd_ >= 0) ::close(fd_);
}

SpillFile::SpillFile(SpillFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(std::exchange(other.size_, 0))
{}

SpillFile& SpillFile::operator=(SpillFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void SpillFile::append(std::string_view bytes)
{
    if (fd_ < 0 && (fd_ = nameless()) < 0) fail("kan niet worden aangemaakt in " + temporaryDirectory());
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(size_ + done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) fail("kan niet worden geschreven");
        done += static_cast<std::size_t>(put);
    }
    size_ += bytes.size();
}

void SpillFile::read(std::uint64_t offset, char* into, std::size_t length) const
{
    for (std::size_t done = 0; done < length;) {
        const ssize_t got = ::pread(fd_, into + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) fail("kan niet worden gelezen");
        done += static_cast<std::size_t>(got);
    }
}

}  // namespace querimo::sql
