// The Access operators SQLite has no exact equivalent for.
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "sql/functions/DateParse.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/LikePattern.h"

namespace querimo::sql::functions {

namespace {

constexpr std::int64_t longMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t longMax = std::numeric_limits<std::int32_t>::max();

void like(Args& a)
{
    if (a.anyNull()) return a.setNull();
    std::optional<LikePattern> compiled;
    const LikePattern* pattern = a.kept<LikePattern>(1);
    if (!pattern) {
        compiled = LikePattern::compile(a.text(1));
        if (!compiled) throw FunctionError{"Ongeldig patroon '" + a.text(1) + "' bij Like"};
        pattern = &*compiled;
        a.keep(1, new LikePattern(*compiled));  // SQLite frees it at once when the pattern is not constant
    }
    a.setInteger(pattern->matches(a.text(0)) ? -1 : 0);
}

// & treats Null as an empty text; only Null & Null is Null.
void concat(Args& a)
{
    if (a.isNull(0) && a.isNull(1)) return a.setNull();
    a.setText(valueText(a.raw(0)) + valueText(a.raw(1)));
}

// + joins two texts; otherwise it adds, converting text to numbers, and a date plus days stays a date.
void add(Args& a)
{
    if (a.anyNull()) return a.setNull();
    if (a.type(0) == SQLITE_TEXT && a.type(1) == SQLITE_TEXT)
        return a.setText(valueText(a.raw(0)) + valueText(a.raw(1)));
    if (a.type(0) == SQLITE_INTEGER && a.type(1) == SQLITE_INTEGER && !a.isDate(0) && !a.isDate(1)) {
        std::int64_t sum;
        if (!__builtin_add_overflow(sqlite3_value_int64(a.raw(0)), sqlite3_value_int64(a.raw(1)), &sum))
            return a.setInteger(sum);
    }
    const double sum = a.number(0) + a.number(1);
    if (a.isDate(0) || a.isDate(1)) return a.setDate(sum);
    a.setReal(sum);
}

// - converts text to numbers as + does; a date minus days stays a date, the difference of two dates is days.
void subtract(Args& a)
{
    if (a.anyNull()) return a.setNull();
    if (a.type(0) == SQLITE_INTEGER && a.type(1) == SQLITE_INTEGER && !a.isDate(0) && !a.isDate(1)) {
        std::int64_t difference;
        if (!__builtin_sub_overflow(sqlite3_value_int64(a.raw(0)), sqlite3_value_int64(a.raw(1)), &difference))
            return a.setInteger(difference);
    }
    const double difference = a.number(0) - a.number(1);
    if (a.isDate(0) && !a.isDate(1)) return a.setDate(difference);
    a.setReal(difference);
}

// / always gives a Double; 0 / 0 is an overflow in Access, x / 0 a division by zero.
void divide(Args& a)
{
    if (a.anyNull()) return a.setNull();
    const double dividend = a.number(0), divisor = a.number(1);
    if (divisor == 0) {
        if (dividend == 0) a.overflow();
        throwDivisionByZero(a.name());
    }
    a.setReal(dividend / divisor);
}

// \ and Mod round both operands half to even to whole numbers first.
void integerDivide(Args& a)
{
    if (a.anyNull()) return a.setNull();
    const std::int64_t dividend = a.whole(0, longMin, longMax), divisor = a.whole(1, longMin, longMax);
    if (divisor == 0) throwDivisionByZero(a.name());
    a.setInteger(dividend / divisor);
}

void modulo(Args& a)
{
    if (a.anyNull()) return a.setNull();
    const std::int64_t dividend = a.whole(0, longMin, longMax), divisor = a.whole(1, longMin, longMax);
    if (divisor == 0) throwDivisionByZero(a.name());
    a.setInteger(dividend % divisor);
}

void power(Args& a)
{
    if (a.anyNull()) return a.setNull();
    const double base = a.number(0), exponent = a.number(1);
    if (base == 0 && exponent < 0) throwDivisionByZero(a.name());
    if (base < 0 && exponent != std::trunc(exponent)) a.invalidCall();
    a.setReal(std::pow(base, exponent));
}

// Logical operators work bit by bit on Long values; True is -1, so on Yes/No values they are Boolean logic.
std::int64_t logical(const Args& a, int i)
{
    if (a.type(i) == SQLITE_TEXT) {
        const std::string s = a.text(i);
        if (s == "True" || s == "true") return -1;
        if (s == "False" || s == "false") return 0;
    }
    return a.whole(i, longMin, longMax);
}

// Operators give plain numbers (True & "" is "-1" in a query); only functions give Yes/No values.
void setLogical(Args& a, std::int64_t v)
{
    a.setInteger(v);
}

void logicalNot(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    setLogical(a, ~logical(a, 0));
}

// With one Null operand the result is known only where the other operand alone decides it.
void logicalAnd(Args& a)
{
    if (a.isNull(0) && a.isNull(1)) return a.setNull();
    if (a.isNull(0) || a.isNull(1)) {
        const std::int64_t known = logical(a, a.isNull(0) ? 1 : 0);
        return known == 0 ? setLogical(a, 0) : a.setNull();
    }
    setLogical(a, logical(a, 0) & logical(a, 1));
}

void logicalOr(Args& a)
{
    if (a.isNull(0) && a.isNull(1)) return a.setNull();
    if (a.isNull(0) || a.isNull(1)) {
        const std::int64_t known = logical(a, a.isNull(0) ? 1 : 0);
        return known == -1 ? setLogical(a, -1) : a.setNull();
    }
    setLogical(a, logical(a, 0) | logical(a, 1));
}

void logicalXor(Args& a)
{
    if (a.anyNull()) return a.setNull();
    setLogical(a, logical(a, 0) ^ logical(a, 1));
}

void logicalEqv(Args& a)
{
    if (a.anyNull()) return a.setNull();
    setLogical(a, ~(logical(a, 0) ^ logical(a, 1)));
}

// a Imp b is (Not a) Or b.
void logicalImp(Args& a)
{
    if (a.isNull(0) && a.isNull(1)) return a.setNull();
    if (a.isNull(0)) return logical(a, 1) == -1 ? setLogical(a, -1) : a.setNull();
    if (a.isNull(1)) return logical(a, 0) == 0 ? setLogical(a, -1) : a.setNull();
    setLogical(a, ~logical(a, 0) | logical(a, 1));
}

// Mark a Date/Time or Yes/No column's value so that text conversions show it as Access does.
void asDate(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setDate(a.date(0));
}

void asBoolean(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setBoolean(a.truth(0));
}

// The result of a $ form (Left$, Str$, ...), a String that cannot hold Null; operand 2 names the call.
void dollarResult(Args& a)
{
    if (a.isNull(0)) throwInvalidNull(a.text(1));
    a.setArgument(0);
}

constexpr ScalarEntry entries[] = {
    {"de operator Like", like, 2, "like"},
    {"de operator &", concat, 2, "concat"},
    {"de operator +", add, 2, "add"},
    {"de operator -", subtract, 2, "sub"},
    {"de operator /", divide, 2, "div"},
    {"de operator \\", integerDivide, 2, "intdiv"},
    {"de operator Mod", modulo, 2, "mod"},
    {"de operator ^", power, 2, "pow"},
    {"de operator Not", logicalNot, 1, "not"},
    {"de operator And", logicalAnd, 2, "and"},
    {"de operator Or", logicalOr, 2, "or"},
    {"de operator Xor", logicalXor, 2, "xor"},
    {"de operator Eqv", logicalEqv, 2, "eqv"},
    {"de operator Imp", logicalImp, 2, "imp"},
    {"een datumwaarde", asDate, 1, "asdate"},
    {"een ja/nee-waarde", asBoolean, 1, "asboolean"},
    {"een $-functie", dollarResult, 2, "dollar"},
};

}  // namespace

std::span<const ScalarEntry> operatorFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
