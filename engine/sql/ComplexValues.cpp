#include "sql/ComplexValues.h"

#include "core/Text.h"
#include "core/ValueText.h"

namespace querimo::sql {
namespace {

// The flat table's column a row shows: the file name of an attachment, else the (first) value.
std::string shownColumn(const jet::ComplexColumn& complex)
{
    for (const std::string& name : complex.valueColumns)
        if (complex.kind == jet::ComplexKind::Attachment && text::equalsIgnoreCase(name, "FileName")) return name;
    return complex.valueColumns.front();
}

}  // namespace

std::string complexIdColumn(std::string_view column)
{
    return "~id of " + std::string(column);
}

ComplexValues::ComplexValues(jet::Database& database, const jet::TableDef& table, const jet::ColumnDef& column)
{
    const jet::ComplexColumn complex = database.complexColumn(table, column);
    separator_ = complex.kind == jet::ComplexKind::MultiValue ? ", " : "; ";
    const jet::TableDef& flat = database.table(complex.flatTable);
    const auto position = [&](const std::string& name) {
        return static_cast<std::size_t>(flat.column(name) - flat.columns.data());
    };
    const std::size_t id = position(complex.valueIdColumn);
    const std::size_t shown = position(shownColumn(complex));
    auto scan = database.scan(flat, {id, shown});
    for (std::vector<Value> row; scan->next(row);)
        if (row[id].kind == Value::Kind::Long)
            items_[static_cast<std::int32_t>(row[id].integer)].push_back(exportText(row[shown]));
}

Value ComplexValues::value(std::int32_t id) const
{
    const auto found = items_.find(id);
    if (found == items_.end()) return Value::null();
    std::string out;
    for (std::size_t i = 0; i < found->second.size(); ++i) out += (i == 0 ? "" : separator_) + found->second[i];
    return Value::text(std::move(out));
}

}  // namespace querimo::sql
