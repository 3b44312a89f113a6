#include "functions_eval.h"

using InspectionFunctions = AccessFunctions;

TEST_F(InspectionFunctions, IIfAndNz)
{
    EXPECT_EQ(eval("acc_iif(-1, 'ja', 'nee')"), "ja");
    EXPECT_EQ(eval("acc_iif(0, 'ja', 'nee')"), "nee");
    EXPECT_EQ(eval("acc_iif(NULL, 'ja', 'nee')"), "nee");
    EXPECT_EQ(eval("acc_nz(NULL, 0)"), "0");
    EXPECT_EQ(eval("acc_nz(NULL)"), "");
    EXPECT_EQ(eval("acc_nz(7, 0)"), "7");
}

TEST_F(InspectionFunctions, IsFunctionsReturnYesNo)
{
    EXPECT_EQ(eval("acc_isnull(NULL)"), "-1");
    EXPECT_EQ(eval("acc_isnull('')"), "0");
    EXPECT_EQ(eval("acc_isnumeric('12.5')"), "-1");
    EXPECT_EQ(eval("acc_isnumeric(' -1,000 ')"), "-1");
    EXPECT_EQ(eval("acc_isnumeric('&H1F')"), "-1");
    EXPECT_EQ(eval("acc_isnumeric('12abc')"), "0");
    EXPECT_EQ(eval("acc_isnumeric(NULL)"), "0");
    EXPECT_EQ(eval("acc_isnumeric(3)"), "-1");
    EXPECT_EQ(eval("acc_isdate('12/31/2003')"), "-1");
    EXPECT_EQ(eval("acc_isdate('2/30/2003')"), "0");
    EXPECT_EQ(eval("acc_isdate('31-Dec-2003')"), "-1");
    EXPECT_EQ(eval("acc_isdate('13:45')"), "-1");
    EXPECT_EQ(eval("acc_isdate(5)"), "0");
    EXPECT_EQ(eval("acc_isdate('1.5')"), "0");
    EXPECT_EQ(eval("acc_concat('', acc_isnull(NULL))"), "True");
}

TEST_F(InspectionFunctions, SwitchAndChoose)
{
    EXPECT_EQ(eval("acc_switch(0, 'a', -1, 'b', -1, 'c')"), "b");
    EXPECT_EQ(eval("acc_switch(0, 'a')"), "Null");
    EXPECT_EQ(eval("acc_switch(0, 'a', -1)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in Switch");
    EXPECT_EQ(eval("acc_choose(2, 'a', 'b', 'c')"), "b");
    EXPECT_EQ(eval("acc_choose(2.5, 'a', 'b', 'c')"), "b");
    EXPECT_EQ(eval("acc_choose(4, 'a', 'b', 'c')"), "Null");
    EXPECT_EQ(eval("acc_choose(0, 'a')"), "Null");
}
