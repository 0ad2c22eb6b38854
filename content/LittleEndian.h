// Multi-byte values as the content formats store them: least significant
// byte first, whatever the processor's own order.
#pragma once

#include <cstddef>
#include <cstdint>

inline uint64_t LoadLittleEndian(const uint8_t* bytes, std::size_t count) {
    uint64_t value = 0;
    for (std::size_t i = count; i > 0; --i) value = (value << 8) | bytes[i - 1];
    return value;
}

inline void StoreLittleEndian(uint8_t* bytes, uint64_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, value >>= 8) bytes[i] = static_cast<uint8_t>(value & 0xff);
}
