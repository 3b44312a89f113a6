#include <algorithm>
#include <functional>
#include <set>

#include "core/Text.h"
#include "jet/JetDatabase.h"
#include "jet/catalog/Catalog.h"
#include "jet/catalog/CatalogRows.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/format/UsageMapLayout.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/UsageMap.h"
#include "jet/pages/UsageMapWriter.h"
#include "jet/rows/DataPage.h"
#include "jet/rows/DataPageWriter.h"
#include "jet/rows/RowStore.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/IndexWriter.h"
#include "jet/tables/NewTableLayout.h"
#include "jet/tables/PropertyMapWriter.h"
#include "jet/tables/TableDefinition.h"
#include "jet/tables/TableDefinitionWriter.h"

namespace querimo::jet {
namespace {

// Large Number came with Access 2016 (version byte 5), Date/Time Extended with 2019 (6): older versions cannot
// read a file with such a column.
void checkKindFitsFile(const ColumnDef& column, int fileVersion)
{
    if (column.type == ColumnType::BigInt && fileVersion < 5)
        throw DbError(errc::fail, "De kolom '" + column.name
                                      + "' kan niet gemaakt worden: het type Groot getal (BIGINT) bestaat pas in "
                                        "databases van Access 2016 en later.");
    if (column.type == ColumnType::DateTimeExtended && fileVersion < 6)
        throw DbError(errc::fail,
                      "De kolom '" + column.name
                          + "' kan niet gemaakt worden: het type Datum/tijd uitgebreid (DATETIME2) bestaat pas in "
                            "databases van Access 2019 en later.");
}

// An empty inline usage map row: its kind, the first page it covers, then the bitmap.
std::string emptyInlineMap(const Format& format)
{
    const std::size_t bitmap = format.jet4() ? 64 : 128;
    std::string row(1 + 4 + bitmap, '\0');
    row[0] = static_cast<char>(inlineUsageMap);
    return row;
}

// A new usage map on `page` if it has room, else on a new page of maps; its row pointer.
std::uint32_t addUsageMap(PageFile& file, const Format& format, PageAllocator& pages, std::uint32_t page)
{
    const std::string row = emptyInlineMap(format);
    if (page == 0 || !rowFits(*file.page(page), format, row.size()) || file.page(page)->at(0) != dataPageType) {
        page = pages.allocate();
        layoutDataPage(file.change(page), format, 0);  // pages of usage maps belong to no table
    }
    const int number = addRow(file.change(page), format, row);
    return page << 8 | static_cast<std::uint32_t>(number);
}

// Takes a usage map away: its row, and the bitmap pages of a reference map.
void removeUsageMap(PageFile& file, const Format& format, PageAllocator& pages, std::uint32_t map)
{
    if (map == 0) return;
    const std::uint32_t page = pointerPage(map);
    const PageRef bytes = file.page(page);
    const ByteView view(bytes->data(), bytes->size());
    const int row = pointerRow(map);
    if (row >= dataRowCount(view, format)) return;
    const RowSlot slot = dataRow(view, format, row);
    if (slot.deleted || slot.overflow) return;
    if (slot.bytes.size() > 0 && slot.bytes.u8(0) == referenceUsageMap)
        for (std::size_t p = 1; p + 4 <= slot.bytes.size(); p += 4)
            if (const std::uint32_t bitmapPage = slot.bytes.u32(p); bitmapPage != 0) pages.release(bitmapPage);
    removeRow(file.change(page), format, row);
}

// Every page of an index tree, root first.
std::vector<std::uint32_t> indexTreePages(PageFile& file, Version version, std::uint32_t root)
{
    std::vector<std::uint32_t> found;
    std::set<std::uint32_t> seen;
    std::vector<std::uint32_t> todo{root};
    while (!todo.empty()) {
        const std::uint32_t number = todo.back();
        todo.pop_back();
        if (number == 0 || number >= file.pageCount() || !seen.insert(number).second) continue;
        const PageRef page = file.page(number);
        if (page->at(0) != intermediateIndexPageType && page->at(0) != leafIndexPageType) continue;
        found.push_back(number);
        const IndexPage parsed = parseIndexPage(ByteView(page->data(), page->size()), version);
        if (parsed.leaf()) continue;
        for (const IndexEntry& entry : parsed.entries) todo.push_back(entry.childPage);
        todo.push_back(parsed.tailPage);
    }
    return found;
}

std::uint8_t realIndexFlags(const Format& format, const IndexDef& index)
{
    std::uint8_t flags = format.jet4() ? indexJet4Flag : 0;
    if (index.unique || index.primaryKey) flags |= indexUniqueFlag;
    if (index.ignoreNulls) flags |= indexIgnoreNullsFlag;
    if (index.required || index.primaryKey) flags |= indexRequiredFlag;
    return flags;
}

bool sameColumns(const std::vector<IndexColumn>& a, const std::vector<IndexColumn>& b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](const IndexColumn& x, const IndexColumn& y) {
                  return x.columnNumber == y.columnNumber && x.ascending == y.ascending;
              });
}

