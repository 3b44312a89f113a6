#include "jet/pages/PageFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "jet/pages/Corruption.h"
#include "jet/pages/Rc4.h"

namespace querimo::jet {
namespace {

[[noreturn]] void fail(const std::string& text)
{
    throw DbError(errc::fail, text);
}

std::string quoted(const std::string& path)
{
    return "'" + path + "'";
}

}  // namespace

PageFile::PageFile(const std::string& path, bool exclusive, std::size_t cachePages)
    : path_(path), cacheLimit_(cachePages < 8 ? 8 : cachePages)
{
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    writable_ = fd_ >= 0;
    if (fd_ < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENOENT) fail("Het bestand " + quoted(path) + " bestaat niet.");
        if (errno == EISDIR) fail(quoted(path) + " is een map, geen databasebestand.");
        fail("Het bestand " + quoted(path) + " kan niet geopend worden: " + std::strerror(errno) + ".");
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd_);
        fail(quoted(path) + " is geen gewoon bestand.");
    }
    fileSize_ = static_cast<std::uint64_t>(info.st_size);
    sized();
    // flock conflicts between separate opens, also within one process, so tests can check the modes.
    if (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd_);
        if (error == EWOULDBLOCK)
            fail(exclusive ? "Het bestand " + quoted(path)
                                 + " is al geopend door een andere gebruiker en kan niet exclusief geopend worden."
                           : "Het bestand " + quoted(path) + " is exclusief geopend door een andere gebruiker.");
        fail("Het bestand " + quoted(path) + " kan niet vergrendeld worden: " + std::strerror(error) + ".");
    }
}

PageFile::~PageFile()
{
    ::close(fd_);  // also releases the lock
}

std::vector<std::uint8_t> PageFile::readPrefix(std::size_t length) const
{
    std::vector<std::uint8_t> bytes(length);
    const ssize_t got = ::pread(fd_, bytes.data(), length, 0);
    bytes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return bytes;
}

void PageFile::configure(std::size_t pageSize, std::uint32_t encodingKey)
{
    pageSize_ = pageSize;
    sized();
    encodingKey_ = encodingKey;
    ++generation_;
    cache_.clear();
    ages_.clear();
}

void PageFile::cipher(std::uint32_t number, PageBytes& bytes) const
{
    if (encodingKey_ == 0 || number == 0) return;
    const std::uint32_t k = encodingKey_ ^ number;
    const std::uint8_t key[4] = {std::uint8_t(k), std::uint8_t(k >> 8), std::uint8_t(k >> 16), std::uint8_t(k >> 24)};
    rc4Apply(key, sizeof key, bytes.data(), bytes.size());
}

void PageFile::readPage(std::uint32_t number, PageBytes& into) const
{
    if (number >= pagesOnDisk_) corrupt("pagina " + std::to_string(number) + " ligt buiten het bestand");
    into.resize(pageSize_);
    std::size_t done = 0;
    while (done < pageSize_) {
        const ssize_t got =
            ::pread(fd_, into.data() + done, pageSize_ - done, static_cast<off_t>(number) * pageSize_ + done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail("Lezen uit " + quoted(path_) + " is mislukt: " + std::strerror(errno) + ".");
        if (got == 0) corrupt("pagina " + std::to_string(number) + " is onvolledig");
        done += static_cast<std::size_t>(got);
    }
    cipher(number, into);
}

void PageFile::remember(std::uint32_t number, PageRef contents)
{
    ages_.push_front(number);
    cache_[number] = Cached{std::move(contents), ages_.begin()};
    while (cache_.size() > cacheLimit_) {
        cache_.erase(ages_.back());
        ages_.pop_back();
    }
}

std::uint32_t PageFile::pageCount() const
{
    return changed_.empty() ? pagesOnDisk_ : std::max(pagesOnDisk_, changed_.rbegin()->first + 1);
}

PageRef PageFile::page(std::uint32_t number)
{
    if (const auto c = changed_.find(number); c != changed_.end()) return c->second.contents;
    if (const auto hit = cache_.find(number); hit != cache_.end()) {
        ages_.splice(ages_.begin(), ages_, hit->second.age);
        return hit->second.contents;
    }
    auto contents = std::make_shared<PageBytes>();
    readPage(number, *contents);
    remember(number, contents);
    return contents;
}

PageBytes& PageFile::change(std::uint32_t number)
{
    ++generation_;
    if (const auto c = changed_.find(number); c != changed_.end()) return *c->second.contents;
    PageRef before = page(number);
    auto copy = std::make_shared<PageBytes>(*before);
    auto& entry = changed_[number];
    entry = Changed{copy, std::move(before)};
    return *copy;
}

std::uint32_t PageFile::append()
{
    const std::uint32_t number = pageCount();
    ++generation_;
    auto blank = std::make_shared<PageBytes>(pageSize_, 0);
    changed_[number] = Changed{std::make_shared<PageBytes>(pageSize_, 0), std::move(blank)};
    return number;
}

const PageBytes* PageFile::original(std::uint32_t number) const
{
    const auto c = changed_.find(number);
    return c == changed_.end() ? nullptr : c->second.before.get();
}

std::vector<std::uint32_t> PageFile::changedPages() const
{
    std::vector<std::uint32_t> pages;
    for (const auto& [number, entry] : changed_) pages.push_back(number);
    return pages;
}

void PageFile::writeBack(std::uint32_t number)
{
    const auto c = changed_.find(number);
    if (c == changed_.end()) return;
    if (!writable_) fail("De database " + quoted(path_) + " is alleen-lezen en kan niet gewijzigd worden.");
    PageBytes stored = *c->second.contents;
    cipher(number, stored);
    std::size_t done = 0;
    while (done < stored.size()) {
        const ssize_t put =
            ::pwrite(fd_, stored.data() + done, stored.size() - done, static_cast<off_t>(number) * pageSize_ + done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) fail("Schrijven naar " + quoted(path_) + " is mislukt: " + std::strerror(errno) + ".");
        done += static_cast<std::size_t>(put);
    }
    const std::uint64_t end = (static_cast<std::uint64_t>(number) + 1) * pageSize_;
    if (end > fileSize_) fileSize_ = end;
    sized();
    PageRef written = c->second.contents;
    changed_.erase(c);
    ++generation_;
    if (const auto hit = cache_.find(number); hit != cache_.end()) {
        ages_.erase(hit->second.age);
        cache_.erase(hit);
    }
    remember(number, std::move(written));
}

void PageFile::discardChanges()
{
    ++generation_;
    changed_.clear();
}

void PageFile::sync()
{
    if (::fsync(fd_) != 0) fail("Schrijven naar " + quoted(path_) + " is mislukt: " + std::strerror(errno) + ".");
}

void PageFile::refresh()
{
    ++generation_;
    changed_.clear();
    cache_.clear();
    ages_.clear();
    struct stat info {};
    if (::fstat(fd_, &info) == 0) fileSize_ = static_cast<std::uint64_t>(info.st_size);
    sized();
}

}  // namespace querimo::jet
