#include "tools/resourcegen/IconFile.h"

#include <fstream>

#include "base/Rect.h"

namespace {

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutLong(std::vector<uint8_t>& out, uint32_t value) {
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

// Pixels with less alpha than this are transparent in the 1-bit mask.
constexpr uint8_t kMaskThreshold = 128;

// The image as icon resources hold it: a bitmap header with doubled height,
// the colour rows bottom-up as BGRA, then the mask rows bottom-up, each row
// padded to 32 bits; a mask bit of 1 means transparent.
std::vector<uint8_t> ImageBytes(const Canvas& image) {
    const int size = image.Size();
    const uint32_t maskRowBytes = static_cast<uint32_t>(CeilDiv(size, 32) * 4);
    const uint32_t colourBytes = static_cast<uint32_t>(size * size * 4);
    std::vector<uint8_t> out;
    PutLong(out, 40);
    PutLong(out, static_cast<uint32_t>(size));
    PutLong(out, static_cast<uint32_t>(size * 2));
    PutWord(out, 1);
    PutWord(out, 32);
    PutLong(out, 0);  // no compression
    PutLong(out, colourBytes + maskRowBytes * static_cast<uint32_t>(size));
    for (int i = 0; i < 4; ++i) PutLong(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba& pixel = image.At(x, y);
            out.insert(out.end(), {pixel.b, pixel.g, pixel.r, pixel.a});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRowBytes, 0);
        for (int x = 0; x < size; ++x) {
            if (image.At(x, y).a < kMaskThreshold)
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// Directory and images of an icon (type 1) or cursor (type 2) file. For a
// cursor the two words that hold planes and bit count in an icon hold the
// hotspot instead.
std::vector<uint8_t> IconDirectoryFile(uint16_t type, const std::vector<Canvas>& images, Hotspot hotspot) {
    std::vector<uint8_t> out;
    PutWord(out, 0);
    PutWord(out, type);
    PutWord(out, static_cast<uint32_t>(images.size()));
    std::vector<std::vector<uint8_t>> bodies;
    for (const Canvas& image : images) bodies.push_back(ImageBytes(image));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].Size();
        out.push_back(static_cast<uint8_t>(size == 256 ? 0 : size));
        out.push_back(static_cast<uint8_t>(size == 256 ? 0 : size));
        out.push_back(0);  // no palette
        out.push_back(0);
        PutWord(out, type == 1 ? 1 : static_cast<uint32_t>(hotspot.x));
        PutWord(out, type == 1 ? 32 : static_cast<uint32_t>(hotspot.y));
        PutLong(out, static_cast<uint32_t>(bodies[i].size()));
        PutLong(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const std::vector<uint8_t>& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace

std::vector<uint8_t> IconFileBytes(const std::vector<Canvas>& images) {
    return IconDirectoryFile(1, images, Hotspot{});
}

std::vector<uint8_t> CursorFileBytes(const Canvas& image, Hotspot hotspot) {
    return IconDirectoryFile(2, {image}, hotspot);
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}
