#include "tools/contentpack/Tiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "tools/contentpack/Colour.h"
#include "tools/contentpack/TileableNoise.h"

namespace {

constexpr int32_t kSide = kTileSize;
// Levels of red, green and blue: seven each way fill the colour cube
// evenly enough for a picture to be recognised in the mosaic.
constexpr int kLevels = 7;

// The noise every texture draws from; each tile reads it at its own place.
struct Noises {
    TileableFractalNoise broad{14.0, 14.0, 1024, 1024, 601};
    TileableFractalNoise fine{1.6, 1.6, 1024, 1024, 602};
    TileableFractalNoise streaks{28.0, 0.9, 1024, 1024, 603};
    TileableFractalNoise warp{22.0, 6.0, 1024, 1024, 604};
};

using Pattern = std::function<double(double x, double y)>;

// Textures as brightness patterns over a tile (any scale; they are
// normalised afterwards). `ox`, `oy` place the tile in the noise.
Pattern Marble(const Noises& n, double ox, double oy) {
    return [&n, ox, oy](double x, double y) {
        const double t = std::sin(0.11 * (x + 0.6 * y) + 3.2 * n.broad(x + ox, y + oy));
        return 0.35 * n.broad(y + oy, x + ox) - 1.4 * std::exp(-t * t / 0.015);
    };
}

Pattern Granite(const Noises& n, double ox, double oy) {
    return [&n, ox, oy](double x, double y) {
        const double speck = n.fine(x + ox, y + oy);
        const double grain = speck > 0.30 ? 1.4 : speck < -0.35 ? -1.6 : 0.0;
        return 0.5 * n.broad(x + ox, y + oy) + grain;
    };
}

Pattern Wood(const Noises& n, double ox, double oy) {
    return [&n, ox, oy](double x, double y) {
        const double rings = std::sin(2.0 * kPi * (y / 7.0 + 1.4 * n.warp(x + ox, y + oy)));
        return 0.8 * rings * rings * rings + 0.4 * n.streaks(x + ox, y + oy);
    };
}

Pattern Weave(const Noises& n, double ox, double oy) {
    return [&n, ox, oy](double x, double y) {
        const double pitch = 8.0;
        const double u = x / pitch, v = y / pitch;
        const bool warpOver = (static_cast<int>(u) + static_cast<int>(v)) % 2 == 0;
        const double across = warpOver ? u - std::floor(u) : v - std::floor(v);
        return std::sin(kPi * across) + 0.3 * n.fine(x + ox, y + oy);
    };
}

Pattern Brushed(const Noises& n, double ox, double oy) {
    return [&n, ox, oy](double x, double y) {
        return n.streaks(x + ox, y + oy) + 0.4 * n.broad(x + ox, y + oy) + 0.012 * (x - y);
    };
}

Pattern Crackle(const Noises& n, double ox, double oy, int32_t seed) {
    auto cells = std::make_shared<TileableCells>(4, 4, kSide, kSide, seed);
    return [&n, ox, oy, cells](double x, double y) {
        const TileableCells::Nearest near = cells->At(x + 2.0 * n.broad(x + ox, y + oy), y);
        const double crack = near.second - near.first;
        return 0.4 * n.broad(x + ox, y + oy) - 1.6 * std::exp(-crack * crack / 1.5);
    };
}

Pattern Pebbles(const Noises& n, double ox, double oy, int32_t seed) {
    auto cells = std::make_shared<TileableCells>(3, 3, kSide, kSide, seed);
    return [&n, ox, oy, cells](double x, double y) {
        const TileableCells::Nearest near = cells->At(x, y);
        const double gap = near.second - near.first;
        const double dome = std::min(1.0, gap / 6.0);
        return 1.2 * (cells->CellValue(near.cell) - 0.5) + 0.8 * dome + 0.2 * n.fine(x + ox, y + oy);
    };
}

Pattern Glass(const Noises& n, double ox, double oy) {
    return [&n, ox, oy](double x, double y) {
        const double hx = x - 20.0, hy = y - 18.0;
        return 0.012 * (x + y) * -1.0 + 0.9 * std::exp(-(hx * hx + hy * hy) / 90.0) + 0.15 * n.broad(x + ox, y + oy);
    };
}

constexpr int kMarble = 0;

// The texture of the index-th tile: spread by a hash, so that neighbouring
// colours of the cube do not share one texture.
int TextureKind(int index) { return static_cast<int>((static_cast<uint32_t>(index) * 2654435761u) >> 20) % 8; }

Pattern TexturePattern(const Noises& n, int kind, int index) {
    const double ox = (index * 137) % 900, oy = (index * 251) % 900;
    switch (kind) {
        case 0: return Marble(n, ox, oy);
        case 1: return Granite(n, ox, oy);
        case 2: return Wood(n, ox, oy);
        case 3: return Weave(n, ox, oy);
        case 4: return Brushed(n, ox, oy);
        case 5: return Crackle(n, ox, oy, 700 + index);
        case 6: return Pebbles(n, ox, oy, 700 + index);
        default: return Glass(n, ox, oy);
    }
}

// The tessera's cut: light on its upper and left edges, shade on the others.
double Bevel(double x, double y) {
    const double top = y, left = x, right = kSide - x, bottom = kSide - y;
    const double lit = std::max(std::exp(-top / 1.5), std::exp(-left / 1.5));
    const double shade = std::max(std::exp(-bottom / 1.5), std::exp(-right / 1.5));
    return 0.10 * lit - 0.14 * shade;
}

RasterImage DrawTile(const Colour& target, const Pattern& pattern) {
    constexpr std::size_t kPixels = static_cast<std::size_t>(kSide) * kSide;
    std::vector<double> texture(kPixels);
    double mean = 0.0;
    for (int32_t y = 0; y < kSide; ++y) {
        for (int32_t x = 0; x < kSide; ++x) {
            const double value = pattern(x + 0.5, y + 0.5);
            texture[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)] = value;
            mean += value;
        }
    }
    mean /= kPixels;
    double variance = 0.0;
    for (double v : texture) variance += (v - mean) * (v - mean);
    const double deviation = std::max(std::sqrt(variance / kPixels), 1e-6);

