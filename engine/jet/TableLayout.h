#pragma once
#include <cstdint>
#include <vector>

#include "jet/Database.h"

namespace querimo::jet {

// Where a column lives inside a row.
struct ColumnStorage {
    int fixedOffset = 0;    // after the column count, fixed columns only
    int variableIndex = 0;  // entry in the row's variable offset table, variable columns only
    int length = 0;         // bytes as the definition gives them
    bool compressedUnicode = false;  // Jet 4 text may be stored in compressed form
};

// An index as the file keeps it (several logical indexes may share one).
struct RealIndexLayout {
    std::vector<IndexColumn> columns;  // in key order
    std::uint32_t firstPage = 0;       // the index's root page
    std::uint32_t usedPagesMap = 0;    // row pointer of its usage map (as stored; may be 0)
    std::uint8_t flags = 0;            // as stored: unique, ignore nulls, required
};

// A table definition with what the row decoder and the writer need beyond the public TableDef.
struct TableLayout {
    TableDef def;
    std::vector<ColumnStorage> storage;  // parallel to def.columns
    std::vector<RealIndexLayout> realIndexes;
    std::vector<int> realIndexOf;        // parallel to def.indexes: the real index each one uses
    std::uint32_t usedPagesMap = 0;      // row pointer (page << 8 | row) of the owned-pages usage map
    std::uint32_t freeSpaceMap = 0;      // row pointer of the pages-with-free-space usage map
    std::uint32_t nextAutoNumber = 0;
    int maxColumns = 0;
    int variableColumns = 0;
    bool system = false;                 // the definition marks it as a system table
};

// A row pointer splits into a page and a row number on it.
inline std::uint32_t pointerPage(std::uint32_t pointer) { return pointer >> 8; }
inline int pointerRow(std::uint32_t pointer) { return static_cast<int>(pointer & 0xFF); }

}  // namespace querimo::jet
