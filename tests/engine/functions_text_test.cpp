#include "functions_eval.h"

using TextFunctions = AccessFunctions;

TEST_F(TextFunctions, LenLeftRightMidCountCharacters)
{
    EXPECT_EQ(eval("acc_len('Hello')"), "5");
    EXPECT_EQ(eval("acc_len('café')"), "4");
    EXPECT_EQ(eval("acc_len(123)"), "3");
    EXPECT_EQ(eval("acc_len(NULL)"), "Null");
    EXPECT_EQ(eval("acc_left('café au lait', 4)"), "café");
    EXPECT_EQ(eval("acc_left('abc', 10)"), "abc");
    EXPECT_EQ(eval("acc_left('abc', 0)"), "");
    EXPECT_EQ(eval("acc_left(NULL, 2)"), "Null");
    EXPECT_EQ(eval("acc_right('Hello World', 5)"), "World");
    EXPECT_EQ(eval("acc_right('abc', 10)"), "abc");
    EXPECT_EQ(eval("acc_mid('Mid Function Demo', 5, 8)"), "Function");
    EXPECT_EQ(eval("acc_mid('Mid Function Demo', 14)"), "Demo");
    EXPECT_EQ(eval("acc_mid('abc', 5)"), "");
    EXPECT_EQ(eval("acc_left(12345, 2)"), "12");
}

