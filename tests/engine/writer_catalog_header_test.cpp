// Page 0 of a new database and the database password in it, against what ADOX wrote and what the reader reads.
#include <gtest/gtest.h>

#include <cstring>

#include "jet/Header.h"
#include "jet/HeaderWriter.h"
#include "jet_test_files.h"

namespace querimo::test {
namespace {

using jet::Version;

double creationDateOf(jet::PageBytes page0, Version version)
{
    jet::toggleHeaderMask(page0.data(), version);
    double created = 0;
    std::memcpy(&created, page0.data() + 0x72, sizeof created);
    return created;
}

jet::DatabaseHeader decoded(const jet::PageBytes& page0)
{
    return jet::decodeHeader(jet::ByteView(page0.data(), page0.size()), "nieuw.mdb");
}

TEST(WriterHeader, HeaderIsTheOneAdoxWrites)
{
    QUERIMO_REQUIRE_CORPUS();
    const std::string file = readBytes(corpusDir() / "adox_jet4.mdb");
    const jet::PageBytes adox(file.begin(), file.begin() + 4096);
    // Same creation date, so the password mask is the same too: then every byte agrees.
    const jet::PageBytes ours = jet::newHeaderPage(Version::Jet4, creationDateOf(adox, Version::Jet4));
    ASSERT_EQ(ours.size(), adox.size());
    for (std::size_t i = 0; i < ours.size(); ++i)
        ASSERT_EQ(ours[i], adox[i]) << "byte " << i;
}

TEST(WriterHeader, Jet3HeaderIsTheOneAccess97Writes)
{
    QUERIMO_REQUIRE_CORPUS();
    const std::string file = readBytes(corpusDir() / "testV1997.mdb");
    const jet::PageBytes access(file.begin(), file.begin() + 2048);
    const jet::PageBytes ours = jet::newHeaderPage(Version::Jet3, 0);
    ASSERT_EQ(ours.size(), access.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (i != 0x602) {  // a byte that differs between Access's own files
            ASSERT_EQ(ours[i], access[i]) << "byte " << i;
        }
    }
}

TEST(WriterHeader, HeaderReadsBackAsAPlainWindowsDatabase)
{
    const jet::DatabaseHeader header = decoded(jet::newHeaderPage(Version::Jet4, 46000.25));
    EXPECT_EQ(header.version, Version::Jet4);
    EXPECT_EQ(header.encodingKey, 0u);
    EXPECT_EQ(header.codePage, 1252);
    EXPECT_EQ(header.sortOrder, 1033);
    EXPECT_EQ(header.password, "");
}

TEST(WriterHeader, PasswordsRoundTripInBothVersions)
{
    for (Version version : {Version::Jet4, Version::Jet3}) {
        jet::PageBytes page = jet::newHeaderPage(version, 46000.25);
        jet::storeHeaderPassword(page, version, "Geheim€2024");
        EXPECT_EQ(decoded(page).password, "Geheim€2024");
        jet::storeHeaderPassword(page, version, "twintig-tekens-lang!");
        EXPECT_EQ(decoded(page).password, "twintig-tekens-lang!");
        jet::storeHeaderPassword(page, version, "");
        EXPECT_EQ(decoded(page).password, "");
        const jet::PageBytes before = page;
        EXPECT_THROW(jet::storeHeaderPassword(page, version, "eenentwintig-tekens!!"), DbError);
        EXPECT_EQ(page, before);
    }
    // Jet 3 keeps Windows-1252 bytes: a character outside it would come back as something else.
    jet::PageBytes jet3 = jet::newHeaderPage(Version::Jet3, 46000.25);
    EXPECT_THROW(jet::storeHeaderPassword(jet3, Version::Jet3, "łódź"), DbError);
    jet::PageBytes jet4 = jet::newHeaderPage(Version::Jet4, 46000.25);
    jet::storeHeaderPassword(jet4, Version::Jet4, "łódź");
    EXPECT_EQ(decoded(jet4).password, "łódź");
}

}  // namespace
}  // namespace querimo::test
