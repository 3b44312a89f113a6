#pragma once
#include <cstdint>
#include <string>

namespace querimo::cli {

// Rows dumped per table on standard error, only when it is a terminal: a line that counts up, then stays.
class DumpProgress {
public:
    explicit DumpProgress(std::string table);
    ~DumpProgress();
    DumpProgress(const DumpProgress&) = delete;
    DumpProgress& operator=(const DumpProgress&) = delete;

    void row();

private:
    void show() const;

    std::string table_;
    std::uint64_t rows_ = 0;
    bool terminal_;
};

}  // namespace querimo::cli
