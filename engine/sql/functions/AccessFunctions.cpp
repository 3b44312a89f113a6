#include "sql/functions/AccessFunctions.h"

#include <new>
#include <string>
#include <vector>

#include "core/Text.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/FunctionTypes.h"

namespace querimo::sql {

namespace {

using namespace functions;

// What one registered name needs at call time. Made once per process: a connection only points at it.
struct Registered {
    ScalarFunction function;
    const FunctionType* type;  // null for operator helpers
    int operands;
    std::string displayName;
    std::string sqlName;
    int flags;
};

void call(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const auto* r = static_cast<const Registered*>(sqlite3_user_data(ctx));
    try {
        if (r->type) {
            if (const auto message = argumentCountError(*r->type, argc)) throw FunctionError{*message};
        } else if (argc != r->operands) {
            throw FunctionError{"Verkeerd aantal operanden voor " + r->displayName};
        }
        Args args(ctx, argc, argv, r->displayName, r->type == nullptr);
        r->function(args);
    } catch (const FunctionError& e) {
        sqlite3_result_error(ctx, e.message.c_str(), -1);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(ctx);
    }
}

Registered registration(const ScalarEntry& entry)
{
    Registered r{entry.function, nullptr, entry.operands, std::string(entry.name), "acc_", SQLITE_UTF8};
    if (entry.operands) {
        r.sqlName += entry.sqlName;
    } else {
        r.type = findFunctionType(entry.name);
        r.sqlName += text::toLower(entry.name);
    }
    if (entry.deterministic) r.flags |= SQLITE_DETERMINISTIC;
    return r;
}

const std::vector<Registered>& registrations()
{
    static const std::vector<Registered> all = [] {
        std::vector<Registered> out;
        for (const auto family :
             {operatorFunctions(), inspectionFunctions(), textFunctions(), characterFunctions(), conversionFunctions(),
              mathFunctions(), dateFunctions(), dateIntervalFunctions(), formatFunctions(), regionalFormatFunctions(),
              financialFunctions(), partitionFunctions(), colourFunctions()})
            for (const ScalarEntry& entry : family) out.push_back(registration(entry));
        return out;
    }();
    return all;
}

}  // namespace

void registerAccessFunctions(sqlite3* db)
{
    for (const Registered& r : registrations())
        sqlite3_create_function_v2(db, r.sqlName.c_str(), -1, r.flags, const_cast<Registered*>(&r), call, nullptr,
                                   nullptr, nullptr);
    registerAggregates(db);
}

bool findAccessFunction(std::string_view sqlName, void (**function)(sqlite3_context*, int, sqlite3_value**),
                        void** data)
{
    for (const Registered& r : registrations())
        if (r.sqlName == sqlName) {
            *function = call;
            *data = const_cast<Registered*>(&r);
            return true;
        }
    return false;
}

}  // namespace querimo::sql
