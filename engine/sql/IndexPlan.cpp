#include "sql/IndexPlan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "sql/Compiler.h"
#include "sql/IndexArgument.h"

namespace querimo::sql {

namespace {

// Costs in rows of a scan. A row read through an index may sit on another page than the row before: while
// the table's pages fit the page cache (about 50,000 rows of a narrow table) that costs a little more than a
// scanned row, beyond it more and more such rows are read from the file again (index_bench, walking orders
// in date order: about 1x a scanned row at 10,000 orders, 1.5x at 100,000, 3.7x at a million). SQLite's
// sort takes about a tenth of a scanned row per row and level (2x a scan at a million rows, 1.2x at 10,000).
constexpr double rowsInPageCache = 50000;
constexpr double rowInPageCache = 1.5;
constexpr double missesPerTwentyfold = 2.2;
constexpr double sortPerRowAndLevel = 0.1;
// A sort shows no row before its last input row is read, an index walk shows the first ones at once: the
// walk is preferred while it costs up to a tenth more. (At a million orders the walk takes about 1.15x the
// sort's time to the last row, and the sort keeps it.)
constexpr double firstRowsAtOnce = 0.9;
// Without statistics, each bound of a range is taken to keep a quarter of the rows, each character a Like
// pattern starts with a tenth.
constexpr double boundSelectivity = 0.25;
constexpr double characterSelectivity = 0.1;

bool isLower(unsigned char op)
{
    return op == SQLITE_INDEX_CONSTRAINT_GT || op == SQLITE_INDEX_CONSTRAINT_GE;
}

bool isUpper(unsigned char op)
{
    return op == SQLITE_INDEX_CONSTRAINT_LT || op == SQLITE_INDEX_CONSTRAINT_LE;
}

double rowThroughIndex(double tableRows)
{
    return rowInPageCache + missesPerTwentyfold * std::max(0.0, std::log(tableRows / rowsInPageCache) / std::log(20.0));
}

double sortCost(double rows)
{
    return rows * std::log2(rows + 1) * sortPerRowAndLevel;
}

struct Candidate {
    IndexPlan plan;
    std::vector<int> constraints;  // in argv order
    double cost = 0;
    double rows = 0;
    bool unique = false;
};

// The columns of an index as positions in the table's column list; empty when one is missing or unusable.
std::vector<int> keyPositions(const jet::TableDef& table, const jet::IndexDef& index)
{
    std::vector<int> positions;
    for (const jet::IndexColumn& column : index.columns) {
        const jet::ColumnDef* def = table.columnByNumber(column.columnNumber);
        if (!def || !seekableType(def->type)) return {};
        positions.push_back(static_cast<int>(def - table.columns.data()));
    }
    return positions;
}

int findConstraint(sqlite3_index_info* info, int column, bool (*accepts)(unsigned char), bool collated = false)
{
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (!c.usable || c.iColumn != column || !accepts(c.op)) continue;
        const char* collation = collated ? sqlite3_vtab_collation(info, i) : nullptr;
        if (!collated || (collation && std::strcmp(collation, textCollation) == 0)) return i;
    }
    return -1;
}

// Whether the column's index keys order as the statement's text collation does: then they serve ranges and
// ORDER BY. A Memo's keys stop after 255 characters, where the collation goes on.
bool keysOrderText(jet::Database& database, const jet::TableDef& table, int position)
{
    const auto column = static_cast<std::size_t>(position);
    const jet::TextOrder order = database.textOrder();
    return table.columns[column].type == jet::ColumnType::Text && order != jet::TextOrder::Unknown
           && database.textOrder(table, column) == order;
}

// The share of rows a Like constraint keeps when its start is sought; 1 when the pattern is known to begin
// with a wildcard (a seek gains nothing then).
double likeSelectivity(sqlite3_index_info* info, int constraint)
{
    sqlite3_value* pattern = nullptr;
    if (sqlite3_vtab_rhs_value(info, constraint, &pattern) != SQLITE_OK || !pattern)
        return boundSelectivity * boundSelectivity;  // a parameter: known only when the statement runs
    if (sqlite3_value_type(pattern) != SQLITE_TEXT) return 1;
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(pattern));
    const std::string_view start =
        literalStart(std::string_view(p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(pattern))));
    return std::pow(characterSelectivity, static_cast<double>(std::min<std::size_t>(start.size(), 6)));
}

