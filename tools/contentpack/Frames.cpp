// Three frames: a walnut moulding with a gilt bead, a gilded frame with
// egg-and-dart ornament and rows of beads, and a slim black frame with a
// silver fillet around a white mat.
#include "tools/contentpack/Frames.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "tools/contentpack/Profile.h"
#include "tools/contentpack/TileableNoise.h"

namespace {

constexpr double kCell = kFrameCellSize;

// The shading a polished metal takes: deep and dark where it faces away
// from the light, its own colour facing it, a warm highlight, and darker in
// hollows, where polish and light do not reach.
Colour Metal(const Colour& metal, const Vector3& normal, double concavity, double shine, double shininess) {
    const Lighting light = LightAt(normal, shininess);
    const double hollow = Clamp01(1.0 - 0.9 * std::max(0.0, concavity));
    const Colour deep = Rgb(metal.r * 0.28, metal.g * 0.19, metal.b * 0.10);
    const Colour lit = Scaled(Mix(deep, metal, SmoothStep(0.05, 0.95, light.diffuse)), hollow);
    const double spark = shine * light.specular * hollow;
    return Colour{Clamp01(lit.r + spark), Clamp01(lit.g + spark * 0.92), Clamp01(lit.b + spark * 0.72), 1.0};
}

// Wood with its grain running along the rail; each rail is its own board.
class WoodGrain {
public:
    WoodGrain(Colour light, Colour dark, int32_t seed) : light_(light), dark_(dark) {
        for (int rail = 0; rail < 4; ++rail) {
            warp_.push_back(std::make_unique<TileableFractalNoise>(kCell * 0.5, kCell * 0.25, kFrameCellSize,
                                                                   kFrameCellSize, seed + rail));
            streaks_.push_back(std::make_unique<TileableFractalNoise>(kCell * 0.25, 1.6, kFrameCellSize, kFrameCellSize,
                                                                      seed + 10 + rail));
        }
    }

    Colour At(const RailPoint& point) const {
        const std::size_t rail = static_cast<std::size_t>(point.rail);
        const double along = point.along * kCell, across = point.across * kCell;
        const double warp = (*warp_[rail])(along, across);
        const double rings = 0.5 + 0.5 * std::sin(2.0 * kPi * (across / 9.0 + 1.6 * warp));
        const double streak = Clamp01(0.5 + 1.4 * (*streaks_[rail])(along, across));
        return Mix(light_, dark_, Clamp01(0.55 * std::pow(rings, 1.5) + 0.45 * streak));
    }

private:
    Colour light_, dark_;
    std::vector<std::unique_ptr<TileableFractalNoise>> warp_;
    std::vector<std::unique_ptr<TileableFractalNoise>> streaks_;
};

}  // namespace

FramePicture DrawWoodenFrame() {
    // Outer round, a broad hump, a cove, the gilt bead, a step down to the
    // flat slip, and a bevel down to the picture (pixels across, height).
    auto profile =
        std::make_shared<Profile>(std::vector<std::pair<double, double>>{{0, 0},
                                                                         {4, 9},
                                                                         {12, 15},
                                                                         {40, 22},
                                                                         {70, 17},
                                                                         {82, 12},
                                                                         {92, 11},
                                                                         {96, 15},
                                                                         {103, 18},
                                                                         {110, 15},
                                                                         {114, 12},
                                                                         {118, 7},
                                                                         {122, 6},
                                                                         {160, 6},
                                                                         {180, 0}});
    auto wood = std::make_shared<WoodGrain>(Rgb(0.58, 0.37, 0.19), Rgb(0.33, 0.18, 0.08), 401);
    auto slip = std::make_shared<WoodGrain>(Rgb(0.66, 0.46, 0.26), Rgb(0.48, 0.30, 0.15), 411);
    FrameStyle style;
    style.height = [profile](const RailPoint& point) { return (*profile)(point.across * kCell); };
    style.colour = [=](const RailPoint& point, const Vector3& normal, double concavity) {
        const double across = point.across * kCell;
        Colour colour;
        if (across >= 94.0 && across <= 112.0) {
            colour = Metal(Rgb(0.86, 0.66, 0.30), normal, concavity, 0.8, 16.0);
        } else {
            const Colour grain = across > 118.0 ? slip->At(point) : wood->At(point);
            const double hollow = Clamp01(1.0 - 0.5 * std::max(0.0, concavity));
            colour = Scaled(LitColour(grain, normal, 0.22, 22.0, 0.42), hollow);
        }
        // The joint of the mitre.
        return Mix(Scaled(colour, 0.55), colour, SmoothStep(0.3, 1.2, MitreDistance(point)));
    };
    return FrameSheet("Wooden", style);
}

// The corners of the ornament band: a rosette on the mitre, where the eggs
// of the two rails would meet cut in half. The band's height there is
// replaced by the rosette's.
double CornerRosette(const RailPoint& point) {
    if (!point.corner) return 0.0;
    const double dx = point.across * kCell - 101.0, dy = point.beside * kCell - 101.0;
    const double r = std::hypot(dx, dy);
    if (r > 27.0) return 0.0;
    const double petals = 0.5 + 0.5 * std::cos(8.0 * std::atan2(dy, dx));
    const double edge = 21.0 + 4.0 * petals;
    const double dome = r < edge ? 11.0 * std::sqrt(1.0 - (r / edge) * (r / edge)) : 0.0;
    const double heart = r < 7.0 ? 4.0 * std::sqrt(1.0 - (r / 7.0) * (r / 7.0)) : 0.0;
    return dome + heart;
}

