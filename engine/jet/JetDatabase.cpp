#include "jet/JetDatabase.h"

#include <atomic>

#include "core/Text.h"
#include "jet/catalog/Catalog.h"
#include "jet/journal/Journal.h"
#include "jet/pages/UsageMap.h"
#include "jet/rows/TableScanner.h"
#include "jet/tables/PropertyMaps.h"
#include "jet/tables/TableDefinition.h"

namespace querimo::jet {
namespace {

constexpr std::uint32_t minimumPages = 3;  // header, global usage map, catalog definition
// Pages kept read (32 MB of Jet 4 pages): the index and data pages of the tables a session keeps seeking in,
// well beyond the few a single lookup needs.
constexpr std::size_t cachedPages = 8192;

// The kinds Access offers as a calculated column's result.
bool calculatedResultKind(std::int32_t code)
{
    switch (static_cast<ColumnType>(code)) {
    case ColumnType::Boolean:
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
    case ColumnType::Currency:
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime:
    case ColumnType::Text:
    case ColumnType::Memo:
    case ColumnType::Guid:
    case ColumnType::Decimal: return true;
    default: return false;
    }
}

// A calculated column's expression, and the type of its result where Access names it apart from the definition.
// A Memo result is a long value and any other is kept in the row: the one never stands for the other.
void applyCalculation(const PropertyMaps& maps, ColumnDef& column, Version version)
{
    column.expression = propertyText(maps, column.name, "Expression", version);
    const auto result = propertyNumber(maps, column.name, "ResultType");
    if (result && calculatedResultKind(*result) && !isLongValue(column.type)
        && !isLongValue(static_cast<ColumnType>(*result)))
        column.type = static_cast<ColumnType>(*result);
}

}  // namespace

JetDatabase::JetDatabase(const OpenOptions& options)
    : file_(options.path, options.exclusive, cachedPages), lock_(options.path, file_.writable())
{
    // A writer that crashed left its journal: roll the file back before anything of it is read.
    lock_.lock(file_.writable());
    Journal::recover(options.path);
    lock_.lock(false);
    // The page file took the file's size before we held the lock; another writer may have grown it since.
    file_.refresh();
    knownStamp_ = lock_.stamp();
    struct Unlock {
        StatementLock& lock;
        ~Unlock() { lock.unlock(); }
    } unlockWhenRead{lock_};
    const std::vector<std::uint8_t> prefix = file_.readPrefix(header::bytesNeeded);
    header_ = decodeHeader(ByteView(prefix.data(), prefix.size()), options.path);
    format_ = &Format::of(header_.version);
    if (!header_.password.empty() && header_.password != options.databasePassword)
        throw DbError(errc::authentication, "Het databasewachtwoord voor '" + options.path + "' is onjuist.");
    file_.configure(format_->pageSize, header_.encodingKey);
    if (file_.fileSize() % format_->pageSize != 0 || file_.pageCount() < minimumPages)
        throw DbError(errc::fail,
                      "Het bestand '" + options.path + "' is afgebroken: het eindigt midden in een pagina.");
    readCatalogTable();
}

void JetDatabase::newSchemaVersion()
{
    static std::atomic<std::uint64_t> last{0};
    schemaVersion_ = ++last;
}

void JetDatabase::readCatalogTable()
{
    newSchemaVersion();
    guarded([&] {
        const TableLayout objects = withColumnsOnly(layout(catalogDefinitionPage, "MSysObjects"), catalogColumns());
        TableScanner scan(file_, *format_, objects, usageMapPages(file_, *format_, objects.usedPagesMap));
        catalog_ = readCatalog(objects.def, scan);
        catalogByName_.clear();
        // A damaged catalog may name two objects alike: the first one counts, as a search from the start found.
        for (std::size_t i = 0; i < catalog_.size(); ++i) catalogByName_.emplace(text::foldedKey(catalog_[i].name), i);
    });
}

const CatalogEntry* JetDatabase::findEntry(std::string_view name) const
{
    const auto found = catalogByName_.find(text::foldedKey(name));
    return found == catalogByName_.end() ? nullptr : &catalog_[found->second];
}

const TableDef& JetDatabase::table(std::string_view name)
{
    if (const CatalogEntry* entry = findEntry(name); entry && entry->kind != ObjectKind::Query) {
        if (entry->kind == ObjectKind::LinkedTable)
            throw DbError(errc::notFound, "De tabel '" + entry->name + "' is gekoppeld aan " + linkTarget(*entry)
                                              + " en kan niet gelezen worden.");
        const TableLayout* found = nullptr;
        guarded([&] { found = &layout(definitionPageOf(*entry), entry->name, true); });
        return found->def;
    }
    throw DbError(errc::notFound, "De tabel '" + std::string(name) + "' bestaat niet in '" + file_.path() + "'.");
}

TableLayout& JetDatabase::layoutOf(const TableDef& table)
{
    const auto found = tables_.find(table.definitionPage);
    if (found == tables_.end() || &found->second->def != &table)
        throw DbError(errc::fail, "De tabel '" + table.name + "' hoort niet bij '" + file_.path() + "'.");
    return *found->second;
}

std::unique_ptr<TableScan> JetDatabase::scan(const TableDef& table)
{
    const TableLayout& layout = layoutOf(table);
    std::unique_ptr<TableScan> scanner;
    guarded([&] {
        scanner = std::make_unique<TableScanner>(file_, *format_, layout,
                                                 usageMapPages(file_, *format_, layout.usedPagesMap), stopSignal());
    });
    return scanner;
}

std::vector<QueryRow> JetDatabase::queryRows(std::int32_t objectId)
{
    if (!queryRowsLoaded_) {
        loadQueryRows();
        queryRowsLoaded_ = true;
    }
    const auto found = queryRows_.find(objectId);
    return found == queryRows_.end() ? std::vector<QueryRow>{} : found->second;
}

// MSysQueries in one pass, grouped by query; rows of a query keep their stored order.
void JetDatabase::loadQueryRows()
{
    queryRows_.clear();
    const TableDef& queries = table("MSysQueries");
    const auto position = [&](const char* name) -> std::size_t {
        const ColumnDef* column = queries.column(name);
        if (!column)
            throw DbError(errc::fail, "De tabel MSysQueries in '" + file_.path() + "' mist de kolom " + name + ".");
        return static_cast<std::size_t>(column->ordinal - 1);
    };
    const std::size_t attribute = position("Attribute"), expression = position("Expression"), flag = position("Flag"),
                      name1 = position("Name1"), name2 = position("Name2"), object = position("ObjectId"),
                      order = position("Order");
    const auto number = [](const Value& v) -> std::int64_t {
        if (v.kind == Value::Kind::Binary || v.kind == Value::Kind::Text) {
            std::int64_t n = 0;  // Order is stored as bytes, most significant first
            for (unsigned char c : v.bytes) n = (n << 8) | c;
            return n;
        }
        return v.isNull() ? 0 : v.integer;
    };
    const auto textOf = [](const Value& v) { return v.kind == Value::Kind::Text ? v.bytes : std::string(); };

    std::vector<Value> values;
    const auto reader = scan(queries);
    while (reader->next(values)) {
        QueryRow row;
        row.attribute = static_cast<int>(number(values[attribute]));
        row.expression = textOf(values[expression]);
        row.flag = static_cast<int>(number(values[flag]));
        row.name1 = textOf(values[name1]);
        row.name2 = textOf(values[name2]);
        row.objectId = static_cast<std::int32_t>(number(values[object]));
        row.order = static_cast<int>(number(values[order]));
        queryRows_[row.objectId].push_back(std::move(row));
    }
}

const TableLayout& JetDatabase::layout(std::uint32_t page, const std::string& name, bool withProperties)
{
    auto found = tables_.find(page);
    if (found == tables_.end()) {
        auto table = std::make_unique<TableLayout>(readTableDefinition(file_, *format_, page, name));
        if (withProperties) applyProperties(*table);
        found = tables_.emplace(page, std::move(table)).first;
    }
    return *found->second;
}

// Required columns are a property Access keeps beside the definition, in MSysObjects.LvProp.
void JetDatabase::applyProperties(TableLayout& table)
{
    if (!propertiesLoaded_) {
        const TableLayout objects = withColumnsOnly(layout(catalogDefinitionPage, "MSysObjects"), {"Id", "LvProp"});
        TableScanner scan(file_, *format_, objects, usageMapPages(file_, *format_, objects.usedPagesMap));
        std::vector<Value> values;
        while (objects.def.columns.size() == 2 && scan.next(values))
            if (values[1].kind == Value::Kind::Binary)
                storedProperties_[static_cast<std::uint32_t>(values[0].integer) & 0x00FFFFFF] =
                    std::move(values[1].bytes);
        propertiesLoaded_ = true;
    }
    const auto stored = storedProperties_.find(table.def.definitionPage);
    if (stored == storedProperties_.end()) return;
    try {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(stored->second.data());
        const PropertyMaps maps = readPropertyMaps(ByteView(bytes, stored->second.size()), header_.version);
        for (ColumnDef& column : table.def.columns) {
            column.required = propertyIsTrue(maps, column.name, "Required");
            column.defaultValue = propertyText(maps, column.name, "DefaultValue", header_.version);
            if (column.calculated) applyCalculation(maps, column, header_.version);
        }
    } catch (const CorruptFile&) {
        // Damaged properties leave the columns as the definition gives them.
    }
}

std::unique_ptr<Database> Database::open(const OpenOptions& options)
{
    return std::make_unique<JetDatabase>(options);
}

}  // namespace querimo::jet
