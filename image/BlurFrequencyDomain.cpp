// The frequency-domain blur: each line is convolved with the kernel by
// multiplying spectra. Two real lines travel together as the real and
// imaginary parts of one complex sequence; the kernel is real and symmetric,
// so its spectrum is real and keeps the two apart. Kernels short enough that
// summing them directly in floats costs less than the transforms are applied
// by the direct sums instead, which agree within rounding.
#include <algorithm>
#include <vector>

#include "base/Rect.h"
#include "image/BlurLines.h"
#include "image/FFT.h"

namespace blur_detail {
namespace {

using Complex = FFT::Complex;

// Columns are gathered this many at a time (an even number: two per sequence)
// so that reading the rows touches each cache line once per block.
constexpr std::size_t kColumnBlock = 16;
// Lines per chunk of work: each chunk plans its own transform (a plan keeps
// scratch space), which costs about one transform.
constexpr std::size_t kPairsPerChunk = 16;
constexpr std::size_t kBlocksPerChunk = 4;
// Up to this half width (taps on either side of the centre) the direct sums
// in floats beat the two transforms per line. Measured on lines of 2000
// samples, they win up to about 130 on AVX-512, 80 on AVX2 and 57 on the
// baseline; shorter lines favour them more. One limit for every unit, so that
// all give the same bytes.
constexpr std::size_t kLargestDirectHalfWidth = 80;

// The kernel's spectrum for sequences of the transform's length, with the
// inverse transform's 1 / length folded in.
std::vector<double> KernelSpectrum(const std::vector<double>& kernel, const FFT& fft) {
    const std::size_t length = fft.Length();
    std::vector<Complex> wrapped(length);
    wrapped[0] = kernel[0];
    for (std::size_t u = 1; u < kernel.size(); ++u) {
        wrapped[u] = kernel[u];
        wrapped[length - u] = kernel[u];
    }
    fft.Forward(wrapped.data());
    std::vector<double> spectrum(length);
    for (std::size_t j = 0; j < length; ++j) spectrum[j] = wrapped[j].real() / static_cast<double>(length);
    return spectrum;
}

// Convolves the `used` leading samples of `line` circularly with the kernel.
// The space after them is filled first with the last sample and then with the
// first, at least the kernel's half width of each, so the wrap-around sees
// the edge pixels repeated.
class LineConvolver {
public:
    LineConvolver(std::size_t used, const std::vector<double>& kernel)
        : used_(used), fft_(FFT::GoodLength(used + 2 * (kernel.size() - 1))), spectrum_(KernelSpectrum(kernel, fft_)) {}

    std::size_t Length() const { return fft_.Length(); }

    void Convolve(Complex* line) const {
        const std::size_t length = fft_.Length();
        const std::size_t lastFilled = used_ + (length - used_) / 2;
        std::fill(line + used_, line + lastFilled, line[used_ - 1]);
        std::fill(line + lastFilled, line + length, line[0]);
        fft_.Forward(line);
        for (std::size_t j = 0; j < length; ++j) line[j] *= spectrum_[j];
        // A second forward transform is the inverse with the sequence
        // reversed (x[n] comes out at n = -n mod length); undoing the
        // reversal is cheaper than the conjugations an inverse costs.
        fft_.Forward(line);
        std::reverse(line + 1, line + length);
    }

private:
    std::size_t used_;
    FFT fft_;
    std::vector<double> spectrum_;
};

ResultCode BlurRows(const SampleGrid& grid, const std::vector<double>& kernel, const PassProgress& progress) {
    // Line l is channel l % channels of row l / channels; lines go in pairs.
    const std::size_t lines = grid.height * grid.channels;
    const std::size_t channels = grid.channels;
    auto samplesOf = [&](std::size_t l, std::size_t x) -> unsigned char& {
        return grid.Row(l / channels)[grid.offsets[x * channels + l % channels]];
    };
    return progress.Loop(0, (lines + 1) / 2, kPairsPerChunk, [&](int64_t begin, int64_t end) {
        const LineConvolver convolver(grid.width, kernel);
        std::vector<Complex> line(convolver.Length());
        for (auto l = static_cast<std::size_t>(begin) * 2; l < static_cast<std::size_t>(end) * 2; l += 2) {
            const bool pair = l + 1 < lines;
            for (std::size_t x = 0; x < grid.width; ++x) {
                line[x] = Complex(samplesOf(l, x), pair ? samplesOf(l + 1, x) : 0);
            }
            convolver.Convolve(line.data());
            for (std::size_t x = 0; x < grid.width; ++x) samplesOf(l, x) = ToByte(line[x].real());
            if (pair) {
                for (std::size_t x = 0; x < grid.width; ++x) samplesOf(l + 1, x) = ToByte(line[x].imag());
            }
        }
    });
}

ResultCode BlurColumns(const SampleGrid& grid, const std::vector<double>& kernel, const PassProgress& progress) {
    const std::size_t samples = grid.RowSamples();
    const std::size_t blocks = CeilDiv(samples, kColumnBlock);
    return progress.Loop(1, blocks, kBlocksPerChunk, [&](int64_t begin, int64_t end) {
        const LineConvolver convolver(grid.height, kernel);
        const std::size_t length = convolver.Length();
        // Column 2k of a block is the real part of sequence k, column 2k + 1
        // the imaginary part.
        std::vector<Complex> sequences(kColumnBlock / 2 * length);
        for (auto b = static_cast<std::size_t>(begin); b < static_cast<std::size_t>(end); ++b) {
            const std::size_t first = b * kColumnBlock;
            const std::size_t count = std::min(kColumnBlock, samples - first);
            const std::size_t pairs = (count + 1) / 2;
            const std::ptrdiff_t* offsets = grid.offsets.data() + first;
            for (std::size_t y = 0; y < grid.height; ++y) {
                const unsigned char* row = grid.Row(y);
                for (std::size_t i = 0; i < count; i += 2) {
                    const double imaginary = i + 1 < count ? row[offsets[i + 1]] : 0.0;
                    sequences[i / 2 * length + y] = Complex(row[offsets[i]], imaginary);
                }
            }
            for (std::size_t k = 0; k < pairs; ++k) convolver.Convolve(sequences.data() + k * length);
            for (std::size_t y = 0; y < grid.height; ++y) {
                unsigned char* row = grid.Row(y);
                for (std::size_t i = 0; i < count; ++i) {
                    const Complex& value = sequences[i / 2 * length + y];
                    row[offsets[i]] = ToByte(i % 2 == 0 ? value.real() : value.imag());
                }
            }
        }
    });
}

}  // namespace

ResultCode BlurFrequencyDomain(const SampleGrid& grid, const std::vector<double>& kernel,
                               const PassProgress& progress) {
    if (kernel.size() - 1 <= kLargestDirectHalfWidth) return BlurDirect(grid, kernel, DirectSums::Float, progress);
    const ResultCode rows = BlurRows(grid, kernel, progress);
    if (rows.IsFailure()) return rows;
    return BlurColumns(grid, kernel, progress);
}

}  // namespace blur_detail
