// Noise that repeats with a given period, so that textures, tiles and frame
// sides join without seams: the gradient-noise octaves of the image core on a
// wrapped lattice, and cellular (Worley) noise on a wrapped grid of points.
#pragma once

#include <cstdint>
#include <vector>

#include "image/FBMField.h"

// Fractal noise in about -1..1 with features of about `featureX` ×
// `featureY` pixels, repeating every `periodX` × `periodY` pixels.
class TileableFractalNoise {
public:
    TileableFractalNoise(double featureX, double featureY, int32_t periodX, int32_t periodY, int32_t seed);
    double operator()(double x, double y) const { return field_.FBMValue(x, y); }

private:
    FBMField field_;
};

// Distances to the nearest and second nearest of `cellsX` × `cellsY`
// jittered points over a tile of `periodX` × `periodY` pixels, repeating.
class TileableCells {
public:
    struct Nearest {
        double first;   // in pixels
        double second;  // in pixels
        int32_t cell;   // index of the nearest point, the same on every repeat
    };

    TileableCells(int32_t cellsX, int32_t cellsY, double periodX, double periodY, int32_t seed, double jitter = 0.9);
    Nearest At(double x, double y) const;
    // A value in 0..1 that belongs to cell `cell`.
    double CellValue(int32_t cell) const { return values_[static_cast<std::size_t>(cell)]; }

private:
    int32_t cellsX_;
    int32_t cellsY_;
    double periodX_;
    double periodY_;
    std::vector<double> pointX_;  // in cell units, within the cell
    std::vector<double> pointY_;
    std::vector<double> values_;
};
