// First, Last, StDev, StDevP, Var and VarP; Count, Sum, Avg, Min and Max are SQLite's own.
#include <cmath>
#include <new>

#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

// First and Last keep the value of the first and last row of the group, Null included.
struct Kept {
    sqlite3_value* value;
    bool seen;
};

template <bool keepLast>
void keepStep(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    auto* kept = static_cast<Kept*>(sqlite3_aggregate_context(ctx, sizeof(Kept)));
    if (!kept) return sqlite3_result_error_nomem(ctx);
    if (kept->seen && !keepLast) return;
    sqlite3_value* copy = sqlite3_value_dup(argv[0]);
    if (!copy) return sqlite3_result_error_nomem(ctx);
    sqlite3_value_free(kept->value);
    kept->value = copy;
    kept->seen = true;
}

void keepFinal(sqlite3_context* ctx)
{
    auto* kept = static_cast<Kept*>(sqlite3_aggregate_context(ctx, 0));
    if (!kept || !kept->seen) return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, kept->value);
    sqlite3_value_free(kept->value);
}

// Welford's running mean and sum of squared deviations; Null values are left out.
struct Spread {
    long long count;
    double mean;
    double squares;
};

void spreadStep(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    auto* s = static_cast<Spread*>(sqlite3_aggregate_context(ctx, sizeof(Spread)));
    if (!s) return sqlite3_result_error_nomem(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
    double x;
    try {
        x = Args(ctx, argc, argv, static_cast<const char*>(sqlite3_user_data(ctx))).number(0);
    } catch (const FunctionError& e) {
        return sqlite3_result_error(ctx, e.message.c_str(), -1);
    }
    ++s->count;
    const double delta = x - s->mean;
    s->mean += delta / static_cast<double>(s->count);
    s->squares += delta * (x - s->mean);
}

template <bool population, bool root>
void spreadFinal(sqlite3_context* ctx)
{
    auto* s = static_cast<Spread*>(sqlite3_aggregate_context(ctx, 0));
    const long long needed = population ? 1 : 2;
    if (!s || s->count < needed) return sqlite3_result_null(ctx);
    const double variance = s->squares / static_cast<double>(population ? s->count : s->count - 1);
    sqlite3_result_double(ctx, root ? std::sqrt(variance) : variance);
}

void addAggregate(sqlite3* db, const char* name, void* userData, void (*step)(sqlite3_context*, int, sqlite3_value**),
                  void (*final)(sqlite3_context*))
{
    sqlite3_create_function_v2(db, name, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, userData, nullptr, step, final,
                               nullptr);
}

}  // namespace

void registerAggregates(sqlite3* db)
{
    addAggregate(db, "acc_first", nullptr, keepStep<false>, keepFinal);
    addAggregate(db, "acc_last", nullptr, keepStep<true>, keepFinal);
    addAggregate(db, "acc_stdev", const_cast<char*>("StDev"), spreadStep, spreadFinal<false, true>);
    addAggregate(db, "acc_stdevp", const_cast<char*>("StDevP"), spreadStep, spreadFinal<true, true>);
    addAggregate(db, "acc_var", const_cast<char*>("Var"), spreadStep, spreadFinal<false, false>);
    addAggregate(db, "acc_varp", const_cast<char*>("VarP"), spreadStep, spreadFinal<true, false>);
}

}  // namespace querimo::sql::functions
