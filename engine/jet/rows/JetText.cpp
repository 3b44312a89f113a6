#include "jet/rows/JetText.h"

#include "core/Text.h"

namespace querimo::jet {
namespace {

// Compressed Unicode: bytes stand for characters below U+0100; a zero byte switches between that and
// plain two-byte units.
std::string decompressUnicode(ByteView bytes)
{
    std::string out;
    out.reserve(bytes.size());
    bool compressed = true;
    std::size_t pos = 2;
    while (pos < bytes.size()) {
        const std::uint8_t b = bytes.u8(pos);
        if (b == 0) {
            compressed = !compressed;
            ++pos;
        } else if (compressed) {
            if (b < 0x80)
                out += static_cast<char>(b);
            else
                text::appendUtf8(out, b);
            ++pos;
        } else {
            if (pos + 1 >= bytes.size()) break;  // an odd trailing byte carries no character
            out += text::fromUtf16le(bytes.data() + pos, 2);
            pos += 2;
        }
    }
    return out;
}

}  // namespace

std::string decodeJetText(ByteView bytes, Version version)
{
    if (version == Version::Jet3)
        return text::fromWindows1252(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (bytes.size() >= 2 && bytes.u8(0) == 0xFF && bytes.u8(1) == 0xFE) return decompressUnicode(bytes);
    return text::fromUtf16le(bytes.data(), bytes.size() & ~std::size_t(1));
}

}  // namespace querimo::jet
