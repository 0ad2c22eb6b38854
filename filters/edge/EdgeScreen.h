// The rotated screen of the halftone and pixelizer treatments.
#pragma once

#include <cmath>
#include <cstdint>

namespace edge {

struct RealPoint {
    double x;
    double y;
};

// Pixels map to screen units by rotating by the screen angle and dividing by
// the cell size c; one screen unit is one cell. The shift moves the whole
// screen, in screen units.
class Screen {
public:
    // c = width × (1/15 + (1/4 − 1/15) × scale / 100): between a fifteenth and
    // a quarter of the treated band.
    static double CellSize(double width, double scale) {
        return width * (1.0 / 15.0 + (0.25 - 1.0 / 15.0) * scale * 0.01);
    }

    Screen(double cellSize, double directionDegrees, double shiftU, double shiftV)
        : cell_(cellSize),
          cos_(std::cos(directionDegrees * 0.017453292)),
          sin_(std::sin(directionDegrees * 0.017453292)),
          shiftU_(shiftU),
          shiftV_(shiftV) {}

    // A cell size that is not a positive finite number defines no screen.
    bool IsUsable() const { return cell_ > 0.0 && std::isfinite(cell_); }

    RealPoint ToScreen(double x, double y) const {
        return RealPoint{(x * cos_ - y * sin_) / cell_ + shiftU_, (x * sin_ + y * cos_) / cell_ + shiftV_};
    }
    RealPoint ToImage(double u, double v) const {
        const double du = u - shiftU_;
        const double dv = v - shiftV_;
        return RealPoint{cell_ * (du * cos_ + dv * sin_), cell_ * (-du * sin_ + dv * cos_)};
    }

    double CellSize() const { return cell_; }
    // One pixel measured in screen units.
    double PixelSize() const { return 1.0 / cell_; }

private:
    double cell_;
    double cos_;
    double sin_;
    double shiftU_;
    double shiftV_;
};

// The halftone screen of a render at `reduction` (image pixels per rendered
// pixel) over a band `width` rendered pixels wide: cells of
// CellSize(width, scale), shifted by the random offset (ox, oy) times the
// full-size cell c1. A reduced render keeps the full-size shift, so that its
// screen is the full-size screen scaled down and shows the same dots and
// lines as the final render.
inline Screen HalftoneScreen(double width, double scale, double directionDegrees, double reduction, double ox,
                             double oy) {
    const double fullSizeCell = Screen::CellSize(width * reduction, scale);
    return Screen(Screen::CellSize(width, scale), directionDegrees, ox * fullSizeCell, oy * fullSizeCell);
}

// clamp(value, 0, 1); a value that is not a number gives 0.
inline double Clamp01(double value) {
    if (!(value > 0.0)) return 0.0;
    if (value > 1.0) return 1.0;
    return value;
}

}  // namespace edge
