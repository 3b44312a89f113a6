#include "jet/tables/IndexWriter.h"

#include <algorithm>

#include "core/Error.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/pages/Corruption.h"
#include "jet/pages/UsageMapWriter.h"
#include "jet/tables/IndexBulkLoad.h"
#include "jet/tables/IndexKey.h"
#include "jet/tables/IndexTree.h"

namespace querimo::jet {

namespace {

// A row's key for one real index, with what the rules need to know about its Nulls.
struct RowKey {
    IndexKey key;
    int nulls = 0;
    std::string firstNullColumn;
    bool allColumnsNull = false;
};

RowKey rowKey(Version version, const TableLayout& table, const RealIndexLayout& real, const std::vector<Value>& values)
{
    std::vector<KeyColumn> columns;
    std::vector<Value> keyValues;
    RowKey result;
    const TableDef& def = table.def;
    for (const IndexColumn& indexColumn : real.columns) {
        const auto at = std::find_if(def.columns.begin(), def.columns.end(),
                                     [&](const ColumnDef& c) { return c.number == indexColumn.columnNumber; });
        if (at == def.columns.end())
            throw DbError(errc::fail, "Een index van de tabel '" + def.name + "' noemt een kolom die niet bestaat");
        const auto position = static_cast<std::size_t>(at - def.columns.begin());
        const Value value = position < values.size() ? values[position] : Value{};
        if (value.isNull() && at->type != ColumnType::Boolean && result.nulls++ == 0) result.firstNullColumn = at->name;
        columns.push_back(keyColumn(version, table, position, indexColumn.ascending));
        keyValues.push_back(value);
    }
    result.allColumnsNull = result.nulls == static_cast<int>(real.columns.size());
    result.key = encodeIndexKey(version, columns, keyValues);
    return result;
}

bool sameKey(const TableDef& table, const RealIndexLayout& real, const std::vector<Value>& before,
             const std::vector<Value>& after)
{
    for (const IndexColumn& indexColumn : real.columns)
        for (std::size_t position = 0; position < table.columns.size(); ++position)
            if (table.columns[position].number == indexColumn.columnNumber
                && (position >= before.size() || position >= after.size() || !(before[position] == after[position])))
                return false;
    return true;
}

// The name Access shows for a real index: that of the first logical index using it.
std::string indexName(const TableLayout& table, std::size_t real)
{
    for (std::size_t i = 0; i < table.realIndexOf.size() && i < table.def.indexes.size(); ++i)
        if (table.realIndexOf[i] == static_cast<int>(real)) return table.def.indexes[i].name;
    return std::to_string(real + 1);
}

void refuseUnencodable(const RowKey& row, const std::string& index, const TableDef& table)
{
    if (!row.key.encodable()) throw DbError(errc::fail, unencodableKeyMessage(row.key, index, table.name));
}

// An encodable key, and no Null where the index forbids it.
void refuseBrokenRules(const RowKey& row, const IndexDef& index, const RealIndexLayout& real, const TableDef& table)
{
    refuseUnencodable(row, index.name, table);
    if (row.nulls > 0 && index.primaryKey)
        throw DbError(errc::integrity, "Het veld '" + row.firstNullColumn + "' hoort bij de primaire sleutel '"
                                           + index.name + "' van de tabel '" + table.name
                                           + "' en mag niet leeg (Null) zijn");
    if (row.nulls > 0 && (real.flags & indexRequiredFlag) != 0)
        throw DbError(errc::integrity, "De index '" + index.name + "' van de tabel '" + table.name
                                           + "' staat geen lege waarde (Null) toe in het veld '" + row.firstNullColumn
                                           + "'");
}

DbError duplicateKey(const IndexDef& index, const TableDef& table)
{
    return DbError(errc::integrity, "De waarde komt al voor in de index '" + index.name + "' van de tabel '"
                                        + table.name + "', die geen dubbele waarden toestaat");
}

// A damaged index page becomes the error that names the file.
template <typename Work>
auto guarded(const PageFile& file, Work work)
{
    try {
        return work();
    } catch (const CorruptFile& e) {
        throw damagedFile(file.path(), e);
    }
}

IndexEntry entryFor(const RowKey& row, RowId id)
{
    return IndexEntry{row.key.bytes, pointerPage(id), static_cast<std::uint8_t>(pointerRow(id)), 0};
}

}  // namespace

IndexWriter::IndexWriter(PageFile& file, const Format& format, PageAllocator& pages)
    : file_(file), format_(format), pages_(pages)
{}

void IndexWriter::check(const TableLayout& table, const std::vector<Value>& values, const RowId* except)
{
    guarded(file_, [&] { checkRules(table, values, except); });
}

void IndexWriter::checkRules(const TableLayout& table, const std::vector<Value>& values, const RowId* except,
                             const std::vector<Value>* before)
{
    const TableDef& def = table.def;
    for (std::size_t i = 0; i < def.indexes.size() && i < table.realIndexOf.size(); ++i) {
        const IndexDef& index = def.indexes[i];
        const RealIndexLayout& real = table.realIndexes.at(static_cast<std::size_t>(table.realIndexOf[i]));
        if (before && sameKey(def, real, *before, values)) continue;
        const RowKey row = rowKey(format_.version, table, real, values);
        refuseBrokenRules(row, index, real, def);
        // Rows whose key columns are all Null never clash in a unique index.
        if (!index.unique || row.allColumnsNull) continue;
        IndexTree tree(file_, format_.version, real.firstPage, IndexPageSource{});
        for (const IndexEntry& entry : tree.find(row.key.bytes)) {
            const RowId other = entry.dataPage << 8 | entry.dataRow;
            if (except == nullptr || other != *except) throw duplicateKey(index, def);
        }
    }
}

void IndexWriter::insert(TableLayout& table, const std::vector<Value>& values, RowId row)
{
    guarded(file_, [&] { change(table, values, row, true); });
}

void IndexWriter::remove(TableLayout& table, const std::vector<Value>& values, RowId row)
{
    guarded(file_, [&] { change(table, values, row, false); });
}

void IndexWriter::update(TableLayout& table, const std::vector<Value>& before, const std::vector<Value>& after,
                         RowId row)
{
    guarded(file_, [&] {
        checkRules(table, after, &row, &before);
        change(table, before, row, false, &after);
        change(table, after, row, true, &before);
    });
}

void IndexWriter::change(const TableLayout& table, const std::vector<Value>& values, RowId row, bool adding,
                         const std::vector<Value>* before)
{
    for (std::size_t r = 0; r < table.realIndexes.size(); ++r) {
        const RealIndexLayout& real = table.realIndexes[r];
        if (before && sameKey(table.def, real, *before, values)) continue;
        const RowKey key = rowKey(format_.version, table, real, values);
        refuseUnencodable(key, indexName(table, r), table.def);
        if (key.allColumnsNull && (real.flags & indexIgnoreNullsFlag) != 0) continue;
        IndexTree tree(file_, format_.version, real.firstPage, pageSource(real));
        if (adding)
            tree.insert(entryFor(key, row));
        else if (!tree.remove(entryFor(key, row)))
            throw DbError(errc::fail, "De index '" + indexName(table, r) + "' van de tabel '" + table.def.name
                                          + "' mist de rij die vervalt; het bestand is beschadigd");
        tree.flush();
    }
}

void IndexWriter::build(const TableLayout& table, const RowSource& nextRow, const std::function<void()>& checkStop)
{
    guarded(file_, [&] {
        const IndexDef& index = table.def.indexes.at(0);
        const RealIndexLayout& real = table.realIndexes.at(0);
        std::vector<IndexEntry> entries;
        std::string allNullKey;  // every row whose key columns are all Null has this key
        std::vector<Value> values;
        RowId id = 0;
        for (checkStop(); nextRow(values, id); checkStop()) {
            const RowKey row = rowKey(format_.version, table, real, values);
            refuseBrokenRules(row, index, real, table.def);
            if (row.allColumnsNull) {
                allNullKey = row.key.bytes;
                if ((real.flags & indexIgnoreNullsFlag) != 0) continue;
            }
            entries.push_back(entryFor(row, id));
        }
        std::sort(entries.begin(), entries.end(), indexEntryBefore);
        if (index.unique)
            for (std::size_t i = 1; i < entries.size(); ++i)
                if (entries[i].key == entries[i - 1].key && entries[i].key != allNullKey)
                    throw duplicateKey(index, table.def);
        bulkLoadIndex(file_, format_.version, real.firstPage, table.def.definitionPage, entries, pageSource(real),
                      checkStop);
    });
}

std::uint32_t IndexWriter::createEmpty(const TableLayout& table)
{
    const std::uint32_t page = pages_.allocate();
    IndexTree::writeEmptyRoot(file_, format_.version, page, table.def.definitionPage);
    return page;
}

// The index's own usage map follows the pages it owns, as Access keeps it.
IndexPageSource IndexWriter::pageSource(const RealIndexLayout& real)
{
    const std::uint32_t map = real.usedPagesMap;
    const auto mark = [this, map](std::uint32_t page, bool on) {
        if (map != 0) markUsageMap(file_, format_, map, page, on, [this] { return pages_.allocate(); });
    };
    return IndexPageSource{[this, mark] {
                               const std::uint32_t page = pages_.allocate();
                               mark(page, true);
                               return page;
                           },
                           [this, mark](std::uint32_t page) {
                               mark(page, false);
                               pages_.release(page);
                           }};
}

}  // namespace querimo::jet
