// Pmt, PPmt, IPmt, PV, FV, NPer, Rate (annuities) and DDB, SLN, SYD (depreciation), as VBA defines them.
#include <cmath>

#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

double optional(const Args& a, int i)
{
    return a.has(i) ? a.number(i) : 0.0;
}

// type: payments due at the end (0) or at the start (any other value) of each period.
bool dueAtStart(const Args& a, int i)
{
    return optional(a, i) != 0;
}

// The future value of an annuity; every other annuity function is this equation solved for one unknown.
double futureValue(double rate, double periods, double payment, double present, bool atStart)
{
    if (rate == 0) return -(present + payment * periods);
    const double growth = std::pow(1 + rate, periods);
    return -(present * growth + payment * (1 + (atStart ? rate : 0)) * (growth - 1) / rate);
}

double payment(const Args& a, double rate, double periods, double present, double future, bool atStart)
{
    if (periods == 0) a.invalidCall();
    if (rate == 0) return -(present + future) / periods;
    const double growth = std::pow(1 + rate, periods);
    return -(future + present * growth) * rate / ((1 + (atStart ? rate : 0)) * (growth - 1));
}

void fv(Args& a)
{
    a.setReal(futureValue(a.number(0), a.number(1), a.number(2), optional(a, 3), dueAtStart(a, 4)));
}

void pv(Args& a)
{
    const double rate = a.number(0), periods = a.number(1), pay = a.number(2), future = optional(a, 3);
    if (rate == 0) return a.setReal(-(future + pay * periods));
    const double growth = std::pow(1 + rate, periods);
    const double paid = pay * (1 + (dueAtStart(a, 4) ? rate : 0)) * (growth - 1) / rate;
    a.setReal(-(future + paid) / growth);
}

void pmt(Args& a)
{
    a.setReal(payment(a, a.number(0), a.number(1), a.number(2), optional(a, 3), dueAtStart(a, 4)));
}

// The interest part of payment number `period`: the interest on the balance after period - 1 payments.
double interestPart(const Args& a)
{
    const double rate = a.number(0), period = a.number(1), periods = a.number(2), present = a.number(3);
    const double future = optional(a, 4);
    const bool atStart = dueAtStart(a, 5);
    if (period < 1 || period >= periods + 1) a.invalidArgument(1);
    if (atStart && period == 1) return 0;
    const double pay = payment(a, rate, periods, present, future, atStart);
    const double interest = futureValue(rate, period - 1, pay, present, atStart) * rate;
    return atStart ? interest / (1 + rate) : interest;
}

void ipmt(Args& a)
{
    a.setReal(interestPart(a) + 0.0);  // no interest at a zero rate is 0, not -0
}

void ppmt(Args& a)
{
    const double interest = interestPart(a);
    a.setReal(payment(a, a.number(0), a.number(2), a.number(3), optional(a, 4), dueAtStart(a, 5)) - interest);
}

void nper(Args& a)
{
    const double rate = a.number(0), pay = a.number(1), present = a.number(2), future = optional(a, 3);
    if (rate == 0) {
        if (pay == 0) a.invalidCall();
        return a.setReal(-(present + future) / pay);
    }
    if (rate <= -1) a.invalidCall();
    const double z = pay * (1 + (dueAtStart(a, 4) ? rate : 0)) / rate;
    const double ratio = (z - future) / (present + z);
    if (!(ratio > 0)) a.invalidCall();
    a.setReal(std::log(ratio) / std::log(1 + rate));
}

// Rate solves the annuity equation by Newton's method from guess (10%). Like VBA it fails when 20 steps do not
// bring the rate within 0.00001%; a few more steps then settle the last digits.
void rate(Args& a)
{
    const double periods = a.number(0), pay = a.number(1), present = a.number(2), future = optional(a, 3);
    const bool atStart = dueAtStart(a, 4);
    double r = a.has(5) ? a.number(5) : 0.1;
    if (periods <= 0) a.invalidArgument(0);
    const auto newtonStep = [&](double x) {
        const auto balance = [&](double y) { return future - futureValue(y, periods, pay, present, atStart); };
        const double h = std::max(1e-9, std::abs(x) * 1e-7);
        return balance(x) / ((balance(x + h) - balance(x - h)) / (2 * h));
    };
    int step = 0;
    for (double change = 1; std::abs(change) >= 1e-7; ++step) {
        change = newtonStep(r);
        if (step == 20 || !std::isfinite(change)) a.invalidCall();
        r -= change;
    }
    for (int polish = 0; polish < 5; ++polish) {
        const double change = newtonStep(r);
        if (!std::isfinite(change) || change == 0) break;
        r -= change;
    }
    a.setReal(r);
}

// Double-declining balance: each period takes factor / life of what is left, never below the salvage value.
// A fraction of a period counts as that much of the decline; the first period is never less than one.
void ddb(Args& a)
{
    const double cost = a.number(0), salvage = a.number(1), life = a.number(2), period = a.number(3);
    const double factor = a.has(4) ? a.number(4) : 2.0;
    if (cost < 0 || salvage < 0 || life <= 0 || period <= 0 || period > life || factor <= 0) a.invalidCall();
    const double share = std::min(1.0, factor / life);
    const double before = period <= 1 ? cost : cost * std::pow(1 - share, period - 1);
    a.setReal(std::max(0.0, std::min(before * share, before - salvage)));
}

void sln(Args& a)
{
    const double life = a.number(2);
    if (life == 0) a.invalidCall();
    a.setReal((a.number(0) - a.number(1)) / life);
}

void syd(Args& a)
{
    const double cost = a.number(0), salvage = a.number(1), life = a.number(2), period = a.number(3);
    if (life <= 0 || period <= 0 || period > life) a.invalidCall();
    a.setReal((cost - salvage) * (life - period + 1) * 2 / (life * (life + 1)));
}

constexpr ScalarEntry entries[] = {
    {"FV", fv},     {"PV", pv},     {"Pmt", pmt}, {"IPmt", ipmt}, {"PPmt", ppmt},
    {"NPer", nper}, {"Rate", rate}, {"DDB", ddb}, {"SLN", sln},   {"SYD", syd},
};

}  // namespace

std::span<const ScalarEntry> financialFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
