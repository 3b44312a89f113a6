#include "sql/AttachmentData.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>

#include "core/Error.h"

namespace querimo::sql {
namespace {

constexpr std::uint32_t storedRaw = 0;
constexpr std::uint32_t storedDeflated = 1;
constexpr std::size_t outerHeaderSize = 8;  // kind, length of the content (its header and the file)
constexpr std::size_t largestFile = std::size_t{1} << 31;

[[noreturn]] void damaged()
{
    throw DbError(errc::fail, "De gegevens van een bijlage zijn beschadigd en kunnen niet worden gelezen.");
}

std::uint32_t u32(std::string_view bytes, std::size_t at)
{
    if (at + 4 > bytes.size()) damaged();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

std::string inflated(std::string_view compressed, std::size_t length)
{
    std::string out(length, '\0');
    z_stream z{};
    if (inflateInit(&z) != Z_OK) damaged();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    const std::size_t produced = out.size() - z.avail_out;
    inflateEnd(&z);
    if ((rc != Z_STREAM_END && rc != Z_BUF_ERROR && rc != Z_OK) || produced != length) damaged();
    return out;
}

}  // namespace

std::string attachmentFile(std::string_view stored)
{
    const std::uint32_t kind = u32(stored, 0);
    const std::size_t length = u32(stored, 4);
    if (length > largestFile) damaged();
    const std::string_view rest = stored.substr(std::min(stored.size(), outerHeaderSize));
    std::string content;
    if (kind == storedDeflated)
        content = inflated(rest, length);
    else if (kind == storedRaw && rest.size() >= length)
        content = std::string(rest.substr(0, length));
    else
        damaged();
    const std::size_t headerSize = u32(content, 0);  // counts itself
    if (headerSize < 4 || headerSize > content.size()) damaged();
    return content.substr(headerSize);
}

void registerAttachmentFunction(sqlite3* db)
{
    const auto call = [](sqlite3_context* ctx, int, sqlite3_value** argv) {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
        const auto* p = static_cast<const char*>(sqlite3_value_blob(argv[0]));
        try {
            const std::string file =
                attachmentFile(std::string_view(p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(argv[0]))));
            sqlite3_result_blob64(ctx, file.data(), file.size(), SQLITE_TRANSIENT);
        } catch (const DbError& e) {
            sqlite3_result_error(ctx, e.what(), -1);
        }
    };
    sqlite3_create_function_v2(db, "acc_attachment_file", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, call, nullptr,
                               nullptr, nullptr);
}

}  // namespace querimo::sql
