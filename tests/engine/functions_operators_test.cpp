#include "functions_eval.h"

using OperatorFunctions = AccessFunctions;

TEST_F(OperatorFunctions, LikeUsesAccessWildcardsAndIgnoresCase)
{
    expectEvals({{"acc_like('Anchovy Paste', 'an*')", "-1"},
                 {"acc_like('Chai', 'C?ai')", "-1"},
                 {"acc_like('Chai', 'C?i')", "0"},
                 {"acc_like('a1b', 'a#b')", "-1"},
                 {"acc_like('axb', 'a#b')", "0"},
                 {"acc_like('Boston', '[a-c]*')", "-1"},
                 {"acc_like('Denver', '[!a-c]*')", "-1"},
                 {"acc_like('Boston', '[!a-c]*')", "0"},
                 {"acc_like('a*b', 'a[*]b')", "-1"},
                 {"acc_like('aXb', 'a[*]b')", "0"},
                 {"acc_like('ÉCOLE', 'école')", "-1"},
                 {"acc_like('abcabcabd', '*abc*abd')", "-1"},
                 {"acc_like('', '*')", "-1"},
                 {"acc_like(123, '1*')", "-1"}});
}

TEST_F(OperatorFunctions, LikePropagatesNullAndRejectsAnUnclosedBracket)
{
    expectEvals({{"acc_like(NULL, '*')", "Null"}, {"acc_like('a', NULL)", "Null"}});
    EXPECT_EQ(eval("acc_like('a', '[a')").rfind("Fout: Ongeldig patroon", 0), 0u);
}

TEST_F(OperatorFunctions, LikeStaysFastOnManyStars)
{
    const std::string text(2000, 'a');
    EXPECT_EQ(eval("acc_like('" + text + "', '*a*a*a*a*a*a*a*a*b')"), "0");
}

TEST_F(OperatorFunctions, ConcatenationTreatsNullAsEmpty)
{
    expectEvals({{"acc_concat('a', NULL)", "a"},
                 {"acc_concat(NULL, 'b')", "b"},
                 {"acc_concat(NULL, NULL)", "Null"},
                 {"acc_concat('n=', 1.5)", "n=1.5"},
                 {"acc_concat(12, 34)", "1234"},
                 {"acc_concat('', 1e20)", "1E+20"},
                 {"acc_concat('', 0.1 + 0.2)", "0.3"},
                 {"acc_concat('d ', acc_asdate(37986.5729166667))", "d 12/31/2003 1:45:00 PM"},
                 {"acc_concat('', acc_asdate(37986))", "12/31/2003"},
                 {"acc_concat('', acc_asboolean(-1))", "True"},
                 {"acc_concat('', acc_not(0))", "-1"}});
}

TEST_F(OperatorFunctions, PlusJoinsTextsAddsNumbersAndPropagatesNull)
{
    expectEvals({{"acc_add('ab', 'cd')", "abcd"}, {"acc_add('5', 3)", "8"}, {"acc_add(2, 3)", "5"}});
    EXPECT_EQ(typeOf("acc_add(2, 3)"), "integer");
    expectEvals({{"acc_add('ab', NULL)", "Null"},
                 {"acc_add('ab', 1)", "Fout: Typen komen niet overeen in de operator + (operand 1)"},
                 {"acc_concat('', acc_add(acc_asdate(37986), 1))", "1/1/2004"},
                 {"acc_add(9223372036854775807, 1)", "9.22337203685478e+18"}});
}

TEST_F(OperatorFunctions, DivisionFollowsAccess)
{
    expectEvals({{"acc_div(5, 2)", "2.5"},
                 {"acc_div(1, 0)", "Fout: Deling door nul in de operator /"},
                 {"acc_div(0, 0)", "Fout: Overloop in de operator /"},
                 {"acc_div(NULL, 0)", "Null"}});
}

