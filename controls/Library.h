// A library of named values kept outside any one effect's settings (colour
// gradients, bevel profiles), as the editors see it. The dialog implements
// it over the settings layer's library folders; each entry is one file
// named as the user typed the name.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/ResultCode.h"

template <class Value>
class ILibrary {
public:
    // The entries' names, sorted.
    virtual ResultCode List(std::vector<std::string>& names) = 0;
    virtual ResultCode Load(const std::string& name, Value& value) = 0;
    // Replaces an entry of that name.
    virtual ResultCode Save(const std::string& name, const Value& value) = 0;
    virtual ResultCode Delete(const std::string& name) = 0;
    virtual ResultCode Rename(const std::string& oldName, const std::string& newName) = 0;
    virtual ResultCode Exists(const std::string& name, bool& exists) = 0;

protected:
    ~ILibrary() = default;
};

// The resource strings of an editor's library messages.
struct LibraryTexts {
    int saveTitle;  // name prompt when saving
    int saveText;
    int saveFailed;
    int deleteFailed;  // also: nothing chosen to delete
    int renameFailed;  // formatted with the name
    int loadFailed;
};

// The same library seen by name only, with the editor's own value behind
// it: what an editor's library row works with.
class ILibraryEntries {
public:
    virtual ResultCode List(std::vector<std::string>& names) = 0;
    virtual ResultCode Exists(const std::string& name, bool& exists) = 0;
    // Saves the editor's value under `name`.
    virtual ResultCode SaveCurrent(const std::string& name) = 0;
    // Loads entry `name` into the editor (a change the user made).
    virtual ResultCode LoadCurrent(const std::string& name) = 0;
    virtual ResultCode Delete(const std::string& name) = 0;
    virtual ResultCode Rename(const std::string& oldName, const std::string& newName) = 0;

protected:
    ~ILibraryEntries() = default;
};

// The entries of an ILibrary<Value> with an editor's value behind them:
// saving takes the editor's value, loading hands the loaded one to it.
template <class Value>
class EditorLibraryEntries final : public ILibraryEntries {
public:
    EditorLibraryEntries(std::function<Value()> current, std::function<void(const Value&)> loaded)
        : current_(std::move(current)), loaded_(std::move(loaded)) {}

    // Not owned; without a library every operation fails.
    void SetLibrary(ILibrary<Value>* library) { library_ = library; }

    ResultCode List(std::vector<std::string>& names) override {
        return library_ != nullptr ? library_->List(names) : ResultCode::Failure();
    }
    ResultCode Exists(const std::string& name, bool& exists) override {
        return library_ != nullptr ? library_->Exists(name, exists) : ResultCode::Failure();
    }
    ResultCode SaveCurrent(const std::string& name) override {
        return library_ != nullptr ? library_->Save(name, current_()) : ResultCode::Failure();
    }
    ResultCode LoadCurrent(const std::string& name) override {
        Value value{};
        const ResultCode result = library_ != nullptr ? library_->Load(name, value) : ResultCode::Failure();
        if (result.IsSuccess()) loaded_(value);
        return result;
    }
    ResultCode Delete(const std::string& name) override {
        return library_ != nullptr ? library_->Delete(name) : ResultCode::Failure();
    }
    ResultCode Rename(const std::string& oldName, const std::string& newName) override {
        return library_ != nullptr ? library_->Rename(oldName, newName) : ResultCode::Failure();
    }

private:
    std::function<Value()> current_;
    std::function<void(const Value&)> loaded_;
    ILibrary<Value>* library_ = nullptr;
};
