// The direct blur: each output sample is the kernel-weighted sum of its
// neighbours along the line, computed for a whole row (or a block of
// columns) at a time so that the inner loops run over contiguous doubles.
#include <algorithm>
#include <cstring>
#include <vector>

#include "image/BlurLines.h"
#include "image/VectorClones.h"

namespace blur_detail {
namespace {

// Columns are blurred this many samples at a time: wide enough for the
// inner loop to vectorise, narrow enough for the block to stay in cache.
constexpr std::size_t kColumnBlock = 64;
// Multiply-adds per chunk of rows: enough to outweigh handing the chunk out.
constexpr int64_t kChunkWork = int64_t(1) << 20;

using vectors::Double4;
using vectors::Load;
constexpr std::size_t kVectorLanes = vectors::kDouble4Lanes;
// Vectors of outputs computed together, their sums held in registers across
// all taps: enough independent additions to keep the units busy, few enough
// for the baseline's sixteen registers.
constexpr std::size_t kVectors = 4;
constexpr std::size_t kLanes = kVectors * kVectorLanes;

// out[i] = k0 * centre[i] + sum_u k_u * (centre[i - u * step] + centre[i + u * step]), added in the order of u,
// for kLanes outputs.
[[gnu::always_inline]] inline void ConvolveLanes(const double* centre, std::size_t step, const double* kernel,
                                                 std::size_t taps, double* out) {
    Double4 sums[kVectors];
    for (std::size_t v = 0; v < kVectors; ++v) {
        Load(sums[v], centre + v * kVectorLanes);
        sums[v] = kernel[0] * sums[v];
    }
    for (std::size_t u = 1; u < taps; ++u) {
        const double k = kernel[u];
        const double* before = centre - u * step;
        const double* after = centre + u * step;
        for (std::size_t v = 0; v < kVectors; ++v) {
            Double4 b, a;
            Load(b, before + v * kVectorLanes);
            Load(a, after + v * kVectorLanes);
            sums[v] += k * (b + a);
        }
    }
    std::memcpy(out, sums, sizeof sums);
}

// The same sum for one output.
[[gnu::always_inline]] inline void ConvolveOne(const double* centre, std::size_t step, const double* kernel,
                                               std::size_t taps, double* out) {
    double sum = kernel[0] * centre[0];
    for (std::size_t u = 1; u < taps; ++u) sum += kernel[u] * (*(centre - u * step) + *(centre + u * step));
    *out = sum;
}

DAPPLE_VECTOR_CLONES void ConvolveLine(const double* centre, std::size_t step, const std::vector<double>& kernel,
                                       double* out, std::size_t count) {
    const double* weights = kernel.data();
    const std::size_t taps = kernel.size();
    const std::size_t whole = count - count % kLanes;
    for (std::size_t i = 0; i < whole; i += kLanes) ConvolveLanes(centre + i, step, weights, taps, out + i);
    for (std::size_t i = whole; i < count; ++i) ConvolveOne(centre + i, step, weights, taps, out + i);
}

ResultCode BlurRows(const SampleGrid& grid, const std::vector<double>& kernel, const PassProgress& progress) {
    const std::size_t half = kernel.size() - 1;
    const std::size_t channels = grid.channels;
    const std::size_t samples = grid.RowSamples();
    const std::size_t chunk = static_cast<std::size_t>(
        ChunkForWork(static_cast<int64_t>(grid.height), static_cast<int64_t>(samples * kernel.size()), kChunkWork));
    return progress.Loop(0, grid.height, chunk, [&](int64_t begin, int64_t end) {
        // The row with `half` edge pixels repeated on either side.
        std::vector<double> line((grid.width + 2 * half) * channels);
        std::vector<double> sums(samples);
        for (auto y = static_cast<std::size_t>(begin); y < static_cast<std::size_t>(end); ++y) {
            unsigned char* row = grid.Row(y);
            double* inside = line.data() + half * channels;
            grid.Load(row, 0, samples, inside);
            for (std::size_t p = 0; p < half; ++p) {
                std::copy(inside, inside + channels, line.data() + p * channels);
                std::copy(inside + samples - channels, inside + samples, inside + samples + p * channels);
            }
            ConvolveLine(inside, channels, kernel, sums.data(), samples);
            grid.Store(sums.data(), row, 0, samples);
        }
    });
}

ResultCode BlurColumns(const SampleGrid& grid, const std::vector<double>& kernel, const PassProgress& progress) {
    const std::size_t half = kernel.size() - 1;
    const std::size_t samples = grid.RowSamples();
    const std::size_t blocks = (samples + kColumnBlock - 1) / kColumnBlock;
    return progress.Loop(1, blocks, 1, [&](int64_t begin, int64_t end) {
        // kColumnBlock columns side by side, with `half` edge rows repeated
        // above and below. Lanes past the image's last column hold zeros and
        // are never written back.
        std::vector<double> block((grid.height + 2 * half) * kColumnBlock, 0.0);
        std::vector<double> sums(kColumnBlock);
        for (auto b = static_cast<std::size_t>(begin); b < static_cast<std::size_t>(end); ++b) {
            const std::size_t first = b * kColumnBlock;
            const std::size_t count = std::min(kColumnBlock, samples - first);
            for (std::size_t py = 0; py < grid.height + 2 * half; ++py) {
                const std::size_t y = std::min(grid.height - 1, py < half ? 0 : py - half);
                grid.Load(grid.Row(y), first, count, block.data() + py * kColumnBlock);
            }
            for (std::size_t y = 0; y < grid.height; ++y) {
                ConvolveLine(block.data() + (y + half) * kColumnBlock, kColumnBlock, kernel, sums.data(), kColumnBlock);
                grid.Store(sums.data(), grid.Row(y), first, count);
            }
        }
    });
}

}  // namespace

ResultCode BlurDirect(const SampleGrid& grid, const std::vector<double>& kernel, const PassProgress& progress) {
    const ResultCode rows = BlurRows(grid, kernel, progress);
    if (rows.IsFailure()) return rows;
    return BlurColumns(grid, kernel, progress);
}

}  // namespace blur_detail
