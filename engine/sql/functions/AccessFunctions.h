#pragma once
#include <sqlite3.h>

#include <string_view>

namespace querimo::sql {

// Makes the Access functions and operators available to statements on db as "acc_" + the lower-case
// Access name (acc_left, acc_datediff, acc_first), and the operator helpers acc_like, acc_concat, acc_add,
// acc_div, acc_intdiv, acc_mod, acc_pow, acc_not, acc_and, acc_or, acc_xor, acc_eqv, acc_imp,
// acc_asdate and acc_asboolean. Values: Null is NULL, Yes/No -1/0, numbers INTEGER or REAL,
// dates REAL days since 30 December 1899, text UTF-8. Errors carry Dutch messages.
void registerAccessFunctions(sqlite3* db);

// The implementation registered under sqlName ("acc_like"), for a virtual table that takes a function over
// for its columns (xFindFunction); false for an unknown name.
bool findAccessFunction(std::string_view sqlName, void (**function)(sqlite3_context*, int, sqlite3_value**),
                        void** data);

}  // namespace querimo::sql
