#include "tools/contentwriters/PictureTubeWriter.h"

#include <algorithm>
#include <cmath>

#include "imagefiles/ImageFilesOutput.h"
#include "tools/contentwriters/PspBlocks.h"
#include "tools/contentwriters/RasterPictures.h"
#include "tools/contentwriters/WriteFailure.h"

namespace {

std::string ProblemWith(const RasterImage& picture, const PictureTubeOptions& options) {
    if (!picture.IsConsistent()) return "the picture has no pixels";
    if (options.majorVersion != psp::kMajorVersion3 && options.majorVersion != psp::kMajorVersion5)
        return "the format version must be 3 or 5";
    if (options.columns < 1 || options.rows < 1) return "columns and rows must be at least 1";
    if (options.columns > picture.width || options.rows > picture.height)
        return "more columns or rows than the picture has pixels";
    return {};
}

}  // namespace

RasterImage TubeThumbnail(const RasterImage& rgba) {
    const double scale = std::min({1.0, static_cast<double>(kTubeThumbnailSize) / rgba.width,
                                   static_cast<double>(kTubeThumbnailSize) / rgba.height});
    const int32_t width = std::max(1, static_cast<int32_t>(std::lround(rgba.width * scale)));
    const int32_t height = std::max(1, static_cast<int32_t>(std::lround(rgba.height * scale)));
    return Scaled(rgba, width, height);
}

std::string WritePictureTube(const std::string& path, const RasterImage& picture, const PictureTubeOptions& options) {
    if (std::string problem = ProblemWith(picture, options); !problem.empty()) return WriteFailure(path, problem);
    const RasterImage rgba = ToRgba(picture);

    ReplacingOutputFile output(path);
    if (std::string problem = output.Open(); !problem.empty()) return WriteFailure(path, problem);
    PspStream stream(output.Stream(), options.majorVersion);
    stream.FileHeader();
    WriteImageAttributesBlock(stream, rgba.width, rgba.height);
    const int32_t cellWidth = rgba.width / options.columns;
    WriteTubeDataBlock(stream,
                       TubeGridFields{options.columns, options.rows, options.columns * options.rows, cellWidth});
    std::string problem;
    if (stream.IsVersion5()) problem = WriteCompositeBankBlock(stream, TubeThumbnail(rgba), CompositeAttributes{});
    if (problem.empty())
        problem =
            WriteLayerBankBlock(stream, rgba, Rect(0, 0, rgba.height, rgba.width), ColourAndTransparencyChannels());
    if (problem.empty() && !stream.Ok()) problem = "write error";
    if (problem.empty()) problem = output.Commit();
    return problem.empty() ? problem : WriteFailure(path, problem);
}
