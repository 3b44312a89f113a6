#include "jet/JetDatabase.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

#include <unistd.h>

#include "jet/catalog/Catalog.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/journal/Journal.h"
#include "jet/journal/StatementCommit.h"
#include "jet/pages/PageAllocator.h"
#include "jet/rows/LongValueWriter.h"
#include "jet/rows/RowDecoder.h"
#include "jet/rows/RowEncoder.h"
#include "jet/rows/RowStore.h"
#include "jet/tables/IndexWriter.h"
#include "jet/tables/TableDefinition.h"

namespace querimo::jet {

JetDatabase::~JetDatabase()
{
    // An unfinished statement never reached the file: forgetting its pages is its rollback.
    file_.discardChanges();
}

void JetDatabase::requireStatement() const
{
    if (!inStatement_)
        throw DbError(errc::fail, "Wijzigingen in '" + file_.path() + "' horen binnen een opdracht (beginStatement).");
}

void JetDatabase::takeLock(bool exclusive)
{
    lock_.lock(exclusive);
    bool recovered = false;
    if (::access(Journal::pathFor(file_.path()).c_str(), F_OK) == 0) {
        // Another process died during a statement; its journal is rolled back under the exclusive lock.
        const bool upgrade = !exclusive && file_.writable();
        if (upgrade) lock_.lock(true);
        try {
            recovered = Journal::recover(file_.path());
        } catch (...) {
            lock_.unlock();
            throw;
        }
        if (upgrade) lock_.lock(false);
    }
    const FileStamp now = lock_.stamp();
    if (recovered || knownStamp_.uncertain || !now.sameAs(knownStamp_)) {
        file_.refresh();
        try {
            reloadCaches();
        } catch (...) {
            lock_.unlock();
            throw;
        }
        knownStamp_ = now;
    }
}

void JetDatabase::releaseLock()
{
    if (inStatement_) return;
    if (readDepth_ > 0)
        lock_.lock(false);
    else
        lock_.unlock();
}

// Every TableLayout handed out stays at its address: the SQL layer holds references to their TableDefs.
void JetDatabase::reloadCaches()
{
    newSchemaVersion();
    guarded([&] {
        propertiesLoaded_ = false;
        storedProperties_.clear();
        queryRowsLoaded_ = false;
        queryRows_.clear();
        if (const auto objects = tables_.find(catalogDefinitionPage); objects != tables_.end())
            *objects->second = readTableDefinition(file_, *format_, catalogDefinitionPage, objects->second->def.name);
        readCatalogTable();
        for (auto it = tables_.begin(); it != tables_.end();) {
            const bool listed = it->first == catalogDefinitionPage
                                || std::any_of(catalog_.begin(), catalog_.end(), [&](const CatalogEntry& entry) {
                                       return entry.kind != ObjectKind::Query && definitionPageOf(entry) == it->first;
                                   });
            if (!listed) {
                retired_.push_back(std::move(it->second));
                it = tables_.erase(it);
                continue;
            }
            if (it->first != catalogDefinitionPage)
                *it->second = readTableDefinition(file_, *format_, it->first, it->second->def.name);
            applyProperties(*it->second);
            ++it;
        }
    });
}

void JetDatabase::beginRead()
{
    if (readDepth_ == 0 && !inStatement_) takeLock(false);
    ++readDepth_;
}

void JetDatabase::endRead()
{
    if (readDepth_ == 0) return;
    if (--readDepth_ == 0 && !inStatement_) lock_.unlock();
}

void JetDatabase::beginStatement()
{
    if (!file_.writable())
        throw DbError(errc::fail, "De database '" + file_.path()
                                      + "' is alleen-lezen (bestandsrechten) en kan niet gewijzigd worden.");
    if (inStatement_) throw DbError(errc::fail, "Er loopt al een opdracht op de database '" + file_.path() + "'.");
    takeLock(true);
    file_.discardChanges();
    removed_.clear();
    cascaded_.clear();
    inStatement_ = true;
}

void JetDatabase::commitStatement()
{
    requireStatement();
    checkStop();  // the last moment a stop still leaves the file as it was
    const bool changed = !file_.changedPages().empty();
    try {
        Journal journal(file_.path(), static_cast<std::uint32_t>(format_->pageSize));
        jet::commitStatement(file_, journal);
    } catch (...) {
        // The file is as it was; so must our picture of it be.
        file_.refresh();
        try {
            reloadCaches();
        } catch (const DbError&) {
            // The commit's own error says more.
        }
        inStatement_ = false;
        releaseLock();
        throw;
    }
    if (changed) {
        lock_.markWritten();
        knownStamp_ = lock_.stamp();
    }
    inStatement_ = false;
    releaseLock();
}

void JetDatabase::rollbackStatement()
{
    file_.discardChanges();
    if (!inStatement_) return;
    inStatement_ = false;
    try {
        reloadCaches();
    } catch (...) {
        releaseLock();
        throw;
    }
    releaseLock();
}

namespace {

// A Replication ID: a random (version 4) GUID.
std::string newGuid()
{
    static std::mt19937_64 random{std::random_device{}()};
    std::uint8_t bytes[16];
    for (int i = 0; i < 16; i += 8) {
        const std::uint64_t r = random();
        std::memcpy(bytes + i, &r, 8);
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    static const char* hex = "0123456789ABCDEF";
    std::string text = "{";
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += hex[bytes[i] >> 4];
        text += hex[bytes[i] & 0x0F];
    }
    return text + "}";
}

std::size_t characters(const std::string& utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The rules a row must keep before it is stored, each named with its column and table.
void checkValues(const TableDef& table, const std::vector<Value>& values)
{
    if (values.size() != table.columns.size())
        throw DbError(errc::fail, "Er zijn " + std::to_string(values.size()) + " waarden gegeven voor de "
                                      + std::to_string(table.columns.size()) + " kolommen van de tabel '" + table.name
                                      + "'.");
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ColumnDef& column = table.columns[i];
        if (values[i].isNull() && column.required && column.type != ColumnType::Boolean)
            throw DbError(errc::integrity,
                          "Het veld '" + column.name + "' in de tabel '" + table.name + "' moet een waarde hebben.");
        if (column.type == ColumnType::Text && !values[i].isNull() && column.size > 0
            && characters(values[i].bytes) > static_cast<std::size_t>(column.size))
            throw DbError(errc::integrity, "De tekst voor het veld '" + column.name + "' in de tabel '" + table.name
                                               + "' is langer dan de veldlengte van " + std::to_string(column.size)
                                               + " tekens.");
    }
}

// AutoNumber and Replication ID columns left Null get their value; the last AutoNumber grows with the row.
std::uint32_t fillAutomaticValues(const TableLayout& table, std::vector<Value>& values)
{
    std::uint32_t last = table.nextAutoNumber;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ColumnDef& column = table.def.columns[i];
        if (!column.autoNumber) continue;
        if (column.type == ColumnType::Guid && values[i].isNull()) values[i] = Value::guid(newGuid());
        if (column.type != ColumnType::Long) continue;
        if (values[i].isNull()) {
            if (last == 0x7FFFFFFF)
                throw DbError(errc::fail, "De AutoNummering van de tabel '" + table.def.name + "' is op.");
            values[i] = Value::int32(static_cast<std::int32_t>(++last));
        } else if (values[i].integer > 0 && static_cast<std::uint32_t>(values[i].integer) > last) {
            last = static_cast<std::uint32_t>(values[i].integer);
        }
    }
    return last;
}

// The references of a stored row's long values (with their bytes when inline), by column.
std::vector<std::optional<std::string>> longValueReferences(PageFile& file, const Format& format,
                                                            const TableLayout& table, const std::string& row)
{
    std::vector<std::optional<std::string>> references(table.def.columns.size());
    const auto isLong = [](const ColumnDef& column) { return isLongValue(column.type); };
    if (std::none_of(table.def.columns.begin(), table.def.columns.end(), isLong)) return references;
    TableLayout raw = table;
    for (ColumnDef& column : raw.def.columns)
        if (isLongValue(column.type)) column.type = ColumnType::Binary;
    std::vector<Value> values;
    RowDecoder(file, format, raw)
        .decode(ByteView(reinterpret_cast<const std::uint8_t*>(row.data()), row.size()), values);
    for (std::size_t i = 0; i < values.size() && i < references.size(); ++i)
        if (isLongValue(table.def.columns[i].type) && !values[i].isNull()) references[i] = values[i].bytes;
    return references;
}

const LongValueMaps* longValueMapsOf(const TableLayout& table, const ColumnDef& column)
{
    for (const LongValueMaps& maps : table.longValueMaps)
        if (maps.columnNumber == column.number) return &maps;
    return nullptr;
}

std::vector<Value> decodeRow(PageFile& file, const Format& format, const TableLayout& table, const std::string& row)
{
    std::vector<Value> values;
    RowDecoder(file, format, table)
        .decode(ByteView(reinterpret_cast<const std::uint8_t*>(row.data()), row.size()), values);
    return values;
}

}  // namespace

