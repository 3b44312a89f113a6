#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace querimo::sql {

// How the type of a function's result follows from its arguments.
enum class ResultRule {
    Text,
    Long,
    Integer,
    Double,
    Date,
    Boolean,
    Currency,
    Decimal,
    Byte,
    Single,
    SameAsArgument,
    Variant,
    OwnQuery  // DLookup, DCount, ..., Eval: the translator makes a subquery of their constant texts
};

inline constexpr int unboundedArguments = -1;

struct FunctionType {
    std::string_view name;  // Access spelling, without "$"
    int minArgs;
    int maxArgs;  // unboundedArguments for Switch and Choose
    ResultRule result;
    int argument = 0;         // 1-based, for SameAsArgument
    bool dollarForm = false;  // Left$, Mid$, ... exist
    bool aggregate = false;
};

// Case-insensitive; "Left$" finds Left. Nullptr for a name Access does not know as a function.
const FunctionType* findFunctionType(std::string_view name);

// The Dutch message for a call with the wrong number of arguments; nullopt when the count is right.
std::optional<std::string> argumentCountError(const FunctionType& type, int given);

}  // namespace querimo::sql
