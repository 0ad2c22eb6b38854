// Image file reading and writing: round trips, the awkward PNG and JPEG
// variants made here with libpng and libjpeg directly, damaged input, and
// writes that must fail without leaving anything behind.
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "image/Parallel.h"
#include "imagefiles/ImageFiles.h"
#include "imagefiles/JpegHuffman.h"

namespace fs = std::filesystem;

namespace {

class ImageFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = fs::temp_directory_path() / ("dapple-imagefiles-" + std::to_string(ticks));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Every byte different from its neighbours, so that an exact round trip means something.
RasterImage Pattern(int32_t width, int32_t height, int32_t channels) {
    RasterImage image(width, height, channels);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>((i * 37 + i / 5) & 0xff);
    return image;
}

// Gentle gradients that a JPEG coder keeps closely.
RasterImage Gradient(int32_t width, int32_t height, int32_t channels) {
    RasterImage image(width, height, channels);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int32_t c = 0; c < channels; ++c)
                image.Row(y)[x * channels + c] = static_cast<uint8_t>(20 + x + y + c * 30);
    return image;
}

// Image split into equal vertical bands, each one flat colour.
RasterImage Bands(int32_t bandWidth, int32_t height, const std::vector<std::vector<uint8_t>>& colours) {
    const auto channels = static_cast<int32_t>(colours[0].size());
    RasterImage image(bandWidth * static_cast<int32_t>(colours.size()), height, channels);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            std::copy(colours[x / bandWidth].begin(), colours[x / bandWidth].end(), image.Row(y) + x * channels);
    return image;
}

int MaxDifference(const RasterImage& a, const RasterImage& b) {
    int worst = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) worst = std::max(worst, std::abs(a.pixels[i] - b.pixels[i]));
    return worst;
}

// The pixel at (x, 0) of IMAGE, channel by channel.
std::vector<int> PixelAt(const RasterImage& image, int32_t x) {
    const uint8_t* p = image.Row(0) + x * image.channels;
    return std::vector<int>(p, p + image.channels);
}

void ExpectNear(const std::vector<int>& actual, const std::vector<int>& expected, int tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "channel " << i;
}

// A PNG written with libpng itself, in any colour type and depth it supports.
struct RawPng {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_GRAY;
    int interlace = PNG_INTERLACE_NONE;
    const uint8_t* rows = nullptr;      // packed as PNG stores them
    size_t rowBytes = 0;                // 0 repeats the first row
    uint32_t rowsToWrite = UINT32_MAX;  // fewer leaves the file unfinished
    const png_color* palette = nullptr;
    int paletteCount = 0;
    const png_byte* transparentIndices = nullptr;
    int transparentCount = 0;
    const png_color_16* transparentColour = nullptr;
};

bool WriteRawPngStream(png_structp png, png_infop info, const RawPng& layout) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType, layout.interlace,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.palette != nullptr) png_set_PLTE(png, info, layout.palette, layout.paletteCount);
    if (layout.transparentIndices != nullptr || layout.transparentColour != nullptr)
        png_set_tRNS(png, info, layout.transparentIndices, layout.transparentCount, layout.transparentColour);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    uint32_t written = 0;
    for (int pass = 0; pass < passes; ++pass) {
        for (uint32_t y = 0; y < layout.height; ++y, ++written) {
            if (written == layout.rowsToWrite) return true;
            png_write_row(png, layout.rows + y * layout.rowBytes);
        }
    }
    png_write_end(png, nullptr);
    return true;
}

void WriteRawPng(const std::string& path, const RawPng& layout) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    const bool written = WriteRawPngStream(png, info, layout);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    ASSERT_TRUE(written);
}

struct TestJpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void OnTestJpegError(j_common_ptr codec) {
    std::longjmp(reinterpret_cast<TestJpegErrors*>(codec->err)->jump, 1);
}

// A four-channel JPEG stored as CMYK or YCCK, with or without the Adobe marker.
bool WriteFourChannelJpegStream(jpeg_compress_struct& codec, TestJpegErrors& errors, std::FILE* file,
                                const RasterImage& inks, J_COLOR_SPACE stored, bool adobeMarker) {
    if (setjmp(errors.jump)) return false;
    jpeg_create_compress(&codec);
    jpeg_stdio_dest(&codec, file);
    codec.image_width = static_cast<JDIMENSION>(inks.width);
    codec.image_height = static_cast<JDIMENSION>(inks.height);
    codec.input_components = 4;
    codec.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&codec);
    jpeg_set_colorspace(&codec, stored);
    codec.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&codec, 98, TRUE);
    jpeg_start_compress(&codec, TRUE);
    while (codec.next_scanline < codec.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(inks.Row(static_cast<int32_t>(codec.next_scanline)));
        jpeg_write_scanlines(&codec, &row, 1);
    }
    jpeg_finish_compress(&codec);
    return true;
}

