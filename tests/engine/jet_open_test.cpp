// Opening Jet files: what is not a Jet 3 or Jet 4 file, database passwords, and the file locks.
#include <gtest/gtest.h>

#include <cstring>

#include "jet/pages/Header.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

DbError openError(const std::string& path, const std::string& password = {}, bool exclusive = false)
{
    return errorFrom([&] { jet::Database::open(jet::OpenOptions{path, exclusive, password}); }, path);
}

// Stores `password` in the header of a Jet file the way Access does.
std::string withPassword(std::string file, const std::string& password, jet::Version version)
{
    auto* page = reinterpret_cast<std::uint8_t*>(file.data());
    jet::toggleHeaderMask(page, version);
    std::uint8_t stored[40] = {};
    if (version == jet::Version::Jet3) {
        std::memcpy(stored, password.data(), password.size());
    } else {
        double created;
        std::memcpy(&created, page + 0x72, sizeof created);
        const auto mask = static_cast<std::uint32_t>(static_cast<std::int64_t>(created));
        for (std::size_t i = 0; i < password.size(); ++i)
            stored[2 * i] = static_cast<std::uint8_t>(password[i]);  // ASCII as UTF-16LE
        for (std::size_t i = 0; i < 40; ++i) stored[i] ^= static_cast<std::uint8_t>(mask >> (8 * (i % 4)));
    }
    std::memcpy(page + 0x42, stored, version == jet::Version::Jet3 ? 20 : 40);
    jet::toggleHeaderMask(page, version);
    return file;
}

// Sets the page-coding key of the masked header.
std::string withEncodingKey(std::string file, std::uint32_t key)
{
    auto* page = reinterpret_cast<std::uint8_t*>(file.data());
    jet::toggleHeaderMask(page, jet::Version::Jet4);
    std::memcpy(page + 0x3E, &key, sizeof key);
    jet::toggleHeaderMask(page, jet::Version::Jet4);
    return file;
}

TEST(JetOpen, FilesThatAreNotJetGiveClearErrors)
{
    ScratchDir dir;
    const std::string good = readBytes(dir.sample(jet::Version::Jet4));
    std::string future = good;
    future[0x14] = 3;  // an Access 2010 version byte in a Jet file
    std::string aceFuture = good;
    std::memcpy(aceFuture.data() + 4, "Standard ACE DB", 15);
    aceFuture[0x14] = 7;

    const struct {
        std::string name, bytes, says;
    } cases[] = {
        {"leeg.mdb", "", "leeg"},
        {"tekst.mdb", std::string(5000, 'x'), "geen Access-database"},
        {"toekomst.mdb", future, "versie van het bestandsformaat"},
        {"toekomst.accdb", aceFuture, "versie van het bestandsformaat"},
        {"kort.mdb", good.substr(0, 100), "afgebroken"},
        {"half.mdb", good.substr(0, 4096 * 5 + 1000), "afgebroken"},
    };
    for (const auto& c : cases) {
        const DbError e = openError(dir.write(c.name, c.bytes));
        EXPECT_EQ(e.number(), errc::fail) << c.name;
        EXPECT_NE(e.description().find(c.name), std::string::npos) << e.description();
        EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
    }
    EXPECT_NE(openError("/bestaat/niet.mdb").description().find("bestaat niet"), std::string::npos);
}

TEST(JetOpen, DatabasePasswordIsChecked)
{
    ScratchDir dir;
    for (const auto version : {jet::Version::Jet3, jet::Version::Jet4}) {
        const std::string plain = dir.sample(version);
        const std::string path = dir.write("geheim.mdb", withPassword(readBytes(plain), "Geheim12", version));
        EXPECT_EQ(openError(path).number(), errc::authentication) << plain;
        EXPECT_EQ(openError(path, "geheim12").number(), errc::authentication) << plain;  // letter case counts
        const auto db = jet::Database::open(jet::OpenOptions{path, false, "Geheim12"});
        EXPECT_EQ(readRows(*db, "Klant").size(), 40u);
        // Without a stored password any given one is accepted, as Jet does.
        EXPECT_NO_THROW(jet::Database::open(jet::OpenOptions{plain, false, "iets"}));
    }
}