// The index as it will be kept: named, with columns the table has, at most one primary key.
void checkIndex(const TableLayout& table, const IndexDef& index)
{
    const std::string where = "in de tabel '" + table.def.name + "'";
    if (index.name.empty() || index.name.size() > 64)
        throw DbError(errc::fail, "Een indexnaam moet 1 tot 64 tekens lang zijn " + where + ".");
    for (const IndexDef& existing : table.def.indexes) {
        if (text::equalsIgnoreCase(existing.name, index.name))
            throw DbError(errc::fail, "De index '" + existing.name + "' bestaat al " + where + ".");
        if (existing.primaryKey && index.primaryKey)
            throw DbError(errc::fail, "De tabel '" + table.def.name + "' heeft al een primaire sleutel.");
    }
    if (index.columns.empty() || index.columns.size() > maxIndexColumns)
        throw DbError(errc::fail, "De index '" + index.name + "' moet 1 tot 10 kolommen hebben " + where + ".");
    for (const IndexColumn& key : index.columns) {
        const ColumnDef* column = table.def.columnByNumber(key.columnNumber);
        if (!column)
            throw DbError(errc::fail, "De index '" + index.name + "' noemt een kolom die niet bestaat " + where + ".");
        if (isLongValue(column->type))
            throw DbError(errc::fail, "Op het Memo- of OLE-veld '" + column->name + "' kan geen index gemaakt worden.");
    }
}

// Every Memo and OLE Object column has its own pair of usage maps for its long value pages, as Access
// keeps them; columns that are gone or no longer long lose theirs.
void syncLongValueMaps(PageFile& file, const Format& format, PageAllocator& pages, TableLayout& table)
{
    auto& maps = table.longValueMaps;
    for (auto it = maps.begin(); it != maps.end();) {
        const ColumnDef* column = table.def.columnByNumber(it->columnNumber);
        if (column && isLongValue(column->type)) {
            ++it;
            continue;
        }
        removeUsageMap(file, format, pages, it->usedPagesMap);
        removeUsageMap(file, format, pages, it->freeSpaceMap);
        it = maps.erase(it);
    }
    for (const ColumnDef& column : table.def.columns) {
        const bool mapped = std::any_of(maps.begin(), maps.end(),
                                        [&](const LongValueMaps& m) { return m.columnNumber == column.number; });
        if (!isLongValue(column.type) || mapped) continue;
        LongValueMaps added;
        added.columnNumber = column.number;
        added.usedPagesMap = addUsageMap(file, format, pages, pointerPage(table.usedPagesMap));
        added.freeSpaceMap = addUsageMap(file, format, pages, pointerPage(added.usedPagesMap));
        maps.push_back(added);
    }
}

// A new logical index takes the number after the highest.
std::uint32_t nextLogicalNumber(const TableLayout& table)
{
    std::uint32_t next = 0;
    for (const LogicalIndexLayout& logical : table.logicalIndexes) next = std::max(next, logical.number + 1);
    return next;
}

