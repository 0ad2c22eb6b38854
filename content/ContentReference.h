// A content file as a parameter remembers it: a fixed record of 1025 bytes
// that travels inside the effect's parameter block, so its layout is fixed.
// A relative path is taken from the plug-in folder and begins with a
// backslash ("\Content\Tubes\Stars.tub"); folders are separated by
// backslashes on every system (platform/LocalPath.h).
#pragma once

#include <cstddef>
#include <string>

struct ContentReference {
    unsigned char relative = 0;  // 1: the path is relative to the plug-in folder
    char path[1023] = {};        // zero-terminated
    unsigned char carried = 0;   // the owning parameter's own byte, kept as it is
};
static_assert(sizeof(ContentReference) == 1025, "the content reference is a fixed 1025-byte record");

// The longest path a reference holds, without its terminator.
constexpr std::size_t kContentReferenceMaxPath = sizeof(ContentReference::path) - 1;

// The path up to its terminator (or the whole field when it has none).
std::string ReferencePath(const ContentReference& reference);

// Puts `path` into the reference's path field, zero-filling the rest. False,
// leaving the reference unchanged, when the path is longer than
// kContentReferenceMaxPath or holds a zero byte.
bool SetReferencePath(ContentReference& reference, const std::string& path);
