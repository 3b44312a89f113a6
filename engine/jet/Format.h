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
    static const Format jet3{Version::Jet3,
                             2048,
                             8,
                             10,
                             4,
                             12,
                             20,
                             21,
                             23,
                             25,
                             27,
                             31,
                             35,
                             39,
                             43,
                             8,
                             18,
                             0,
                             1,
                             3,
                             11,
                             12,
                             13,
                             14,
                             16,
                             11,
                             0,
                             39,
                             0,
                             38,
                             20,
                             0,
                             1,
                             1,
                             5,
                             9,
                             7};
    static const Format jet4{Version::Jet4,
                             4096,
                             12,
                             14,
                             4,
                             16,
                             40,
                             41,
                             43,
                             45,
                             47,
                             51,
                             55,
                             59,
                             63,
                             12,
                             25,
                             0,
                             5,
                             7,
                             11,
                             12,
                             15,
                             21,
                             23,
                             0,
                             16,
                             52,
                             4,
                             46,
                             28,
                             4,
                             2,
                             2,
                             9,
                             11,
                             0};
    return version == Version::Jet3 ? jet3 : jet4;
}

}  // namespace querimo::jet
