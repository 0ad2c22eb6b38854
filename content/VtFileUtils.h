// Reads from the standard C streams the tile library is read through. Every
// read gives all the bytes asked for or throws FileError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class VtFileUtils {
public:
    // Thrown when fewer bytes than asked arrive (end of file or read error).
    class FileError {};

    static void ReadBytes(std::FILE* stream, void* buffer, std::size_t count);
    // A signed 32-bit little-endian value.
    static int32_t ReadInt32(std::FILE* stream);
};