// Access 2007 and later encrypt a database with a password by Office encryption: the pages are coded with a
// key from the password (the header's key field set), or the whole file is wrapped in a compound document.
TEST(JetOpen, OfficeEncryptedAccdbIsRefusedClearly)
{
    ScratchDir dir;
    const std::string jet4 = readBytes(dir.sample(jet::Version::Jet4));
    std::string compound(8192, '\0');
    std::memcpy(compound.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    const struct {
        std::string name, bytes;
    } cases[] = {
        {"versleuteld2007.accdb", withEncodingKey(asAccdb(jet4, 2), 0x5A3C1E0F)},
        {"versleuteld2010.accdb", withEncodingKey(asAccdb(jet4, 3), 1)},
        {"versleuteld2019.accdb", withEncodingKey(asAccdb(jet4, 6), 0xFFFFFFFF)},
        {"omhuld.accdb", compound},
    };
    for (const auto& c : cases) {
        for (const std::string& password : {std::string(), std::string("geheim")}) {
            const DbError e = openError(dir.write(c.name, c.bytes), password);
            EXPECT_EQ(e.number(), errc::fail) << c.name;
            EXPECT_NE(e.description().find(c.name), std::string::npos) << e.description();
            EXPECT_NE(e.description().find("versleuteld op de nieuwere manier"), std::string::npos) << e.description();
        }
    }
    // Without the key the same file opens.
    const auto db = jet::Database::open(jet::OpenOptions{dir.write("open.accdb", asAccdb(jet4, 2)), false, ""});
    EXPECT_EQ(readRows(*db, "Klant").size(), 40u);
}

// The header's own database password, as Jet 4 keeps it, works the same in every .accdb version.
TEST(JetOpen, LegacyHeaderPasswordOnAccdb)
{
    ScratchDir dir;
    const std::string jet4 = readBytes(dir.sample(jet::Version::Jet4));
    for (const char versionByte : {2, 3, 5, 6}) {
        SCOPED_TRACE(static_cast<int>(versionByte));
        const std::string path =
            dir.write("geheim.accdb", withPassword(asAccdb(jet4, versionByte), "Geheim12", jet::Version::Jet4));
        EXPECT_EQ(openError(path).number(), errc::authentication);
        EXPECT_EQ(openError(path, "geheim12").number(), errc::authentication);
        const auto db = jet::Database::open(jet::OpenOptions{path, false, "Geheim12"});
        EXPECT_EQ(readRows(*db, "Klant").size(), 40u);
    }
}

TEST(JetOpen, SharedOpensCoexistExclusiveExcludes)
{
    ScratchDir dir;
    const std::string path = dir.sample(jet::Version::Jet4);
    {
        const auto first = jet::Database::open(jet::OpenOptions{path, false, ""});
        const auto second = jet::Database::open(jet::OpenOptions{path, false, ""});
        const DbError e = openError(path, "", true);
        EXPECT_EQ(e.number(), errc::fail);
        EXPECT_NE(e.description().find(path), std::string::npos);
    }
    {
        const auto only = jet::Database::open(jet::OpenOptions{path, true, ""});
        EXPECT_NE(openError(path).description().find("exclusief"), std::string::npos);
        EXPECT_EQ(openError(path, "", true).number(), errc::fail);
    }
    EXPECT_NO_THROW(jet::Database::open(jet::OpenOptions{path, true, ""}));  // the lock goes with the database
}

TEST(JetOpen, ReadOnlyFileOpensForReading)
{
    ScratchDir dir;
    const std::string path = dir.sample(jet::Version::Jet3);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    const auto db = jet::Database::open(jet::OpenOptions{path, false, ""});
    EXPECT_EQ(readRows(*db, "Bestelregel").size(), 284u);
}

}  // namespace
}  // namespace querimo::test
