#include "functions_eval.h"

using TextFunctions = AccessFunctions;

TEST_F(TextFunctions, LenLeftRightMidCountCharacters)
{
    expectEvals({{"acc_len('Hello')", "5"},
                 {"acc_len('café')", "4"},
                 {"acc_len(123)", "3"},
                 {"acc_len(NULL)", "Null"},
                 {"acc_left('café au lait', 4)", "café"},
                 {"acc_left('abc', 10)", "abc"},
                 {"acc_left('abc', 0)", ""},
                 {"acc_left(NULL, 2)", "Null"},
                 {"acc_right('Hello World', 5)", "World"},
                 {"acc_right('abc', 10)", "abc"},
                 {"acc_mid('Mid Function Demo', 5, 8)", "Function"},
                 {"acc_mid('Mid Function Demo', 14)", "Demo"},
                 {"acc_mid('abc', 5)", ""},
                 {"acc_left(12345, 2)", "12"}});
}

TEST_F(TextFunctions, InvalidLengthsRaiseAccessErrors)
{
    expectEvals(
        {{"acc_mid('abc', 0)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Mid (argument 2)"},
         {"acc_mid('abc', 1, -1)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Mid (argument 3)"},
         {"acc_left('abc', -1)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Left (argument 2)"},
         {"acc_left('abc', NULL)", "Fout: Ongeldig gebruik van Null in Left (argument 2)"},
         {"acc_left('abc', 'x')", "Fout: Typen komen niet overeen in Left (argument 2)"},
         {"acc_right('abc', 1e12)", "Fout: Overloop in Right (argument 2)"},
         {"acc_left('abc')", "Fout: Verkeerd aantal argumenten voor de functie Left: 2 verwacht, 1 opgegeven"}});
}

TEST_F(TextFunctions, InStrFindsWithOptionalStartAndCompare)
{
    expectEvals(
        {{"acc_instr('XXpXXpXXPXXP', 'P')", "3"},  // text compare by default in a query
         {"acc_instr(4, 'XXpXXpXXPXXP', 'P', 1)", "6"},
         {"acc_instr(1, 'XXpXXpXXPXXP', 'P', 0)", "9"},
         {"acc_instr(1, 'XXpXXpXXPXXP', 'W')", "0"},
         {"acc_instr('abc', '')", "1"},
         {"acc_instr(5, 'abc', 'a')", "0"},
         {"acc_instr('abc', NULL)", "Null"},
         {"acc_instr(0, 'abc', 'a')", "Fout: Ongeldige procedureaanroep of ongeldig argument in InStr (argument 1)"},
         {"acc_instr(NULL, 'abc', 'a')", "Fout: Ongeldig gebruik van Null in InStr (argument 1)"},
         {"acc_instr('naïve', 'V')", "4"}});
}

TEST_F(TextFunctions, InStrRevSearchesBackwards)
{
    expectEvals({{"acc_instrrev('abcabc', 'c')", "6"},
                 {"acc_instrrev('abcabc', 'c', 5)", "3"},
                 {"acc_instrrev('abcabc', 'BC', -1, 1)", "5"},
                 {"acc_instrrev('abcabc', 'BC', -1, 0)", "0"},
                 {"acc_instrrev('abc', 'a', 10)", "0"},
                 {"acc_instrrev('abc', 'a', 0)",
                  "Fout: Ongeldige procedureaanroep of ongeldig argument in InStrRev (argument 3)"}});
}

TEST_F(TextFunctions, ReplaceHonoursStartCountAndCompare)
{
    expectEvals({{"acc_replace('alphabet', 'a', 'x')", "xlphxbet"},
                 {"acc_replace('Alphabet', 'a', 'x', 1, -1, 0)", "Alphxbet"},
                 {"acc_replace('Alphabet', 'a', 'x')", "xlphxbet"},
                 {"acc_replace('alphabet', 'a', 'x', 3)", "phxbet"},  // starts the result at 3
                 {"acc_replace('aaaa', 'a', 'b', 1, 2)", "bbaa"},
                 {"acc_replace('aaa', 'aa', 'a')", "aa"},
                 {"acc_replace('abc', '', 'x')", "abc"},
                 {"acc_replace('abc', 'b', '')", "ac"},
                 {"acc_replace('abc', 'b', 'x', 9)", ""},
                 {"acc_replace(NULL, 'b', 'x')", "Fout: Ongeldig gebruik van Null in Replace (argument 1)"}});
}

