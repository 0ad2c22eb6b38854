#include "inprocesshost/HostDescriptorSuite.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "inprocesshost/HostHandleTable.h"

namespace {

constexpr uintptr_t kReadTokenBase = 0x30000;
constexpr uintptr_t kWriteTokenBase = 0x40000000;

uintptr_t TokenValue(const void* token) { return reinterpret_cast<uintptr_t>(token); }

double NumberOf(const DescriptorItem& item) {
    return item.type == ps::typeInteger ? static_cast<double>(item.integer) : item.number;
}

// Moves `value` into the bounds; true when it had to move.
bool Pin(double& value, const double* minimum, const double* maximum) {
    const double original = value;
    if (minimum != nullptr && value < *minimum) value = *minimum;
    if (maximum != nullptr && value > *maximum) value = *maximum;
    return value != original;
}

}  // namespace

ps::PIDescriptorHandle HostDescriptorSuite::NewDescriptorHandle(const DescriptorStore& store) {
    const std::vector<uint8_t> bytes = store.Serialize();
    return handles_.NewWith(bytes.data(), bytes.size());
}

bool HostDescriptorSuite::ReadDescriptorHandle(ps::PIDescriptorHandle handle, DescriptorStore& store) const {
    std::string bytes;
    if (!handles_.Read(handle, bytes)) return false;
    return DescriptorStore::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), store);
}

// --- Reading -----------------------------------------------------------------------

ps::PIReadDescriptor HostDescriptorSuite::OpenRead(ps::PIDescriptorHandle descriptor, ps::DescriptorKeyID* keys) {
    auto state = std::unique_ptr<ReadState>(new (std::nothrow) ReadState);
    if (!state || !ReadDescriptorHandle(descriptor, state->store)) return nullptr;
    state->keys = keys;
    // Counted now: the entries are zeroed as their keys are delivered.
    while (keys != nullptr && keys[state->keyCount] != 0) ++state->keyCount;
    const uintptr_t token = kReadTokenBase + nextToken_++ * 16;
    reads_.emplace(token, std::move(state));
    return reinterpret_cast<ps::PIReadDescriptor>(token);
}

HostDescriptorSuite::ReadState* HostDescriptorSuite::FindRead(ps::PIReadDescriptor token) {
    auto found = reads_.find(TokenValue(token));
    return found == reads_.end() ? nullptr : found->second.get();
}

ps::OSErr HostDescriptorSuite::CloseRead(ps::PIReadDescriptor token) {
    auto found = reads_.find(TokenValue(token));
    if (found == reads_.end()) return ps::paramErr;
    const ps::OSErr error = found->second->firstError;
    reads_.erase(found);
    return error;
}

bool HostDescriptorSuite::GetKey(ps::PIReadDescriptor token, ps::DescriptorKeyID* key, ps::DescType* type,
                                 int32_t* flags) {
    ReadState* state = FindRead(token);
    if (state == nullptr || key == nullptr || type == nullptr) return false;
    const auto& items = state->store.Items();
    if (state->next >= items.size()) {
        state->current = nullptr;
        return false;
    }
    state->current = &items[state->next++];
    *key = state->current->key;
    *type = state->current->type;
    if (flags != nullptr) *flags = 0;
    for (std::size_t i = 0; i < state->keyCount; ++i) {
        if (state->keys[i] == *key) state->keys[i] = 0;
    }
    return true;
}

ps::OSErr HostDescriptorSuite::Current(ps::PIReadDescriptor token, std::initializer_list<ps::DescType> types,
                                       const DescriptorItem*& item) {
    item = nullptr;
    ReadState* state = FindRead(token);
    if (state == nullptr) return ps::paramErr;
    ps::OSErr error = ps::noErr;
    if (state->current == nullptr) {
        error = ps::errMissingParameter;
    } else if (std::find(types.begin(), types.end(), state->current->type) == types.end()) {
        error = kDescriptorWrongType;
    }
    if (error != ps::noErr) {
        if (state->firstError == ps::noErr) state->firstError = error;
        return error;
    }
    item = state->current;
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::NewHandleWith(const std::string& bytes, ps::Handle* handle) {
    *handle = handles_.NewWith(bytes.data(), bytes.size());
    return *handle != nullptr ? ps::noErr : ps::memFullErr;
}

ps::OSErr HostDescriptorSuite::GetInteger(ps::PIReadDescriptor token, int32_t* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeInteger}, item);
    if (error == ps::noErr) *value = item->integer;
    return error;
}

