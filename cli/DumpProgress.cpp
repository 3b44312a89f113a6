#include "DumpProgress.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace querimo::cli {

DumpProgress::DumpProgress(std::string table) : table_(std::move(table)), terminal_(isatty(STDERR_FILENO) == 1) {}

DumpProgress::~DumpProgress()
{
    if (!terminal_) return;
    show();
    std::fputc('\n', stderr);
}

void DumpProgress::row()
{
    if (++rows_ % 50000 == 0 && terminal_) show();
}

void DumpProgress::show() const
{
    std::fprintf(stderr, "\r%s: %llu rijen", table_.c_str(), static_cast<unsigned long long>(rows_));
}

}  // namespace querimo::cli
