// Slow, obvious references for the distance tests: test masks, the 127.5
// contour found by brute force, and a naive march built on std::map and
// std::list that follows the marching rules step by step.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <list>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "image/ContourIterator.h"
#include "image/Image.h"
#include "image/Progress.h"
#include "image/Rect.h"

namespace distance_reference {

struct TestMask {
    Rect bounds;
    std::vector<unsigned char> values;
    SingleChannelImage<unsigned char> image;

    TestMask(const Rect& r, unsigned char fill)
        : bounds(r), values(static_cast<size_t>(r.Width()) * r.Height(), fill), image(r, values.data(), 0) {}
    TestMask(const TestMask&) = delete;

    // 0 beyond the bounds.
    int At(int x, int y) const {
        if (!bounds.Contains(Point{x, y})) return 0;
        return values[static_cast<size_t>(y - bounds.top) * bounds.Width() + (x - bounds.left)];
    }
    void Set(int x, int y, unsigned char v) {
        values[static_cast<size_t>(y - bounds.top) * bounds.Width() + (x - bounds.left)] = v;
    }
    bool Inside(int x, int y) const { return At(x, y) >= 128; }
};

// Soft-edged discs, random specks or random grey: irregular on purpose.
enum class MaskKind { kBlobs, kSpecks, kNoise };

inline void FillIrregular(TestMask& mask, MaskKind kind, unsigned seed) {
    std::mt19937 random(seed);
    const Rect& b = mask.bounds;
    std::vector<double> cx, cy, radius;
    for (int i = 0; i < 4; ++i) {
        cx.push_back(b.left + static_cast<double>(random() % b.Width()));
        cy.push_back(b.top + static_cast<double>(random() % b.Height()));
        radius.push_back(2.0 + random() % 8);
    }
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
            int v = 0;
            if (kind == MaskKind::kBlobs) {
                double reach = -1e9;
                for (size_t i = 0; i < cx.size(); ++i) reach = std::max(reach, radius[i] - std::hypot(x - cx[i], y - cy[i]));
                v = static_cast<int>(std::clamp(127.5 + 90.0 * reach, 0.0, 255.0));
            } else if (kind == MaskKind::kSpecks) {
                v = random() % 100 < 30 ? 255 : 0;
            } else {
                v = static_cast<int>(random() % 256);
            }
            mask.Set(x, y, static_cast<unsigned char>(v));
        }
    }
}