// What libjpeg writes itself for IMAGE (grey or RGB) as our writer codes it:
// quality 92, colour not subsampled, a restart marker after each row of
// blocks, optimised Huffman tables; the whole picture on one thread. Or,
// as CAMERA, as cameras code it: colour halved both ways, no restart markers.
bool WriteWholeJpegStream(jpeg_compress_struct& codec, TestJpegErrors& errors, std::FILE* file,
                          const RasterImage& image, bool camera) {
    if (setjmp(errors.jump)) return false;
    jpeg_create_compress(&codec);
    jpeg_stdio_dest(&codec, file);
    codec.image_width = static_cast<JDIMENSION>(image.width);
    codec.image_height = static_cast<JDIMENSION>(image.height);
    codec.input_components = image.channels;
    codec.in_color_space = image.channels == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&codec);
    jpeg_set_quality(&codec, 92, TRUE);
    if (!camera) {
        codec.comp_info[0].h_samp_factor = 1;
        codec.comp_info[0].v_samp_factor = 1;
        codec.restart_in_rows = 1;
        codec.optimize_coding = TRUE;
    }
    jpeg_start_compress(&codec, TRUE);
    while (codec.next_scanline < codec.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(image.Row(static_cast<int32_t>(codec.next_scanline)));
        jpeg_write_scanlines(&codec, &row, 1);
    }
    jpeg_finish_compress(&codec);
    return true;
}

std::vector<uint8_t> WholeJpegBytes(const std::string& path, const RasterImage& image, bool camera = false) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return {};
    jpeg_compress_struct codec{};
    TestJpegErrors errors{};
    codec.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnTestJpegError;
    const bool written = WriteWholeJpegStream(codec, errors, file, image, camera);
    jpeg_destroy_compress(&codec);
    std::fclose(file);
    return written ? FileBytes(path) : std::vector<uint8_t>();
}

void WriteFourChannelJpeg(const std::string& path, const RasterImage& inks, J_COLOR_SPACE stored, bool adobe) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct codec{};
    TestJpegErrors errors{};
    codec.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnTestJpegError;
    const bool written = WriteFourChannelJpegStream(codec, errors, file, inks, stored, adobe);
    jpeg_destroy_compress(&codec);
    std::fclose(file);
    ASSERT_TRUE(written);
}

}  // namespace

TEST_F(ImageFilesTest, PngKeepsEveryChannelCountExactly) {
    for (int32_t channels = 1; channels <= 4; ++channels) {
        SCOPED_TRACE(channels);
        const RasterImage original = Pattern(13, 7, channels);
        const std::string path = PathOf("round" + std::to_string(channels) + ".PNG");
        ASSERT_TRUE(WriteImageFile(path, original).Ok());
        RasterImage loaded;
        const ImageFileStatus status = ReadImageFile(path, loaded);
        ASSERT_TRUE(status.Ok()) << status.error;
        EXPECT_EQ(loaded.width, 13);
        EXPECT_EQ(loaded.height, 7);
        EXPECT_EQ(loaded.channels, channels);
        EXPECT_EQ(loaded.pixels, original.pixels);
    }
    // Beyond libpng's own default width limit of a million pixels, well inside ours.
    const RasterImage wide = Pattern(1100000, 1, 1);
    ASSERT_TRUE(WriteImageFile(PathOf("wide.png"), wide).Ok());
    RasterImage loaded;
    ASSERT_TRUE(ReadImageFile(PathOf("wide.png"), loaded).Ok());
    EXPECT_EQ(loaded.pixels, wide.pixels);
}

TEST_F(ImageFilesTest, JpegKeepsGreyAndColourClosely) {
    for (int32_t channels : {1, 3}) {
        SCOPED_TRACE(channels);
        const RasterImage original = Gradient(64, 48, channels);
        const std::string path = PathOf(channels == 1 ? "grey.jpg" : "colour.JpEg");
        ASSERT_TRUE(WriteImageFile(path, original).Ok());
        RasterImage loaded;
        const ImageFileStatus status = ReadImageFile(path, loaded);
        ASSERT_TRUE(status.Ok()) << status.error;
        ASSERT_EQ(loaded.channels, channels);
        ASSERT_EQ(loaded.pixels.size(), original.pixels.size());
        EXPECT_LE(MaxDifference(loaded, original), 4);
    }
}

