#include "jet/journal/StatementLock.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"

namespace querimo::jet {
namespace {

// Beyond the largest page offset a Jet file can have, so the lock never touches data anybody reads.
constexpr off_t lockOffset = 0x7FFF0000;
constexpr auto upgradeWait = std::chrono::seconds(10);

flock lockRange(short type)
{
    flock range{};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = lockOffset;
    range.l_len = 1;
    return range;
}

}  // namespace

StatementLock::StatementLock(const std::string& path, bool writable) : path_(path)
{
    fd_ = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0)
        throw DbError(errc::fail, "Het bestand '" + path + "' kan niet geopend worden: " + std::strerror(errno) + ".");
}

StatementLock::~StatementLock()
{
    ::close(fd_);
}

void StatementLock::lock(bool exclusive)
{
    flock range = lockRange(exclusive ? F_WRLCK : F_RDLCK);
    if (exclusive && holdsShared_) {
        const auto until = std::chrono::steady_clock::now() + upgradeWait;
        while (::fcntl(fd_, F_OFD_SETLK, &range) != 0) {
            if ((errno != EAGAIN && errno != EACCES && errno != EINTR) || std::chrono::steady_clock::now() > until)
                throw DbError(errc::fail,
                              "De database '" + path_
                                  + "' is bezet: een ander proces leest of schrijft erin. Probeer het opnieuw.");
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    } else {
        while (::fcntl(fd_, F_OFD_SETLKW, &range) != 0) {
            if (errno != EINTR)
                throw DbError(errc::fail,
                              "De database '" + path_ + "' kan niet vergrendeld worden: " + std::strerror(errno) + ".");
        }
    }
    holdsShared_ = !exclusive;
}

void StatementLock::unlock()
{
    flock range = lockRange(F_UNLCK);
    ::fcntl(fd_, F_OFD_SETLK, &range);
    holdsShared_ = false;
}

bool stampMayMissAChange(std::uint32_t mode, std::uint32_t owner, std::uint32_t me, std::int64_t modifiedNanoseconds,
                         std::int64_t nowNanoseconds)
{
    constexpr std::int64_t coarseTick = 20'000'000;  // the kernel's file time clock ticks every 1 to 10 ms
    const bool othersWrite = owner != me || (mode & (S_IWGRP | S_IWOTH)) != 0;
    return othersWrite && nowNanoseconds - modifiedNanoseconds < coarseTick;
}

FileStamp StatementLock::stamp() const
{
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return {0, 0, 0, true};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto nanoseconds = [](const timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; };
    return {static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec, info.st_mtim.tv_nsec,
            stampMayMissAChange(info.st_mode, info.st_uid, ::geteuid(), nanoseconds(info.st_mtim), nanoseconds(now))};
}

void StatementLock::markWritten()
{
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    timespec later = info.st_mtim;
    if (++later.tv_nsec == 1'000'000'000) {
        later.tv_nsec = 0;
        ++later.tv_sec;
    }
    const bool nowIsLater = now.tv_sec > later.tv_sec || (now.tv_sec == later.tv_sec && now.tv_nsec > later.tv_nsec);
    const timespec times[2] = {{0, UTIME_OMIT}, nowIsLater ? now : later};
    ::futimens(fd_, times);
}

}  // namespace querimo::jet
