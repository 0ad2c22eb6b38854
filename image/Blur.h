// Gaussian blur of an 8-bit image, in place.
//
// Every method applies the same truncated, separable kernel
// (image/GaussianKernel.h) along the rows and then along the columns, with
// samples beyond the image's edge taken from the nearest edge pixel, and
// rounds each pass's result to bytes. The methods differ only in speed:
// the direct methods cost in proportion to the radius, the frequency-domain
// method in proportion to the logarithm of the line length (it sums short
// kernels directly, where that is faster). The single-channel direct method
// sums exactly in doubles; the other two round differently from it, by one,
// only where a sum lies within their arithmetic's error of a half. Every
// method gives the same bytes on any number of threads and any vector unit.
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"

enum class BlurMethod {
    None,                 // radius <= 0: the image is left alone
    DirectSingleChannel,  // direct separable sums on a one-channel image
    DirectChannels,       // direct separable sums on interleaved channels
    FrequencyDomain,      // convolution through the FFT, line by line
};

// Single-channel images use the direct method up to radius 16, or at any
// radius when `directForSingleChannel` is set; images of more channels up to
// radius 30; everything else goes through the frequency domain.
BlurMethod ChooseBlurMethod(int32_t channelCount, double radius, bool directForSingleChannel);

// Blurs every channel of `image` with `radius` (pixels), by the method that
// ChooseBlurMethod picks; -1 for an image without pixels or a radius that is
// not finite.
ResultCode Blur(Image<unsigned char>& image, double radius, Abort_Tester* abort, bool directForSingleChannel,
                ProgressUpdateSink* sink, double from, double to);

// As Blur, with the method given by the caller (to compare methods or to
// force one).
ResultCode BlurWithMethod(Image<unsigned char>& image, double radius, BlurMethod method, Abort_Tester* abort,
                          ProgressUpdateSink* sink, double from, double to);
