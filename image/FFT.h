// Discrete Fourier transform of complex sequences of any length.
//
// A plan is built once per length and then applied to as many sequences as
// needed. Lengths whose prime factors are small run as a mixed-radix Stockham
// transform (radix 2, 3, 4 and 5 butterflies, a general butterfly for other
// small primes); a length with a large prime factor is carried through a
// power-of-two transform by Bluestein's chirp method, so every length costs
// O(n log n). Building a plan allocates and may throw std::bad_alloc. A plan
// keeps scratch space, so it serves one thread at a time.
#pragma once

#include <complex>
#include <cstddef>
#include <memory>
#include <vector>

class FFT {
public:
    using Complex = std::complex<double>;

    explicit FFT(std::size_t length);
    ~FFT();
    FFT(const FFT&) = delete;
    FFT& operator=(const FFT&) = delete;

    std::size_t Length() const { return length_; }

    // X[k] = sum_j x[j] exp(-2 pi i j k / n), in place.
    void Forward(Complex* data) const;
    // x[j] = sum_k X[k] exp(+2 pi i j k / n), in place and NOT divided by n.
    void Inverse(Complex* data) const;

    // The smallest length >= minimum whose only prime factors are 2, 3 and 5,
    // the lengths this transform handles fastest.
    static std::size_t GoodLength(std::size_t minimum);

private:
    struct Stage {
        std::size_t radix;
        std::size_t span;               // sub-sequence length after this stage
        std::vector<Complex> twiddles;  // w^(j k), w = exp(-2 pi i / (radix span)), j < span, 1 <= k < radix
    };

    void BuildStockham();
    void BuildBluestein();
    void RunStockham(Complex* data) const;
    void RunBluestein(Complex* data) const;

    std::size_t length_;
    std::vector<Stage> stages_;
    mutable std::vector<Complex> work_;
    std::vector<Complex> rootsOfUnity_;  // exp(-2 pi i k / p) for each general radix p, at offset p * p

    // Bluestein: chirp c[j] = exp(-pi i j^2 / n), the transformed conjugate
    // chirp of the padded length, and the power-of-two transform.
    std::vector<Complex> chirp_;
    std::vector<Complex> chirpSpectrum_;
    std::unique_ptr<FFT> padded_;
    mutable std::vector<Complex> bluesteinWork_;
};