TEST_F(ImageFilesTest, JpegCompositesAlphaOverWhite) {
    // Expected: colour * alpha / 255 + 255 * (255 - alpha) / 255.
    const RasterImage rgba = Bands(8, 8, {{200, 40, 40, 255}, {200, 40, 40, 0}, {0, 0, 0, 128}, {100, 200, 0, 51}});
    ASSERT_TRUE(WriteImageFile(PathOf("rgba.jpg"), rgba).Ok());
    RasterImage loaded;
    ASSERT_TRUE(ReadImageFile(PathOf("rgba.jpg"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 3);
    ExpectNear(PixelAt(loaded, 4), {200, 40, 40}, 3);
    ExpectNear(PixelAt(loaded, 12), {255, 255, 255}, 3);
    ExpectNear(PixelAt(loaded, 20), {127, 127, 127}, 3);
    ExpectNear(PixelAt(loaded, 28), {224, 244, 204}, 3);

    const RasterImage greyAlpha = Bands(8, 8, {{0, 51}, {90, 255}});
    ASSERT_TRUE(WriteImageFile(PathOf("ga.jpg"), greyAlpha).Ok());
    ASSERT_TRUE(ReadImageFile(PathOf("ga.jpg"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 1);
    ExpectNear(PixelAt(loaded, 4), {204}, 3);
    ExpectNear(PixelAt(loaded, 12), {90}, 3);
}

TEST_F(ImageFilesTest, PalettePngBecomesRgbOrRgba) {
    const png_color palette[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
    const uint8_t indices[1] = {0x1b};  // 2-bit indices 0, 1, 2, 3
    RawPng layout;
    layout.width = 4;
    layout.height = 1;
    layout.bitDepth = 2;
    layout.colorType = PNG_COLOR_TYPE_PALETTE;
    layout.rows = indices;
    layout.rowBytes = 1;
    layout.palette = palette;
    layout.paletteCount = 4;
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("palette.png"), layout));
    RasterImage loaded;
    ASSERT_TRUE(ReadImageFile(PathOf("palette.png"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 3);
    EXPECT_EQ(loaded.pixels, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30}));

    // Entries beyond the transparency list stay opaque.
    const png_byte alphas[2] = {0, 128};
    layout.transparentIndices = alphas;
    layout.transparentCount = 2;
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("palette-alpha.png"), layout));
    ASSERT_TRUE(ReadImageFile(PathOf("palette-alpha.png"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 4);
    EXPECT_EQ(loaded.pixels, (std::vector<uint8_t>{255, 0, 0, 0, 0, 255, 0, 128, 0, 0, 255, 255, 10, 20, 30, 255}));
}

TEST_F(ImageFilesTest, DeepAndShallowPngBecomeEightBit) {
    // 16-bit RGB, big-endian samples: the high byte is kept.
    const uint8_t deep[12] = {0x12, 0x34, 0xff, 0xff, 0x00, 0xff, 0x80, 0x00, 0x7f, 0xff, 0x01, 0x00};
    RawPng layout;
    layout.width = 2;
    layout.height = 1;
    layout.bitDepth = 16;
    layout.colorType = PNG_COLOR_TYPE_RGB;
    layout.rows = deep;
    layout.rowBytes = 12;
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("deep.png"), layout));
    RasterImage loaded;
    ASSERT_TRUE(ReadImageFile(PathOf("deep.png"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 3);
    EXPECT_EQ(loaded.pixels, (std::vector<uint8_t>{0x12, 0xff, 0x00, 0x80, 0x7f, 0x01}));

    layout.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    layout.width = 3;  // the same twelve bytes as three grey + alpha pixels
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("deep-ga.png"), layout));
    ASSERT_TRUE(ReadImageFile(PathOf("deep-ga.png"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 2);
    EXPECT_EQ(loaded.pixels, (std::vector<uint8_t>{0x12, 0xff, 0x00, 0x80, 0x7f, 0x01}));

    // 2-bit grey 0, 1, 2, 3 spans 0..255 in thirds.
    const uint8_t shallow[1] = {0x1b};
    layout = RawPng();
    layout.width = 4;
    layout.height = 1;
    layout.bitDepth = 2;
    layout.rows = shallow;
    layout.rowBytes = 1;
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("shallow.png"), layout));
    ASSERT_TRUE(ReadImageFile(PathOf("shallow.png"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 1);
    EXPECT_EQ(loaded.pixels, (std::vector<uint8_t>{0, 85, 170, 255}));

    // A transparent grey value becomes an alpha channel.
    const uint8_t greys[3] = {100, 101, 0};
    const png_color_16 transparent = {0, 0, 0, 0, 100};
    layout.bitDepth = 8;
    layout.width = 3;
    layout.rows = greys;
    layout.rowBytes = 3;
    layout.transparentColour = &transparent;
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("grey-key.png"), layout));
    ASSERT_TRUE(ReadImageFile(PathOf("grey-key.png"), loaded).Ok());
    ASSERT_EQ(loaded.channels, 2);
    EXPECT_EQ(loaded.pixels, (std::vector<uint8_t>{100, 0, 101, 255, 0, 255}));
}

TEST_F(ImageFilesTest, InterlacedPngReadsWhole) {
    const RasterImage original = Pattern(11, 9, 3);
    RawPng layout;
    layout.width = 11;
    layout.height = 9;
    layout.colorType = PNG_COLOR_TYPE_RGB;
    layout.interlace = PNG_INTERLACE_ADAM7;
    layout.rows = original.pixels.data();
    layout.rowBytes = original.RowBytes();
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("adam7.png"), layout));
    RasterImage loaded;
    ASSERT_TRUE(ReadImageFile(PathOf("adam7.png"), loaded).Ok());
    EXPECT_EQ(loaded.pixels, original.pixels);
}

