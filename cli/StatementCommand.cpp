#include "StatementCommand.h"

#include <cmath>
#include <cstdio>

#include "RowWriter.h"
#include "ado/Command.h"
#include "core/Error.h"
#include "core/Text.h"
#include "core/ValueText.h"
#include "sql/Definition.h"
#include "sql/Parser.h"

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

void writeJson(ado::Recordset& rs, std::FILE* out)
{
    const auto& fields = rs.fieldInfo();
    std::string buffer = "[";
    for (std::size_t r = 0; r < rs.RecordCount(); ++r) {
        buffer += r == 0 ? "\n  {" : ",\n  {";
        for (std::size_t c = 0; c < fields.size(); ++c) {
            if (c > 0) buffer += ", ";
            appendJsonString(buffer, fields[c].name);
            buffer += ": ";
            appendJsonValue(buffer, rs.valueAt(r, c));
        }
        buffer += '}';
        if (buffer.size() > (1u << 16)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    buffer += rs.RecordCount() == 0 ? "]\n" : "\n]\n";
    if (std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size() || std::fflush(out) != 0)
        throw DbError(errc::fail, "De uitvoer kon niet worden geschreven.");
}

void writeRows(ado::Recordset& rs, RowWriter::Format format, std::FILE* out)
{
    RowWriter writer(out, format);
    const auto& fields = rs.fieldInfo();
    for (const auto& f : fields) writer.field(f.name);
    writer.endRow();
    for (std::size_t r = 0; r < rs.RecordCount(); ++r) {
        for (std::size_t c = 0; c < fields.size(); ++c) writer.value(rs.valueAt(r, c));
        writer.endRow();
    }
    writer.finish();
}

// The window's word for what an action statement did with its records.
const char* actionVerb(const std::string& statement)
{
    if (sql::isDefinitionStatement(statement)) return "verwerkt";
    switch (sql::parseStatement(statement).kind) {
    case sql::Statement::Kind::Insert: return "toegevoegd";
    case sql::Statement::Kind::Update: return "gewijzigd";
    case sql::Statement::Kind::Delete: return "verwijderd";
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
                  RowFormat format, std::FILE* out)
{
    ado::Command command;
    command.ActiveConnection = &connection;
    command.SetCommandText(statement);
    for (ado::Parameter& p : command.GetParameters().items()) {
        bool given = false;
        for (const auto& [name, value] : parameters)
            if (text::equalsIgnoreCase(name, p.Name)) {
                p.Value = value;
                given = true;
            }
        if (!given)
            throw DbError(errc::noValue, "De opdracht vraagt om de parameter '" + p.Name + "'; geef die met --param \""
                                             + p.Name + "=waarde\".");
    }
    long affected = 0;
    const std::shared_ptr<ado::Recordset> rs = command.Execute(&affected);
    if (!rs || rs->State() != ado::ObjectState::Open) {
        std::fprintf(out, "%ld %s %s\n", affected, affected == 1 ? "record" : "records", actionVerb(statement));
        return;
    }
    if (format == RowFormat::Json)
        writeJson(*rs, out);
    else
        writeRows(*rs, format == RowFormat::Csv ? RowWriter::Format::Csv : RowWriter::Format::Tab, out);
}

}  // namespace querimo::cli
