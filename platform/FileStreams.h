// Standard C streams on files named by UTF-8 paths, with 64-bit positions on
// every system (libjpeg's file source and destination take such streams).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// A stream that is closed when it goes.
struct FileStreamCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using FileStream = std::unique_ptr<std::FILE, FileStreamCloser>;

// Opens an existing file for binary reading ("rb"); null on failure. The
// path may separate folders with backslashes (platform/LocalPath.h).
std::FILE* OpenFileForReading(const std::string& path);

// Creates the file, or empties an existing one, for binary writing ("wb");
// null on failure, with errno saying why.
std::FILE* OpenFileForWriting(const std::string& path);

// Moves `stream` to `offset` bytes from the start. False on failure.
bool SeekFile(std::FILE* stream, uint64_t offset);

// The stream's length in bytes, leaving its position where it was.
bool FileLength(std::FILE* stream, uint64_t& length);

// The standard input and output streams, switched to binary mode where the
// system tells text from binary (Windows), for image data.
std::FILE* BinaryStandardInput();
std::FILE* BinaryStandardOutput();