TEST_F(ImageFilesTest, FourChannelJpegBecomesRgb) {
    struct Case {
        const char* name;
        J_COLOR_SPACE stored;
        bool adobe;
        std::vector<std::vector<uint8_t>> values;  // as stored in the file
    };
    // Adobe files store 255 - ink; plain CMYK stores the inks themselves.
    // Either way: red = no cyan, full magenta and yellow, no black; then a
    // half black; then 40% cyan on 20% black: R = 0.6 * 0.8, G = B = 0.8.
    const std::vector<Case> cases = {
        {"adobe-cmyk.jpg", JCS_CMYK, true, {{255, 0, 0, 255}, {255, 255, 255, 128}, {153, 255, 255, 204}}},
        {"adobe-ycck.jpg", JCS_YCCK, true, {{255, 0, 0, 255}, {255, 255, 255, 128}, {153, 255, 255, 204}}},
        {"plain-cmyk.jpg", JCS_CMYK, false, {{0, 255, 255, 0}, {0, 0, 0, 127}, {102, 0, 0, 51}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(WriteFourChannelJpeg(PathOf(c.name), Bands(8, 8, c.values), c.stored, c.adobe));
        RasterImage loaded;
        const ImageFileStatus status = ReadImageFile(PathOf(c.name), loaded);
        ASSERT_TRUE(status.Ok()) << status.error;
        ASSERT_EQ(loaded.channels, 3);
        ExpectNear(PixelAt(loaded, 4), {255, 0, 0}, 3);
        ExpectNear(PixelAt(loaded, 12), {128, 128, 128}, 3);
        ExpectNear(PixelAt(loaded, 20), {122, 204, 204}, 3);
    }
}

TEST_F(ImageFilesTest, TruncatedFilesAreRefused) {
    ASSERT_TRUE(WriteImageFile(PathOf("whole.png"), Pattern(40, 30, 3)).Ok());
    ASSERT_TRUE(WriteImageFile(PathOf("whole.jpg"), Gradient(64, 64, 3)).Ok());
    for (const char* name : {"whole.png", "whole.jpg"}) {
        const std::vector<uint8_t> whole = FileBytes(PathOf(name));
        ASSERT_GT(whole.size(), 200u);
        for (size_t length : {size_t(1), size_t(40), whole.size() / 2, whole.size() - 1}) {
            SCOPED_TRACE(std::string(name) + " cut to " + std::to_string(length));
            const std::string path = PathOf(std::string("cut-") + name);
            PutBytes(path, std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
            RasterImage untouched = Pattern(2, 2, 2);
            const ImageFileStatus status = ReadImageFile(path, untouched);
            EXPECT_FALSE(status.Ok());
            EXPECT_NE(status.error.find(path), std::string::npos) << status.error;
            EXPECT_EQ(untouched.pixels, Pattern(2, 2, 2).pixels);
        }
    }
}

TEST_F(ImageFilesTest, GarbageAndMisnamedFilesAreRefused) {
    std::vector<uint8_t> noise(3000);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>((i * 7919u) >> 3);
    std::vector<uint8_t> pngHead = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    pngHead.insert(pngHead.end(), noise.begin(), noise.end());
    std::vector<uint8_t> jpegHead = {0xff, 0xd8, 0xff};
    jpegHead.insert(jpegHead.end(), noise.begin(), noise.end());

    ASSERT_TRUE(WriteImageFile(PathOf("real.png"), Pattern(40, 30, 3)).Ok());
    std::vector<uint8_t> badCrc = FileBytes(PathOf("real.png"));
    badCrc[badCrc.size() / 2] ^= 0x55;  // inside the image data

    const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"noise.png", noise}, {"noise.jpg", noise},  {"empty.png", {}},
        {"sig.png", pngHead}, {"soi.jpg", jpegHead}, {"crc.png", badCrc},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        PutBytes(PathOf(name), bytes);
        RasterImage image;
        const ImageFileStatus status = ReadImageFile(PathOf(name), image);
        EXPECT_FALSE(status.Ok());
        EXPECT_FALSE(status.error.empty());
        EXPECT_EQ(status.error.find('\n'), std::string::npos) << status.error;
        EXPECT_TRUE(image.pixels.empty());
    }

    RasterImage image;
    EXPECT_FALSE(ReadImageFile(PathOf("missing.png"), image).Ok());
    fs::create_directory(PathOf("folder.png"));
    EXPECT_FALSE(ReadImageFile(PathOf("folder.png"), image).Ok());
}

TEST_F(ImageFilesTest, AbsurdSizesAreRefusedBeforeAllocating) {
    // A PNG claiming 100000 x 100000 pixels, cut off after a row of noise
    // large enough that libpng has written image data.
    std::vector<uint8_t> noise(100000);
    uint32_t state = 1;
    for (uint8_t& value : noise) {
        state = state * 1103515245u + 12345u;
        value = static_cast<uint8_t>(state >> 24);
    }
    RawPng layout;
    layout.width = 100000;
    layout.height = 100000;
    layout.rows = noise.data();
    layout.rowsToWrite = 1;
    ASSERT_NO_FATAL_FAILURE(WriteRawPng(PathOf("huge.png"), layout));
    // A small JPEG whose frame header is altered to claim 65500 x 65500.
    ASSERT_TRUE(WriteImageFile(PathOf("huge.jpg"), Gradient(16, 16, 1)).Ok());
    std::vector<uint8_t> jpeg = FileBytes(PathOf("huge.jpg"));
    const uint8_t frameMarker[2] = {0xff, 0xc0};
    const auto frame = std::search(jpeg.begin(), jpeg.end(), std::begin(frameMarker), std::end(frameMarker));
    ASSERT_NE(frame, jpeg.end());
    std::fill(frame + 5, frame + 9, uint8_t{0});  // height and width, big-endian
    frame[5] = frame[7] = 0xff;
    frame[6] = frame[8] = 0xdc;
    PutBytes(PathOf("huge.jpg"), jpeg);

    for (const char* name : {"huge.png", "huge.jpg"}) {
        RasterImage image;
        const ImageFileStatus status = ReadImageFile(PathOf(name), image);
        EXPECT_NE(status.error.find("too large"), std::string::npos) << name << ": " << status.error;
    }
}

TEST_F(ImageFilesTest, ExtensionChoosesTheWrittenFormatAndContentTheRead) {
    EXPECT_EQ(ImageFileFormatForPath("a/B.PnG"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFileFormatForPath("photo.JPEG"), ImageFileFormat::Jpeg);
    EXPECT_EQ(ImageFileFormatForPath("photo.jpg"), ImageFileFormat::Jpeg);
    EXPECT_EQ(ImageFileFormatForPath("scan.TIFF"), ImageFileFormat::Tiff);
    EXPECT_FALSE(ImageFileFormatForPath("picture.bmp"));
    EXPECT_FALSE(ImageFileFormatForPath("png"));
    EXPECT_FALSE(ImageFileFormatForPath("archive.png.gz"));

    // Each format under the others' names reads as what it holds.
    const RasterImage original = Pattern(6, 5, 3);
    const std::vector<std::pair<std::string, std::string>> disguises = {
        {"real.png", "png-inside.jpg"}, {"real.tif", "tiff-inside.png"}, {"real.jpg", "jpeg-inside.tif"}};
    for (const auto& [real, disguised] : disguises) {
        SCOPED_TRACE(disguised);
        ASSERT_TRUE(WriteImageFile(PathOf(real), original).Ok());
        fs::copy_file(PathOf(real), PathOf(disguised));
        RasterImage image;
        ASSERT_TRUE(ReadImageFile(PathOf(disguised), image).Ok());
        EXPECT_EQ(image.width, 6);
        if (real != "real.jpg") {
            EXPECT_EQ(image.pixels, original.pixels);
        }
    }
    EXPECT_FALSE(WriteImageFile(PathOf("out.bmp"), Pattern(4, 4, 1)).Ok());
    EXPECT_FALSE(WriteImageFile(PathOf("out"), Pattern(4, 4, 1)).Ok());
    EXPECT_EQ(FolderNames().size(), 6u);
}

TEST_F(ImageFilesTest, FailedWritesLeaveNothingBehind) {
    // Into a folder that does not exist.
    const ImageFileStatus missing = WriteImageFile(PathOf("absent/out.png"), Pattern(4, 4, 3));
    EXPECT_FALSE(missing.Ok());
    EXPECT_NE(missing.error.find("absent/out.png"), std::string::npos) << missing.error;
    EXPECT_TRUE(FolderNames().empty());

    // Over an existing file, failing inside the JPEG coder (wider than JPEG allows).
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    PutBytes(PathOf("keep.jpg"), old);
    EXPECT_FALSE(WriteImageFile(PathOf("keep.jpg"), RasterImage(65501, 1, 3)).Ok());
    EXPECT_EQ(FileBytes(PathOf("keep.jpg")), old);

    // An image whose buffer does not match its size.
    RasterImage inconsistent(4, 4, 3);
    inconsistent.pixels.pop_back();
    EXPECT_FALSE(WriteImageFile(PathOf("keep.jpg"), inconsistent).Ok());
    EXPECT_FALSE(WriteImageFile(PathOf("keep.jpg"), RasterImage()).Ok());
    EXPECT_EQ(FileBytes(PathOf("keep.jpg")), old);

    // Onto a folder: the rename fails and the temporary file goes.
    fs::create_directory(PathOf("taken.png"));
    EXPECT_FALSE(WriteImageFile(PathOf("taken.png"), Pattern(4, 4, 3)).Ok());
    EXPECT_TRUE(fs::is_directory(PathOf("taken.png")));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"keep.jpg", "taken.png"}));

    // A successful write does replace the old file.
    const RasterImage fresh = Pattern(5, 3, 1);
    ASSERT_TRUE(WriteImageFile(PathOf("keep.png"), fresh).Ok());
    ASSERT_TRUE(WriteImageFile(PathOf("keep.png"), Pattern(5, 3, 4)).Ok());
    RasterImage loaded;
    ASSERT_TRUE(ReadImageFile(PathOf("keep.png"), loaded).Ok());
    EXPECT_EQ(loaded.channels, 4);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"keep.jpg", "keep.png", "taken.png"}));
}

