#include <gtest/gtest.h>

#include <limits>

#include "engine/writer_file_pages.h"
#include "jet/Database.h"
#include "jet/tables/IndexKey.h"
#include "sql/Modification.h"
#include "sql/Parser.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::jet;
using writertest::hex;

namespace {

struct Outcome {
    int verified = 0;
    int refused = 0;
};

// Every real index of every table is a sound tree whose usage map (where it has one) marks exactly its pages and
// whose entries hold the keys encoded from the rows they point to, unless the encoder refuses a character it
// does not know.
Outcome checkFile(const std::filesystem::path& path)
{
    Outcome total;
    const auto db = test::openFile(path.string());
    writertest::FilePages file(path);
    for (const CatalogEntry& entry : db->catalog()) {
        if (entry.kind != ObjectKind::Table && entry.kind != ObjectKind::SystemTable) continue;
        const TableLayout layout = file.table(db->table(entry.name).definitionPage, entry.name);
        for (const RealIndexLayout& real : layout.realIndexes) {
            SCOPED_TRACE(path.filename().string() + " / " + entry.name + ", root page "
                         + std::to_string(real.firstPage));
            const writertest::IndexWalk walk = file.walk(real);
            EXPECT_EQ(walk.problem, "");
            std::string mismatch;
            for (const IndexEntry& leaf : walk.leaves) {
                const IndexKey key =
                    writertest::keyOfRow(db->version(), layout.def, real.columns, file.rowOf(layout, leaf));
                if (key.unencodable)
                    ++total.refused;
                else if (key.bytes == leaf.key)
                    ++total.verified;
                else if (mismatch.empty())
                    mismatch = "stored " + hex(leaf.key) + " encoded " + hex(key.bytes);
            }
            EXPECT_EQ(mismatch, "");
        }
    }
    return total;
}

// Every index Access filled, system tables' too: the keys our encoder gives the rows are the keys Access stored.
TEST(CorpusIndexKeys, EncodedKeysEqualStoredKeys)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const auto& path : test::corpusFiles()) {
        const Outcome outcome = checkFile(path);
        std::cout << path.filename().string() << ": " << outcome.verified << " keys verified, " << outcome.refused
                  << " refused\n";
    }
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
    const Outcome outcome = checkFile(path);
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

TEST(IndexKey, CharactersWithoutKnownCodeAreRefusedNotGuessed)
{
    const auto refused = [](Version version, const char* s) {
        return encodeIndexKey(version, {{ColumnType::Text, true}}, {Value::text(s)}).unencodable;
    };
    EXPECT_EQ(refused(Version::Jet3, "prijs €5"), U'€');  // not shown by the Access 97 corpus
    EXPECT_EQ(refused(Version::Jet4, "北京"), U'北');     // Jet 4 knows what Windows-1252 can hold
    EXPECT_EQ(refused(Version::Jet4, "Zoë ğ"), U'ğ');
    for (const char* known :
         {"Frankfurt a.M.", "'s-Hertogenbosch", "België", "prijs €5", "“citaat” – ‘kort’", "Œuvre ™"})
        EXPECT_FALSE(refused(Version::Jet4, known)) << known;
    const std::string message = unencodableKeyMessage(U'€', "Naam", "Klant");
    EXPECT_NE(message.find("'Naam'"), std::string::npos);
    EXPECT_NE(message.find("'Klant'"), std::string::npos);
    EXPECT_NE(message.find("U+20AC"), std::string::npos);
}

}  // namespace
