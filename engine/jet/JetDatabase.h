#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

#include "jet/Database.h"
#include "jet/catalog/RelationshipRules.h"
#include "jet/format/Format.h"
#include "jet/journal/StatementLock.h"
#include "jet/pages/Corruption.h"
#include "jet/pages/Header.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/IndexWalk.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

struct CatalogObject;

// Access computes a calculated column again whenever a row is written; we cannot, and a stale result is wrong.
// DbError naming the first such column of the table and what cannot be done (`change`, Dutch).
void refuseCalculatedColumns(const TableDef& def, const std::string& change);

// The Jet file behind Database. Reading lives in JetDatabase.cpp, statements and row changes in
// JetDatabaseWrite.cpp, updates and deletes with what relationships make them do to other rows in
// JetDatabaseCascades.cpp, tables, columns and indexes in JetDatabaseSchema.cpp, the rest of the catalog
// (queries, relationships, password, new files) in JetDatabaseCatalog.cpp.
class JetDatabase : public Database {
public:
    explicit JetDatabase(const OpenOptions& options);
    ~JetDatabase() override;

    Version version() const override { return header_.version; }
    std::uint64_t schemaVersion() const override { return schemaVersion_; }
    const std::string& path() const override { return file_.path(); }
    const std::vector<CatalogEntry>& catalog() const override { return catalog_; }
    const CatalogEntry* findEntry(std::string_view name) const override;
    const TableDef& table(std::string_view name) override;
    std::unique_ptr<TableScan> scan(const TableDef& table) override;
    std::unique_ptr<TableScan> scan(const TableDef& table,
                                    const std::vector<std::size_t>& columns) override;  // JetDatabaseColumns.cpp
    std::unique_ptr<TableScan> seek(const TableDef& table, std::size_t index, const KeyRange& range,
                                    const std::vector<std::size_t>& columns) override;
    std::optional<double> shareOf(const TableDef& table, std::size_t index,
                                  const KeyRange& range) override;            // JetDatabaseSeek.cpp
    TextOrder textOrder() const override;                                     // JetDatabaseSeek.cpp
    TextOrder textOrder(const TableDef& table, std::size_t column) override;  // JetDatabaseSeek.cpp
    std::vector<QueryRow> queryRows(std::int32_t objectId) override;

    void beginRead() override;
    void endRead() override;
    void beginStatement() override;
    void commitStatement() override;
    void rollbackStatement() override;
    RowId insertRow(const TableDef& table, std::vector<Value> values) override;
    void updateRow(const TableDef& table, RowId row, std::vector<Value> values) override;
    void deleteRow(const TableDef& table, RowId row) override;

    void createTable(const TableDef& table) override;
    void dropTable(std::string_view name) override;
    void addColumn(std::string_view table, const ColumnDef& column) override;
    void dropColumn(std::string_view table, std::string_view column) override;
    void alterColumn(std::string_view table, const ColumnDef& column, const ColumnConversion& convert) override;
    void setNextAutoNumber(std::string_view table, std::uint32_t next) override;
    void createIndex(std::string_view table, const IndexDef& index) override;
    void dropIndex(std::string_view table, std::string_view index) override;
    void createRelationship(std::string_view table, const IndexDef& foreignKey, std::string_view referencedTable,
                            const std::vector<std::string>& referencedColumns,
                            const ReferentialActions& actions) override;
    void createQuery(const std::string& name, const std::vector<QueryRow>& rows) override;
    void dropQuery(std::string_view name) override;
    void changeDatabasePassword(const std::string& newPassword, const std::string& oldPassword) override;

private:
    template <typename Work>
    void guarded(Work work)
    {
        try {
            work();
        } catch (const CorruptFile& e) {
            throw damagedFile(file_.path(), e);
        }
    }

