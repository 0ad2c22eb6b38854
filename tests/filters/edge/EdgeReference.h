// A slow, literal reference of the Edges treatments for the tests: the
// distances come from a recording precision bevel (the building block, tested
// on its own), and every step after that is written out pixel by pixel from
// the effect's rules, without sharing code with the effect.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "filters/edge/EdgeParameters.h"
#include "image/FBMField.h"
#include "image/Image.h"
#include "image/NoiseField.h"
#include "image/PrecisionBevel.h"
#include "image/RandomGenerator.h"
#include "image/SymmetricTurbulenceField.h"
#include "image/VariableProbabilityField.h"

namespace edge_reference {

// Per pixel of the mask's bounds: the measured distance, or far inside/outside.
struct Distances {
    Rect bounds;
    std::vector<double> distance;  // -1 for far pixels
    std::vector<int> far;          // 0 measured, 1 far inside, 2 far outside

    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y - bounds.top) * static_cast<std::size_t>(bounds.Width()) +
               static_cast<std::size_t>(x - bounds.left);
    }
};

class RecordingBevel : public Precision_Bevel {
public:
    explicit RecordingBevel(Distances& out) : out_(out) {}

protected:
    void ProcessPixel(Point p, ContourPoint, double d) override { out_.distance[out_.Index(p.x, p.y)] = d; }
    void ProcessFarInside(Point p) override { out_.far[out_.Index(p.x, p.y)] = 1; }
    void ProcessFarOutside(Point p) override { out_.far[out_.Index(p.x, p.y)] = 2; }

private:
    Distances& out_;
};

class NoAbort : public Abort_Tester {
public:
    bool IsAborted() override { return false; }
};

inline Distances Measure(const SingleChannelImage<unsigned char>& mask, double maximum) {
    Distances d;
    d.bounds = mask.bounds;
    const std::size_t n = static_cast<std::size_t>(mask.bounds.Width()) * mask.bounds.Height();
    d.distance.assign(n, -1.0);
    d.far.assign(n, 0);
    RecordingBevel bevel(d);
    NoAbort abort;
    bevel.Init(mask, maximum, mask.bounds, true, 0.0, 0.0);
    bevel.Run(abort, nullptr, 0.0, 1.0);
    return d;
}

inline double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

// A grid of reals over `bounds` with a value beyond it.
struct Grid {
    Rect bounds;
    std::vector<double> v;
    double outside;
    double At(int x, int y) const {
        if (x < bounds.left || x >= bounds.right || y < bounds.top || y >= bounds.bottom) return outside;
        return v[static_cast<std::size_t>(y - bounds.top) * bounds.Width() + (x - bounds.left)];
    }
    double& Ref(int x, int y) {
        return v[static_cast<std::size_t>(y - bounds.top) * bounds.Width() + (x - bounds.left)];
    }
    double Bilinear(double x, double y) const {
        const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
        const double fx = x - x0, fy = y - y0;
        return (1 - fx) * (1 - fy) * At(x0, y0) + fx * (1 - fy) * At(x0 + 1, y0) + (1 - fx) * fy * At(x0, y0 + 1) +
               fx * fy * At(x0 + 1, y0 + 1);
    }
};

struct ScreenRef {
    double c, cs, sn, sx, sy;
    void ToScreen(double x, double y, double& u, double& v) const {
        u = (x * cs - y * sn) / c + sx;
        v = (x * sn + y * cs) / c + sy;
    }
    void ToImage(double u, double v, double& x, double& y) const {
        x = c * ((u - sx) * cs + (v - sy) * sn);
        y = c * (-(u - sx) * sn + (v - sy) * cs);
    }
};

