// The document as the filter dialog previews it: the host's layer read
// once into memory, and the area each effect works on (the run's selection
// mask, or another one for an effect that takes its shape differently).
#pragma once

#include <map>
#include <memory>

#include "dialog/PreviewRenderer.h"
#include "image/Image.h"
#include "image/RowImage.h"
#include "pluginapi/PluginInterface.h"

class Filter;
struct RunRecord;

class DialogDocument {
public:
    DialogDocument(ps::FilterRecord& record, RunRecord& run) : record_(record), run_(run) {}
    DialogDocument(const DialogDocument&) = delete;
    DialogDocument& operator=(const DialogDocument&) = delete;

    // Reads the layer from the host (DocumentReader).
    ResultCode Read();
    // The document with the run's own selection. The documents handed out
    // (here and by ForEffect) stay valid until HandOver or the end of the
    // DialogDocument, however often they are asked for.
    PreviewDocument ForRun();
    // The document as `effect` works on it: the run's own when the effect
    // takes its shape as the run's effect does, else one read for it.
    ResultCode ForEffect(const Filter& effect, PreviewDocument& document);
    // The run takes over the area `effect` works on, for the full-size
    // render after the dialog chose it; the documents handed out are done with.
    void HandOver(const Filter& effect);

private:
    struct Area {
        std::unique_ptr<RowImage> mask;
        bool shapeFromTransparency = false;
        std::unique_ptr<SingleChannelImage<unsigned char>> view;
    };

    PreviewDocument With(const RowImage* mask, bool shapeFromTransparency,
                         std::unique_ptr<SingleChannelImage<unsigned char>>& view);
    bool SameShapeAsRun(const Filter& effect) const;

    ps::FilterRecord& record_;
    RunRecord& run_;
    RowImage pixels_;
    std::unique_ptr<Image<unsigned char>> image_;
    std::unique_ptr<SingleChannelImage<unsigned char>> runMaskView_;
    // Areas read for effects that take their shape otherwise, by whether
    // they use the layer's transparency as the shape.
    std::map<bool, Area> areas_;
};
