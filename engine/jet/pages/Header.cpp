#include "jet/pages/Header.h"

#include <cstring>
#include <vector>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/format/HeaderLayout.h"
#include "jet/pages/Rc4.h"

namespace querimo::jet {
namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& why)
{
    throw DbError(errc::fail, "Het bestand '" + path + "' kan niet geopend worden: " + why + ".");
}

const char* const officeEncrypted =
    "het bestand is met een wachtwoord versleuteld op de nieuwere manier (Office-versleuteling van Access 2007 of "
    "later); zulke bestanden kunnen niet geopend worden. Verwijder het wachtwoord in Access (Database "
    "ontsleutelen) of bewaar een kopie zonder wachtwoord";

std::string passwordOf(const std::vector<std::uint8_t>& page, Version version)
{
    if (version == Version::Jet3) {
        std::string raw(reinterpret_cast<const char*>(page.data() + header::passwordOffset), 20);
        raw.resize(std::strlen(raw.c_str()));
        return text::fromWindows1252(raw);
    }
    // Jet 4 mixes the creation date (its whole days, as a 32-bit number) into the stored password.
    double created = 0;
    std::memcpy(&created, page.data() + header::creationDateOffset, sizeof created);
    const std::int64_t whole =
        (created > -2147483648.0 && created < 2147483648.0) ? static_cast<std::int64_t>(created) : 0;
    const std::uint32_t mask = static_cast<std::uint32_t>(whole);
    std::uint8_t bytes[40];
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = page[header::passwordOffset + i] ^ static_cast<std::uint8_t>(mask >> (8 * (i % 4)));
    std::size_t units = 0;
    while (units < 20 && (bytes[2 * units] || bytes[2 * units + 1])) ++units;
    return text::fromUtf16le(bytes, 2 * units);
}

}  // namespace

void toggleHeaderMask(std::uint8_t* page0, Version version)
{
    static const std::uint8_t key[4] = {0xC7, 0xDA, 0x39, 0x6B};
    rc4Apply(key, sizeof key, page0 + header::maskedStart, version == Version::Jet3 ? 126 : 128);
}

DatabaseHeader decodeHeader(ByteView page0, const std::string& path)
{
    if (page0.size() == 0) refuse(path, "het bestand is leeg");
    // Access 2007 and later wrap a database with a password of the newer kind in a compound document.
    static const char compoundMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (page0.contains(0, 8) && std::memcmp(page0.data(), compoundMagic, 8) == 0) refuse(path, officeEncrypted);
    static const char jetMagic[] = "\x00\x01\x00\x00Standard Jet DB";
    static const char aceMagic[] = "\x00\x01\x00\x00Standard ACE DB";
    const bool jet = page0.contains(0, 20) && std::memcmp(page0.data(), jetMagic, 20) == 0;
    const bool ace = page0.contains(0, 20) && std::memcmp(page0.data(), aceMagic, 20) == 0;
    if (!jet && !ace) refuse(path, "dit is geen Access-database (.mdb of .accdb)");
    if (!page0.contains(0, header::bytesNeeded)) refuse(path, "het bestand is afgebroken");

    // Access 2007 and later (.accdb) keep Jet 4's pages and rows; only the version byte grows.
    DatabaseHeader header;
    header.fileVersion = page0.u8(header::versionOffset);
    const bool known = jet ? header.fileVersion <= 1
                           : header.fileVersion == 2 || header.fileVersion == 3 || header.fileVersion == 5
                                 || header.fileVersion == 6;
    if (!known)
        refuse(path, "deze versie van het bestandsformaat wordt niet ondersteund; alleen Jet 3 (Access 97), Jet 4 "
                     "(Access 2000-2003) en Access 2007 tot en met 2019");
    header.version = header.fileVersion == 0 ? Version::Jet3 : Version::Jet4;

    std::vector<std::uint8_t> page(page0.data(), page0.data() + header::bytesNeeded);
    toggleHeaderMask(page.data(), header.version);
    const ByteView fields(page.data(), page.size());
    header.encodingKey = fields.u32(0x3E);
    header.codePage = fields.u16(0x3C);
    header.sortOrder = header.version == Version::Jet3 ? fields.u16(0x3A) : static_cast<int>(fields.u32(0x6E));
    header.password = passwordOf(page, header.version);
    // An Access 2007 and later file keeps its pages RC4-coded only under Office encryption, whose key comes
    // from the password: without it, every page past the header would read as garbage.
    if (ace && header.encodingKey != 0) refuse(path, officeEncrypted);
    return header;
}

}  // namespace querimo::jet
