#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace querimo::fuzz {

// Puts the fuzzer's bytes in a file of this process, named after the target, and a journal an earlier input
// left beside it away. Returns the file's path, empty when it could not be written.
inline std::string inputFile(const char* target, const std::uint8_t* data, std::size_t size)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / (std::string(target) + "-" + std::to_string(getpid()) + ".mdb"))
            .string();
    std::error_code ignored;
    std::filesystem::remove(path + "-journal", ignored);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return {};
    const bool written = std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    return written ? path : std::string();
}

}  // namespace querimo::fuzz
