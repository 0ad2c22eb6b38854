// Canvas, paper, brick and stucco. Every pattern repeats a whole number of
// times across the texture and every noise is wrapped with it, so the
// textures tile seamlessly, as the Resurface effect lays them.
#include "tools/contentpack/Textures.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "image/RandomGenerator.h"
#include "tools/contentpack/Colour.h"
#include "tools/contentpack/Picture.h"
#include "tools/contentpack/TileableNoise.h"

namespace {

constexpr int32_t kSize = kTextureSize;

// A field filled from `height` and stretched to use most of 0..1, so each
// texture gives the effect the same depth of relief to work with.
HeightField Field(const std::string& name, const std::function<double(double x, double y)>& height) {
    HeightField field{name, kSize, std::vector<double>(static_cast<std::size_t>(kSize) * kSize)};
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            field.heights[static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x)] = height(x + 0.5, y + 0.5);
        }
    }
    const auto [low, high] = std::minmax_element(field.heights.begin(), field.heights.end());
    const double lowest = *low, range = std::max(*high - *low, 1e-9);
    for (double& h : field.heights) h = 0.06 + 0.88 * (h - lowest) / range;
    return field;
}

// A thread's cross-section: 1 on its middle, falling to 0 at its sides.
double ThreadProfile(double across) {
    const double t = (across - 0.5) / 0.47;
    return std::sqrt(std::max(0.0, 1.0 - t * t));
}

// Plain weave: `threads` threads each way; warp and weft pass over and
// under each other in turn, so each rises where the other dips.
struct Threads {
    // Thickness along warp (vertical) and weft (horizontal) threads: long
    // features along the thread, short across, so neighbours differ.
    TileableFractalNoise warpSlub{8.0, 90.0, kSize, kSize, 501};
    TileableFractalNoise weftSlub{90.0, 8.0, kSize, kSize, 502};
    // Fibres lying along the threads.
    TileableFractalNoise warpFibre{1.5, 10.0, kSize, kSize, 503};
    TileableFractalNoise weftFibre{10.0, 1.5, kSize, kSize, 504};
};

double Weave(double x, double y, int32_t threads, const Threads& look) {
    const double pitch = static_cast<double>(kSize) / threads;
    const double u = x / pitch, v = y / pitch;
    const double i = std::floor(u), j = std::floor(v);
    const double warpAlong = 0.5 + 0.5 * std::cos(kPi * (v - 0.5 - i));
    const double weftAlong = 0.5 + 0.5 * std::cos(kPi * (u - 0.5 - j - 1.0));
    // Threads vary in thickness along their length (slubs) and carry fibres.
    const double warpWidth = 1.0 + 0.25 * look.warpSlub(i * pitch, y);
    const double weftWidth = 1.0 + 0.25 * look.weftSlub(x, j * pitch);
    const double warp =
        ThreadProfile(0.5 + (u - i - 0.5) / warpWidth) * (0.45 + 0.55 * warpAlong) + 0.08 * look.warpFibre(x, y);
    const double weft =
        ThreadProfile(0.5 + (v - j - 0.5) / weftWidth) * (0.45 + 0.55 * weftAlong) + 0.08 * look.weftFibre(x, y);
    return std::max(warp, weft);
}

}  // namespace

RasterImage HeightField::ToRaster() const {
    Picture picture(size, size);
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) picture.At(x, y).r = At(x, y);
    }
    return picture.ToRaster(true);
}

HeightField DrawCanvasTexture() {
    const Threads threads;
    const TileableFractalNoise cloud(128.0, 128.0, kSize, kSize, 505);
    return Field("Canvas", [&](double x, double y) { return Weave(x, y, 64, threads) + 0.10 * cloud(x, y); });
}

