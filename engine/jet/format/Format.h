#pragma once
#include <cstddef>

#include "jet/Database.h"

namespace querimo::jet {

// Offsets and sizes that differ between Jet 3 and Jet 4 files.
struct Format {
    Version version;
    std::size_t pageSize;

    // data pages
    std::size_t dataRowCountOffset;  // number of rows on the page
    std::size_t dataRowTableOffset;  // first entry of the row offset table
    std::size_t dataOwnerOffset;     // table definition page the data page belongs to

    // table definition
    std::size_t tdefRowCount, tdefTableType, tdefMaxColumns, tdefVariableColumns, tdefColumnCount;
    std::size_t tdefLogicalIndexCount, tdefRealIndexCount, tdefUsedPages, tdefFreePages, tdefIndexBlock;
    std::size_t realIndexEntrySize;  // per real index right after the header
    std::size_t columnEntrySize;
    std::size_t colType, colNumber, colVariableIndex, colPrecision, colScale, colFlags, colFixedOffset, colLength;
    std::size_t colCodePage;    // Jet 3 only (0 = none)
    std::size_t colExtraFlags;  // Jet 4 only (0 = none)
    std::size_t realIndexDefSize, realIndexDefColumns,
        realIndexDefFlags;  // size of a real index entry, where its columns and flags are
    std::size_t logicalIndexDefSize, logicalIndexDefStart;
    std::size_t nameLengthSize;  // 1 (Jet 3) or 2 (Jet 4) bytes before each name

    // rows
    std::size_t rowCountSize;  // bytes of the column count at the start of a row

    // more of a column entry: what only a rewritten definition needs
    std::size_t colDisplayIndex, colSortOrder;
    std::size_t colJet3Word;  // Jet 3 only (0 = none)

    std::size_t usageMapPageBits() const { return (pageSize - 4) * 8; }
    bool jet4() const { return version == Version::Jet4; }

    static const Format& of(Version version);
};

inline const Format& Format::of(Version version)
{
    static const Format jet3{.version = Version::Jet3,
                             .pageSize = 2048,
                             .dataRowCountOffset = 8,
                             .dataRowTableOffset = 10,
                             .dataOwnerOffset = 4,
                             .tdefRowCount = 12,
                             .tdefTableType = 20,
                             .tdefMaxColumns = 21,
                             .tdefVariableColumns = 23,
                             .tdefColumnCount = 25,
                             .tdefLogicalIndexCount = 27,
                             .tdefRealIndexCount = 31,
                             .tdefUsedPages = 35,
                             .tdefFreePages = 39,
                             .tdefIndexBlock = 43,
                             .realIndexEntrySize = 8,
                             .columnEntrySize = 18,
                             .colType = 0,
                             .colNumber = 1,
                             .colVariableIndex = 3,
                             .colPrecision = 11,
                             .colScale = 12,
                             .colFlags = 13,
                             .colFixedOffset = 14,
                             .colLength = 16,
                             .colCodePage = 11,
                             .colExtraFlags = 0,
                             .realIndexDefSize = 39,
                             .realIndexDefColumns = 0,
                             .realIndexDefFlags = 38,
                             .logicalIndexDefSize = 20,
                             .logicalIndexDefStart = 0,
                             .nameLengthSize = 1,
                             .rowCountSize = 1,
                             .colDisplayIndex = 5,
                             .colSortOrder = 9,
                             .colJet3Word = 7};
    static const Format jet4{.version = Version::Jet4,
                             .pageSize = 4096,
                             .dataRowCountOffset = 12,
                             .dataRowTableOffset = 14,
                             .dataOwnerOffset = 4,
                             .tdefRowCount = 16,
                             .tdefTableType = 40,
                             .tdefMaxColumns = 41,
                             .tdefVariableColumns = 43,
                             .tdefColumnCount = 45,
                             .tdefLogicalIndexCount = 47,
                             .tdefRealIndexCount = 51,
                             .tdefUsedPages = 55,
                             .tdefFreePages = 59,
                             .tdefIndexBlock = 63,
                             .realIndexEntrySize = 12,
                             .columnEntrySize = 25,
                             .colType = 0,
                             .colNumber = 5,
                             .colVariableIndex = 7,
                             .colPrecision = 11,
                             .colScale = 12,
                             .colFlags = 15,
                             .colFixedOffset = 21,
                             .colLength = 23,
                             .colCodePage = 0,
                             .colExtraFlags = 16,
                             .realIndexDefSize = 52,
                             .realIndexDefColumns = 4,
                             .realIndexDefFlags = 46,
                             .logicalIndexDefSize = 28,
                             .logicalIndexDefStart = 4,
                             .nameLengthSize = 2,
                             .rowCountSize = 2,
                             .colDisplayIndex = 9,
                             .colSortOrder = 11,
                             .colJet3Word = 0};
    return version == Version::Jet3 ? jet3 : jet4;
}

}  // namespace querimo::jet
