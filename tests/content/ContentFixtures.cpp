#include "tests/content/ContentFixtures.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "content/PspFileReader.h"
#include "content/VtFile.h"
#include "tools/contentwriters/PictureTubeWriter.h"

namespace fs = std::filesystem;

void ContentTest::SetUp() {
    static int serial = 0;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    folder_ =
        fs::temp_directory_path() / ("dapple-content-test-" + std::to_string(ticks) + "-" + std::to_string(serial++));
    fs::create_directories(folder_);
}

void ContentTest::TearDown() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

RasterImage PatternPicture(int32_t width, int32_t height) {
    RasterImage picture(width, height, 4);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = picture.Row(y) + static_cast<size_t>(x) * 4;
            pixel[0] = static_cast<uint8_t>(x * 7 + y * 3);
            pixel[1] = static_cast<uint8_t>(x * 5 + y * 11 + 40);
            pixel[2] = static_cast<uint8_t>(255 - x * 3 - y * 2);
            pixel[3] = static_cast<uint8_t>(x + y * width);
        }
    return picture;
}

RasterImage SolidPicture(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue) {
    RasterImage picture(width, height, 3);
    for (size_t i = 0; i < picture.pixels.size(); i += 3) {
        picture.pixels[i] = red;
        picture.pixels[i + 1] = green;
        picture.pixels[i + 2] = blue;
    }
    return picture;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void PutLittleEndian32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t LittleEndian32(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes.at(offset + i);
    return value;
}

TubeRecipe RecipeFor(const RasterImage& picture, int32_t columns, int32_t rows, uint16_t majorVersion) {
    TubeRecipe recipe;
    recipe.majorVersion = majorVersion;
    recipe.width = picture.width;
    recipe.height = picture.height;
    recipe.grid = TubeGridFields{columns, rows, columns * rows, picture.width / columns};
    recipe.composite = majorVersion == 5;
    recipe.layerRect = Rect(0, 0, picture.height, picture.width);
    return recipe;
}

void WriteRecipe(const std::string& path, const RasterImage& picture, const TubeRecipe& recipe) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    PspStream stream(file, recipe.majorVersion);
    stream.FileHeader();
    WriteImageAttributesBlock(stream, recipe.width, recipe.height);
    WriteTubeDataBlock(stream, recipe.grid);
    if (recipe.afterTube) recipe.afterTube(stream);
    if (recipe.composite) {
        EXPECT_EQ(WriteCompositeBankBlock(stream, TubeThumbnail(picture), recipe.compositeAttributes), "");
    }
    if (recipe.layerBank) {
        recipe.layerBank(stream);
    } else {
        EXPECT_EQ(WriteLayerBankBlock(stream, picture, recipe.layerRect, recipe.channels), "");
    }
    if (recipe.afterLayers) recipe.afterLayers(stream);
    EXPECT_TRUE(stream.Ok());
    EXPECT_EQ(std::fclose(file), 0);
}

namespace {

std::unique_ptr<Image<unsigned char>> CopyOf(const Image<unsigned char>& image) {
    ResultCode result;
    auto copy = std::make_unique<Image<unsigned char>>(image.layout, image.bounds, result);
    for (int32_t y = image.bounds.top; y < image.bounds.bottom; ++y)
        for (int32_t x = image.bounds.left; x < image.bounds.right; ++x)
            for (int c = 0; c < image.layout.channelCount; ++c)
                copy->PixelAddress(Point{x, y})[c] = image.PixelAddress(Point{x, y})[c];
    return copy;
}

}  // namespace

ReadTube ReadTubeFile(const std::string& path, ProgressUpdateSink* sink, double start, double end) {
    ReadTube tube;
    VtFile file;
    if (!file.Open(path)) {
        tube.openResult = ResultCode::Failure(10032);
        return tube;
    }
    PspFileReader reader(file);
    tube.openResult = reader.open();
    if (tube.openResult.IsFailure()) return tube;
    tube.width = reader.width();
    tube.height = reader.height();
    tube.columns = reader.columns();
    tube.rows = reader.rows();
    tube.version5 = reader.isVersion5();
    if (reader.previewComposite() != nullptr) tube.preview = CopyOf(*reader.previewComposite());
    ResultCode allocation;
    tube.image = std::make_unique<Image<unsigned char>>(ChannelLayout(kColourModelRGB, 3, true),
                                                        Rect(0, 0, tube.height, tube.width), allocation);
    // Marks every sample, so that a test sees which ones the reader wrote.
    for (int32_t y = 0; y < tube.height; ++y)
        for (int32_t x = 0; x < tube.width; ++x)
            for (int c = 0; c < 4; ++c) tube.image->PixelAddress(Point{x, y})[c] = 0xA5;
    tube.imageResult = reader.readImage(*tube.image, sink, start, end);
    return tube;
}

unsigned char Sample(const Image<unsigned char>& image, int32_t x, int32_t y, int c) {
    return image.PixelAddress(Point{image.bounds.left + x, image.bounds.top + y})[c];
}