TEST_F(ImageFilesTest, PngInManyBandsReadsBackAndIsTheSameOnAnyThreadCount) {
    // Over two waves of one-megabyte bands, with noise, flat runs and a
    // repeating pattern side by side, so that every filter type and both
    // codings of a band are used; libpng reads the file back.
    RasterImage image(2111, 9001, 1);
    uint32_t state = 12345;
    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* row = image.Row(y);
        for (int32_t x = 0; x < image.width; ++x) {
            state = state * 1664525u + 1013904223u;
            if (y < 3000) {
                row[x] = static_cast<uint8_t>(x < 700 ? state >> 24 : (x < 1400 ? 200 : (x * 7 + y) & 0xff));
            } else {
                row[x] = static_cast<uint8_t>(y < 6000 ? 90 : (x + (state >> 30)) & 0xff);
            }
        }
    }
    for (const PngCompression compression : {PngCompression::Fast, PngCompression::Smallest}) {
        SCOPED_TRACE(compression == PngCompression::Fast ? "fast" : "smallest");
        std::vector<std::vector<uint8_t>> files;
        for (const int32_t threads : {1, 2, 7}) {
            SetParallelThreads(threads);
            ImageWriteOptions options;
            options.png = compression;
            ASSERT_TRUE(WriteImageFile(PathOf("bands.png"), image, options).Ok());
            files.push_back(FileBytes(PathOf("bands.png")));
        }
        SetParallelThreads(0);
        EXPECT_EQ(files[0], files[1]);
        EXPECT_EQ(files[0], files[2]);
        RasterImage loaded;
        const ImageFileStatus status = ReadImageFile(PathOf("bands.png"), loaded);
        ASSERT_TRUE(status.Ok()) << status.error;
        EXPECT_EQ(loaded.pixels, image.pixels);
    }
}

