#pragma once
#include <span>
#include <string_view>

#include "sql/functions/FunctionArgs.h"

namespace querimo::sql::functions {

using ScalarFunction = void (*)(Args&);

// One scalar function as registered: name is the Access function's name (its argument counts come from
// FunctionTypes) or, for an operator helper, the words naming it in messages ("de operator Mod").
struct ScalarEntry {
    std::string_view name;
    ScalarFunction function;
    int operands = 0;               // operator helpers only
    std::string_view sqlName = {};  // operator helpers only: the name after "acc_"
    bool deterministic = true;
};

std::span<const ScalarEntry> operatorFunctions();
std::span<const ScalarEntry> inspectionFunctions();
std::span<const ScalarEntry> textFunctions();
std::span<const ScalarEntry> characterFunctions();
std::span<const ScalarEntry> conversionFunctions();
std::span<const ScalarEntry> mathFunctions();
std::span<const ScalarEntry> dateFunctions();
std::span<const ScalarEntry> dateIntervalFunctions();
std::span<const ScalarEntry> formatFunctions();
std::span<const ScalarEntry> financialFunctions();
std::span<const ScalarEntry> regionalFormatFunctions();
std::span<const ScalarEntry> partitionFunctions();
std::span<const ScalarEntry> colourFunctions();

void registerAggregates(sqlite3* db);

}  // namespace querimo::sql::functions
