#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "jet/Database.h"

namespace querimo::jet {

// Where a column lives inside a row.
struct ColumnStorage {
    int fixedOffset = 0;              // after the column count, fixed columns only
    int variableIndex = 0;            // entry in the row's variable offset table, variable columns only
    int length = 0;                   // bytes as the definition gives them
    bool compressedUnicode = false;   // Jet 4 text may be stored in compressed form
    std::uint8_t extraFlags = 0;      // Jet 4 and later, as stored; 0xC0 marks a calculated column
    std::uint8_t typeCode = 0;        // the stored type when ColumnDef::type cannot name it (later system tables)
    std::uint8_t flags = 0x02;        // as stored: fixed length, updatable, AutoNumber, replication, hyperlink
    int displayIndex = 0;             // as stored after the variable index
    std::uint16_t sortOrder = 0x409;  // text collation (General); Jet 4 keeps it for every type but Decimal
    // Jet 4: the two bytes after it, kept for every type: 0, then the sort order's version (Access 2010's newer
    // General order is 1); a complex column's id spans all four bytes.
    std::uint16_t sortOrderTail = 0;
    std::uint16_t codePage = 1252;  // Jet 3 only
    std::uint16_t jet3Word = 0;     // Jet 3 only: the word between the display index and the sort order
};

// The General sort order's number, the one text keys are made for.
constexpr std::uint16_t generalSortOrder = 0x0409;
// The sort order version of Access 2010's General order, as the high byte of ColumnStorage::sortOrderTail.
constexpr std::uint16_t general2010SortOrderTail = 0x0100;

// An index as the file keeps it (several logical indexes may share one).
struct RealIndexLayout {
    std::vector<IndexColumn> columns;  // in key order
    std::uint32_t firstPage = 0;       // the index's root page
    std::uint32_t usedPagesMap = 0;    // row pointer of its usage map (as stored; may be 0)
    std::uint8_t flags = 0;            // as stored: unique, ignore nulls, required
    // As stored, and not always deterministic: Access leaves what its buffers held in some of these.
    std::uint32_t headerWord = 0;               // first word of the entry in the block after the table header
    std::uint32_t entryCount = 0;               // second word there (mostly the table's row count)
    std::uint32_t jet4Leftover = 0;             // Jet 4: the four bytes before the flags
    std::array<std::uint8_t, 10> slotOrders{};  // order bytes of the ten column slots, unused ones too
};

// What a logical index entry stores beyond its IndexDef: its number and the other half of a relationship.
struct LogicalIndexLayout {
    std::uint32_t number = 0;
    std::uint8_t relatedKind = 0;  // primary or foreign key kind of the other index, 0 when none
    std::uint32_t relatedIndex = 0xFFFFFFFF;
    std::uint32_t relatedTable = 0;  // definition page of the other table
    std::uint8_t updateAction = 0;   // as stored (0x04 outside relationships)
    std::uint8_t deleteAction = 0;
};

// The usage maps of a Memo or OLE Object column's long value pages (Jet 4 keeps them after the indexes).
struct LongValueMaps {
    int columnNumber = 0;
    std::uint32_t usedPagesMap = 0;
    std::uint32_t freeSpaceMap = 0;
};

// A table definition with what the row decoder and the writer need beyond the public TableDef.
struct TableLayout {
    TableDef def;
    std::vector<ColumnStorage> storage;  // parallel to def.columns
    std::vector<RealIndexLayout> realIndexes;
    std::vector<int> realIndexOf;                    // parallel to def.indexes: the real index each one uses
    std::vector<LogicalIndexLayout> logicalIndexes;  // parallel to def.indexes
    std::vector<LongValueMaps> longValueMaps;
    std::uint32_t usedPagesMap = 0;  // row pointer (page << 8 | row) of the owned-pages usage map
    std::uint32_t freeSpaceMap = 0;  // row pointer of the pages-with-free-space usage map
    std::uint32_t nextAutoNumber = 0;
    int maxColumns = 0;
    int variableColumns = 0;
    // Jet 4: the sixteen bytes after the next AutoNumber as stored (1, then zeros in what Access makes anew).
    std::array<std::uint8_t, 16> jet4HeaderExtra{1};
    bool system = false;  // the definition marks it as a system table
};

// A row pointer splits into a page and a row number on it.
inline std::uint32_t pointerPage(std::uint32_t pointer)
{
    return pointer >> 8;
}
inline int pointerRow(std::uint32_t pointer)
{
    return static_cast<int>(pointer & 0xFF);
}

}  // namespace querimo::jet