    RasterImage tile(kSide, kSide, 3);
    const std::array<double, 3> wanted = {target.r, target.g, target.b};
    for (int c = 0; c < 3; ++c) {
        // Texture strength: less where the colour is near black or white,
        // where it has no room to vary without changing the tile's colour.
        const double room = std::min(wanted[c], 1.0 - wanted[c]);
        const double strength = 0.035 + 0.12 * std::min(1.0, room * 3.0);
        std::vector<double> values(kPixels);
        for (std::size_t i = 0; i < kPixels; ++i) {
            const int32_t x = static_cast<int32_t>(i % kSide), y = static_cast<int32_t>(i / kSide);
            values[i] = wanted[c] + strength * (texture[i] - mean) / deviation + Bevel(x + 0.5, y + 0.5);
        }
        // Shift the channel until its clamped mean is the colour wanted, so
        // the thumbnail matches where the tile is meant to go.
        for (int pass = 0; pass < 4; ++pass) {
            double sum = 0.0;
            for (double v : values) sum += Clamp01(v);
            const double shift = wanted[c] - sum / kPixels;
            for (double& v : values) v += shift;
        }
        for (std::size_t i = 0; i < kPixels; ++i) {
            tile.pixels[i * 3 + static_cast<std::size_t>(c)] =
                static_cast<uint8_t>(std::lround(Clamp01(values[i]) * 255.0));
        }
    }
    return tile;
}

}  // namespace

std::vector<RasterImage> DrawTiles() {
    const Noises noises;
    std::vector<Colour> colours;
    for (int r = 0; r < kLevels; ++r) {
        for (int g = 0; g < kLevels; ++g) {
            for (int b = 0; b < kLevels; ++b) {
                colours.push_back(Rgb(r / (kLevels - 1.0), g / (kLevels - 1.0), b / (kLevels - 1.0)));
            }
        }
    }
    // Between the cube's levels, the muted colours once more: skies, skin,
    // stone and shadow fill large parts of most pictures, and steps between
    // neighbouring tiles show most there.
    for (int r = 0; r < kLevels - 1; ++r) {
        for (int g = 0; g < kLevels - 1; ++g) {
            for (int b = 0; b < kLevels - 1; ++b) {
                if (std::max({r, g, b}) - std::min({r, g, b}) > 2) continue;
                colours.push_back(
                    Rgb((r + 0.5) / (kLevels - 1.0), (g + 0.5) / (kLevels - 1.0), (b + 0.5) / (kLevels - 1.0)));
            }
        }
    }
    // The library's preview is made from its first tile: a warm terracotta marble.
    const std::size_t preview = (5 * kLevels + 3) * kLevels + 2;
    std::rotate(colours.begin(), colours.begin() + static_cast<std::ptrdiff_t>(preview),
                colours.begin() + static_cast<std::ptrdiff_t>(preview) + 1);
    std::vector<RasterImage> tiles;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int index = static_cast<int>(i);
        const int kind = i == 0 ? kMarble : TextureKind(index);
        tiles.push_back(DrawTile(colours[i], TexturePattern(noises, kind, index)));
    }
    return tiles;
}
