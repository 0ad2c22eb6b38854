// A content file chosen with the tube button: a flag that says the path is
// relative to the content folders, and the zero-terminated path. Recorded
// under two keys: the path as text (key 0) and the flag as a boolean (key 1).
#pragma once

#include <cstddef>

#include "content/ContentReference.h"
#include "filters/FilterParameter.h"

// Room for a content path in a parameter record, terminator included.
inline constexpr std::size_t kContentPathCapacity = sizeof(ContentReference::path);

class TubeButtonParameter : public FilterParameter {
public:
    TubeButtonParameter(uint32_t pathKey, uint32_t relativeKey, unsigned char* relative, char* path,
                        std::size_t pathCapacity = kContentPathCapacity)
        : keys{pathKey, relativeKey}, relative(relative), path(path), pathCapacity(pathCapacity) {}
    // Bound to a content reference; its carried byte is left alone.
    TubeButtonParameter(uint32_t pathKey, uint32_t relativeKey, ContentReference& reference)
        : TubeButtonParameter(pathKey, relativeKey, &reference.relative, reference.path, sizeof reference.path) {}

    // Puts a terminator at the end of a path that lacks one.
    void Validate() override;
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    // A path that does not fit is refused (-1) and the stored one kept.
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    int32_t KeyCount() const override { return 2; }
    uint32_t KeyAt(int32_t index) const override { return index >= 0 && index < 2 ? keys[index] : 0; }
    KeyShape DescribeKey(int32_t index) const override;

    uint32_t keys[2];
    unsigned char* relative;
    char* path;
    std::size_t pathCapacity;
};
