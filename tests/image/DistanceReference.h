// Slow, obvious references for the distance tests: test masks, the 127.5
// contour by brute force, and a naive march on std::map and std::list that
// follows the marching rules step by step.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <list>
#include <map>
#include <random>
#include <set>
#include <vector>

#include "base/Progress.h"
#include "image/ContourIterator.h"
#include "image/Image.h"

namespace distance_reference {

struct TestMask {
    std::vector<unsigned char> values;
    SingleChannelImage<unsigned char> image;

    TestMask(const Rect& r, unsigned char fill)
        : values(static_cast<size_t>(r.Width()) * r.Height(), fill), image(r, values.data(), 0) {}
    const Rect& Bounds() const { return image.bounds; }
    int At(int x, int y) const { return Bounds().Contains(Point{x, y}) ? *image.PixelAddress(Point{x, y}) : 0; }
    void Set(int x, int y, int v) { *image.PixelAddress(Point{x, y}) = static_cast<unsigned char>(v); }
    bool Inside(int x, int y) const { return At(x, y) >= 128; }
};

// Soft-edged discs, random specks or random grey: irregular on purpose.
enum class MaskKind { kBlobs, kSpecks, kNoise };
constexpr MaskKind kAllKinds[] = {MaskKind::kBlobs, MaskKind::kSpecks, MaskKind::kNoise};

inline void FillIrregular(TestMask& mask, MaskKind kind, unsigned seed) {
    std::mt19937 random(seed);
    const Rect& b = mask.Bounds();
    double cx[4], cy[4], radius[4];
    for (int i = 0; i < 4; ++i) {
        cx[i] = b.left + static_cast<double>(random() % b.Width());
        cy[i] = b.top + static_cast<double>(random() % b.Height());
        radius[i] = 2.0 + random() % 8;
    }
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
            double reach = -1e9;
            for (int i = 0; i < 4; ++i) reach = std::max(reach, radius[i] - std::hypot(x - cx[i], y - cy[i]));
            const int blob = static_cast<int>(std::clamp(127.5 + 90.0 * reach, 0.0, 255.0));
            const int speck = random() % 100 < 30 ? 255 : 0;
            mask.Set(x, y, kind == MaskKind::kBlobs ? blob : kind == MaskKind::kSpecks ? speck : random() % 256);
        }
    }
}

// The contour point of every 2x2 cell the mask reaches (corners beyond it read
// 0) whose corners lie on both sides of 127.5: the mean of the level
// crossings along its edges.
inline std::vector<ContourPoint> BruteForceContour(const TestMask& mask) {
    std::vector<ContourPoint> points;
    const Rect& b = mask.Bounds();
    for (int y = b.top - 1; y < b.bottom; ++y) {
        for (int x = b.left - 1; x < b.right; ++x) {
            const int px[4] = {x, x + 1, x, x + 1}, py[4] = {y, y, y + 1, y + 1};
            const int edges[4][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}};  // top, bottom, left, right
            double sumX = 0, sumY = 0;
            int n = 0;
            for (const auto& e : edges) {
                const double a = mask.At(px[e[0]], py[e[0]]), c = mask.At(px[e[1]], py[e[1]]);
                if ((a > 127.5) == (c > 127.5)) continue;
                const double t = (127.5 - a) / (c - a);
                sumX += px[e[0]] + t * (px[e[1]] - px[e[0]]);
                sumY += py[e[0]] + t * (py[e[1]] - py[e[0]]);
                ++n;
            }
            if (n > 0) points.push_back(ContourPoint{sumX / n, sumY / n});
        }
    }
    return points;
}

inline double Nearest(const std::vector<ContourPoint>& contour, int x, int y) {
    double best = INFINITY;
    for (const ContourPoint& p : contour) best = std::min(best, std::hypot(x - p.x, y - p.y));
    return best;
}

inline bool OnContour(const std::vector<ContourPoint>& contour, ContourPoint q) {
    return std::any_of(contour.begin(), contour.end(), [&](const ContourPoint& p) {
        return std::fabs(p.x - q.x) < 1e-9 && std::fabs(p.y - q.y) < 1e-9;
    });
}

// What a run handed to its hooks, in call order.
struct HookCall {
    enum Kind { kPixel, kFarInside, kFarOutside } kind;
    Point pixel;
    ContourPoint contour;
    double distance;
};
using HookLog = std::vector<HookCall>;

// Records the hooks of a DistanceTransform or a Precision_Bevel.
template <typename March>
class Recording : public March {
public:
    HookLog log;

protected:
    void ProcessPixel(Point p, ContourPoint c, double d) override { log.push_back({HookCall::kPixel, p, c, d}); }
    void ProcessFarInside(Point p) override { log.push_back({HookCall::kFarInside, p, {}, 0.0}); }
    void ProcessFarOutside(Point p) override { log.push_back({HookCall::kFarOutside, p, {}, 0.0}); }
};

inline void ExpectSameCalls(const HookLog& actual, const HookLog& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        const HookCall &a = actual[i], &e = expected[i];
        ASSERT_TRUE(a.kind == e.kind && a.pixel.x == e.pixel.x && a.pixel.y == e.pixel.y) << "call " << i;
        EXPECT_DOUBLE_EQ(a.distance, e.distance) << "call " << i;
        EXPECT_DOUBLE_EQ(a.contour.x, e.contour.x) << "call " << i;
        EXPECT_DOUBLE_EQ(a.contour.y, e.contour.y) << "call " << i;
    }
}