// What every row change works with: new pages, the table's rows and its indexes.
struct JetDatabase::RowChange {
    RowChange(PageFile& file, const Format& format, TableLayout& table)
        : pages(file, format), rows(file, format, pages, table), indexes(file, format, pages)
    {}
    PageAllocator pages;
    RowStore rows;
    IndexWriter indexes;
};

const TableLayout& JetDatabase::layoutAt(std::uint32_t definitionPage)
{
    for (const CatalogEntry& entry : catalog_)
        if (entry.kind != ObjectKind::Query && entry.kind != ObjectKind::LinkedTable
            && definitionPageOf(entry) == definitionPage)
            return layout(definitionPage, entry.name, true);
    throw DbError(errc::fail, "Een relatie verwijst naar een tabel die niet in '" + file_.path() + "' staat.");
}

RelationshipRules JetDatabase::relationshipRules()
{
    return RelationshipRules(file_, *format_,
                             [this](std::uint32_t page) -> const TableLayout& { return layoutAt(page); });
}

void JetDatabase::changeRows(const TableDef& def, const std::function<void(TableLayout&, RowChange&)>& work)
{
    requireStatement();
    checkStop();
    TableLayout& table = layoutOf(def);
    guarded([&] {
        RowChange change(file_, *format_, table);
        work(table, change);
    });
}

