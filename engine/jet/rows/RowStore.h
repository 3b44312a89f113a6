#pragma once
#include <cstdint>
#include <string>

#include "jet/format/Format.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// A table's stored rows on its data pages: where a new row goes, what a row holds, how it changes or goes,
// with the table's two usage maps (pages owned, pages with free space) and its row count kept in step.
class RowStore {
public:
    RowStore(PageFile& file, const Format& format, PageAllocator& pages, TableLayout& table);

    RowId insert(const std::string& bytes);
    // The row's bytes where they live now; a row that does not exist (any more) is a DbError.
    std::string read(RowId row);
    // A row that no longer fits its page moves; its old place keeps a pointer, so its id stays.
    void replace(RowId row, const std::string& bytes);
    void remove(RowId row);
    // The last AutoNumber handed out, in the definition.
    void setLastAutoNumber(std::uint32_t value);

private:
    struct Place {
        std::uint32_t page;
        int row;
        bool overflow;
        std::uint32_t target;  // where an overflow pointer leads
    };
    Place locate(RowId row);
    std::uint32_t place(const std::string& bytes, std::uint16_t flags);  // row pointer
    std::uint32_t newDataPage();
    void markFree(std::uint32_t page, bool free);
    void adjustRowCount(int change);
    void patchDefinition(std::size_t offset, std::uint32_t value);

    PageFile& file_;
    const Format& format_;
    PageAllocator& pages_;
    TableLayout& table_;
};

}  // namespace querimo::jet
