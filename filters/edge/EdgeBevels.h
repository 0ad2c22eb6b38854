// The precision bevels of the edge treatments: each turns the distance of a
// selected pixel from the selection edge into edge amounts (E) or screen
// densities (T). They all measure the inside of the selection up to the
// width of border and band, w1 + w2.
#pragma once

#include "filters/edge/EdgeScreen.h"
#include "filters/edge/EdgeTreatments.h"
#include "image/Image.h"
#include "image/NoiseField.h"
#include "image/PrecisionBevel.h"
#include "image/SymmetricTurbulenceField.h"

namespace edge {

// Initialises `bevel` to measure the inside of the request's mask up to
// w1 + w2 over E's area and runs it from the request's progress start to
// `progressEnd`.
ResultCode RunEdgeBevel(Precision_Bevel &bevel, const TreatmentRequest &request, double progressEnd);

// Writes one element of an image over whose bounds the bevel's output lies.
inline double &Element(SingleChannelImage<double> &image, Point p) {
    return image
        .data[static_cast<std::ptrdiff_t>(p.y - image.bounds.top) * image.rowStride + (p.x - image.bounds.left)];
}

// Distress: E = clamp(1 − (d − t), 0, 1) with t = w1 + (n + 0.5) w2 and n the
// noise at the pixel: solid up to the ragged line t, a one-pixel ramp after it.
class EdgeDistressPrecisionBevel : public Precision_Bevel {
  public:
    EdgeDistressPrecisionBevel(SingleChannelImage<double> &amount, const NoiseField &field, double border, double width)
        : amount_(amount), field_(field), border_(border), width_(width) {}

  protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        const double n = field_.ValueAtPixel(pixel.x, pixel.y);
        const double t = border_ + (n + 0.5) * width_;
        Element(amount_, pixel) = Clamp01(1.0 - (distance - t));
    }
    void ProcessFarInside(Point pixel) override { Element(amount_, pixel) = 0.0; }
    void ProcessFarOutside(Point pixel) override { Element(amount_, pixel) = 1.0; }

  private:
    SingleChannelImage<double> &amount_;
    const NoiseField &field_;
    double border_;
    double width_;
};

// Torn paper: as distress, with n = 0.9 A + 0.1 B from a coarse and a very
// fine turbulence field.
class EdgeTornPaperPrecisionBevel : public Precision_Bevel {
  public:
    EdgeTornPaperPrecisionBevel(SingleChannelImage<double> &amount, const SymmetricTurbulenceField &coarse,
                                const SymmetricTurbulenceField &fine, double border, double width)
        : amount_(amount), coarse_(coarse), fine_(fine), border_(border), width_(width) {}

  protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        const double x = pixel.x;
        const double y = pixel.y;
        const double n = 0.9 * coarse_.SymmetricTurbulenceValue(x, y) + 0.1 * fine_.SymmetricTurbulenceValue(x, y);
        const double t = border_ + (n + 0.5) * width_;
        Element(amount_, pixel) = Clamp01(1.0 - (distance - t));
    }
    void ProcessFarInside(Point pixel) override { Element(amount_, pixel) = 0.0; }
    void ProcessFarOutside(Point pixel) override { Element(amount_, pixel) = 1.0; }

  private:
    SingleChannelImage<double> &amount_;
    const SymmetricTurbulenceField &coarse_;
    const SymmetricTurbulenceField &fine_;
    double border_;
    double width_;
};

// Halftone dots and lines: the band is full edge (E = 1) before the screen is
// cut into it; the density T is 1 on the solid border and falls linearly to 0
// across the band.
class EdgeHalftoneDotsPrecisionBevel : public Precision_Bevel {
  public:
    EdgeHalftoneDotsPrecisionBevel(SingleChannelImage<double> &amount, SingleChannelImage<double> &density,
                                   double border, double width)
        : amount_(amount), density_(density), border_(border), width_(width) {}

  protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        Element(amount_, pixel) = 1.0;
        Element(density_, pixel) = distance <= border_ ? 1.0 : Clamp01((border_ + width_ - distance) / width_);
    }
    void ProcessFarInside(Point pixel) override {
        Element(density_, pixel) = 0.0;
        Element(amount_, pixel) = 0.0;
    }
    void ProcessFarOutside(Point pixel) override {
        Element(density_, pixel) = 1.0;
        Element(amount_, pixel) = 1.0;
    }

  private:
    SingleChannelImage<double> &amount_;
    SingleChannelImage<double> &density_;
    double border_;
    double width_;
};

// Pixelizer: the density T is the distance into the band as a fraction of its
// width: 0 on the border and beyond (cells always on), 1 deep inside (off).
class EdgePixelizerDistanceTransform : public Precision_Bevel {
  public:
    EdgePixelizerDistanceTransform(SingleChannelImage<double> &density, double border, double width)
        : density_(density), border_(border), width_(width) {}

  protected:
    void ProcessPixel(Point pixel, ContourPoint, double distance) override {
        double t = 0.0;
        if (distance >= border_) t = width_ > 0.0 ? (distance - border_) / width_ : 1.0;
        Element(density_, pixel) = t;
    }
    void ProcessFarInside(Point pixel) override { Element(density_, pixel) = 1.0; }
    void ProcessFarOutside(Point pixel) override { Element(density_, pixel) = 0.0; }

  private:
    SingleChannelImage<double> &density_;
    double border_;
    double width_;
};

} // namespace edge