FramePicture DrawGildedFrame() {
    auto profile = std::make_shared<Profile>(std::vector<std::pair<double, double>>{{0, 0},
                                                                                    {6, 10},
                                                                                    {10, 12},
                                                                                    {22, 12},
                                                                                    {30, 20},
                                                                                    {44, 30},
                                                                                    {56, 30},
                                                                                    {68, 24},
                                                                                    {80, 20},
                                                                                    {122, 20},
                                                                                    {130, 13},
                                                                                    {138, 12},
                                                                                    {152, 12},
                                                                                    {156, 10},
                                                                                    {172, 10},
                                                                                    {180, 0}});
    FrameStyle style;
    style.height = [profile](const RailPoint& point) {
        const double along = point.along * kCell, across = point.across * kCell;
        double h = (*profile)(across);
        h += BeadRow(along, across, kCell / 15.0, 16.0, 5.5);
        h += BeadRow(along, across, kCell / 20.0, 145.0, 4.2);
        // Egg and dart: an egg every sixth of a cell, a dart between each two.
        const double spacing = kCell / 6.0;
        const double da = along - (std::floor(along / spacing) + 0.5) * spacing;
        const double dc = across - 101.0;
        const bool nearRosette = point.corner && point.beside * kCell < 135.0;
        const double egg = nearRosette ? 0.0 : 1.0 - (da * da) / (11.5 * 11.5) - (dc * dc) / (16.0 * 16.0);
        if (egg > 0.0) h += 10.0 * std::sqrt(egg);
        const double dart =
            nearRosette ? 0.0 : 1.0 - std::fabs(std::fabs(da) - spacing / 2.0) / 2.2 - std::fabs(dc) / 14.0;
        if (dart > 0.0) h += 7.0 * dart;
        // The egg's cup: a raised rim round each egg.
        const double cup = std::fabs(std::sqrt(std::max(0.0, 1.0 - egg)) - 1.18);
        if (!nearRosette && std::fabs(dc) < 20.0 && cup < 0.08) h += 3.0 * (1.0 - cup / 0.08);
        return h + CornerRosette(point);
    };
    auto patina = std::make_shared<TileableFractalNoise>(kCell / 3.0, kCell / 6.0, kFrameCellSize, kFrameCellSize, 421);
    style.colour = [patina](const RailPoint& point, const Vector3& normal, double concavity) {
        const double across = point.across * kCell;
        // Burnished gold on the rounds, a matt gold on the flat slip.
        const bool slip = across > 156.0 && across < 172.0;
        const Colour gold = slip ? Rgb(0.80, 0.60, 0.32) : Rgb(0.92, 0.64, 0.24);
        // Toning: the gilding is a little darker here and there, as old gold is.
        const double tone = 1.0 + 0.07 * (*patina)(point.along * kCell, point.across * kCell);
        return Scaled(Metal(gold, normal, concavity * 1.5, slip ? 0.2 : 0.9, slip ? 6.0 : 22.0), tone);
    };
    return FrameSheet("Gilded", style);
}

FramePicture DrawModernFrame() {
    auto profile = std::make_shared<Profile>(std::vector<std::pair<double, double>>{
        {0, 0}, {3, 12}, {6, 16}, {40, 16}, {46, 11}, {50, 10}, {56, 10}, {57, 5}, {170, 5}, {180, 0}});
    auto paper = std::make_shared<TileableFractalNoise>(2.0, 2.0, kFrameCellSize, kFrameCellSize, 431);
    FrameStyle style;
    style.height = [profile](const RailPoint& point) {
        const double across = point.across * kCell;
        return (*profile)(across) + BeadRow(0.0, across, 1.0, 53.0, 3.2);
    };
    style.colour = [paper](const RailPoint& point, const Vector3& normal, double concavity) {
        const double across = point.across * kCell;
        if (across < 50.0) {
            return LitColour(Rgb(0.07, 0.07, 0.08), normal, 0.45, 60.0, 0.6);
        }
        if (across < 56.5) return Metal(Rgb(0.80, 0.82, 0.86), normal, concavity, 0.9, 30.0);
        // The mat: warm white paper, in the frame's shadow on the sides the
        // light comes from, its cut bevel showing the white core.
        const bool core = across > 170.0;
        Colour mat = core ? Rgb(0.99, 0.98, 0.96) : Rgb(0.94, 0.93, 0.89);
        mat = Scaled(mat, 1.0 + 0.025 * (*paper)(point.along * kCell, across));
        // The frame stands 11 pixels above the mat; the light falls from the
        // upper left, so the top and left rails cast shadows on it.
        auto cast = [](double edge) { return std::exp(-std::max(0.0, edge * kCell - 56.5) / 9.0); };
        auto hollow = [](double edge) { return std::exp(-std::max(0.0, edge * kCell - 56.5) / 3.0); };
        const double shadow = std::max({0.35 * cast(point.edges[0]), 0.35 * cast(point.edges[3]),
                                        0.10 * hollow(point.edges[1]), 0.10 * hollow(point.edges[2])});
        return Scaled(LitColour(mat, normal, 0.0, 1.0, 0.75), 1.0 - shadow);
    };
    return FrameSheet("Modern", style);
}
