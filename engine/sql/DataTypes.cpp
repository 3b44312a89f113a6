#include "sql/DataTypes.h"

#include "core/Text.h"

namespace querimo::sql {

namespace {

using jet::ColumnType;
using T = DataType;

constexpr AccessType accessTypes[] = {
    {ColumnType::Boolean, T::Boolean, T::Boolean, 1, "YESNO", "Ja/nee"},
    {ColumnType::Byte, T::UnsignedTinyInt, T::UnsignedTinyInt, 1, "BYTE", "Byte"},
    {ColumnType::Integer, T::SmallInt, T::SmallInt, 2, "SHORT", "Integer"},
    {ColumnType::Long, T::Integer, T::Integer, 4, "LONG", "Lange integer"},
    {ColumnType::Currency, T::Currency, T::Currency, 8, "CURRENCY", "Valuta"},
    {ColumnType::Single, T::Single, T::Single, 4, "SINGLE", "Enkele precisie"},
    {ColumnType::Double, T::Double, T::Double, 8, "DOUBLE", "Dubbele precisie"},
    {ColumnType::DateTime, T::Date, T::Date, 8, "DATETIME", "Datum/tijd"},
    {ColumnType::Binary, T::VarBinary, T::Binary, 510, "BINARY", "Binair"},
    {ColumnType::Text, T::VarWChar, T::WChar, 255, "TEXT", "Tekst"},
    {ColumnType::OleObject, T::LongVarBinary, T::Binary, 0, "LONGBINARY", "OLE-object"},
    {ColumnType::Memo, T::LongVarWChar, T::WChar, 0, "MEMO", "Memo"},
    {ColumnType::Guid, T::Guid, T::Guid, 16, "GUID", "Replicatie-id"},
    {ColumnType::Decimal, T::Numeric, T::Numeric, 17, "DECIMAL", "Decimaal"},
    {ColumnType::BigInt, T::BigInt, T::BigInt, 8, "BIGINT", "Groot getal"},
    // Its text keeps all seven decimals of the seconds, which no Date value can hold.
    {ColumnType::DateTimeExtended, T::VarWChar, T::WChar, 42, "DATETIME2", "Datum/tijd uitgebreid"},
    // Attachments, multi-valued fields, version history: read as the text of their values.
    {ColumnType::Complex, T::LongVarWChar, T::WChar, 4, "COMPLEX", "Meerdere waarden"},
};

// Jet 4's type words; TEXT without a size is Text(255), as the Access query window makes it.
constexpr TypeWord typeWords[] = {
    {"TEXT", ColumnType::Text},
    {"VARCHAR", ColumnType::Text},
    {"CHAR", ColumnType::Text},
    {"CHARACTER", ColumnType::Text},
    {"STRING", ColumnType::Text},
    {"ALPHANUMERIC", ColumnType::Text},
    {"NVARCHAR", ColumnType::Text},
    {"NCHAR", ColumnType::Text},
    {"MEMO", ColumnType::Memo},
    {"LONGTEXT", ColumnType::Memo},
    {"LONGCHAR", ColumnType::Memo},
    {"NOTE", ColumnType::Memo},
    {"NTEXT", ColumnType::Memo},
    {"BYTE", ColumnType::Byte},
    {"TINYINT", ColumnType::Byte},
    {"INTEGER1", ColumnType::Byte},
    {"SHORT", ColumnType::Integer},
    {"SMALLINT", ColumnType::Integer},
    {"INTEGER2", ColumnType::Integer},
    {"LONG", ColumnType::Long},
    {"INTEGER", ColumnType::Long},
    {"INT", ColumnType::Long},
    {"INTEGER4", ColumnType::Long},
    {"SINGLE", ColumnType::Single},
    {"REAL", ColumnType::Single},
    {"FLOAT4", ColumnType::Single},
    {"IEEESINGLE", ColumnType::Single},
    {"DOUBLE", ColumnType::Double},
    {"FLOAT", ColumnType::Double},
    {"FLOAT8", ColumnType::Double},
    {"IEEEDOUBLE", ColumnType::Double},
    {"NUMBER", ColumnType::Double},
    {"CURRENCY", ColumnType::Currency},
    {"MONEY", ColumnType::Currency},
    {"DATETIME", ColumnType::DateTime},
    {"DATE", ColumnType::DateTime},
    {"TIME", ColumnType::DateTime},
    {"TIMESTAMP", ColumnType::DateTime},
    {"YESNO", ColumnType::Boolean},
    {"BIT", ColumnType::Boolean},
    {"LOGICAL", ColumnType::Boolean},
    {"LOGICAL1", ColumnType::Boolean},
    {"BOOLEAN", ColumnType::Boolean},
    {"COUNTER", ColumnType::Long, true},
    {"AUTOINCREMENT", ColumnType::Long, true},
    {"IDENTITY", ColumnType::Long, true},
    {"GUID", ColumnType::Guid},
    {"UNIQUEIDENTIFIER", ColumnType::Guid},
    {"DECIMAL", ColumnType::Decimal},
    {"NUMERIC", ColumnType::Decimal},
    {"DEC", ColumnType::Decimal},
    {"BIGINT", ColumnType::BigInt},
    // SQL Server's word for the type Access links to Date/Time Extended.
    {"DATETIME2", ColumnType::DateTimeExtended},
    {"LONGBINARY", ColumnType::OleObject},
    {"OLEOBJECT", ColumnType::OleObject},
    {"GENERAL", ColumnType::OleObject},
    {"IMAGE", ColumnType::OleObject},
    {"BINARY", ColumnType::Binary},
    {"VARBINARY", ColumnType::Binary},
};

}  // namespace

TypeFamily familyOf(DataType type)
{
    switch (type) {
    case T::SmallInt:
    case T::Integer:
    case T::Single:
    case T::Double:
    case T::Currency:
    case T::Decimal:
    case T::TinyInt:
    case T::UnsignedTinyInt:
    case T::UnsignedSmallInt:
    case T::UnsignedInt:
    case T::BigInt:
    case T::UnsignedBigInt:
    case T::Numeric:
    case T::VarNumeric: return TypeFamily::Number;
    case T::Boolean: return TypeFamily::Boolean;
    case T::Char:
    case T::WChar:
    case T::VarChar:
    case T::LongVarChar:
    case T::VarWChar:
    case T::LongVarWChar: return TypeFamily::Text;
    case T::Date:
    case T::DBDate: return TypeFamily::Date;
    case T::FileTime:
    case T::DBTime:
    case T::DBTimeStamp: return TypeFamily::Time;
    default: return TypeFamily::Other;
    }
}

const AccessType& accessType(jet::ColumnType type)
{
    for (const AccessType& a : accessTypes)
        if (a.jet == type) return a;
    return accessType(ColumnType::Text);  // unreachable: every ColumnType has its row
}

bool fixedLength(jet::ColumnType type)
{
    return type != ColumnType::Text && type != ColumnType::Memo && type != ColumnType::OleObject
           && type != ColumnType::Binary && type != ColumnType::Complex;
}

const AccessType* accessTypeOf(DataType recordsetType)
{
    for (const AccessType& a : accessTypes)
        if (a.recordset == recordsetType) return &a;
    return nullptr;
}

std::string dutchTypeName(DataType recordsetType)
{
    const AccessType* a = accessTypeOf(recordsetType);
    return a ? a->dutchName : "Tekst";
}

const TypeWord* typeWord(std::string_view word)
{
    for (const TypeWord& w : typeWords)
        if (text::equalsIgnoreCase(w.word, word)) return &w;
    return nullptr;
}

std::optional<DataType> parameterType(std::string_view word)
{
    // VALUE declares a parameter of no particular type: it is taken as text.
    if (text::equalsIgnoreCase(word, "VALUE")) return DataType::VarWChar;
    if (const TypeWord* w = typeWord(word)) return accessType(w->type).recordset;
    return std::nullopt;
}

}  // namespace querimo::sql
