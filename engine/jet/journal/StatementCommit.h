#pragma once
#include "jet/journal/Journal.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// Writes the changed pages of the page file as one statement that lands whole or not at all: the pages'
// originals go to the journal and are synced before the first page is written. On failure the journal
// rolls the file back, the page file forgets its pages, and the error is raised again. Should even the
// rollback fail, the journal stays beside the file and the next open rolls back; the database must then
// not be used further.
void commitStatement(PageFile& file, Journal& journal);

}  // namespace querimo::jet