// Every contour point of the mask: for each 2x2 cell (anywhere the mask can
// reach, corners beyond it reading 0) whose corners lie on both sides of
// 127.5, the mean of the level crossings along its differing edges.
inline std::vector<ContourPoint> BruteForceContour(const TestMask& mask) {
    std::vector<ContourPoint> points;
    const Rect& b = mask.bounds;
    for (int y = b.top - 1; y < b.bottom; ++y) {
        for (int x = b.left - 1; x < b.right; ++x) {
            const int px[4] = {x, x + 1, x, x + 1};
            const int py[4] = {y, y, y + 1, y + 1};
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
    return std::any_of(contour.begin(), contour.end(),
                       [&](const ContourPoint& p) { return std::fabs(p.x - q.x) < 1e-9 && std::fabs(p.y - q.y) < 1e-9; });
}

// What a run handed to its hooks, in call order.
struct HookCall {
    enum Kind { kPixel, kFarInside, kFarOutside } kind;
    Point pixel;
    ContourPoint contour;
    double distance;
};

struct HookLog {
    std::vector<HookCall> calls;
    void Pixel(Point p, ContourPoint c, double d) { calls.push_back({HookCall::kPixel, p, c, d}); }
    void Far(Point p, bool inside) {
        calls.push_back({inside ? HookCall::kFarInside : HookCall::kFarOutside, p, {}, 0.0});
    }
    std::map<std::pair<int, int>, int> CountsPerPixel() const {
        std::map<std::pair<int, int>, int> counts;
        for (const HookCall& c : calls) ++counts[{c.pixel.x, c.pixel.y}];
        return counts;
    }
};

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

// The march, read straight from its rules: Init's rectangles, seeding from
// the contour cells, bands of width 1 (report, spread, release), then the far
// pixels. Returns the hook calls it would make.
inline HookLog NaiveMarch(const TestMask& mask, double maxDistance, const Rect& output, Measure measure) {
    const int r = static_cast<int>(std::ceil(maxDistance));
    Rect grown = output;
    grown.Inflate(r, r);
    const Rect grownInMask = Rect::Intersect(grown, mask.bounds);
    Rect copy = grownInMask;
    copy.Inflate(1, 1);
    const Rect work = measure == Measure::kInside ? grown : Rect::Union(output, grownInMask);
    Rect contour = work;
    if (measure != Measure::kOutside) contour.Inflate(1, 1);
    contour = Rect::Intersect(contour, copy);
    auto copyAt = [&](int x, int y) { return copy.Contains(Point{x, y}) ? mask.At(x, y) : 0; };

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
    const int stepX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    const int stepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

    auto offer = [&](int x, int y, ContourPoint p, bool inside, int direction) {
        const Key key{x, y};
        if (!work.Contains(Point{x, y}) || done.count(key)) return;
        const double d = std::sqrt((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y));
        if (d > maxDistance) return;
        auto found = records.find(key);
        if (found != records.end()) {
            if (d < found->second.d) found->second = Record{found->second.inside, p, d, direction, false};
            return;
        }
        const bool pixelInside = copyAt(x, y) >= 128;
        if (measure == Measure::kInside && !pixelInside) return;
        if (measure == Measure::kOutside && pixelInside) return;
        records[key] = Record{inside, p, d, direction, false};
        active.push_front(key);
    };

    // Seeding: cells row by row; one row and column earlier at the copy's own edge.
    const int firstX = contour.left == copy.left ? contour.left - 1 : contour.left;
    const int firstY = contour.top == copy.top ? contour.top - 1 : contour.top;
    if (!contour.IsEmpty()) {
        for (int y = firstY; y < contour.bottom; ++y) {
            for (int x = firstX; x < contour.right; ++x) {
                const int cornerX[4] = {x, x + 1, x, x + 1};
                const int cornerY[4] = {y, y, y + 1, y + 1};
                const int cornerDirection[4] = {7, 1, 5, 3};
                int insideCount = 0;
                for (int k = 0; k < 4; ++k) insideCount += copyAt(cornerX[k], cornerY[k]) >= 128;
                if (insideCount == 0 || insideCount == 4) continue;
                // The contour point: same cell, brute force over the mask copy.
                TestMask cell(Rect(y, x, y + 2, x + 2), 0);
                for (int k = 0; k < 4; ++k) cell.Set(cornerX[k], cornerY[k], static_cast<unsigned char>(copyAt(cornerX[k], cornerY[k])));
                std::vector<ContourPoint> inCell;
                for (const ContourPoint& p : BruteForceContour(cell)) {
                    if (p.x >= x && p.x <= x + 1 && p.y >= y && p.y <= y + 1) inCell.push_back(p);
                }
                for (int k = 0; k < 4; ++k) {
                    const bool inside = copyAt(cornerX[k], cornerY[k]) >= 128;
                    if ((measure == Measure::kInside && !inside) || (measure == Measure::kOutside && inside)) continue;
                    offer(cornerX[k], cornerY[k], inCell.at(0), inside, cornerDirection[k]);
                }
            }
        }
    }

    HookLog log;
    for (double limit = 1.0; !active.empty(); limit += 1.0) {
        for (const Key& key : active) {
            Record& rec = records[key];
            if (!(rec.d < limit)) continue;
            const double d = (measure == Measure::kBothSides && rec.inside) ? -rec.d : rec.d;
            if (output.Contains(Point{key.first, key.second})) log.Pixel(Point{key.first, key.second}, rec.p, d);
            done.insert(key);
            rec.processed = true;
        }
        const std::list<Key> before = active;
        for (const Key& key : before) {
            const Record rec = records[key];
            if (!rec.processed) continue;
            // Ahead and the two directions beside it, in ascending direction number.
            std::vector<int> spread = {(rec.direction + 7) % 8, rec.direction, (rec.direction + 1) % 8};
            std::sort(spread.begin(), spread.end());
            for (int dir : spread) offer(key.first + stepX[dir], key.second + stepY[dir], rec.p, rec.inside, dir);
        }
        for (auto it = active.begin(); it != active.end();) {
            if (records[*it].processed) {
                records.erase(*it);
                it = active.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (int y = output.top; y < output.bottom; ++y) {
        for (int x = output.left; x < output.right; ++x) {
            if (!done.count({x, y})) log.Far(Point{x, y}, copyAt(x, y) > 127.5);
        }
    }
    return log;
}

}  // namespace distance_reference
