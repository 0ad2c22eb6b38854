// The dialog's preview model as the toolkit's preview, thumbnail and
// toolbox see it: the toolkit cannot see the portable model, so the
// dialog's Win32 half lends it the toolkit's interfaces.
#pragma once

#include "controls/PreviewSource.h"

class PreviewModel;

class PreviewModelSource final : public IPreviewSource, public IThumbnailSource, public IPreviewToolChoice {
public:
    // `model` is not owned and outlives the source.
    explicit PreviewModelSource(PreviewModel& model) : model_(model) {}

    // IPreviewSource
    int32_t ViewWidth() const override;
    int32_t ViewHeight() const override;
    void Compose(uint32_t* pixels) const override;
    PreviewTool Tool() const override;
    void StopRender() override;
    void BeginPan() override;
    void PanBy(int32_t dx, int32_t dy, bool final) override;
    void HoldOriginal(bool hold) override;
    void ZoomInAt(int32_t x, int32_t y) override;
    void ZoomOutAt(int32_t x, int32_t y) override;
    void ZoomToRect(const Rect& viewRect) override;

    // IThumbnailSource
    bool ComposeThumbnail(int32_t width, int32_t height, uint32_t* pixels) const override;
    Rect ShownInThumbnail(int32_t width, int32_t height) const override;
    void CentreOnThumbnail(int32_t width, int32_t height, int32_t x, int32_t y, bool final) override;

    // IPreviewToolChoice
    void SetTool(PreviewTool tool) override;
    void ActualSize() override;

private:
    PreviewModel& model_;
};
