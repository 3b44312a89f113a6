#pragma once
#include <sqlite3.h>

#include <string>

#include "core/Value.h"

namespace querimo::sql {

// The number a Decimal's text stands for ("." as decimal point in every locale); 0 for text that is none.
double decimalNumber(const std::string& text);

// Access values inside SQLite: Null NULL; Yes/No -1/0; Byte, Integer, Long, Large Number INTEGER; Currency, Single,
// Double, Decimal REAL; Date/Time REAL days since 30 December 1899; Text, Memo, GUID TEXT; binary BLOB.
// Calls the one handler that takes the SQLite form of v: integer(int64), real(double), text(string),
// blob(string) or null().
template <typename Int, typename Real, typename Text, typename Blob, typename Null>
void visitSqliteForm(const Value& v, Int integer, Real real, Text text, Blob blob, Null null)
{
    switch (v.kind) {
    case Value::Kind::Null: null(); return;
    case Value::Kind::Boolean: integer(v.integer ? -1 : 0); return;
    case Value::Kind::Byte:
    case Value::Kind::Integer:
    case Value::Kind::Long:
    case Value::Kind::BigInt: integer(v.integer); return;
    case Value::Kind::Currency: real(static_cast<double>(v.integer) / 10000.0); return;
    case Value::Kind::Single:
    case Value::Kind::Double:
    case Value::Kind::DateTime: real(v.real); return;
    case Value::Kind::Decimal: real(decimalNumber(v.bytes)); return;
    case Value::Kind::Text:
    case Value::Kind::Guid: text(v.bytes); return;
    case Value::Kind::Binary: blob(v.bytes); return;
    }
}

void resultValue(sqlite3_context* ctx, const Value& v);
void bindValue(sqlite3_stmt* stmt, int slot, const Value& v);

}  // namespace querimo::sql
