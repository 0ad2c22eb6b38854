// Leaves: maple, oak, birch, willow, beech and ginkgo in autumn and summer
// colours, with veins, a crease along the midrib and a stem.
#include <algorithm>
#include <cmath>
#include <memory>

#include "tools/contentpack/TileableNoise.h"
#include "tools/contentpack/Tubes.h"

namespace {

using Points = std::vector<std::pair<double, double>>;

struct LeafForm {
    double length = 1.6;  // base to tip
    double width = 0.4;   // the widest half-width
    double widest = 0.4;  // where along the length it is widest (0 base, 1 tip)
    double teeth = 0.0;   // saw teeth along each side
    double toothDepth = 0.0;
    double lobes = 0.0;  // rounded lobes along each side
    double lobeDepth = 0.0;
};

// The outline of a leaf whose base is at the origin and whose tip points up
// (towards -y), `form.length` away.
Points LeafOutline(const LeafForm& form) {
    // Enough points along each side for every tooth and lobe to keep its shape.
    const int kSteps = std::clamp(static_cast<int>(40 + 12 * (form.teeth + form.lobes)), 40, 160);
    const double shape = std::log(0.5) / std::log(form.widest);
    auto halfWidth = [&form, shape](double t) {
        double w = form.width * std::pow(std::sin(kPi * std::pow(t, shape)), 0.85);
        if (form.teeth > 0.0) {
            // Teeth rise slowly towards the tip and fall back steeply.
            const double f = t * form.teeth - std::floor(t * form.teeth);
            const double rise = f < 0.7 ? f / 0.7 : (1.0 - f) / 0.3;
            w *= 1.0 - form.toothDepth * (1.0 - rise);
        }
        if (form.lobes > 0.0)
            w *= 1.0 - form.lobeDepth * std::pow(0.5 - 0.5 * std::cos(2.0 * kPi * t * form.lobes), 0.7);
        return w;
    };
    Points outline;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        outline.emplace_back(halfWidth(t), -t * form.length);
    }
    for (int i = kSteps - 1; i > 0; --i) {
        const double t = static_cast<double>(i) / kSteps;
        outline.emplace_back(-halfWidth(t), -t * form.length);
    }
    return outline;
}

Points Transformed(const Points& points, double degrees, double dx, double dy) {
    const double a = degrees * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    Points moved;
    for (const auto& [x, y] : points) moved.emplace_back(c * x - s * y + dx, s * x + c * y + dy);
    return moved;
}

struct Segment {
    double ax, ay, bx, by, width;
    bool midrib = false;  // the leaf folds along its midribs
};

// The veins of a leaf lying as LeafOutline draws it, turned by `degrees`
// about the base and moved by (dx, dy): the midrib and side veins that run
// out towards the tip, `sides` on each side.
void AddVeins(std::vector<Segment>& veins, const LeafForm& form, int sides, double degrees, double dx, double dy) {
    const double a = degrees * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    auto put = [&](double x0, double y0, double x1, double y1, double width, bool midrib) {
        veins.push_back(
            {c * x0 - s * y0 + dx, s * x0 + c * y0 + dy, c * x1 - s * y1 + dx, s * x1 + c * y1 + dy, width, midrib});
    };
    put(0.0, 0.0, 0.0, -form.length * 0.97, 0.020, true);
    for (int i = 1; i <= sides; ++i) {
        const double t = 0.08 + 0.82 * i / (sides + 1);
        const double reach = form.width * 0.85 * std::sin(kPi * std::min(1.0, t * 1.1));
        for (int side = -1; side <= 1; side += 2) {
            put(0.0, -t * form.length, side * reach, -(t + 0.16) * form.length, 0.008, false);
        }
    }
}

struct Leaf {
    Shape blade;
    std::vector<Segment> veins;
    Segment stem;
    Colour colour;  // the blade's main colour
    Colour blotch;  // patches of a second colour
    Colour edge;    // the colour the rim turns
    Colour vein;    // the veins' colour
    int32_t seed;
};

// The distance to the nearest midrib, and in `strength` how much of a vein
// colours the point.
double NearestVein(const std::vector<Segment>& veins, double u, double v, double& strength) {
    double nearest = 0.25;
    strength = 0.0;
    for (const Segment& vein : veins) {
        const double d = SegmentDistance(u, v, vein.ax, vein.ay, vein.bx, vein.by);
        if (vein.midrib) nearest = std::min(nearest, d);
        strength = std::max(strength, std::exp(-(d * d) / (vein.width * vein.width * 0.35)));
    }
    return nearest;
}

