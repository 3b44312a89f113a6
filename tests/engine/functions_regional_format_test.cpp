#include <clocale>

#include "functions_eval.h"

using RegionalFormats = AccessFunctions;

// Expected values under US settings (the C locale): Access's results as published with Jackcess's expression
// tests, for VBA's documented arguments (digits, leading zero, parentheses, grouping; -1/-2 the regional default).
TEST_F(RegionalFormats, FormatNumberUnderUsSettings)
{
    expectEvals({{"acc_formatnumber(12345)", "12,345.00"},
                 {"acc_formatnumber(12.345)", "12.34"},  // 12.345 * 100 is 1234.5 in double: half to even
                 {"acc_formatnumber(-0.12345)", "-0.12"},
                 {"acc_formatnumber(12345, 3)", "12,345.000"},
                 {"acc_formatnumber(0.12345, 3)", "0.123"},
                 {"acc_formatnumber(12345, 0)", "12,345"},
                 {"acc_formatnumber(0.12345, 3, 0)", ".123"},
                 {"acc_formatnumber(-0.12345, 3, 0)", "-.123"},
                 {"acc_formatnumber(-12.345, -1, -1, -1)", "(12.34)"},
                 {"acc_formatnumber(-12.345, 0, -1, -1)", "(12)"},
                 {"acc_formatnumber(12345, -1, -2, -2, 0)", "12345.00"},
                 {"acc_formatnumber('7.5', 1)", "7.5"},
                 {"acc_formatnumber(-0.001, 2)", "0.00"},
                 {"acc_formatnumber(1e20, 1)", "100,000,000,000,000,000,000.0"},
                 {"acc_formatnumber(NULL)", "Null"},
                 {"acc_formatnumber('abc')", "Fout: Typen komen niet overeen in FormatNumber (argument 1)"},
                 {"acc_formatnumber(1, -3)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in FormatNumber (argument 2)"},
                 {"acc_formatnumber(1, 100)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in FormatNumber (argument 2)"}});
}

TEST_F(RegionalFormats, FormatPercentAndCurrencyUnderUsSettings)
{
    expectEvals({{"acc_formatpercent(12345)", "1,234,500.00%"},
                 {"acc_formatpercent(-12.345, -1, -1, -1)", "(1,234.50%)"},
                 {"acc_formatpercent(0.345, 0, -1, -1)", "34%"},
                 {"acc_formatpercent(-0.0012345, 3, 0)", "-.123%"},
                 {"acc_formatpercent(1e308)", "Fout: Overloop in FormatPercent"},
                 {"acc_formatcurrency(1e308 * 10)", "Fout: Overloop in FormatCurrency"},
                 {"acc_formatcurrency(12345)", "$12,345.00"},
                 {"acc_formatcurrency(-12345)", "($12,345.00)"},
                 {"acc_formatcurrency(-12.345, -1, -1, 0)", "-$12.34"},
                 {"acc_formatcurrency(12.345, 0, -1, -1)", "$12"},
                 {"acc_formatcurrency(-0.12345, 3, 0)", "($.123)"}});
    const std::string huge = eval("acc_formatnumber(-1e308, 2)");  // every digit of the double, grouped
    EXPECT_EQ(huge.substr(0, 8), "-100,000");
    EXPECT_EQ(huge.size(), 1 + 309 + 102 + 3u);
}

// FormatDateTime's forms 0 to 4 (VBA's vbGeneralDate .. vbShortTime).
TEST_F(RegionalFormats, FormatDateTimeForms)
{
    const std::string d = "acc_cdate('1/1/1973 13:37:25')";
    expectEvals({{"acc_formatdatetime(" + d + ")", "1/1/1973 1:37:25 PM"},
                 {"acc_formatdatetime(acc_cdate('13:37:25'), 0)", "1:37:25 PM"},
                 {"acc_formatdatetime(acc_cdate('1/1/1973'), 0)", "1/1/1973"},
                 {"acc_formatdatetime(" + d + ", 1)", "Monday, January 1, 1973"},
                 {"acc_formatdatetime(" + d + ", 2)", "1/1/1973"},
                 {"acc_formatdatetime(" + d + ", 3)", "1:37:25 PM"},
                 {"acc_formatdatetime(" + d + ", 4)", "13:37"},
                 {"acc_formatdatetime(" + d + ", 5)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in FormatDateTime (argument 2)"},
                 {"acc_formatdatetime(3000000)", "Fout: Overloop in FormatDateTime (argument 1)"}});
}

// Dutch settings: "," for decimals, "." between groups, "€ " before amounts and "€ -" for negative ones.
TEST_F(RegionalFormats, NumberFormsFollowDutchSettings)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "nl_NL.UTF-8")) GTEST_SKIP() << "nl_NL.UTF-8 is not installed";
    expectEvals({{"acc_formatnumber(12345.678)", "12.345,68"},
                 {"acc_formatnumber(-0.5, 1, 0)", "-,5"},
                 {"acc_formatpercent(0.25)", "25,00%"},
                 {"acc_formatcurrency(12345)", "€ 12.345,00"},
                 {"acc_formatcurrency(-12345)", "€ -12.345,00"},
                 {"acc_formatcurrency(-1, 0, -1, -1)", "(€ 1)"},
                 // Format's number formats show "." and "," as the region's separators
                 {"acc_format(1234.5, '#,##0.00')", "1.234,50"},
                 {"acc_format(1234.5, 'Standard')", "1.234,50"},
                 {"acc_format(0.5, 'Percent')", "50,00%"},
                 {"acc_format(1234.5, 'Currency')", "€ 1.234,50"},
                 {"acc_format(-1234.5, 'Currency')", "€ -1.234,50"}});
    std::setlocale(LC_ALL, saved.c_str());
}
