#include "functions_eval.h"

using MathFunctions = AccessFunctions;

TEST_F(MathFunctions, IntFixAbsSgn)
{
    expectEvals({{"acc_int(99.8)", "99"},
                 {"acc_fix(99.2)", "99"},
                 {"acc_int(-99.8)", "-100"},
                 {"acc_fix(-99.8)", "-99"},
                 {"acc_int(-8.4)", "-9"},
                 {"acc_fix(-8.4)", "-8"}});
    EXPECT_EQ(typeOf("acc_int(7)"), "integer");
    expectEvals({{"acc_int('2.5')", "2"},
                 {"acc_int(NULL)", "Null"},
                 {"acc_cstr(acc_int(acc_cdate('12/31/2003 13:45')))", "12/31/2003"},
                 {"acc_abs(-50.3)", "50.3"},
                 {"acc_abs(-7)", "7"},
                 {"acc_sgn(-2.5)", "-1"},
                 {"acc_sgn(0)", "0"},
                 {"acc_sgn(12)", "1"}});
}

TEST_F(MathFunctions, RoundUsesBankersRounding)
{
    expectEvals({{"acc_round(2.5)", "2"},
                 {"acc_round(3.5)", "4"},
                 {"acc_round(-2.5)", "-2"},
                 {"acc_round(0.125, 2)", "0.12"},
                 {"acc_round(0.375, 2)", "0.38"},
                 {"acc_round(2.675, 2)", "2.68"},
                 {"acc_round(12.3456, 3)", "12.346"},
                 {"acc_round(7, 2)", "7"},
                 {"acc_round(1.5, -1)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Round (argument 2)"},
                 {"acc_round(NULL)", "Null"}});
}

TEST_F(MathFunctions, ArithmeticFunctionsRejectInvalidArguments)
{
    expectEvals({{"acc_sqr(16)", "4"},
                 {"acc_sqr(-1)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Sqr (argument 1)"},
                 {"acc_exp(0)", "1"},
                 {"acc_exp(710)", "Fout: Overloop in Exp"},
                 {"acc_log(1)", "0"},
                 {"acc_log(0)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Log (argument 1)"},
                 {"acc_atn(1) * 4", "3.14159265358979"},
                 {"acc_sin(0)", "0"},
                 {"acc_cos(0)", "1"},
                 {"acc_tan(0)", "0"},
                 {"acc_sqr('x')", "Fout: Typen komen niet overeen in Sqr (argument 1)"}});
}

TEST_F(MathFunctions, RndRepeatsVbasSequence)
{
    EXPECT_EQ(eval("acc_cstr(acc_rnd(-1))"), "0.224007");  // the value VBA gives for Rnd(-1)
    const std::string first = eval("acc_rnd(0)");
    const std::string next = eval("acc_rnd()");
    EXPECT_NE(next, first);
    EXPECT_EQ(eval("acc_rnd(-1)"), first);
    EXPECT_EQ(eval("acc_rnd()"), next);
    EXPECT_EQ(eval("acc_rnd() < 1 AND acc_rnd() >= 0"), "1");
}

TEST_F(MathFunctions, HexAndOct)
{
    expectEvals({{"acc_hex(5)", "5"},
                 {"acc_hex(10)", "A"},
                 {"acc_hex(459)", "1CB"},
                 {"acc_hex(-1)", "FFFF"},
                 {"acc_hex(-40000)", "FFFF63C0"},
                 {"acc_hex(10.5)", "A"},
                 {"acc_oct(8)", "10"},
                 {"acc_oct(459)", "713"},
                 {"acc_hex(NULL)", "Null"},
                 {"acc_hex(1e12)", "Fout: Overloop in Hex (argument 1)"}});
}

// The rows of the table in VBA's documentation of Partition: before the first, first, last and after the last
// range for (0, 99, 5), (20, 199, 10) and (100, 1010, 20); with interval 1 the range is the number itself.
TEST_F(MathFunctions, PartitionNamesTheRangeOfANumber)
{
    expectEvals({{"acc_partition(-1, 0, 99, 5)", "   : -1"},
                 {"acc_partition(3, 0, 99, 5)", "  0:  4"},
                 {"acc_partition(97, 0, 99, 5)", " 95: 99"},
                 {"acc_partition(150, 0, 99, 5)", "100:   "},
                 {"acc_partition(5, 20, 199, 10)", "   : 19"},
                 {"acc_partition(199, 20, 199, 10)", "190:199"},
                 {"acc_partition(1005, 100, 1010, 20)", "1000:1010"},
                 {"acc_partition(2000, 100, 1010, 20)", "1011:    "},
                 {"acc_partition(100, 0, 1000, 1)", " 100: 100"},
                 {"acc_partition(49.5, 0, 500, 50)", " 50: 99"},  // rounded half to even first
                 {"acc_partition(NULL, 0, 500, 50)", "Null"},
                 {"acc_partition(1, -1, 500, 50)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in Partition (argument 2)"},
                 {"acc_partition(1, 5, 5, 50)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in Partition (argument 3)"},
                 {"acc_partition(1, 0, 5, 0)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in Partition (argument 4)"}});
}

// VBA's documentation of RGB (parts above 255 count as 255) and of QBColor's sixteen colours.
TEST_F(MathFunctions, ColourNumbers)
{
    expectEvals({{"acc_rgb(255, 0, 0)", "255"},
                 {"acc_rgb(0, 0, 255)", "16711680"},
                 {"acc_rgb(75, 139, 300)", "16747339"},
                 {"acc_rgb(-1, 0, 0)", "Fout: Ongeldige procedureaanroep of ongeldig argument in RGB (argument 1)"},
                 {"acc_qbcolor(1)", "8388608"},
                 {"acc_qbcolor(12)", "255"},
                 {"acc_qbcolor(16)", "Fout: Ongeldige procedureaanroep of ongeldig argument in QBColor (argument 1)"}});
}