CellPaint PaintLeaf(Leaf leaf) {
    auto noise = std::make_shared<TileableFractalNoise>(36.0, 36.0, 1024, 1024, leaf.seed);
    const Shape blade = Cached(leaf.blade);
    const std::vector<Segment> veins = leaf.veins;
    const Shape veinStrength = Cached([veins](double u, double v) {
        double strength = 0.0;
        NearestVein(veins, u, v, strength);
        return strength;
    });
    // A gentle dome, and a crease along the veins: each half of the leaf
    // slopes down from its midrib, so one half takes the light.
    const HeightFunction height = Cached([blade, veins](double u, double v) {
        double strength = 0.0;
        const double fromVein = NearestVein(veins, u, v, strength);
        return RoundedBevel(blade(u, v), 0.10) * 0.6 - 0.22 * fromVein - 0.004 * strength;
    });
    return [=](double u, double v) {
        const Segment& stem = leaf.stem;
        const double stemDistance = SegmentDistance(u, v, stem.ax, stem.ay, stem.bx, stem.by) - stem.width;
        const double bladeDistance = blade(u, v);
        const double opacity = EdgeOpacity(std::min(bladeDistance, stemDistance));
        if (opacity <= 0.0) return Colour{0, 0, 0, 0};
        if (stemDistance < bladeDistance && bladeDistance > 0.0) {
            const double across = Clamp01(-stemDistance / stem.width);
            return WithAlpha(Scaled(Mix(leaf.vein, leaf.edge, 0.5), 0.65 + 0.35 * across), opacity);
        }
        const double n = (*noise)(u * 80.0 + 300.0, v * 80.0 + 300.0);
        Colour base = Mix(leaf.colour, leaf.blotch, SmoothStep(-0.15, 0.45, n));
        base = Mix(base, leaf.edge, 0.85 * (1.0 - SmoothStep(0.0, 0.09, -bladeDistance)));
        base = Mix(base, leaf.vein, 0.55 * veinStrength(u, v));
        const Colour lit = LitColour(base, SurfaceNormal(height, u, v, kCellPixel * 0.5), 0.18, 18.0, 0.55);
        return WithAlpha(lit, opacity);
    };
}

// A leaf of one blade, base at (0, 0.8) before turning by `degrees` about the cell's centre.
Leaf SimpleLeaf(const LeafForm& form, double degrees, int32_t seed) {
    const double baseY = form.length / 2.0 + 0.05;
    Leaf leaf;
    const Points outline = Transformed(LeafOutline(form), 0.0, 0.0, baseY);
    leaf.blade = Rotated(Polygon(outline), degrees);
    std::vector<Segment> veins;
    AddVeins(veins, form, 5, 0.0, 0.0, baseY);
    const double a = degrees * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    auto turn = [c, s](Segment g) {
        return Segment{
            c * g.ax - s * g.ay, s * g.ax + c * g.ay, c * g.bx - s * g.by, s * g.bx + c * g.by, g.width, g.midrib};
    };
    for (Segment& vein : veins) leaf.veins.push_back(turn(vein));
    leaf.stem = turn(Segment{0.0, baseY - 0.02, 0.02, std::min(0.97, baseY + 0.22), 0.018, false});
    leaf.seed = seed;
    return leaf;
}

// A maple leaf: five toothed lobes from one point, each with its own vein.
Leaf MapleLeaf(double degrees, int32_t seed) {
    const double cx = 0.0, cy = 0.26;
    struct Lobe {
        double angle, length, width;
    };
    const Lobe lobes[] = {
        {0.0, 1.16, 0.34}, {-54.0, 1.02, 0.31}, {54.0, 1.02, 0.31}, {-110.0, 0.62, 0.23}, {110.0, 0.62, 0.23}};
    std::vector<Shape> parts = {Circle(cx, cy, 0.22)};
    Leaf leaf;
    for (const Lobe& lobe : lobes) {
        LeafForm form;
        form.length = lobe.length;
        form.width = lobe.width;
        form.widest = 0.45;
        form.teeth = 3.0;
        form.toothDepth = 0.42;
        parts.push_back(Polygon(Transformed(LeafOutline(form), lobe.angle, cx, cy)));
        LeafForm veinForm = form;
        veinForm.width *= 0.8;
        AddVeins(leaf.veins, veinForm, 3, lobe.angle, cx, cy);
    }
    leaf.blade = Rotated(Union(parts), degrees);
    const double a = degrees * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    for (Segment& g : leaf.veins) {
        g = Segment{
            c * g.ax - s * g.ay, s * g.ax + c * g.ay, c * g.bx - s * g.by, s * g.bx + c * g.by, g.width, g.midrib};
    }
    leaf.stem = Segment{-s * cy, c * cy, -s * 0.95, c * 0.95, 0.018, false};
    leaf.seed = seed;
    return leaf;
}

