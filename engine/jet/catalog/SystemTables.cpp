#include "jet/catalog/SystemTables.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "jet/format/Format.h"
#include "jet/format/HeaderLayout.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/tables/NewTableLayout.h"

namespace querimo::jet {
namespace {

constexpr std::uint8_t fixedColumn = 0x13;  // fixed length, updatable, and the bit Access sets on all of these
constexpr std::uint8_t variableColumn = 0x12;
constexpr std::uint8_t ownerColumn = 0x32;  // the security ids (Owner, SID)
constexpr std::uint8_t uniqueIndex = 0x81;
constexpr std::uint8_t requiredIndex = 0x88;
constexpr std::uint8_t plainIndex = 0x82;

struct ColumnSpec {
    const char* name;
    ColumnType type;
    std::uint8_t flags = 0;  // 0: by the storage (fixed or variable)
};

// The layout Access gives any new table, with the flags and text form Access uses for its own tables.
TableLayout tableOf(Version version, const char* name, const std::vector<ColumnSpec>& columns)
{
    TableDef def;
    def.name = name;
    for (const ColumnSpec& spec : columns) {
        ColumnDef column;
        column.name = spec.name;
        column.type = spec.type;
        if (spec.type == ColumnType::Binary) column.size = version == Version::Jet4 ? 510 : 255;
        def.columns.push_back(column);
    }
    TableLayout table = newTableLayout(Format::of(version), def);
    table.system = true;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnDef& column = table.def.columns[i];
        ColumnStorage& storage = table.storage[i];
        storage.flags = columns[i].flags ? columns[i].flags : column.fixed ? fixedColumn : variableColumn;
        storage.compressedUnicode = false;
        storage.displayIndex = 0;
        if (isLongValue(column.type)) table.longValueMaps.push_back(LongValueMaps{column.number, 0, 0});
    }
    return table;
}

void addIndex(Version version, TableLayout& table, const char* name, std::initializer_list<int> columns,
              std::uint8_t flags, bool primaryKey = false)
{
    if (version == Version::Jet3) flags &= ~indexJet4Flag;
    RealIndexLayout real;
    IndexDef index;
    index.name = name;
    for (int number : columns) {
        real.columns.push_back(IndexColumn{number, true});
        index.columns.push_back(IndexColumn{number, true});
    }
    real.flags = flags;
    index.primaryKey = primaryKey;
    index.unique = primaryKey || (flags & indexUniqueFlag) != 0;
    index.ignoreNulls = (flags & indexIgnoreNullsFlag) != 0;
    LogicalIndexLayout logical;
    logical.number = static_cast<std::uint32_t>(table.def.indexes.size());
    logical.updateAction = noReferentialAction;
    logical.deleteAction = noReferentialAction;
    table.realIndexOf.push_back(static_cast<int>(table.realIndexes.size()));
    table.realIndexes.push_back(real);
    table.def.indexes.push_back(index);
    table.logicalIndexes.push_back(logical);
}

// The tables an .accdb starts with for its complex columns: where they are listed, and the templates of the
// values a multi-valued field may hold and of an attachment.
void addComplexTables(std::vector<TableLayout>& tables)
{
    using T = ColumnType;
    TableLayout columns = tableOf(Version::Jet4, "MSysComplexColumns",
                                  {{"ColumnName", T::Text},
                                   {"ComplexTypeObjectID", T::Long},
                                   {"FlatTableID", T::Long},
                                   {"ConceptualTableID", T::Long},
                                   {"ComplexID", T::Long}});
    constexpr std::uint8_t requiredIgnoringNulls = 0x8A;
    addIndex(Version::Jet4, columns, "IdxConceptualTableID", {3}, requiredIgnoringNulls);
    addIndex(Version::Jet4, columns, "IdxFlatTableID", {2}, requiredIgnoringNulls);
    addIndex(Version::Jet4, columns, "IdxID", {4}, requiredIgnoringNulls | uniqueIndex, true);
    tables.push_back(columns);

    const std::pair<const char*, T> values[] = {{"UnsignedByte", T::Byte}, {"Short", T::Integer},     {"Long", T::Long},
                                                {"IEEESingle", T::Single}, {"IEEEDouble", T::Double}, {"GUID", T::Guid},
                                                {"Decimal", T::Decimal},   {"Text", T::Text}};
    for (const auto& [name, type] : values)
        tables.push_back(tableOf(Version::Jet4, (std::string("MSysComplexType_") + name).c_str(), {{"Value", type}}));
    tables.push_back(tableOf(Version::Jet4, "MSysComplexType_Attachment",
                             {{"FileURL", T::Memo},
                              {"FileName", T::Text},
                              {"FileType", T::Text},
                              {"FileData", T::OleObject},
                              {"FileTimeStamp", T::DateTime},
                              {"FileFlags", T::Long}}));
    // The templates' columns carry no system flag bits.
    for (auto table = tables.end() - 9; table != tables.end(); ++table)
        for (std::size_t i = 0; i < table->storage.size(); ++i)
            table->storage[i].flags = table->def.columns[i].fixed ? 0x03 : 0x02;
}

}  // namespace

