#include "jet/tables/PropertyMaps.h"

#include <cstring>
#include <vector>

#include "jet/format/PropertyMapLayout.h"
#include "jet/rows/JetText.h"

namespace querimo::jet {
namespace {

std::string name(ByteView block, std::size_t& pos, Version version)
{
    const std::size_t length = block.u16(pos);
    std::string text = decodeJetText(block.sub(pos + 2, length), version);
    pos += 2 + length;
    return text;
}

const StoredProperty* findProperty(const PropertyMaps& maps, const std::string& object, const std::string& property)
{
    const auto o = maps.find(object);
    if (o == maps.end()) return nullptr;
    const auto p = o->second.find(property);
    return p == o->second.end() ? nullptr : &p->second;
}

}  // namespace

PropertyMaps readPropertyMaps(ByteView stored, Version version)
{
    PropertyMaps maps;
    if (stored.size() < 4 || (std::memcmp(stored.data(), "MR2", 4) != 0 && std::memcmp(stored.data(), "KKD", 4) != 0))
        return maps;
    std::vector<std::string> names;
    for (std::size_t pos = 4; pos + 6 <= stored.size();) {
        const std::size_t length = stored.u32(pos);
        const std::uint16_t kind = stored.u16(pos + 4);
        if (length < 6) corrupt("een eigenschappenblok is te kort");
        const ByteView block = stored.sub(pos + 6, length - 6);
        pos += length;
        if (kind == propertyNameListChunk) {
            for (std::size_t at = 0; at < block.size();) names.push_back(name(block, at, version));
            continue;
        }
        if (block.size() == 0) continue;
        const std::size_t header = block.u32(0);
        std::size_t at = 4;
        const std::string object = header > 6 ? name(block, at, version) : std::string();
        auto& properties = maps[object];
        for (at = header; at < block.size();) {
            const std::size_t entryLength = block.u16(at);
            if (entryLength < 8) corrupt("een eigenschap is te kort");
            const std::size_t nameIndex = block.u16(at + 4);
            if (nameIndex >= names.size()) corrupt("een eigenschap verwijst naar een onbekende naam");
            properties[names[nameIndex]] = StoredProperty{block.u8(at + 3), block.bytes(at + 8, block.u16(at + 6))};
            at += entryLength;
        }
    }
    return maps;
}

bool propertyIsTrue(const PropertyMaps& maps, const std::string& object, const std::string& property)
{
    const StoredProperty* p = findProperty(maps, object, property);
    return p && !p->bytes.empty() && p->bytes[0] != 0;
}

std::string propertyText(const PropertyMaps& maps, const std::string& object, const std::string& property,
                         Version version)
{
    const StoredProperty* p = findProperty(maps, object, property);
    if (!p) return {};
    const std::string& bytes = p->bytes;
    return decodeJetText(ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), version);
}

std::optional<std::int32_t> propertyNumber(const PropertyMaps& maps, const std::string& object,
                                           const std::string& property)
{
    const StoredProperty* p = findProperty(maps, object, property);
    if (!p) return std::nullopt;
    const std::string& bytes = p->bytes;
    const ByteView stored(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    switch (static_cast<ColumnType>(p->type)) {
    case ColumnType::Byte: return bytes.size() >= 1 ? std::optional<std::int32_t>(stored.u8(0)) : std::nullopt;
    case ColumnType::Integer: return bytes.size() >= 2 ? std::optional<std::int32_t>(stored.i16(0)) : std::nullopt;
    case ColumnType::Long: return bytes.size() >= 4 ? std::optional<std::int32_t>(stored.i32(0)) : std::nullopt;
    default: return std::nullopt;
    }
}

}  // namespace querimo::jet
