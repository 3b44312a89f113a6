// IIf, Nz, Switch, Choose, the Is... tests, VarType and TypeName.
#include "sql/DataTypes.h"
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

// VarType's codes, by the Access type the compiler gave the argument (the last, hidden operand).
enum VarType {
    vbNull = 1,
    vbInteger = 2,
    vbLong = 3,
    vbSingle = 4,
    vbDouble = 5,
    vbCurrency = 6,
    vbDate = 7,
    vbString = 8,
    vbBoolean = 11,
    vbDecimal = 14,
    vbLongLong = 20,
    vbByte = 17,
    vbByteArray = 8209
};

// The compiler passes the type it knows for the value as its record-set type number.
int staticVarType(std::int64_t dataType)
{
    using T = DataType;
    switch (static_cast<T>(dataType)) {
    case T::SmallInt: return vbInteger;
    case T::Integer: return vbLong;
    case T::BigInt: return vbLongLong;
    case T::Single: return vbSingle;
    case T::Double: return vbDouble;
    case T::Currency: return vbCurrency;
    case T::Date: return vbDate;
    case T::Boolean: return vbBoolean;
    case T::UnsignedTinyInt: return vbByte;
    case T::Numeric: return vbDecimal;
    case T::Binary:
    case T::VarBinary:
    case T::LongVarBinary: return vbByteArray;
    case T::Guid:
    case T::WChar:
    case T::VarChar:
    case T::VarWChar:
    case T::LongVarWChar: return vbString;
    default: return 0;
    }
}

// The subtype our functions set wins; then the compiler's type when it fits the stored value; then storage.
int varTypeOf(const Args& a)
{
    if (a.isNull(0)) return vbNull;
    switch (sqlite3_value_subtype(a.raw(0))) {
    case dateSubtype: return vbDate;
    case booleanSubtype: return vbBoolean;
    case singleSubtype: return vbSingle;
    default: break;
    }
    const int declared = staticVarType(a.type(1) == SQLITE_INTEGER ? sqlite3_value_int64(a.raw(1)) : 0);
    const bool text = a.type(0) == SQLITE_TEXT, blob = a.type(0) == SQLITE_BLOB;
    if (declared == vbString || declared == vbByteArray) {
        if (text || blob) return declared;
    } else if (declared && !text && !blob) {
        return declared;
    }
    if (text) return vbString;
    if (blob) return vbByteArray;
    return a.type(0) == SQLITE_INTEGER ? vbLong : vbDouble;
}

void varType(Args& a)
{
    a.setInteger(varTypeOf(a));
}

void typeName(Args& a)
{
    switch (varTypeOf(a)) {
    case vbNull: return a.setText("Null");
    case vbInteger: return a.setText("Integer");
    case vbLong: return a.setText("Long");
    case vbSingle: return a.setText("Single");
    case vbDouble: return a.setText("Double");
    case vbCurrency: return a.setText("Currency");
    case vbDate: return a.setText("Date");
    case vbString: return a.setText("String");
    case vbBoolean: return a.setText("Boolean");
    case vbDecimal: return a.setText("Decimal");
    case vbByte: return a.setText("Byte");
    default: a.setText("Byte()");
    }
}

// A value in a query is never Empty, an error value, an array or an object, and never a missing argument.
void isNever(Args& a)
{
    a.setBoolean(false);
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
    {"IIf", iif},
    {"Nz", nz},
    {"IsNull", isNull},
    {"IsNumeric", isNumeric},
    {"IsDate", isDate},
    {"Switch", switchFunction},
    {"Choose", choose},
    {"IsEmpty", isNever},
    {"IsArray", isNever},
    {"IsObject", isNever},
    {"IsMissing", isNever},
    {"IsError", isNever},
    {"VarType", varType, 2, "vartype"},
    {"TypeName", typeName, 2, "typename"},
};

}  // namespace

std::span<const ScalarEntry> inspectionFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
