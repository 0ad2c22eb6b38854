#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "image/FBMField.h"
#include "image/Image.h"
#include "image/NoiseField.h"
#include "image/SymmetricTurbulenceField.h"
#include "image/VariableProbabilityField.h"

namespace {

// ---- A naive reference, written from the field definitions alone ----------

int64_t PositiveModulo(int64_t value, int64_t divisor) { return ((value % divisor) + divisor) % divisor; }

class PlainLehmer {
public:
    explicit PlainLehmer(int64_t seed) : state_(seed < 1 ? 1 : (seed > 2147483646 ? 2147483646 : seed)) {}
    int64_t Below(int64_t n) {
        state_ = state_ * 16807 % 2147483647;
        return state_ % n;
    }

private:
    int64_t state_;
};

struct RefLattice {
    std::vector<int64_t> p = std::vector<int64_t>(4096);
    std::vector<int64_t> q = std::vector<int64_t>(4096);

    RefLattice(int64_t seed, int64_t range) {
        for (int64_t k = 0; k < 4096; ++k) {
            p[static_cast<size_t>(k)] = k;
            q[static_cast<size_t>(k)] = k % range;
        }
        PlainLehmer random(seed);
        for (size_t i = 0; i < 4096; ++i) {
            const auto j = static_cast<size_t>(random.Below(4096));
            std::swap(p[i], p[j]);
            std::swap(q[i], q[j]);
        }
    }
    int64_t Hash(int64_t ix, int64_t iy) const {
        const int64_t row = p[static_cast<size_t>(PositiveModulo(ix, 4096))];
        return q[static_cast<size_t>(row ^ PositiveModulo(iy, 4096))];
    }
};

struct RefSetup {
    double scaleX, scaleY, amplitude;
    int32_t seed;
    double reduction;
    bool tileable;
    int32_t width, height;
};

enum class Kind { Noise, FBM, SymmetricTurbulence };

class RefField {
public:
    explicit RefField(const RefSetup& s, Kind kind) : s_(s), kind_(kind), lattice_(s.seed, 256) {
        const double a = s.amplitude;
        for (int i = 0; i < 258; ++i) v_.push_back(1.2 * (-a + 2.0 * a * i / 257.0));
        PlainLehmer random(s.seed);
        for (size_t i = 0; i < 258; ++i) std::swap(v_[i], v_[static_cast<size_t>(random.Below(258))]);

        double sx = s.scaleX, sy = s.scaleY;
        if (s.tileable) {
            periodX_ = std::max<int64_t>(1, static_cast<int64_t>(std::trunc(s.width / sx + 0.5)));
            periodY_ = std::max<int64_t>(1, static_cast<int64_t>(std::trunc(s.height / sy + 0.5)));
            sx = static_cast<double>(s.width) / static_cast<double>(periodX_);
            sy = static_cast<double>(s.height) / static_cast<double>(periodY_);
        }
        sx = sx / s.reduction;
        sy = sy / s.reduction;
        fx_ = 1.0 / sx;
        fy_ = 1.0 / sy;

        // Octave weights, step by step as the set-up describes them.
        double w[5] = {1.0, 0.5, 0.25, 0.125, 0.0625};
        const double total = w[0] + w[1] + w[2] + w[3] + w[4];
        for (double& x : w) x = x / total;
        const double kept = w[0] + w[1] + w[2] + w[3] + w[4];
        for (double& x : w) x = x / kept * 1.33;
        if (kind == Kind::SymmetricTurbulence) {
            for (double& x : w) x = x * 1.13;
        }
        weights_.assign(w, w + 5);
    }

    double Gradient(double x, double y, int64_t px, int64_t py) const {
        const double flx = std::floor(x), fly = std::floor(y);
        const double tx = x - flx, ty = y - fly;
        const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
        auto corner = [&](int64_t cx, int64_t cy) {
            const int64_t hx = s_.tileable ? PositiveModulo(cx, px) : cx;
            const int64_t hy = s_.tileable ? PositiveModulo(cy, py) : cy;
            const auto k = static_cast<size_t>(lattice_.Hash(hx, hy));
            return 0.5 * v_[k] + (x - static_cast<double>(cx)) * v_[k + 1] + (y - static_cast<double>(cy)) * v_[k + 2];
        };
        const auto ix = static_cast<int64_t>(flx), iy = static_cast<int64_t>(fly);
        return (1 - sx) * (1 - sy) * corner(ix, iy) + sx * (1 - sy) * corner(ix + 1, iy) +
               (1 - sx) * sy * corner(ix, iy + 1) + sx * sy * corner(ix + 1, iy + 1);
    }