// After an index is dropped the numbers close up again, as in a table Access made; but where a relationship
// names one of the table's indexes by its number, the numbers stay as they are.
void closeLogicalNumbers(TableLayout& table)
{
    if (std::any_of(table.logicalIndexes.begin(), table.logicalIndexes.end(),
                    [](const LogicalIndexLayout& logical) { return logical.relatedTable != 0; }))
        return;
    std::vector<std::size_t> order(table.logicalIndexes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return table.logicalIndexes[a].number < table.logicalIndexes[b].number;
    });
    for (std::size_t i = 0; i < order.size(); ++i)
        table.logicalIndexes[order[i]].number = static_cast<std::uint32_t>(i);
}

}  // namespace

// The layout in this database's cache behind a table name; system tables only when asked.
TableLayout& JetDatabase::schemaLayout(std::string_view name, bool allowSystem)
{
    const TableDef& def = table(name);
    TableLayout& layout = layoutOf(def);
    if (layout.system && !allowSystem)
        throw DbError(errc::fail, "De systeemtabel '" + def.name + "' kan niet gewijzigd worden.");
    return layout;
}

void JetDatabase::storeDefinition(TableLayout& layout, std::vector<std::uint32_t> chain)
{
    PageAllocator pages(file_, *format_);
    const std::vector<std::uint8_t> bytes = encodeTableDefinition(*format_, layout);
    const std::size_t needed = definitionPageCount(*format_, bytes.size());
    while (chain.size() < needed) chain.push_back(pages.allocate());
    while (chain.size() > needed) {
        pages.release(chain.back());
        chain.pop_back();
    }
    const std::vector<PageBytes> laidOut = definitionPages(*format_, bytes, chain);
    for (std::size_t i = 0; i < chain.size(); ++i) file_.change(chain[i]) = laidOut[i];
}

// After a change of definition or properties: the cached layout read again in place, from the changed pages.
void JetDatabase::reloadLayout(TableLayout& layout)
{
    newSchemaVersion();
    const std::string name = layout.def.name;
    layout = readTableDefinition(file_, *format_, layout.def.definitionPage, name);
    propertiesLoaded_ = false;
    storedProperties_.clear();
    applyProperties(layout);
}

// The table's MSysObjects row: its id and values.
std::pair<RowId, std::vector<Value>> JetDatabase::catalogRowOf(const TableLayout& layout)
{
    const TableDef& objects = table("MSysObjects");
    const ColumnDef* id = objects.column("Id");
    const ColumnDef* type = objects.column("Type");
    if (!id || !type)
        throw DbError(errc::fail, "De systeemtabel MSysObjects in '" + file_.path() + "' mist de kolom Id of Type.");
    std::vector<Value> values;
    const auto reader = scan(objects);
    while (reader->next(values)) {
        const Value& v = values[static_cast<std::size_t>(id->ordinal - 1)];
        const Value& t = values[static_cast<std::size_t>(type->ordinal - 1)];
        if (!v.isNull() && (static_cast<std::uint32_t>(v.integer) & 0x00FFFFFF) == layout.def.definitionPage
            && !t.isNull() && t.integer == static_cast<std::int64_t>(CatalogType::Table))
            return {reader->rowId(), values};
    }
    throw DbError(errc::fail,
                  "De tabel '" + layout.def.name + "' staat niet in MSysObjects van '" + file_.path() + "'.");
}

// Required and DefaultValue of every column into the table's stored properties; the others stay as they were.
void JetDatabase::storeColumnProperties(TableLayout& layout, const std::vector<std::string>& dropped)
{
    auto [row, values] = catalogRowOf(layout);
    const TableDef& objects = table("MSysObjects");
    const ColumnDef* column = objects.column("LvProp");
    if (!column)
        throw DbError(errc::fail, "De systeemtabel MSysObjects in '" + file_.path() + "' mist de kolom LvProp.");
    Value& stored = values[static_cast<std::size_t>(column->ordinal - 1)];
    PropertyMaps maps;
    if (stored.kind == Value::Kind::Binary) {
        try {
            maps = readPropertyMaps(
                ByteView(reinterpret_cast<const std::uint8_t*>(stored.bytes.data()), stored.bytes.size()),
                header_.version);
        } catch (const CorruptFile&) {
            maps.clear();  // damaged properties are replaced by what the definition says
        }
    }
    for (const std::string& name : dropped) maps.erase(name);
    for (const ColumnDef& c : layout.def.columns) setColumnProperties(maps, c, header_.version);
    const bool any = std::any_of(maps.begin(), maps.end(), [](const auto& entry) { return !entry.second.empty(); });
    const Value wanted = any ? Value::binary(writePropertyMaps(maps, header_.version)) : Value::null();
    if (wanted.kind == stored.kind && wanted.bytes == stored.bytes) return;
    stored = wanted;
    updateRow(objects, row, values);
}

