#include "filters/RenderSelection.h"

#include <new>

ResultCode RenderSelection::Prepare(const SingleChannelImage<unsigned char>* mask, const Rect& bounds) {
    if (mask != nullptr) {
        mask_ = mask;
        return ResultCode::Success();
    }
    const ResultCode made = rows_.AllocateConstantMask(bounds, 255);
    if (made.IsFailure()) return made;
    owned_.reset(new (std::nothrow) SingleChannelImage<unsigned char>(rows_));
    if (owned_ == nullptr) return ResultCode::OutOfMemory();
    mask_ = owned_.get();
    return ResultCode::Success();
}