TEST_F(TextFunctions, InvalidLengthsRaiseAccessErrors)
{
    EXPECT_EQ(eval("acc_mid('abc', 0)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in Mid");
    EXPECT_EQ(eval("acc_mid('abc', 1, -1)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in Mid");
    EXPECT_EQ(eval("acc_left('abc', -1)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in Left");
    EXPECT_EQ(eval("acc_left('abc', NULL)"), "Fout: Ongeldig gebruik van Null in Left");
    EXPECT_EQ(eval("acc_left('abc', 'x')"), "Fout: Typen komen niet overeen in Left");
    EXPECT_EQ(eval("acc_right('abc', 1e12)"), "Fout: Overloop in Right");
    EXPECT_EQ(eval("acc_left('abc')"), "Fout: Verkeerd aantal argumenten voor de functie Left: 2 verwacht, 1 opgegeven");
}

TEST_F(TextFunctions, InStrFindsWithOptionalStartAndCompare)
{
    EXPECT_EQ(eval("acc_instr('XXpXXpXXPXXP', 'P')"), "3");  // text compare by default in a query
    EXPECT_EQ(eval("acc_instr(4, 'XXpXXpXXPXXP', 'P', 1)"), "6");
    EXPECT_EQ(eval("acc_instr(1, 'XXpXXpXXPXXP', 'P', 0)"), "9");
    EXPECT_EQ(eval("acc_instr(1, 'XXpXXpXXPXXP', 'W')"), "0");
    EXPECT_EQ(eval("acc_instr('abc', '')"), "1");
    EXPECT_EQ(eval("acc_instr(5, 'abc', 'a')"), "0");
    EXPECT_EQ(eval("acc_instr('abc', NULL)"), "Null");
    EXPECT_EQ(eval("acc_instr(0, 'abc', 'a')"), "Fout: Ongeldige procedureaanroep of ongeldig argument in InStr");
    EXPECT_EQ(eval("acc_instr(NULL, 'abc', 'a')"), "Fout: Ongeldig gebruik van Null in InStr");
    EXPECT_EQ(eval("acc_instr('naïve', 'V')"), "4");
}

TEST_F(TextFunctions, InStrRevSearchesBackwards)
{
    EXPECT_EQ(eval("acc_instrrev('abcabc', 'c')"), "6");
    EXPECT_EQ(eval("acc_instrrev('abcabc', 'c', 5)"), "3");
    EXPECT_EQ(eval("acc_instrrev('abcabc', 'BC', -1, 1)"), "5");
    EXPECT_EQ(eval("acc_instrrev('abcabc', 'BC', -1, 0)"), "0");
    EXPECT_EQ(eval("acc_instrrev('abc', 'a', 10)"), "0");
    EXPECT_EQ(eval("acc_instrrev('abc', 'a', 0)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in InStrRev");
}

TEST_F(TextFunctions, ReplaceHonoursStartCountAndCompare)
{
    EXPECT_EQ(eval("acc_replace('alphabet', 'a', 'x')"), "xlphxbet");
    EXPECT_EQ(eval("acc_replace('Alphabet', 'a', 'x', 1, -1, 0)"), "Alphxbet");
    EXPECT_EQ(eval("acc_replace('Alphabet', 'a', 'x')"), "xlphxbet");
    EXPECT_EQ(eval("acc_replace('alphabet', 'a', 'x', 3)"), "phxbet");  // starts the result at 3
    EXPECT_EQ(eval("acc_replace('aaaa', 'a', 'b', 1, 2)"), "bbaa");
    EXPECT_EQ(eval("acc_replace('aaa', 'aa', 'a')"), "aa");
    EXPECT_EQ(eval("acc_replace('abc', '', 'x')"), "abc");
    EXPECT_EQ(eval("acc_replace('abc', 'b', '')"), "ac");
    EXPECT_EQ(eval("acc_replace('abc', 'b', 'x', 9)"), "");
    EXPECT_EQ(eval("acc_replace(NULL, 'b', 'x')"), "Fout: Ongeldig gebruik van Null in Replace");
}

TEST_F(TextFunctions, TrimsCaseAndRepeats)
{
    EXPECT_EQ(eval("'[' || acc_trim('  a b  ') || ']'"), "[a b]");
    EXPECT_EQ(eval("'[' || acc_ltrim('  a  ') || ']'"), "[a  ]");
    EXPECT_EQ(eval("'[' || acc_rtrim('  a  ') || ']'"), "[  a]");
    EXPECT_EQ(eval("acc_trim(NULL)"), "Null");
    EXPECT_EQ(eval("acc_ucase('Straße café')"), "STRAßE CAFÉ");
    EXPECT_EQ(eval("acc_lcase('ÉCOLE')"), "école");
    EXPECT_EQ(eval("'[' || acc_space(3) || ']'"), "[   ]");
    EXPECT_EQ(eval("acc_space(-1)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in Space");
    EXPECT_EQ(eval("acc_space(2000000000)").rfind("Fout: Onvoldoende ruimte", 0), 0u);
    EXPECT_EQ(eval("acc_string(3, 'xyz')"), "xxx");
    EXPECT_EQ(eval("acc_string(3, 65)"), "AAA");
    EXPECT_EQ(eval("acc_string(2, 321)"), "AA");  // 321 Mod 256
    EXPECT_EQ(eval("acc_string(2, '')"), "Fout: Ongeldige procedureaanroep of ongeldig argument in String");
}

TEST_F(TextFunctions, StrCompAndStrReverse)
{
    EXPECT_EQ(eval("acc_strcomp('ABCD', 'abcd', 1)"), "0");
    EXPECT_EQ(eval("acc_strcomp('ABCD', 'abcd', 0)"), "-1");
    EXPECT_EQ(eval("acc_strcomp('abcd', 'ABCD', 0)"), "1");
    EXPECT_EQ(eval("acc_strcomp('b', 'A')"), "1");
    EXPECT_EQ(eval("acc_strcomp('a', NULL)"), "Null");
    EXPECT_EQ(eval("acc_strcomp('a', 'b', 7)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in StrComp");
    EXPECT_EQ(eval("acc_strreverse('café')"), "éfac");
}

TEST_F(TextFunctions, AscAndChrUseTheWindowsCodePage)
{
    EXPECT_EQ(eval("acc_asc('Apple')"), "65");
    EXPECT_EQ(eval("acc_asc('€')"), "128");
    EXPECT_EQ(eval("acc_asc('é')"), "233");
    EXPECT_EQ(eval("acc_asc('')"), "Fout: Ongeldige procedureaanroep of ongeldig argument in Asc");
    EXPECT_EQ(eval("acc_chr(65)"), "A");
    EXPECT_EQ(eval("acc_chr(128)"), "€");
    EXPECT_EQ(eval("acc_chr(256)"), "Fout: Ongeldige procedureaanroep of ongeldig argument in Chr");
    EXPECT_EQ(eval("acc_chr(NULL)"), "Fout: Ongeldig gebruik van Null in Chr");
}
