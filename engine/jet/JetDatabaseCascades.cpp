#include "jet/JetDatabase.h"

#include "jet/format/TableDefinitionLayout.h"

namespace querimo::jet {
namespace {

// A refusal inside a cascade, already worded with the relationship it came through.
class CascadeError : public DbError {
public:
    using DbError::DbError;
};

// Runs one step of a cascade; what refuses it fails the statement with the name of the relationship.
template <typename Work>
void throughRelationship(const Referrers& referrers, const std::string& referenced, Work work)
{
    try {
        work();
    } catch (const CascadeError&) {
        throw;
    } catch (const DbError& e) {
        if (e.number() == errc::cancelled) throw;  // a stop is no refusal of the relationship
        throw CascadeError(e.number(), "De relatie '" + referrers.relationship + "' tussen '" + referenced + "' en '"
                                           + referrers.table->def.name
                                           + "' kan de wijziging niet doorgeven: " + e.description());
    }
}

}  // namespace

void JetDatabase::followDeletion(const TableLayout& table, const std::vector<Value>& old)
{
    for (const Referrers& referrers : relationshipRules().referrers(table, old, nullptr)) {
        const TableDef& referring = referrers.table->def;
        for (const RowId row : referrers.rows) {
            if (removed_.count({referring.definitionPage, row})) continue;  // going already (a cycle, itself)
            if (referrers.deleteAction & cascadeDeletesAction) {
                throughRelationship(referrers, table.def.name, [&] { deleteRow(referring, row); });
            } else if (referrers.deleteAction & cascadeNullAction) {
                throughRelationship(referrers, table.def.name, [&] {
                    std::vector<Value> values = storedValues(referring, row);
                    for (const std::size_t column : referrers.columns) values.at(column) = Value::null();
                    updateRow(referring, row, std::move(values));
                });
            } else {
                throw stillReferenced(referrers, table.def.name);
            }
        }
    }
}

void JetDatabase::followUpdate(const TableLayout& table, const std::vector<Referrers>& following)
{
    for (const Referrers& referrers : following) {
        const TableDef& referring = referrers.table->def;
        for (const RowId row : referrers.rows)
            throughRelationship(referrers, table.def.name, [&] {
                std::vector<Value> values = storedValues(referring, row);
                auto& changed = cascaded_[{referring.definitionPage, row}];
                for (std::size_t k = 0; k < referrers.columns.size() && k < referrers.newKey.size(); ++k) {
                    Value& value = values.at(referrers.columns[k]);
                    changed.try_emplace(referrers.columns[k], value, Value()).first->second.second =
                        referrers.newKey[k];
                    value = referrers.newKey[k];
                }
                updateRow(referring, row, std::move(values));
            });
    }
}

}  // namespace querimo::jet
