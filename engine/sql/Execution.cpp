#include "sql/Execution.h"

#include <chrono>
#include <cmath>
#include <cstring>

#include "core/Error.h"
#include "core/StopSignal.h"
#include "core/Text.h"
#include "sql/AttachmentData.h"
#include "sql/Catalog.h"
#include "sql/JetModule.h"
#include "sql/ResultRows.h"
#include "sql/SqliteFailure.h"
#include "sql/SqliteValue.h"
#include "sql/TextCollation.h"
#include "sql/TopTiesCut.h"
#include "sql/functions/AccessFunctions.h"
#include "sql/functions/DateParse.h"

namespace querimo::sql {

namespace {

using t = DataType;

// A statement being stepped: one of its own, finalized afterwards, or a session's kept one, reset afterwards
// also when it failed or was stopped, so that it is ready for the next execution.
class Prepared {
public:
    Prepared(sqlite3* db, const std::string& sql) : db_(db), owned_(true)
    {
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
            failSqlite(db);
    }
    Prepared(Session& session, const CompiledQuery& compiled)
        : db_(session.handle()), stmt_(session.statement(compiled.sql, compiled.topTies))
    {}
    ~Prepared()
    {
        if (owned_) {
            sqlite3_finalize(stmt_);
        } else {
            sqlite3_reset(stmt_);
            sqlite3_clear_bindings(stmt_);
        }
    }
    Prepared(const Prepared&) = delete;
    Prepared& operator=(const Prepared&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    sqlite3* db() const { return db_; }
    bool step()
    {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        failSqlite(db_);
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool owned_ = false;
};

const std::optional<std::string>* findValue(const ParameterValues& values, const std::string& name)
{
    for (const auto& [n, v] : values)
        if (text::equalsIgnoreCase(n, name)) return &v;
    return nullptr;
}

void bindParameters(sqlite3_stmt* stmt, const std::vector<ParameterInfo>& parameters, const ParameterValues& values)
{
    for (const ParameterInfo& p : parameters) {
        const std::optional<std::string>* v = findValue(values, p.name);
        if (!v) throw DbError(errc::noValue, "Er is geen waarde opgegeven voor de parameter '" + p.name + "'.");
        bindValue(stmt, p.slot, parameterValue(p, *v));
    }
}

// Tells the rows read so far: at the first screenful, then every 50 ms; the clock is read every 64 rows.
class ArrivalReports {
public:
    explicit ArrivalReports(const RowsArriving* arriving)
        : grown_(arriving && arriving->grown ? &arriving->grown : nullptr)
    {}
    void rowAdded()
    {
        ++count_;
        if (!grown_) return;
        if (count_ == firstScreen || (count_ % 64 == 0 && clock::now() - last_ >= interval)) {
            (*grown_)(count_);
            reported_ = count_;
            last_ = clock::now();
        }
    }

    void lastRowRead()
    {
        if (grown_ && count_ != reported_) (*grown_)(count_);
    }

private:
    using clock = std::chrono::steady_clock;
    static constexpr std::size_t firstScreen = 256;
    static constexpr auto interval = std::chrono::milliseconds(50);

    const std::function<void(std::size_t)>* grown_;
    std::size_t count_ = 0;
    std::size_t reported_ = 0;
    clock::time_point last_ = clock::now();
};

RowBuffer readRows(Prepared& stmt, std::size_t columns, const std::optional<TopTies>& ties = std::nullopt)
{
    RowBuffer rows(columns, resultMemoryBudget());
    TopTiesCut cut(stmt.db(), ties, columns);
    while (stmt.step() && cut.wanted(stmt.get())) {
        rows.beginRow();
        for (std::size_t c = 0; c < columns; ++c) rows.addSqlite(sqlite3_column_value(stmt.get(), static_cast<int>(c)));
    }
    return rows;
}

}  // namespace

namespace {

[[noreturn]] void notConvertible(const ParameterInfo& p, const std::string& text)
{
    throw DbError(errc::typeMismatch, "De waarde '" + text + "' voor de parameter '" + p.name
                                          + "' kan niet worden omgezet naar het type " + dutchTypeName(p.dataType)
                                          + ".");
}

}  // namespace

Session::Session(jet::Database& database) : tables_(database), schemaVersion_(database.schemaVersion())
{
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(":memory:", &db_, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db_);
        throw DbError(errc::fail, "De query-uitvoering kon niet worden gestart (onvoldoende geheugen).");
    }
    // Every thousand steps SQLite asks whether the statement was stopped: sorts and joins that read no
    // page of ours stop too. The database holds the signal of the execution running now.
    sqlite3_progress_handler(
        db_, 1000,
        [](void* data) {
            const StopSignal* stop = static_cast<const jet::Database*>(data)->stopSignal();
            return stop && stop->requested() ? 1 : 0;
        },
        &database);
    registerJetModule(db_, tables_);
    registerAttachmentFunction(db_);
    registerTextCollation(db_, database.textOrder());
    registerAccessFunctions(db_);
}

Session::~Session()
{
    sqlite3_finalize(kept_);
    sqlite3_close(db_);
}

sqlite3_stmt* Session::statement(const std::string& sql, const std::optional<TopTies>& ties)
{
    if (kept_ && keptSql_ == sql && keptTies_ == ties) return kept_;
    sqlite3_finalize(kept_);
    kept_ = nullptr;
    keptSql_.clear();
    // The plan is made here.
    if (ties && !ties->onlyTable.empty()) tables_.setRowGoal(ties->count, ties->onlyTable);
    const int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &kept_, nullptr);
    tables_.setRowGoal(0, {});
    if (rc != SQLITE_OK) failSqlite(db_);
    keptSql_ = sql;
    keptTies_ = ties;
    return kept_;
}

Session& KeptSession::forExecution(jet::Database& database)
{
    if (!session_ || &session_->database() != &database || session_->schemaVersion() != database.schemaVersion()) {
        compiled_.reset();
        session_.reset();
        session_ = std::make_unique<Session>(database);
    }
    session_->forgetLoadedRows();
    return *session_;
}

ExecutionSession::ExecutionSession(Catalog& catalog, const Statement& statement, const ParameterValues& values,
                                   const CompiledQuery* compiled, KeptSession* kept)
    : session_(kept ? kept->forExecution(catalog.database()) : own_.emplace(catalog.database())),
      compiled_(compileForSession(session_, catalog, statement, values,
                                  kept && kept->compiled() ? kept->compiled() : compiled))
{
    if (kept && !(statement.query && statement.query->transform)) kept->keep(compiled_);
}

void Session::attach(const std::vector<std::string>& jetTables)
{
    for (const std::string& name : jetTables) {
        bool known = false;
        for (const std::string& a : attached_) known = known || text::equalsIgnoreCase(a, name);
        if (known) continue;
        std::string literal = "'";
        for (char c : name) literal += c == '\'' ? std::string("''") : std::string(1, c);
        literal += "'";
        const std::string sql =
            "CREATE VIRTUAL TABLE temp." + quoteIdentifier(sqliteTableName(name)) + " USING jet(" + literal + ")";
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "";
            sqlite3_free(error);
            throw DbError(errc::fail, "De tabel '" + name + "' kan niet worden gelezen: " + message);
        }
        attached_.push_back(name);
    }
}

