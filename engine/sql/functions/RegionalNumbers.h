#pragma once
#include <string>

namespace querimo::sql::functions {

// The user's number and currency settings, from the C library's locale as elsewhere in Querimo. The C locale
// stands for US English: "." and ",", "$" before the amount, negative amounts in parentheses.
struct Region {
    std::string point, group, currency;
    bool currencyFirst = true, currencySpace = false, currencyParens = true, signAfterCurrency = false;
    int currencyDigits = 2;
};
Region currentRegion();

// |value| with `decimals` decimals, rounded as FormatNumber rounds: the value scaled in double, then half to even.
std::string fixedDigits(double value, int decimals, bool leadingZero, bool groupDigits, const Region& region);

}  // namespace querimo::sql::functions
