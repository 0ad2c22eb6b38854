#include "imagefiles/PngUnfilter.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Each filter works on `in` (this row's filtered bytes) with `above` (the
// row before, unfiltered; zeros for the first) into `out`, which lies at or
// before `in` in the same buffer: bytes are read before they are written.

void UnfilterSub(const uint8_t* in, std::size_t length, std::size_t pixelBytes, uint8_t* out) {
    for (std::size_t i = 0; i < pixelBytes && i < length; ++i) out[i] = in[i];
    for (std::size_t i = pixelBytes; i < length; ++i) out[i] = static_cast<uint8_t>(in[i] + out[i - pixelBytes]);
}

void UnfilterUp(const uint8_t* in, const uint8_t* above, std::size_t length, uint8_t* out) {
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<uint8_t>(in[i] + above[i]);
}

void UnfilterAverage(const uint8_t* in, const uint8_t* above, std::size_t length, std::size_t pixelBytes,
                     uint8_t* out) {
    for (std::size_t i = 0; i < pixelBytes && i < length; ++i) out[i] = static_cast<uint8_t>(in[i] + (above[i] >> 1));
    for (std::size_t i = pixelBytes; i < length; ++i)
        out[i] = static_cast<uint8_t>(in[i] + ((out[i - pixelBytes] + above[i]) >> 1));
}

inline uint8_t Paeth(int a, int b, int c) {
    const int pa = b > c ? b - c : c - b;
    const int pb = a > c ? a - c : c - a;
    const int sum = a + b - 2 * c;
    const int pc = sum < 0 ? -sum : sum;
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : (pb <= pc ? b : c));
}

void UnfilterPaeth(const uint8_t* in, const uint8_t* above, std::size_t length, std::size_t pixelBytes, uint8_t* out) {
    for (std::size_t i = 0; i < pixelBytes && i < length; ++i) out[i] = static_cast<uint8_t>(in[i] + above[i]);
    for (std::size_t i = pixelBytes; i < length; ++i)
        out[i] = static_cast<uint8_t>(in[i] + Paeth(out[i - pixelBytes], above[i], above[i - pixelBytes]));
}

#if defined(__SSE2__)
// Average and Paeth carry each pixel into the next, so a photograph's rows
// (which the adaptive choice mostly gives these two) unfilter one pixel at a
// time; for 3- and 4-byte pixels the pixel's bytes are worked on together, in
// 16-bit lanes.

// A pixel's bytes in the low 16-bit lanes. Every pixel but a row's last is
// moved as four bytes: with 3-byte pixels the fourth belongs to the next
// pixel, which is read later (and written later) anyway.
template <std::size_t kBytes>
__m128i LoadPixel(const uint8_t* p) {
    uint32_t value = 0;
    std::memcpy(&value, p, kBytes);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(value)), _mm_setzero_si128());
}

template <std::size_t kBytes>
void StorePixel(uint8_t* p, __m128i lanes) {
    const auto value = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(lanes, lanes)));
    std::memcpy(p, &value, kBytes);
}

__m128i Absolute(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }

__m128i Select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

struct PaethStep {
    __m128i a = _mm_setzero_si128();  // the pixel to the left, unfiltered
    __m128i c = _mm_setzero_si128();  // the pixel above that

    __m128i operator()(__m128i x, __m128i b) {
        const __m128i towardA = _mm_sub_epi16(b, c);
        const __m128i towardB = _mm_sub_epi16(a, c);
        const __m128i pa = Absolute(towardA);
        const __m128i pb = Absolute(towardB);
        const __m128i pc = Absolute(_mm_add_epi16(towardA, towardB));
        const __m128i smallest = _mm_min_epi16(_mm_min_epi16(pa, pb), pc);
        __m128i predictor = Select(_mm_cmpeq_epi16(pb, smallest), b, c);
        predictor = Select(_mm_cmpeq_epi16(pa, smallest), a, predictor);
        a = _mm_and_si128(_mm_add_epi16(x, predictor), _mm_set1_epi16(0xff));
        c = b;
        return a;
    }
};

