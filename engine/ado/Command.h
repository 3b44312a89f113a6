#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ado/Connection.h"
#include "ado/Recordset.h"

namespace querimo::ado {

struct Parameter {
    std::string Name;
    std::optional<std::string> Value;    // the text the user typed; nullopt = Null
    DataType Type = DataType::VarWChar;  // declared type, or the type the context asks for
};

class Parameters {
public:
    std::size_t Count() const { return items_.size(); }
    Parameter& Item(std::size_t index) { return items_.at(index); }
    Parameter& Item(const std::string& name);  // ignores letter case; DbError when unknown
    std::vector<Parameter>& items() { return items_; }

private:
    std::vector<Parameter> items_;
};

// A statement (always text) on a connection. Setting the text parses and compiles it, so the parameters are
// known before Execute, which runs what was compiled.
class Command {
public:
    Connection* ActiveConnection = nullptr;

    void SetCommandText(const std::string& text);  // DbError when the statement cannot be parsed
    const std::string& CommandText() const { return text_; }
    Parameters& GetParameters() { return parameters_; }

    // Runs the statement. Returns an open record set for a query, a closed one otherwise.
    std::shared_ptr<Recordset> Execute(long* recordsAffected);

private:
    std::string text_;
    Parameters parameters_;
    std::shared_ptr<sql::PreparedStatement> prepared_;
};

}  // namespace querimo::ado