std::uint32_t systemTableFlags(const std::string& name)
{
    constexpr std::uint32_t systemObject = 0x80000000;
    constexpr std::uint32_t complexTemplate = 0x80030000;
    return name.starts_with("MSysComplexType_") ? complexTemplate : systemObject;
}

std::vector<TableLayout> systemTableLayouts(Version version, int aceVersion)
{
    using T = ColumnType;
    TableLayout objects = tableOf(version, "MSysObjects",
                                  {{"Id", T::Long},
                                   {"ParentId", T::Long},
                                   {"Name", T::Text},
                                   {"Type", T::Integer},
                                   {"DateCreate", T::DateTime},
                                   {"DateUpdate", T::DateTime},
                                   {"Owner", T::Binary, ownerColumn},
                                   {"Flags", T::Long},
                                   {"Database", T::Memo},
                                   {"Connect", T::Memo},
                                   {"ForeignName", T::Text},
                                   {"RmtInfoShort", T::Binary},
                                   {"RmtInfoLong", T::OleObject},
                                   {"Lv", T::OleObject},
                                   {"LvProp", T::OleObject},
                                   {"LvModule", T::OleObject},
                                   {"LvExtra", T::OleObject}});
    addIndex(version, objects, "ParentIdName", {1, 2}, uniqueIndex);
    addIndex(version, objects, "Id", {0}, uniqueIndex, true);

    TableLayout aces = tableOf(
        version, "MSysACEs",
        {{"ObjectId", T::Long}, {"SID", T::Binary, ownerColumn}, {"ACM", T::Long}, {"FInheritable", T::Boolean}});
    addIndex(version, aces, "ObjectId", {0}, requiredIndex);

    std::vector<ColumnSpec> queryColumns{{"ObjectId", T::Long}, {"Attribute", T::Byte}, {"Order", T::Binary},
                                         {"Name1", T::Text},    {"Name2", T::Text},     {"Expression", T::Memo},
                                         {"Flag", T::Integer}};
    if (version == Version::Jet4) queryColumns.push_back({"LvExtra", T::Long});
    TableLayout queries = tableOf(version, "MSysQueries", queryColumns);
    addIndex(version, queries, "ObjectIdAttribute", {0, 1, 2}, uniqueIndex, true);

    TableLayout relationships = tableOf(version, "MSysRelationships",
                                        {{"szRelationship", T::Text},
                                         {"grbit", T::Long},
                                         {"ccolumn", T::Long},
                                         {"icolumn", T::Long},
                                         {"szObject", T::Text},
                                         {"szColumn", T::Text},
                                         {"szReferencedObject", T::Text},
                                         {"szReferencedColumn", T::Text}});
    addIndex(version, relationships, "szRelationship", {0}, plainIndex);
    addIndex(version, relationships, "szObject", {4}, plainIndex);
    addIndex(version, relationships, "szReferencedObject", {6}, plainIndex);

    std::vector<TableLayout> tables{objects, aces, queries, relationships};
    if (aceVersion != 0) addComplexTables(tables);
    if (header::newerGeneralOrder(aceVersion))
        for (TableLayout& table : tables)
            for (ColumnStorage& storage : table.storage) storage.sortOrderTail = general2010SortOrderTail;
    return tables;
}

}  // namespace querimo::jet
