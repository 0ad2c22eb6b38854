// Writes the blocks of a Paint Shop Pro file (content/PspFormat.h) into a
// seekable stream. Block and chunk lengths are written as placeholders and
// filled in when the block or chunk ends, so that callers write contents in
// order without measuring them first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

class PspStream {
public:
    PspStream(std::FILE* stream, uint16_t majorVersion) : stream_(stream), majorVersion_(majorVersion) {}

    bool IsVersion5() const { return majorVersion_ >= 5; }
    std::FILE* Stream() const { return stream_; }
    // False once any write or positioning has failed.
    bool Ok() const { return ok_; }

    void FileHeader();
    // A block header with the block's lengths to come; blocks nest.
    void BeginBlock(uint16_t id);
    void EndBlock();
    // An information chunk. Version 5 starts it with its own size; version 3
    // has none, and records the length of a block's first chunk as the
    // block's initial data length instead.
    void BeginChunk();
    void EndChunk();

    void U8(uint8_t value) { Value(value, 1); }
    void U16(uint16_t value) { Value(value, 2); }
    void U32(uint32_t value) { Value(value, 4); }
    void I32(int32_t value) { Value(static_cast<uint32_t>(value), 4); }
    void F64(double value);
    void Bytes(const void* data, std::size_t count);
    void Zeros(std::size_t count);

    // The current offset from the start of the stream.
    uint64_t Tell();
    // Overwrites four bytes at `offset` and returns to the end.
    void PatchU32(uint64_t offset, uint32_t value);

private:
    struct OpenBlock {
        uint64_t initialLengthField;  // version 3 only
        uint64_t totalLengthField;
        uint64_t bodyStart;
        bool initialLengthWritten;
    };
    struct OpenChunk {
        uint64_t start;
    };

    void Value(uint64_t value, std::size_t count);

    std::FILE* stream_;
    uint16_t majorVersion_;
    bool ok_ = true;
    std::vector<OpenBlock> blocks_;
    std::vector<OpenChunk> chunks_;
};
