// The file the Paint Shop Pro reader works on: an operating-system file
// opened for reading (others may read it meanwhile, nobody may change it),
// read as little-endian values exactly as stored.
//
// Every read and positioning either succeeds whole or throws FileError: a
// read that would run past the end of the file and a position beyond its end
// are failures, so that a value is never taken from bytes that are not there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ReadOnlyFile.h"

class VtFile {
public:
    // Thrown by the reads and positionings below.
    class FileError {};

    VtFile() = default;
    VtFile(const VtFile&) = delete;
    VtFile& operator=(const VtFile&) = delete;

    // Opens an existing file; false when it cannot be opened. The file is
    // closed when the object goes, or by Close.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }

    uint8_t Read1();
    uint16_t Read2();
    uint32_t Read4();
    uint64_t Read8();
    void ReadBytes(void* buffer, std::size_t count);

    // Positions at `offset` bytes from the start (at most the file's length).
    void SeekTo(uint64_t offset);
    // Moves the position by `delta` bytes, forward or back.
    void Skip(int64_t delta);
    uint64_t Tell() const { return position_; }
    bool AtEnd() const { return position_ == size_; }
    uint64_t Size() const { return size_; }

private:
    uint64_t ReadValue(std::size_t count);

    ReadOnlyFile file_;
    uint64_t position_ = 0;
    uint64_t size_ = 0;
};
