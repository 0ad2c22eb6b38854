#include "filters/ParameterSet.h"

FilterParameter::~FilterParameter() = default;

KeyShape FilterParameter::DescribeKey(int32_t /*index*/) const { return KeyShape(); }

bool FilterParameter::HasKey(uint32_t key) const {
    if (key == 0) return false;
    const int32_t count = KeyCount();
    for (int32_t i = 0; i < count; ++i) {
        if (KeyAt(i) == key) return true;
    }
    return false;
}

ResultCode ParameterSet::Add(std::unique_ptr<FilterParameter> parameter) {
    if (!parameter) return ResultCode::OutOfMemory();
    if (count_ >= kCapacity) return ResultCode::Failure();
    entries_[count_++] = std::move(parameter);
    return ResultCode::Success();
}

FilterParameter* ParameterSet::FindByKey(uint32_t key) const {
    for (std::size_t i = 0; i < count_; ++i) {
        if (entries_[i]->HasKey(key)) return entries_[i].get();
    }
    return nullptr;
}

void ParameterSet::Clear() {
    for (std::size_t i = 0; i < count_; ++i) entries_[i].reset();
    count_ = 0;
    groups_.clear();
}

std::vector<uint32_t> KeyArray(const ParameterSet& set) {
    std::vector<uint32_t> keys;
    for (std::size_t i = 0; i < set.Count(); ++i) {
        const FilterParameter& parameter = *set.At(i);
        const int32_t count = parameter.KeyCount();
        for (int32_t k = 0; k < count; ++k) keys.push_back(parameter.KeyAt(k));
    }
    keys.push_back(0);
    return keys;
}
