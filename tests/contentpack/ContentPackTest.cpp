// The default content pack as the build wrote it, read back with the
// effects' readers: every effect's default file is in it, every file is
// content of its kind, frame sides and textures repeat without a seam,
// stamps have soft edges, and the tiles cover the colours of a picture
// evenly as the eye sees them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "content/ContentFolders.h"
#include "content/ContentKind.h"
#include "content/ContentValidation.h"
#include "content/JpegLoader.h"
#include "content/TileLibrary.h"
#include "image/CieColour.h"
#include "platform/LocalPath.h"
#include "platform/ModuleFolder.h"
#include "platform/ResourceStrings.h"
#include "tests/content/ContentFixtures.h"

namespace {

namespace fs = std::filesystem;

// The build's pack (given from this program's folder), and the plug-in
// folder it stands in.
const fs::path kPack = (fs::path(LocalPath(ModuleFolder())) / DAPPLE_CONTENT_PACK).lexically_normal();
const fs::path kPluginFolder = kPack.parent_path();

std::vector<fs::path> PackFiles(const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(kPack)) {
        if (entry.path().extension() == extension) files.push_back(entry.path());
    }
    return files;
}

// How much a picture changes from one pixel to the next inside it, and
// across the seam where it repeats: the mean absolute step between
// neighbours, over all channels, along x (or along y when `vertical`).
struct Steps {
    double inside = 0.0;
    double seam = 0.0;
};
Steps StepsOf(const std::function<double(int32_t, int32_t, int)>& sample, int32_t width, int32_t height, int channels,
              bool vertical) {
    const int32_t along = vertical ? height : width, across = vertical ? width : height;
    auto at = [&](int32_t a, int32_t b, int c) { return vertical ? sample(b, a, c) : sample(a, b, c); };
    Steps steps;
    for (int32_t b = 0; b < across; ++b) {
        for (int c = 0; c < channels; ++c) {
            for (int32_t a = 0; a + 1 < along; ++a) steps.inside += std::fabs(at(a + 1, b, c) - at(a, b, c));
            steps.seam += std::fabs(at(0, b, c) - at(along - 1, b, c));
        }
    }
    steps.inside /= static_cast<double>(across) * channels * (along - 1);
    steps.seam /= static_cast<double>(across) * channels;
    return steps;
}

// A seam no rougher than the picture itself.
void ExpectSeamless(const Steps& steps, const std::string& what) {
    EXPECT_LE(steps.seam, 1.5 * steps.inside + 1.0) << what << ": inside " << steps.inside << ", seam " << steps.seam;
}

TEST(ContentPack, HoldsEveryEffectsDefaultFile) {
    const ContentFolders folders(kPluginFolder.string());
    for (FilterKind kind = 0; kind < FilterKinds::Count; ++kind) {
        const ContentKind* content = FindContentKind(kind);
        if (content == nullptr) continue;
        ContentReference reference;
        reference.relative = 1;
        ASSERT_TRUE(SetReferencePath(reference, LoadResourceString(content->defaultFileId)));
        const std::string path = folders.resolve(reference);
        EXPECT_TRUE(validate(path, kind).IsSuccess()) << path << " as kind " << kind;
    }
}

TEST(ContentPack, HoldsOnlyContentOfItsKinds) {
    const std::map<std::string, FilterKind> kinds = {{".tub", FilterKinds::BorderStamp},
                                                     {".rfr", FilterKinds::Frame},
                                                     {".ptl", FilterKinds::Patchwork},
                                                     {".jpg", FilterKinds::Resurface}};
    std::map<std::string, int> counts;
    for (const auto& entry : fs::recursive_directory_iterator(kPack)) {
        if (!entry.is_regular_file()) continue;
        const auto kind = kinds.find(entry.path().extension().string());
        ASSERT_NE(kind, kinds.end()) << entry.path();
        EXPECT_TRUE(validate(entry.path().string(), kind->second).IsSuccess()) << entry.path();
        ++counts[kind->first];
    }
    EXPECT_GE(counts[".tub"], 4);
    EXPECT_GE(counts[".rfr"], 3);
    EXPECT_GE(counts[".ptl"], 1);
    EXPECT_GE(counts[".jpg"], 4);
}

TEST(ContentPack, TubesHaveSeveralCellsWithSoftEdges) {
    for (const fs::path& path : PackFiles(".tub")) {
        const ReadTube tube = ReadTubeFile(path.string());
        ASSERT_TRUE(tube.openResult.IsSuccess() && tube.imageResult.IsSuccess()) << path;
        EXPECT_GE(tube.columns * tube.rows, 4) << path;
        // Pixels neither clear nor opaque: the edges are smooth, and most
        // pixels of a cell are one or the other.
        int64_t soft = 0, clear = 0, total = 0;
        for (int32_t y = 0; y < tube.height; ++y) {
            for (int32_t x = 0; x < tube.width; ++x) {
                const unsigned char alpha = Sample(*tube.image, x, y, 3);
                soft += alpha > 0 && alpha < 255;
                clear += alpha == 0;
                ++total;
            }
        }
        EXPECT_GT(soft, total / 100) << path;
        EXPECT_GT(clear, total / 5) << path;
    }
}

