#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// The decomposed MSysQueries form of a select, crosstab, union or make-table query (with an optional
// PARAMETERS declaration): what rebuildQueryText turns back into this SQL. Expressions keep the text as
// written. A statement Access would reject throws the parser's DbError, with positions in `text`.
std::vector<jet::QueryRow> decomposeQuery(std::string_view text);

// Gives the output columns of a decomposed select the names a view's column list states, in order.
// position: where the list is, for the message when the list does not fit the query.
void nameOutputColumns(std::vector<jet::QueryRow>& rows, const std::vector<std::string>& names, std::size_t position);

}  // namespace querimo::sql
