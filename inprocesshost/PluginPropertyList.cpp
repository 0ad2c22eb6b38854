#include "inprocesshost/PluginPropertyList.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderSize = 10;    // resource version, list version, count
constexpr std::size_t kPropertyHead = 16;  // vendor, key, id, length
constexpr uint32_t kFilterKind = PropertyKey("8BFM");

uint32_t LittleLong(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// "8BFM" for a key, or its number when it does not spell printable text.
std::string KeyText(uint32_t key) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((key >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) return std::to_string(key);
        text += c;
    }
    return text;
}

}  // namespace

const PluginProperty* PluginPropertyList::Find(uint32_t key) const {
    const auto found =
        std::find_if(properties.begin(), properties.end(), [key](const PluginProperty& p) { return p.key == key; });
    return found == properties.end() ? nullptr : &*found;
}

bool ParsePluginPropertyList(const uint8_t* bytes, std::size_t size, PluginPropertyList& list, std::string& problem) {
    list.properties.clear();
    if (bytes == nullptr || size < kHeaderSize) {
        problem = "its property list is too short";
        return false;
    }
    if (bytes[0] != 1 || bytes[1] != 0) {
        problem = "its property list has an unknown resource version";
        return false;
    }
    const uint32_t listVersion = LittleLong(bytes + 2);
    if (listVersion != 0) {
        problem = "its property list has the unknown version " + std::to_string(listVersion);
        return false;
    }
    const uint32_t count = LittleLong(bytes + 6);
    // Every property takes at least its head: a larger count cannot be true
    // and must not size anything.
    if (count > (size - kHeaderSize) / kPropertyHead) {
        problem =
            "its property list claims " + std::to_string(count) + " properties in " + std::to_string(size) + " bytes";
        return false;
    }
    PluginPropertyList parsed;
    parsed.properties.reserve(count);
    std::size_t offset = kHeaderSize;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - offset < kPropertyHead) {
            problem = "its property list ends inside property " + std::to_string(i + 1);
            return false;
        }
        PluginProperty property;
        property.vendor = LittleLong(bytes + offset);
        property.key = LittleLong(bytes + offset + 4);
        property.id = LittleLong(bytes + offset + 8);
        const uint32_t length = LittleLong(bytes + offset + 12);
        offset += kPropertyHead;
        if (length > size - offset) {
            problem = "property " + KeyText(property.key) + " of its property list runs past the list's end";
            return false;
        }
        property.data.assign(bytes + offset, bytes + offset + length);
        // Padding to 4 bytes; the last property's may be cut off.
        const std::size_t padded = (static_cast<std::size_t>(length) + 3) & ~std::size_t{3};
        offset += std::min(padded, size - offset);
        parsed.properties.push_back(std::move(property));
    }
    list = std::move(parsed);
    return true;
}

bool FilterEntryName(const PluginPropertyList& list, uint32_t entryKey, std::string& entryName, std::string& problem) {
    entryName.clear();
    const PluginProperty* kind = list.Find(PropertyKey("kind"));
    if (kind == nullptr) {
        problem = "its property list does not say what kind of plug-in it is";
        return false;
    }
    const uint32_t kindCode = kind->data.size() >= 4 ? LittleLong(kind->data.data()) : 0;
    if (kindCode != kFilterKind) {
        problem = "it is not a filter plug-in (its kind is " + KeyText(kindCode) + ")";
        return false;
    }
    const PluginProperty* entry = list.Find(entryKey);
    if (entry == nullptr) {
        problem = "its property list names no entry point for this processor (property " + KeyText(entryKey) + ")";
        return false;
    }
    const auto end = std::find(entry->data.begin(), entry->data.end(), uint8_t{0});
    entryName.assign(entry->data.begin(), end);
    if (entryName.empty()) {
        problem = "its property list names an empty entry point (property " + KeyText(entryKey) + ")";
        return false;
    }
    return true;
}

std::string PropertyPascalString(const PluginPropertyList& list, uint32_t key) {
    const PluginProperty* property = list.Find(key);
    if (property == nullptr || property->data.empty()) return std::string();
    const std::size_t length = property->data[0];
    if (length + 1 > property->data.size()) return std::string();
    return std::string(property->data.begin() + 1, property->data.begin() + 1 + static_cast<std::ptrdiff_t>(length));
}
