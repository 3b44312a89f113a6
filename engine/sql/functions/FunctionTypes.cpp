#include "sql/functions/FunctionTypes.h"

#include "core/Text.h"

namespace querimo::sql {

namespace {

using R = ResultRule;
constexpr int many = unboundedArguments;

// clang-format off
constexpr FunctionType functionTypes[] = {
    {"IIf", 3, 3, R::Variant}, {"Nz", 1, 2, R::SameAsArgument, 1}, {"IsNull", 1, 1, R::Boolean},
    {"IsNumeric", 1, 1, R::Boolean}, {"IsDate", 1, 1, R::Boolean}, {"Switch", 2, many, R::Variant},
    {"Choose", 2, many, R::Variant}, {"IsEmpty", 1, 1, R::Boolean}, {"IsError", 1, 1, R::Boolean},
    {"IsArray", 1, 1, R::Boolean}, {"IsObject", 1, 1, R::Boolean}, {"IsMissing", 1, 1, R::Boolean},
    {"LenB", 1, 1, R::Long},
    {"VarType", 1, 1, R::Integer}, {"TypeName", 1, 1, R::Text},
    {"Len", 1, 1, R::Long}, {"Left", 2, 2, R::Text, 0, true}, {"Right", 2, 2, R::Text, 0, true},
    {"Mid", 2, 3, R::Text, 0, true}, {"InStr", 2, 4, R::Long}, {"InStrRev", 2, 4, R::Long},
    {"Replace", 3, 6, R::Text}, {"Trim", 1, 1, R::Text, 0, true}, {"LTrim", 1, 1, R::Text, 0, true},
    {"RTrim", 1, 1, R::Text, 0, true}, {"UCase", 1, 1, R::Text, 0, true}, {"LCase", 1, 1, R::Text, 0, true},
    {"Space", 1, 1, R::Text, 0, true}, {"String", 2, 2, R::Text, 0, true}, {"StrComp", 2, 3, R::Integer},
    {"StrReverse", 1, 1, R::Text}, {"Asc", 1, 1, R::Integer}, {"Chr", 1, 1, R::Text, 0, true},
    {"AscW", 1, 1, R::Integer}, {"AscB", 1, 1, R::Integer}, {"ChrW", 1, 1, R::Text, 0, true},
    {"ChrB", 1, 1, R::Text, 0, true}, {"StrConv", 2, 3, R::Text},
    {"Val", 1, 1, R::Double}, {"Str", 1, 1, R::Text, 0, true}, {"Format", 1, 4, R::Text, 0, true},
    {"CStr", 1, 1, R::Text}, {"CInt", 1, 1, R::Integer}, {"CLng", 1, 1, R::Long}, {"CDbl", 1, 1, R::Double},
    {"CSng", 1, 1, R::Single}, {"CCur", 1, 1, R::Currency}, {"CDec", 1, 1, R::Decimal},
    {"CBool", 1, 1, R::Boolean}, {"CByte", 1, 1, R::Byte}, {"CDate", 1, 1, R::Date},
    {"CVar", 1, 1, R::SameAsArgument, 1},
    {"Int", 1, 1, R::SameAsArgument, 1}, {"Fix", 1, 1, R::SameAsArgument, 1}, {"Abs", 1, 1, R::SameAsArgument, 1},
    {"Sgn", 1, 1, R::Integer}, {"Round", 1, 2, R::SameAsArgument, 1}, {"Sqr", 1, 1, R::Double},
    {"Exp", 1, 1, R::Double}, {"Log", 1, 1, R::Double}, {"Sin", 1, 1, R::Double}, {"Cos", 1, 1, R::Double},
    {"Tan", 1, 1, R::Double}, {"Atn", 1, 1, R::Double}, {"Rnd", 0, 1, R::Single},
    {"Hex", 1, 1, R::Text, 0, true}, {"Oct", 1, 1, R::Text, 0, true},
    {"Date", 0, 0, R::Date}, {"Time", 0, 0, R::Date}, {"Now", 0, 0, R::Date},
    {"Year", 1, 1, R::Integer}, {"Month", 1, 1, R::Integer}, {"Day", 1, 1, R::Integer},
    {"Hour", 1, 1, R::Integer}, {"Minute", 1, 1, R::Integer}, {"Second", 1, 1, R::Integer},
    {"Weekday", 1, 2, R::Integer}, {"WeekdayName", 1, 3, R::Text}, {"MonthName", 1, 2, R::Text},
    {"DateSerial", 3, 3, R::Date}, {"TimeSerial", 3, 3, R::Date}, {"DateValue", 1, 1, R::Date},
    {"TimeValue", 1, 1, R::Date}, {"DateAdd", 3, 3, R::Date}, {"DateDiff", 3, 5, R::Long},
    {"DatePart", 2, 4, R::Integer},
    {"Pmt", 3, 5, R::Double}, {"PPmt", 4, 6, R::Double}, {"IPmt", 4, 6, R::Double}, {"PV", 3, 5, R::Double},
    {"FV", 3, 5, R::Double}, {"NPer", 3, 5, R::Double}, {"Rate", 3, 6, R::Double}, {"DDB", 4, 5, R::Double},
    {"SLN", 3, 3, R::Double}, {"SYD", 4, 4, R::Double},
    {"FormatNumber", 1, 5, R::Text}, {"FormatCurrency", 1, 5, R::Text}, {"FormatPercent", 1, 5, R::Text},
    {"FormatDateTime", 1, 2, R::Text}, {"Partition", 4, 4, R::Text}, {"RGB", 3, 3, R::Long},
    {"QBColor", 1, 1, R::Long}, {"CVDate", 1, 1, R::Date}, {"Timer", 0, 0, R::Single},
    {"DLookup", 2, 3, R::OwnQuery}, {"DCount", 2, 3, R::OwnQuery}, {"DSum", 2, 3, R::OwnQuery},
    {"DAvg", 2, 3, R::OwnQuery}, {"DMin", 2, 3, R::OwnQuery}, {"DMax", 2, 3, R::OwnQuery}, {"DFirst", 2, 3, R::OwnQuery},
    {"DLast", 2, 3, R::OwnQuery}, {"DStDev", 2, 3, R::OwnQuery}, {"DStDevP", 2, 3, R::OwnQuery},
    {"DVar", 2, 3, R::OwnQuery}, {"DVarP", 2, 3, R::OwnQuery}, {"Eval", 1, 1, R::OwnQuery},
    // Aggregates. The translator types Sum and Avg as Jet reports them: Currency and Decimal keep their
    // type, every other number gives a Double.
    {"Count", 1, 1, R::Long, 0, false, true}, {"Sum", 1, 1, R::SameAsArgument, 1, false, true},
    {"Avg", 1, 1, R::Double, 0, false, true}, {"Min", 1, 1, R::SameAsArgument, 1, false, true},
    {"Max", 1, 1, R::SameAsArgument, 1, false, true}, {"First", 1, 1, R::SameAsArgument, 1, false, true},
    {"Last", 1, 1, R::SameAsArgument, 1, false, true}, {"StDev", 1, 1, R::Double, 0, false, true},
    {"StDevP", 1, 1, R::Double, 0, false, true}, {"Var", 1, 1, R::Double, 0, false, true},
    {"VarP", 1, 1, R::Double, 0, false, true},
};
// clang-format on

}  // namespace

const FunctionType* findFunctionType(std::string_view name)
{
    const bool dollar = !name.empty() && name.back() == '$';
    if (dollar) name.remove_suffix(1);
    for (const FunctionType& t : functionTypes)
        if (text::equalsIgnoreCase(t.name, name)) return dollar && !t.dollarForm ? nullptr : &t;
    return nullptr;
}

std::optional<std::string> argumentCountError(const FunctionType& type, int given)
{
    if (given >= type.minArgs && (type.maxArgs == unboundedArguments || given <= type.maxArgs)) return std::nullopt;
    std::string expected;
    if (type.minArgs == type.maxArgs)
        expected = std::to_string(type.minArgs);
    else if (type.maxArgs == unboundedArguments)
        expected = "minstens " + std::to_string(type.minArgs);
    else
        expected = std::to_string(type.minArgs) + " tot " + std::to_string(type.maxArgs);
    return "Verkeerd aantal argumenten voor de functie " + std::string(type.name) + ": " + expected + " verwacht, "
           + std::to_string(given) + " opgegeven";
}

}  // namespace querimo::sql
