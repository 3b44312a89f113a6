#include "functions_eval.h"

using FinancialFunctions = AccessFunctions;

// Expected values: Access's results for these calls (12% a year paid monthly: rate 0.01), as published with
// Jackcess's expression tests; they follow the formulas given in VBA's documentation of each function.
TEST_F(FinancialFunctions, AnnuityValuesWithEveryOptionalArgument)
{
    expectNumbers({{"acc_fv(0.01, 60, -100)", 8166.96698564091},
                   {"acc_fv(0.01, 60, -100, 0, 1)", 8248.63665549732},
                   {"acc_fv(0.01, 60, -100, 1000)", 6350.27028707682},
                   {"acc_fv(0.01, 60, -100, 1000, 1)", 6431.93995693323},
                   {"acc_pv(0.01, 60, -100)", 4495.5038406224},
                   {"acc_pv(0.01, 60, -100, 0, 1)", 4540.45887902863},
                   {"acc_pv(0.01, 60, -100, 10000)", -1008.99231875519},
                   {"acc_pv(0.01, 60, -100, 10000, 1)", -964.03728034897},
                   {"acc_pmt(0.01, 60, -1000)", 22.2444476849018},
                   {"acc_pmt(0.01, 60, -1000, 0, 1)", 22.0242056286156},
                   {"acc_pmt(0.01, 60, -1000, 10000)", -100.200029164116},
                   {"acc_pmt(0.01, 60, 0, 10000, 1)", -121.232155296057},
                   {"acc_nper(0.01, -100, -1000)", -9.57859403981306},
                   {"acc_nper(0.01, -100, -1000, 0, 1)", -9.48809500550578},
                   {"acc_nper(0.01, -100, -1000, 10000)", 60.0821228537616},
                   {"acc_nper(0.01, -100, 0, 10000, 1)", 69.1619606798005}});
}

TEST_F(FinancialFunctions, InterestAndPrincipalOfOnePayment)
{
    expectNumbers({{"acc_ipmt(0.01, 1, 60, -1000)", 10},
                   {"acc_ipmt(0.01, 30, 60, -1000)", 5.90418478297567},
                   {"acc_ipmt(0.01, 1, 60, -1000, 0, 1)", 0},  // paid at the start: no interest yet
                   {"acc_ipmt(0.01, 30, 60, -1000, 0, 1)", 5.8457275078967},
                   {"acc_ipmt(0.01, 30, 60, 0, 10000)", 40.9581521702433},
                   {"acc_ipmt(0.01, 30, 60, -1000, 10000, 1)", 46.3983534190287},
                   {"acc_ppmt(0.01, 1, 60, -1000)", 12.2444476849018},
                   {"acc_ppmt(0.01, 30, 60, -1000)", 16.3402629019261},
                   {"acc_ppmt(0.01, 1, 60, -1000, 0, 1)", 22.0242056286156},
                   {"acc_ppmt(0.01, 30, 60, -1000, 10000)", -147.062366117335},
                   {"acc_ppmt(0.01, 30, 60, -1000, 10000, 1)", -145.60630308647}});
    EXPECT_EQ(eval("acc_ipmt(0, 1, 10, 100)"), "0");  // not -0
    expectEvals(
        {{"acc_ipmt(0.01, 0, 60, -1000)", "Fout: Ongeldige procedureaanroep of ongeldig argument in IPmt (argument 2)"},
         {"acc_ppmt(0.01, 61, 60, -1000)",
          "Fout: Ongeldige procedureaanroep of ongeldig argument in PPmt (argument 2)"}});
}

TEST_F(FinancialFunctions, RateSearchesFromItsGuessAndCanFail)
{
    expectNumbers({{"acc_rate(3, 200, -610, 0, -20, 0.1)", -1.63048347266756E-02},  // type -20: at the start
                   {"acc_rate(48, -200, 8000)", 7.70147248820165E-03}});
    expectEvals(
        {{"acc_rate(10, 100, 100)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Rate"},
         {"acc_rate(0, -200, 8000)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Rate (argument 1)"}});
}

TEST_F(FinancialFunctions, Depreciation)
{
    expectNumbers({{"acc_ddb(2400, 300, 3650, 1)", 1.31506849315068},  // per day of a ten-year life
                   {"acc_ddb(2400, 300, 120, 1)", 40},
                   {"acc_ddb(2400, 300, 10, 1)", 480},
                   {"acc_ddb(2400, 300, 10, 3)", 307.2},
                   {"acc_ddb(2400, 300, 10, 3.5)", 274.768033075174},
                   {"acc_ddb(2400, 300, 10, 10)", 22.1225472000002},  // stops at the salvage value
                   {"acc_ddb(2400, 300, 10, 0.1)", 480},
                   {"acc_sln(30000, 7500, 10)", 2250},
                   {"acc_sln(8000, 0, 7)", 1142.85714285714},
                   {"acc_syd(30000, 7500, 10, 1)", 4090.90909090909},
                   {"acc_syd(30000, 7500, 10, 10)", 409.090909090909}});
    expectEvals(
        {{"acc_ddb(2400, 300, 10, 11)", "Fout: Ongeldige procedureaanroep of ongeldig argument in DDB"},
         {"acc_sln(1, 0, 0)", "Fout: Ongeldige procedureaanroep of ongeldig argument in SLN"},
         {"acc_syd(1, 0, 10, 0)", "Fout: Ongeldige procedureaanroep of ongeldig argument in SYD"},
         {"acc_pmt(0.01, 0, 1000)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Pmt"},
         {"acc_fv(NULL, 60, -100)", "Fout: Ongeldig gebruik van Null in FV (argument 1)"},
         {"acc_pv(0.01, 60)", "Fout: Verkeerd aantal argumenten voor de functie PV: 3 tot 5 verwacht, 2 opgegeven"},
         {"acc_fv(1e300, 1e300, 1)", "Fout: Overloop in FV"}});
}
