// The one random generator of the system: the multiplicative congruential
// generator x' = 16807 x mod (2^31 - 1), computed without overflow by Schrage's
// decomposition. Every random choice (noise lattices, stamp placement, the
// seed button) goes through it, so equal seeds give equal pictures everywhere.
#pragma once

#include <cstdint>

#include "base/Rect.h"

class RandomGenerator {
public:
    static constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
    static constexpr int32_t kMultiplier = 16807;
    static constexpr int32_t kMinSeed = 1;
    static constexpr int32_t kMaxSeed = kModulus - 1;

    struct RealPoint {
        double x = 0.0;
        double y = 0.0;
    };

    explicit RandomGenerator(int32_t seed = kMinSeed) { Seed(seed); }

    // Restarts the sequence. The state must never be 0 (the sequence would
    // stay 0), so seeds below 1 act as 1 and the one int32 above the range as
    // 2147483646.
    void Seed(int32_t seed);

    // The state: the value that the last Next returned, or the clamped seed.
    int32_t State() const { return state_; }

    // Advances the sequence; the result lies in [1, 2147483646].
    int32_t Next() {
        constexpr int32_t kQuotient = 127773;  // kModulus / kMultiplier
        constexpr int32_t kRemainder = 2836;   // kModulus % kMultiplier
        const int32_t high = state_ / kQuotient;
        const int32_t low = state_ % kQuotient;
        const int32_t next = kMultiplier * low - kRemainder * high;
        state_ = next > 0 ? next : next + kModulus;
        return state_;
    }

    // Next() / 2147483647: uniform in the open interval (0, 1).
    double NextUnit() { return static_cast<double>(Next()) / static_cast<double>(kModulus); }

    // Next() mod n, in [0, n). With nothing to choose from (n <= 0) the result
    // is 0 and no value is drawn.
    int32_t NextBelow(int32_t n);

    // low + Next() mod (high - low): the half-open range [low, high). An empty
    // range (high <= low) gives low and draws nothing.
    int32_t NextInRange(int32_t low, int32_t high);

    // (NextBelow(width), NextBelow(height)), x drawn first.
    Point NextPointBelow(int32_t width, int32_t height);

    // (NextUnit() * width, NextUnit() * height), x drawn first.
    RealPoint NextRealPoint(double width, double height);

    // NextUnit() < probability: true with that probability. Always draws, so
    // the rest of the sequence does not depend on the probability.
    bool Chance(double probability) { return NextUnit() < probability; }

private:
    int32_t state_ = kMinSeed;
};
