// Content files for the effects' tests, made with the content writers in a
// scratch folder per test, and content references that name them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "content/ContentReference.h"
#include "imagefiles/ImageFiles.h"
#include "imagefiles/RasterImage.h"
#include "tests/platform/ScratchFolderTest.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace effect_test {

// A test with a folder of its own in which it writes content files.
class ContentFileTest : public ScratchFolderTest {
protected:
    std::string WriteLibrary(const std::string& name, const std::vector<RasterImage>& tiles,
                             const TileLibraryOptions& options = TileLibraryOptions()) {
        const std::string path = PathOf(name);
        const std::string problem = WriteTileLibrary(path, tiles, options);
        EXPECT_TRUE(problem.empty()) << problem;
        return path;
    }
    std::string WriteTextureFile(const std::string& name, const RasterImage& picture) {
        const std::string path = PathOf(name);
        const std::string problem = WriteTexture(path, picture);
        EXPECT_TRUE(problem.empty()) << problem;
        return path;
    }
};

// A picture whose samples are set by `sample(x, y, channel)`.
inline RasterImage Picture(int32_t width, int32_t height, int32_t channels,
                           const std::function<uint8_t(int, int, int)>& sample) {
    RasterImage picture(width, height, channels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                picture.Row(y)[static_cast<std::size_t>(x * channels + c)] = sample(x, y, c);
    return picture;
}

// An absolute reference to `path`.
inline ContentReference AbsoluteReference(const std::string& path) {
    ContentReference reference{};
    reference.relative = 0;
    EXPECT_TRUE(SetReferencePath(reference, path));
    return reference;
}

}  // namespace effect_test
