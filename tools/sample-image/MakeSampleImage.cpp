// make-sample-image OUTPUT [WIDTH HEIGHT] [--photo | --mask]
//
// Draws the sample picture that `make run` applies every effect to: a small
// landscape (evening sky, sun, hills, a lake) with a few coloured shapes in
// front, on a rounded card inside a transparent margin, so that it shows the
// effects both on colour gradients and on a layer's transparency.
//
// --photo draws the scene over the whole frame without transparency and adds
// the grain and fine texture of a photograph, which smooth gradients lack and
// which decide how long a PNG or JPEG file takes to write (the whole-run
// benchmark's input). --mask draws the card's outline as a grey selection
// mask. OUTPUT is PNG or JPEG, by its extension.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imagefiles/ImageFiles.h"
#include "imagefiles/RasterImage.h"
#include "platform/CommandLineArguments.h"

namespace {

struct Colour {
    double r, g, b, a;
};

Colour Mix(const Colour& a, const Colour& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// `top` painted over `under` with the top's alpha.
Colour Over(const Colour& top, const Colour& under) {
    const double a = top.a + under.a * (1.0 - top.a);
    if (a <= 0.0) return Colour{0, 0, 0, 0};
    auto channel = [&](double t, double u) { return (t * top.a + u * under.a * (1.0 - top.a)) / a; };
    return Colour{channel(top.r, under.r), channel(top.g, under.g), channel(top.b, under.b), a};
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// The scene at a point (u, v) in [0, 1] × [0, 1] of the card, v downward.
Colour Scene(double u, double v, double aspect) {
    const Colour zenith{0.10, 0.16, 0.45, 1}, horizon{0.98, 0.62, 0.35, 1};
    Colour c = Mix(zenith, horizon, SmoothStep(0.0, 0.62, v));

    // Sun with a warm glow.
    const double sx = (u - 0.70) * aspect, sy = v - 0.36;
    const double sun = std::sqrt(sx * sx + sy * sy);
    c = Over(Colour{1.0, 0.85, 0.45, 0.55 * (1.0 - SmoothStep(0.0, 0.30, sun))}, c);
    c = Over(Colour{1.0, 0.96, 0.70, 1.0 - SmoothStep(0.085, 0.09, sun)}, c);

    // Far and near hills.
    const double far = 0.55 + 0.05 * std::sin(u * 9.0 + 1.0) + 0.03 * std::sin(u * 23.0);
    c = Over(Colour{0.33, 0.42, 0.55, 1.0 - SmoothStep(far - 0.002, far + 0.002, far * 2 - v)}, c);
    if (v > far) c = Mix(Colour{0.30, 0.40, 0.52, 1}, Colour{0.22, 0.34, 0.36, 1}, (v - far) * 4.0);
    const double near = 0.66 + 0.07 * std::sin(u * 5.0 + 2.5) + 0.02 * std::sin(u * 31.0);
    if (v > near) c = Mix(Colour{0.30, 0.62, 0.25, 1}, Colour{0.10, 0.35, 0.12, 1}, (v - near) * 3.0);

    // A lake reflecting the sky.
    const double lx = (u - 0.28) / 0.22, ly = (v - 0.86) / 0.07;
    if (lx * lx + ly * ly < 1.0) c = Mix(Colour{0.45, 0.55, 0.85, 1}, Colour{0.95, 0.65, 0.45, 1}, 0.5 + 0.5 * ly);

    // Shapes in front: a shaded red ball, a violet diamond, a teal ring.
    const double bx = (u - 0.16) * aspect, by = v - 0.30, ball = std::sqrt(bx * bx + by * by);
    if (ball < 0.11) {
        const double shade = 1.0 - 0.6 * std::sqrt(std::pow(bx + 0.04, 2) + std::pow(by + 0.04, 2)) / 0.15;
        c = Mix(c, Colour{0.85 * shade + 0.1, 0.12 * shade, 0.15 * shade, 1}, 1.0 - SmoothStep(0.105, 0.11, ball));
    }
    const double diamond = std::fabs((u - 0.45) * aspect) + std::fabs(v - 0.22);
    c = Mix(c, Mix(Colour{0.55, 0.25, 0.80, 1}, Colour{0.85, 0.55, 0.95, 1}, (0.22 - v) * 6 + 0.5),
            1.0 - SmoothStep(0.095, 0.1, diamond));
    const double rx = (u - 0.88) * aspect, ry = v - 0.78, ring = std::sqrt(rx * rx + ry * ry);
    c = Mix(c, Colour{0.10, 0.70, 0.70, 1}, 1.0 - SmoothStep(0.012, 0.016, std::fabs(ring - 0.07)));
    return c;
}

// Coverage of the rounded card at pixel centre (x, y): 1 inside, 0 outside,
// a one-pixel ramp across its outline.
double Card(double x, double y, double left, double top, double right, double bottom, double radius) {
    const double qx = std::max({left + radius - x, x - (right - radius), 0.0});
    const double qy = std::max({top + radius - y, y - (bottom - radius), 0.0});
    const double outside = std::sqrt(qx * qx + qy * qy) - radius;
    return std::clamp(0.5 - outside, 0.0, 1.0);
}

uint8_t Byte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L)); }

