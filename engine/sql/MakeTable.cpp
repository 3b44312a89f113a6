#include "sql/MakeTable.h"

#include "core/Error.h"
#include "core/Text.h"
#include "sql/DataTypes.h"
#include "sql/Lexer.h"

namespace querimo::sql {

namespace {

using jet::ColumnType;

jet::ColumnDef columnFor(DataType dataType)
{
    // A result nothing types, a Null say, becomes a text field.
    const AccessType* access = accessTypeOf(dataType);
    const AccessType& type = access ? *access : accessType(ColumnType::Text);
    jet::ColumnDef c;
    c.type = type.jet;
    c.fixed = fixedLength(type.jet);
    c.size = type.jet == ColumnType::Binary ? 255 : type.size;
    if (type.jet == ColumnType::Decimal) {
        c.precision = 28;
        c.scale = 10;
    }
    return c;
}

}  // namespace

std::string newColumnName(const std::string& resultName)
{
    const auto dot = resultName.rfind('.');
    return dot == std::string::npos ? resultName : resultName.substr(dot + 1);
}

jet::TableDef makeTableDefinition(const std::string& name, const std::vector<ResultColumn>& columns,
                                  std::size_t position)
{
    jet::TableDef table;
    table.name = name;
    for (const ResultColumn& result : columns) {
        jet::ColumnDef c = columnFor(result.dataType);
        // A column taken over unchanged keeps its field size, as in Access; nothing else of it.
        if (result.origin && result.origin->type == c.type && result.origin->size > 0 && !jet::isLongValue(c.type)) {
            c.size = result.origin->size;
            c.precision = result.origin->precision;
            c.scale = result.origin->scale;
        }
        c.name = newColumnName(result.name);
        for (const jet::ColumnDef& other : table.columns)
            if (text::equalsIgnoreCase(other.name, c.name))
                throw DbError(errc::syntax, "De nieuwe tabel '" + name + "' zou twee velden '" + c.name
                                                + "' krijgen; geef een van beide een eigen naam met AS ("
                                                + atPosition(position) + ").");
        c.ordinal = static_cast<int>(table.columns.size()) + 1;
        table.columns.push_back(std::move(c));
    }
    return table;
}

}  // namespace querimo::sql
