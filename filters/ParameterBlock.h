// The effect's parameters as the host keeps them: 3600 bytes in the host's
// parameters handle, starting with the kind of the effect that wrote them.
// The rest is the effect's own record of plain data, so that blocks can be
// copied whole (undo history, cancel) and stored between runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

#include "base/FilterKind.h"

struct alignas(8) ParameterBlock {
    static constexpr std::size_t kSize = 3600;

    FilterKind kind;
    unsigned char data[kSize - sizeof(FilterKind)];

    // The effect's record laid over the block. The record must be plain data,
    // fit in the block and start with its own `int32_t kind` field, which is
    // this block's kind.
    template <typename Record>
    Record& As() {
        CheckRecord<Record>();
        return *std::launder(reinterpret_cast<Record*>(this));
    }

    template <typename Record>
    const Record& As() const {
        CheckRecord<Record>();
        return *std::launder(reinterpret_cast<const Record*>(this));
    }

private:
    template <typename Record>
    static constexpr void CheckRecord() {
        static_assert(std::is_trivially_copyable_v<Record>, "a parameter record must be plain data");
        static_assert(std::is_standard_layout_v<Record>, "a parameter record must have standard layout");
        static_assert(sizeof(Record) <= kSize, "a parameter record must fit in the parameter block");
        static_assert(alignof(Record) <= alignof(ParameterBlock), "a parameter record must not need more alignment");
        static_assert(std::is_same_v<decltype(Record::kind), FilterKind>, "a parameter record starts with its kind");
        static_assert(offsetof(Record, kind) == 0, "a parameter record starts with its kind");
    }
};

static_assert(sizeof(ParameterBlock) == ParameterBlock::kSize);
static_assert(std::is_trivially_copyable_v<ParameterBlock>);
