#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "RowWriter.h"
#include "jet/Database.h"
#include "sql/DataTypes.h"

namespace querimo::cli {

namespace {

std::string fieldText(ado::Recordset& rs, const char* name)
{
    return rs.GetFields().Item(name).GetValue().bytes;
}

std::string fieldNumber(ado::Recordset& rs, const char* name)
{
    return std::to_string(rs.GetFields().Item(name).GetValue().integer);
}

std::string joinedFlags(const jet::IndexDef& index)
{
    std::string flags;
    auto add = [&](bool on, const char* word) {
        if (!on) return;
        if (!flags.empty()) flags += ',';
        flags += word;
    };
    add(index.primaryKey, "primary");
    add(index.unique, "unique");
    add(index.ignoreNulls, "ignorenulls");
    add(index.foreignKey, "foreign");
    return flags;
}

}  // namespace

void listTables(ado::Connection& connection, std::FILE* out)
{
    auto rs = connection.OpenSchema(ado::adSchemaTables, {});
    RowWriter writer(out, RowWriter::Format::Tab);
    for (; !rs->Eof(); rs->MoveNext()) {
        writer.field(fieldText(*rs, "TABLE_NAME"));
        writer.field(fieldText(*rs, "TABLE_TYPE"));
        writer.endRow();
    }
    writer.finish();
}

void listColumns(ado::Connection& connection, const std::string& table, std::FILE* out)
{
    const jet::TableDef& def = connection.database()->table(table);
    // Restrictions of the columns rowset: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME.
    auto rs = connection.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, def.name});
    RowWriter writer(out, RowWriter::Format::Tab);
    for (; !rs->Eof(); rs->MoveNext()) {
        const std::string name = fieldText(*rs, "COLUMN_NAME");
        const jet::ColumnDef* column = def.column(name);
        writer.field(name);
        writer.field(fieldNumber(*rs, "DATA_TYPE"));
        writer.field(column ? sql::accessType(column->type).dutchName : "");
        writer.field(fieldNumber(*rs, "ORDINAL_POSITION"));
        writer.field(fieldText(*rs, "COLUMN_EXPRESSION"));
        writer.endRow();
    }
    writer.finish();
}

void listIndexes(ado::Connection& connection, const std::string& table, std::FILE* out)
{
    const jet::TableDef& def = connection.database()->table(table);
    RowWriter writer(out, RowWriter::Format::Tab);
    for (const jet::IndexDef& index : def.indexes) {
        std::string columns;
        for (const jet::IndexColumn& key : index.columns) {
            const jet::ColumnDef* column = def.columnByNumber(key.columnNumber);
            if (!columns.empty()) columns += ',';
            columns += column ? column->name : "#" + std::to_string(key.columnNumber);
            if (!key.ascending) columns += " DESC";
        }
        writer.field(index.name);
        writer.field(columns);
        writer.field(joinedFlags(index));
        writer.endRow();
    }
    writer.finish();
}

}  // namespace querimo::cli