// The stored form of a row: long values too large for the row go to long value pages first.
std::string JetDatabase::storedRow(const TableLayout& table, const std::vector<Value>& values, PageAllocator& pages)
{
    LongValueWriter longValues(file_, *format_, pages, longValuePage_);
    std::vector<std::optional<std::string>> references(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ColumnDef& column = table.def.columns[i];
        if (!isLongValue(column.type) || values[i].isNull()) continue;
        const std::string stored = column.type == ColumnType::Memo
                                       ? encodeJetText(values[i].bytes, format_->version, true, column.name)
                                       : values[i].bytes;
        references[i] = longValues.store(stored, longValueMapsOf(table, column));
    }
    try {
        return RowEncoder(*format_, table).encode(values, &references);
    } catch (const DbError& e) {
        throw DbError(e.number(), e.description() + " in de tabel '" + table.def.name + "'.");
    }
}

void JetDatabase::freeLongValues(const TableLayout& table, const std::string& row, PageAllocator& pages)
{
    LongValueWriter longValues(file_, *format_, pages, longValuePage_);
    const auto references = longValueReferences(file_, *format_, table, row);
    for (std::size_t i = 0; i < references.size(); ++i)
        if (references[i])
            longValues.free(
                ByteView(reinterpret_cast<const std::uint8_t*>(references[i]->data()), references[i]->size()),
                longValueMapsOf(table, table.def.columns[i]));
}