// A repeatable value in [-0.5, 0.5) for pixel (x, y) and channel c.
double Hash(uint32_t x, uint32_t y, uint32_t c) {
    uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ c * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return static_cast<double>(h) / 4294967296.0 - 0.5;
}

// Sensor grain (mostly shared by the channels, as in brightness noise) and a
// fine texture that is stronger on the land than in the sky.
Colour Grain(Colour c, int x, int y, double v) {
    const double texture = v > 0.55 ? 0.05 * (0.5 + 0.5 * std::sin(x * 0.9 + 3.0 * std::sin(y * 0.21))) : 0.0;
    const double shared = 0.030 * Hash(x, y, 3) + texture * (Hash(x >> 1, y >> 1, 4) + 0.2);
    return Colour{c.r + shared + 0.012 * Hash(x, y, 0), c.g + shared + 0.012 * Hash(x, y, 1),
                  c.b + shared + 0.012 * Hash(x, y, 2), c.a};
}

// The whole frame, one sample a pixel: the grain hides the steps of the outlines.
RasterImage Photograph(int width, int height) {
    RasterImage image(width, height, 3);
    const double aspect = static_cast<double>(width) / height;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.Row(y);
        const double v = (y + 0.5) / height;
        for (int x = 0; x < width; ++x, row += 3) {
            const Colour c = Grain(Scene((x + 0.5) / width, v, aspect), x, y, v);
            row[0] = Byte(c.r);
            row[1] = Byte(c.g);
            row[2] = Byte(c.b);
        }
    }
    return image;
}

}  // namespace

RasterImage CardPicture(int width, int height) {
    const double margin = std::round(std::min(width, height) * 0.06);
    const double left = margin, top = margin, right = width - margin, bottom = height - margin;
    const double radius = std::min(width, height) * 0.08;
    const double aspect = (right - left) / (bottom - top);

    RasterImage image(width, height, 4);
    constexpr int kSamples = 3;  // per axis, for smooth shape outlines
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < width; ++x, row += 4) {
            const double coverage = Card(x + 0.5, y + 0.5, left, top, right, bottom, radius);
            if (coverage <= 0.0) continue;  // transparent margin
            Colour sum{0, 0, 0, 0};
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const double u = (x + (i + 0.5) / kSamples - left) / (right - left);
                    const double v = (y + (j + 0.5) / kSamples - top) / (bottom - top);
                    const Colour c = Scene(u, v, aspect);
                    sum = Colour{sum.r + c.r, sum.g + c.g, sum.b + c.b, 0};
                }
            }
            const double n = kSamples * kSamples;
            row[0] = Byte(sum.r / n);
            row[1] = Byte(sum.g / n);
            row[2] = Byte(sum.b / n);
            row[3] = Byte(coverage);
        }
    }
    return image;
}

// The card's outline as a grey selection mask: 255 inside, soft at the edge.
RasterImage CardMask(int width, int height) {
    const RasterImage card = CardPicture(width, height);
    RasterImage mask(width, height, 1);
    for (std::size_t i = 0; i < mask.pixels.size(); ++i) mask.pixels[i] = card.pixels[i * 4 + 3];
    return mask;
}

// Takes `option` out of `args`; true when it was there.
bool TakeOption(std::vector<std::string>& args, const char* option) {
    const auto found = std::find(args.begin(), args.end(), option);
    if (found == args.end()) return false;
    args.erase(found);
    return true;
}

int main(int argc, char** argv) {
    std::vector<std::string> args = CommandLineArguments(argc, argv);
    const bool photo = TakeOption(args, "--photo");
    const bool mask = TakeOption(args, "--mask");
    if ((args.size() != 1 && args.size() != 3) || (photo && mask)) {
        std::fprintf(stderr, "usage: make-sample-image OUTPUT [WIDTH HEIGHT] [--photo | --mask]\n");
        return 2;
    }
    const int width = args.size() == 3 ? std::atoi(args[1].c_str()) : 480;
    const int height = args.size() == 3 ? std::atoi(args[2].c_str()) : 360;
    if (width < 16 || height < 16 || width > 20000 || height > 20000) {
        std::fprintf(stderr, "make-sample-image: width and height must be between 16 and 20000\n");
        return 2;
    }
    const RasterImage image =
        photo ? Photograph(width, height) : (mask ? CardMask(width, height) : CardPicture(width, height));
    const ImageFileStatus written = WriteImageFile(args[0], image);
    if (!written.Ok()) {
        std::fprintf(stderr, "make-sample-image: %s\n", written.error.c_str());
        return 1;
    }
    return 0;
}
