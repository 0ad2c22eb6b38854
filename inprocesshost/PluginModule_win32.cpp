// Finds a module's entry as hosts do: the module is first opened as data
// only, so that no code of a file that is no filter plug-in runs; its PiPL
// resources are enumerated and parsed, and the first filter list that names
// an entry for this processor wins. Then the module is loaded for real and
// the named entry looked up.
#include "inprocesshost/PluginModule.h"

#include <utility>
#include <vector>

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

uint32_t EntryKeyOfThisProcessor() { return sizeof(void*) == 8 ? PropertyKey("8664") : PropertyKey("wx86"); }

// Owns a module handle from LoadLibraryEx.
class Library {
public:
    Library() = default;
    explicit Library(HMODULE module) : module_(module) {}
    ~Library() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    Library(Library&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    Library& operator=(Library&&) = delete;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    HMODULE Get() const { return module_; }

private:
    HMODULE module_ = nullptr;
};

// No "insert a disk" or "bad image" boxes while a user's file is tried.
class QuietLoadErrors {
public:
    QuietLoadErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~QuietLoadErrors() { SetThreadErrorMode(previous_, nullptr); }
    QuietLoadErrors(const QuietLoadErrors&) = delete;
    QuietLoadErrors& operator=(const QuietLoadErrors&) = delete;

private:
    DWORD previous_ = 0;
};

// The system's text for `error`, on one line.
std::string SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length > 0 ? Utf8FromWide(std::wstring_view(text, length)) : std::string();
    if (text != nullptr) LocalFree(text);
    for (char& c : message) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    // Some texts leave a place for the file's name.
    const std::size_t insert = message.find("%1");
    if (insert != std::string::npos) message.replace(insert, 2, "the file");
    while (!message.empty() && (message.back() == ' ' || message.back() == '.')) message.pop_back();
    if (message.empty()) message = "Windows error " + std::to_string(error);
    return message;
}

// A resource name as EnumResourceNames gives it: a number or a string,
// which must be copied before the enumeration ends.
struct ResourceName {
    WORD id = 0;
    std::wstring text;
    LPCWSTR Get() const { return text.empty() ? MAKEINTRESOURCEW(id) : text.c_str(); }
};

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    ResourceName entry;
    if (IS_INTRESOURCE(name)) {
        entry.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    } else {
        entry.text = name;
    }
    reinterpret_cast<std::vector<ResourceName>*>(names)->push_back(std::move(entry));
    return TRUE;
}

struct FoundEntry {
    PluginPropertyList list;
    std::string name;
};

// The first filter property list of `module` that names an entry here.
bool FindEntry(HMODULE module, FoundEntry& found, std::string& problem) {
    std::vector<ResourceName> names;
    EnumResourceNamesW(module, L"PIPL", CollectName, reinterpret_cast<LONG_PTR>(&names));
    if (names.empty()) {
        problem = "it has no property list (PiPL resource): it is not a plug-in module";
        return false;
    }
    std::string firstProblem;
    for (const ResourceName& name : names) {
        std::string why;
        HRSRC resource = FindResourceW(module, name.Get(), L"PIPL");
        HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (bytes == nullptr) {
            why = "its property list cannot be read";
        } else if (ParsePluginPropertyList(static_cast<const uint8_t*>(bytes), SizeofResource(module, resource),
                                           found.list, why) &&
                   FilterEntryName(found.list, EntryKeyOfThisProcessor(), found.name, why)) {
            return true;
        }
        if (firstProblem.empty()) firstProblem = why;
    }
    problem = firstProblem;
    return false;
}

class LoadedPluginModule final : public PluginModule {
public:
    LoadedPluginModule(Library library, ps::PluginMainProc entry, PluginPropertyList properties)
        : library_(std::move(library)), entry_(entry), properties_(std::move(properties)) {}

    PluginEntry Entry() const override {
        const ps::PluginMainProc entry = entry_;
        return [entry](int16_t selector, void* record, intptr_t* data, int16_t* result, int32_t) {
            entry(selector, record, data, result);
        };
    }
    const PluginPropertyList& Properties() const override { return properties_; }

private:
    Library library_;
    ps::PluginMainProc entry_;
    PluginPropertyList properties_;
};

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

}  // namespace

std::unique_ptr<PluginModule> LoadPluginModule(const std::string& path, std::string& problem) {
    const std::string prefix = "cannot load plug-in " + path + ": ";
    const std::wstring file = FullPath(WideFromUtf8(path));
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        problem = prefix + SystemMessage(GetLastError());
        return nullptr;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        problem = prefix + "it is a folder";
        return nullptr;
    }
    QuietLoadErrors quiet;
    FoundEntry found;
    {
        Library data(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (data.Get() == nullptr) {
            problem = prefix + SystemMessage(GetLastError());
            return nullptr;
        }
        if (!FindEntry(data.Get(), found, problem)) {
            problem = prefix + problem;
            return nullptr;
        }
    }
    // Altered search path: the module's own libraries are found beside it.
    Library library(LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (library.Get() == nullptr) {
        problem = prefix + SystemMessage(GetLastError());
        return nullptr;
    }
    auto entry = reinterpret_cast<ps::PluginMainProc>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), found.name.c_str())));
    if (entry == nullptr) {
        problem = prefix + "it does not export the entry point " + found.name + " that its property list names";
        return nullptr;
    }
    return std::make_unique<LoadedPluginModule>(std::move(library), entry, std::move(found.list));
}
