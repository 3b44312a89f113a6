#pragma once
#include <cstdint>
#include <string_view>

namespace querimo::sql {

// A temporary file for rows that do not fit in memory. It has no name from the moment it exists, so the
// system removes it when it is closed, also when the process dies. Write failures are Dutch DbErrors.
class SpillFile {
public:
    SpillFile() = default;
    ~SpillFile();
    SpillFile(SpillFile&& other) noexcept;
    SpillFile& operator=(SpillFile&& other) noexcept;
    SpillFile(const SpillFile&) = delete;
    SpillFile& operator=(const SpillFile&) = delete;

    std::uint64_t size() const { return size_; }
    void append(std::string_view bytes);  // makes the file on first use
    void read(std::uint64_t offset, char* into, std::size_t length) const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

}  // namespace querimo::sql
