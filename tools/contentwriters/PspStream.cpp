#include "tools/contentwriters/PspStream.h"

#include <cstring>

#include "content/LittleEndian.h"
#include "content/PspFormat.h"
#include "platform/FileStreams.h"

void PspStream::Value(uint64_t value, std::size_t count) {
    uint8_t bytes[8];
    StoreLittleEndian(bytes, value, count);
    Bytes(bytes, count);
}

void PspStream::F64(double value) {
    uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value, "double is 64 bits");
    std::memcpy(&bits, &value, sizeof bits);
    Value(bits, 8);
}

void PspStream::Bytes(const void* data, std::size_t count) {
    if (count != 0 && std::fwrite(data, 1, count, stream_) != count) ok_ = false;
}

void PspStream::Zeros(std::size_t count) {
    static const uint8_t kZeros[256] = {};
    while (count > 0) {
        const std::size_t part = count < sizeof kZeros ? count : sizeof kZeros;
        Bytes(kZeros, part);
        count -= part;
    }
}

uint64_t PspStream::Tell() {
    uint64_t offset = 0;
    // The stream's length is its end, where every write goes.
    if (std::fflush(stream_) != 0 || !FileLength(stream_, offset)) ok_ = false;
    return offset;
}

void PspStream::PatchU32(uint64_t offset, uint32_t value) {
    const uint64_t end = Tell();
    if (!ok_ || !SeekFile(stream_, offset)) {
        ok_ = false;
        return;
    }
    U32(value);
    if (!SeekFile(stream_, end)) ok_ = false;
}

void PspStream::FileHeader() {
    Bytes(psp::kSignature, sizeof psp::kSignature);
    U16(majorVersion_);
    U16(0);  // minor version
}

void PspStream::BeginBlock(uint16_t id) {
    Bytes(psp::kBlockMarker, sizeof psp::kBlockMarker);
    U16(id);
    OpenBlock block{};
    if (!IsVersion5()) {
        block.initialLengthField = Tell();
        U32(0);
    }
    block.totalLengthField = Tell();
    U32(0);
    block.bodyStart = Tell();
    blocks_.push_back(block);
}

void PspStream::EndBlock() {
    if (blocks_.empty()) {
        ok_ = false;
        return;
    }
    const OpenBlock block = blocks_.back();
    blocks_.pop_back();
    PatchU32(block.totalLengthField, static_cast<uint32_t>(Tell() - block.bodyStart));
}

void PspStream::BeginChunk() {
    chunks_.push_back(OpenChunk{Tell()});
    if (IsVersion5()) U32(0);
}

void PspStream::EndChunk() {
    if (chunks_.empty()) {
        ok_ = false;
        return;
    }
    const OpenChunk chunk = chunks_.back();
    chunks_.pop_back();
    const uint32_t length = static_cast<uint32_t>(Tell() - chunk.start);
    if (IsVersion5()) {
        PatchU32(chunk.start, length);
        return;
    }
    if (!blocks_.empty() && !blocks_.back().initialLengthWritten) {
        blocks_.back().initialLengthWritten = true;
        PatchU32(blocks_.back().initialLengthField, length);
    }
}
