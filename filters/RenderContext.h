// What an effect's BeginRender and Render are given: where the document and
// the piece to produce lie, the pixels of that piece, the selection mask, the
// parameters, and the services of a long operation (progress, abort).
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/Rect.h"
#include "image/Image.h"
#include "pluginapi/PluginInterface.h"

class RowImage;
struct ParameterBlock;

// Render modes. The full-size render writes the host's image; other modes
// render reduced previews.
inline constexpr int32_t kRenderModeFullSize = 2;

struct RenderContext {
    Rect documentBounds;  // (0, 0, image width, image height)
    Rect area;            // the area to produce, in document coordinates

    // The host's rows of the current piece: the input over the needed input
    // area, the output over `area`. Not owned.
    RowImage* input = nullptr;
    RowImage* output = nullptr;

    Rect maskBounds;  // bounds of the selection mask

    // The document and its selection at full size, also while a reduced
    // preview renders (when documentBounds, maskBounds and maskView are
    // reduced): effects that place things by the full-size selection read
    // them, so that a preview shows what the full-size render will. A null
    // mask selects everything in fullSizeMaskBounds. Not owned.
    Rect fullSizeDocumentBounds;
    Rect fullSizeMaskBounds;
    const SingleChannelImage<unsigned char>* fullSizeMask = nullptr;

    // Views of the current piece, set per piece; the mask view has layout
    // {666, 1, no alpha}. Not owned.
    const Image<unsigned char>* inputView = nullptr;
    Image<unsigned char>* outputView = nullptr;
    SingleChannelImage<unsigned char>* maskView = nullptr;

    ParameterBlock* parameters = nullptr;
    int32_t renderMode = kRenderModeFullSize;
    bool outputHasAlpha = false;  // the output carries exactly one transparency plane
    double scale = 1.0;           // image pixels per rendered pixel
    ProgressUpdateSink* progress = nullptr;
    Abort_Tester* abort = nullptr;
    int32_t imageMode = ps::plugInModeRGBColor;  // the host's image mode
    bool shapeFromTransparency = false;          // the mask came from the layer's transparency
    ps::RGBColor foreground = {0, 0, 0};         // the host's colours, 16 bits per component
    ps::RGBColor background = {0xffff, 0xffff, 0xffff};
};
