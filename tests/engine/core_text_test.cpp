#include <gtest/gtest.h>

#include "core/Text.h"

using namespace querimo;

TEST(Text, CaseInsensitiveCompareCoversAccentedLetters)
{
    EXPECT_TRUE(text::equalsIgnoreCase("Ĳsselmeer Café", "ĳSSELMEER CAFÉ"));
    EXPECT_FALSE(text::equalsIgnoreCase("Café", "Cafe"));
    EXPECT_FALSE(text::equalsIgnoreCase("abc", "ab"));
    EXPECT_FALSE(text::equalsIgnoreCase("a[", "a{"));
    EXPECT_EQ(text::toUpper("straße één"), "STRAßE ÉÉN");
    // Latin Extended-A pairs upper and lower by odd and even, but not everywhere: the long s is an S.
    EXPECT_EQ(text::toUpper("ſŀžĳ"), "SĿŽĲ");
    EXPECT_EQ(text::toLower("ĿŽĲ"), "ŀžĳ");
    // Names are looked up by their folded key: it must agree with the comparison, ASCII or not.
    const std::pair<const char*, const char*> pairs[] = {{"Ĳsselmeer Café", "ĳSSELMEER CAFÉ"},
                                                         {"Café", "Cafe"},
                                                         {"Klant", "KLANT"},
                                                         {"a[", "a{"},
                                                         {"Tabel 1", "tabel 1 "}};
    for (const auto& [a, b] : pairs)
        EXPECT_EQ(text::foldedKey(a) == text::foldedKey(b), text::equalsIgnoreCase(a, b)) << a << " / " << b;
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
