#include "functions_eval.h"

using OperatorFunctions = AccessFunctions;

TEST_F(OperatorFunctions, LikeUsesAccessWildcardsAndIgnoresCase)
{
    EXPECT_EQ(eval("acc_like('Anchovy Paste', 'an*')"), "-1");
    EXPECT_EQ(eval("acc_like('Chai', 'C?ai')"), "-1");
    EXPECT_EQ(eval("acc_like('Chai', 'C?i')"), "0");
    EXPECT_EQ(eval("acc_like('a1b', 'a#b')"), "-1");
    EXPECT_EQ(eval("acc_like('axb', 'a#b')"), "0");
    EXPECT_EQ(eval("acc_like('Boston', '[a-c]*')"), "-1");
    EXPECT_EQ(eval("acc_like('Denver', '[!a-c]*')"), "-1");
    EXPECT_EQ(eval("acc_like('Boston', '[!a-c]*')"), "0");
    EXPECT_EQ(eval("acc_like('a*b', 'a[*]b')"), "-1");
    EXPECT_EQ(eval("acc_like('aXb', 'a[*]b')"), "0");
    EXPECT_EQ(eval("acc_like('ÉCOLE', 'école')"), "-1");
    EXPECT_EQ(eval("acc_like('abcabcabd', '*abc*abd')"), "-1");
    EXPECT_EQ(eval("acc_like('', '*')"), "-1");
    EXPECT_EQ(eval("acc_like(123, '1*')"), "-1");
}

TEST_F(OperatorFunctions, LikePropagatesNullAndRejectsAnUnclosedBracket)
{
    EXPECT_EQ(eval("acc_like(NULL, '*')"), "Null");
    EXPECT_EQ(eval("acc_like('a', NULL)"), "Null");
    EXPECT_EQ(eval("acc_like('a', '[a')").rfind("Fout: Ongeldig patroon", 0), 0u);
}

TEST_F(OperatorFunctions, LikeStaysFastOnManyStars)
{
    const std::string text(2000, 'a');
    EXPECT_EQ(eval("acc_like('" + text + "', '*a*a*a*a*a*a*a*a*b')"), "0");
}

TEST_F(OperatorFunctions, ConcatenationTreatsNullAsEmpty)
{
    EXPECT_EQ(eval("acc_concat('a', NULL)"), "a");
    EXPECT_EQ(eval("acc_concat(NULL, 'b')"), "b");
    EXPECT_EQ(eval("acc_concat(NULL, NULL)"), "Null");
    EXPECT_EQ(eval("acc_concat('n=', 1.5)"), "n=1.5");
    EXPECT_EQ(eval("acc_concat(12, 34)"), "1234");
    EXPECT_EQ(eval("acc_concat('', 1e20)"), "1E+20");
    EXPECT_EQ(eval("acc_concat('', 0.1 + 0.2)"), "0.3");
    EXPECT_EQ(eval("acc_concat('d ', acc_asdate(37986.5729166667))"), "d 12/31/2003 1:45:00 PM");
    EXPECT_EQ(eval("acc_concat('', acc_asdate(37986))"), "12/31/2003");
    EXPECT_EQ(eval("acc_concat('', acc_asboolean(-1))"), "True");
    EXPECT_EQ(eval("acc_concat('', acc_not(0))"), "-1");
}

TEST_F(OperatorFunctions, PlusJoinsTextsAddsNumbersAndPropagatesNull)
{
    EXPECT_EQ(eval("acc_add('ab', 'cd')"), "abcd");
    EXPECT_EQ(eval("acc_add('5', 3)"), "8");
    EXPECT_EQ(eval("acc_add(2, 3)"), "5");
    EXPECT_EQ(typeOf("acc_add(2, 3)"), "integer");
    EXPECT_EQ(eval("acc_add('ab', NULL)"), "Null");
    EXPECT_EQ(eval("acc_add('ab', 1)"), "Fout: Typen komen niet overeen in de operator +");
    EXPECT_EQ(eval("acc_concat('', acc_add(acc_asdate(37986), 1))"), "1/1/2004");
    EXPECT_EQ(eval("acc_add(9223372036854775807, 1)"), "9.22337203685478e+18");
}

TEST_F(OperatorFunctions, DivisionFollowsAccess)
{
    EXPECT_EQ(eval("acc_div(5, 2)"), "2.5");
    EXPECT_EQ(eval("acc_div(1, 0)"), "Fout: Deling door nul in de operator /");
    EXPECT_EQ(eval("acc_div(0, 0)"), "Fout: Overloop in de operator /");
    EXPECT_EQ(eval("acc_div(NULL, 0)"), "Null");
}

