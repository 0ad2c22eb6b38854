// What the preview and the thumbnail draw: image pixels of any channel
// layout as screen colours (0x00RRGGBB), transparency shown over a
// checkerboard.
#pragma once

#include <cstdint>

#include "dialog/PreviewGeometry.h"
#include "image/ChannelLayout.h"
#include "image/Image.h"
#include "image/RowImage.h"

// The colour drawn where the view shows no image.
inline constexpr uint32_t kPreviewBackground = 0x00808080;

// One pixel's samples as a screen colour, its alpha over the checkerboard
// square at preview pixel (x, y). Grey and bare channels show grey, CMYK
// and Lab through their RGB equivalents.
uint32_t ScreenColour(const unsigned char* samples, const ChannelLayout& layout, int32_t x, int32_t y);

// Fills `pixels` (the view's width × height, rows top down) with what the
// view shows: reduced pixels from `rendered` where it holds them (null: the
// unprocessed image everywhere), the document's pixels elsewhere on the
// image, and the background beyond it.
void ComposeView(const PreviewGeometry& geometry, const Image<unsigned char>& document, const RowImage* rendered,
                 uint32_t* pixels);

// Where the whole image sits in a thumbnail of `width` × `height` pixels:
// reduced to fit (never enlarged), centred.
class ThumbnailFrame {
public:
    ThumbnailFrame(int32_t imageWidth, int32_t imageHeight, int32_t width, int32_t height);
    // Source pixels per thumbnail pixel.
    double Scale() const { return scale_; }
    // The thumbnail rectangle of a source rectangle, and the source point
    // of a thumbnail point.
    Rect ThumbnailRect(const Rect& source) const;
    SourcePoint SourceAt(int32_t x, int32_t y) const;
    // The image drawn into `pixels` (width × height), background around it.
    void Compose(const Image<unsigned char>& document, uint32_t* pixels) const;

private:
    int32_t imageWidth_;
    int32_t imageHeight_;
    int32_t width_;
    int32_t height_;
    double scale_ = 1.0;
    int32_t left_ = 0;
    int32_t top_ = 0;
};
