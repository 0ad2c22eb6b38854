// The reduced source of a preview: every f-th pixel of the image (and of the
// selection mask) in both directions. A pixel (X, Y) of the reduced image is
// the source pixel (f·X, f·Y), so reduced coordinates are document
// coordinates divided by f, and a treatment computed on them lines up with
// the full-size one.
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "image/Image.h"
#include "image/RowImage.h"

// The reduced pixels whose source pixels lie in `rect`: X from ⌈left ÷ f⌉ up
// to ⌈right ÷ f⌉, Y likewise. f below 1 counts as 1.
Rect ReducedRect(const Rect& rect, int32_t factor);

// Every f-th pixel of `source` into `reduced` (one sample per channel, owned
// rows over ReducedRect of the source's bounds). Asks `abort` before every
// row.
ResultCode ReduceImage(const Image<unsigned char>& source, int32_t factor, Abort_Tester* abort, RowImage& reduced);
