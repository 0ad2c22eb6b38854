// A library in memory that can be told to fail, and prompts answered from
// a script, for the editors' tests.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "controls/Library.h"
#include "controls/UserPrompts.h"

template <class Value>
class MemoryLibrary final : public ILibrary<Value> {
public:
    ResultCode List(std::vector<std::string>& names) override {
        for (const auto& entry : entries) names.push_back(entry.first);
        return ResultCode::Success();
    }
    ResultCode Load(const std::string& name, Value& value) override {
        const auto found = entries.find(name);
        if (failLoad || found == entries.end()) return ResultCode::Failure();
        value = found->second;
        return ResultCode::Success();
    }
    ResultCode Save(const std::string& name, const Value& value) override {
        if (failSave) return ResultCode::Failure();
        entries[name] = value;
        return ResultCode::Success();
    }
    ResultCode Delete(const std::string& name) override {
        return entries.erase(name) == 1 ? ResultCode::Success() : ResultCode::Failure();
    }
    ResultCode Rename(const std::string& from, const std::string& to) override {
        const auto found = entries.find(from);
        if (found == entries.end() || entries.count(to) == 1) return ResultCode::Failure();
        entries[to] = found->second;
        entries.erase(from);
        return ResultCode::Success();
    }
    ResultCode Exists(const std::string& name, bool& exists) override {
        exists = entries.count(name) == 1;
        return ResultCode::Success();
    }

    std::map<std::string, Value> entries;
    bool failSave = false;
    bool failLoad = false;
};

class ScriptedPrompts final : public IUserPrompts {
public:
    bool AskName(HWND, const std::string& title, const std::string&, std::string& name) override {
        titles.push_back(title);
        offered.push_back(name);
        if (names.empty()) return false;  // the user cancels
        name = names.front();
        names.pop_front();
        return true;
    }
    bool Confirm(HWND, const std::string&, const std::string& text) override {
        questions.push_back(text);
        return confirm;
    }
    void ShowFailure(HWND, const std::string& text) override { failures.push_back(text); }

    std::deque<std::string> names;  // the answers to the name prompts, in turn
    bool confirm = false;
    std::vector<std::string> titles;
    std::vector<std::string> offered;
    std::vector<std::string> questions;
    std::vector<std::string> failures;
};
