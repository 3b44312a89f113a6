// Int, Fix, Abs, Sgn, Round, the arithmetic functions, Rnd, Hex and Oct.
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

// A whole-number argument keeps its type; a date stays a date.
template <double (*operation)(double)>
void sameType(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    if (a.type(0) == SQLITE_INTEGER) return a.setInteger(sqlite3_value_int64(a.raw(0)));
    const double v = operation(a.number(0));
    if (a.isDate(0)) return a.setDate(v);
    a.setReal(v);
}

double floorOf(double v)
{
    return std::floor(v);
}
double truncOf(double v)
{
    return std::trunc(v);
}

void abs(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    if (a.type(0) == SQLITE_INTEGER) {
        const std::int64_t v = sqlite3_value_int64(a.raw(0));
        if (v != std::numeric_limits<std::int64_t>::min()) return a.setInteger(std::llabs(v));
    }
    a.setReal(std::fabs(a.number(0)));
}

void sgn(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const double v = a.number(0);
    a.setInteger(v > 0 ? 1 : v < 0 ? -1 : 0);
}

void round(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const std::int64_t digits = a.has(1) ? a.whole(1, -32768, 32767) : 0;
    if (digits < 0) a.invalidArgument(1);
    if (a.type(0) == SQLITE_INTEGER) return a.setInteger(sqlite3_value_int64(a.raw(0)));
    a.setReal(bankersRound(a.number(0), static_cast<int>(digits)));
}

template <double (*operation)(double)>
void real(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setReal(operation(a.number(0)));
}

void sqr(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const double v = a.number(0);
    if (v < 0) a.invalidArgument(0);
    a.setReal(std::sqrt(v));
}

void log(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const double v = a.number(0);
    if (v <= 0) a.invalidArgument(0);
    a.setReal(std::log(v));
}

double expOf(double v)
{
    return std::exp(v);
}
double sinOf(double v)
{
    return std::sin(v);
}
double cosOf(double v)
{
    return std::cos(v);
}
double tanOf(double v)
{
    return std::tan(v);
}
double atnOf(double v)
{
    return std::atan(v);
}

// VBA's generator: a 24-bit linear congruential sequence. Like VBA's, it is one sequence for the process
// (per thread here); Rnd(0) repeats the last number, a negative argument reseeds from its bits.
thread_local std::uint32_t rndSeed = 0x50000;

void rnd(Args& a)
{
    const double n = a.has(0) ? a.number(0) : 1;
    if (std::fabs(n) > std::numeric_limits<float>::max()) a.overflow();  // Rnd takes a Single
    if (n < 0) {
        const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(n));
        rndSeed = (bits + (bits >> 24)) & 0xFFFFFF;
    }
    if (n != 0) rndSeed = (rndSeed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    a.setSingle(static_cast<float>(rndSeed) / 16777216.0f);
}

// Hex and Oct show negative values in two's complement: 16 bits in the Integer range, else 32 bits.
template <int radix>
void radixText(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const std::int64_t v =
        a.whole(0, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::uint32_t>::max());
    const std::uint64_t bits = v >= 0        ? static_cast<std::uint64_t>(v)
                               : v >= -32768 ? static_cast<std::uint16_t>(v)
                                             : static_cast<std::uint32_t>(v);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, radix == 16 ? "%llX" : "%llo", static_cast<unsigned long long>(bits));
    a.setText(buffer);
}

constexpr ScalarEntry entries[] = {
    {"Int", sameType<floorOf>},
    {"Fix", sameType<truncOf>},
    {"Abs", abs},
    {"Sgn", sgn},
    {"Round", round},
    {"Sqr", sqr},
    {"Exp", real<expOf>},
    {"Log", log},
    {"Sin", real<sinOf>},
    {"Cos", real<cosOf>},
    {"Tan", real<tanOf>},
    {"Atn", real<atnOf>},
    {"Rnd", rnd, 0, {}, false},
    {"Hex", radixText<16>},
    {"Oct", radixText<8>},
};

}  // namespace

std::span<const ScalarEntry> mathFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
