#include "tools/contentpack/Tiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "image/CieColour.h"
#include "tools/contentpack/Colour.h"
#include "tools/contentpack/TileableNoise.h"
#include "tools/contentwriters/RasterPictures.h"

namespace {

constexpr int32_t kSide = kTileSize;

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

// The weight of thumbnail sample k (0, 1 or 2 along one side) at `x`: hats
// that peak at the samples' centres (the tile's edges and middle, where the
// reduction to the thumbnail centres them) and add up to 1 everywhere.
double Hat(int k, double x) {
    const double half = (kSide - 1) / 2.0;
    return std::max(0.0, 1.0 - std::fabs(x - k * half) / half);
}

RasterImage Quantised(const std::array<std::vector<double>, 3>& values) {
    RasterImage tile(kSide, kSide, 3);
    for (std::size_t i = 0; i < values[0].size(); ++i)
        for (std::size_t c = 0; c < 3; ++c)
            tile.pixels[i * 3 + c] = static_cast<uint8_t>(std::lround(Clamp01(values[c][i]) * 255.0));
    return tile;
}

// Evens the tile out under its thumbnail: each thumbnail pixel is brought
// to the tile's colour by a smooth ramp, which leaves the texture and the
// cut as they are. The match compares thumbnails, so a tile whose thumbnail
// is its colour all over goes where that colour is, and at any size its
// mean stays that colour.
RasterImage EvenedUnderThumbnail(std::array<std::vector<double>, 3>& values, const std::array<double, 3>& wanted) {
    RasterImage tile = Quantised(values);
    for (int pass = 0; pass < 8; ++pass) {
        const RasterImage thumbnail = Scaled(tile, kTileThumbnailSize, kTileThumbnailSize);
        double error[3][3][3];
        double largest = 0.0;
        for (int ty = 0; ty < 3; ++ty)
            for (int tx = 0; tx < 3; ++tx)
                for (int c = 0; c < 3; ++c) {
                    const double e = wanted[static_cast<std::size_t>(c)] -
                                     thumbnail.pixels[static_cast<std::size_t>((ty * 3 + tx) * 3 + c)] / 255.0;
                    error[ty][tx][c] = e;
                    largest = std::max(largest, std::fabs(e));
                }
        if (largest < 0.5 / 255.0) break;
        for (int32_t y = 0; y < kSide; ++y)
            for (int32_t x = 0; x < kSide; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x);
                for (int ty = 0; ty < 3; ++ty)
                    for (int tx = 0; tx < 3; ++tx) {
                        const double weight = Hat(tx, x) * Hat(ty, y);
                        if (weight == 0.0) continue;
                        for (std::size_t c = 0; c < 3; ++c) values[c][i] += weight * error[ty][tx][c];
                    }
            }
        tile = Quantised(values);
    }
    return tile;
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

    const std::array<double, 3> wanted = {target.r, target.g, target.b};
    std::array<std::vector<double>, 3> values;
    for (std::size_t c = 0; c < 3; ++c) {
        // Texture strength: less where the colour is near black or white,
        // where it has no room to vary without changing the tile's colour.
        const double room = std::min(wanted[c], 1.0 - wanted[c]);
        const double strength = 0.03 + 0.10 * std::min(1.0, room * 3.0);
        values[c].resize(kPixels);
        for (std::size_t i = 0; i < kPixels; ++i) {
            const int32_t x = static_cast<int32_t>(i % kSide), y = static_cast<int32_t>(i / kSide);
            values[c][i] = wanted[c] + strength * (texture[i] - mean) / deviation + Bevel(x + 0.5, y + 0.5);
        }
    }
    return EvenedUnderThumbnail(values, wanted);
}

// The tiles' colours: a lattice over CIE L*a*b*, kLabSpacing apart, kept
// where it lies in sRGB, so that the colours cover the colour solid evenly
// as the eye sees it (greys, darks and pale colours as densely as the
// bright ones); lattice points just beyond the gamut add its nearest colour
// in it, so that the most saturated colours have tiles too.
constexpr double kLabSpacing = 7.0;

LabColour LabOf(const RGBColour& rgb) { return LabFromXYZ(XYZFromSrgb(rgb)); }

double LabDistance(const LabColour& p, const LabColour& q) {
    return std::hypot(p.lightness - q.lightness, p.a - q.a, p.b - q.b);
}

std::vector<Colour> TileColours() {
    std::vector<LabColour> inside;
    std::vector<LabColour> edge;
    const int steps = static_cast<int>(130.0 / kLabSpacing) + 1;
    for (int l = 0; l * kLabSpacing <= 100.0 + 1e-9; ++l)
        for (int a = -steps; a <= steps; ++a)
            for (int b = -steps; b <= steps; ++b) {
                const LabColour point{l * kLabSpacing, a * kLabSpacing, b * kLabSpacing};
                // sRGB clips what it cannot show: a point that comes back
                // where it was lies in the gamut.
                const LabColour back = LabOf(SrgbFromXYZ(XYZFromLab(point)));
                const double moved = LabDistance(point, back);
                if (moved < 0.5) {
                    inside.push_back(back);
                } else if (moved < 0.75 * kLabSpacing) {
                    edge.push_back(back);
                }
            }
    for (const LabColour& colour : edge) {
        const bool near = std::any_of(inside.begin(), inside.end(), [&](const LabColour& other) {
            return LabDistance(colour, other) < 0.5 * kLabSpacing;
        });
        if (!near) inside.push_back(colour);
    }
    std::vector<Colour> colours;
    for (const LabColour& lab : inside) {
        const RGBColour rgb = SrgbFromXYZ(XYZFromLab(lab));
        colours.push_back(Rgb(rgb.red, rgb.green, rgb.blue));
    }
    return colours;
}

}  // namespace

std::vector<RasterImage> DrawTiles() {
    const Noises noises;
    std::vector<Colour> colours = TileColours();
    // The library's preview is made from its first tile: a warm terracotta
    // marble, the tile nearest to it.
    const LabColour terracotta = LabOf(RGBColour{0.78, 0.42, 0.28});
    const auto first = std::min_element(colours.begin(), colours.end(), [&](const Colour& p, const Colour& q) {
        return LabDistance(LabOf(RGBColour{p.r, p.g, p.b}), terracotta) <
               LabDistance(LabOf(RGBColour{q.r, q.g, q.b}), terracotta);
    });
    std::rotate(colours.begin(), first, first + 1);
    std::vector<RasterImage> tiles;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int index = static_cast<int>(i);
        const int kind = i == 0 ? kMarble : TextureKind(index);
        tiles.push_back(DrawTile(colours[i], TexturePattern(noises, kind, index)));
    }
    return tiles;
}
