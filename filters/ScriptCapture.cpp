#include "filters/ScriptCapture.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "filters/ParameterScript.h"
#include "filters/ParameterSet.h"

namespace {

// A handle of the capture: its size, then its bytes.
struct CapturedHandle {
    int32_t size;
    char bytes[1];
};

CapturedHandle* Captured(ps::Handle handle) { return reinterpret_cast<CapturedHandle*>(handle); }

ps::Handle PS_CALLBACK NewHandle(int32_t size) {
    if (size < 0) return nullptr;
    void* memory = std::malloc(sizeof(CapturedHandle) + static_cast<std::size_t>(size));
    if (memory == nullptr) return nullptr;
    auto* handle = static_cast<CapturedHandle*>(memory);
    handle->size = size;
    return reinterpret_cast<ps::Handle>(handle);
}

void PS_CALLBACK DisposeHandle(ps::Handle handle) { std::free(handle); }

int32_t PS_CALLBACK HandleSize(ps::Handle handle) { return handle != nullptr ? Captured(handle)->size : 0; }

ps::Ptr PS_CALLBACK LockHandle(ps::Handle handle, ps::Boolean) {
    return handle != nullptr ? Captured(handle)->bytes : nullptr;
}

void PS_CALLBACK UnlockHandle(ps::Handle) {}

// The items being written; the write descriptor's token points here.
struct Capture {
    std::vector<ScriptItem> items;
    bool failed = false;

    void Add(ScriptItem item) {
        try {
            items.push_back(std::move(item));
        } catch (const std::bad_alloc&) {
            failed = true;
        }
    }
};

Capture& Of(ps::PIWriteDescriptor token) { return *reinterpret_cast<Capture*>(token); }

ps::OSErr Put(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::DescType type, ScriptItem item) {
    item.key = key;
    item.type = type;
    Of(token).Add(std::move(item));
    return ps::noErr;
}

ps::OSErr PS_CALLBACK PutInteger(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, int32_t value) {
    ScriptItem item;
    item.integer = value;
    return Put(token, key, ps::typeInteger, std::move(item));
}

ps::OSErr PS_CALLBACK PutFloat(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, const double* value) {
    ScriptItem item;
    item.number = *value;
    return Put(token, key, ps::typeFloat, std::move(item));
}

ps::OSErr PS_CALLBACK PutBoolean(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Boolean value) {
    ScriptItem item;
    item.integer = value != 0 ? 1 : 0;
    return Put(token, key, ps::typeBoolean, std::move(item));
}

ps::OSErr PS_CALLBACK PutEnumerated(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::DescType,
                                    ps::DescriptorEnumID value) {
    ScriptItem item;
    item.value = value;
    return Put(token, key, ps::typeEnumerated, std::move(item));
}

ps::OSErr PS_CALLBACK PutText(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Handle value) {
    ScriptItem item;
    if (value != nullptr) item.text.assign(Captured(value)->bytes, static_cast<std::size_t>(Captured(value)->size));
    return Put(token, key, ps::typeChar, std::move(item));
}

bool ReadsBackAs(const char* text, double number) { return std::strtod(text, nullptr) == number; }

}  // namespace

bool CaptureScript(const ParameterSet& set, std::vector<ScriptItem>& items) {
    ps::HandleProcs handles{};
    handles.newProc = NewHandle;
    handles.disposeProc = DisposeHandle;
    handles.getSizeProc = HandleSize;
    handles.lockProc = LockHandle;
    handles.unlockProc = UnlockHandle;
    ps::WriteDescriptorProcs procs{};
    procs.putIntegerProc = PutInteger;
    procs.putFloatProc = PutFloat;
    procs.putBooleanProc = PutBoolean;
    procs.putEnumeratedProc = PutEnumerated;
    procs.putTextProc = PutText;
    Capture capture;
    const ScriptWriter writer{procs, reinterpret_cast<ps::PIWriteDescriptor>(&capture), &handles};
    for (std::size_t i = 0; i < set.Count(); ++i) {
        // A parameter without a script form writes nothing, or refuses.
        set.At(i)->WriteToScript(writer);
    }
    if (capture.failed) return false;
    items = std::move(capture.items);
    return true;
}

std::string KeyText(uint32_t key) {
    std::string text(4, '?');
    for (int i = 0; i < 4; ++i) {
        const unsigned char c = static_cast<unsigned char>(key >> (24 - 8 * i));
        if (std::isprint(c)) text[static_cast<std::size_t>(i)] = static_cast<char>(c);
    }
    return text;
}

bool KeyFromText(const std::string& text, uint32_t& key) {
    if (text.size() != 4) return false;
    key = 0;
    for (char c : text) key = (key << 8) | static_cast<unsigned char>(c);
    return true;
}

std::string ShortestNumberText(double number) {
    char buffer[64];
    for (int precision = 10; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, number);
        if (ReadsBackAs(buffer, number)) break;
    }
    return buffer;
}

std::string ScriptItemText(const ScriptItem& item) {
    switch (item.type) {
        case ps::typeFloat:
        case ps::typeUnitFloat: return ShortestNumberText(item.number);
        case ps::typeInteger: return std::to_string(item.integer);
        case ps::typeBoolean: return item.integer != 0 ? "1" : "0";
        case ps::typeEnumerated: return KeyText(item.value);
        case ps::typeChar: return item.text;
        default: return "-";
    }
}