CompiledQuery compileForSession(Session& session, Catalog& catalog, const Statement& statement,
                                const ParameterValues& values, const CompiledQuery* compiled)
{
    const bool reusable = compiled && compiled->schemaVersion == catalog.database().schemaVersion()
                          && !(statement.query && statement.query->transform);
    if (reusable) {
        session.attach(compiled->tables);
        CompiledQuery out = *compiled;
        for (ResultColumn& c : out.columns) c.dataType = reportedType(c.dataType);
        return out;
    }
    const PivotValues pivots = [&](const PivotQuery& q) {
        session.attach(q.tables);
        Prepared stmt(session.handle(), q.sql);
        bindParameters(stmt.get(), q.parameters, values);
        const RowBuffer rows = readRows(stmt, 1);
        std::vector<Value> out;
        for (std::size_t r = 0; r < rows.rowCount(); ++r) out.push_back(accessValue(rows.cell(r, 0), q.dataType));
        return out;
    };
    CompiledQuery out = compileStatement(statement, catalog, &pivots);
    session.attach(out.tables);
    for (ResultColumn& c : out.columns) c.dataType = reportedType(c.dataType);
    return out;
}

RowBuffer readResult(Session& session, const CompiledQuery& compiled, const ParameterValues& values)
{
    Prepared stmt(session, compiled);
    bindParameters(stmt.get(), compiled.parameters, values);
    return readRows(stmt, compiled.columns.size(), compiled.topTies);
}

