#include "image/FFT.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Complex = FFT::Complex;

// Factors above this are not worth a general butterfly (its cost grows with
// the square of the factor); such lengths go through Bluestein instead.
constexpr std::size_t kLargestGeneralRadix = 61;
constexpr double kPi = 3.14159265358979323846;

// std::complex multiplication checks for infinities on every call; the
// transform never meets them, so multiply by hand.
inline Complex Mul(const Complex& a, const Complex& b) {
    return Complex(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}
// a * (-i)
inline Complex MulMinusI(const Complex& a) { return Complex(a.imag(), -a.real()); }

inline Complex UnitRoot(std::size_t numerator, std::size_t denominator) {
    const double angle = -2.0 * kPi * static_cast<double>(numerator) / static_cast<double>(denominator);
    return Complex(std::cos(angle), std::sin(angle));
}

std::vector<std::size_t> Factorise(std::size_t n) {
    std::vector<std::size_t> radices;
    while (n % 4 == 0) {
        radices.push_back(4);
        n /= 4;
    }
    for (std::size_t p = 2; p * p <= n; p += (p == 2 ? 1 : 2)) {
        while (n % p == 0) {
            radices.push_back(p);
            n /= p;
        }
    }
    if (n > 1) radices.push_back(n);
    return radices;
}

// One Stockham stage: sub-sequences of length p*m with stride s become p
// sub-sequences of length m with stride s*p, each multiplied by its twiddle.
struct StageArgs {
    const Complex* in;
    Complex* out;
    std::size_t m;
    std::size_t s;
    const Complex* twiddles;  // (radix - 1) per j
};

void Radix2(const StageArgs& a) {
    const std::size_t m = a.m, s = a.s;
    for (std::size_t j = 0; j < m; ++j) {
        const Complex w = a.twiddles[j];
        for (std::size_t q = 0; q < s; ++q) {
            const Complex x0 = a.in[q + s * j];
            const Complex x1 = a.in[q + s * (j + m)];
            a.out[q + s * (2 * j)] = x0 + x1;
            a.out[q + s * (2 * j + 1)] = Mul(x0 - x1, w);
        }
    }
}

void Radix3(const StageArgs& a) {
    const std::size_t m = a.m, s = a.s;
    const double sin60 = std::sqrt(3.0) / 2.0;
    for (std::size_t j = 0; j < m; ++j) {
        const Complex w1 = a.twiddles[2 * j], w2 = a.twiddles[2 * j + 1];
        for (std::size_t q = 0; q < s; ++q) {
            const Complex x0 = a.in[q + s * j];
            const Complex x1 = a.in[q + s * (j + m)];
            const Complex x2 = a.in[q + s * (j + 2 * m)];
            const Complex t = x1 + x2;
            const Complex u = x0 - 0.5 * t;
            const Complex v = MulMinusI(sin60 * (x1 - x2));
            Complex* y = a.out + q + s * (3 * j);
            y[0] = x0 + t;
            y[s] = Mul(u + v, w1);
            y[2 * s] = Mul(u - v, w2);
        }
    }
}

void Radix4(const StageArgs& a) {
    const std::size_t m = a.m, s = a.s;
    for (std::size_t j = 0; j < m; ++j) {
        const Complex w1 = a.twiddles[3 * j], w2 = a.twiddles[3 * j + 1], w3 = a.twiddles[3 * j + 2];
        for (std::size_t q = 0; q < s; ++q) {
            const Complex x0 = a.in[q + s * j];
            const Complex x1 = a.in[q + s * (j + m)];
            const Complex x2 = a.in[q + s * (j + 2 * m)];
            const Complex x3 = a.in[q + s * (j + 3 * m)];
            const Complex sum02 = x0 + x2, dif02 = x0 - x2;
            const Complex sum13 = x1 + x3, dif13 = MulMinusI(x1 - x3);
            Complex* y = a.out + q + s * (4 * j);
            y[0] = sum02 + sum13;
            y[s] = Mul(dif02 + dif13, w1);
            y[2 * s] = Mul(sum02 - sum13, w2);
            y[3 * s] = Mul(dif02 - dif13, w3);
        }
    }
}

void Radix5(const StageArgs& a) {
    const std::size_t m = a.m, s = a.s;
    const double c1 = std::cos(2.0 * kPi / 5.0), c2 = std::cos(4.0 * kPi / 5.0);
    const double s1 = std::sin(2.0 * kPi / 5.0), s2 = std::sin(4.0 * kPi / 5.0);
    for (std::size_t j = 0; j < m; ++j) {
        const Complex* w = a.twiddles + 4 * j;
        for (std::size_t q = 0; q < s; ++q) {
            const Complex x0 = a.in[q + s * j];
            const Complex x1 = a.in[q + s * (j + m)];
            const Complex x2 = a.in[q + s * (j + 2 * m)];
            const Complex x3 = a.in[q + s * (j + 3 * m)];
            const Complex x4 = a.in[q + s * (j + 4 * m)];
            const Complex t1 = x1 + x4, t2 = x2 + x3, t3 = x1 - x4, t4 = x2 - x3;
            const Complex a1 = x0 + c1 * t1 + c2 * t2;
            const Complex a2 = x0 + c2 * t1 + c1 * t2;
            const Complex b1 = MulMinusI(s1 * t3 + s2 * t4);
            const Complex b2 = MulMinusI(s2 * t3 - s1 * t4);
            Complex* y = a.out + q + s * (5 * j);
            y[0] = x0 + t1 + t2;
            y[s] = Mul(a1 + b1, w[0]);
            y[2 * s] = Mul(a2 + b2, w[1]);
            y[3 * s] = Mul(a2 - b2, w[2]);
            y[4 * s] = Mul(a1 - b1, w[3]);
        }
    }
}

// Any radix up to kLargestGeneralRadix: a plain p-point DFT per butterfly.
void RadixGeneral(const StageArgs& a, std::size_t p, const Complex* roots) {
    const std::size_t m = a.m, s = a.s;
    std::array<Complex, kLargestGeneralRadix> x;
    for (std::size_t j = 0; j < m; ++j) {
        const Complex* w = a.twiddles + (p - 1) * j;
        for (std::size_t q = 0; q < s; ++q) {
            for (std::size_t r = 0; r < p; ++r) x[r] = a.in[q + s * (j + r * m)];
            Complex* y = a.out + q + s * (p * j);
            for (std::size_t k = 0; k < p; ++k) {
                Complex sum = x[0];
                std::size_t index = 0;
                for (std::size_t r = 1; r < p; ++r) {
                    index += k;
                    if (index >= p) index -= p;
                    sum += Mul(x[r], roots[index]);
                }
                y[k * s] = k == 0 ? sum : Mul(sum, w[k - 1]);
            }
        }
    }
}

}  // namespace

