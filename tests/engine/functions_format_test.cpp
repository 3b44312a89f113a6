#include "functions_eval.h"

using FormatFunction = AccessFunctions;

TEST_F(FormatFunction, NamedNumberFormats)
{
    expectEvals({{"acc_format(1234567.891, 'General Number')", "1234567.891"},
                 {"acc_format(1234.5, 'Currency')", "$1,234.50"},
                 {"acc_format(-1234.5, 'Currency')", "($1,234.50)"},
                 {"acc_format(1234.567, 'Fixed')", "1234.57"},
                 {"acc_format(-0.5, 'Fixed')", "-0.50"},
                 {"acc_format(1234567.891, 'Standard')", "1,234,567.89"},
                 {"acc_format(0.5, 'Percent')", "50.00%"},
                 {"acc_format(1234.5, 'Scientific')", "1.23E+03"},
                 {"acc_format(0.000123, 'scientific')", "1.23E-04"},
                 {"acc_format(0, 'Yes/No')", "No"},
                 {"acc_format(-1, 'Yes/No')", "Yes"},
                 {"acc_format(5, 'True/False')", "True"},
                 {"acc_format(0, 'On/Off')", "Off"}});
}

TEST_F(FormatFunction, CustomNumberFormats)
{
    expectEvals({{"acc_format(5459.4, '##,##0.00')", "5,459.40"},
                 {"acc_format(334.9, '###0.00')", "334.90"},
                 {"acc_format(5, '0.00%')", "500.00%"},
                 {"acc_format(0.5, '0')", "1"},  // half away from zero, unlike Round
                 {"acc_format(2.5, '0')", "3"},
                 {"acc_format(0.125, '0.00')", "0.13"},
                 {"acc_format(7, '000')", "007"},
                 {"acc_format(1234, '0')", "1234"},
                 {"acc_format(0.5, '#.##')", ".5"},
                 {"acc_format(5, '#.##')", "5."},
                 {"acc_format(1.5, '0.0#')", "1.5"},
                 {"acc_format(1.555, '0.0#')", "1.56"},
                 {"acc_format(1234567, '#,##0,')", "1,235"},  // a comma before the end scales by 1000
                 {"acc_format(5551234567, '(000) 000-0000')", "(555) 123-4567"},
                 {"acc_format(12, '0 \"kg\"')", "12 kg"},
                 {"acc_format(12, '\\#0')", "#12"},
                 {"acc_format(99999.6, '0')", "100000"},
                 {"acc_format(1234.5, '0.0E-0')", "1.2E3"},
                 {"acc_format(9.99, '0.0E+00')", "1.0E+01"}});
}

TEST_F(FormatFunction, SectionsForNegativeZeroAndNull)
{
    expectEvals({{"acc_format(-5, '0;(0)')", "(5)"},
                 {"acc_format(-5, '0')", "-5"},
                 {"acc_format(-0.001, '0.00')", "0.00"},
                 {"acc_format(0, '0;(0);\"zero\"')", "zero"},
                 {"acc_format(NULL, '0;(0);\"zero\";\"nothing\"')", "nothing"},
                 {"acc_format(NULL, '0.00')", ""},
                 {"acc_format(NULL)", "Null"},
                 {"acc_format(-5, '0;;\"zero\"')", "-5"}});
}

TEST_F(FormatFunction, NamedDateFormats)
{
    const std::string d = "acc_cdate('12/31/2003 13:45:07')";
    expectEvals({{"acc_format(" + d + ", 'General Date')", "12/31/2003 1:45:07 PM"},
                 {"acc_format(" + d + ", 'Long Date')", "Wednesday, December 31, 2003"},
                 {"acc_format(" + d + ", 'Medium Date')", "31-Dec-03"},
                 {"acc_format(" + d + ", 'Short Date')", "12/31/2003"},
                 {"acc_format(" + d + ", 'Long Time')", "1:45:07 PM"},
                 {"acc_format(" + d + ", 'Medium Time')", "01:45 PM"},
                 {"acc_format(" + d + ", 'Short Time')", "13:45"},
                 {"acc_format(" + d + ")", "12/31/2003 1:45:07 PM"},
                 {"acc_format('2003-12-31', 'Long Date')", "Wednesday, December 31, 2003"}});
}