TEST_F(TextFunctions, TrimsCaseAndRepeats)
{
    expectEvals({{"'[' || acc_trim('  a b  ') || ']'", "[a b]"},
                 {"'[' || acc_ltrim('  a  ') || ']'", "[a  ]"},
                 {"'[' || acc_rtrim('  a  ') || ']'", "[  a]"},
                 {"acc_trim(NULL)", "Null"},
                 {"acc_ucase('Straße café')", "STRAßE CAFÉ"},
                 {"acc_lcase('ÉCOLE')", "école"},
                 {"'[' || acc_space(3) || ']'", "[   ]"},
                 {"acc_space(-1)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Space (argument 1)"}});
    EXPECT_EQ(eval("acc_space(2000000000)").rfind("Fout: Onvoldoende ruimte", 0), 0u);
    expectEvals(
        {{"acc_string(3, 'xyz')", "xxx"},
         {"acc_string(3, 65)", "AAA"},
         {"acc_string(2, 321)", "AA"},  // 321 Mod 256
         {"acc_string(2, '')", "Fout: Ongeldige procedureaanroep of ongeldig argument in String (argument 2)"}});
}

TEST_F(TextFunctions, StrCompAndStrReverse)
{
    expectEvals(
        {{"acc_strcomp('ABCD', 'abcd', 1)", "0"},
         {"acc_strcomp('ABCD', 'abcd', 0)", "-1"},
         {"acc_strcomp('abcd', 'ABCD', 0)", "1"},
         {"acc_strcomp('b', 'A')", "1"},
         {"acc_strcomp('a', NULL)", "Null"},
         {"acc_strcomp('a', 'b', 7)", "Fout: Ongeldige procedureaanroep of ongeldig argument in StrComp (argument 3)"},
         {"acc_strreverse('café')", "éfac"}});
}

TEST_F(TextFunctions, AscAndChrUseTheWindowsCodePage)
{
    expectEvals({{"acc_asc('Apple')", "65"},
                 {"acc_asc('€')", "128"},
                 {"acc_asc('é')", "233"},
                 {"acc_asc('')", "Fout: Ongeldige procedureaanroep of ongeldig argument in Asc (argument 1)"},
                 {"acc_chr(65)", "A"},
                 {"acc_chr(128)", "€"},
                 {"acc_chr(256)", "Fout: Ongeldige procedureaanroep of ongeldig argument in Chr (argument 1)"},
                 {"acc_chr(NULL)", "Fout: Ongeldig gebruik van Null in Chr (argument 1)"}});
}

// VBA's documentation of AscW/ChrW (Unicode, Integer result) and AscB; ☺ is U+263A = 9786.
TEST_F(TextFunctions, UnicodeAndByteFormsOfAscAndChr)
{
    expectEvals({{"acc_ascw('☺')", "9786"},
                 {"acc_ascw('€')", "8364"},  // Asc gives the code page's 128
                 {"acc_ascw(acc_chrw(40000))", "-25536"},
                 {"acc_ascw('😀')", "-10179"},  // the first half of a surrogate pair, as an Integer
                 {"acc_ascw('')", "Fout: Ongeldige procedureaanroep of ongeldig argument in AscW (argument 1)"},
                 {"acc_chrw(9786)", "☺"},
                 {"acc_chrw(-25536)", "鱀"},
                 {"acc_chrw(65536)", "Fout: Ongeldige procedureaanroep of ongeldig argument in ChrW (argument 1)"},
                 {"acc_ascb('A')", "65"},
                 {"acc_ascb('☺')", "58"},  // the low byte of &H263A
                 {"acc_chrb(65)", "A"},
                 {"acc_lenb('abc')", "6"},
                 {"acc_lenb('😀')", "4"},
                 {"acc_lenb(NULL)", "Null"},
                 {"acc_chrb(256)", "Fout: Ongeldige procedureaanroep of ongeldig argument in ChrB (argument 1)"}});
}

// VBA's documentation of StrConv: 1 vbUpperCase, 2 vbLowerCase, 3 vbProperCase (first letter of every word).
TEST_F(TextFunctions, StrConvChangesCase)
{
    expectEvals(
        {{"acc_strconv('foo', 1)", "FOO"},
         {"acc_strconv('FOO', 2)", "foo"},
         {"acc_strconv('FOO bar', 3)", "Foo Bar"},
         {"acc_strconv('élan  vital', 3)", "Élan  Vital"},
         {"acc_strconv(NULL, 3)", "Null"},
         {"acc_strconv('x', 4)", "Fout: Ongeldige procedureaanroep of ongeldig argument in StrConv (argument 2)"},
         {"acc_strconv('x', 64)", "Fout: Ongeldige procedureaanroep of ongeldig argument in StrConv (argument 2)"}});
}
