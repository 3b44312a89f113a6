#pragma once
#include <vector>

#include "core/Value.h"
#include "jet/format/Format.h"
#include "jet/pages/ByteView.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// Turns the bytes of one stored row into one Value per column, in the table definition's column order.
class RowDecoder {
public:
    RowDecoder(PageFile& file, const Format& format, const TableLayout& table);
    void decode(ByteView row, std::vector<Value>& values) const;

private:
    const std::vector<std::size_t>& variableOffsets(ByteView row, std::size_t maskBytes) const;  // in offsets_
    Value fixedValue(const ColumnDef& column, ByteView data) const;
    Value variableValue(const ColumnDef& column, ByteView data) const;
    Value calculatedValue(const ColumnDef& column, ByteView data) const;

    PageFile& file_;
    const Format& format_;
    const TableLayout& table_;
    mutable std::vector<std::size_t> offsets_;  // kept from row to row, so decoding a row allocates nothing here
};

// Decimal digits of a Jet 4 numeric value (sign byte, then a 128-bit magnitude in four 32-bit words,
// most significant word first) with `scale` digits after the point.
std::string decimalText(ByteView stored, int scale);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" from the 16 stored bytes.
std::string guidText(ByteView stored);

}  // namespace querimo::jet