inline void ExpectEachOutputPixelOnce(const HookLog& log, const Rect& output) {
    std::map<std::pair<int, int>, int> counts;
    for (const HookCall& call : log) {
        EXPECT_TRUE(output.Contains(call.pixel)) << call.pixel.x << "," << call.pixel.y;
        ++counts[{call.pixel.x, call.pixel.y}];
    }
    EXPECT_EQ(counts.size(), static_cast<size_t>(output.Width()) * output.Height());
    EXPECT_EQ(log.size(), counts.size());
}

struct NeverAbort : Abort_Tester {
    bool IsAborted() override { return false; }
};

// Answers yes on its n-th question, and counts them all.
struct AbortOnCall : Abort_Tester {
    explicit AbortOnCall(int n) : abortAt(n) {}
    bool IsAborted() override { return ++asked >= abortAt; }
    int abortAt;
    int asked = 0;
};

struct ProgressLog : ProgressUpdateSink {
    std::vector<double> values;
    void Update(double v) override { values.push_back(v); }
};

enum class Measure { kBothSides, kInside, kOutside };

// The march read straight from its rules: Init's rectangles, seeding from the
// contour cells, bands of width 1 (report, spread, release), the far pixels.
inline HookLog NaiveMarch(const TestMask& mask, double maxDistance, const Rect& output, Measure measure) {
    const int r = static_cast<int>(std::ceil(maxDistance));
    Rect grown = output, copy, contour;
    grown.Inflate(r, r);
    copy = Rect::Intersect(grown, mask.Bounds());
    const Rect work = measure == Measure::kInside ? grown : Rect::Union(output, copy);
    copy.Inflate(1, 1);
    contour = work;
    if (measure != Measure::kOutside) contour.Inflate(1, 1);
    contour = Rect::Intersect(contour, copy);
    auto inside = [&](int x, int y) { return copy.Contains(Point{x, y}) && mask.Inside(x, y); };
    auto measured = [&](bool in) { return measure == Measure::kBothSides || in == (measure == Measure::kInside); };

    struct Record {
        bool inside;
        ContourPoint p;
        double d;
        int direction;
        bool processed;
    };
    using Key = std::pair<int, int>;
    std::map<Key, Record> records;
    std::set<Key> done;
    std::list<Key> active;  // head first
    // Unit steps by direction, clockwise from north with y growing downward.
    const int stepX[8] = {0, 1, 1, 1, 0, -1, -1, -1}, stepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    auto offer = [&](int x, int y, ContourPoint p, bool in, int direction) {
        const Key key{x, y};
        if (!work.Contains(Point{x, y}) || done.count(key)) return;
        const double d = std::sqrt((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y));
        if (d > maxDistance) return;
        auto found = records.find(key);
        if (found != records.end()) {
            if (d < found->second.d) found->second = Record{found->second.inside, p, d, direction, false};
        } else if (measured(inside(x, y))) {
            records[key] = Record{in, p, d, direction, false};
            active.push_front(key);
        }
    };

    // Seeding: cells row by row, one row and column early at the copy's own edge.
    const int firstX = contour.left == copy.left ? contour.left - 1 : contour.left;
    const int firstY = contour.top == copy.top ? contour.top - 1 : contour.top;
    for (int y = firstY; y < contour.bottom && !contour.IsEmpty(); ++y) {
        for (int x = firstX; x < contour.right; ++x) {
            TestMask cell(Rect(y, x, y + 2, x + 2), 0);
            for (int k = 0; k < 4; ++k)
                cell.Set(x + k % 2, y + k / 2,
                         copy.Contains(Point{x + k % 2, y + k / 2}) ? mask.At(x + k % 2, y + k / 2) : 0);
            // The cell's own point; those of the cells around it lie outside its square.
            std::vector<ContourPoint> points = BruteForceContour(cell);
            points.erase(
                std::remove_if(points.begin(), points.end(),
                               [&](const ContourPoint& p) { return p.x < x || p.x > x + 1 || p.y < y || p.y > y + 1; }),
                points.end());
            if (points.empty()) continue;
            const int cornerDirection[4] = {7, 1, 5, 3};
            for (int k = 0; k < 4; ++k) {
                const bool in = cell.Inside(x + k % 2, y + k / 2);
                if (measured(in)) offer(x + k % 2, y + k / 2, points[0], in, cornerDirection[k]);
            }
        }
    }

    HookLog log;
    for (double limit = 1.0; !active.empty(); limit += 1.0) {
        for (const Key& key : active) {
            Record& rec = records[key];
            if (!(rec.d < limit)) continue;
            const double d = (measure == Measure::kBothSides && rec.inside) ? -rec.d : rec.d;
            if (output.Contains(Point{key.first, key.second}))
                log.push_back({HookCall::kPixel, {key.first, key.second}, rec.p, d});
            done.insert(key);
            rec.processed = true;
        }
        for (const Key& key : std::list<Key>(active)) {
            const Record rec = records[key];
            if (!rec.processed) continue;
            // Ahead and the two directions beside it, in ascending direction number.
            int spread[3] = {(rec.direction + 7) % 8, rec.direction, (rec.direction + 1) % 8};
            std::sort(spread, spread + 3);
            for (int dir : spread) offer(key.first + stepX[dir], key.second + stepY[dir], rec.p, rec.inside, dir);
        }
        active.remove_if([&](const Key& key) { return records[key].processed; });
    }
    for (int y = output.top; y < output.bottom; ++y) {
        for (int x = output.left; x < output.right; ++x) {
            if (!done.count({x, y}))
                log.push_back({inside(x, y) ? HookCall::kFarInside : HookCall::kFarOutside, {x, y}, {}, 0.0});
        }
    }
    return log;
}

}  // namespace distance_reference
