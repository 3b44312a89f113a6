#include <gtest/gtest.h>

#include "core/DateTime.h"
#include "core/Text.h"

using namespace querimo;

TEST(Text, CaseInsensitiveCompareCoversAccentedLetters)
{
    EXPECT_TRUE(text::equalsIgnoreCase("Ĳsselmeer Café", "ĳSSELMEER CAFÉ"));
    EXPECT_FALSE(text::equalsIgnoreCase("Café", "Cafe"));
    EXPECT_FALSE(text::equalsIgnoreCase("abc", "ab"));
    EXPECT_EQ(text::toUpper("straße één"), "STRAßE ÉÉN");
}

TEST(Text, EncodingsRoundTrip)
{
    const std::string s = "€ café – ŒŠ 𝄞";
    const std::string utf16 = text::toUtf16le(s);
    EXPECT_EQ(text::fromUtf16le(reinterpret_cast<const unsigned char*>(utf16.data()), utf16.size()), s);
    EXPECT_EQ(text::toWindows1252("€ café –"), "\x80 caf\xe9 \x96");
    EXPECT_EQ(text::fromWindows1252("\x80 caf\xe9 \x96"), "€ café –");
    EXPECT_EQ(text::toWindows1252("𝄞"), "?");
}

TEST(Text, BrokenUtf8DecodesAsReplacementWithoutOverrun)
{
    std::string broken = "a\xE2\x82";
    std::size_t pos = 1;
    EXPECT_EQ(text::decodeUtf8(broken, pos), U'\uFFFD');
    EXPECT_LE(pos, broken.size());
}

TEST(DateTime, AccessSerialDays)
{
    EXPECT_EQ(datetime::serialDay(1899, 12, 30), 0);
    EXPECT_EQ(datetime::serialDay(1900, 1, 1), 2);
    EXPECT_EQ(datetime::serialDay(2003, 12, 31), 37986);
    EXPECT_EQ(datetime::serialDay(2003, 13, 1), datetime::serialDay(2004, 1, 1));  // DateSerial overflow
    EXPECT_EQ(datetime::serialDay(2004, 3, 0), datetime::serialDay(2004, 2, 29));

    const auto c = datetime::toCivil(37986.5729166667);  // 2003-12-31 13:45
    EXPECT_EQ(c.year, 2003);
    EXPECT_EQ(c.day, 31);
    EXPECT_EQ(c.hour, 13);
    EXPECT_EQ(c.minute, 45);
    EXPECT_EQ(c.second, 0);

    const auto before = datetime::toCivil(-1.25);  // 1899-12-29 06:00
    EXPECT_EQ(before.day, 29);
    EXPECT_EQ(before.hour, 6);
    EXPECT_EQ(*datetime::fromCivil({1899, 12, 29, 6, 0, 0}), -1.25);
    EXPECT_FALSE(datetime::fromCivil({10000, 1, 1}).has_value());
    EXPECT_EQ(datetime::weekday(0), 7);      // Saturday
    EXPECT_EQ(datetime::weekday(37986), 4);  // Wednesday
}
