#include "image/MaskBlend.h"

#include <algorithm>
#include <cstddef>

#include "image/RowImage.h"

namespace {

uint8_t Mix(int32_t from, int32_t to, int32_t weight) {
    return static_cast<uint8_t>(from + (to - from) * weight / 255);
}

// The part of `piece` that both buffers hold.
Rect CommonArea(const RowImage& input, const RowImage& output, const Rect& piece) {
    return Rect::Intersect(Rect::Intersect(piece, input.Bounds()), output.Bounds());
}

}  // namespace

void BlendPixel(const uint8_t* input, uint8_t* output, int32_t channels, int32_t t) {
    for (int32_t c = 0; c < channels; ++c) output[c] = Mix(input[c], output[c], t);
}

void BlendPixelWithAlpha(const uint8_t* input, uint8_t* output, int32_t colourChannels, int32_t t) {
    const int32_t inputAlpha = input[colourChannels];
    const int32_t outputAlpha = output[colourChannels];
    const int32_t v = (255 - t) * inputAlpha + outputAlpha * t;
    if (v == 0) {
        output[colourChannels] = 0;
        return;
    }
    const int32_t f = (t * 255 * outputAlpha / v) % 256;
    for (int32_t c = 0; c < colourChannels; ++c) output[c] = Mix(input[c], output[c], f);
    output[colourChannels] = Mix(inputAlpha, outputAlpha, t);
}

void BlendPiece(const RowImage& input, const RowImage& output, const RowImage& mask, const Rect& piece,
                int32_t colourChannels, bool hasAlpha) {
    const Rect area = CommonArea(input, output, piece);
    if (area.IsEmpty()) return;
    const Rect& maskBounds = mask.Bounds();
    const std::ptrdiff_t maskStep = mask.PixelBytes();
    // A mask row found to select all of the area's columns. A full selection
    // is one constant row that every row shares: only its first is scanned.
    const unsigned char* wholeRow = nullptr;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const bool rowInMask = mask.HasRows() && y >= maskBounds.top && y < maskBounds.bottom;
        const unsigned char* maskRow = rowInMask ? mask.Row(y) : nullptr;
        if (maskRow != nullptr && maskRow == wholeRow) continue;
        // The columns the mask covers; the value is 0 on either side.
        const int32_t maskLeft = rowInMask ? std::clamp(maskBounds.left, area.left, area.right) : area.right;
        const int32_t maskRight = rowInMask ? std::clamp(maskBounds.right, maskLeft, area.right) : area.right;
        bool whole = maskLeft == area.left && maskRight == area.right;
        for (int32_t x = area.left; x < area.right; ++x) {
            const bool inMask = x >= maskLeft && x < maskRight;
            const int32_t t = inMask ? maskRow[(static_cast<std::ptrdiff_t>(x) - maskBounds.left) * maskStep] : 0;
            if (t == 255) continue;  // fully selected: the rendered pixel stands
            whole = false;
            if (hasAlpha) {
                BlendPixelWithAlpha(input.PixelAddress(x, y), output.PixelAddress(x, y), colourChannels, t);
            } else {
                BlendPixel(input.PixelAddress(x, y), output.PixelAddress(x, y), colourChannels, t);
            }
        }
        if (whole) wholeRow = maskRow;
    }
}

void MultiplyPieceAlpha(const RowImage& input, const RowImage& output, const Rect& piece, int32_t alphaIndex) {
    const Rect area = CommonArea(input, output, piece);
    if (area.IsEmpty()) return;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            uint8_t& alpha = output.PixelAddress(x, y)[alphaIndex];
            alpha = static_cast<uint8_t>(alpha * input.PixelAddress(x, y)[alphaIndex] / 255);
        }
    }
}
