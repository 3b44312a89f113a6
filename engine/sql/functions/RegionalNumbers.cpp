#include "sql/functions/RegionalNumbers.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>

namespace querimo::sql::functions {

Region currentRegion()
{
    Region r;
    const std::lconv* c = std::localeconv();
    const auto text = [](const char* s, const char* fallback) { return std::string(s && *s ? s : fallback); };
    r.point = text(c->decimal_point, ".");
    r.group = text(c->thousands_sep, r.point == "," ? "." : ",");
    r.currency = text(c->currency_symbol, "$");
    if (c->p_cs_precedes != CHAR_MAX) r.currencyFirst = c->p_cs_precedes == 1;
    if (c->p_sep_by_space != CHAR_MAX) r.currencySpace = c->p_sep_by_space == 1;
    if (c->n_sign_posn != CHAR_MAX) {
        r.currencyParens = c->n_sign_posn == 0;
        r.signAfterCurrency = c->n_sign_posn == 4;
    }
    if (c->frac_digits != CHAR_MAX) r.currencyDigits = c->frac_digits;
    return r;
}

std::string fixedDigits(double value, int decimals, bool leadingZero, bool groupDigits, const Region& region)
{
    const double scaled = std::abs(value) * std::pow(10.0, decimals);
    char buffer[420];                                          // 309 whole digits and at most 99 decimals
    if (std::isfinite(scaled) && scaled < 9007199254740992.0)  // below 2^53 the scaled double can have a fraction
        std::snprintf(buffer, sizeof buffer, "%.0f", std::nearbyint(scaled));
    else
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::abs(value));
    std::string digits = buffer;
    if (const auto point = digits.find_first_of(".,"); point != std::string::npos) digits.erase(point, 1);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    const std::string fraction = digits.substr(whole.size());
    if (whole == "0" && !leadingZero) whole.clear();
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (groupDigits && i > 0 && (whole.size() - i) % 3 == 0) out += region.group;
        out += whole[i];
    }
    if (decimals > 0) out += region.point + fraction;
    return out;
}

}  // namespace querimo::sql::functions
