// The precision bevels of the edge treatments: each turns the distance of a
// selected pixel from the selection edge into edge amounts (E) or screen
// densities (T). They all measure the inside of the selection up to the
// width of border and band, w1 + w2.
#pragma once

#include "filters/edge/EdgeScreen.h"
#include "filters/edge/EdgeTiles.h"
#include "filters/edge/EdgeTreatments.h"
#include "image/NoiseField.h"
#include "image/PrecisionBevel.h"
#include "image/SymmetricTurbulenceField.h"

namespace edge {

// Initialises `bevel` to measure the inside of the request's mask up to
// w1 + w2 and runs it from the request's progress start to `progressEnd`.
// It measures the pixels of E's area within `reach` pixels of the area the
// render produces (what the treatment reads around a pixel it sets); the
// rest of E is never read. A preview of a small part of a large selection
// measures that part only.
ResultCode RunEdgeBevel(Precision_Bevel& bevel, const TreatmentRequest& request, double progressEnd,
                        double reach = 0.0);

// Distress: E = clamp(1 − (d − t), 0, 1) with t = w1 + (n + 0.5) w2 and n the
// noise at the pixel: solid up to the ragged line t, a one-pixel ramp after it.
class EdgeDistressPrecisionBevel : public Precision_Bevel {
public:
    EdgeDistressPrecisionBevel(TiledImage& amount, const NoiseField& field, double border, double width)
        : amount_(amount), field_(field), border_(border), width_(width) {}

protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        const double n = field_.ValueAtPixel(pixel.x, pixel.y);
        const double t = border_ + (n + 0.5) * width_;
        amount_.Set(pixel.x, pixel.y, Clamp01(1.0 - (distance - t)));
    }
    void ProcessFarInside(Point pixel) override { amount_.Set(pixel.x, pixel.y, 0.0); }
    void ProcessFarOutside(Point pixel) override { amount_.Set(pixel.x, pixel.y, 1.0); }
    void ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside) override {
        amount_.SetRun(y, left, right, inside ? 0.0 : 1.0);
    }

private:
    TiledImage& amount_;
    const NoiseField& field_;
    double border_;
    double width_;
};

// Torn paper: as distress, with n = 0.9 A + 0.1 B from a coarse and a very
// fine turbulence field.
class EdgeTornPaperPrecisionBevel : public Precision_Bevel {
public:
    EdgeTornPaperPrecisionBevel(TiledImage& amount, const SymmetricTurbulenceField& coarse,
                                const SymmetricTurbulenceField& fine, double border, double width)
        : amount_(amount), coarse_(coarse), fine_(fine), border_(border), width_(width) {}

protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        const double x = pixel.x;
        const double y = pixel.y;
        const double n = 0.9 * coarse_.SymmetricTurbulenceValue(x, y) + 0.1 * fine_.SymmetricTurbulenceValue(x, y);
        const double t = border_ + (n + 0.5) * width_;
        amount_.Set(pixel.x, pixel.y, Clamp01(1.0 - (distance - t)));
    }
    void ProcessFarInside(Point pixel) override { amount_.Set(pixel.x, pixel.y, 0.0); }
    void ProcessFarOutside(Point pixel) override { amount_.Set(pixel.x, pixel.y, 1.0); }
    void ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside) override {
        amount_.SetRun(y, left, right, inside ? 0.0 : 1.0);
    }

private:
    TiledImage& amount_;
    const SymmetricTurbulenceField& coarse_;
    const SymmetricTurbulenceField& fine_;
    double border_;
    double width_;
};

// Halftone dots and lines: the band is full edge (E = 1) before the screen is
// cut into it; the density T is 1 on the solid border and falls linearly to 0
// across the band.
class EdgeHalftoneDotsPrecisionBevel : public Precision_Bevel {
public:
    EdgeHalftoneDotsPrecisionBevel(TiledImage& amount, TiledImage& density, double border, double width)
        : amount_(amount), density_(density), border_(border), width_(width) {}

protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        amount_.Set(pixel.x, pixel.y, 1.0);
        density_.Set(pixel.x, pixel.y, distance <= border_ ? 1.0 : Clamp01((border_ + width_ - distance) / width_));
    }
    void ProcessFarInside(Point pixel) override {
        density_.Set(pixel.x, pixel.y, 0.0);
        amount_.Set(pixel.x, pixel.y, 0.0);
    }
    void ProcessFarOutside(Point pixel) override {
        density_.Set(pixel.x, pixel.y, 1.0);
        amount_.Set(pixel.x, pixel.y, 1.0);
    }
    void ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside) override {
        density_.SetRun(y, left, right, inside ? 0.0 : 1.0);
        amount_.SetRun(y, left, right, inside ? 0.0 : 1.0);
    }

private:
    TiledImage& amount_;
    TiledImage& density_;
    double border_;
    double width_;
};

// Pixelizer: the density T is the distance into the band as a fraction of its
// width: 0 on the border and beyond (cells always on), 1 deep inside (off).
class EdgePixelizerDistanceTransform : public Precision_Bevel {
public:
    EdgePixelizerDistanceTransform(TiledImage& density, double border, double width)
        : density_(density), border_(border), width_(width) {}

protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        double t = 0.0;
        if (distance >= border_) t = width_ > 0.0 ? (distance - border_) / width_ : 1.0;
        density_.Set(pixel.x, pixel.y, t);
    }
    void ProcessFarInside(Point pixel) override { density_.Set(pixel.x, pixel.y, 1.0); }
    void ProcessFarOutside(Point pixel) override { density_.Set(pixel.x, pixel.y, 0.0); }
    void ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside) override {
        density_.SetRun(y, left, right, inside ? 1.0 : 0.0);
    }

private:
    TiledImage& density_;
    double border_;
    double width_;
};

}  // namespace edge
