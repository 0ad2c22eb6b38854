// The portable half of the resource strings: the module store, clipping and
// the integer formatter. Loading itself is in ResourceStrings_<platform>.cpp.
#include "platform/ResourceStrings.h"

#include <atomic>

namespace {

std::atomic<void*> gResourceModule{nullptr};

bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

void* SetResourceModule(void* module) {
    gResourceModule.store(module);
    return module;
}

void* ResourceModule() { return gResourceModule.load(); }

std::string ClipResourceText(std::string_view text) {
    if (text.size() <= kMaxResourceStringLength) return std::string(text);
    std::size_t end = kMaxResourceStringLength;
    // text[end] is the first byte cut off; while it continues a sequence,
    // the sequence started inside the kept part and must go as a whole.
    while (end > 0 && IsUtf8Continuation(static_cast<unsigned char>(text[end]))) --end;
    return std::string(text.substr(0, end));
}

bool FormatIntegers(std::string_view format, std::initializer_list<int> values, std::string& out) {
    std::string result;
    const int* nextValue = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            result += format[i];
            continue;
        }
        if (i + 1 >= format.size()) return false;
        const char conversion = format[++i];
        if (conversion == '%') {
            result += '%';
            continue;
        }
        if (conversion != 'd' || nextValue == values.end()) return false;
        result += std::to_string(*nextValue++);
    }
    if (nextValue != values.end()) return false;
    out = std::move(result);
    return true;
}

std::string WithName(const std::string& text, const std::string& name) {
    const std::size_t at = text.find("%s");
    if (at == std::string::npos) return text;
    return text.substr(0, at) + name + text.substr(at + 2);
}

std::string LoadFormattedResourceString(int id, std::initializer_list<int> values) {
    const std::string text = LoadResourceString(id);
    std::string formatted;
    if (FormatIntegers(text, values, formatted)) return formatted;
    std::string fallback = text + " (";
    for (const int* value = values.begin(); value != values.end(); ++value) {
        if (value != values.begin()) fallback += ' ';
        fallback += std::to_string(*value);
    }
    return fallback + ")";
}
