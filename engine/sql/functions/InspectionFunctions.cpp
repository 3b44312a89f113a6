// IIf, Nz, Switch, Choose and the Is... tests.
#include "sql/functions/DateParse.h"
#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

void iif(Args& a)
{
    a.setArgument(a.truth(0) ? 1 : 2);
}

// In a query Nz without a second argument gives a zero-length text.
void nz(Args& a)
{
    if (!a.isNull(0)) return a.setArgument(0);
    if (a.has(1)) return a.setArgument(1);
    a.setText("");
}

void isNull(Args& a)
{
    a.setBoolean(a.isNull(0));
}

void isNumeric(Args& a)
{
    switch (a.type(0)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return a.setBoolean(!a.isDate(0));
    case SQLITE_TEXT: return a.setBoolean(parseAccessNumber(a.text(0)).has_value());
    default: a.setBoolean(false);
    }
}

void isDate(Args& a)
{
    if (a.type(0) == SQLITE_TEXT) return a.setBoolean(parseAccessDate(a.text(0)).has_value());
    a.setBoolean(a.isDate(0));
}

void switchFunction(Args& a)
{
    if (a.count() % 2) a.invalidCall();
    for (int i = 0; i < a.count(); i += 2)
        if (a.truth(i)) return a.setArgument(i + 1);
    a.setNull();
}

void choose(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const std::int64_t index = a.whole(0, -2147483648LL, 2147483647LL);
    if (index < 1 || index >= a.count()) return a.setNull();
    a.setArgument(static_cast<int>(index));
}

constexpr ScalarEntry entries[] = {
    {"IIf", iif},       {"Nz", nz},
    {"IsNull", isNull}, {"IsNumeric", isNumeric},
    {"IsDate", isDate}, {"Switch", switchFunction},
    {"Choose", choose},
};

}  // namespace

std::span<const ScalarEntry> inspectionFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
