#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Error.h"
#include "jet/IndexKey.h"
#include "jet/NewTableLayout.h"
#include "jet/RowDecoder.h"
#include "jet/RowEncoder.h"
#include "jet_test_files.h"

using namespace querimo;
using namespace querimo::jet;

namespace {

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

TEST(IndexKey, NumbersAndDatesSortLikeTheirValues)
{
    expectOrder(ColumnType::Byte, {Value::byte(0), Value::byte(1), Value::byte(200), Value::byte(255)});
    expectOrder(ColumnType::Integer, {Value::int16(-32768), Value::int16(-1), Value::int16(0), Value::int16(5), Value::int16(32767)});
    expectOrder(ColumnType::Long, {Value::int32(std::numeric_limits<std::int32_t>::min()), Value::int32(-70000), Value::int32(-1),
                                   Value::int32(0), Value::int32(1), Value::int32(70000), Value::int32(std::numeric_limits<std::int32_t>::max())});
    expectOrder(ColumnType::Currency, {Value::currency(-922337203685477LL), Value::currency(-10000), Value::currency(0), Value::currency(1),
                                       Value::currency(123456789)});
    expectOrder(ColumnType::Double, {Value::dbl(-1e300), Value::dbl(-2.5), Value::dbl(-1e-9), Value::dbl(0), Value::dbl(1e-9),
                                     Value::dbl(3), Value::dbl(1e300)});
    expectOrder(ColumnType::Single, {Value::single(-3e38f), Value::single(-1), Value::single(0), Value::single(0.5f), Value::single(3e38f)});
    expectOrder(ColumnType::DateTime, {Value::dateTime(-657434), Value::dateTime(-1.25), Value::dateTime(0), Value::dateTime(37986.5),
                                       Value::dateTime(2958465)});
    expectOrder(ColumnType::Guid, {Value::guid("{00000000-0000-0000-0000-000000000001}"),
                                   Value::guid("{10000000-0000-0000-0000-000000000000}"),
                                   Value::guid("{FFFFFFFF-0000-0000-0000-000000000000}")});
}

TEST(IndexKey, TextIgnoresCaseAndTrailingSpacesAndSortsAccentsAfterPlainLetters)
{
    for (Version version : {Version::Jet3, Version::Jet4}) {
        const auto text = [&](const char* s) { return key(version, ColumnType::Text, true, Value::text(s)); };
        EXPECT_EQ(text("Amsterdam"), text("AMSTERDAM"));
        EXPECT_EQ(text("ab"), text("ab   "));
        EXPECT_LT(text("e"), text("é"));
        EXPECT_LT(text("é"), text("f"));
        EXPECT_LT(text("Zaandam"), text("zwolle"));
        EXPECT_LT(text("12"), text("2"));
        EXPECT_LT(text(""), text("a"));
    }
}

// Jet 4 sorts words: hyphens and apostrophes only break ties, after the letters and their accents.
TEST(IndexKey, Jet4HyphensAndApostrophesOnlyBreakTies)
{
    const auto text = [](const char* s) { return key(Version::Jet4, ColumnType::Text, true, Value::text(s)); };
    EXPECT_LT(text("coop"), text("co-op"));
    EXPECT_LT(text("co-op"), text("cop"));
    EXPECT_LT(text("co-op"), text("coo-p"));  // an earlier hyphen first
    EXPECT_LT(text("shertogenbosch"), text("'s-Hertogenbosch"));
    EXPECT_LT(text("'s-Hertogenbosch"), text("sherwood"));
    EXPECT_EQ(text("Nuss"), text("Nuß"));  // to this sort order ß is ss
    EXPECT_LT(text("Nuß-Nougat"), text("Nusso"));
}

TEST(IndexKey, CharactersWithoutKnownCodeAreRefusedNotGuessed)
{
    const auto refused = [](Version version, const char* s) {
        return encodeIndexKey(version, {{ColumnType::Text, true}}, {Value::text(s)}).unencodable;
    };
    EXPECT_EQ(refused(Version::Jet3, "prijs €5"), U'€');  // not shown by the Access 97 corpus
    EXPECT_EQ(refused(Version::Jet4, "北京"), U'北');       // Jet 4 knows what Windows-1252 can hold
    EXPECT_EQ(refused(Version::Jet4, "Zoë ğ"), U'ğ');
    for (const char* known : {"Frankfurt a.M.", "'s-Hertogenbosch", "België", "prijs €5", "“citaat” – ‘kort’", "Œuvre ™"})
        EXPECT_FALSE(refused(Version::Jet4, known)) << known;
    const std::string message = unencodableKeyMessage(U'€', "Naam", "Klant");
    EXPECT_NE(message.find("'Naam'"), std::string::npos);
    EXPECT_NE(message.find("'Klant'"), std::string::npos);
    EXPECT_NE(message.find("U+20AC"), std::string::npos);
}

TEST(IndexKey, ColumnsFollowEachOtherWithTheirOwnDirection)
{
    const std::vector<KeyColumn> columns = {{ColumnType::Long, true}, {ColumnType::Text, false}};
    const auto k = [&](std::int32_t n, const char* s) {
        return encodeIndexKey(Version::Jet4, columns, {Value::int32(n), Value::text(s)}).bytes;
    };
    EXPECT_LT(k(1, "b"), k(1, "a"));
    EXPECT_LT(k(1, "a"), k(2, "b"));
    EXPECT_LT(k(1, "a"), encodeIndexKey(Version::Jet4, columns, {Value::int32(1), Value::null()}).bytes);
}

// Nummer Long, Bedrag Decimal(10,3) (Currency in Jet 3, which has no Decimal) and three Text(255) columns, laid
// out as a new table.
class RowEncoderTest : public ::testing::Test {
protected:
    static TableLayout sampleTable(Version version)
    {
        TableDef def;
        def.name = "Proef";
        for (const char* name : {"Nummer", "Bedrag", "A", "B", "C"}) {
            ColumnDef c;
            c.name = name;
            c.type = def.columns.empty() ? ColumnType::Long : ColumnType::Text;
            c.size = c.type == ColumnType::Text ? 255 : 0;
            def.columns.push_back(c);
        }
        def.columns[1].type = version == Version::Jet4 ? ColumnType::Decimal : ColumnType::Currency;
        def.columns[1].precision = 10;
        def.columns[1].scale = 3;
        def.columns[1].size = 0;
        return newTableLayout(Format::of(version), def);
    }