// The edge amount E over the mask's bounds for a render at `reduction` (the
// mask is then the reduced one). A reduced render keeps the full-size screen:
// the halftone shift of the full-size cell, and the pixelizer's threshold at
// the full-size pixel of each cell's centre.
inline Grid Amount(const EdgeParameters& p, const SingleChannelImage<unsigned char>& mask, double reduction = 1.0) {
    const double w1 = p.border.value / reduction, w2 = p.width.value / reduction;  // pixels
    const Distances d = Measure(mask, w1 + w2);
    Grid e{mask.bounds, std::vector<double>(d.distance.size(), 0.0), 0.0};
    Grid t{mask.bounds, std::vector<double>(d.distance.size(), 0.0), p.edgeType == 3 ? 1.0 : 0.0};
    RandomGenerator g(p.randomSeed);
    const RandomGenerator::RealPoint r = g.NextRealPoint(2.0, 2.0);
    const double ox = r.x - 1.0, oy = r.y - 1.0;
    const Rect b = mask.bounds;
    auto each = [&](auto&& f) {
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x) f(x, y, d.far[d.Index(x, y)], d.distance[d.Index(x, y)]);
    };

    if (p.edgeType == 0 || p.edgeType == 1 || p.edgeType == 5) {
        NoiseField noise;
        FBMField fbm;
        SymmetricTurbulenceField a, bb;
        noise.Init(2 * p.scale, 2 * p.scale, 0.5, p.randomSeed, reduction, false, 0, 0);
        fbm.Init(2 * p.scale, 2 * p.scale, 0.5, p.randomSeed, reduction, false, 0, 0);
        a.Init(2 * p.scale, 2 * p.scale, 0.5, p.randomSeed, reduction, false, 0, 0);
        bb.Init(0.02 * p.scale, 0.02 * p.scale, 0.5, p.randomSeed, reduction, false, 0, 0);
        each([&](int x, int y, int far, double dist) {
            if (far) {
                e.Ref(x, y) = far == 1 ? 0.0 : 1.0;
                return;
            }
            double n = p.edgeType == 0 ? noise.ValueAtPixel(x, y) : fbm.ValueAtPixel(x, y);
            if (p.edgeType == 5) n = 0.9 * a.ValueAtPixel(x, y) + 0.1 * bb.ValueAtPixel(x, y);
            const double th = w1 + (n + 0.5) * w2;
            e.Ref(x, y) = Clamp(1 - (dist - th), 0, 1);
        });
        return e;
    }

    const double c = w2 * (1.0 / 15 + (0.25 - 1.0 / 15) * p.scale * 0.01);
    const double fullSizeCell = p.width.value * (1.0 / 15 + (0.25 - 1.0 / 15) * p.scale * 0.01);
    const double th = p.direction * 0.017453292;
    if (p.edgeType == 2 || p.edgeType == 3) {
        each([&](int x, int y, int far, double dist) {
            if (far) {
                t.Ref(x, y) = e.Ref(x, y) = far == 1 ? 0.0 : 1.0;
                return;
            }
            e.Ref(x, y) = 1;
            t.Ref(x, y) = dist <= w1 ? 1.0 : Clamp((w1 + w2 - dist) / w2, 0, 1);
        });
        const ScreenRef s{c, std::cos(th), std::sin(th), ox * fullSizeCell, oy * fullSizeCell};
        each([&](int x, int y, int, double) {
            const double tv = t.At(x, y);
            if (!(tv > 0 && tv < 1)) return;
            double u, v;
            s.ToScreen(x, y, u, v);
            if (p.edgeType == 2) {
                const double us[4] = {std::floor(u), std::ceil(u), std::floor(u), std::ceil(u)};
                const double vs[4] = {std::floor(v), std::floor(v), std::ceil(v), std::ceil(v)};
                for (int k = 0; k < 4; ++k) {
                    double cx, cy;
                    s.ToImage(us[k], vs[k], cx, cy);
                    if (!(cx >= b.left && cx < b.right - 1 && cy >= b.top && cy < b.bottom - 1)) continue;
                    const double tc = t.Bilinear(cx, cy);
                    const double radius = 0.1 * c + (1.2 * c - 0.1 * c) * (1 - tc);
                    const double dd = std::hypot(x - cx, y - cy);
                    e.Ref(x, y) *= Clamp(dd + 1 - radius, 0, 1);
                }
                return;
            }
            const double vl = v - std::floor(v) > 0.5 ? std::ceil(v) : std::floor(v);
            const double dl = std::fabs(v - vl);
            double lx, ly;
            s.ToImage(u, vl, lx, ly);
            const double tc = std::fabs(t.Bilinear(lx, ly));
            const double wf = tc < 0.5 ? 1 - 2 * tc * tc : 2 * (1 - tc) * (1 - tc);
            const double h = 0.5 * wf, pix = 1 / c;
            if (dl < h) {
                const double k = h - dl;
                e.Ref(x, y) = k >= pix ? 0.0 : 1 - k / pix;
            } else {
                e.Ref(x, y) = 1;
            }
        });
        return e;
    }

    // Pixelizer.
    each([&](int x, int y, int far, double dist) {
        if (far) {
            t.Ref(x, y) = far == 1 ? 1.0 : 0.0;
            return;
        }
        t.Ref(x, y) = dist < w1 ? 0.0 : (dist - w1) / w2;
    });
    SingleChannelImage<double> density(t.bounds, t.v.data(), 0);
    VariableProbabilityField field;
    field.Init(p.randomSeed, &density, 0.0);
    const ScreenRef s{c, std::cos(th), std::sin(th), 0.0, 0.0};
    const ScreenRef fullSize{fullSizeCell, std::cos(th), std::sin(th), 0.0, 0.0};
    auto cell = [&](double i, double j) {
        double samples[4];
        const double ci[4] = {i, i + 1, i, i + 1}, cj[4] = {j, j, j + 1, j + 1};
        for (int k = 0; k < 4; ++k) {
            double x, y;
            s.ToImage(ci[k], cj[k], x, y);
            samples[k] = t.Bilinear(x, y);
        }
        if (*std::min_element(samples, samples + 4) <= 0) return 1.0;
        if (*std::max_element(samples, samples + 4) >= 1) return 0.0;
        double x, y, fx, fy;
        s.ToImage(i + 0.5, j + 0.5, x, y);
        fullSize.ToImage(i + 0.5, j + 0.5, fx, fy);
        const int qx = static_cast<int>(std::floor(x)), qy = static_cast<int>(std::floor(y));
        const int fullQx = static_cast<int>(std::floor(fx)), fullQy = static_cast<int>(std::floor(fy));
        return t.At(qx, qy) < field.Threshold(fullQx, fullQy) ? 1.0 : 0.0;
    };
    auto mix = [](double a, double bv, double w) { return a + w * (bv - a) / 2; };
    each([&](int x, int y, int, double) {
        const double tv = t.At(x, y);
        if (tv <= 0) {
            e.Ref(x, y) = 1;
            return;
        }
        if (tv >= 1) {
            e.Ref(x, y) = 0;
            return;
        }
        double u, v;
        s.ToScreen(x, y, u, v);
        const double i = std::floor(u), j = std::floor(v), fu = u - i, fv = v - j, h = (1 / c) / 2;
        const double own = cell(i, j);
        const bool L = fu <= h, R = fu >= 1 - h, T = fv <= h, B = fv >= 1 - h;
        const double wL = Clamp((h - fu) / h, 0, 1), wR = Clamp((fu - (1 - h)) / h, 0, 1);
        const double wT = Clamp((h - fv) / h, 0, 1), wB = Clamp((fv - (1 - h)) / h, 0, 1);
        double out = own;
        if (T && L)
            out = mix(mix(own, cell(i, j - 1), wT), mix(cell(i - 1, j), cell(i - 1, j - 1), wT), wL);
        else if (T && R)
            out = mix(mix(own, cell(i, j - 1), wT), mix(cell(i + 1, j), cell(i + 1, j - 1), wT), wR);
        else if (B && L)
            out = mix(mix(own, cell(i, j + 1), wB), mix(cell(i - 1, j), cell(i - 1, j + 1), wB), wL);
        else if (B && R)
            out = mix(mix(own, cell(i, j + 1), wB), mix(cell(i + 1, j), cell(i + 1, j + 1), wB), wR);
        else if (R)
            out = mix(own, cell(i + 1, j), wR);
        else if (L)
            out = mix(own, cell(i - 1, j), wL);
        else if (T)
            out = mix(own, cell(i, j - 1), wT);
        else if (B)
            out = mix(own, cell(i, j + 1), wB);
        e.Ref(x, y) = out;
    });
    return e;
}

}  // namespace edge_reference