FFT::FFT(std::size_t length) : length_(length) {
    if (length_ <= 1) return;
    const std::vector<std::size_t> radices = Factorise(length_);
    if (radices.back() > kLargestGeneralRadix) {  // the largest factor comes last
        BuildBluestein();
    } else {
        BuildStockham();
    }
}

FFT::~FFT() = default;

void FFT::BuildStockham() {
    std::size_t current = length_;
    std::size_t rootsNeeded = 0;
    for (std::size_t radix : Factorise(length_)) {
        Stage stage;
        stage.radix = radix;
        stage.span = current / radix;
        stage.twiddles.resize(stage.span * (radix - 1));
        for (std::size_t j = 0; j < stage.span; ++j) {
            for (std::size_t k = 1; k < radix; ++k) {
                stage.twiddles[j * (radix - 1) + (k - 1)] = UnitRoot((j * k) % current, current);
            }
        }
        if (radix > 5) rootsNeeded = std::max(rootsNeeded, radix);
        current = stage.span;
        stages_.push_back(std::move(stage));
    }
    // The p-th roots of unity of each general radix p sit at offset p * p of
    // one small table (p is at most kLargestGeneralRadix).
    if (rootsNeeded > 0) {
        rootsOfUnity_.resize((rootsNeeded + 1) * (rootsNeeded + 1));
        for (const Stage& stage : stages_) {
            if (stage.radix <= 5) continue;
            Complex* roots = rootsOfUnity_.data() + stage.radix * stage.radix;
            for (std::size_t k = 0; k < stage.radix; ++k) roots[k] = UnitRoot(k, stage.radix);
        }
    }
    work_.resize(length_);
}