TEST(ContentPack, FrameSidesRepeatWithoutASeam) {
    for (const fs::path& path : PackFiles(".rfr")) {
        const ReadTube frame = ReadTubeFile(path.string());
        ASSERT_TRUE(frame.openResult.IsSuccess() && frame.imageResult.IsSuccess()) << path;
        ASSERT_EQ(frame.columns, 3);
        ASSERT_EQ(frame.rows, 3);
        const int32_t cw = frame.width / 3, ch = frame.height / 3;
        // Each side cell repeats along its side: the top and bottom ones
        // across, the left and right ones down.
        const struct {
            int32_t column, row;
            bool vertical;
        } sides[] = {{1, 0, false}, {1, 2, false}, {0, 1, true}, {2, 1, true}};
        for (const auto& side : sides) {
            auto sample = [&](int32_t x, int32_t y, int c) {
                return static_cast<double>(Sample(*frame.image, side.column * cw + x, side.row * ch + y, c));
            };
            ExpectSeamless(
                StepsOf(sample, cw, ch, 4, side.vertical),
                path.filename().string() + " cell " + std::to_string(side.column) + "," + std::to_string(side.row));
        }
    }
}

TEST(ContentPack, TexturesRepeatWithoutASeamBothWays) {
    for (const fs::path& path : PackFiles(".jpg")) {
        std::unique_ptr<Image<unsigned char>> texture;
        ASSERT_TRUE(LoadJpegFile(path.string(), texture, nullptr, 0.0, 1.0).IsSuccess()) << path;
        auto sample = [&](int32_t x, int32_t y, int) {
            return static_cast<double>(*texture->PixelAddress(Point{x, y}));
        };
        for (bool vertical : {false, true}) {
            ExpectSeamless(StepsOf(sample, texture->Width(), texture->Height(), 1, vertical),
                           path.filename().string() + (vertical ? " down" : " across"));
        }
    }
}

// Each tile's mean colour (0..255 a channel), from its thumbnail.
std::vector<std::array<double, 3>> TileMeans(const TileLibrary& library) {
    std::vector<std::array<double, 3>> means;
    for (const TileDirectoryEntry& entry : library.directory()) {
        std::array<double, 3> mean{};
        const std::size_t pixels = entry.thumbnail.size() / 3;
        for (std::size_t i = 0; i < entry.thumbnail.size(); ++i) mean[i % 3] += entry.thumbnail[i];
        for (double& m : mean) m /= static_cast<double>(pixels);
        means.push_back(mean);
    }
    return means;
}

LabColour LabOf(double r, double g, double b) {
    return LabFromXYZ(XYZFromSrgb(RGBColour{r / 255.0, g / 255.0, b / 255.0}));
}

TEST(ContentPack, TilesCoverTheColoursOfAPicture) {
    for (const fs::path& path : PackFiles(".ptl")) {
        TileLibrary library(path.string());
        ASSERT_TRUE(library.open().IsSuccess()) << path;
        EXPECT_GE(library.tileCount(), 200) << path;
        const std::vector<std::array<double, 3>> means = TileMeans(library);
        // Every colour of a coarse grid over the colour cube has a tile
        // within 30 levels on each channel.
        for (int r = 0; r <= 255; r += 51) {
            for (int g = 0; g <= 255; g += 51) {
                for (int b = 0; b <= 255; b += 51) {
                    double nearest = 256.0;
                    for (const auto& m : means) {
                        nearest = std::min(nearest,
                                           std::max({std::fabs(m[0] - r), std::fabs(m[1] - g), std::fabs(m[2] - b)}));
                    }
                    EXPECT_LE(nearest, 30.0) << path << " colour " << r << "," << g << "," << b;
                }
            }
        }
    }
}

// Every colour of a fine grid over the colour cube, darks and greys as much
// as bright ones, has a tile within a few ΔE76: a mosaic of a sky or a
// shadow then steps by less than a viewer sees as another colour.
TEST(ContentPack, TilesCoverTheColourSolidEvenly) {
    for (const fs::path& path : PackFiles(".ptl")) {
        TileLibrary library(path.string());
        ASSERT_TRUE(library.open().IsSuccess()) << path;
        std::vector<LabColour> tiles;
        for (const auto& m : TileMeans(library)) tiles.push_back(LabOf(m[0], m[1], m[2]));
        double farthest = 0.0;
        std::string where;
        for (int r = 0; r <= 255; r += 17) {
            for (int g = 0; g <= 255; g += 17) {
                for (int b = 0; b <= 255; b += 17) {
                    const LabColour colour = LabOf(r, g, b);
                    double nearest = 1e9;
                    for (const LabColour& t : tiles) {
                        nearest = std::min(nearest,
                                           std::hypot(t.lightness - colour.lightness, t.a - colour.a, t.b - colour.b));
                    }
                    if (nearest > farthest) {
                        farthest = nearest;
                        where = std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b);
                    }
                }
            }
        }
        EXPECT_LE(farthest, 6.5) << path << " farthest colour " << where;
    }
}

}  // namespace
