// The parameters of one effect, built by the effect's BuildParameters over a
// parameter record: up to 256 parameters in the order the dialog shows them,
// and the titles of the dialog pages (named groups) they are spread over.
// The set owns its parameters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "base/ResultCode.h"
#include "filters/FilterParameter.h"

class ParameterSet {
public:
    static constexpr std::size_t kCapacity = 256;

    ParameterSet() = default;
    ParameterSet(const ParameterSet&) = delete;
    ParameterSet& operator=(const ParameterSet&) = delete;

    // Puts the parameter into the first empty entry. -108 for a null
    // parameter (a failed allocation), -1 when the set is full; the set takes
    // ownership either way.
    ResultCode Add(std::unique_ptr<FilterParameter> parameter);

    // Creates a parameter and adds it; null when memory ran out or the set is
    // full, so that BuildParameters can answer -108.
    template <typename P, typename... Args>
    P* Emplace(Args&&... args) {
        std::unique_ptr<P> created(new (std::nothrow) P(std::forward<Args>(args)...));
        P* raw = created.get();
        if (Add(std::move(created)).IsFailure()) return nullptr;
        return raw;
    }

    std::size_t Count() const { return count_; }
    FilterParameter* At(std::size_t index) const { return index < count_ ? entries_[index].get() : nullptr; }
    // The first parameter that has `key`, or null.
    FilterParameter* FindByKey(uint32_t key) const;

    // Dialog pages: one title per page, in order.
    void AddGroup(std::string title) { groups_.push_back(std::move(title)); }
    const std::vector<std::string>& Groups() const { return groups_; }

    // Deletes every parameter and group.
    void Clear();

private:
    std::array<std::unique_ptr<FilterParameter>, kCapacity> entries_;
    std::size_t count_ = 0;
    std::vector<std::string> groups_;
};

// The keys of every parameter, parameter by parameter and key index by key
// index, ended by a 0: the array a host's read descriptor is opened with.
std::vector<uint32_t> KeyArray(const ParameterSet& set);
