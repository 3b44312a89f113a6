#include "sql/MakeTable.h"

#include "ado/Recordset.h"
#include "core/Error.h"
#include "core/Text.h"
#include "sql/Lexer.h"

namespace querimo::sql {

namespace {

namespace t = ado::adtype;
using jet::ColumnType;

jet::ColumnDef columnFor(int adoType)
{
    jet::ColumnDef c;
    c.fixed = true;
    switch (adoType) {
    case t::Boolean:
        c.type = ColumnType::Boolean;
        c.size = 1;
        break;
    case t::UnsignedTinyInt:
        c.type = ColumnType::Byte;
        c.size = 1;
        break;
    case t::SmallInt:
        c.type = ColumnType::Integer;
        c.size = 2;
        break;
    case t::Integer:
        c.type = ColumnType::Long;
        c.size = 4;
        break;
    case t::Currency:
        c.type = ColumnType::Currency;
        c.size = 8;
        break;
    case t::Single:
        c.type = ColumnType::Single;
        c.size = 4;
        break;
    case t::Double:
        c.type = ColumnType::Double;
        c.size = 8;
        break;
    case t::Date:
        c.type = ColumnType::DateTime;
        c.size = 8;
        break;
    case t::Guid:
        c.type = ColumnType::Guid;
        c.size = 16;
        break;
    case t::Numeric:
        c.type = ColumnType::Decimal;
        c.size = 17;
        c.precision = 28;
        c.scale = 10;
        break;
    case t::LongVarWChar:
        c.type = ColumnType::Memo;
        c.fixed = false;
        break;
    case t::VarBinary:
        c.type = ColumnType::Binary;
        c.size = 255;
        c.fixed = false;
        break;
    case t::LongVarBinary:
        c.type = ColumnType::OleObject;
        c.fixed = false;
        break;
    default:
        c.type = ColumnType::Text;
        c.size = 255;
        c.fixed = false;
        break;
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
        jet::ColumnDef c = columnFor(result.adoType);
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
