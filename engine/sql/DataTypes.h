#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "jet/Database.h"

namespace querimo::sql {

// Type numbers as record sets and schema rowsets report them: the ADO numbering the window and scripts know.
enum class DataType : std::int16_t {
    Empty = 0,  // Null, or a value nothing types
    SmallInt = 2,
    Integer = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,
    Decimal = 14,
    TinyInt = 16,
    UnsignedTinyInt = 17,
    UnsignedSmallInt = 18,
    UnsignedInt = 19,
    BigInt = 20,
    UnsignedBigInt = 21,
    FileTime = 64,
    Guid = 72,
    Binary = 128,
    Char = 129,
    WChar = 130,
    Numeric = 131,
    DBDate = 133,
    DBTime = 134,
    DBTimeStamp = 135,
    VarNumeric = 139,
    VarChar = 200,
    LongVarChar = 201,
    VarWChar = 202,
    LongVarWChar = 203,
    VarBinary = 204,
    LongVarBinary = 205,
};

// What a type number holds, for showing it: numbers are aligned right, the tree names the family.
enum class TypeFamily { Number, Boolean, Text, Date, Time, Other };
TypeFamily familyOf(DataType type);

// One Access column type in every vocabulary the program speaks.
struct AccessType {
    jet::ColumnType jet;
    DataType recordset;     // what a record-set column of this type reports
    DataType schema;        // DATA_TYPE in the COLUMNS schema rowset
    int size;               // bytes of a fixed column; Text and Binary: the size without (n)
    const char* sqlWord;    // how data definition names it
    const char* dutchName;  // as Access's table designer names it
};

const AccessType& accessType(jet::ColumnType type);
// Every value takes the same room in the row (not Text, Memo, Binary or OLE Object).
bool fixedLength(jet::ColumnType type);
// The Access type a record-set type stands for; nullptr for numbers no Access column reports.
const AccessType* accessTypeOf(DataType recordsetType);
// The Dutch name of the Access type behind a record-set type, for messages; text when nothing types it.
std::string dutchTypeName(DataType recordsetType);

// A type word of data definition and PARAMETERS declarations (TEXT, LONG, COUNTER, MONEY ...).
struct TypeWord {
    const char* word;
    jet::ColumnType type;
    bool autoNumber = false;  // COUNTER, AUTOINCREMENT, IDENTITY
};
// Nullptr when the word names no type (letter case ignored).
const TypeWord* typeWord(std::string_view word);
// The record-set type a PARAMETERS declaration's word stands for; nullopt when the word is no type.
std::optional<DataType> parameterType(std::string_view word);

}  // namespace querimo::sql