// Whether the ORDER BY is the index's order after its equal columns, walked forwards (false) or, with every
// term the other way round, backwards (true); nullopt when it is neither. A text column may be its last term
// only: the cursor puts rows with equal keys in the collation's order (OrderedTies), which a later term would
// have to follow too.
std::optional<bool> walkForOrder(jet::Database& database, const jet::TableDef& table, const jet::IndexDef& index,
                                 const std::vector<int>& positions, std::size_t equal, const sqlite3_index_info* info)
{
    if (info->nOrderBy == 0 || equal + static_cast<std::size_t>(info->nOrderBy) > positions.size()) return std::nullopt;
    const bool backward = info->aOrderBy[0].desc == index.columns[equal].ascending;
    for (int j = 0; j < info->nOrderBy; ++j) {
        const std::size_t k = equal + static_cast<std::size_t>(j);
        const auto& order = info->aOrderBy[j];
        if (order.iColumn != positions[k] || (order.desc == index.columns[k].ascending) != backward)
            return std::nullopt;
        const bool last = j + 1 == info->nOrderBy;
        if (!orderedLikeSqlite(table.columns[static_cast<std::size_t>(positions[k])].type)
            && !(last && keysOrderText(database, table, positions[k])))
            return std::nullopt;
    }
    return backward;
}

// The share of the index's rows a plan keeps, looked up in the index when SQLite knows every value now.
std::optional<double> measuredShare(jet::Database& database, const jet::TableDef& table, const Candidate& c,
                                    sqlite3_index_info* info)
{
    std::vector<sqlite3_value*> values;
    for (const int constraint : c.constraints) {
        sqlite3_value* value = nullptr;
        if (sqlite3_vtab_rhs_value(info, constraint, &value) != SQLITE_OK || !value) return std::nullopt;
        values.push_back(value);
    }
    const Seek seek = seekFor(table, c.plan, static_cast<int>(values.size()), values.data());
    if (seek.kind == Seek::Kind::NoRows) return 0.0;
    if (seek.kind != Seek::Kind::Range) return std::nullopt;
    return database.shareOf(table, static_cast<std::size_t>(c.plan.index), seek.range);
}

// The rows an ordered read gets to before it has the goal's: more where conditions it does not serve pass
// over rows, each taken to keep a quarter of them.
double rowsToGoal(const Candidate& c, const sqlite3_index_info* info, std::size_t rowGoal)
{
    if (c.plan.ordered == 0 || rowGoal == 0) return c.rows;
    double read = static_cast<double>(rowGoal);
    for (int i = 0; i < info->nConstraint; ++i)
        if (info->aConstraint[i].usable
            && std::find(c.constraints.begin(), c.constraints.end(), i) == c.constraints.end())
            read /= boundSelectivity;
    return std::min(c.rows, read);
}