// A change of columns that alters how rows are stored: every row read and removed, the definition laid out
// anew, then every row stored again with its values converted to the new types (a value that does not fit
// fails the statement, which leaves the file as it was).
void JetDatabase::rebuildTable(TableLayout& layout, const std::function<void(TableLayout&)>& change,
                               const std::string& dropped, const ColumnConversion* convert)
{
    // Every row is stored again, and a calculated column's result would lose the bytes wrapped around it.
    refuseCalculatedColumns(layout.def, "kolommen verwijderen of van type veranderen");
    const std::vector<ColumnDef> before = layout.def.columns;
    std::vector<std::pair<RowId, std::vector<Value>>> rows;
    std::vector<Value> values;
    for (const auto reader = scan(layout.def); reader->next(values);) rows.emplace_back(reader->rowId(), values);
    for (const auto& [id, row] : rows) deleteRow(layout.def, id);

    TableLayout changed = layout;
    change(changed);
    PageAllocator pages(file_, *format_);
    syncLongValueMaps(file_, *format_, pages, changed);
    storeDefinition(changed, definitionPageChain(file_, layout.def.definitionPage));
    storeColumnProperties(changed, dropped.empty() ? std::vector<std::string>{} : std::vector<std::string>{dropped});
    reloadLayout(layout);

    for (const auto& [id, row] : rows) {
        std::vector<Value> converted;
        for (const ColumnDef& column : layout.def.columns) {
            const auto old = std::find_if(before.begin(), before.end(),
                                          [&](const ColumnDef& c) { return c.number == column.number; });
            const Value& value = old == before.end() ? Value() : row[static_cast<std::size_t>(old - before.begin())];
            converted.push_back(value.isNull() || !convert ? value : (*convert)(value, column));
        }
        insertRow(layout.def, std::move(converted));
    }
}

void JetDatabase::useFileSortOrder(ColumnStorage& storage) const
{
    const auto fileOrder = static_cast<std::uint32_t>(header_.sortOrder);
    if (format_->jet4() && (fileOrder & 0xFFFF) == generalSortOrder && (fileOrder >> 16) == general2010SortOrderTail)
        storage.sortOrderTail = general2010SortOrderTail;
}

void JetDatabase::createTable(const TableDef& def)
{
    requireStatement();
    for (const CatalogEntry& entry : catalog_)
        if (text::equalsIgnoreCase(entry.name, def.name))
            throw DbError(errc::fail, "Er bestaat al een tabel of query met de naam '" + entry.name + "'.");
    checkObjectName("tabel", def.name);
    if (def.columns.empty()) throw DbError(errc::fail, "De tabel '" + def.name + "' moet minstens één kolom hebben.");
    for (const ColumnDef& column : def.columns) checkKindFitsFile(column, header_.fileVersion);
    guarded([&] {
        TableLayout layout = newTableLayout(*format_, def);
        for (ColumnStorage& storage : layout.storage) useFileSortOrder(storage);
        PageAllocator pages(file_, *format_);
        const std::uint32_t first = pages.allocate();
        layout.def.definitionPage = first;
        layout.usedPagesMap = addUsageMap(file_, *format_, pages, 0);
        layout.freeSpaceMap = addUsageMap(file_, *format_, pages, pointerPage(layout.usedPagesMap));
        syncLongValueMaps(file_, *format_, pages, layout);
        storeDefinition(layout, {first});

        const TableDef& objects = table("MSysObjects");
        CatalogContext context = readCatalogContext(objects, *scan(objects));
        const CatalogObject object = tableObject(context, def.name, first);
        insertRow(objects, catalogRow(objects, object, context.owner, accessNow()));
        grantContainerRights(object, context.owner);
        readCatalogTable();
        TableLayout& created = schemaLayout(def.name, false);
        if (std::any_of(def.columns.begin(), def.columns.end(),
                        [](const ColumnDef& c) { return c.required || !c.defaultValue.empty(); })) {
            for (std::size_t i = 0; i < created.def.columns.size(); ++i) {
                created.def.columns[i].required = def.columns[i].required;
                created.def.columns[i].defaultValue = def.columns[i].defaultValue;
            }
            storeColumnProperties(created, {});
            reloadLayout(created);
        }
        // Indexes given with the table name its columns by their place in def.columns, which new numbers keep.
        for (const IndexDef& index : def.indexes) createIndex(def.name, index);
    });
}

