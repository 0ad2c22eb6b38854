// A file opened through the operating system for reading. Only existing files
// open. While it is open, others may read the file but not change it (on
// Windows; other systems have no such lock), so its size stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile() { Close(); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens `path` (UTF-8; folders may be separated by backslashes,
    // platform/LocalPath.h), closing any file open before. False when the
    // file does not exist or cannot be opened for reading.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return handle_ != kNoHandle; }

    // Reads up to `count` bytes at the current position, fewer only at the
    // end of the file. The number read, or -1 when the system reports an error.
    int64_t Read(void* buffer, std::size_t count);
    // Moves the current position to `offset` bytes from the start.
    bool Seek(uint64_t offset);
    // The file's length in bytes.
    bool Size(uint64_t& size) const;

private:
    // A file descriptor, or a Windows handle; -1 is "none" on both.
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
};