HeightField DrawPaperTexture() {
    const TileableFractalNoise cloud(48.0, 48.0, kSize, kSize, 511);
    const TileableFractalNoise grain(2.0, 2.0, kSize, kSize, 512);
    // Fibres: short, faint strands lying every way, drawn wrapped round the edges.
    std::vector<double> fibres(static_cast<std::size_t>(kSize) * kSize, 0.0);
    RandomGenerator random(513);
    for (int n = 0; n < 2600; ++n) {
        const double cx = random.NextUnit() * kSize, cy = random.NextUnit() * kSize;
        const double angle = random.NextUnit() * kPi, length = 10.0 + 40.0 * random.NextUnit();
        const double strength = 0.3 + 0.7 * random.NextUnit();
        const double dx = std::cos(angle) * length / 2.0, dy = std::sin(angle) * length / 2.0;
        const int32_t x0 = static_cast<int32_t>(std::floor(cx - std::fabs(dx) - 2)),
                      x1 = static_cast<int32_t>(std::ceil(cx + std::fabs(dx) + 2));
        const int32_t y0 = static_cast<int32_t>(std::floor(cy - std::fabs(dy) - 2)),
                      y1 = static_cast<int32_t>(std::ceil(cy + std::fabs(dy) + 2));
        for (int32_t y = y0; y <= y1; ++y) {
            for (int32_t x = x0; x <= x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double t = std::clamp(((px - cx) * dx + (py - cy) * dy) / (dx * dx + dy * dy), -1.0, 1.0);
                const double ex = px - (cx + t * dx), ey = py - (cy + t * dy);
                const double d2 = ex * ex + ey * ey;
                const int32_t wx = ((x % kSize) + kSize) % kSize, wy = ((y % kSize) + kSize) % kSize;
                fibres[static_cast<std::size_t>(wy) * kSize + static_cast<std::size_t>(wx)] +=
                    strength * std::exp(-d2 / 0.8) * (1.0 - t * t);
            }
        }
    }
    return Field("Paper", [&](double x, double y) {
        const std::size_t index = static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x);
        return 0.22 * cloud(x, y) + 0.16 * grain(x, y) + 0.22 * std::min(fibres[index], 1.5);
    });
}

HeightField DrawBrickTexture() {
    constexpr int32_t kRows = 10, kBricksPerRow = 4;
    constexpr double kRowHeight = static_cast<double>(kSize) / kRows;
    constexpr double kBrickWidth = static_cast<double>(kSize) / kBricksPerRow;
    constexpr double kMortar = 7.0;
    const TileableFractalNoise chips(7.0, 7.0, kSize, kSize, 521);
    const TileableFractalNoise face(22.0, 22.0, kSize, kSize, 522);
    const TileableFractalNoise sand(1.6, 1.6, kSize, kSize, 523);
    RandomGenerator random(524);
    std::vector<double> lift, tiltX, tiltY;
    for (int i = 0; i < kRows * kBricksPerRow; ++i) {
        lift.push_back(random.NextUnit());
        tiltX.push_back(random.NextUnit() - 0.5);
        tiltY.push_back(random.NextUnit() - 0.5);
    }
    return Field("Brick", [&](double x, double y) {
        const int32_t row = static_cast<int32_t>(y / kRowHeight);
        const double shifted = x + (row % 2) * kBrickWidth / 2.0;
        const int32_t column = static_cast<int32_t>(shifted / kBrickWidth) % kBricksPerRow;
        const double lx = std::fmod(shifted, kBrickWidth), ly = y - row * kRowHeight;
        // Distance inside the brick's face, ragged where its edges chipped.
        const double inside = std::min({lx - kMortar / 2.0, kBrickWidth - kMortar / 2.0 - lx, ly - kMortar / 2.0,
                                        kRowHeight - kMortar / 2.0 - ly}) +
                              2.2 * chips(x, y);
        const std::size_t brick = static_cast<std::size_t>(row * kBricksPerRow + column);
        const double brickHeight = 0.78 + 0.06 * lift[brick] + 0.05 * tiltX[brick] * (lx / kBrickWidth - 0.5) +
                                   0.05 * tiltY[brick] * (ly / kRowHeight - 0.5) + 0.05 * face(x, y) +
                                   0.03 * sand(x, y);
        const double mortarHeight = 0.30 + 0.06 * sand(x * 1.0, y) + 0.02 * face(x, y);
        return mortarHeight + (brickHeight - mortarHeight) * SmoothStep(-0.5, 4.0, inside);
    });
}

HeightField DrawStuccoTexture() {
    const TileableFractalNoise trowel(90.0, 70.0, kSize, kSize, 531);
    const TileableFractalNoise dabs(34.0, 34.0, kSize, kSize, 532);
    const TileableFractalNoise bumps(7.0, 7.0, kSize, kSize, 533);
    const TileableFractalNoise sand(1.5, 1.5, kSize, kSize, 534);
    return Field("Stucco", [&](double x, double y) {
        // Knocked-down plaster: flattened islands with soft edges over a
        // base coat, the whole sandy and a little lumpy.
        const double islands = SmoothStep(-0.02, 0.12, trowel(x, y) + 0.6 * dabs(x, y));
        const double smaller = SmoothStep(0.05, 0.16, dabs(x + 211.0, y + 127.0));
        return 0.50 * islands + 0.25 * smaller + 0.10 * bumps(x, y) + 0.07 * sand(x, y);
    });
}
