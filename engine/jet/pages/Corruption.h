#pragma once
#include <stdexcept>
#include <string>

#include "core/Error.h"

namespace querimo::jet {

// Raised deep in the decoders when a structure in the file is impossible. The database turns it into a
// DbError that names the file; the text says which structure was wrong (Dutch).
class CorruptFile : public std::runtime_error {
public:
    explicit CorruptFile(const std::string& what) : std::runtime_error(what) {}
};

[[noreturn]] inline void corrupt(const std::string& what)
{
    throw CorruptFile(what);
}

// The error the user sees for a damaged file.
inline DbError damagedFile(const std::string& path, const CorruptFile& cause)
{
    return DbError(errc::fail, "Het bestand '" + path + "' is beschadigd: " + cause.what() + ".");
}

}  // namespace querimo::jet