void refuseCalculatedColumns(const TableDef& def, const std::string& change)
{
    for (const ColumnDef& column : def.columns)
        if (column.calculated)
            throw DbError(errc::fail, "De tabel '" + def.name + "' heeft een berekend veld ('" + column.name + "'); "
                                          + change + " kan in deze tabel niet.");
}

RowId JetDatabase::insertRow(const TableDef& def, std::vector<Value> values)
{
    refuseCalculatedColumns(def, "rijen toevoegen of wijzigen");
    RowId id = 0;
    changeRows(def, [&](TableLayout& table, RowChange& change) {
        const std::uint32_t lastAutoNumber = fillAutomaticValues(table, values);
        checkValues(table.def, values);
        change.indexes.check(table, values);
        relationshipRules().checkReferences(table, values, nullptr);
        id = change.rows.insert(storedRow(table, values, change.pages));
        removed_.erase({table.def.definitionPage, id});  // the place of a row deleted earlier, taken again
        change.indexes.insert(table, values, id);
        if (lastAutoNumber != table.nextAutoNumber) change.rows.setLastAutoNumber(lastAutoNumber);
    });
    return id;
}

// A referenced row changes first and the rows that follow it after, so that their new keys find it; rows that
// must not follow refuse the change before anything is written.
void JetDatabase::updateRow(const TableDef& def, RowId row, std::vector<Value> values)
{
    requireStatement();
    refuseCalculatedColumns(def, "rijen toevoegen of wijzigen");
    if (removed_.count({def.definitionPage, row})) return;  // a cascade deleted it
    if (const auto changed = cascaded_.find({def.definitionPage, row}); changed != cascaded_.end())
        for (const auto& [column, change] : changed->second)
            if (column < values.size() && values[column] == change.first) values[column] = change.second;
    std::vector<Referrers> following;
    changeRows(def, [&](TableLayout& table, RowChange& change) {
        const std::string before = change.rows.read(row);
        const std::vector<Value> old = decodeRow(file_, *format_, table, before);
        for (std::size_t i = 0; i < values.size() && i < old.size(); ++i)
            if (table.def.columns[i].autoNumber && values[i].isNull())
                values[i] = old[i];  // an AutoNumber keeps its value
        const std::uint32_t lastAutoNumber = fillAutomaticValues(table, values);
        checkValues(table.def, values);
        RelationshipRules relationships = relationshipRules();
        relationships.checkReferences(table, values, &old);
        following = relationships.referrers(table, old, &values);
        for (const Referrers& referrers : following)
            for (const RowId other : referrers.rows)
                if (!(referrers.updateAction & cascadeUpdatesAction)
                    && !removed_.count({referrers.table->def.definitionPage, other}))
                    throw stillReferenced(referrers, table.def.name);
        freeLongValues(table, before, change.pages);
        change.rows.replace(row, storedRow(table, values, change.pages));
        change.indexes.update(table, old, values, row);
        if (lastAutoNumber != table.nextAutoNumber) change.rows.setLastAutoNumber(lastAutoNumber);
    });
    guarded([&] { followUpdate(layoutOf(def), following); });
}

// The rows that follow a deleted one go (or change) first, while it still marks their key as being deleted.
void JetDatabase::deleteRow(const TableDef& def, RowId row)
{
    requireStatement();
    if (!removed_.insert({def.definitionPage, row}).second) return;  // a cascade deleted it, or is deleting it
    const std::vector<Value> old = storedValues(def, row);
    guarded([&] { followDeletion(layoutOf(def), old); });
    changeRows(def, [&](TableLayout& table, RowChange& change) {
        const std::string before = change.rows.read(row);
        freeLongValues(table, before, change.pages);
        change.rows.remove(row);
        change.indexes.remove(table, old, row);
    });
}

std::vector<Value> JetDatabase::storedValues(const TableDef& def, RowId row)
{
    std::vector<Value> values;
    changeRows(def, [&](TableLayout& table, RowChange& change) {
        values = decodeRow(file_, *format_, table, change.rows.read(row));
    });
    return values;
}

}  // namespace querimo::jet
