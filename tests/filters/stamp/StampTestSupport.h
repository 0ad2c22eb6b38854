// What the stamp effects' and Frame's tests share: a scratch folder, tube
// and frame files written by the content writers, small images and masks,
// and a render driver that leaves the effect's render state in place.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "base/Progress.h"
#include "content/ContentReference.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "image/Image.h"
#include "imagefiles/RasterImage.h"

namespace stamp_test {

// A folder of its own for one test, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// An RGBA picture of `columns` × `rows` cells of `cellWidth` × `cellHeight`
// pixels; `pixel(column, row, x, y)` gives each pixel, x and y within its cell.
RasterImage CellPicture(int32_t columns, int32_t rows, int32_t cellWidth, int32_t cellHeight,
                        const std::function<void(int32_t, int32_t, int32_t, int32_t, uint8_t*)>& pixel);
// Each cell an opaque square of its own colour, inset by `inset` pixels
// (transparent around it).
RasterImage SquareCells(int32_t columns, int32_t rows, int32_t cellWidth, int32_t cellHeight, int32_t inset);

// Writes a picture tube (or, with 3 × 3 cells, a frame file); fails the test
// when the writer refuses.
void WriteTube(const std::string& path, const RasterImage& picture, int32_t columns, int32_t rows);
// A reference to `path` as it stands.
ContentReference AbsoluteReference(const std::string& path);

ChannelLayout RGB();
ChannelLayout RGBA();
ChannelLayout Grey();

Image<unsigned char> MakeImage(const ChannelLayout& layout, const Rect& bounds,
                               const std::function<uint8_t(int32_t, int32_t, int32_t)>& sample);
SingleChannelImage<unsigned char> MakeMask(const Rect& bounds, const std::function<uint8_t(int32_t, int32_t)>& value);
// 255 inside `selected`, 0 elsewhere.
SingleChannelImage<unsigned char> RectMask(const Rect& bounds, const Rect& selected);
// A soft-edged ellipse filling most of `bounds`.
SingleChannelImage<unsigned char> EllipseMask(const Rect& bounds);

Image<unsigned char> Copy(const Image<unsigned char>& image);
bool SameImage(const Image<unsigned char>& a, const Image<unsigned char>& b);
const uint8_t* At(const Image<unsigned char>& image, int32_t x, int32_t y);

// A render as the full-size render or the preview gives it to an effect.
struct RenderSetup {
    const Image<unsigned char>* source = nullptr;                 // at the render's scale; the output starts as a copy
    const SingleChannelImage<unsigned char>* mask = nullptr;      // at the render's scale
    const SingleChannelImage<unsigned char>* fullMask = nullptr;  // at full size
    Rect fullDocument;                                            // empty: the source's bounds
    Rect area;                                                    // empty: the source's bounds
    double scale = 1.0;
    bool shapeFromTransparency = false;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
};

struct RenderOutcome {
    ResultCode status;
    Image<unsigned char> output;
};

// BeginRender and Render, without EndRender: the effect keeps what the
// render placed, for the test to look at.
RenderOutcome Render(Filter& effect, ParameterBlock& block, const RenderSetup& setup);

class RecordingProgress : public ProgressUpdateSink {
public:
    void Update(double fraction) override { values.push_back(fraction); }
    std::vector<double> values;
};

// Answers yes from its n-th question on (counting from 1), and counts them.
class AbortFrom : public Abort_Tester {
public:
    explicit AbortFrom(int n) : from_(n) {}
    bool IsAborted() override { return ++asked >= from_; }
    int asked = 0;

private:
    int from_;
};

}  // namespace stamp_test

#include "filters/ParameterSet.h"
#include "filters/stamp/StampParameters.h"
#include "filters/stamp/StampPlacement.h"

namespace stamp_test {

// The same placements, in the same order.
void ExpectSamePlacements(const PlacementList& actual, const PlacementList& expected);

// Every key of the set, parameter by parameter.
std::vector<uint32_t> KeysOf(const ParameterSet& set);

// The six shadow parameters from `first` on: classes, bindings, ranges, the
// shadow page, their strings, and the rule that enables five of them.
void ExpectShadowParameters(ParameterSet& set, std::size_t first, unsigned char* shadowOn, StampShadowFields& shadow,
                            const stamp::ShadowStrings& strings);

// A record's bytes from `from` on are still `fill`: WriteDefaults wrote
// nothing beyond the record.
void ExpectUntouchedFrom(const ParameterBlock& block, std::size_t from, unsigned char fill);

}  // namespace stamp_test
