// JPEG content from memory and from files: the loaders, the decode into a
// destination of fixed layout (as preview composites and tiles are read), and
// the texture content check.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "content/JpegLoader.h"
#include "fuzz/FuzzInputFile.h"

namespace {

class DiscardingSink : public ProgressUpdateSink {
public:
    void Update(double) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    DiscardingSink sink;
    std::unique_ptr<Image<unsigned char>> image;
    (void)LoadJpegMemory(data, size, image, &sink, 0.0, 1.0);

    static ResultCode allocation;
    static Image<unsigned char> destination(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 16, 16), allocation);
    (void)DecodeJpegMemory(data, size, destination, &sink, 0.0, 1.0);

    const std::string& path = WriteFuzzInput(data, size);
    (void)LoadJpegFile(path, image, nullptr, 0.0, 1.0);
    (void)CheckJpegContent(path);
    return 0;
}