TEST_F(OperatorFunctions, IntegerDivisionAndModRoundOperandsHalfToEven)
{
    EXPECT_EQ(eval("acc_intdiv(11, 4)"), "2");
    EXPECT_EQ(eval("acc_intdiv(-11, 4)"), "-2");
    EXPECT_EQ(eval("acc_intdiv(2.5, 1)"), "2");   // 2.5 rounds to 2
    EXPECT_EQ(eval("acc_intdiv(3.5, 1)"), "4");   // 3.5 rounds to 4
    EXPECT_EQ(eval("acc_intdiv(19, 6.7)"), "2");  // 19 \ 7
    EXPECT_EQ(eval("acc_intdiv(5, 0.4)"), "Fout: Deling door nul in de operator \\");
    EXPECT_EQ(eval("acc_mod(10, 3)"), "1");
    EXPECT_EQ(eval("acc_mod(-10, 3)"), "-1");
    EXPECT_EQ(eval("acc_mod(10.5, 3)"), "1");     // 10.5 rounds to 10
    EXPECT_EQ(eval("acc_mod(12, 4.5)"), "0");     // 4.5 rounds to 4
    EXPECT_EQ(eval("acc_mod(1, 0)"), "Fout: Deling door nul in de operator Mod");
    EXPECT_EQ(eval("acc_mod(NULL, 2)"), "Null");
    EXPECT_EQ(eval("acc_intdiv(3e10, 2)"), "Fout: Overloop in de operator \\");
}

TEST_F(OperatorFunctions, Power)
{
    EXPECT_EQ(eval("acc_pow(2, 10)"), "1024");
    EXPECT_EQ(eval("acc_pow(-8, 1.0/3)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in de operator ^");
    EXPECT_EQ(eval("acc_pow(-2, 3)"), "-8");
    EXPECT_EQ(eval("acc_pow(4, 0.5)"), "2");
    EXPECT_EQ(eval("acc_pow(NULL, 2)"), "Null");
    EXPECT_EQ(eval("acc_pow(10, 400)"), "Fout: Overloop in de operator ^");
}

TEST_F(OperatorFunctions, LogicUsesThreeValuesAndBits)
{
    EXPECT_EQ(eval("acc_not(-1)"), "0");
    EXPECT_EQ(eval("acc_not(0)"), "-1");
    EXPECT_EQ(eval("acc_not(5)"), "-6");
    EXPECT_EQ(eval("acc_not(NULL)"), "Null");
    EXPECT_EQ(eval("acc_and(-1, -1)"), "-1");
    EXPECT_EQ(eval("acc_and(12, 10)"), "8");
    EXPECT_EQ(eval("acc_and(NULL, 0)"), "0");
    EXPECT_EQ(eval("acc_and(-1, NULL)"), "Null");
    EXPECT_EQ(eval("acc_or(NULL, -1)"), "-1");
    EXPECT_EQ(eval("acc_or(0, NULL)"), "Null");
    EXPECT_EQ(eval("acc_or(12, 10)"), "14");
    EXPECT_EQ(eval("acc_xor(-1, 0)"), "-1");
    EXPECT_EQ(eval("acc_xor(-1, NULL)"), "Null");
    EXPECT_EQ(eval("acc_eqv(0, 0)"), "-1");
    EXPECT_EQ(eval("acc_eqv(-1, 0)"), "0");
    EXPECT_EQ(eval("acc_imp(-1, 0)"), "0");
    EXPECT_EQ(eval("acc_imp(0, NULL)"), "-1");
    EXPECT_EQ(eval("acc_imp(NULL, -1)"), "-1");
    EXPECT_EQ(eval("acc_imp(-1, NULL)"), "Null");
    EXPECT_EQ(eval("acc_imp(NULL, 0)"), "Null");
    EXPECT_EQ(eval("acc_and('True', -1)"), "-1");
    EXPECT_EQ(eval("acc_and('x', -1)"), "Fout: Typen komen niet overeen in de operator And");
}

TEST_F(OperatorFunctions, WrongOperandCountIsReportedInDutch)
{
    EXPECT_EQ(eval("acc_mod(1)"), "Fout: Verkeerd aantal operanden voor de operator Mod");
    EXPECT_EQ(eval("acc_iif(1, 2)"), "Fout: Verkeerd aantal argumenten voor de functie IIf: 3 verwacht, 2 opgegeven");
}

TEST_F(OperatorFunctions, LikeWithAPatternPerRow)
{
    exec("CREATE TABLE t(v TEXT, p TEXT)");
    exec("INSERT INTO t VALUES ('abc', 'a*'), ('abc', 'b*'), ('xyz', '*z'), ('xyz', '[!x]*')");
    EXPECT_EQ(evalQuery("SELECT group_concat(acc_like(v, p)) FROM t"), "-1,0,-1,0");
    EXPECT_EQ(evalQuery("SELECT group_concat(acc_like(v, 'x*')) FROM t"), "0,0,-1,-1");
}