TEST_F(OperatorFunctions, IntegerDivisionAndModRoundOperandsHalfToEven)
{
    expectEvals({{"acc_intdiv(11, 4)", "2"},
                 {"acc_intdiv(-11, 4)", "-2"},
                 {"acc_intdiv(2.5, 1)", "2"},   // 2.5 rounds to 2
                 {"acc_intdiv(3.5, 1)", "4"},   // 3.5 rounds to 4
                 {"acc_intdiv(19, 6.7)", "2"},  // 19 \ 7
                 {"acc_intdiv(5, 0.4)", "Fout: Deling door nul in de operator \\"},
                 {"acc_mod(10, 3)", "1"},
                 {"acc_mod(-10, 3)", "-1"},
                 {"acc_mod(10.5, 3)", "1"},  // 10.5 rounds to 10
                 {"acc_mod(12, 4.5)", "0"},  // 4.5 rounds to 4
                 {"acc_mod(1, 0)", "Fout: Deling door nul in de operator Mod"},
                 {"acc_mod(NULL, 2)", "Null"},
                 {"acc_intdiv(3e10, 2)", "Fout: Overloop in de operator \\ (operand 1)"}});
}

TEST_F(OperatorFunctions, Power)
{
    expectEvals({{"acc_pow(2, 10)", "1024"},
                 {"acc_pow(-8, 1.0/3)", "Fout: Ongeldige procedureaanroep of ongeldig argument in de operator ^"},
                 {"acc_pow(-2, 3)", "-8"},
                 {"acc_pow(4, 0.5)", "2"},
                 {"acc_pow(NULL, 2)", "Null"},
                 {"acc_pow(10, 400)", "Fout: Overloop in de operator ^"}});
}

TEST_F(OperatorFunctions, LogicUsesThreeValuesAndBits)
{
    expectEvals({{"acc_not(-1)", "0"},
                 {"acc_not(0)", "-1"},
                 {"acc_not(5)", "-6"},
                 {"acc_not(NULL)", "Null"},
                 {"acc_and(-1, -1)", "-1"},
                 {"acc_and(12, 10)", "8"},
                 {"acc_and(NULL, 0)", "0"},
                 {"acc_and(-1, NULL)", "Null"},
                 {"acc_or(NULL, -1)", "-1"},
                 {"acc_or(0, NULL)", "Null"},
                 {"acc_or(12, 10)", "14"},
                 {"acc_xor(-1, 0)", "-1"},
                 {"acc_xor(-1, NULL)", "Null"},
                 {"acc_eqv(0, 0)", "-1"},
                 {"acc_eqv(-1, 0)", "0"},
                 {"acc_imp(-1, 0)", "0"},
                 {"acc_imp(0, NULL)", "-1"},
                 {"acc_imp(NULL, -1)", "-1"},
                 {"acc_imp(-1, NULL)", "Null"},
                 {"acc_imp(NULL, 0)", "Null"},
                 {"acc_and('True', -1)", "-1"},
                 {"acc_and('x', -1)", "Fout: Typen komen niet overeen in de operator And (operand 1)"}});
}

TEST_F(OperatorFunctions, WrongOperandCountIsReportedInDutch)
{
    expectEvals({{"acc_mod(1)", "Fout: Verkeerd aantal operanden voor de operator Mod"},
                 {"acc_iif(1, 2)", "Fout: Verkeerd aantal argumenten voor de functie IIf: 3 verwacht, 2 opgegeven"}});
}

TEST_F(OperatorFunctions, LikeWithAPatternPerRow)
{
    exec("CREATE TABLE t(v TEXT, p TEXT)");
    exec("INSERT INTO t VALUES ('abc', 'a*'), ('abc', 'b*'), ('xyz', '*z'), ('xyz', '[!x]*')");
    EXPECT_EQ(evalQuery("SELECT group_concat(acc_like(v, p)) FROM t"), "-1,0,-1,0");
    EXPECT_EQ(evalQuery("SELECT group_concat(acc_like(v, 'x*')) FROM t"), "0,0,-1,-1");
}
