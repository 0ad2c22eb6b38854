// Renders an effect on a reduced copy of the document for the dialog's
// preview, through the same protocol as the full-size render (BeginRender,
// Render, EndRender) with the reduction factor as the render's scale, and
// blends the result with the reduced selection as the full-size render does.
// Runs on the preview worker: it touches no host service, only what it is
// given, and asks the abort test between rows of its own work.
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/RenderContext.h"
#include "image/Image.h"
#include "image/RowImage.h"
#include "pluginapi/PluginInterface.h"

class Filter;
struct ParameterBlock;

// The render mode of a preview (the full-size render is kRenderModeFullSize).
inline constexpr int32_t kRenderModePreview = 1;

// The document at full size, as the run holds it. Not owned.
struct PreviewDocument {
    const Image<unsigned char>* image = nullptr;  // the layer, in document coordinates
    // The selection, or the layer's shape when `shapeFromTransparency` is
    // set; null: everything is selected.
    const SingleChannelImage<unsigned char>* mask = nullptr;
    bool shapeFromTransparency = false;
    int32_t imageMode = ps::plugInModeRGBColor;
    ps::RGBColor foreground = {0, 0, 0};
    ps::RGBColor background = {0xffff, 0xffff, 0xffff};
};

class PreviewRenderer {
public:
    explicit PreviewRenderer(const PreviewDocument& document) : document_(document) {}
    PreviewRenderer(const PreviewRenderer&) = delete;
    PreviewRenderer& operator=(const PreviewRenderer&) = delete;

    // The integer reduction for a preview scale (image pixels per preview
    // pixel): max(1, whole part of `scale`).
    static int32_t ReductionFactor(double scale);

    // Renders `filter` with `block` on the document reduced by
    // ReductionFactor(scale), over `region` (reduced coordinates; empty: the
    // whole reduced document). The reduced source is kept for the next render
    // at the same factor. After any status but 0 (the effect's own failures
    // included) Preview() is not to be shown.
    ResultCode Render(Filter& filter, ParameterBlock& block, double scale, const Rect& region, Abort_Tester& abort,
                      ProgressUpdateSink* progress);

    // The last preview: the reduced source over the region with the effect
    // applied where it changes anything.
    const RowImage& Preview() const { return preview_; }
    // The same pixels as an image with the document's layout.
    Image<unsigned char> PreviewImage() const;
    int32_t Factor() const { return factor_; }

private:
    ResultCode PrepareReducedSource(int32_t factor, Abort_Tester& abort);
    ResultCode CopyShownSource(const Rect& shown, Abort_Tester& abort);
    ResultCode BlendWithSelection(const Filter& filter, const Rect& area, Abort_Tester& abort);
    void FillContext(const Rect& area, ParameterBlock& block, double factor, RenderContext& context) const;

    PreviewDocument document_;
    int32_t factor_ = 0;  // the factor the reduced source was made for; 0: none yet
    RowImage reducedImage_;
    RowImage reducedMask_;
    bool hasMask_ = false;
    RowImage preview_;
};