void FFT::BuildBluestein() {
    const std::size_t n = length_;
    std::size_t padded = 1;
    while (padded < 2 * n - 1) padded *= 2;
    chirp_.resize(n);
    for (std::size_t j = 0; j < n; ++j) {
        // j^2 mod 2n keeps the angle small, and so exact, for long sequences.
        const std::size_t square = (j * j) % (2 * n);
        chirp_[j] = UnitRoot(square, 2 * n);
    }
    padded_ = std::make_unique<FFT>(padded);
    chirpSpectrum_.assign(padded, Complex());
    chirpSpectrum_[0] = std::conj(chirp_[0]);
    for (std::size_t j = 1; j < n; ++j) {
        chirpSpectrum_[j] = std::conj(chirp_[j]);
        chirpSpectrum_[padded - j] = std::conj(chirp_[j]);
    }
    padded_->Forward(chirpSpectrum_.data());
    // Fold the inverse transform's 1 / padded into the spectrum once.
    const double scale = 1.0 / static_cast<double>(padded);
    for (Complex& c : chirpSpectrum_) c *= scale;
    bluesteinWork_.resize(padded);
}

void FFT::Forward(Complex* data) const {
    if (length_ <= 1) return;
    if (padded_) {
        RunBluestein(data);
    } else {
        RunStockham(data);
    }
}

void FFT::Inverse(Complex* data) const {
    // conj(F(conj(x))) is the transform with the opposite sign.
    for (std::size_t i = 0; i < length_; ++i) data[i] = std::conj(data[i]);
    Forward(data);
    for (std::size_t i = 0; i < length_; ++i) data[i] = std::conj(data[i]);
}

void FFT::RunStockham(Complex* data) const {
    Complex* in = data;
    Complex* out = work_.data();
    std::size_t stride = 1;
    for (const Stage& stage : stages_) {
        const StageArgs args{in, out, stage.span, stride, stage.twiddles.data()};
        switch (stage.radix) {
            case 2: Radix2(args); break;
            case 3: Radix3(args); break;
            case 4: Radix4(args); break;
            case 5: Radix5(args); break;
            default: RadixGeneral(args, stage.radix, rootsOfUnity_.data() + stage.radix * stage.radix); break;
        }
        stride *= stage.radix;
        std::swap(in, out);
    }
    if (in != data) std::copy(in, in + length_, data);
}

void FFT::RunBluestein(Complex* data) const {
    const std::size_t n = length_;
    Complex* work = bluesteinWork_.data();
    for (std::size_t j = 0; j < n; ++j) work[j] = Mul(data[j], chirp_[j]);
    std::fill(work + n, work + bluesteinWork_.size(), Complex());
    padded_->Forward(work);
    for (std::size_t j = 0; j < bluesteinWork_.size(); ++j) work[j] = Mul(work[j], chirpSpectrum_[j]);
    padded_->Inverse(work);
    for (std::size_t k = 0; k < n; ++k) data[k] = Mul(work[k], chirp_[k]);
}

std::size_t FFT::GoodLength(std::size_t minimum) {
    if (minimum <= 1) return 1;
    std::size_t best = 1;
    while (best < minimum) best *= 2;
    for (std::size_t p5 = 1; p5 < best; p5 *= 5) {
        for (std::size_t p35 = p5; p35 < best; p35 *= 3) {
            std::size_t candidate = p35;
            while (candidate < minimum) candidate *= 2;
            best = std::min(best, candidate);
        }
    }
    return best;
}
