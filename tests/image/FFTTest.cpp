#include "image/FFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Complex = std::complex<double>;
const double kPi = std::acos(-1.0);

// The definition, term by term, with the angle reduced exactly first.
std::vector<Complex> NaiveDft(const std::vector<Complex>& x, double sign) {
    const std::size_t n = x.size();
    std::vector<Complex> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        Complex sum;
        for (std::size_t j = 0; j < n; ++j) {
            const double angle = sign * 2.0 * kPi * static_cast<double>((j * k) % n) / static_cast<double>(n);
            sum += x[j] * Complex(std::cos(angle), std::sin(angle));
        }
        out[k] = sum;
    }
    return out;
}

std::vector<Complex> RandomSequence(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<Complex> x(n);
    for (Complex& c : x) c = Complex(value(random), value(random));
    return x;
}

double LargestDifference(const std::vector<Complex>& a, const std::vector<Complex>& b) {
    double largest = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

// Powers of 2, 3 and 5 and their mixes; small primes for the general
// butterfly (7, 11, 13, 59, 61); primes and composites above 61 that take
// the chirp route (67, 97, 134 = 2 * 67, 1009).
const std::size_t kLengths[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,   13,   15,
                                16,  25,  27,  30,  32,  45,  49,  59,  60,  61,  64,  67,   77,   97,
                                120, 125, 128, 134, 143, 240, 243, 256, 360, 625, 720, 1000, 1009, 1024};

TEST(FFTTest, ForwardAndInverseMatchTheDefinition) {
    for (std::size_t n : kLengths) {
        SCOPED_TRACE(n);
        const std::vector<Complex> x = RandomSequence(n, static_cast<unsigned>(n));
        const double tolerance = 1e-12 * static_cast<double>(n) * std::log2(static_cast<double>(n) + 1.0) + 1e-12;
        FFT fft(n);
        ASSERT_EQ(fft.Length(), n);

        std::vector<Complex> forward = x;
        fft.Forward(forward.data());
        EXPECT_LT(LargestDifference(forward, NaiveDft(x, -1.0)), tolerance);

        std::vector<Complex> inverse = x;
        fft.Inverse(inverse.data());
        EXPECT_LT(LargestDifference(inverse, NaiveDft(x, +1.0)), tolerance);
    }
}

TEST(FFTTest, PlanServesManySequencesAndRoundTrips) {
    // The plan keeps scratch space between calls; stale contents must not
    // leak into the next sequence.
    for (std::size_t n : {12u, 97u, 360u}) {
        SCOPED_TRACE(n);
        FFT fft(n);
        for (unsigned seed = 1; seed <= 3; ++seed) {
            const std::vector<Complex> x = RandomSequence(n, seed * 1000 + static_cast<unsigned>(n));
            std::vector<Complex> y = x;
            fft.Forward(y.data());
            fft.Inverse(y.data());
            for (Complex& c : y) c /= static_cast<double>(n);
            EXPECT_LT(LargestDifference(x, y), 1e-12);
        }
    }
}

TEST(FFTTest, GoodLengthIsTheNextNumberWithFactorsTwoThreeFive) {
    auto smooth = [](std::size_t m) {
        for (std::size_t p : {2u, 3u, 5u}) {
            while (m % p == 0) m /= p;
        }
        return m == 1;
    };
    for (std::size_t minimum = 1; minimum <= 3000; ++minimum) {
        std::size_t expected = minimum;
        while (!smooth(expected)) ++expected;
        ASSERT_EQ(FFT::GoodLength(minimum), expected) << minimum;
    }
    EXPECT_EQ(FFT::GoodLength(0), 1u);
}

}  // namespace