std::optional<Candidate> candidate(jet::Database& database, const jet::TableDef& table, int number,
                                   sqlite3_index_info* info, double rows, std::size_t rowGoal)
{
    const jet::IndexDef& index = table.indexes[static_cast<std::size_t>(number)];
    const std::vector<int> positions = keyPositions(table, index);
    if (positions.empty()) return std::nullopt;
    Candidate c;
    c.plan.index = number;
    bool in = false;
    for (const int position : positions) {
        const int eq =
            findConstraint(info, position, [](unsigned char op) { return op == SQLITE_INDEX_CONSTRAINT_EQ; });
        if (eq < 0) break;
        in = in || sqlite3_vtab_in(info, eq, -1);
        c.constraints.push_back(eq);
        ++c.plan.equal;
    }
    const auto equal = static_cast<std::size_t>(c.plan.equal);
    double likeShare = 1;
    const bool more = equal < positions.size();
    const jet::ColumnType next =
        more ? table.columns[static_cast<std::size_t>(positions[equal])].type : jet::ColumnType{};
    const bool textRanges = more && textType(next) && keysOrderText(database, table, positions[equal]);
    if (more && (orderedLikeSqlite(next) || textRanges)) {
        const int lower = findConstraint(info, positions[equal], isLower, textRanges);
        const int upper = findConstraint(info, positions[equal], isUpper, textRanges);
        if (lower >= 0) c.constraints.push_back(lower);
        if (upper >= 0) c.constraints.push_back(upper);
        c.plan.from = lower >= 0;
        c.plan.to = upper >= 0;
    }
    if (more && textType(next) && !c.plan.from && !c.plan.to) {
        const int like = findConstraint(info, positions[equal], [](unsigned char op) { return op == likeConstraint; });
        if (like >= 0) likeShare = likeSelectivity(info, like);
        if (likeShare < 1) {
            c.constraints.push_back(like);
            c.plan.like = true;
        }
    }
    const std::optional<bool> backward =
        in ? std::nullopt : walkForOrder(database, table, index, positions, equal, info);
    c.plan.ordered = backward ? info->nOrderBy : 0;
    c.plan.backward = backward.value_or(false);
    const bool constrained = !c.constraints.empty();
    if (!constrained && c.plan.ordered == 0) return std::nullopt;
    // An index that ignores Nulls lacks the rows with Null in its key: only constraints on every key column,
    // which Null never meets, make it whole.
    const std::size_t covered = equal + (c.plan.from || c.plan.to || c.plan.like ? 1 : 0);
    if (index.ignoreNulls && covered < positions.size()) return std::nullopt;
    c.unique = index.unique && equal == positions.size();
    // Equal leading columns: of n key columns each takes a like share of the rows' spread, the last one
    // of a unique index all that remains.
    const double shares = static_cast<double>(positions.size()) + (index.unique ? 0 : 1);
    c.rows = c.unique ? 1 : std::pow(rows, 1 - static_cast<double>(equal) / shares);
    if (c.plan.from) c.rows *= boundSelectivity;
    if (c.plan.to) c.rows *= boundSelectivity;
    c.rows *= likeShare;
    if (!c.unique && constrained)
        if (const std::optional<double> share = measuredShare(database, table, c, info)) c.rows = *share * rows;
    c.rows = std::max(c.rows, 1.0);
    c.cost = 1 + std::log2(rows + 1) + rowsToGoal(c, info, rowGoal) * rowThroughIndex(rows);
    // SQLite sorts what the index does not give in order.
    if (info->nOrderBy > 0 && c.plan.ordered == 0) c.cost += sortCost(c.rows);
    if (c.plan.ordered > 0) c.cost *= firstRowsAtOnce;
    return c;
}

}  // namespace

std::string IndexPlan::text() const
{
    return std::to_string(index) + " " + std::to_string(equal) + " " + (from ? "1" : "0") + " " + (to ? "1" : "0") + " "
           + (like ? "1" : "0") + " " + std::to_string(ordered) + " " + (backward ? "1" : "0");
}

IndexPlan IndexPlan::parse(const char* text)
{
    if (!text) return IndexPlan{};
    const char* at = text;
    const char* end = text + std::strlen(text);
    int numbers[7] = {};
    for (int& n : numbers) {
        while (at < end && *at == ' ') ++at;
        const auto [next, error] = std::from_chars(at, end, n);
        if (error != std::errc()) return IndexPlan{};
        at = next;
    }
    IndexPlan plan;
    plan.index = numbers[0];
    plan.equal = numbers[1];
    plan.from = numbers[2] != 0;
    plan.to = numbers[3] != 0;
    plan.like = numbers[4] != 0;
    plan.ordered = numbers[5];
    plan.backward = numbers[6] != 0;
    return plan;
}