ps::OSErr HostDescriptorSuite::GetFloat(ps::PIReadDescriptor token, double* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeFloat, ps::typeUnitFloat, ps::typeInteger}, item);
    if (error == ps::noErr) *value = NumberOf(*item);
    return error;
}

ps::OSErr HostDescriptorSuite::GetUnitFloat(ps::PIReadDescriptor token, ps::DescriptorUnitID* unit, double* value) {
    if (value == nullptr || unit == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeFloat, ps::typeUnitFloat, ps::typeInteger}, item);
    if (error != ps::noErr) return error;
    *unit = item->type == ps::typeUnitFloat ? item->code : ps::unitNone;
    *value = NumberOf(*item);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::GetBoolean(ps::PIReadDescriptor token, ps::Boolean* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeBoolean}, item);
    if (error == ps::noErr) *value = item->integer != 0 ? 1 : 0;
    return error;
}

ps::OSErr HostDescriptorSuite::GetText(ps::PIReadDescriptor token, ps::Handle* value) {
    if (value == nullptr) return ps::paramErr;
    *value = nullptr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeChar}, item);
    return error == ps::noErr ? NewHandleWith(item->bytes, value) : error;
}

ps::OSErr HostDescriptorSuite::GetAlias(ps::PIReadDescriptor token, ps::Handle* value) {
    if (value == nullptr) return ps::paramErr;
    *value = nullptr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeAlias}, item);
    return error == ps::noErr ? NewHandleWith(item->bytes, value) : error;
}

ps::OSErr HostDescriptorSuite::GetEnumerated(ps::PIReadDescriptor token, ps::DescriptorEnumID* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeEnumerated}, item);
    if (error == ps::noErr) *value = item->value;
    return error;
}

ps::OSErr HostDescriptorSuite::GetClass(ps::PIReadDescriptor token, ps::DescriptorClassID* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeClass}, item);
    if (error == ps::noErr) *value = item->code;
    return error;
}

ps::OSErr HostDescriptorSuite::GetSimpleReference(ps::PIReadDescriptor token, ps::PIDescriptorSimpleReference* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeObjectSpecifier}, item);
    if (error != ps::noErr) return error;
    if (item->bytes.size() != sizeof *value) return kDescriptorWrongType;
    std::memcpy(value, item->bytes.data(), sizeof *value);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::GetObject(ps::PIReadDescriptor token, ps::DescriptorClassID* type,
                                         ps::PIDescriptorHandle* value) {
    if (value == nullptr || type == nullptr) return ps::paramErr;
    *value = nullptr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeObject}, item);
    if (error != ps::noErr) return error;
    *type = item->code;
    return NewHandleWith(item->bytes, value);
}

ps::OSErr HostDescriptorSuite::GetCount(ps::PIReadDescriptor token, uint32_t* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {kDescriptorTypeCount}, item);
    if (error == ps::noErr) *value = static_cast<uint32_t>(item->integer);
    return error;
}