void JetDatabase::dropTable(std::string_view name)
{
    requireStatement();
    guarded([&] {
        TableLayout& layout = schemaLayout(name, false);
        PageAllocator pages(file_, *format_);
        {
            // Long values go with their rows; read every row first, then free.
            RowStore rows(file_, *format_, pages, layout);
            std::vector<RowId> ids;
            std::vector<Value> values;
            for (const auto reader = scan(layout.def); reader->next(values);) ids.push_back(reader->rowId());
            for (RowId id : ids) freeLongValues(layout, rows.read(id), pages);
        }
        std::set<std::uint32_t> doomed;
        for (std::uint32_t page : usageMapPages(file_, *format_, layout.usedPagesMap))
            if (file_.page(page)->at(0) == 0x01
                && ByteView(file_.page(page)->data(), format_->pageSize).u32(format_->dataOwnerOffset)
                       == layout.def.definitionPage)
                doomed.insert(page);
        for (const RealIndexLayout& real : layout.realIndexes) {
            for (std::uint32_t page : indexTreePages(file_, format_->version, real.firstPage)) doomed.insert(page);
            removeUsageMap(file_, *format_, pages, real.usedPagesMap);
        }
        for (const LongValueMaps& maps : layout.longValueMaps) {
            removeUsageMap(file_, *format_, pages, maps.usedPagesMap);
            removeUsageMap(file_, *format_, pages, maps.freeSpaceMap);
        }
        removeUsageMap(file_, *format_, pages, layout.usedPagesMap);
        removeUsageMap(file_, *format_, pages, layout.freeSpaceMap);
        for (std::uint32_t page : definitionPageChain(file_, layout.def.definitionPage)) doomed.insert(page);

        const RowId row = catalogRowOf(layout).first;
        deleteRow(table("MSysObjects"), row);
        revokeRights(static_cast<std::int32_t>(layout.def.definitionPage));
        for (std::uint32_t page : doomed) pages.release(page);
        readCatalogTable();
        if (const auto cached = tables_.find(layout.def.definitionPage); cached != tables_.end()) {
            retired_.push_back(std::move(cached->second));
            tables_.erase(cached);
            newSchemaVersion();
        }
    });
}

