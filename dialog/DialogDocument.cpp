#include "dialog/DialogDocument.h"

#include "filters/Filter.h"
#include "host/DocumentReader.h"
#include "host/RunRecord.h"
#include "host/SelectionMaskReader.h"

ResultCode DialogDocument::Read() {
    ChannelLayout layout;
    const ResultCode read = ReadDocumentPixels(record_, pixels_, layout);
    if (read.IsFailure()) return read;
    image_ = std::make_unique<Image<unsigned char>>(pixels_, layout);
    return ResultCode::Success();
}

PreviewDocument DialogDocument::With(const RowImage* mask, bool shapeFromTransparency,
                                     std::unique_ptr<SingleChannelImage<unsigned char>>& view) {
    PreviewDocument document;
    document.image = image_.get();
    if (mask != nullptr && mask->HasRows()) {
        // Made once: the dialog's sessions and the preview's worker keep the
        // documents handed out while the user switches effects.
        if (view == nullptr) view = std::make_unique<SingleChannelImage<unsigned char>>(*mask);
        document.mask = view.get();
    }
    document.shapeFromTransparency = shapeFromTransparency;
    document.imageMode = record_.imageMode;
    document.foreground = record_.foreground;
    document.background = record_.background;
    return document;
}

PreviewDocument DialogDocument::ForRun() {
    return With(run_.selectionMask.get(), run_.shapeFromTransparency != 0, runMaskView_);
}

bool DialogDocument::SameShapeAsRun(const Filter& effect) const {
    return run_.filter != nullptr && effect.UsesTransparencyAsShape() == run_.filter->UsesTransparencyAsShape();
}

ResultCode DialogDocument::ForEffect(const Filter& effect, PreviewDocument& document) {
    if (SameShapeAsRun(effect)) {
        document = ForRun();
        return ResultCode::Success();
    }
    const bool key = effect.UsesTransparencyAsShape();
    auto found = areas_.find(key);
    if (found == areas_.end()) {
        RunRecord reading;
        const ResultCode read = ReadSelectionMask(record_, effect, reading);
        if (read.IsFailure()) return read;
        Area area;
        area.mask = std::move(reading.selectionMask);
        area.shapeFromTransparency = reading.shapeFromTransparency != 0;
        found = areas_.emplace(key, std::move(area)).first;
    }
    Area& area = found->second;
    document = With(area.mask.get(), area.shapeFromTransparency, area.view);
    return ResultCode::Success();
}

void DialogDocument::HandOver(const Filter& effect) {
    if (SameShapeAsRun(effect)) return;
    const auto found = areas_.find(effect.UsesTransparencyAsShape());
    if (found == areas_.end()) return;
    runMaskView_.reset();
    run_.selectionMask = std::move(found->second.mask);
    run_.shapeFromTransparency = found->second.shapeFromTransparency ? 1 : 0;
    areas_.erase(found);
}
