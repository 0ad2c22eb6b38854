// What the blur methods share: the image seen as lines of byte samples, the
// rounding back to bytes and the abort and progress bookkeeping of the two
// passes. Internal to the blur.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"
#include "image/Parallel.h"

namespace blur_detail {

// Rounds to the nearest byte, clamping to 0..255 (written without branches
// so that the store loops vectorise).
inline unsigned char ToByte(double value) {
    return static_cast<unsigned char>(std::min(std::max(value + 0.5, 0.0), 255.0));
}
inline unsigned char ToByte(float value) {
    return static_cast<unsigned char>(static_cast<int>(std::min(std::max(value + 0.5f, 0.0f), 255.0f)));
}

// Contiguous samples to floats and back (by ToByte), on the widest vector
// unit the processor has.
void BytesToFloats(const unsigned char* in, std::size_t count, float* out);
void FloatsToBytes(const float* in, std::size_t count, unsigned char* out);

// The samples of an image: `channels` per pixel, `width` x `height` pixels.
// Sample i of a row (i = x * channels + c) lies at rowStart + offsets[i], so
// that padded pixels and padded rows need no special code in the passes.
struct SampleGrid {
    unsigned char* data = nullptr;
    std::ptrdiff_t rowStride = 0;
    std::size_t width = 0;
    std::size_t height = 0;
    std::size_t channels = 1;
    std::vector<std::ptrdiff_t> offsets;
    bool packed = true;  // offsets[i] == i: pixels follow each other without gaps

    explicit SampleGrid(Image<unsigned char>& image);
    std::size_t RowSamples() const { return width * channels; }
    unsigned char* Row(std::size_t y) const { return data + static_cast<std::ptrdiff_t>(y) * rowStride; }

    // Samples first .. first + count - 1 of a row, to floats and back.
    void Load(const unsigned char* row, std::size_t first, std::size_t count, float* out) const {
        if (packed) {
            BytesToFloats(row + first, count, out);
        } else {
            for (std::size_t i = 0; i < count; ++i) out[i] = row[offsets[first + i]];
        }
    }
    void Store(const float* in, unsigned char* row, std::size_t first, std::size_t count) const {
        if (packed) {
            FloatsToBytes(in, count, row + first);
        } else {
            for (std::size_t i = 0; i < count; ++i) row[offsets[first + i]] = ToByte(in[i]);
        }
    }
};

// The passes' loops over lines, spread over the worker threads. The rows
// pass gets the first half of the progress range, the columns pass the
// second.
class PassProgress {
public:
    PassProgress(Abort_Tester* abort, ProgressUpdateSink* sink, double from, double to)
        : abort_(abort), sink_(sink), from_(from), to_(to) {}
    // Runs `body(begin, end)` over [0, count) in chunks of `chunk` for pass 0
    // (rows) or 1 (columns); each chunk must write only its own lines.
    ResultCode Loop(int pass, std::size_t count, std::size_t chunk,
                    const std::function<void(int64_t, int64_t)>& body) const {
        const double passFrom = from_ + (to_ - from_) * pass / 2.0;
        const double passTo = from_ + (to_ - from_) * (pass + 1) / 2.0;
        return ParallelChunks(static_cast<int64_t>(count), static_cast<int64_t>(chunk), body, abort_, sink_, passFrom,
                              passTo);
    }

private:
    Abort_Tester* abort_;
    ProgressUpdateSink* sink_;
    double from_;
    double to_;
};

// Which sums the direct passes give: those in floats, or the single-channel
// method's exact ones, in doubles.
enum class DirectSums { Float, Exact };

// `kernel` is a half kernel from GaussianKernel. Both may throw std::bad_alloc.
ResultCode BlurDirect(const SampleGrid& grid, const std::vector<double>& kernel, DirectSums sums,
                      const PassProgress& progress);
ResultCode BlurFrequencyDomain(const SampleGrid& grid, const std::vector<double>& kernel, const PassProgress& progress);

}  // namespace blur_detail
