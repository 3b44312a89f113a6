#include "functions_eval.h"

using DateFunctions = AccessFunctions;

// 31 December 2003 is day 37986; 13:45 is 0.5729166...
TEST_F(DateFunctions, PartsOfADate)
{
    expectEvals({{"acc_year(37986.5729166667)", "2003"},
                 {"acc_month('12/31/2003')", "12"},
                 {"acc_day(acc_cdate('2003-12-31'))", "31"},
                 {"acc_hour(37986.5729166667)", "13"},
                 {"acc_minute(37986.5729166667)", "45"},
                 {"acc_second('4:35:17 PM')", "17"},
                 {"acc_year(NULL)", "Null"},
                 {"acc_year('no date')", "Fout: Typen komen niet overeen in Year (argument 1)"},
                 {"acc_day(-1.25)", "29"},  // 29 December 1899, 06:00
                 {"acc_hour(-1.25)", "6"}});
}

TEST_F(DateFunctions, WeekdaysAndNames)
{
    expectEvals(
        {{"acc_weekday(37986)", "4"},  // a Wednesday
         {"acc_weekday(37986, 2)", "3"},
         {"acc_weekday(37986, 0)", "4"},
         {"acc_weekday(37986, 8)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Weekday (argument 2)"},
         {"acc_weekday(-1.25)", "6"},  // 29 December 1899 was a Friday
         {"acc_weekday(0)", "7"},
         {"acc_weekdayname(1)", "Sunday"},
         {"acc_weekdayname(1, -1, 2)", "Mon"},
         {"acc_weekdayname(7, 0, 2)", "Sunday"},
         {"acc_weekdayname(0)", "Fout: Ongeldige procedureaanroep of ongeldig argument in WeekdayName (argument 1)"},
         {"acc_monthname(3)", "March"},
         {"acc_monthname(12, -1)", "Dec"},
         {"acc_monthname(13)", "Fout: Ongeldige procedureaanroep of ongeldig argument in MonthName (argument 1)"}});
}

TEST_F(DateFunctions, SerialsAndValues)
{
    expectEvals({{"acc_dateserial(2003, 12, 31)", "37986"},
                 {"acc_dateserial(2004, 1, 0)", "37986"},
                 {"acc_dateserial(1900, 1, 1)", "2"},        // no 29 February 1900
                 {"acc_dateserial(2003, 13, 31)", "38017"},  // 31 January 2004
                 {"acc_dateserial(3, 12, 31)", "37986"},     // two-digit years below 30 are 20xx
                 {"acc_year(acc_dateserial(69, 1, 1))", "1969"},
                 {"acc_dateserial(1899, 12, 29)", "-1"},
                 {"acc_dateserial(10000, 1, 1)", "Fout: Ongeldige procedureaanroep of ongeldig argument in DateSerial"},
                 {"acc_timeserial(13, 45, 0)", "0.572916666666667"},
                 {"acc_timeserial(12, -15, 0)", "0.489583333333333"},  // 11:45
                 {"acc_cstr(acc_timeserial(0, 0, -1))", "12/29/1899 11:59:59 PM"},
                 {"acc_datevalue('12/31/2003 13:45')", "37986"},
                 {"acc_cstr(acc_timevalue('12/31/2003 1:45 PM'))", "1:45:00 PM"},
                 {"acc_timevalue(-1.25)", "0.25"},
                 {"acc_datevalue(NULL)", "Fout: Ongeldig gebruik van Null in DateValue (argument 1)"}});
}

TEST_F(DateFunctions, NowIsTodayPlusTime)
{
    const double date = std::stod(eval("acc_date()")), time = std::stod(eval("acc_time()")),
                 now = std::stod(eval("acc_now()"));
    EXPECT_EQ(date, static_cast<long>(date));
    EXPECT_GT(date, 40000);
    EXPECT_TRUE(time >= 0 && time < 1);
    EXPECT_NEAR(now, date + time, 2.0 / 86400);                      // unless the test runs across midnight
    EXPECT_NEAR(std::stod(eval("acc_timer()")), time * 86400, 2.0);  // Timer: seconds since midnight
}