    double Clamp(double value) const {
        const double a = s_.amplitude;
        if (value < -a || value > a) ++clampCount;
        return value < -a ? -a : (value > a ? a : value);
    }

    double Value(double px, double py) const {
        double x = px * fx_, y = py * fy_;
        if (kind_ == Kind::Noise) return Clamp(Gradient(x, y, periodX_, periodY_));
        const double offsets[5][2] = {{0, 0}, {23.1, 32.3}, {57.5, 69.2}, {117.4, 138.6}, {202.2, 277.7}};
        int64_t periodX = periodX_, periodY = periodY_;
        double sum = 0;
        for (size_t i = 0; i < 5; ++i) {
            const double g = Gradient(x + offsets[i][0], y + offsets[i][1], periodX, periodY);
            sum += weights_[i] * (kind_ == Kind::FBM ? g : std::fabs(g));
            x *= 2;
            y *= 2;
            periodX *= 2;
            periodY *= 2;
        }
        if (kind_ == Kind::FBM) return Clamp(sum);
        return 2 * Clamp(sum - 0.03 * s_.amplitude) - s_.amplitude;
    }

    double GradientValue(int64_t k) const { return v_[static_cast<size_t>(k)]; }
    const RefLattice& Lattice() const { return lattice_; }

    mutable int clampCount = 0;

private:
    RefSetup s_;
    Kind kind_;
    RefLattice lattice_;
    std::vector<double> v_;
    std::vector<double> weights_;
    int64_t periodX_ = 1, periodY_ = 1;
    double fx_ = 0, fy_ = 0;
};

template <typename Field>
ResultCode InitField(Field& field, const RefSetup& s) {
    return field.Init(s.scaleX, s.scaleY, s.amplitude, s.seed, s.reduction, s.tileable, s.width, s.height);
}

// Pixels and real points on both sides of 0, through the base class's slots.
void ExpectMatchesReference(const NoiseField& field, const RefField& ref, const char* what) {
    for (int32_t y = -45; y <= 45; y += 3) {
        for (int32_t x = -61; x <= 61; x += 4) {
            ASSERT_EQ(field.ValueAtPixel(x, y), ref.Value(x, y)) << what << " pixel " << x << "," << y;
        }
    }
    for (double y = -30.3; y < 30.0; y += 2.71) {
        for (double x = -40.7; x < 40.0; x += 1.37) {
            ASSERT_EQ(field.ValueAtPoint(x, y), ref.Value(x, y)) << what << " point " << x << "," << y;
        }
    }
}

const RefSetup kSetups[] = {
    {10.0, 10.0, 0.5, 1, 1.0, false, 0, 0},   {3.7, 12.5, 2.0, 837, 2.5, false, 0, 0},
    {80.0, 0.8, 0.5, 9999, 1.0, false, 0, 0}, {9.0, 7.0, 1.0, 42, 1.0, true, 100, 60},
    {16.0, 40.0, 0.5, 3, 2.0, true, 64, 30},
};

// ---- Tests ------------------------------------------------------------------

TEST(NoiseFieldTest, AllFieldsMatchTheNaiveReferenceAndStayInRange) {
    int clamped = 0;
    for (const RefSetup& s : kSetups) {
        NoiseField noise;
        FBMField fbm;
        SymmetricTurbulenceField turbulence;
        ASSERT_TRUE(InitField(noise, s).IsSuccess());
        ASSERT_TRUE(InitField(fbm, s).IsSuccess());
        ASSERT_TRUE(InitField(turbulence, s).IsSuccess());
        const RefField refNoise(s, Kind::Noise), refFbm(s, Kind::FBM), refTurbulence(s, Kind::SymmetricTurbulence);
        ExpectMatchesReference(noise, refNoise, "noise");
        ExpectMatchesReference(fbm, refFbm, "fbm");
        ExpectMatchesReference(turbulence, refTurbulence, "symmetric turbulence");
        clamped += refNoise.clampCount + refFbm.clampCount + refTurbulence.clampCount;

        const double a = s.amplitude;
        for (int32_t y = -200; y < 200; y += 7) {
            for (int32_t x = -200; x < 200; x += 3) {
                ASSERT_LE(std::fabs(noise.ValueAtPixel(x, y)), a);
                ASSERT_LE(std::fabs(fbm.ValueAtPixel(x, y)), a);
                ASSERT_GE(turbulence.ValueAtPixel(x, y), -3 * a);
                ASSERT_LE(turbulence.ValueAtPixel(x, y), a);
            }
        }
    }
    EXPECT_GT(clamped, 0) << "the samples should exercise the clamp";
}

TEST(NoiseFieldTest, LatticePointsCarryHalfTheirGradientValue) {
    const RefSetup s{1.0, 1.0, 0.8, 5, 1.0, false, 0, 0};
    NoiseField field;
    ASSERT_TRUE(InitField(field, s).IsSuccess());
    const RefField ref(s, Kind::Noise);
    bool anyNonZero = false;
    for (int32_t y : {-4097, -4096, -1, 0, 1, 7, 4095, 4096}) {
        for (int32_t x = -20; x <= 20; ++x) {
            const double expected = 0.5 * ref.GradientValue(ref.Lattice().Hash(x, y));
            EXPECT_EQ(field.ValueAtPixel(x, y), expected) << x << "," << y;
            anyNonZero = anyNonZero || expected != 0.0;
        }
    }
    EXPECT_TRUE(anyNonZero);
    // Untiled fields repeat after 4096 lattice units.
    for (int32_t x = -9; x < 9; ++x) EXPECT_EQ(field.ValueAtPixel(x + 4096, x - 8192), field.ValueAtPixel(x, x));
}

TEST(NoiseFieldTest, SeedsDecideTheField) {
    const RefSetup a{12.0, 12.0, 0.5, 77, 1.0, false, 0, 0};
    RefSetup b = a, zero = a, one = a;
    b.seed = 78;
    zero.seed = 0;
    one.seed = 1;
    FBMField first, second, other, fromZero, fromOne;
    const std::pair<FBMField*, const RefSetup*> fields[] = {
        {&first, &a}, {&second, &a}, {&other, &b}, {&fromZero, &zero}, {&fromOne, &one}};
    for (const auto& [field, setup] : fields) ASSERT_TRUE(InitField(*field, *setup).IsSuccess());
    int differing = 0, samples = 0;
    for (int32_t y = -50; y < 50; y += 7) {
        for (int32_t x = -50; x < 50; x += 5, ++samples) {
            EXPECT_EQ(first.ValueAtPixel(x, y), second.ValueAtPixel(x, y));
            EXPECT_EQ(fromZero.ValueAtPixel(x, y), fromOne.ValueAtPixel(x, y));
            differing += first.ValueAtPixel(x, y) != other.ValueAtPixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(differing, samples * 9 / 10);
}

TEST(NoiseFieldTest, ZeroAmplitudeGivesZeroEverywhere) {
    NoiseField noise;
    FBMField fbm;
    SymmetricTurbulenceField turbulence;
    ASSERT_TRUE(noise.Init(5.0, 5.0, 0.0, 3, 1.0, false, 0, 0).IsSuccess());
    ASSERT_TRUE(fbm.Init(5.0, 5.0, 0.0, 3, 1.0, false, 0, 0).IsSuccess());
    ASSERT_TRUE(turbulence.Init(5.0, 5.0, 0.0, 3, 1.0, true, 50, 50).IsSuccess());
    for (double y = -9.5; y < 10; y += 1.3) {
        for (double x = -9.5; x < 10; x += 0.7) {
            EXPECT_EQ(noise.ValueAtPoint(x, y), 0.0);
            EXPECT_EQ(fbm.ValueAtPoint(x, y), 0.0);
            EXPECT_EQ(turbulence.ValueAtPoint(x, y), 0.0);
        }
    }
}

// Crossing every lattice line between -3 and 3, including 0, changes the value
// only by the slope times the step: no seam where the coordinates change sign.
TEST(NoiseFieldTest, NoSeamAcrossLatticeLinesAndZero) {
    const double scale = 8.0, step = 1e-7;
    NoiseField noise;
    FBMField fbm;
    SymmetricTurbulenceField turbulence;
    ASSERT_TRUE(noise.Init(scale, scale, 0.5, 21, 1.0, false, 0, 0).IsSuccess());
    ASSERT_TRUE(fbm.Init(scale, scale, 0.5, 21, 1.0, false, 0, 0).IsSuccess());
    ASSERT_TRUE(turbulence.Init(scale, scale, 0.5, 21, 1.0, false, 0, 0).IsSuccess());
    for (const NoiseField* field : {&noise, static_cast<NoiseField*>(&fbm), static_cast<NoiseField*>(&turbulence)}) {
        for (int line = -3; line <= 3; ++line) {
            const double edge = line * scale;
            for (double along = -20.5; along < 20; along += 1.9) {
                EXPECT_NEAR(field->ValueAtPoint(edge - step, along), field->ValueAtPoint(edge + step, along), 1e-5);
                EXPECT_NEAR(field->ValueAtPoint(along, edge - step), field->ValueAtPoint(along, edge + step), 1e-5);
            }
        }
    }
}

TEST(NoiseFieldTest, TilesHoldWholeFeaturesAndRepeat) {
    NoiseField noise;
    // 100 / 30 + 0.5 = 3.83 -> 3 features of 33.3; 60 / 28 + 0.5 = 2.64 -> 2 of 30;
    // both then halved by the reduction factor 2, so the tile is 50 x 30 rendered pixels.
    ASSERT_TRUE(noise.Init(30.0, 28.0, 0.5, 4, 2.0, true, 100, 60).IsSuccess());
    EXPECT_EQ(noise.PeriodX(), 3);
    EXPECT_EQ(noise.PeriodY(), 2);
    EXPECT_DOUBLE_EQ(noise.ScaleX(), 100.0 / 3.0 / 2.0);
    EXPECT_DOUBLE_EQ(noise.ScaleY(), 15.0);
    FBMField fbm;
    SymmetricTurbulenceField turbulence;
    ASSERT_TRUE(fbm.Init(16.0, 16.0, 0.5, 6, 1.0, true, 64, 48).IsSuccess());
    ASSERT_TRUE(turbulence.Init(16.0, 16.0, 0.5, 6, 1.0, true, 64, 48).IsSuccess());
    for (int32_t y = -20; y < 20; y += 3) {
        for (int32_t x = -20; x < 20; x += 3) {
            EXPECT_NEAR(noise.ValueAtPixel(x + 50, y - 30), noise.ValueAtPixel(x, y), 1e-12);
            EXPECT_NEAR(fbm.ValueAtPixel(x + 64, y - 48), fbm.ValueAtPixel(x, y), 1e-12);
            EXPECT_NEAR(turbulence.ValueAtPixel(x - 128, y + 96), turbulence.ValueAtPixel(x, y), 1e-12);
        }
    }
}

// A tile narrower than half a feature holds one: every corner hashes alike,
// and the blend collapses to 0.5 V[k] + (fx - sx) V[k+1] + (fy - sy) V[k+2].
TEST(NoiseFieldTest, PeriodOneHashesEveryCornerAlike) {
    const RefSetup s{32.0, 40.0, 1.0, 17, 1.0, true, 8, 16};
    NoiseField field;
    ASSERT_TRUE(InitField(field, s).IsSuccess());
    ASSERT_EQ(field.PeriodX(), 1);
    ASSERT_EQ(field.PeriodY(), 1);
    const RefField ref(s, Kind::Noise);
    const auto k = ref.Lattice().Hash(0, 0);
    const double v0 = ref.GradientValue(k), v1 = ref.GradientValue(k + 1), v2 = ref.GradientValue(k + 2);
    for (int32_t py = -20; py < 20; py += 3) {
        for (int32_t px = -20; px < 20; ++px) {
            const double fx = px / 8.0 - std::floor(px / 8.0), fy = py / 16.0 - std::floor(py / 16.0);
            const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
            EXPECT_NEAR(field.ValueAtPixel(px, py), 0.5 * v0 + (fx - sx) * v1 + (fy - sy) * v2, 1e-12);
        }
    }
}

TEST(NoiseFieldTest, OctaveWeightsAndReinitialisation) {
    SymmetricTurbulenceField reused, fresh;
    FBMField fbm;
    ASSERT_TRUE(reused.Init(3.0, 3.0, 2.0, 500, 1.0, true, 30, 30).IsSuccess());
    ASSERT_TRUE(reused.Init(7.0, 5.0, 0.5, 12, 1.5, false, 0, 0).IsSuccess());
    ASSERT_TRUE(fresh.Init(7.0, 5.0, 0.5, 12, 1.5, false, 0, 0).IsSuccess());
    ASSERT_TRUE(fbm.Init(7.0, 5.0, 0.5, 12, 1.5, false, 0, 0).IsSuccess());
    for (int32_t x = -40; x < 40; x += 3) EXPECT_EQ(reused.ValueAtPixel(x, 40 - x), fresh.ValueAtPixel(x, 40 - x));

    ASSERT_EQ(fbm.OctaveCount(), 5);
    ASSERT_EQ(reused.OctaveCount(), 5);
    const double shares[5] = {16, 8, 4, 2, 1};
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(fbm.OctaveWeight(i), 1.33 * shares[i] / 31, 1e-15);
        EXPECT_NEAR(reused.OctaveWeight(i), 1.33 * 1.13 * shares[i] / 31, 1e-15);
    }
}

TEST(NoiseFieldTest, ArgumentsThatDefineNoFieldAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const RefSetup bad[] = {
        {0.0, 5.0, 0.5, 1, 1.0, false, 0, 0}, {5.0, -1.0, 0.5, 1, 1.0, false, 0, 0},
        {nan, 5.0, 0.5, 1, 1.0, false, 0, 0}, {5.0, inf, 0.5, 1, 1.0, false, 0, 0},
        {5.0, 5.0, nan, 1, 1.0, false, 0, 0}, {5.0, 5.0, 0.5, 1, 0.0, false, 0, 0},
        {5.0, 5.0, 0.5, 1, 1.0, true, 0, 40}, {5.0, 5.0, 0.5, 1, 1.0, true, 40, -3},
    };
    for (const RefSetup& s : bad) {
        NoiseField noise;
        SymmetricTurbulenceField turbulence;
        EXPECT_EQ(InitField(noise, s).status, ResultCode::kFailure);
        EXPECT_EQ(InitField(turbulence, s).status, ResultCode::kFailure);
        EXPECT_EQ(turbulence.OctaveCount(), 0) << "set-up must stop at the first failure";
    }
    // Far positions (NaN, beyond the int64 range) read 0 instead of overflowing.
    NoiseField tiny;
    ASSERT_TRUE(tiny.Init(1e-300, 1e-300, 0.5, 2, 1.0, false, 0, 0).IsSuccess());
    EXPECT_EQ(tiny.ValueAtPixel(std::numeric_limits<int32_t>::max(), 3), 0.0);
    EXPECT_EQ(tiny.ValueAtPoint(nan, 1.0), 0.0);
}

// ---- VariableProbabilityField ----------------------------------------------

TEST(VariableProbabilityFieldTest, ThresholdsAndDecisionsMatchTheNaiveReference) {
    const RefLattice lattice(2024, 4096);
    const Rect bounds(-3, -5, 7, 15);  // top, left, bottom, right
    ResultCode result;
    SingleChannelImage<double> density(bounds, result);
    ASSERT_TRUE(result.IsSuccess());
    auto densityAt = [](int32_t x, int32_t y) { return ((x * 37 + y * 91) % 101 + 101) % 101 / 100.0; };
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
        for (int32_t x = bounds.left; x < bounds.right; ++x) *density.PixelAddress(Point{x, y}) = densityAt(x, y);
    }
    VariableProbabilityField field;
    ASSERT_TRUE(field.Init(2024, &density, 0.4).IsSuccess());
    for (int32_t y = -10; y < 12; ++y) {
        for (int32_t x = -12; x < 22; ++x) {
            const double threshold = static_cast<double>(lattice.Hash(x, y)) / 4095.0;
            const bool inside = x >= -5 && x < 15 && y >= -3 && y < 7;
            ASSERT_EQ(field.Threshold(x, y), threshold) << x << "," << y;
            ASSERT_EQ(field.IsSetAt(x, y), (inside ? densityAt(x, y) : 0.4) >= threshold) << x << "," << y;
        }
    }
}

// Along 4096 consecutive pixels of a row the hash takes every value once, so
// the thresholds are exactly 0, 1/4095, ..., 1 in some order.
TEST(VariableProbabilityFieldTest, DensityIsTheShareOfPointsSet) {
    VariableProbabilityField field;
    ASSERT_TRUE(field.Init(7, nullptr, 0.0).IsSuccess());
    // k / 4095 <= d: d = 0 -> k = 0 only; 0.25 -> k <= 1023; 1 -> all.
    for (const auto& [density, expectedSet] : {std::pair{0.0, 1}, {0.25, 1024}, {1.0, 4096}}) {
        field.SetDensityImage(nullptr, density);
        for (int32_t y : {-1, 0, 5000}) {
            int set = 0;
            for (int32_t x = -2000; x < 2096; ++x) set += field.IsSetAt(x, y) ? 1 : 0;
            EXPECT_EQ(set, expectedSet) << "density " << density << " row " << y;
        }
    }
}

}  // namespace
