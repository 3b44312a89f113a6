#pragma once
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace querimo::jet {

using PageBytes = std::vector<std::uint8_t>;
using PageRef = std::shared_ptr<const PageBytes>;

// The database file as numbered pages. Owns the file handle and its advisory lock, decodes encoded pages,
// and keeps a bounded cache of recently read pages. Pages can be changed in memory: a changed page stays
// until it is written back or the changes are discarded, and its contents from before the first change
// remain available (for a rollback journal). The caller decides in which order changed pages go to disk.
class PageFile {
public:
    // Opens and locks the file: shared lets other processes open it too, exclusive fails when anyone else
    // has it open. Falls back to reading only when the file cannot be written. Dutch DbError on failure.
    PageFile(const std::string& path, bool exclusive, std::size_t cachePages = 512);
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    const std::string& path() const { return path_; }
    bool writable() const { return writable_; }
    std::uint64_t fileSize() const { return fileSize_; }
    // The first bytes of the file as stored, before the page size is known.
    std::vector<std::uint8_t> readPrefix(std::size_t length) const;

    // Called once the header is read. encodingKey 0 means pages are stored plainly.
    void configure(std::size_t pageSize, std::uint32_t encodingKey);
    std::size_t pageSize() const { return pageSize_; }
    // Pages on disk plus pages appended by changes not yet written back.
    std::uint32_t pageCount() const;

    // Decoded contents of a page. The reference stays valid however the cache changes.
    PageRef page(std::uint32_t number);
    std::size_t cachedPages() const { return cache_.size(); }  // never more than the limit given
    // Moves whenever the contents page() hands out may change: a page changed or appended, changes written
    // back or discarded, the file taken again. Pages read while it stays put still hold the same bytes,
    // except changed pages, which their changer may alter at any time.
    std::uint64_t generation() const { return generation_; }
    bool changed(std::uint32_t number) const { return changed_.count(number) != 0; }

    // Writing. change() gives a modifiable copy of the page and remembers what it held before.
    PageBytes& change(std::uint32_t number);
    // A new page of zeros after the last one, changed like any other: it reaches the file on writeBack().
    std::uint32_t append();
    const PageBytes* original(std::uint32_t number) const;  // null when the page was not changed
    std::vector<std::uint32_t> changedPages() const;        // ascending
    void writeBack(std::uint32_t number);                   // encodes and writes one changed page
    void discardChanges();
    void sync();  // makes written pages durable
    // Forgets every cached and changed page and takes the file's size again: after a rollback by the
    // journal, or when another process changed the file.
    void refresh();

private:
    void readPage(std::uint32_t number, PageBytes& into) const;
    void cipher(std::uint32_t number, PageBytes& bytes) const;
    void remember(std::uint32_t number, PageRef contents);

    std::string path_;
    int fd_ = -1;
    bool writable_ = false;
    std::uint64_t fileSize_ = 0;
    std::size_t pageSize_ = 4096;
    std::uint32_t pagesOnDisk_ = 0;  // fileSize_ / pageSize_, asked for every page a reader follows
    void sized() { pagesOnDisk_ = static_cast<std::uint32_t>(fileSize_ / pageSize_); }
    std::uint32_t encodingKey_ = 0;
    std::uint64_t generation_ = 1;

    struct Cached {
        PageRef contents;
        std::list<std::uint32_t>::iterator age;
    };
    std::size_t cacheLimit_;
    std::unordered_map<std::uint32_t, Cached> cache_;
    std::list<std::uint32_t> ages_;  // most recently used first

    struct Changed {
        std::shared_ptr<PageBytes> contents;
        PageRef before;
    };
    std::map<std::uint32_t, Changed> changed_;
};

}  // namespace querimo::jet