    std::vector<Value> roundTrip(Version version, const std::vector<Value>& values)
    {
        const Format& format = Format::of(version);
        const TableLayout table = sampleTable(version);
        const std::string row = RowEncoder(format, table).encode(values);
        std::vector<Value> back;
        RowDecoder(file, format, table).decode(ByteView(reinterpret_cast<const std::uint8_t*>(row.data()), row.size()), back);
        return back;
    }

    const test::ScratchDir dir;
    PageFile file{dir.write("leeg.mdb", std::string(4096, '\0')), false};  // for long values, of which there are none
};

TEST_F(RowEncoderTest, LongJet3RowsNeedTheJumpTable)
{
    // Offsets past 256 and 512 bytes, and a Null column in between.
    const std::vector<Value> values = {Value::int32(7), Value::currency(-123400), Value::text(std::string(200, 'a')),
                                       Value::null(), Value::text(std::string(250, 'c') + "é")};
    EXPECT_EQ(roundTrip(Version::Jet3, values), values);
    const std::vector<Value> longer = {Value::int32(-1), Value::null(), Value::text(std::string(255, 'x')),
                                       Value::text(std::string(255, 'y')), Value::text(std::string(255, 'z'))};
    EXPECT_EQ(roundTrip(Version::Jet3, longer), longer);
}

TEST_F(RowEncoderTest, Jet4TextIsCompressedOnlyWhenItCanBe)
{
    const std::vector<Value> values = {Value::int32(1), Value::decimal("0.000"), Value::text("Zoë"), Value::text("€ 5"),
                                       Value::text("")};
    EXPECT_EQ(roundTrip(Version::Jet4, values), values);
    EXPECT_EQ(encodeJetText("abc", Version::Jet4, true, "A"), "\xFF\xFE" "abc");
    EXPECT_EQ(encodeJetText("€", Version::Jet4, true, "A"), std::string("\xAC\x20", 2));
    EXPECT_EQ(encodeJetText("abc", Version::Jet4, false, "A"), std::string("a\0b\0c\0", 6));
}

TEST_F(RowEncoderTest, ValuesThatDoNotFitAreRefused)
{
    const auto encode = [&](Version version, const std::vector<Value>& values) {
        const TableLayout table = sampleTable(version);
        return RowEncoder(Format::of(version), table).encode(values);
    };
    EXPECT_THROW(encode(Version::Jet4, {Value::int32(1), Value::null(), Value::text(std::string(256, 'a'))}), DbError);
    EXPECT_THROW(encode(Version::Jet3, {Value::int32(1), Value::null(), Value::text("北")}), DbError);
    EXPECT_THROW(encode(Version::Jet4, {Value::int32(1), Value::decimal("1.2345")}), DbError);
    EXPECT_THROW(encode(Version::Jet4, {Value::int32(1), Value::decimal("123456789.5")}), DbError);
    EXPECT_NO_THROW(encode(Version::Jet4, {Value::int32(1), Value::decimal("1.2300")}));
}

}  // namespace