TEST_F(FormatFunction, CustomDateFormats)
{
    expectEvals({{"acc_format(acc_cdate('1/2/2003'), 'yyyy-mm-dd')", "2003-01-02"},
                 {"acc_format(37623, 'd/m/yy')", "2/1/03"},
                 {"acc_format(37623, 'ddd dddd mmm mmmm')", "Thu Thursday Jan January"},
                 {"acc_format(37623, 'q y w ww')", "1 2 5 1"},
                 {"acc_format('1/2/2003 17:04:09', 'hh:nn:ss')", "17:04:09"},
                 {"acc_format('1/2/2003 17:04:09', 'h:mm:ss AM/PM')", "5:04:09 PM"},  // mm after h: minutes
                 {"acc_format('1/2/2003 07:04:09', 'hh:nn am/pm')", "07:04 am"},
                 {"acc_format('1/2/2003 17:04:09', 'h A/P')", "5 P"},
                 {"acc_format('1/2/2003 00:30:00', 'h:nn AMPM')", "12:30 AM"},
                 {"acc_format(37623, 'ddddd')", "1/2/2003"},
                 {"acc_format(37623, 'dddddd')", "Thursday, January 2, 2003"},
                 {"acc_format(37623, '\"Day\" d \\o\\f mmmm')", "Day 2 of January"},
                 {"acc_format(37623.5, 'c')", "1/2/2003 12:00:00 PM"},
                 {"acc_format(37623.5, 'ttttt')", "12:00:00 PM"},
                 {"acc_format(38353, 'ww', 2, 2)", "53"},  // 1 January 2005, ISO week 53
                 {"acc_format(1e9, 'yyyy')", "Fout: Overloop in Format"},
                 {"acc_format(9e999, '0.00')", "Fout: Overloop in Format"}});
}

TEST_F(FormatFunction, TextFormatsAndUnformattableText)
{
    expectEvals({{"acc_format('Hello', '>')", "HELLO"},
                 {"acc_format('Hello', '<')", "hello"},
                 {"acc_format('ab', '@@@@')", "  ab"},
                 {"acc_format('ab', '!@@@@')", "ab  "},
                 {"acc_format('ab', '&&&&')", "ab"},
                 {"acc_format('5551234', '@@@-@@@@')", "555-1234"},
                 {"acc_format('abc', '0.00')", "abc"},
                 {"acc_format('12.5', '0.00')", "12.50"},
                 {"acc_format('abc', 'yyyy')", "abc"},
                 {"acc_format(12.5)", "12.5"}});
}

// Access's results for these formats as published with Jackcess's expression tests (US settings), for the
// format characters Access's documentation of the Format property lists: \ and quotes for literal text,
// [colour] and * fills that text cannot show, sections for negative, zero, Null and zero-length text.
TEST_F(FormatFunction, EuroPercentAndLiteralText)
{
    expectEvals(
        {{"acc_format(12345.6789, 'Euro')", "€12,345.68"},
         {"acc_format(-0.12345, 'Euro')", "(€0.12)"},
         {"acc_format(0.12345, 'Percent')", "12.34%"},  // 12.345 as a double rounds half to even
         {"acc_format(-12345.6789, 'Percent')", "-1234567.89%"},
         {"acc_format(13, '\"p\"#.00#\"blah\"')", "p13.00blah"},
         {"acc_format(-45, '\\0\\[#.#\\]\\0')", "-0[45.]0"},
         {"acc_format(37629.3, 'q c ttt \"this \"\"is\"\" text\"')", "1 1/8/2003 7:12:00 AM ttt this \"is\" text"},
         {"acc_format(3.9, '*~dddd, yy mmm d, hh:nn:ss \\Y[Yellow]')", "Tuesday, 00 Jan 2, 21:36:00 Y"},
         {"acc_format(37631.3, 'nnnn; foo bar')", "1212"}});
}

TEST_F(FormatFunction, SectionsChosenByValue)
{
    const std::string signs = "'\\p;\"y\";!\\n;*~\\z[Blue];'";  // positive; negative; zero; Null
    expectEvals({{"acc_format('10', " + signs + ")", "p"},
                 {"acc_format(acc_cbool(1), " + signs + ")", "y"},
                 {"acc_format('0', " + signs + ")", "n"},
                 {"acc_format(NULL, " + signs + ")", "z"},
                 {"acc_format(0.003, '0.##;(0.###);\"zero\";\"yuck\"')", "zero"},  // shows as zero
                 {"acc_format(-0.003, '0.##;(0.###);\"zero\";\"yuck\"')", "(0.003)"},
                 {"acc_format('false', '\"p\"#.00#;(#)')", "p.00"},
                 {"acc_format(-13, '#.00;!(#.00)[Red]')", "(13.00)"},
                 {"acc_format('foo', '!>*~@[Red];\"empty\";')", "O"},
                 {"acc_format('', '!>*~@[Red];\"empty\";')", "empty"},
                 {"acc_format(NULL, '!>*~@[Red];\"empty\";')", "empty"},
                 {"acc_format('', '@')", ""}});
}

TEST_F(FormatFunction, TextPlaceholdersAndOverflow)
{
    expectEvals({{"acc_format('f', '\\x@@@&&&\\y')", "x   fy"},
                 {"acc_format('foobarbaz', '\\x@@@&&&\\y')", "xfoobarybaz"},  // the rest follows
                 {"acc_format('f', '!\\x@@@&&&\\y')", "xf  y"},
                 {"acc_format('foobarbaz', '!\\x@@@&&&\\y')", "xbarbazy"},  // the first ones go
                 {"acc_format('fOo', '><@')", "fOo"}});
}
