#include "content/VtFileUtils.h"

#include "content/LittleEndian.h"

void VtFileUtils::ReadBytes(std::FILE* stream, void* buffer, std::size_t count) {
    if (count != 0 && std::fread(buffer, 1, count, stream) != count) throw FileError();
}

int32_t VtFileUtils::ReadInt32(std::FILE* stream) {
    uint8_t bytes[4];
    ReadBytes(stream, bytes, sizeof bytes);
    return static_cast<int32_t>(static_cast<uint32_t>(LoadLittleEndian(bytes, sizeof bytes)));
}
