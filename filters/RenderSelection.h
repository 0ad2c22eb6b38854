// The selection a render works with, always as a mask image: the mask it was
// given, or, when there is none (everything selected), a constant mask that
// selects everything in the given bounds and costs one row of memory.
#pragma once

#include <memory>

#include "base/Rect.h"
#include "base/ResultCode.h"
#include "image/Image.h"
#include "image/RowImage.h"

class RenderSelection {
public:
    // -108 when the constant mask cannot be made.
    ResultCode Prepare(const SingleChannelImage<unsigned char>* mask, const Rect& bounds);
    const SingleChannelImage<unsigned char>& Mask() const { return *mask_; }

private:
    RowImage rows_;
    std::unique_ptr<SingleChannelImage<unsigned char>> owned_;
    const SingleChannelImage<unsigned char>* mask_ = nullptr;
};
