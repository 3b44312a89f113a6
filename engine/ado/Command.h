#pragma once
#include <functional>
#include <memory>
#include <mutex>
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

// Tells, on the executing thread, of a query's record set while its rows are read (as ADO's asynchronous
// fetch does): the record set once, before its first row, then the rows read so far now and then.
struct FetchEvents {
    std::function<void(const std::shared_ptr<Recordset>&)> opened;
    std::function<void(std::size_t)> progress;
};

// A statement (always text) on a connection. Setting the text parses and compiles it, so the parameters are
// known before Execute, which runs what was compiled.
class Command {
public:
    Connection* ActiveConnection = nullptr;

    void SetCommandText(const std::string& text);  // DbError when the statement cannot be parsed
    const std::string& CommandText() const { return text_; }
    Parameters& GetParameters() { return parameters_; }

    // Runs the statement. Returns an open record set for a query, a closed one otherwise; `events`, when
    // given, gets a query's record set before its rows are all read. Cancel stops it with a DbError
    // (errc::cancelled); a record set handed out already then has no rows.
    std::shared_ptr<Recordset> Execute(long* recordsAffected, const FetchEvents* events = nullptr);
    // Stops the Execute running now on another thread: a query leaves no result, an action leaves the file as
    // it was. Safe from any thread; does nothing when no Execute runs.
    void Cancel();

private:
    struct Running {
        std::mutex mutex;
        bool executing = false;
        StopSignal stop;
    };
    class ExecutingScope;

    std::string text_;
    Parameters parameters_;
    std::shared_ptr<sql::PreparedStatement> prepared_;
    std::shared_ptr<Running> running_ = std::make_shared<Running>();
};

}  // namespace querimo::ado