TEST_F(ImageFilesTest, JpegInStripsIsWhatLibjpegWritesWholeWithOptimisedTables) {
    // Tall enough for several strips and a short last one, not a whole number
    // of blocks wide or high; noise beside smooth and flat areas gives codes
    // of many lengths.
    for (const int32_t channels : {1, 3}) {
        SCOPED_TRACE(channels);
        RasterImage image = Gradient(203, 1301, channels);
        uint32_t state = 99;
        for (int32_t y = 0; y < image.height; ++y) {
            for (int32_t x = 0; x < image.width * channels; ++x) {
                state = state * 1664525u + 1013904223u;
                if (x < 60 * channels) image.Row(y)[x] = static_cast<uint8_t>(state >> 24);
                if (y > 900 && y < 1000) image.Row(y)[x] = 77;
            }
        }
        const std::vector<uint8_t> whole = WholeJpegBytes(PathOf("whole.jpg"), image);
        ASSERT_FALSE(whole.empty());
        for (const int32_t threads : {1, 2, 5}) {
            SetParallelThreads(threads);
            ASSERT_TRUE(WriteImageFile(PathOf("strips.jpg"), image).Ok());
            EXPECT_EQ(FileBytes(PathOf("strips.jpg")), whole) << threads << " threads";
        }
        SetParallelThreads(0);
    }
}

