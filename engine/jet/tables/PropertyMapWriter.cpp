#include "jet/tables/PropertyMapWriter.h"

#include <algorithm>
#include <vector>

#include "jet/format/PropertyMapLayout.h"
#include "jet/rows/RowEncoder.h"

namespace querimo::jet {
namespace {

constexpr std::uint8_t ddlFlag = 0x01;
constexpr int booleanType = static_cast<int>(ColumnType::Boolean);
constexpr int memoType = static_cast<int>(ColumnType::Memo);

void putLittle(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i, value >>= 8) out += static_cast<char>(value & 0xFF);
}

std::string storedText(const std::string& text, Version version)
{
    return encodeJetText(text, version, false, text);
}

void putName(std::string& out, const std::string& name, Version version)
{
    const std::string stored = storedText(name, version);
    putLittle(out, stored.size(), 2);
    out += stored;
}

void putChunk(std::string& out, std::uint16_t kind, const std::string& body)
{
    putLittle(out, body.size() + 6, 4);
    putLittle(out, kind, 2);
    out += body;
}

}  // namespace

std::string writePropertyMaps(const PropertyMaps& maps, Version version)
{
    std::vector<std::string> names;
    for (const auto& [object, properties] : maps)
        for (const auto& [name, property] : properties)
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);

    std::string out = version == Version::Jet4 ? std::string("MR2\0", 4) : std::string("KKD\0", 4);
    std::string list;
    for (const std::string& name : names) putName(list, name, version);
    putChunk(out, propertyNameListChunk, list);

    // The table's own block first, as Access writes it.
    std::vector<std::string> objects;
    if (maps.count("")) objects.push_back("");
    for (const auto& [object, properties] : maps)
        if (!object.empty() && !properties.empty()) objects.push_back(object);
    for (const std::string& object : objects) {
        std::string header;
        putName(header, object, version);
        std::string block;
        putLittle(block, header.size() + 4, 4);
        block += header;
        for (const auto& [name, property] : maps.at(object)) {
            const auto index = std::find(names.begin(), names.end(), name) - names.begin();
            putLittle(block, property.bytes.size() + 8, 2);
            putLittle(block, ddlFlag, 1);
            putLittle(block, static_cast<std::uint64_t>(property.type), 1);
            putLittle(block, static_cast<std::uint64_t>(index), 2);
            putLittle(block, property.bytes.size(), 2);
            block += property.bytes;
        }
        putChunk(out, object.empty() ? propertyObjectChunk : propertyColumnChunk, block);
    }
    return out;
}

void setColumnProperties(PropertyMaps& maps, const ColumnDef& column, Version version)
{
    auto& properties = maps[column.name];
    if (column.required)
        properties["Required"] = StoredProperty{booleanType, std::string(1, '\x01')};
    else
        properties.erase("Required");
    if (!column.defaultValue.empty())
        properties["DefaultValue"] = StoredProperty{memoType, storedText(column.defaultValue, version)};
    else
        properties.erase("DefaultValue");
    if (properties.empty()) maps.erase(column.name);
}

}  // namespace querimo::jet