QueryResult runQuery(jet::Database& database, const Statement& statement, const ParameterValues& values,
                     const CompiledQuery* prepared, KeptSession* kept, const RowsArriving* arriving)
{
    if (statement.kind != Statement::Kind::Select)
        throw DbError(errc::fail, "Een opdracht die gegevens of de structuur wijzigt, levert geen rijen op; voer haar "
                                  "uit als opdracht.");
    jet::ReadGuard read(database);
    Catalog catalog(database);
    ExecutionSession execution(catalog, statement, values, prepared, kept);
    const CompiledQuery& compiled = execution.compiled();
    std::vector<DataType> types;
    for (const ResultColumn& c : compiled.columns) types.push_back(c.dataType);
    auto rows = std::make_shared<ResultRows>(std::move(types), resultMemoryBudget());
    QueryResult result{compiled.columns, rows};
    try {
        Prepared stmt(execution.session(), compiled);
        bindParameters(stmt.get(), compiled.parameters, values);
        if (arriving && arriving->opened) arriving->opened(StatementResult{publicColumns(result.columns), rows, 0});
        ArrivalReports reports(arriving);
        TopTiesCut cut(stmt.db(), compiled.topTies, compiled.columns.size());
        while (stmt.step()) {
            // Whoever read the rows let go of them: nobody will see the rest.
            if (rows->unwanted()) throw statementStopped();
            if (!cut.wanted(stmt.get())) break;
            rows->append(stmt.get());
            reports.rowAdded();
        }
        reports.lastRowRead();
    } catch (const DbError& e) {
        rows->fail(e);
        throw;
    } catch (...) {
        // Whoever waits for the rows must not wait for ever.
        rows->fail(DbError(errc::fail, "De query kon niet worden uitgevoerd."));
        throw;
    }
    rows->finish();
    return result;
}

std::vector<Column> publicColumns(const std::vector<ResultColumn>& columns)
{
    std::vector<Column> out;
    for (const ResultColumn& c : columns) out.push_back({c.name, c.dataType});
    return out;
}

DataType reportedType(DataType dataType)
{
    return dataType == DataType::Empty ? t::VarWChar : dataType;
}

Value parameterValue(const ParameterInfo& p, const std::optional<std::string>& input)
{
    if (!input) return Value::null();
    const std::string& s = *input;
    switch (p.dataType) {
    case t::Boolean: {
        for (const char* yes : {"true", "yes", "on", "waar", "ja", "-1"})
            if (text::equalsIgnoreCase(s, yes)) return Value::boolean(true);
        for (const char* no : {"false", "no", "off", "onwaar", "nee", "0"})
            if (text::equalsIgnoreCase(s, no)) return Value::boolean(false);
        if (const auto n = parseRegionalNumber(s)) return Value::boolean(*n != 0);
        notConvertible(p, s);
    }
    case t::UnsignedTinyInt:
    case t::SmallInt:
    case t::Integer: {
        const auto n = parseRegionalNumber(s);
        if (!n) notConvertible(p, s);
        const double whole = std::nearbyint(*n);  // half to even, as Access rounds
        const double low = p.dataType == t::UnsignedTinyInt ? 0 : p.dataType == t::SmallInt ? -32768 : -2147483648.0;
        const double high = p.dataType == t::UnsignedTinyInt ? 255 : p.dataType == t::SmallInt ? 32767 : 2147483647.0;
        if (whole < low || whole > high) notConvertible(p, s);
        return Value::int32(static_cast<std::int32_t>(whole));
    }
    case t::Currency:
    case t::Single:
    case t::Double:
    case t::Numeric: {
        const auto n = parseRegionalNumber(s);
        if (!n) notConvertible(p, s);
        return Value::dbl(*n);
    }
    case t::Date: {
        const auto d = parseAccessDate(s);
        if (!d) notConvertible(p, s);
        return Value::dateTime(*d);
    }
    case t::VarBinary:
    case t::LongVarBinary: return Value::binary(s);
    default: return Value::text(s);
    }
}

}  // namespace querimo::sql
