#include <gtest/gtest.h>

#include "sql/functions/DateParse.h"
#include "sql/functions/FunctionTypes.h"

using querimo::sql::parseAccessDate;
using querimo::sql::parseAccessNumber;

TEST(AccessDateParse, LiteralsInUsAndIsoOrder)
{
    for (const char* text :
         {"#12/31/2003#", "12/31/2003", "2003-12-31", "12/31/03", "31-Dec-2003", "December 31, 2003", "dec 31 2003"})
        EXPECT_EQ(parseAccessDate(text), 37986.0) << text;
    EXPECT_EQ(parseAccessDate("1/2/2003"), 37623.0);   // 2 January, month first
    EXPECT_EQ(parseAccessDate("13/1/2003"), 37634.0);  // no month 13: read as 13 January
    EXPECT_EQ(parseAccessDate("12/31/45"), parseAccessDate("12/31/1945"));
    EXPECT_EQ(parseAccessDate("12/30/1899"), 0.0);
    EXPECT_EQ(parseAccessDate("1/1/100"), -657434.0);
}

TEST(AccessDateParse, TimesWithAndWithoutDates)
{
    EXPECT_NEAR(*parseAccessDate("#12/31/2003 13:45#"), 37986 + 13.75 / 24, 1e-9);
    EXPECT_NEAR(*parseAccessDate("12/31/2003 1:45 PM"), 37986 + 13.75 / 24, 1e-9);
    EXPECT_NEAR(*parseAccessDate("#13:45:00#"), 13.75 / 24, 1e-9);
    EXPECT_NEAR(*parseAccessDate("12:30 AM"), 0.5 / 24, 1e-9);
    EXPECT_NEAR(*parseAccessDate("12 PM"), 0.5, 1e-9);
    EXPECT_NEAR(*parseAccessDate("12/29/1899 6:00"), -1.25, 1e-9);  // negative day, time counted forward
}

TEST(AccessDateParse, RejectsWhatIsNoDate)
{
    for (const char* text : {"", "#", "12", "1.5", "2/30/2003", "12/31/10000", "25:00", "10:61", "13 PM", "abc",
                             "12/31/2003 xyz", "1/2/3/4", "Smarch 3, 2003", "12/31/2003 13:45 PM", "99999999999"})
        EXPECT_FALSE(parseAccessDate(text).has_value()) << text;
}

TEST(AccessNumberParse, FormsAccessAccepts)
{
    EXPECT_EQ(parseAccessNumber(" 12 "), 12.0);
    EXPECT_EQ(parseAccessNumber("-1,234.5"), -1234.5);
    EXPECT_EQ(parseAccessNumber("+.5"), 0.5);
    EXPECT_EQ(parseAccessNumber("1.5E3"), 1500.0);
    EXPECT_EQ(parseAccessNumber("1.5d-1"), 0.15);
    EXPECT_EQ(parseAccessNumber("&H1F"), 31.0);
    EXPECT_EQ(parseAccessNumber("&hFFFF"), -1.0);
    EXPECT_EQ(parseAccessNumber("&HFFFFFFFF"), -1.0);
    EXPECT_EQ(parseAccessNumber("&H10000"), 65536.0);
    EXPECT_EQ(parseAccessNumber("&O17"), 15.0);
    for (const char* text : {"", "-", ".", "1e", "12abc", "1 2", "&H", "&HG", "&H100000000", "1e999", ",5", "1..2"})
        EXPECT_FALSE(parseAccessNumber(text).has_value()) << text;
}

TEST(AccessFunctionTypes, LookupIgnoresCaseAndDollar)
{
    using namespace querimo::sql;
    ASSERT_NE(findFunctionType("left$"), nullptr);
    EXPECT_EQ(findFunctionType("LEFT"), findFunctionType("Left$"));
    EXPECT_EQ(findFunctionType("InStr$"), nullptr);  // no $ form
    EXPECT_EQ(findFunctionType("NoSuchFunction"), nullptr);
}

TEST(AccessFunctionTypes, ArgumentCountMessages)
{
    using namespace querimo::sql;
    EXPECT_FALSE(argumentCountError(*findFunctionType("Mid"), 2));
    EXPECT_FALSE(argumentCountError(*findFunctionType("Mid"), 3));
    EXPECT_EQ(argumentCountError(*findFunctionType("Mid"), 4),
              "Verkeerd aantal argumenten voor de functie Mid: 2 tot 3 verwacht, 4 opgegeven");
    EXPECT_EQ(argumentCountError(*findFunctionType("Switch"), 1),
              "Verkeerd aantal argumenten voor de functie Switch: minstens 2 verwacht, 1 opgegeven");
    EXPECT_FALSE(argumentCountError(*findFunctionType("Choose"), 40));
    EXPECT_EQ(argumentCountError(*findFunctionType("Now"), 1),
              "Verkeerd aantal argumenten voor de functie Now: 0 verwacht, 1 opgegeven");
}