void JetDatabase::createIndex(std::string_view tableName, const IndexDef& wanted)
{
    requireStatement();
    guarded([&] {
        TableLayout& layout = schemaLayout(tableName, false);
        checkIndex(layout, wanted);
        IndexDef index = wanted;
        index.unique = index.unique || index.primaryKey;
        const std::uint8_t flags = realIndexFlags(*format_, index);

        // Access shares a real index between logical ones of the same columns and rules.
        int real = -1;
        for (std::size_t i = 0; i < layout.realIndexes.size(); ++i)
            if (sameColumns(layout.realIndexes[i].columns, index.columns) && layout.realIndexes[i].flags == flags)
                real = static_cast<int>(i);

        PageAllocator pages(file_, *format_);
        if (real < 0) {
            IndexWriter writer(file_, *format_, pages);
            RealIndexLayout added;
            added.columns = index.columns;
            added.flags = flags;
            added.entryCount = layout.def.rowCount;
            added.firstPage = writer.createEmpty(layout);
            added.usedPagesMap = addUsageMap(file_, *format_, pages, pointerPage(layout.usedPagesMap));
            markUsageMap(file_, *format_, added.usedPagesMap, added.firstPage, true, [&] { return pages.allocate(); });

            // Every row's key, gathered into a view of the table with only the new index, then laid out at once.
            TableLayout only = layout;
            only.realIndexes = {added};
            only.def.indexes = {index};
            only.realIndexOf = {0};
            only.logicalIndexes = {LogicalIndexLayout{}};
            const auto reader = scan(layout.def);
            writer.build(
                only,
                [&](std::vector<Value>& values, RowId& id) {
                    if (!reader->next(values)) return false;
                    id = reader->rowId();
                    return true;
                },
                [this] { checkStop(); });
            layout.realIndexes.push_back(only.realIndexes.front());
            real = static_cast<int>(layout.realIndexes.size()) - 1;
        }
        LogicalIndexLayout logical;
        logical.number = nextLogicalNumber(layout);
        logical.updateAction = noReferentialAction;
        logical.deleteAction = noReferentialAction;
        layout.def.indexes.push_back(index);
        layout.realIndexOf.push_back(real);
        layout.logicalIndexes.push_back(logical);
        storeDefinition(layout, definitionPageChain(file_, layout.def.definitionPage));
        reloadLayout(layout);
    });
}

void JetDatabase::dropIndex(std::string_view tableName, std::string_view name)
{
    requireStatement();
    guarded([&] {
        TableLayout& layout = schemaLayout(tableName, false);
        const auto found =
            std::find_if(layout.def.indexes.begin(), layout.def.indexes.end(),
                         [&](const IndexDef& index) { return text::equalsIgnoreCase(index.name, name); });
        if (found == layout.def.indexes.end())
            throw DbError(errc::notFound,
                          "De index '" + std::string(name) + "' bestaat niet in de tabel '" + layout.def.name + "'.");
        const std::size_t position = static_cast<std::size_t>(found - layout.def.indexes.begin());
        const int real = layout.realIndexOf[position];
        layout.def.indexes.erase(found);
        layout.realIndexOf.erase(layout.realIndexOf.begin() + static_cast<std::ptrdiff_t>(position));
        layout.logicalIndexes.erase(layout.logicalIndexes.begin() + static_cast<std::ptrdiff_t>(position));
        closeLogicalNumbers(layout);

        if (std::find(layout.realIndexOf.begin(), layout.realIndexOf.end(), real) == layout.realIndexOf.end()) {
            PageAllocator pages(file_, *format_);
            const RealIndexLayout& gone = layout.realIndexes[static_cast<std::size_t>(real)];
            for (std::uint32_t page : indexTreePages(file_, format_->version, gone.firstPage)) pages.release(page);
            removeUsageMap(file_, *format_, pages, gone.usedPagesMap);
            layout.realIndexes.erase(layout.realIndexes.begin() + real);
            for (int& other : layout.realIndexOf)
                if (other > real) --other;
        }
        storeDefinition(layout, definitionPageChain(file_, layout.def.definitionPage));
        reloadLayout(layout);
    });
}

void JetDatabase::addColumn(std::string_view tableName, const ColumnDef& column)
{
    requireStatement();
    checkKindFitsFile(column, header_.fileVersion);
    guarded([&] {
        TableLayout& layout = schemaLayout(tableName, false);
        // Rows already there would break the rule at once: they have no value in the new column.
        if (column.required && column.type != ColumnType::Boolean && layout.def.rowCount > 0)
            throw DbError(errc::integrity, "De verplichte kolom '" + column.name
                                               + "' kan niet worden toegevoegd: de tabel '" + layout.def.name
                                               + "' heeft al rijen zonder waarde daarin.");
        appendColumn(*format_, layout, column);
        useFileSortOrder(layout.storage.back());
        PageAllocator pages(file_, *format_);
        syncLongValueMaps(file_, *format_, pages, layout);
        storeDefinition(layout, definitionPageChain(file_, layout.def.definitionPage));
        if (column.required || !column.defaultValue.empty()) storeColumnProperties(layout, {});
        reloadLayout(layout);
    });
}

