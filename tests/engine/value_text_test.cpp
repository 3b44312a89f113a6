#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

#include "core/ValueText.h"

using querimo::displayText;
using querimo::exportText;
using querimo::Value;

TEST(ValueText, NumbersUsePointAndNoGrouping)
{
    EXPECT_EQ(exportText(Value::int32(-1234567)), "-1234567");
    EXPECT_EQ(exportText(Value::currency(35000)), "3.5");
    EXPECT_EQ(exportText(Value::currency(-12345)), "-1.2345");
    EXPECT_EQ(exportText(Value::currency(-10000)), "-1");
    EXPECT_EQ(exportText(Value::currency(std::numeric_limits<std::int64_t>::min())), "-922337203685477.5808");
    EXPECT_EQ(exportText(Value::decimal("-12.340")), "-12.340");
}

TEST(ValueText, FloatingPointIsShortestRoundTrip)
{
    EXPECT_EQ(exportText(Value::single(0.1f)), "0.1");  // not the double nearest to the float
    EXPECT_EQ(exportText(Value::single(804983.375f)), "804983.4");
    EXPECT_EQ(exportText(Value::dbl(0.1)), "0.1");
    const double third = 1.0 / 3;
    EXPECT_EQ(std::stod(exportText(Value::dbl(third))), third);
}

TEST(ValueText, DatesDropAZeroTime)
{
    EXPECT_EQ(exportText(Value::dateTime(0)), "1899-12-30");
    EXPECT_EQ(exportText(Value::dateTime(36526.5)), "2000-01-01 12:00:00");
    EXPECT_EQ(exportText(Value::dateTime(-1.25)), "1899-12-29 06:00:00");  // Access counts the time forward
    EXPECT_EQ(exportText(Value::dateTime(36526.9999999)), "2000-01-02");   // rounds to the next midnight
    // Outside Access's years 100 to 9999 only a damaged file has a date: shown as its day number.
    EXPECT_EQ(exportText(Value::dateTime(1e300)), "1e+300");
}

TEST(ValueText, OtherKinds)
{
    EXPECT_EQ(exportText(Value::null()), "");
    EXPECT_EQ(exportText(Value::boolean(true)), "1");
    EXPECT_EQ(exportText(Value::boolean(false)), "0");
    EXPECT_EQ(exportText(Value::binary(std::string("\x00\xff\x1a", 3))), "00FF1A");
    EXPECT_EQ(exportText(Value::guid("{8E39276A-BCA8-4AC4-891E-49911D8438DD}")),
              "{8E39276A-BCA8-4AC4-891E-49911D8438DD}");
    EXPECT_EQ(exportText(Value::text("a\tb")), "a\tb");
}

TEST(ValueText, DisplayFollowsTheLocaleDecimalSeparator)
{
    EXPECT_EQ(displayText(Value::boolean(true)), "Waar");
    EXPECT_EQ(displayText(Value::currency(35000)), "3.50");
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma[] = {"nl_NL.UTF-8", "nl_NL.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"};
    bool found = false;
    for (const char* name : comma)
        if (std::setlocale(LC_NUMERIC, name)) {
            found = true;
            break;
        }
    if (found) {
        EXPECT_EQ(displayText(Value::currency(35000)), "3,50");
        EXPECT_EQ(displayText(Value::dbl(-0.25)), "-0,25");
        EXPECT_EQ(displayText(Value::decimal("12.340")), "12,340");
        EXPECT_EQ(displayText(Value::int32(1234567)), "1234567");
        EXPECT_EQ(exportText(Value::dbl(-0.25)), "-0.25");  // the export form stays fixed
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!found) GTEST_SKIP() << "geen locale met decimale komma geïnstalleerd";
}