TEST_F(ImageFilesTest, LargeJpegReadInPiecesIsTheSameAsReadWhole) {
    // Colour halved both ways: each piece's first rows are upsampled from
    // rows of the piece above.
    RasterImage image = Gradient(1203, 1101, 3);
    for (std::size_t i = 0; i < image.pixels.size(); i += 7) image.pixels[i] = static_cast<uint8_t>(i * 13);
    const std::vector<uint8_t> bytes = WholeJpegBytes(PathOf("camera.jpg"), image, true);
    ASSERT_FALSE(bytes.empty());
    std::vector<RasterImage> read(2);
    for (const int32_t threads : {1, 2}) {
        SetParallelThreads(threads);
        const ImageFileStatus status = ReadImageFile(PathOf("camera.jpg"), read[static_cast<std::size_t>(threads - 1)]);
        EXPECT_TRUE(status.Ok()) << status.error;
    }
    EXPECT_EQ(read[0].pixels, read[1].pixels);
    // Damage in the lower piece is still found.
    PutBytes(PathOf("cut.jpg"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() * 9 / 10));
    RasterImage cut;
    EXPECT_FALSE(ReadImageFile(PathOf("cut.jpg"), cut).Ok());
    SetParallelThreads(0);
}

TEST(JpegHuffmanTest, LongCodesAreCutToSixteenBitsAndStayAPrefixCode) {
    // Fibonacci counts make the optimal tree as deep as the symbols are many.
    JpegSymbolCounts counts{};
    uint64_t previous = 1;
    uint64_t current = 1;
    for (std::size_t symbol = 0; symbol < 40; ++symbol) {
        counts[symbol * 3] = current;
        const uint64_t next = previous + current;
        previous = current;
        current = next;
    }
    const JpegHuffmanTable table = OptimalJpegHuffmanTable(counts);
    double kraft = 0.0;
    int codes = 0;
    for (int length = 1; length <= 16; ++length) {
        codes += table.codesOfLength[static_cast<std::size_t>(length)];
        kraft += table.codesOfLength[static_cast<std::size_t>(length)] / double(1 << length);
    }
    EXPECT_EQ(codes, 40);
    EXPECT_LT(kraft, 1.0);                // the all-ones code stays free
    EXPECT_EQ(table.symbols[0], 39 * 3);  // the most frequent symbol has the shortest code
}
