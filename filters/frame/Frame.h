// Frame: draws a picture frame around the selection. The frame picture is
// cut into 3 × 3 cells: the corners become the frame's corners, the edge
// cells are repeated along its sides, and the centre cell is not used. The
// pieces are scaled to the size that fits the frame rectangle best
// (filters/frame/FrameLayout.h) and composited clockwise over the image.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "filters/FamilyFilter.h"
#include "filters/frame/FrameLayout.h"
#include "filters/frame/FrameParameters.h"
#include "image/Image.h"

class Frame : public FamilyFilter {
public:
    Frame() : FamilyFilter(FilterKinds::Frame) {}
    ~Frame() override;

    int32_t ParameterSize() const override { return frame::kParameterSize; }

    void WriteDefaults(ParameterBlock& block) const override;
    // `in` grown by 20 − min(0, e) on every side, e = trunc(edge offset ÷
    // scale + 0.5), and united with where the pieces of a frame around `in`
    // lie (read from the frame picture's header), which can reach further.
    Rect AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const override;

    // Releases the pieces and marks them stale.
    ResultCode BeginRender(RenderContext& context) override;
    ResultCode Render(RenderContext& context) override;
    void EndRender(const ParameterBlock& block) override;

    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override;

    // The layout of the last render.
    const FrameLayout& Layout() const { return layout_; }
    bool PiecesStale() const { return stale_; }

private:
    void ReleasePieces();
    ResultCode MakePieces(RenderContext& context, Image<unsigned char>& picture);

    std::array<std::unique_ptr<Image<unsigned char>>, kFramePieceCount> pieces_;
    bool stale_ = true;
    FrameLayout layout_;
};
