#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/Value.h"
#include "jet/format/Format.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// Turns one Value per column (in the table definition's column order, converted to each column's type)
// into the bytes of a stored row, the inverse of RowDecoder. Values that do not fit their column raise a
// DbError with a Dutch description.
class RowEncoder {
public:
    RowEncoder(const Format& format, const TableLayout& table);

    // storedLongValues, when given, holds per column the reference bytes of a Memo or OLE Object value
    // that the caller has already put on long value pages; other long values are stored inside the row.
    std::string encode(const std::vector<Value>& values,
                       const std::vector<std::optional<std::string>>* storedLongValues = nullptr) const;

private:
    std::string fixedBytes(const ColumnDef& column, const ColumnStorage& storage, const Value& value) const;
    std::string variableBytes(const ColumnDef& column, const ColumnStorage& storage, const Value& value) const;
    std::string trailer(const std::vector<std::size_t>& offsets, std::size_t end, std::size_t maskBytes) const;

    const Format& format_;
    const TableLayout& table_;
    std::size_t fixedSize_ = 0;
};

// Text as the file stores it: Jet 3 in Windows-1252 (characters outside it refused), Jet 4 in UCS-2, or
// in compressed form when allowed and shorter.
std::string encodeJetText(const std::string& utf8, Version version, bool mayCompress, const std::string& columnName);

// The reference of a long value kept inside the row, followed by its bytes.
std::string inlineLongValue(const std::string& stored);

}  // namespace querimo::jet
