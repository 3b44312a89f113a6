#pragma once
#include <string>

namespace querimo::ado {
class Recordset;
}

namespace querimo::exec {

// The field names on a heading line, then the rows from the current record to the last, TAB between the
// values and CR LF after every line; Null is empty. Leaves the record set past its last record.
std::string DataTekst(ado::Recordset& rs);

}  // namespace querimo::exec
