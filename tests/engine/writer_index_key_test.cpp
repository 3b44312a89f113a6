#include <gtest/gtest.h>

#include <limits>

#include "engine/writer_file_pages.h"
#include "engine/writer_index_entries.h"
#include "jet/Database.h"
#include "jet/tables/IndexKey.h"
#include "sql/Modification.h"
#include "sql/Parser.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::jet;
using writertest::hex;

namespace {

// Every index Access filled, system tables' too: the keys our encoder gives the rows are the keys Access stored,
// none refused (Jet 3 text is Windows-1252, and Jet 4 keys cover every UTF-16 unit).
TEST(CorpusIndexKeys, EncodedKeysEqualStoredKeys)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const auto& path : test::corpusFiles()) {
        const writertest::IndexEntriesOutcome outcome = writertest::checkIndexEntries(path);
        std::cout << path.filename().string() << ": " << outcome.verified << " keys verified, " << outcome.refused
                  << " refused\n";
        EXPECT_EQ(outcome.refused, 0) << path.filename().string();
    }
}

// The Access 97 file of text keys in ascending and descending indexes: every character it holds, Windows quotes,
// dashes and "Œ" included.
TEST(CorpusIndexKeys, EveryAccess97CharacterKeyIsAccesssOwn)
{
    QUERIMO_REQUIRE_CORPUS_FILE("testIndexCodesV1997.mdb");
    const writertest::IndexEntriesOutcome outcome =
        writertest::checkIndexEntries(test::corpusFile("testIndexCodesV1997.mdb"));
    EXPECT_EQ(outcome.refused, 0);
    EXPECT_GT(outcome.verified, 0);
}

// Text with accents, apostrophes, hyphens and Windows quotes written into Northwind's indexed columns: every
// index still holds exactly the keys of its rows, in key order among the keys Access wrote.
TEST(CorpusIndexKeys, KeysOfWrittenTextKeepEveryIndexInOrder)
{
    QUERIMO_REQUIRE_CORPUS_FILE("northwind-jet4.mdb");
    test::ScratchDir dir;
    const std::string path = dir.copyOf("northwind-jet4.mdb");
    {
        auto db = test::openFile(path);
        sql::runModification(
            *db,
            sql::parseStatement("UPDATE Customers SET CompanyName = Left('''t Café ' & CompanyName, 40), "
                                "City = Left('''s-' & City, 15), PostalCode = '“5211”' WHERE Country <> 'USA'"),
            {});
        sql::runModification(
            *db,
            sql::parseStatement("UPDATE Products SET ProductName = Left('Zoë''s – ' & ProductName, 40) "
                                "WHERE CategoryID = 1"),
            {});
    }
    const writertest::IndexEntriesOutcome outcome = writertest::checkIndexEntries(path);
    EXPECT_EQ(outcome.refused, 0);
    EXPECT_GT(outcome.verified, 13000);
}

std::string key(Version version, ColumnType type, bool ascending, const Value& value)
{
    const IndexKey k = encodeIndexKey(version, {{type, ascending}}, {value});
    EXPECT_FALSE(k.unencodable);
    return k.bytes;
}

// Keys of values given in ascending order must sort the same way, and the other way round descending,
// with Null first (ascending) or last (descending).
void expectOrder(ColumnType type, const std::vector<Value>& ascendingValues)
{
    for (Version version : {Version::Jet3, Version::Jet4}) {
        std::string previousUp = key(version, type, true, Value::null());
        std::string previousDown = key(version, type, false, Value::null());
        for (const Value& v : ascendingValues) {
            const std::string up = key(version, type, true, v);
            const std::string down = key(version, type, false, v);
            EXPECT_LT(previousUp, up) << static_cast<int>(type) << " " << v.integer << " " << v.real;
            if (previousDown != key(version, type, false, Value::null())) {
                EXPECT_GT(previousDown, down) << static_cast<int>(type) << " " << v.integer << " " << v.real;
            }
            EXPECT_LT(down, key(version, type, false, Value::null()));
            previousUp = up;
            previousDown = down;
        }
    }
}

TEST(IndexKey, NumbersDatesAndTextSortLikeTheirValues)
{
    expectOrder(ColumnType::Byte, {Value::byte(0), Value::byte(1), Value::byte(200), Value::byte(255)});
    expectOrder(ColumnType::Integer,
                {Value::int16(-32768), Value::int16(-1), Value::int16(0), Value::int16(5), Value::int16(32767)});
    expectOrder(ColumnType::Long, {Value::int32(std::numeric_limits<std::int32_t>::min()), Value::int32(-70000),
                                   Value::int32(-1), Value::int32(0), Value::int32(1), Value::int32(70000),
                                   Value::int32(std::numeric_limits<std::int32_t>::max())});
    expectOrder(ColumnType::Currency, {Value::currency(-922337203685477LL), Value::currency(-10000), Value::currency(0),
                                       Value::currency(1), Value::currency(123456789)});
    expectOrder(ColumnType::Double, {Value::dbl(-1e300), Value::dbl(-2.5), Value::dbl(-1e-9), Value::dbl(0),
                                     Value::dbl(1e-9), Value::dbl(3), Value::dbl(1e300)});
    expectOrder(ColumnType::Single, {Value::single(-3e38f), Value::single(-1), Value::single(0), Value::single(0.5f),
                                     Value::single(3e38f)});
    expectOrder(ColumnType::DateTime, {Value::dateTime(-657434), Value::dateTime(-1.25), Value::dateTime(0),
                                       Value::dateTime(37986.5), Value::dateTime(2958465)});
    expectOrder(ColumnType::Text,
                {Value::text(""), Value::text("12"), Value::text("2"), Value::text("Amsterdam"), Value::text("e"),
                 Value::text("é"), Value::text("f"), Value::text("Zaandam"), Value::text("zwolle")});
    expectOrder(ColumnType::Guid, {Value::guid("{00000000-0000-0000-0000-000000000001}"),
                                   Value::guid("{10000000-0000-0000-0000-000000000000}"),
                                   Value::guid("{FFFFFFFF-0000-0000-0000-000000000000}")});
}

TEST(IndexKey, OnlyCharactersOutsideAJet3CodePageAreRefused)
{
    const auto refused = [](Version version, const char* s) {
        return encodeIndexKey(version, {{ColumnType::Text, true}}, {Value::text(s)}).unencodable;
    };
    EXPECT_EQ(refused(Version::Jet3, "Şahin"), U'Ş');  // Windows-1252 cannot hold it, so neither can the file
    EXPECT_EQ(refused(Version::Jet3, "東京"), U'東');
    for (const char* known : {"prijs €5", "Œuvre ™", "“citaat” – ‘kort’", "Šibenik", "Ÿ"})
        EXPECT_FALSE(refused(Version::Jet3, known)) << known;
    for (const char* known : {"Şahin", "Yılmaz", "Łódź", "Čapek", "Đorđe", "Ελλάδα", "Москва", "東京", "ā", "שלום",
                              "القاهرة", "ひらがな カタカナ", "한국", "😀 emoji"})
        EXPECT_FALSE(refused(Version::Jet4, known)) << known;
    const std::string message = unencodableKeyMessage(IndexKey{{}, U'Ş'}, "ixNaam", "T");
    EXPECT_EQ(message, "Het teken 'Ş' (U+015E) kan niet in de index 'ixNaam' van de tabel 'T' worden opgenomen; "
                       "de opdracht is niet uitgevoerd");
}

}  // namespace
