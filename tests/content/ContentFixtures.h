// What the content reader tests share: a scratch folder, pictures with known
// pixels, whole-file byte access, and tubes assembled block by block from
// the writers' pieces, so that a test can vary one block and keep the rest.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"
#include "imagefiles/RasterImage.h"
#include "platform/FileSystemPath.h"
#include "tools/contentwriters/PspBlocks.h"

// A test with its own scratch folder, removed afterwards.
class ContentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // `name` is UTF-8, as the readers and writers take it.
    std::string PathOf(const std::string& name) const { return Utf8FromPath(folder_ / PathFromUtf8(name)); }

    std::filesystem::path folder_;
};

// An RGBA picture whose every sample differs from its neighbours' and whose
// alpha runs through all values, from 0 at the top-left corner.
RasterImage PatternPicture(int32_t width, int32_t height);
// A picture of one colour, fully opaque.
RasterImage SolidPicture(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue);

std::vector<uint8_t> FileBytes(const std::string& path);
void PutFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

void PutLittleEndian32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
uint32_t LittleEndian32(const std::vector<uint8_t>& bytes, size_t offset);

// The blocks of a tube file, in the order written; each field starts as
// WritePictureTube would write it for the picture.
struct TubeRecipe {
    uint16_t majorVersion = 5;
    int32_t width = 0, height = 0;  // the general image attributes
    TubeGridFields grid;
    bool composite = true;  // version 5: a composite image bank
    CompositeAttributes compositeAttributes;
    Rect layerRect;
    std::vector<LayerChannel> channels = ColourAndTransparencyChannels();
    // Called after the tube data block and after the layer bank, to add blocks.
    std::function<void(PspStream&)> afterTube, afterLayers;
    // When set, writes the layer bank in place of the writer's.
    std::function<void(PspStream&)> layerBank;
};
TubeRecipe RecipeFor(const RasterImage& picture, int32_t columns, int32_t rows, uint16_t majorVersion);
// Writes `recipe` with the pixels of `picture` (RGBA) to `path`.
void WriteRecipe(const std::string& path, const RasterImage& picture, const TubeRecipe& recipe);

// A tube as the callers of the reader read it.
struct ReadTube {
    ResultCode openResult;
    ResultCode imageResult;  // not read (success) when opening failed
    int32_t width = 0, height = 0, columns = 0, rows = 0;
    bool version5 = false;
    std::unique_ptr<Image<unsigned char>> preview;  // a copy of the reader's
    std::unique_ptr<Image<unsigned char>> image;
};
ReadTube ReadTubeFile(const std::string& path, ProgressUpdateSink* sink = nullptr, double start = 0.0,
                      double end = 1.0);

// Sample c of pixel (x, y) of an image with packed rows from (0, 0).
unsigned char Sample(const Image<unsigned char>& image, int32_t x, int32_t y, int c);

// Progress values as they arrive.
class RecordingSink : public ProgressUpdateSink {
public:
    void Update(double fraction) override { values.push_back(fraction); }
    std::vector<double> values;
};

// Status and message id as one comparable value, for readable failures.
inline std::pair<int32_t, int> Outcome(const ResultCode& result) { return {result.status, result.messageId}; }
inline std::pair<int32_t, int> Damaged() { return {-1, 10033}; }
inline std::pair<int32_t, int> Fine() { return {0, 0}; }
