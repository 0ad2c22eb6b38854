// Photographs as other programs write them: the files of imagefiles/data/,
// made by ImageMagick and ExifTool (make-test-files.sh), read and written
// with their profile, EXIF, XMP, resolution and orientation; damaged
// metadata and damaged TIFF files; libpng as an independent reader of the
// PNG files we write.
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/Parallel.h"
#include "imagefiles/ExifData.h"
#include "imagefiles/ImageFiles.h"
#include "tests/platform/ScratchFolderTest.h"

namespace {

const std::string kData = "imagefiles/data/";

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Holds(const std::vector<uint8_t>& bytes, const std::string& text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

ImageFile Read(const std::string& path, ImageFileStatus* status = nullptr) {
    ImageFile file;
    const ImageFileStatus read = ReadImageFile(path, file);
    EXPECT_TRUE(read.Ok()) << read.error;
    if (status != nullptr) *status = read;
    return file;
}

ImageFile Decode(const std::vector<uint8_t>& bytes, ImageFileStatus& status) {
    ImageFile file;
    status = DecodeImageFile(bytes.data(), bytes.size(), "damaged", file);
    return file;
}

// What make-test-files.sh put in the tagged files.
void ExpectTagged(const ImageMetadata& metadata) {
    EXPECT_EQ(metadata.iccProfile, FileBytes(kData + "test-rgb.icc"));
    EXPECT_NEAR(metadata.pixelsPerInch, 300.0, 0.01);
    EXPECT_NE(metadata.xmp.find("Dapple metadata"), std::string::npos);
    EXPECT_TRUE(Holds(metadata.exif, "Mornebrook test"));
    EXPECT_TRUE(Holds(metadata.exif, "kept through dapple"));
}

// The pixels libpng's own simplified reader finds in a PNG file, as RGB.
std::vector<uint8_t> LibpngRgb(const std::string& path, uint32_t& width, uint32_t& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const std::vector<uint8_t> bytes = FileBytes(path);
    EXPECT_NE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()), 0) << image.message;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    EXPECT_NE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr), 0) << image.message;
    width = image.width;
    height = image.height;
    return pixels;
}

class PhotographFilesTest : public ScratchFolderTest {};

TEST_F(PhotographFilesTest, MetadataSurvivesEveryFormatIntoEveryFormat) {
    for (const char* source : {"tagged.png", "tagged.jpg", "tagged.tif"}) {
        SCOPED_TRACE(source);
        const ImageFile file = Read(kData + source);
        ASSERT_EQ(file.image.width, 160);
        ExpectTagged(file.metadata);
        for (const ImageFileFormat format : {ImageFileFormat::Png, ImageFileFormat::Jpeg, ImageFileFormat::Tiff}) {
            const std::string out = PathOf("out-" + std::to_string(static_cast<int>(format)));
            ASSERT_TRUE(WriteImageFile(out, format, file.image, file.metadata).Ok());
            const ImageFile again = Read(out);
            ExpectTagged(again.metadata);
            // A TIFF file holds EXIF in its own directories, which keep only what EXIF adds to the file.
            const bool throughTiff = format == ImageFileFormat::Tiff || std::string(source) == "tagged.tif";
            if (!throughTiff) {
                EXPECT_EQ(again.metadata.exif, file.metadata.exif);
            }
            EXPECT_EQ(again.metadata.xmp, file.metadata.xmp);
        }
    }
}

TEST_F(PhotographFilesTest, ExifOrientationTurnsThePictureUpright) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const std::string name = kData + "orient-" + std::to_string(orientation);
        const ImageFile shown = Read(name + ".jpg");
        // ImageMagick's -auto-orient of the same file, decoded by libpng.
        uint32_t width = 0;
        uint32_t height = 0;
        const std::vector<uint8_t> expected = LibpngRgb(name + "-upright.png", width, height);
        ASSERT_EQ(shown.image.width, static_cast<int32_t>(width));
        ASSERT_EQ(shown.image.height, static_cast<int32_t>(height));
        ASSERT_EQ(shown.image.pixels.size(), expected.size());
        int worst = 0;
        for (std::size_t i = 0; i < expected.size(); ++i)
            worst = std::max(worst, std::abs(int(shown.image.pixels[i]) - int(expected[i])));
        EXPECT_LE(worst, 2);
        EXPECT_EQ(ExifOrientation(shown.metadata.exif), 1);
    }
}

