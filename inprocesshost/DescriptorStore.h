// A scripting descriptor as the in-process host keeps it: typed values under
// four-character keys, in the order they were put. A descriptor travels to
// and from the plug-in as the bytes of a host handle (Serialize and
// Deserialize); the form of those bytes is private to this host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pluginapi/PluginInterface.h"

// Value type of a count (a list's length); the interface header names none.
inline constexpr ps::DescType kDescriptorTypeCount = ps::FourCC("VlLs");

struct DescriptorItem {
    uint32_t key = 0;
    ps::DescType type = 0;
    int32_t integer = 0;  // typeInteger; kDescriptorTypeCount (as unsigned); typeBoolean (0 or 1)
    double number = 0.0;  // typeFloat, typeUnitFloat
    uint32_t code = 0;    // the unit (typeUnitFloat), enumeration type (typeEnumerated), class (typeClass,
                          // typeObject)
    uint32_t value = 0;   // the enumerated value (typeEnumerated)
    std::string bytes;    // text (typeChar), alias, a simple reference's bytes, an object's descriptor bytes

    friend bool operator==(const DescriptorItem& a, const DescriptorItem& b);
    friend bool operator!=(const DescriptorItem& a, const DescriptorItem& b) { return !(a == b); }
};

class DescriptorStore {
public:
    // Putting a key that is already there replaces its value in place.
    void PutInteger(uint32_t key, int32_t value);
    void PutFloat(uint32_t key, double value);
    void PutUnitFloat(uint32_t key, uint32_t unit, double value);
    void PutBoolean(uint32_t key, bool value);
    void PutText(uint32_t key, std::string text);
    void PutAlias(uint32_t key, std::string bytes);
    void PutEnumerated(uint32_t key, uint32_t enumerationType, uint32_t value);
    void PutClass(uint32_t key, uint32_t classId);
    void PutSimpleReference(uint32_t key, const ps::PIDescriptorSimpleReference& reference);
    void PutObject(uint32_t key, uint32_t classId, const DescriptorStore& object);
    void PutCount(uint32_t key, uint32_t count);
    void Put(DescriptorItem item);

    // The item under `key`, or null.
    const DescriptorItem* Find(uint32_t key) const;
    const std::vector<DescriptorItem>& Items() const { return items_; }
    std::size_t Size() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }

    std::vector<uint8_t> Serialize() const;
    // False, leaving `store` untouched, when `bytes` are not a descriptor
    // this host wrote (wrong header, truncated, trailing bytes, an unknown type).
    static bool Deserialize(const uint8_t* bytes, std::size_t size, DescriptorStore& store);

    friend bool operator==(const DescriptorStore& a, const DescriptorStore& b) { return a.items_ == b.items_; }
    friend bool operator!=(const DescriptorStore& a, const DescriptorStore& b) { return !(a == b); }

private:
    std::vector<DescriptorItem> items_;
};
