#include "ado/Command.h"

#include "core/Error.h"
#include "core/Text.h"
#include "sql/Definition.h"
#include "sql/Execution.h"
#include "sql/Modification.h"
#include "sql/Parser.h"

namespace querimo::ado {

namespace {

jet::Database& openDatabase(const Connection* connection)
{
    if (!connection || connection->State() != ObjectState::Open || !connection->database())
        throw DbError(errc::fail, "De opdracht heeft geen geopende verbinding met een database.");
    return *connection->database();
}

}  // namespace

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
    jet::Database& database = openDatabase(ActiveConnection);
    if (sql::isDefinitionStatement(text)) return;
    const sql::Statement statement = sql::parseStatement(text);
    if (!statement.query) return;
    for (const sql::ParameterInfo& p : sql::statementParameters(database, statement))
        parameters_.items().push_back({p.name, std::nullopt, sql::reportedType(p.adoType)});
}

std::shared_ptr<Recordset> Command::Execute(long* recordsAffected)
{
    if (recordsAffected) *recordsAffected = 0;
    jet::Database& database = openDatabase(ActiveConnection);
    if (sql::isDefinitionStatement(text_)) {
        sql::runDefinition(database, text_);
        return std::make_shared<Recordset>();
    }
    const sql::Statement statement = sql::parseStatement(text_);
    sql::ParameterValues values;
    for (const Parameter& p : parameters_.items()) values.emplace_back(p.Name, p.Value);
    if (statement.kind != sql::Statement::Kind::Select) {
        const long affected = sql::runModification(database, statement, values);
        if (recordsAffected) *recordsAffected = affected;
        return std::make_shared<Recordset>();
    }
    sql::QueryResult result = sql::runQuery(database, statement, values);
    std::vector<FieldInfo> fields;
    for (const sql::ResultColumn& c : result.columns) fields.push_back({c.name, c.adoType, 0});
    return std::make_shared<Recordset>(std::move(fields), std::move(result.rows));
}

}  // namespace querimo::ado