TEST_F(PhotographFilesTest, SixteenBitSamplesAreReducedWithANote) {
    ImageFileStatus status;
    const ImageFile file = Read(kData + "deep16.png", &status);
    ASSERT_EQ(status.notes.size(), 1u);
    EXPECT_NE(status.notes[0].find("16-bit samples are reduced to 8 bits"), std::string::npos);
    // libpng scales 16-bit samples to 8 bits by rounding, we keep the high byte.
    uint32_t width = 0;
    uint32_t height = 0;
    const std::vector<uint8_t> expected = LibpngRgb(kData + "deep16.png", width, height);
    ASSERT_EQ(file.image.pixels.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(file.image.pixels[i], expected[i], 1) << i;
}

TEST_F(PhotographFilesTest, DamagedExifAndProfilesAreLeftOutWithANote) {
    const std::vector<uint8_t> jpeg = FileBytes(kData + "tagged.jpg");
    const std::string exifSignature("Exif\0\0", 6);
    const auto exif = std::search(jpeg.begin(), jpeg.end(), exifSignature.begin(), exifSignature.end());
    const auto profile = std::search(jpeg.begin(), jpeg.end(), std::begin("ICC_PROFILE"), std::end("ICC_PROFILE"));
    ASSERT_NE(exif, jpeg.end());
    ASSERT_NE(profile, jpeg.end());
    // The first directory's offset pointed far past the data; the profile's stated size made wrong.
    std::vector<uint8_t> badExif = jpeg;
    const auto offset = static_cast<std::size_t>(exif - jpeg.begin()) + 6 + 4;
    std::fill(badExif.begin() + static_cast<std::ptrdiff_t>(offset),
              badExif.begin() + static_cast<std::ptrdiff_t>(offset + 4), uint8_t{0x7f});
    std::vector<uint8_t> badProfile = jpeg;
    badProfile[static_cast<std::size_t>(profile - jpeg.begin()) + 14 + 2] ^= 0x40;
    for (const auto& [bytes, what] : {std::make_pair(badExif, "EXIF"), std::make_pair(badProfile, "profile")}) {
        SCOPED_TRACE(what);
        ImageFileStatus status;
        const ImageFile file = Decode(bytes, status);
        ASSERT_TRUE(status.Ok()) << status.error;
        ASSERT_EQ(status.notes.size(), 1u);
        EXPECT_NE(status.notes[0].find(what), std::string::npos) << status.notes[0];
        EXPECT_TRUE(std::string(what) == "EXIF" ? file.metadata.exif.empty() : file.metadata.iccProfile.empty());
        EXPECT_EQ(file.image.width, 160);
    }
}

TEST_F(PhotographFilesTest, DamagedTiffIsRefusedInOneLine) {
    const std::vector<uint8_t> tiff = FileBytes(kData + "tagged.tif");
    int refused = 0;
    for (std::size_t cut = 8; cut < tiff.size(); cut += tiff.size() / 7) {
        std::vector<uint8_t> damaged(tiff.begin(), tiff.begin() + static_cast<std::ptrdiff_t>(cut));
        for (std::size_t i = 4; i < damaged.size(); i += 97) damaged[i] ^= 0x5a;
        ImageFileStatus status;
        (void)Decode(damaged, status);
        if (status.Ok()) continue;
        ++refused;
        EXPECT_EQ(status.error.find('\n'), std::string::npos) << status.error;
        EXPECT_EQ(status.error.rfind("cannot read \"damaged\": ", 0), 0u) << status.error;
    }
    EXPECT_GT(refused, 3);
}

TEST_F(PhotographFilesTest, LibpngReadsOurBandsOnAnyThreadCount) {
    // A picture of many bands, each deflated on its own and joined: libpng
    // must find one stream, and the bytes must not depend on the threads.
    RasterImage image(1500, 900, 3);
    uint32_t state = 7;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        state = state * 1103515245u + 12345u;
        image.pixels[i] = static_cast<uint8_t>((i / 3 % 1500) / 6 + (state >> 29));
    }
    std::vector<uint8_t> first;
    for (const int32_t threads : {1, 2, 5}) {
        SetParallelThreads(threads);
        const std::string path = PathOf("bands-" + std::to_string(threads) + ".png");
        ASSERT_TRUE(WriteImageFile(path, image).Ok());
        uint32_t width = 0;
        uint32_t height = 0;
        EXPECT_EQ(LibpngRgb(path, width, height), image.pixels);
        if (first.empty()) first = FileBytes(path);
        EXPECT_EQ(FileBytes(path), first);
    }
    SetParallelThreads(0);
}

}  // namespace
