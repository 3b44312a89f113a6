#include "StatementCommand.h"

#include <cmath>
#include <cstdio>

#include "RowWriter.h"
#include "StatementStop.h"
#include "core/Error.h"
#include "core/Text.h"
#include "core/ValueText.h"
#include "sql/Sql.h"

namespace querimo::cli {

namespace {

void appendJsonString(std::string& out, std::string_view s)
{
    out += '"';
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendJsonValue(std::string& out, const Value& v)
{
    switch (v.kind) {
    case Value::Kind::Null: out += "null"; return;
    case Value::Kind::Boolean: out += v.integer ? "true" : "false"; return;
    case Value::Kind::Byte:
    case Value::Kind::Integer:
    case Value::Kind::Long:
    case Value::Kind::BigInt:
    case Value::Kind::Currency:
    case Value::Kind::Decimal: out += exportText(v); return;
    case Value::Kind::Single:
    case Value::Kind::Double:
        if (std::isfinite(v.real))
            out += exportText(v);
        else
            out += "null";
        return;
    default: appendJsonString(out, exportText(v)); return;
    }
}

void writeJson(const sql::StatementResult& result, std::FILE* out)
{
    const auto& fields = result.columns;
    const std::size_t rows = result.rows->rowCount();
    std::string buffer = "[";
    for (std::size_t r = 0; r < rows; ++r) {
        buffer += r == 0 ? "\n  {" : ",\n  {";
        for (std::size_t c = 0; c < fields.size(); ++c) {
            if (c > 0) buffer += ", ";
            appendJsonString(buffer, fields[c].name);
            buffer += ": ";
            appendJsonValue(buffer, result.rows->value(r, c));
        }
        buffer += '}';
        if (buffer.size() > (1u << 16)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    buffer += rows == 0 ? "]\n" : "\n]\n";
    if (std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size() || std::fflush(out) != 0)
        throw DbError(errc::fail, "De uitvoer kon niet worden geschreven.");
}

void writeRows(const sql::StatementResult& result, RowWriter::Format format, std::FILE* out)
{
    RowWriter writer(out, format);
    const auto& fields = result.columns;
    for (const auto& f : fields) writer.field(f.name);
    writer.endRow();
    for (std::size_t r = 0; r < result.rows->rowCount(); ++r) {
        for (std::size_t c = 0; c < fields.size(); ++c) writer.value(result.rows->value(r, c));
        writer.endRow();
    }
    writer.finish();
}

// The window's word for what an action statement did with its records.
const char* actionVerb(sql::StatementKind kind)
{
    switch (kind) {
    case sql::StatementKind::Insert: return "toegevoegd";
    case sql::StatementKind::Update: return "gewijzigd";
    case sql::StatementKind::Delete: return "verwijderd";
    default: return "verwerkt";
    }
}

}  // namespace

std::string readStandardInput()
{
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) text.append(buffer, n);
    return text;
}

void runStatement(ado::Connection& connection, const std::string& statement, const StatementParameters& parameters,
                  RowFormat format, std::FILE* out, double timeoutSeconds)
{
    if (!connection.database()) throw DbError(errc::fail, "Er is geen database geopend.");
    sql::PreparedStatement prepared = sql::prepare(*connection.database(), statement);
    sql::ParameterValues values;
    for (const sql::Parameter& p : prepared.parameters()) {
        bool given = false;
        for (const auto& [name, value] : parameters)
            if (text::equalsIgnoreCase(name, p.name)) {
                values.emplace_back(p.name, value);
                given = true;
            }
        if (!given)
            throw DbError(errc::noValue, "De opdracht vraagt om de parameter '" + p.name + "'; geef die met --param \""
                                             + p.name + "=waarde\".");
    }
    const sql::StatementResult result = [&] {
        RunningStatement running(timeoutSeconds);
        try {
            return prepared.execute(values, running.signal());
        } catch (const DbError& e) {
            if (e.number() != errc::cancelled || !running.timedOut()) throw;
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%g", timeoutSeconds);
            throw DbError(errc::cancelled, std::string("De query is afgebroken: ze liep langer dan ") + seconds
                                               + (timeoutSeconds == 1 ? " seconde" : " seconden") + " (--timeout).");
        }
    }();
    if (!result.rows) {
        const long affected = result.recordsAffected;
        std::fprintf(out, "%ld %s %s\n", affected, affected == 1 ? "record" : "records", actionVerb(prepared.kind()));
        return;
    }
    if (format == RowFormat::Json)
        writeJson(result, out);
    else
        writeRows(result, format == RowFormat::Csv ? RowWriter::Format::Csv : RowWriter::Format::Tab, out);
}

}  // namespace querimo::cli
