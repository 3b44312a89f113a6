#include "jet/catalog/RelationshipRules.h"

#include "jet/tables/IndexKey.h"
#include "jet/tables/IndexTree.h"

namespace querimo::jet {
namespace {

constexpr std::uint8_t referencedSide = 1;
constexpr std::uint8_t referringSide = 2;

// The values of an index's columns, in key order; empty when one is Null (such keys are not checked).
std::vector<Value> keyValues(const TableDef& table, const IndexDef& index, const std::vector<Value>& row)
{
    std::vector<Value> key;
    for (const IndexColumn& column : index.columns) {
        for (std::size_t position = 0; position < table.columns.size(); ++position)
            if (table.columns[position].number == column.columnNumber && position < row.size())
                key.push_back(row[position]);
        if (key.empty() || key.back().isNull()) return {};
    }
    return key;
}

}  // namespace

RelationshipRules::RelationshipRules(PageFile& file, const Format& format, LayoutAt layoutAt)
    : file_(file), format_(format), layoutAt_(std::move(layoutAt))
{}

void RelationshipRules::checkReferences(const TableLayout& table, const std::vector<Value>& values,
                                        const std::vector<Value>* before)
{
    for (std::size_t i = 0; i < table.logicalIndexes.size() && i < table.def.indexes.size(); ++i) {
        const LogicalIndexLayout& link = table.logicalIndexes[i];
        const IndexDef& index = table.def.indexes[i];
        if (link.relatedKind != referringSide || link.relatedTable == 0) continue;
        const std::vector<Value> key = keyValues(table.def, index, values);
        if (key.empty() || (before && keyValues(table.def, index, *before) == key)) continue;
        const TableLayout& referenced = layoutAt_(link.relatedTable);
        if (entries(referenced, link.relatedIndex, table, index, key).empty())
            throw DbError(errc::integrity, "De tabel '" + referenced.def.name
                                               + "' heeft geen record met de waarde die '" + table.def.name
                                               + "' noemt in de relatie via de index '" + index.name
                                               + "'; het record kan niet worden toegevoegd of gewijzigd");
    }
}

std::vector<Referrers> RelationshipRules::referrers(const TableLayout& table, const std::vector<Value>& old,
                                                    const std::vector<Value>* after)
{
    std::vector<Referrers> out;
    for (std::size_t i = 0; i < table.logicalIndexes.size() && i < table.def.indexes.size(); ++i) {
        const LogicalIndexLayout& link = table.logicalIndexes[i];
        const IndexDef& index = table.def.indexes[i];
        if (link.relatedKind != referencedSide || link.relatedTable == 0) continue;
        const std::vector<Value> key = keyValues(table.def, index, old);
        Referrers found;
        if (after) {
            found.newKey = keyValues(table.def, index, *after);
            if (found.newKey == key) continue;
            if (found.newKey.empty()) found.newKey.assign(index.columns.size(), Value::null());
        }
        if (key.empty()) continue;
        found.table = &layoutAt_(link.relatedTable);
        const TableLayout& referring = *found.table;
        for (const IndexEntry& entry : entries(referring, link.relatedIndex, table, index, key))
            found.rows.push_back(entry.dataPage << 8 | entry.dataRow);
        for (std::size_t j = 0; j < referring.logicalIndexes.size() && j < referring.def.indexes.size(); ++j) {
            if (referring.logicalIndexes[j].number != link.relatedIndex) continue;
            found.relationship = referring.def.indexes[j].name;
            found.updateAction = referring.logicalIndexes[j].updateAction;
            found.deleteAction = referring.logicalIndexes[j].deleteAction;
            for (const IndexColumn& column : referring.def.indexes[j].columns)
                for (std::size_t position = 0; position < referring.def.columns.size(); ++position)
                    if (referring.def.columns[position].number == column.columnNumber)
                        found.columns.push_back(position);
        }
        out.push_back(std::move(found));
    }
    return out;
}

DbError stillReferenced(const Referrers& referrers, const std::string& referenced)
{
    return DbError(errc::integrity, "De tabel '" + referrers.table->def.name
                                        + "' heeft records die naar dit record van '" + referenced
                                        + "' verwijzen (relatie '" + referrers.relationship
                                        + "'); het record kan niet worden verwijderd of gewijzigd");
}

// The entries of the index with this logical number on `other` that hold the key.
std::vector<IndexEntry> RelationshipRules::entries(const TableLayout& other, std::uint32_t logicalNumber,
                                                   const TableLayout& from, const IndexDef& index,
                                                   const std::vector<Value>& values)
{
    for (std::size_t j = 0; j < other.logicalIndexes.size() && j < other.realIndexOf.size(); ++j) {
        if (other.logicalIndexes[j].number != logicalNumber) continue;
        const RealIndexLayout& real = other.realIndexes.at(static_cast<std::size_t>(other.realIndexOf[j]));
        std::vector<KeyColumn> columns;
        for (const IndexColumn& column : real.columns) {
            const ColumnDef* def = other.def.columnByNumber(column.columnNumber);
            if (!def)
                throw DbError(errc::fail,
                              "Een index van de tabel '" + other.def.name + "' noemt een kolom die niet bestaat");
            columns.push_back(keyColumn(format_.version, other,
                                        static_cast<std::size_t>(def - other.def.columns.data()), column.ascending));
        }
        if (columns.size() != values.size()) break;
        const IndexKey key = encodeIndexKey(format_.version, columns, values);
        if (!key.encodable()) throw DbError(errc::fail, unencodableKeyMessage(key, index.name, from.def.name));
        return IndexTree(file_, format_.version, real.firstPage, IndexPageSource{}).find(key.bytes);
    }
    throw DbError(errc::fail, "De relatie via de index '" + index.name + "' van de tabel '" + from.def.name
                                  + "' verwijst naar een index die '" + other.def.name + "' niet heeft");
}

}  // namespace querimo::jet
