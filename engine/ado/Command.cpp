#include "ado/Command.h"

#include "core/Error.h"
#include "core/Text.h"

namespace querimo::ado {

namespace {

jet::Database& openDatabase(const Connection* connection)
{
    if (!connection || connection->State() != ObjectState::Open || !connection->database())
        throw DbError(errc::fail, "De opdracht heeft geen geopende verbinding met een database.");
    return *connection->database();
}

}  // namespace

// Marks the command as executing while it lives, so that Cancel reaches this run and no later one.
class Command::ExecutingScope {
public:
    explicit ExecutingScope(Running& running) : running_(running)
    {
        const std::lock_guard lock(running_.mutex);
        running_.stop.clear();
        running_.executing = true;
    }
    ~ExecutingScope()
    {
        const std::lock_guard lock(running_.mutex);
        running_.executing = false;
    }
    ExecutingScope(const ExecutingScope&) = delete;
    ExecutingScope& operator=(const ExecutingScope&) = delete;

private:
    Running& running_;
};

Parameter& Parameters::Item(const std::string& name)
{
    for (Parameter& p : items_)
        if (text::equalsIgnoreCase(p.Name, name)) return p;
    throw DbError(errc::fail, "De parameter '" + name + "' bestaat niet in deze opdracht.");
}

void Command::SetCommandText(const std::string& text)
{
    text_ = text;
    parameters_.items().clear();
    prepared_.reset();
    prepared_ = std::make_shared<sql::PreparedStatement>(sql::prepare(openDatabase(ActiveConnection), text));
    for (const sql::Parameter& p : prepared_->parameters())
        parameters_.items().push_back({p.name, std::nullopt, p.type});
}

namespace {

std::shared_ptr<Recordset> recordsetOf(const sql::StatementResult& result)
{
    std::vector<FieldInfo> fields;
    for (const sql::Column& c : result.columns) fields.push_back({c.name, c.type, 0});
    return std::make_shared<Recordset>(std::move(fields), result.rows);
}

}  // namespace

std::shared_ptr<Recordset> Command::Execute(long* recordsAffected, const FetchEvents* events)
{
    if (recordsAffected) *recordsAffected = 0;
    jet::Database& database = openDatabase(ActiveConnection);
    // Prepared on another connection's database (or never): the text is prepared again here.
    if (!prepared_ || &prepared_->database() != &database)
        prepared_ = std::make_shared<sql::PreparedStatement>(sql::prepare(database, text_));
    sql::ParameterValues values;
    for (const Parameter& p : parameters_.items()) values.emplace_back(p.Name, p.Value);
    std::shared_ptr<Recordset> early;
    sql::RowsArriving arriving;
    if (events) {
        arriving.opened = [&](const sql::StatementResult& opened) {
            early = recordsetOf(opened);
            if (events->opened) events->opened(early);
        };
        arriving.grown = events->progress;
    }
    sql::StatementResult result = [&] {
        const ExecutingScope executing(*running_);
        return prepared_->execute(values, &running_->stop, events ? &arriving : nullptr);
    }();
    if (!result.rows) {
        if (recordsAffected) *recordsAffected = result.recordsAffected;
        return std::make_shared<Recordset>();
    }
    return early ? early : recordsetOf(result);
}

void Command::Cancel()
{
    const std::lock_guard lock(running_->mutex);
    if (running_->executing) running_->stop.request();
}

}  // namespace querimo::ado
