#include "sql/functions/AccessFunctions.h"

#include <memory>
#include <new>
#include <string>

#include "core/Text.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/FunctionTypes.h"

namespace querimo::sql {

namespace {

using namespace functions;

// What one registered name needs at call time; owned by SQLite and freed with the connection.
struct Registered {
    ScalarFunction function;
    const FunctionType* type;  // null for operator helpers
    int operands;
    std::string displayName;
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
        Args args(ctx, argc, argv, r->displayName);
        r->function(args);
    } catch (const FunctionError& e) {
        sqlite3_result_error(ctx, e.message.c_str(), -1);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(ctx);
    }
}

void registerEntry(sqlite3* db, const ScalarEntry& entry)
{
    auto r = std::make_unique<Registered>();
    r->function = entry.function;
    std::string sqlName = "acc_";
    if (entry.operands) {
        r->operands = entry.operands;
        r->displayName = std::string(entry.name);
        sqlName += entry.sqlName;
    } else {
        r->type = findFunctionType(entry.name);
        r->displayName = std::string(entry.name);
        sqlName += text::toLower(entry.name);
    }
    const int flags = SQLITE_UTF8 | (entry.deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, sqlName.c_str(), -1, flags, r.release(), call, nullptr, nullptr,
                               [](void* p) { delete static_cast<Registered*>(p); });
}

}  // namespace

void registerAccessFunctions(sqlite3* db)
{
    for (const auto family : {operatorFunctions(), inspectionFunctions(), textFunctions(), conversionFunctions(),
                              mathFunctions(), dateFunctions(), dateIntervalFunctions(),
                              formatFunctions()})
        for (const ScalarEntry& entry : family) registerEntry(db, entry);
    registerAggregates(db);
}

}  // namespace querimo::sql
