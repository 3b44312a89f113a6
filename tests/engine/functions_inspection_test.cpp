#include "functions_eval.h"

using InspectionFunctions = AccessFunctions;

TEST_F(InspectionFunctions, IIfAndNz)
{
    expectEvals({{"acc_iif(-1, 'ja', 'nee')", "ja"},
                 {"acc_iif(0, 'ja', 'nee')", "nee"},
                 {"acc_iif(NULL, 'ja', 'nee')", "nee"},
                 {"acc_nz(NULL, 0)", "0"},
                 {"acc_nz(NULL)", ""},
                 {"acc_nz(7, 0)", "7"}});
}

TEST_F(InspectionFunctions, IsFunctionsReturnYesNo)
{
    expectEvals({{"acc_isnull(NULL)", "-1"},
                 {"acc_isnull('')", "0"},
                 {"acc_isnumeric('12.5')", "-1"},
                 {"acc_isnumeric(' -1,000 ')", "-1"},
                 {"acc_isnumeric('&H1F')", "-1"},
                 {"acc_isnumeric('12abc')", "0"},
                 {"acc_isnumeric(NULL)", "0"},
                 {"acc_isnumeric(3)", "-1"},
                 {"acc_isdate('12/31/2003')", "-1"},
                 {"acc_isdate('2/30/2003')", "0"},
                 {"acc_isdate('31-Dec-2003')", "-1"},
                 {"acc_isdate('13:45')", "-1"},
                 {"acc_isdate(5)", "0"},
                 {"acc_isdate('1.5')", "0"},
                 {"acc_isempty(NULL)", "0"},  // a query value is never Empty, an array or an object
                 {"acc_isarray('a')", "0"},
                 {"acc_isobject(1)", "0"},
                 {"acc_concat('', acc_isnull(NULL))", "True"}});
}

TEST_F(InspectionFunctions, SwitchAndChoose)
{
    expectEvals({{"acc_switch(0, 'a', -1, 'b', -1, 'c')", "b"},
                 {"acc_switch(0, 'a')", "Null"},
                 {"acc_switch(0, 'a', -1)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Switch"},
                 {"acc_choose(2, 'a', 'b', 'c')", "b"},
                 {"acc_choose(2.5, 'a', 'b', 'c')", "b"},
                 {"acc_choose(4, 'a', 'b', 'c')", "Null"},
                 {"acc_choose(0, 'a')", "Null"}});
}
