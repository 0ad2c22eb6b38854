#include "inprocesshost/DescriptorStore.h"

#include <cstring>
#include <utility>

namespace {

constexpr uint32_t kMagic = ps::FourCC("DplD");
constexpr uint32_t kFormatVersion = 1;
// A nested object inside a nested object... stops somewhere.
constexpr int kMaxNesting = 32;

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void AppendU64(std::vector<uint8_t>& out, uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

class Reader {
public:
    Reader(const uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool U32(uint32_t& value) {
        if (size_ - position_ < 4) return false;
        value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes_[position_ + i]) << (8 * i);
        position_ += 4;
        return true;
    }
    bool U64(uint64_t& value) {
        if (size_ - position_ < 8) return false;
        value = 0;
        for (int i = 0; i < 8; ++i) value |= static_cast<uint64_t>(bytes_[position_ + i]) << (8 * i);
        position_ += 8;
        return true;
    }
    bool Bytes(std::size_t count, std::string& out) {
        if (size_ - position_ < count) return false;
        out.assign(reinterpret_cast<const char*>(bytes_ + position_), count);
        position_ += count;
        return true;
    }
    bool AtEnd() const { return position_ == size_; }

private:
    const uint8_t* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
};

bool IsKnownType(ps::DescType type) {
    switch (type) {
        case ps::typeInteger:
        case ps::typeFloat:
        case ps::typeUnitFloat:
        case ps::typeBoolean:
        case ps::typeChar:
        case ps::typeEnumerated:
        case ps::typeAlias:
        case ps::typeClass:
        case ps::typeObject:
        case ps::typeObjectSpecifier:
        case kDescriptorTypeCount: return true;
        default: return false;
    }
}

bool DeserializeInto(const uint8_t* bytes, std::size_t size, std::vector<DescriptorItem>& items, int depth);

bool ReadItem(Reader& reader, DescriptorItem& item, int depth) {
    uint32_t integer = 0;
    uint64_t numberBits = 0;
    uint32_t length = 0;
    if (!reader.U32(item.key) || !reader.U32(item.type) || !reader.U32(integer) || !reader.U64(numberBits) ||
        !reader.U32(item.code) || !reader.U32(item.value) || !reader.U32(length) || !reader.Bytes(length, item.bytes)) {
        return false;
    }
    if (!IsKnownType(item.type)) return false;
    item.integer = static_cast<int32_t>(integer);
    std::memcpy(&item.number, &numberBits, sizeof item.number);
    if (item.type == ps::typeObject) {
        std::vector<DescriptorItem> nested;
        const auto* data = reinterpret_cast<const uint8_t*>(item.bytes.data());
        if (!DeserializeInto(data, item.bytes.size(), nested, depth + 1)) return false;
    }
    return true;
}

bool DeserializeInto(const uint8_t* bytes, std::size_t size, std::vector<DescriptorItem>& items, int depth) {
    if (depth > kMaxNesting || (bytes == nullptr && size != 0)) return false;
    Reader reader(bytes, size);
    uint32_t magic = 0;
    uint32_t version = 0;
    uint32_t count = 0;
    if (!reader.U32(magic) || !reader.U32(version) || !reader.U32(count)) return false;
    if (magic != kMagic || version != kFormatVersion) return false;
    std::vector<DescriptorItem> read;
    for (uint32_t i = 0; i < count; ++i) {
        DescriptorItem item;
        if (!ReadItem(reader, item, depth)) return false;
        read.push_back(std::move(item));
    }
    if (!reader.AtEnd()) return false;
    items = std::move(read);
    return true;
}

}  // namespace

bool operator==(const DescriptorItem& a, const DescriptorItem& b) {
    // Floats compare by bits so that a round trip is checked exactly.
    return a.key == b.key && a.type == b.type && a.integer == b.integer &&
           std::memcmp(&a.number, &b.number, sizeof a.number) == 0 && a.code == b.code && a.value == b.value &&
           a.bytes == b.bytes;
}

void DescriptorStore::Put(DescriptorItem item) {
    for (DescriptorItem& existing : items_) {
        if (existing.key == item.key) {
            existing = std::move(item);
            return;
        }
    }
    items_.push_back(std::move(item));
}

void DescriptorStore::PutInteger(uint32_t key, int32_t value) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeInteger;
    item.integer = value;
    Put(std::move(item));
}

void DescriptorStore::PutFloat(uint32_t key, double value) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeFloat;
    item.number = value;
    Put(std::move(item));
}

void DescriptorStore::PutUnitFloat(uint32_t key, uint32_t unit, double value) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeUnitFloat;
    item.code = unit;
    item.number = value;
    Put(std::move(item));
}

void DescriptorStore::PutBoolean(uint32_t key, bool value) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeBoolean;
    item.integer = value ? 1 : 0;
    Put(std::move(item));
}

void DescriptorStore::PutText(uint32_t key, std::string text) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeChar;
    item.bytes = std::move(text);
    Put(std::move(item));
}

void DescriptorStore::PutAlias(uint32_t key, std::string bytes) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeAlias;
    item.bytes = std::move(bytes);
    Put(std::move(item));
}

void DescriptorStore::PutEnumerated(uint32_t key, uint32_t enumerationType, uint32_t value) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeEnumerated;
    item.code = enumerationType;
    item.value = value;
    Put(std::move(item));
}

void DescriptorStore::PutClass(uint32_t key, uint32_t classId) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeClass;
    item.code = classId;
    Put(std::move(item));
}

void DescriptorStore::PutSimpleReference(uint32_t key, const ps::PIDescriptorSimpleReference& reference) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeObjectSpecifier;
    item.bytes.assign(reinterpret_cast<const char*>(&reference), sizeof reference);
    Put(std::move(item));
}

void DescriptorStore::PutObject(uint32_t key, uint32_t classId, const DescriptorStore& object) {
    DescriptorItem item;
    item.key = key;
    item.type = ps::typeObject;
    item.code = classId;
    const std::vector<uint8_t> bytes = object.Serialize();
    item.bytes.assign(bytes.begin(), bytes.end());
    Put(std::move(item));
}

void DescriptorStore::PutCount(uint32_t key, uint32_t count) {
    DescriptorItem item;
    item.key = key;
    item.type = kDescriptorTypeCount;
    item.integer = static_cast<int32_t>(count);
    Put(std::move(item));
}

const DescriptorItem* DescriptorStore::Find(uint32_t key) const {
    for (const DescriptorItem& item : items_) {
        if (item.key == key) return &item;
    }
    return nullptr;
}

std::vector<uint8_t> DescriptorStore::Serialize() const {
    std::vector<uint8_t> out;
    AppendU32(out, kMagic);
    AppendU32(out, kFormatVersion);
    AppendU32(out, static_cast<uint32_t>(items_.size()));
    for (const DescriptorItem& item : items_) {
        uint64_t numberBits = 0;
        std::memcpy(&numberBits, &item.number, sizeof numberBits);
        AppendU32(out, item.key);
        AppendU32(out, item.type);
        AppendU32(out, static_cast<uint32_t>(item.integer));
        AppendU64(out, numberBits);
        AppendU32(out, item.code);
        AppendU32(out, item.value);
        AppendU32(out, static_cast<uint32_t>(item.bytes.size()));
        out.insert(out.end(), item.bytes.begin(), item.bytes.end());
    }
    return out;
}

bool DescriptorStore::Deserialize(const uint8_t* bytes, std::size_t size, DescriptorStore& store) {
    std::vector<DescriptorItem> items;
    if (!DeserializeInto(bytes, size, items, 0)) return false;
    store.items_ = std::move(items);
    return true;
}
