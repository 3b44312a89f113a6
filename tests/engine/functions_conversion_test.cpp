#include "functions_eval.h"

using ConversionFunctions = AccessFunctions;

TEST_F(ConversionFunctions, ValReadsTheLeadingNumber)
{
    expectEvals({{"acc_val('  12abc')", "12"},
                 {"acc_val(' 1615 198th Street N.E.')", "1615198"},
                 {"acc_val('2457')", "2457"},
                 {"acc_val('24 and 57')", "24"},
                 {"acc_val('&H10')", "16"},
                 {"acc_val('&HFFFF')", "-1"},
                 {"acc_val('&O17')", "15"},
                 {"acc_val('-1.5e2x')", "-150"},
                 {"acc_val('1.2.3')", "1.2"},
                 {"acc_val('1,234')", "1"},
                 {"acc_val('3e')", "3"},
                 {"acc_val('abc')", "0"},
                 {"acc_val('')", "0"},
                 {"acc_val('1e999')", "Fout: Overloop in Val"},
                 {"acc_val(NULL)", "Fout: Ongeldig gebruik van Null in Val (argument 1)"}});
    EXPECT_EQ(typeOf("acc_val('12')"), "real");
}

TEST_F(ConversionFunctions, StrAndCStr)
{
    expectEvals({{"acc_str(459)", " 459"},
                 {"acc_str(-459.65)", "-459.65"},
                 {"acc_str(459.001)", " 459.001"},
                 {"acc_str('12.50')", " 12.5"},
                 {"acc_str(NULL)", "Null"},
                 {"acc_cstr(437.324)", "437.324"},
                 {"acc_cstr(1e15)", "1E+15"},
                 {"acc_cstr(123456789012345)", "123456789012345"},
                 {"acc_cstr(0.00001)", "1E-05"},
                 {"acc_cstr(acc_cdate('2/12/1969'))", "2/12/1969"},
                 {"acc_cstr(acc_cbool(5))", "True"},
                 {"acc_cstr(acc_csng(1.1))", "1.1"},
                 {"acc_cstr(NULL)", "Fout: Ongeldig gebruik van Null in CStr (argument 1)"}});
}

TEST_F(ConversionFunctions, WholeNumberConversionsRoundHalfToEvenAndCheckRange)
{
    expectEvals({{"acc_cint(2.5)", "2"},
                 {"acc_cint(3.5)", "4"},
                 {"acc_cint(-2.5)", "-2"},
                 {"acc_cint(2345.5678)", "2346"},
                 {"acc_cint(' 12 ')", "12"},
                 {"acc_cint(32767.4)", "32767"},
                 {"acc_cint(32767.5)", "Fout: Overloop in CInt (argument 1)"},
                 {"acc_cint('abc')", "Fout: Typen komen niet overeen in CInt (argument 1)"},
                 {"acc_cint(NULL)", "Fout: Ongeldig gebruik van Null in CInt (argument 1)"},
                 {"acc_clng(25427.45)", "25427"},
                 {"acc_clng(2147483648)", "Fout: Overloop in CLng (argument 1)"},
                 {"acc_clng('1,000')", "1000"},
                 {"acc_cbyte(125.5678)", "126"},
                 {"acc_cbyte(-1)", "Fout: Overloop in CByte (argument 1)"}});
}

TEST_F(ConversionFunctions, RealConversions)
{
    expectEvals({{"acc_cdbl('1.5e3')", "1500"},
                 {"acc_cdbl('&H10')", "16"},
                 {"acc_cdbl('1/2/2003')", "Fout: Typen komen niet overeen in CDbl (argument 1)"},
                 {"acc_ccur(1.00005)", "1"},  // half to even at the fourth decimal
                 {"acc_ccur(1.00015)", "1.0002"},
                 {"acc_ccur(1e16)", "Fout: Overloop in CCur"},
                 {"acc_csng(1e39)", "Fout: Overloop in CSng"},
                 {"acc_csng(0.1)", "0.100000001490116"},
                 {"acc_cdec('12.5')", "12.5"}});
}

TEST_F(ConversionFunctions, BooleanAndDateConversions)
{
    expectEvals({{"acc_cbool(5)", "-1"},
                 {"acc_cbool(0)", "0"},
                 {"acc_cbool('False')", "0"},
                 {"acc_cbool('True')", "-1"},
                 {"acc_cbool('ja')", "Fout: Typen komen niet overeen in CBool (argument 1)"},
                 {"acc_cbool(NULL)", "Fout: Ongeldig gebruik van Null in CBool"},
                 {"acc_cdate('12/31/2003')", "37986"},
                 {"acc_cvdate('12/31/2003')", "37986"},
                 {"acc_cdate('2003-12-31 12:00')", "37986.5"},
                 {"acc_cdate('1:00 PM')", "0.541666666666667"},
                 {"acc_cdate(37986)", "37986"},
                 {"acc_cdate('the day after')", "Fout: Typen komen niet overeen in CDate (argument 1)"},
                 {"acc_cdate(1e9)", "Fout: Overloop in CDate (argument 1)"},
                 {"acc_cvar(NULL)", "Null"},
                 {"acc_cvar('x')", "x"}});
}
