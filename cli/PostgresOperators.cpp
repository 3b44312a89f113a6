#include <string>

#include "PostgresViewParts.h"

namespace querimo::cli {

using K = ValueKind;

ValueKind valueKindOf(sql::DataType type)
{
    using T = sql::DataType;
    switch (type) {
    case T::Boolean: return K::Boolean;
    case T::TinyInt:
    case T::UnsignedTinyInt:
    case T::SmallInt:
    case T::Integer:
    case T::BigInt: return K::Integer;
    case T::Currency:
    case T::Decimal:
    case T::Numeric: return K::Exact;
    case T::Single: return K::Single;
    case T::Double: return K::Double;
    case T::Date:
    case T::DBTimeStamp: return K::Date;
    case T::WChar:
    case T::VarWChar:
    case T::LongVarWChar:
    case T::Char:
    case T::VarChar:
    case T::LongVarChar: return K::Text;
    default: return K::Unknown;
    }
}

namespace {

bool isFloating(K k)
{
    return k == K::Single || k == K::Double || k == K::Unknown;
}

bool isNumeric(K k)
{
    return k == K::Integer || k == K::Exact || k == K::Single || k == K::Double;
}

// A date plus or minus days; two dates apart in days.
Typed dateArithmetic(const std::string& op, const Typed& a, const Typed& b)
{
    if (op == "-" && a.kind == K::Date && b.kind == K::Date)
        return {"(extract(epoch from (" + a.sql + " - " + b.sql + ")) / 86400)", K::Double};
    if ((op == "+" || op == "-") && a.kind == K::Date && b.kind != K::Date)
        return {"(" + a.sql + " " + op + " (" + b.sql + ") * interval '1 day')", K::Date};
    if (op == "+" && b.kind == K::Date) return {"(" + b.sql + " + (" + a.sql + ") * interval '1 day')", K::Date};
    throw Untranslatable("rekenen met datums op deze manier wordt niet omgezet");
}

}  // namespace

bool isText(const Typed& v)
{
    return v.kind == K::Text;
}

void requireComparable(const Typed& a, const Typed& b)
{
    if (a.kind == b.kind || a.kind == K::Unknown || b.kind == K::Unknown || (isNumeric(a.kind) && isNumeric(b.kind)))
        return;
    throw Untranslatable("waarden van verschillende soort worden vergeleken of samengevoegd");
}

std::string caseBlind(const Typed& v, bool text)
{
    return text ? "lower(" + v.sql + ")" : v.sql;
}

// A value in Access's text form for &, where PostgreSQL writes the same.
std::string concatenated(const Typed& v)
{
    if (v.kind == K::Date || v.kind == K::Boolean || v.kind == K::Single || v.kind == K::Double)
        throw Untranslatable("& met een datum, Ja/nee-waarde of zwevendekommagetal wordt niet omgezet");
    return v.kind == K::Exact ? "trim_scale(" + v.sql + ")" : v.sql;
}

Typed arithmetic(const std::string& op, const Typed& a, const Typed& b)
{
    if (a.kind == K::Boolean || b.kind == K::Boolean)
        throw Untranslatable("rekenen met Ja/nee-waarden wordt niet omgezet");
    if (isText(a) || isText(b)) {
        if (op == "+" && isText(a) && isText(b)) return {"(" + a.sql + " || " + b.sql + ")", K::Text};
        throw Untranslatable("rekenen met tekst wordt niet omgezet");
    }
    if (a.kind == K::Date || b.kind == K::Date) return dateArithmetic(op, a, b);
    if (op == "\\") return {"(round(" + asDouble(a) + ")::bigint / round(" + asDouble(b) + ")::bigint)", K::Integer};
    if (op == "MOD") return {"mod(round(" + asDouble(a) + ")::bigint, round(" + asDouble(b) + ")::bigint)", K::Integer};
    if (op == "^") return {"power(" + asDouble(a) + ", " + asDouble(b) + ")", K::Double};
    if (op != "+" && op != "-" && op != "*" && op != "/") throw Untranslatable("de operator " + op);
    // Access computes in Single only for two Singles, in Double when either side floats and always for /.
    if (a.kind == K::Single && b.kind == K::Single) return {"(" + a.sql + " " + op + " " + b.sql + ")", K::Single};
    if (op == "/" || isFloating(a.kind) || isFloating(b.kind))
        return {"(" + asDouble(a) + " " + op + " " + asDouble(b) + ")", K::Double};
    const K kind = a.kind == K::Exact || b.kind == K::Exact ? K::Exact : K::Integer;
    return {"(" + a.sql + " " + op + " " + b.sql + ")", kind};
}

}  // namespace querimo::cli