ps::OSErr HostDescriptorSuite::GetString(ps::PIReadDescriptor token, ps::Str255* value) {
    if (value == nullptr) return ps::paramErr;
    const DescriptorItem* item = nullptr;
    const ps::OSErr error = Current(token, {ps::typeChar}, item);
    if (error != ps::noErr) return error;
    const std::size_t length = std::min<std::size_t>(item->bytes.size(), 255);
    (*value)[0] = static_cast<unsigned char>(length);
    std::memcpy(&(*value)[1], item->bytes.data(), length);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::GetPinnedInteger(ps::PIReadDescriptor token, int32_t min, int32_t max, int32_t* value) {
    const ps::OSErr error = GetInteger(token, value);
    if (error != ps::noErr) return error;
    const int32_t read = *value;
    *value = std::min(std::max(read, min), max);
    return *value != read ? ps::coercedParamErr : ps::noErr;
}

ps::OSErr HostDescriptorSuite::GetPinnedFloat(ps::PIReadDescriptor token, const double* min, const double* max,
                                              double* value) {
    const ps::OSErr error = GetFloat(token, value);
    if (error != ps::noErr) return error;
    return Pin(*value, min, max) ? ps::coercedParamErr : ps::noErr;
}

ps::OSErr HostDescriptorSuite::GetPinnedUnitFloat(ps::PIReadDescriptor token, const double* min, const double* max,
                                                  ps::DescriptorUnitID* unit, double* value) {
    const ps::OSErr error = GetUnitFloat(token, unit, value);
    if (error != ps::noErr) return error;
    return Pin(*value, min, max) ? ps::coercedParamErr : ps::noErr;
}

// --- Writing -----------------------------------------------------------------------

ps::PIWriteDescriptor HostDescriptorSuite::OpenWrite() {
    auto store = std::unique_ptr<DescriptorStore>(new (std::nothrow) DescriptorStore);
    if (!store) return nullptr;
    const uintptr_t token = kWriteTokenBase + nextToken_++ * 16;
    writes_.emplace(token, std::move(store));
    return reinterpret_cast<ps::PIWriteDescriptor>(token);
}

DescriptorStore* HostDescriptorSuite::FindWrite(ps::PIWriteDescriptor token) {
    auto found = writes_.find(TokenValue(token));
    return found == writes_.end() ? nullptr : found->second.get();
}

ps::OSErr HostDescriptorSuite::CloseWrite(ps::PIWriteDescriptor token, ps::PIDescriptorHandle* descriptor) {
    auto found = writes_.find(TokenValue(token));
    if (found == writes_.end()) return ps::paramErr;
    std::unique_ptr<DescriptorStore> store = std::move(found->second);
    writes_.erase(found);
    if (descriptor == nullptr) return ps::paramErr;
    *descriptor = NewDescriptorHandle(*store);
    return *descriptor != nullptr ? ps::noErr : ps::memFullErr;
}

ps::OSErr HostDescriptorSuite::PutInteger(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, int32_t value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr) return ps::paramErr;
    store->PutInteger(key, value);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutFloat(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, const double* value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr || value == nullptr) return ps::paramErr;
    store->PutFloat(key, *value);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutUnitFloat(ps::PIWriteDescriptor token, ps::DescriptorKeyID key,
                                            ps::DescriptorUnitID unit, const double* value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr || value == nullptr) return ps::paramErr;
    store->PutUnitFloat(key, unit, *value);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutBoolean(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Boolean value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr) return ps::paramErr;
    store->PutBoolean(key, value != 0);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutHandleBytes(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Handle value,
                                              ps::DescType type) {
    DescriptorStore* store = FindWrite(token);
    std::string bytes;
    if (store == nullptr || !handles_.Read(value, bytes)) return ps::paramErr;
    if (type == ps::typeChar) {
        store->PutText(key, std::move(bytes));
    } else {
        store->PutAlias(key, std::move(bytes));
    }
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutText(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Handle value) {
    return PutHandleBytes(token, key, value, ps::typeChar);
}

ps::OSErr HostDescriptorSuite::PutAlias(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Handle value) {
    return PutHandleBytes(token, key, value, ps::typeAlias);
}

ps::OSErr HostDescriptorSuite::PutEnumerated(ps::PIWriteDescriptor token, ps::DescriptorKeyID key,
                                             ps::DescriptorTypeID type, ps::DescriptorEnumID value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr) return ps::paramErr;
    store->PutEnumerated(key, type, value);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutClass(ps::PIWriteDescriptor token, ps::DescriptorKeyID key,
                                        ps::DescriptorTypeID value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr) return ps::paramErr;
    store->PutClass(key, value);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutSimpleReference(ps::PIWriteDescriptor token, ps::DescriptorKeyID key,
                                                  const ps::PIDescriptorSimpleReference* value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr || value == nullptr) return ps::paramErr;
    store->PutSimpleReference(key, *value);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutObject(ps::PIWriteDescriptor token, ps::DescriptorKeyID key,
                                         ps::DescriptorTypeID type, ps::PIDescriptorHandle value) {
    DescriptorStore* store = FindWrite(token);
    DescriptorStore object;
    if (store == nullptr || !ReadDescriptorHandle(value, object)) return ps::paramErr;
    store->PutObject(key, type, object);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutCount(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, uint32_t count) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr) return ps::paramErr;
    store->PutCount(key, count);
    return ps::noErr;
}

ps::OSErr HostDescriptorSuite::PutString(ps::PIWriteDescriptor token, ps::DescriptorKeyID key,
                                         const unsigned char* value) {
    DescriptorStore* store = FindWrite(token);
    if (store == nullptr || value == nullptr) return ps::paramErr;
    store->PutText(key, std::string(reinterpret_cast<const char*>(value + 1), value[0]));
    return ps::noErr;
}