TEST_F(DateFunctions, DateAddKeepsMonthEndsAndCountsTime)
{
    expectEvals(
        {{"acc_cstr(acc_dateadd('m', 1, '1/31/2003'))", "2/28/2003"},
         {"acc_cstr(acc_dateadd('m', 1, '1/31/2004'))", "2/29/2004"},
         {"acc_cstr(acc_dateadd('yyyy', -1, '2/29/2004'))", "2/28/2003"},
         {"acc_cstr(acc_dateadd('q', 1, '11/15/2003 10:00'))", "2/15/2004 10:00:00 AM"},
         {"acc_cstr(acc_dateadd('d', 1, '12/31/2003'))", "1/1/2004"},
         {"acc_cstr(acc_dateadd('w', 1, '12/31/2003'))", "1/1/2004"},
         {"acc_cstr(acc_dateadd('ww', 2, '12/31/2003'))", "1/14/2004"},
         {"acc_cstr(acc_dateadd('h', 11, '12/31/2003 13:45'))", "1/1/2004 12:45:00 AM"},
         {"acc_cstr(acc_dateadd('n', -30, '12/30/1899 00:15'))", "12/29/1899 11:45:00 PM"},
         {"acc_cstr(acc_dateadd('s', 59, 0))", "12:00:59 AM"},
         {"acc_dateadd('x', 1, 0)", "Fout: Ongeldige procedureaanroep of ongeldig argument in DateAdd"},
         {"acc_dateadd('yyyy', 9000, '1/1/2003')", "Fout: Ongeldige procedureaanroep of ongeldig argument in DateAdd"},
         {"acc_dateadd('d', 1, NULL)", "Null"}});
}

TEST_F(DateFunctions, DateDiffCountsBoundariesCrossed)
{
    expectEvals({{"acc_datediff('yyyy', '12/31/2003', '1/1/2004')", "1"},
                 {"acc_datediff('q', '3/31/2003', '4/1/2003')", "1"},
                 {"acc_datediff('m', '1/31/2003', '2/1/2003')", "1"},
                 {"acc_datediff('d', '12/31/2003 23:59', '1/1/2004 00:01')", "1"},
                 {"acc_datediff('y', '1/1/2004', '12/31/2003')", "-1"},
                 {"acc_datediff('w', '12/1/2003', '12/14/2003')", "1"}});
    // 12/6/2003 is a Saturday: one Sunday (12/7) lies between, none for Monday-based weeks until 12/8.
    expectEvals({{"acc_datediff('ww', '12/6/2003', '12/7/2003')", "1"},
                 {"acc_datediff('ww', '12/6/2003', '12/7/2003', 2)", "0"},
                 {"acc_datediff('ww', '12/7/2003', '12/14/2003')", "1"},
                 {"acc_datediff('h', '1/1/2004 10:59', '1/1/2004 11:00')", "1"},
                 {"acc_datediff('n', '1/1/2004 10:59:59', '1/1/2004 11:00:00')", "1"},
                 {"acc_datediff('s', -1.25, 0)", "64800"},  // 29 December 06:00 to midnight
                 {"acc_datediff('d', NULL, 0)", "Null"}});
}

TEST_F(DateFunctions, DatePartWithWeekRules)
{
    expectEvals({{"acc_datepart('yyyy', '12/31/2003')", "2003"},
                 {"acc_datepart('q', '8/15/2003')", "3"},
                 {"acc_datepart('y', '12/31/2003')", "365"},
                 {"acc_datepart('y', '12/31/2004')", "366"},
                 {"acc_datepart('w', '12/31/2003')", "4"},
                 {"acc_datepart('w', '12/31/2003', 2)", "3"},
                 {"acc_datepart('ww', '1/1/2005')", "1"},         // the week holding 1 January
                 {"acc_datepart('ww', '1/2/2005')", "2"},         // 2 January 2005 is a Sunday
                 {"acc_datepart('ww', '1/1/2005', 2, 2)", "53"},  // ISO: 1 January 2005 is in week 53 of 2004
                 {"acc_datepart('ww', '1/3/2005', 2, 2)", "1"},
                 {"acc_datepart('ww', '12/31/2003', 2, 2)", "1"},  // ISO week 1 of 2004
                 {"acc_datepart('ww', '1/1/2005', 1, 3)", "52"},   // first full week starts 2 January
                 {"acc_datepart('h', '1:45 PM')", "13"},
                 {"acc_datepart('ww', '1/1/2005', 1, 4)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in DatePart (argument 4)"},
                 {"acc_datepart('d', NULL)", "Null"}});
}