// A ginkgo leaf: a fan with a notch in the middle of its wavy edge and
// fine veins spreading from the stem.
Leaf GinkgoLeaf(double degrees, int32_t seed) {
    const double px = 0.0, py = 0.40, reach = 1.15;
    Points outline = {{px, py}};
    for (int i = 0; i <= 120; ++i) {
        const double t = -62.0 + 124.0 * i / 120.0;
        const double notch = 0.22 * std::exp(-(t * t) / 30.0);
        const double r = reach * (1.0 - notch + 0.015 * std::sin(t * 0.9)) * (0.93 + 0.07 * std::cos(t * kPi / 124.0));
        const double a = (t - 90.0) * kPi / 180.0;
        outline.emplace_back(px + r * std::cos(a), py + r * std::sin(a));
    }
    Leaf leaf;
    leaf.blade = Rotated(Polygon(outline), degrees);
    const double a = degrees * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    for (int i = -5; i <= 5; ++i) {
        const double t = (i * 11.0 - 90.0) * kPi / 180.0;
        const double x1 = px + 0.95 * std::cos(t), y1 = py + 0.95 * std::sin(t);
        leaf.veins.push_back(Segment{-s * py, c * py, c * x1 - s * y1, s * x1 + c * y1, 0.006, false});
    }
    leaf.stem = Segment{-s * py, c * py, -s * 0.97, c * 0.97, 0.016, false};
    leaf.seed = seed;
    return leaf;
}

Leaf Coloured(Leaf leaf, Colour colour, Colour blotch, Colour edge, Colour vein) {
    leaf.colour = colour;
    leaf.blotch = blotch;
    leaf.edge = edge;
    leaf.vein = vein;
    return leaf;
}

}  // namespace

TubePicture DrawLeavesTube() {
    LeafForm willow;
    willow.length = 1.80, willow.width = 0.25, willow.widest = 0.42, willow.teeth = 18, willow.toothDepth = 0.08;
    LeafForm birch;
    birch.length = 1.62, birch.width = 0.58, birch.widest = 0.36, birch.teeth = 14, birch.toothDepth = 0.10;
    LeafForm oak;
    oak.length = 1.72, oak.width = 0.58, oak.widest = 0.60, oak.lobes = 4.5, oak.lobeDepth = 0.45;
    LeafForm beech;
    beech.length = 1.62, beech.width = 0.52, beech.widest = 0.45, beech.teeth = 8, beech.toothDepth = 0.04;

    const Colour red = Rgb(0.78, 0.14, 0.08), orange = Rgb(0.93, 0.46, 0.10), yellow = Rgb(0.96, 0.76, 0.18);
    const Colour green = Rgb(0.36, 0.58, 0.16), brown = Rgb(0.55, 0.32, 0.14), darkRed = Rgb(0.50, 0.06, 0.05);
    const std::vector<CellPaint> cells = {
        PaintLeaf(Coloured(MapleLeaf(-8.0, 11), red, orange, darkRed, Rgb(0.95, 0.55, 0.25))),
        PaintLeaf(Coloured(SimpleLeaf(oak, 24.0, 12), brown, Rgb(0.68, 0.45, 0.18), Rgb(0.35, 0.18, 0.07),
                           Rgb(0.80, 0.62, 0.35))),
        PaintLeaf(Coloured(SimpleLeaf(birch, -30.0, 13), yellow, Rgb(0.80, 0.80, 0.20), orange, Rgb(1.00, 0.90, 0.55))),
        PaintLeaf(Coloured(GinkgoLeaf(14.0, 14), Rgb(0.98, 0.80, 0.20), Rgb(0.90, 0.65, 0.12), Rgb(0.80, 0.52, 0.10),
                           Rgb(1.00, 0.90, 0.55))),
        PaintLeaf(Coloured(MapleLeaf(18.0, 15), orange, yellow, red, Rgb(1.00, 0.80, 0.40))),
        PaintLeaf(Coloured(SimpleLeaf(willow, 38.0, 16), green, Rgb(0.55, 0.68, 0.20), Rgb(0.25, 0.40, 0.10),
                           Rgb(0.75, 0.85, 0.45))),
        PaintLeaf(Coloured(SimpleLeaf(beech, -14.0, 17), Rgb(0.85, 0.35, 0.10), brown, darkRed, Rgb(0.98, 0.65, 0.35))),
        PaintLeaf(
            Coloured(MapleLeaf(-28.0, 18), green, Rgb(0.70, 0.72, 0.18), Rgb(0.30, 0.45, 0.10), Rgb(0.80, 0.88, 0.50))),
    };
    return TubeSheet("Leaves", 4, cells);
}
