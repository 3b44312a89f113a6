#include "jet/pages/HeaderWriter.h"

#include <cstring>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/format/Format.h"
#include "jet/format/HeaderLayout.h"
#include "jet/pages/Header.h"

namespace querimo::jet {
namespace {

constexpr std::uint16_t windows1252 = 1252;
constexpr std::uint16_t generalSortOrder = 0x0409;

void put16(PageBytes& page, std::size_t at, std::uint16_t value)
{
    page[at] = static_cast<std::uint8_t>(value);
    page[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// The words Access keeps near the end of page 0 in every file it makes.
void putTrailerTable(PageBytes& page, std::size_t start)
{
    page[start] = 1;
    page[start + 1] = 1;
    for (std::size_t at = start + 3; at < page.size(); at += 2) page[at] = 1;
}

std::uint32_t creationMask(const PageBytes& plain)
{
    double created = 0;
    std::memcpy(&created, plain.data() + header::creationDateOffset, sizeof created);
    const bool inRange = created > -2147483648.0 && created < 2147483648.0;
    return static_cast<std::uint32_t>(inRange ? static_cast<std::int64_t>(created) : 0);
}

}  // namespace

PageBytes newHeaderPage(Version version, double created, int aceVersion)
{
    const Format& format = Format::of(version);
    PageBytes page(format.pageSize, 0);
    static const char magic[] = "\x00\x01\x00\x00Standard Jet DB";
    static const char aceMagic[] = "\x00\x01\x00\x00Standard ACE DB";
    std::memcpy(page.data(), aceVersion != 0 ? aceMagic : magic, 20);
    page[header::versionOffset] = static_cast<std::uint8_t>(aceVersion != 0            ? aceVersion
                                                            : version == Version::Jet4 ? 1
                                                                                       : 0);
    // The fixed words at the start of the masked area, as in every Access file.
    static const std::uint8_t opening[] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0, 0, 0,
                                           0x03, 0,    0,    0,    0x04, 0,    0,    0,    0x05, 0, 0, 0};
    std::memcpy(page.data() + 0x18, opening, sizeof opening);
    put16(page, 0x3C, windows1252);
    if (version == Version::Jet4) {
        page[0x6A] = aceVersion != 0 ? 0xA6 : 0x1C;  // as in the files Access and ADOX make
        page[0x6B] = aceVersion != 0 ? 0x11 : 0x26;
        put16(page, 0x6E, generalSortOrder);
        if (header::newerGeneralOrder(aceVersion)) page[0x71] = 1;  // the sort order's version
        std::memcpy(page.data() + header::creationDateOffset, &created, sizeof created);
        static const std::uint8_t release[] = {0x54, 0x06, 0x00, 0x00, '4', '.', '0'};
        std::memcpy(page.data() + 0x98, release, sizeof release);
        putTrailerTable(page, 0xE00);
    } else {
        page[0x38] = 0x01;
        put16(page, 0x3A, generalSortOrder);
        put16(page, 0x56, 0x251E);  // in every Jet 3 file Access made
        putTrailerTable(page, 0x600);
    }
    toggleHeaderMask(page.data(), version);
    storeHeaderPassword(page, version, "");
    return page;
}

void storeHeaderPassword(PageBytes& page0, Version version, const std::string& password)
{
    const std::string stored = version == Version::Jet4 ? text::toUtf16le(password) : text::toWindows1252(password);
    const std::size_t unit = version == Version::Jet4 ? 2 : 1;
    if (stored.size() > header::passwordCharacters * unit)
        throw DbError(errc::fail, "Een databasewachtwoord mag hoogstens 20 tekens lang zijn.");
    if (version == Version::Jet3 && text::fromWindows1252(stored) != password)
        throw DbError(errc::fail, "Het databasewachtwoord bevat tekens die een Access 97-database niet kan bewaren.");
    if (page0.size() < header::bytesNeeded) throw DbError(errc::fail, "De kop van de database is afgebroken.");

    toggleHeaderMask(page0.data(), version);
    std::uint8_t* field = page0.data() + header::passwordOffset;
    std::memset(field, 0, header::passwordCharacters * unit);
    std::memcpy(field, stored.data(), stored.size());
    if (version == Version::Jet4) {
        // Jet 4 mixes the creation date (its whole days) into the stored password.
        const std::uint32_t mask = creationMask(page0);
        for (std::size_t i = 0; i < header::passwordCharacters * unit; ++i)
            field[i] ^= static_cast<std::uint8_t>(mask >> (8 * (i % 4)));
    }
    toggleHeaderMask(page0.data(), version);
}

}  // namespace querimo::jet