bool offerIndex(jet::Database& database, const jet::TableDef& table, sqlite3_index_info* info, std::size_t rowGoal)
{
    const double rows = std::max<double>(table.rowCount, 1);
    std::optional<Candidate> best;
    for (std::size_t i = 0; i < table.indexes.size(); ++i) {
        auto c = candidate(database, table, static_cast<int>(i), info, rows, rowGoal);
        if (c && (!best || c->cost < best->cost)) best = std::move(c);
    }
    const double scanCost = info->estimatedCost + (info->nOrderBy > 0 ? sortCost(rows) : 0);
    if (!best || best->cost >= scanCost) return false;
    info->idxNum = -1;
    info->idxStr = sqlite3_mprintf("%s", best->plan.text().c_str());
    info->needToFreeIdxStr = 1;
    for (std::size_t k = 0; k < best->constraints.size(); ++k) {
        auto& usage = info->aConstraintUsage[best->constraints[k]];
        usage.argvIndex = static_cast<int>(k) + 1;
        usage.omit = 0;  // SQLite compares again: keys ignore case and trailing spaces, bounds are loosened
    }
    info->orderByConsumed = best->plan.ordered > 0 ? 1 : 0;
    info->estimatedCost = best->cost;
    info->estimatedRows = static_cast<sqlite3_int64>(best->rows);
    if (best->unique) info->idxFlags |= SQLITE_INDEX_SCAN_UNIQUE;
    return true;
}

std::vector<int> planKeyPositions(const jet::TableDef& table, const IndexPlan& plan)
{
    if (plan.index < 0 || static_cast<std::size_t>(plan.index) >= table.indexes.size()) return {};
    return keyPositions(table, table.indexes[static_cast<std::size_t>(plan.index)]);
}

Seek seekFor(const jet::TableDef& table, const IndexPlan& plan, int argc, sqlite3_value** argv)
{
    Seek seek;
    seekFor(table, plan, planKeyPositions(table, plan), argc, argv, seek);
    return seek;
}

void seekFor(const jet::TableDef& table, const IndexPlan& plan, const std::vector<int>& positions, int argc,
             sqlite3_value** argv, Seek& seek)
{
    seek.kind = Seek::Kind::Scan;
    seek.range.equal.clear();
    seek.range.from.reset();
    seek.range.to.reset();
    seek.range.fromInclusive = seek.range.toInclusive = true;
    seek.range.startsWith.reset();
    const auto none = [&] {
        seek.kind = Seek::Kind::NoRows;
        seek.range.equal.clear();
    };
    const int expected = plan.equal + (plan.from ? 1 : 0) + (plan.to ? 1 : 0) + (plan.like ? 1 : 0);
    const int valued = plan.equal + (plan.from || plan.to || plan.like ? 1 : 0);
    if (plan.index < 0 || static_cast<std::size_t>(plan.index) >= table.indexes.size()) return;
    if (argc != expected || positions.size() < static_cast<std::size_t>(valued)) return;
    const auto typeAt = [&](int k) {
        return table.columns[static_cast<std::size_t>(positions[static_cast<std::size_t>(k)])].type;
    };
    int arg = 0;
    for (; arg < plan.equal; ++arg) {
        IndexArgument a = indexArgument(typeAt(arg), argv[arg], Side::Equal);
        if (a.fit == IndexArgument::Fit::Nothing) return none();
        if (a.fit != IndexArgument::Fit::Key) return;
        seek.range.equal.push_back(std::move(a.value));
    }
    const auto bound = [&](Side side, std::optional<Value>& into) {
        IndexArgument a = indexArgument(typeAt(plan.equal), argv[arg++], side);
        if (a.fit == IndexArgument::Fit::Key) into = std::move(a.value);
        return a.fit;
    };
    for (const auto& [wanted, side, into] :
         {std::tuple{plan.from, Side::Lower, &seek.range.from}, std::tuple{plan.to, Side::Upper, &seek.range.to}}) {
        if (!wanted) continue;
        const IndexArgument::Fit fit = bound(side, *into);
        if (fit == IndexArgument::Fit::Nothing) return none();
        if (fit == IndexArgument::Fit::Unusable) return;
    }
    if (plan.like) {
        sqlite3_value* pattern = argv[arg];
        if (sqlite3_value_type(pattern) == SQLITE_NULL) return none();
        if (sqlite3_value_type(pattern) != SQLITE_TEXT) return;
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(pattern));
        const std::string_view start =
            literalStart(std::string_view(p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(pattern))));
        if (start.empty()) return;
        seek.range.startsWith = std::string(start);
    }
    seek.kind = Seek::Kind::Range;
}

}  // namespace querimo::sql