void JetDatabase::dropColumn(std::string_view tableName, std::string_view columnName)
{
    requireStatement();
    guarded([&] {
        TableLayout& layout = schemaLayout(tableName, false);
        const ColumnDef* column = layout.def.column(columnName);
        if (!column)
            throw DbError(errc::notFound, "De kolom '" + std::string(columnName) + "' bestaat niet in de tabel '"
                                              + layout.def.name + "'.");
        for (const IndexDef& index : layout.def.indexes)
            for (const IndexColumn& key : index.columns)
                if (key.columnNumber == column->number)
                    throw DbError(errc::fail, "De kolom '" + column->name + "' hoort bij de index '" + index.name
                                                  + "' en kan niet verwijderd worden.");
        const auto position = static_cast<std::size_t>(column - layout.def.columns.data());
        rebuildTable(
            layout, [&](TableLayout& changed) { removeColumn(changed, position); }, column->name);
    });
}

void JetDatabase::setNextAutoNumber(std::string_view tableName, std::uint32_t next)
{
    requireStatement();
    if (next == 0)
        throw DbError(errc::fail,
                      "De AutoNummering van de tabel '" + std::string(tableName) + "' begint bij 1 of hoger.");
    guarded([&] {
        TableLayout& layout = schemaLayout(tableName, false);
        layout.nextAutoNumber = next - 1;  // the definition keeps the last number handed out
        storeDefinition(layout, definitionPageChain(file_, layout.def.definitionPage));
        reloadLayout(layout);
    });
}

void JetDatabase::alterColumn(std::string_view tableName, const ColumnDef& column, const ColumnConversion& convert)
{
    requireStatement();
    guarded([&] {
        TableLayout& layout = schemaLayout(tableName, false);
        const ColumnDef* old = layout.def.column(column.name);
        if (!old)
            throw DbError(errc::notFound,
                          "De kolom '" + column.name + "' bestaat niet in de tabel '" + layout.def.name + "'.");
        ColumnDef completed = column;
        checkKindFitsFile(completed, header_.fileVersion);
        completeColumn(*format_, completed);
        const bool sameStorage = completed.type == old->type && completed.size == old->size
                                 && completed.precision == old->precision && completed.scale == old->scale
                                 && completed.autoNumber == old->autoNumber;
        if (sameStorage) {
            // Only Required or DefaultValue change: the rows stay, the properties follow (checked against the rows).
            ColumnDef& target = layout.def.columns[static_cast<std::size_t>(old - layout.def.columns.data())];
            target.required = column.required;
            target.defaultValue = column.defaultValue;
            if (target.required) {
                const std::size_t at = static_cast<std::size_t>(target.ordinal - 1);
                std::vector<Value> values;
                for (const auto reader = scan(layout.def); reader->next(values);)
                    if (values[at].isNull() && target.type != ColumnType::Boolean)
                        throw DbError(errc::integrity,
                                      "Het veld '" + target.name + "' in de tabel '" + layout.def.name
                                          + "' heeft rijen zonder waarde en kan niet verplicht worden.");
            }
            storeColumnProperties(layout, {});
            reloadLayout(layout);
            return;
        }
        for (const IndexDef& index : layout.def.indexes)
            for (const IndexColumn& key : index.columns)
                if (key.columnNumber == old->number)
                    throw DbError(errc::fail, "De kolom '" + old->name + "' hoort bij de index '" + index.name
                                                  + "'; verwijder eerst de index om het type te wijzigen.");
        const auto position = static_cast<std::size_t>(old - layout.def.columns.data());
        rebuildTable(
            layout,
            [&](TableLayout& changed) {
                ColumnDef replacement = column;
                replacement.name = changed.def.columns[position].name;
                replaceColumn(*format_, changed, position, replacement);
                useFileSortOrder(changed.storage[position]);
            },
            {}, &convert);
    });
}

}  // namespace querimo::jet
