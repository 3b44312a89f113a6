#include <optional>

#include "core/Error.h"
#include "sql/Catalog.h"
#include "sql/Definition.h"
#include "sql/Execution.h"
#include "sql/Lexer.h"
#include "sql/Modification.h"
#include "sql/Parser.h"
#include "sql/Sql.h"

namespace querimo::sql {

struct PreparedStatement::State {
    explicit State(jet::Database& db) : database(db) {}
    jet::Database& database;
    StatementKind kind = StatementKind::Query;
    Statement statement;                   // all but data definition
    std::optional<Definition> definition;  // data definition
    std::optional<CompiledQuery> compiled;
    std::vector<Parameter> parameters;
    KeptSession kept;  // for queries and actions executed again
};

namespace {

StatementKind kindOf(const Statement& statement)
{
    switch (statement.kind) {
    case Statement::Kind::Select: return StatementKind::Query;
    case Statement::Kind::SelectInto: return StatementKind::MakeTable;
    case Statement::Kind::Insert: return StatementKind::Insert;
    case Statement::Kind::Update: return StatementKind::Update;
    case Statement::Kind::Delete: return StatementKind::Delete;
    default: return StatementKind::Definition;
    }
}

}  // namespace

PreparedStatement::PreparedStatement(std::unique_ptr<State> state) : state_(std::move(state)) {}
PreparedStatement::PreparedStatement(PreparedStatement&&) noexcept = default;
PreparedStatement& PreparedStatement::operator=(PreparedStatement&&) noexcept = default;
PreparedStatement::~PreparedStatement() = default;

StatementKind PreparedStatement::kind() const
{
    return state_->kind;
}

jet::Database& PreparedStatement::database() const
{
    return state_->database;
}

const std::vector<Parameter>& PreparedStatement::parameters() const
{
    return state_->parameters;
}

PreparedStatement prepare(jet::Database& database, std::string_view text)
{
    // Comments before the first word are allowed (scripts start with them); positions stay as typed.
    const std::string statementText = withoutLeadingComments(text);
    auto state = std::make_unique<PreparedStatement::State>(database);
    state->statement = parseStatement(statementText);
    state->kind = kindOf(state->statement);
    if (state->kind == StatementKind::Definition) {
        if (!state->statement.parameters.empty())
            throw DbError(errc::syntax, "Een opdracht voor gegevensdefinitie (CREATE, ALTER, DROP) kan geen "
                                        "PARAMETERS-declaratie hebben "
                                            + atPosition(state->statement.parameters.front().position) + ".");
        state->definition = parseDefinitionStatement(statementText);
        return PreparedStatement(std::move(state));
    }
    if (!state->statement.query) return PreparedStatement(std::move(state));
    jet::ReadGuard read(database);
    Catalog catalog(database);
    state->compiled = compileStatement(state->statement, catalog, nullptr);
    for (const ParameterInfo& p : state->compiled->parameters)
        state->parameters.push_back({p.name, reportedType(p.dataType)});
    return PreparedStatement(std::move(state));
}

StatementResult PreparedStatement::execute(const ParameterValues& values, const StopSignal* stop,
                                           const RowsArriving* arriving)
{
    State& s = *state_;
    const jet::StopScope stoppable(s.database, stop);
    StatementResult result;
    switch (s.kind) {
    case StatementKind::Definition: runDefinition(s.database, *s.definition); break;
    case StatementKind::Query: {
        QueryResult rows =
            runQuery(s.database, s.statement, values, s.compiled ? &*s.compiled : nullptr, &s.kept, arriving);
        result.columns = publicColumns(rows.columns);
        result.rows = std::move(rows.rows);
        break;
    }
    default:
        result.recordsAffected =
            runModification(s.database, s.statement, values, s.compiled ? &*s.compiled : nullptr, &s.kept);
        break;
    }
    return result;
}

StatementResult run(jet::Database& database, std::string_view text, const ParameterValues& values)
{
    return prepare(database, text).execute(values);
}

}  // namespace querimo::sql