struct AverageStep {
    __m128i a = _mm_setzero_si128();

    __m128i operator()(__m128i x, __m128i b) {
        a = _mm_and_si128(_mm_add_epi16(x, _mm_srli_epi16(_mm_add_epi16(a, b), 1)), _mm_set1_epi16(0xff));
        return a;
    }
};

template <std::size_t kPixelBytes, typename Step>
void UnfilterPixels(const uint8_t* in, const uint8_t* above, std::size_t length, uint8_t* out) {
    Step step;
    std::size_t i = 0;
    for (; i + kPixelBytes < length; i += kPixelBytes)
        StorePixel<4>(out + i, step(LoadPixel<4>(in + i), LoadPixel<4>(above + i)));
    if (i < length)
        StorePixel<kPixelBytes>(out + i, step(LoadPixel<kPixelBytes>(in + i), LoadPixel<kPixelBytes>(above + i)));
}
#endif

// Paeth and Average for whole rows, on vectors where the pixel size allows.
void UnfilterPaethRow(const uint8_t* in, const uint8_t* above, std::size_t length, std::size_t pixelBytes,
                      uint8_t* out) {
#if defined(__SSE2__)
    if (pixelBytes == 3) return UnfilterPixels<3, PaethStep>(in, above, length, out);
    if (pixelBytes == 4) return UnfilterPixels<4, PaethStep>(in, above, length, out);
#endif
    UnfilterPaeth(in, above, length, pixelBytes, out);
}

void UnfilterAverageRow(const uint8_t* in, const uint8_t* above, std::size_t length, std::size_t pixelBytes,
                        uint8_t* out) {
#if defined(__SSE2__)
    if (pixelBytes == 3) return UnfilterPixels<3, AverageStep>(in, above, length, out);
    if (pixelBytes == 4) return UnfilterPixels<4, AverageStep>(in, above, length, out);
#endif
    UnfilterAverage(in, above, length, pixelBytes, out);
}

}  // namespace

bool UnfilterPngRowsInPlace(uint8_t* data, int32_t rows, std::size_t rowBytes, std::size_t pixelBytes) {
    for (int32_t y = 0; y < rows; ++y) {
        const std::size_t row = static_cast<std::size_t>(y);
        const uint8_t* in = data + row * (rowBytes + 1);
        const uint8_t type = in[0];
        ++in;
        uint8_t* out = data + row * rowBytes;
        const uint8_t* above = y > 0 ? out - rowBytes : nullptr;
        // The first row's "above" is zeros: Up is None, Average halves Sub's
        // neighbour alone and Paeth predicts from the left only.
        if (above == nullptr && type >= 2) {
            if (type == 2) {
                std::memmove(out, in, rowBytes);
                continue;
            }
            if (type == 4) {
                UnfilterSub(in, rowBytes, pixelBytes, out);
                continue;
            }
        }
        switch (type) {
            case 0: std::memmove(out, in, rowBytes); break;
            case 1: UnfilterSub(in, rowBytes, pixelBytes, out); break;
            case 2: UnfilterUp(in, above, rowBytes, out); break;
            case 3:
                if (above == nullptr) {
                    for (std::size_t i = 0; i < pixelBytes && i < rowBytes; ++i) out[i] = in[i];
                    for (std::size_t i = pixelBytes; i < rowBytes; ++i)
                        out[i] = static_cast<uint8_t>(in[i] + (out[i - pixelBytes] >> 1));
                } else {
                    UnfilterAverageRow(in, above, rowBytes, pixelBytes, out);
                }
                break;
            case 4: UnfilterPaethRow(in, above, rowBytes, pixelBytes, out); break;
            default: return false;
        }
    }
    return true;
}
