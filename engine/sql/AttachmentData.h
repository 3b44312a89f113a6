#pragma once
#include <sqlite3.h>

#include <string>
#include <string_view>

namespace querimo::sql {

// The file an attachment holds, from the bytes Access stores for it (a small header, mostly deflate-compressed
// content that starts with a header of its own naming the file type). DbError when the bytes are damaged.
std::string attachmentFile(std::string_view stored);

// acc_attachment_file(x): attachmentFile on a stored value; Null stays Null.
void registerAttachmentFunction(sqlite3* db);

}  // namespace querimo::sql
