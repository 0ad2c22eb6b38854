// A small in-memory scripting descriptor and handle suite with the host's
// calling conventions, for driving parameters through their script forms.
#pragma once

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "pluginapi/PluginInterface.h"

namespace fake {

struct Value {
    uint32_t type = 0;
    double number = 0.0;
    int32_t integer = 0;
    bool flag = false;
    std::string text;
    uint32_t enumType = 0;
    uint32_t enumValue = 0;
};

// Entries in the order they were put (or are to be read).
struct Descriptor {
    std::vector<std::pair<uint32_t, Value>> entries;
    uint32_t refusedKey = 0;       // a put or get of this key fails
    bool terminateTexts = false;   // hand out text handles with a trailing zero
    std::size_t readPosition = 0;  // next entry getKeyProc returns
    const Value* current = nullptr;

    const Value* Find(uint32_t key) const {
        for (const auto& entry : entries) {
            if (entry.first == key) return &entry.second;
        }
        return nullptr;
    }
    void Add(uint32_t key, Value value) { entries.emplace_back(key, std::move(value)); }
};

// Handles: a heap block with its bytes; `live` counts the ones not disposed.
struct HandleBlock {
    std::vector<char> bytes;
};
inline int live = 0;

inline ps::Handle AsHandle(HandleBlock* block) { return reinterpret_cast<ps::Handle>(block); }
inline HandleBlock* AsBlock(ps::Handle handle) { return reinterpret_cast<HandleBlock*>(handle); }
inline Descriptor* AsDescriptor(ps::PIWriteDescriptor token) { return reinterpret_cast<Descriptor*>(token); }
inline Descriptor* AsDescriptor(ps::PIReadDescriptor token) { return reinterpret_cast<Descriptor*>(token); }

inline ps::Handle NewHandle(int32_t size) {
    ++live;
    auto* block = new HandleBlock;
    block->bytes.resize(static_cast<std::size_t>(size));
    return AsHandle(block);
}
inline void DisposeHandle(ps::Handle h) {
    if (h == nullptr) return;
    --live;
    delete AsBlock(h);
}
inline int32_t HandleSize(ps::Handle h) { return static_cast<int32_t>(AsBlock(h)->bytes.size()); }
inline ps::Ptr LockHandle(ps::Handle h, ps::Boolean) { return AsBlock(h)->bytes.data(); }
inline void UnlockHandle(ps::Handle) {}

inline ps::HandleProcs HandleSuite() {
    ps::HandleProcs procs{};
    procs.handleProcsVersion = ps::kCurrentHandleProcsVersion;
    procs.numHandleProcs = ps::kCurrentHandleProcsCount;
    procs.newProc = NewHandle;
    procs.disposeProc = DisposeHandle;
    procs.getSizeProc = HandleSize;
    procs.lockProc = LockHandle;
    procs.unlockProc = UnlockHandle;
    return procs;
}

inline std::string TextOf(ps::Handle h) {
    const auto& bytes = AsBlock(h)->bytes;
    return std::string(bytes.begin(), bytes.end());
}

// --- Write procs ---------------------------------------------------------------

inline ps::OSErr Put(ps::PIWriteDescriptor token, uint32_t key, Value value) {
    Descriptor* d = AsDescriptor(token);
    if (key == d->refusedKey) return ps::paramErr;
    d->Add(key, std::move(value));
    return ps::noErr;
}
inline ps::OSErr PutFloat(ps::PIWriteDescriptor t, uint32_t key, const double* v) {
    Value value;
    value.type = ps::typeFloat;
    value.number = *v;
    return Put(t, key, value);
}
inline ps::OSErr PutInteger(ps::PIWriteDescriptor t, uint32_t key, int32_t v) {
    Value value;
    value.type = ps::typeInteger;
    value.integer = v;
    return Put(t, key, value);
}
inline ps::OSErr PutBoolean(ps::PIWriteDescriptor t, uint32_t key, ps::Boolean v) {
    Value value;
    value.type = ps::typeBoolean;
    value.flag = v != 0;
    return Put(t, key, value);
}
inline ps::OSErr PutText(ps::PIWriteDescriptor t, uint32_t key, ps::Handle h) {
    Value value;
    value.type = ps::typeChar;
    value.text = TextOf(h);  // the host keeps its own copy
    return Put(t, key, value);
}
inline ps::OSErr PutEnumerated(ps::PIWriteDescriptor t, uint32_t key, uint32_t type, uint32_t v) {
    Value value;
    value.type = ps::typeEnumerated;
    value.enumType = type;
    value.enumValue = v;
    return Put(t, key, value);
}

inline ps::WriteDescriptorProcs WriteSuite() {
    ps::WriteDescriptorProcs procs{};
    procs.writeDescriptorProcsVersion = ps::kCurrentWriteDescriptorProcsVersion;
    procs.numWriteDescriptorProcs = ps::kCurrentWriteDescriptorProcsCount;
    procs.putIntegerProc = PutInteger;
    procs.putFloatProc = PutFloat;
    procs.putBooleanProc = PutBoolean;
    procs.putTextProc = PutText;
    procs.putEnumeratedProc = PutEnumerated;
    return procs;
}

// --- Read procs ----------------------------------------------------------------

inline ps::Boolean GetKey(ps::PIReadDescriptor token, ps::DescriptorKeyID* key, ps::DescType* type, int32_t* flags) {
    Descriptor* d = AsDescriptor(token);
    if (d->readPosition >= d->entries.size()) return 0;
    const auto& entry = d->entries[d->readPosition++];
    d->current = &entry.second;
    *key = entry.first;
    *type = entry.second.type;
    *flags = 0;
    return 1;
}

// The current value when it has `type` and its key is not refused.
inline const Value* Current(ps::PIReadDescriptor token, uint32_t type) {
    Descriptor* d = AsDescriptor(token);
    if (d->current == nullptr || d->current->type != type) return nullptr;
    if (d->refusedKey != 0 && d->entries[d->readPosition - 1].first == d->refusedKey) return nullptr;
    return d->current;
}

inline ps::OSErr GetFloat(ps::PIReadDescriptor t, double* v) {
    const Value* value = Current(t, ps::typeFloat);
    if (value == nullptr) return ps::paramErr;
    *v = value->number;
    return ps::noErr;
}
inline ps::OSErr GetPinnedFloat(ps::PIReadDescriptor t, const double* lo, const double* hi, double* v) {
    const Value* value = Current(t, ps::typeFloat);
    if (value == nullptr) return ps::paramErr;
    *v = value->number;
    if (*v < *lo) *v = *lo;
    if (*v > *hi) *v = *hi;
    return *v == value->number ? ps::noErr : ps::coercedParamErr;
}
inline ps::OSErr GetInteger(ps::PIReadDescriptor t, int32_t* v) {
    const Value* value = Current(t, ps::typeInteger);
    if (value == nullptr) return ps::paramErr;
    *v = value->integer;
    return ps::noErr;
}
inline ps::OSErr GetBoolean(ps::PIReadDescriptor t, ps::Boolean* v) {
    const Value* value = Current(t, ps::typeBoolean);
    if (value == nullptr) return ps::paramErr;
    *v = value->flag ? 1 : 0;
    return ps::noErr;
}
inline ps::OSErr GetText(ps::PIReadDescriptor t, ps::Handle* h) {
    const Value* value = Current(t, ps::typeChar);
    if (value == nullptr) return ps::paramErr;
    const bool terminate = AsDescriptor(t)->terminateTexts;
    *h = NewHandle(static_cast<int32_t>(value->text.size() + (terminate ? 1 : 0)));
    if (!value->text.empty()) std::memcpy(AsBlock(*h)->bytes.data(), value->text.data(), value->text.size());
    return ps::noErr;
}
inline ps::OSErr GetEnumerated(ps::PIReadDescriptor t, uint32_t* v) {
    const Value* value = Current(t, ps::typeEnumerated);
    if (value == nullptr) return ps::paramErr;
    *v = value->enumValue;
    return ps::noErr;
}

inline ps::ReadDescriptorProcs ReadSuite() {
    ps::ReadDescriptorProcs procs{};
    procs.readDescriptorProcsVersion = ps::kCurrentReadDescriptorProcsVersion;
    procs.numReadDescriptorProcs = ps::kCurrentReadDescriptorProcsCount;
    procs.getKeyProc = GetKey;
    procs.getIntegerProc = GetInteger;
    procs.getFloatProc = GetFloat;
    procs.getBooleanProc = GetBoolean;
    procs.getTextProc = GetText;
    procs.getEnumeratedProc = GetEnumerated;
    procs.getPinnedFloatProc = GetPinnedFloat;
    return procs;
}

// Convenience builders for descriptors a test reads from.
inline Value Float(double v) {
    Value value;
    value.type = ps::typeFloat;
    value.number = v;
    return value;
}
inline Value Integer(int32_t v) {
    Value value;
    value.type = ps::typeInteger;
    value.integer = v;
    return value;
}
inline Value Flag(bool v) {
    Value value;
    value.type = ps::typeBoolean;
    value.flag = v;
    return value;
}
inline Value Text(std::string v) {
    Value value;
    value.type = ps::typeChar;
    value.text = std::move(v);
    return value;
}
inline Value Enumerated(uint32_t type, uint32_t v) {
    Value value;
    value.type = ps::typeEnumerated;
    value.enumType = type;
    value.enumValue = v;
    return value;
}

}  // namespace fake
