#include "image/RandomGenerator.h"

void RandomGenerator::Seed(int32_t seed) {
    if (seed < kMinSeed) {
        state_ = kMinSeed;
        return;
    }
    state_ = seed > kMaxSeed ? kMaxSeed : seed;
}

int32_t RandomGenerator::NextBelow(int32_t n) {
    if (n <= 0) return 0;
    return Next() % n;
}

int32_t RandomGenerator::NextInRange(int32_t low, int32_t high) {
    // The span of two int32 bounds can exceed int32.
    const int64_t span = static_cast<int64_t>(high) - static_cast<int64_t>(low);
    if (span <= 0) return low;
    return static_cast<int32_t>(static_cast<int64_t>(low) + static_cast<int64_t>(Next()) % span);
}

Point RandomGenerator::NextPointBelow(int32_t width, int32_t height) {
    Point p;
    p.x = NextBelow(width);
    p.y = NextBelow(height);
    return p;
}

RandomGenerator::RealPoint RandomGenerator::NextRealPoint(double width, double height) {
    RealPoint p;
    p.x = NextUnit() * width;
    p.y = NextUnit() * height;
    return p;
}