    void readCatalogTable();
    // A reader (made by `reader` from the table reduced to these columns) whose rows have the full width;
    // nullptr when `reader` made none. `keep`: the reduced table is kept for the next reader of the same
    // columns until the definitions change (for readers that decode rows only, as many short seeks do).
    std::unique_ptr<TableScan> columnsOnly(const TableDef& table, const std::vector<std::size_t>& columns,
                                           const std::function<std::unique_ptr<TableScan>(const TableLayout&)>& reader,
                                           bool keep);
    // A schemaVersion_ no database of this process had before, so that one opened where a closed one lived
    // never passes for it with what was resolved against the closed one.
    void newSchemaVersion();
    // The walk over one index of the table; nullopt when the range has no keys.
    std::optional<IndexWalk> indexWalk(const TableLayout& table, std::size_t index, const KeyRange& range);
    std::optional<IndexWalk> indexWalk(const TableLayout& table, std::size_t index,
                                       const std::vector<KeyColumn>& columns, const KeyRange& range);
    // The index's stored layout and the key bounds of the range on it (nullopt when the range has no keys).
    const RealIndexLayout& realIndex(const TableLayout& table, std::size_t index);
    std::optional<std::vector<KeyColumn>> keyColumns(const TableLayout& table, std::size_t index);
    void loadQueryRows();
    const TableLayout& layout(std::uint32_t page, const std::string& name, bool withProperties = false);
    void applyProperties(TableLayout& table);
    TableLayout& layoutOf(const TableDef& table);               // the layout behind a TableDef this database handed out
    const TableLayout& layoutAt(std::uint32_t definitionPage);  // of the table the catalog lists there
    RelationshipRules relationshipRules();
    // MSysACEs (JetDatabaseCatalog.cpp): a new object's rights from its container, and a dropped one's away.
    void grantContainerRights(const CatalogObject& object, const std::string& owner);
    void revokeRights(std::int32_t objectId);
    // Data definition (JetDatabaseSchema.cpp).
    TableLayout& schemaLayout(std::string_view name, bool allowSystem);
    // A column added or changed by data definition takes the file's General sort order (of Access 2010 and
    // later where the header names that one), as Access gives it.
    void useFileSortOrder(ColumnStorage& storage) const;
    void storeDefinition(TableLayout& layout, std::vector<std::uint32_t> chain);
    void reloadLayout(TableLayout& layout);
    std::pair<RowId, std::vector<Value>> catalogRowOf(const TableLayout& layout);
    void storeColumnProperties(TableLayout& layout, const std::vector<std::string>& dropped);
    // `convert` null: the values stay as they are.
    void rebuildTable(TableLayout& layout, const std::function<void(TableLayout&)>& change, const std::string& dropped,
                      const ColumnConversion* convert = nullptr);
    // Statements and reads (JetDatabaseWrite.cpp).
    void takeLock(bool exclusive);  // outermost read or statement: lock, recover a crashed writer, catch up
    void releaseLock();
    void reloadCaches();  // layouts in place, catalog, properties and queries read again
    void requireStatement() const;
    // Row changes (JetDatabaseWrite.cpp).
    struct RowChange;
    void changeRows(const TableDef& table, const std::function<void(TableLayout&, RowChange&)>& work);
    std::string storedRow(const TableLayout& table, const std::vector<Value>& values, PageAllocator& pages);
    void freeLongValues(const TableLayout& table, const std::string& row, PageAllocator& pages);
    // Cascades (JetDatabaseCascades.cpp).
    std::vector<Value> storedValues(const TableDef& table, RowId row);
    void followDeletion(const TableLayout& table, const std::vector<Value>& old);
    void followUpdate(const TableLayout& table, const std::vector<Referrers>& referrers);

    PageFile file_;
    StatementLock lock_;
    FileStamp knownStamp_;  // the file as our caches know it
    int readDepth_ = 0;
    bool inStatement_ = false;
    std::set<std::pair<std::uint32_t, RowId>> removed_;  // rows this statement deleted or is deleting, by table
    // Columns a cascade of this statement changed, by table and row: the value before and after. A caller that
    // read the row before (an UPDATE of a table related to itself) gets the cascade's value where it kept the old.
    std::map<std::pair<std::uint32_t, RowId>, std::map<std::size_t, std::pair<Value, Value>>> cascaded_;
    std::uint32_t longValuePage_ = 0;  // where the last long value went; new ones join it while it has room
    std::vector<std::unique_ptr<TableLayout>>
        retired_;  // tables a rollback took away; handed-out references stay valid
    DatabaseHeader header_;
    const Format* format_ = nullptr;
    std::vector<CatalogEntry> catalog_;
    std::unordered_map<std::string, std::size_t> catalogByName_;  // folded name: position in catalog_
    std::uint64_t schemaVersion_ = 0;
    std::map<std::uint32_t, std::unique_ptr<TableLayout>> tables_;  // by definition page
    ParsedIndexPages indexPages_;
    std::map<std::pair<std::uint32_t, std::vector<std::size_t>>, std::shared_ptr<const TableLayout>> reducedLayouts_;
    std::uint64_t reducedFor_ = 0;  // the schemaVersion_ the reduced layouts belong to
    bool propertiesLoaded_ = false;
    std::map<std::uint32_t, std::string> storedProperties_;  // LvProp by definition page
    bool queryRowsLoaded_ = false;
    std::map<std::int32_t, std::vector<QueryRow>> queryRows_;
};

}  // namespace querimo::jet
