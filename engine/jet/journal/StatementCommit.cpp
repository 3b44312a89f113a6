#include "jet/journal/StatementCommit.h"

#include "core/Error.h"

namespace querimo::jet {

void commitStatement(PageFile& file, Journal& journal)
{
    const std::vector<std::uint32_t> pages = file.changedPages();
    if (pages.empty()) return;
    journal.begin(file.fileSize());
    try {
        for (std::uint32_t page : pages) journal.saveOriginal(page);
        journal.sync();
        for (std::uint32_t page : pages) file.writeBack(page);
        file.sync();
        journal.commit();
    } catch (...) {
        try {
            journal.rollback();
        } catch (const DbError&) {
            // Left for the next open; the original error says what went wrong.
        }
        file.refresh();
        throw;
    }
}

}  // namespace querimo::jet
