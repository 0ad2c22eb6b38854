// Marks a hot loop's function to be compiled once per vector unit, the loader
// picking the widest one the processor has (GCC's function multiversioning).
// Only where the loader can pick (ELF on x86-64); elsewhere the baseline
// alone. The clones compute the same values: floating-point contraction is off
// for the whole build, so no clone fuses a multiplication into an addition.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define DAPPLE_VECTOR_CLONES [[gnu::target_clones("avx512f", "avx2", "default")]]
// A function compiled for AVX-512 alone, to be called only where
// vectors::HasAvx512() says so: for loops whose vectors are as wide as its
// registers, too wide for the other units' registers.
#define DAPPLE_AVX512_ONLY [[gnu::target("avx512f")]]
#define DAPPLE_HAS_AVX512_VERSIONS 1
#else
#define DAPPLE_VECTOR_CLONES
#define DAPPLE_AVX512_ONLY
#define DAPPLE_HAS_AVX512_VERSIONS 0
#endif

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if DAPPLE_HAS_AVX512_VERSIONS
// GCC 12 takes the placeholders these functions start from for values used
// before they are set.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif

namespace vectors {

// Four doubles as the compiler's generic vectors: two SSE2 registers on the
// baseline, one AVX register in the clones for wider units. Loops written on
// them keep several sums in registers where the compiler alone would not.
typedef double Double4 __attribute__((vector_size(32)));
typedef double Double8 __attribute__((vector_size(64)));
typedef float Float8 __attribute__((vector_size(32)));
typedef float Float16 __attribute__((vector_size(64)));
typedef unsigned char Byte16 __attribute__((vector_size(16)));
typedef int Int4 __attribute__((vector_size(16)));
typedef int Int16 __attribute__((vector_size(64)));
typedef int Int8 __attribute__((vector_size(32)));
typedef unsigned char Byte32 __attribute__((vector_size(32)));
typedef long long Long8 __attribute__((vector_size(64)));

// The 32-bit integers a vector of doubles converts to, lane for lane.
template <typename Vector>
struct IntLanes;
template <>
struct IntLanes<Double4> {
    using Type = Int4;
};
template <>
struct IntLanes<Double8> {
    using Type = Int8;
};

// Memory to vector without alignment. By reference: vector values passed to
// or from a function would change the baseline's calling convention.
[[gnu::always_inline]] inline void Load(Double4& v, const double* from) { std::memcpy(&v, from, sizeof v); }
[[gnu::always_inline]] inline void Load(Double8& v, const double* from) { std::memcpy(&v, from, sizeof v); }
[[gnu::always_inline]] inline void Load(Float8& v, const float* from) { std::memcpy(&v, from, sizeof v); }
[[gnu::always_inline]] inline void Load(Float16& v, const float* from) { std::memcpy(&v, from, sizeof v); }

// Lane i of `picked` is lane picks[i] of the sixteen lanes of `low` and then
// `high`.
[[gnu::always_inline]] inline void Pick(const Double8& low, const Double8& high, const Long8& picks, Double8& picked) {
#if defined(__GNUC__) && !defined(__clang__)
    picked = __builtin_shuffle(low, high, picks);
#else
    for (int i = 0; i < 8; ++i) picked[i] = picks[i] < 8 ? low[picks[i]] : high[picks[i] - 8];
#endif
}

// Whether the DAPPLE_AVX512_ONLY functions may run: built with them, on a
// processor that has AVX-512.
inline bool HasAvx512() {
#if DAPPLE_HAS_AVX512_VERSIONS
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") != 0;
    }();
    return has;
#else
    return false;
#endif
}

// Bytes 4k .. 4k + 3 of `bytes` to doubles: each widened to a 32-bit integer
// by interleaving with zeros (every unit has that shuffle), which then
// converts in one step.
template <int k>
[[gnu::always_inline]] inline void Widen(const Byte16& bytes, Double4& v) {
    const Byte16 zero = {};
    v = __builtin_convertvector((Int4)__builtin_shufflevector(bytes, zero, 4 * k, 16, 16, 16, 4 * k + 1, 16, 16, 16,
                                                              4 * k + 2, 16, 16, 16, 4 * k + 3, 16, 16, 16),
                                Double4);
}

// Sixteen bytes to two vectors of eight doubles. Where AVX-512 functions
// are built, in its own widening steps: from the compiler's generic vectors
// GCC makes a shuffle and a conversion per four bytes, and those all queue
// for the same port. Only a function built for AVX-512 can inline it, so
// the DAPPLE_AVX512_ONLY function that reaches it through templates is
// flattened.
#if DAPPLE_HAS_AVX512_VERSIONS
[[gnu::target("avx512f")]] inline void Load(Double8 (&v)[2], const unsigned char* from) {
    const __m512i ints = _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
    const __m512d low = _mm512_cvtepi32_pd(_mm512_castsi512_si256(ints));
    const __m512d high = _mm512_cvtepi32_pd(_mm512_extracti64x4_epi64(ints, 1));
    std::memcpy(&v[0], &low, sizeof low);
    std::memcpy(&v[1], &high, sizeof high);
}
#else
[[gnu::always_inline]] inline void Load(Double8 (&v)[2], const unsigned char* from) {
    Byte16 bytes;
    std::memcpy(&bytes, from, sizeof bytes);
    const Byte16 zero = {};
    const Byte32 low = __builtin_shufflevector(bytes, zero, 0, 16, 16, 16, 1, 16, 16, 16, 2, 16, 16, 16, 3, 16, 16, 16,
                                               4, 16, 16, 16, 5, 16, 16, 16, 6, 16, 16, 16, 7, 16, 16, 16);
    const Byte32 high = __builtin_shufflevector(bytes, zero, 8, 16, 16, 16, 9, 16, 16, 16, 10, 16, 16, 16, 11, 16, 16,
                                                16, 12, 16, 16, 16, 13, 16, 16, 16, 14, 16, 16, 16, 15, 16, 16, 16);
    v[0] = __builtin_convertvector((Int8)low, Double8);
    v[1] = __builtin_convertvector((Int8)high, Double8);
}
#endif

// Sixteen bytes to four vectors of doubles. In a build for SSE2 alone (no
// clones for wider units, as for Windows), spelled out in its unpacking
// steps: left to itself the compiler takes the bytes apart one by one in
// integer registers.
[[gnu::always_inline]] inline void Load(Double4 (&v)[4], const unsigned char* from) {
#if defined(__SSE2__) && !defined(__AVX__) && !DAPPLE_HAS_AVX512_VERSIONS
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_unpacklo_epi8(bytes, zero);
    const __m128i high = _mm_unpackhi_epi8(bytes, zero);
    const __m128i quarters[4] = {_mm_unpacklo_epi16(low, zero), _mm_unpackhi_epi16(low, zero),
                                 _mm_unpacklo_epi16(high, zero), _mm_unpackhi_epi16(high, zero)};
    for (int k = 0; k < 4; ++k) {
        const __m128d halves[2] = {_mm_cvtepi32_pd(quarters[k]), _mm_cvtepi32_pd(_mm_srli_si128(quarters[k], 8))};
        std::memcpy(&v[k], halves, sizeof v[k]);
    }
#else
    Byte16 bytes;
    std::memcpy(&bytes, from, sizeof bytes);
    Widen<0>(bytes, v[0]);
    Widen<1>(bytes, v[1]);
    Widen<2>(bytes, v[2]);
    Widen<3>(bytes, v[3]);
#endif
}

// Sixteen floats v each to the byte (unsigned char)min(max(v, 0), 255) for
// values that are not NaN (truncating).
[[gnu::always_inline]] inline void StoreClampedBytes(const Float16& v, unsigned char* to) {
    const Float16 zero = {};
    const Float16 top = zero + 255.0f;
    const Float16 low = v >= zero ? v : zero;
    const Float16 clamped = low <= top ? low : top;
    const Byte16 bytes = __builtin_convertvector(__builtin_convertvector(clamped, Int16), Byte16);
    std::memcpy(to, &bytes, sizeof bytes);
}

// Four vectors of doubles, each in [0, 256), to sixteen bytes, truncating.
[[gnu::always_inline]] inline void StoreBytes(const Double4 (&v)[4], unsigned char* to) {
    Byte16 bytes[4];
    for (int k = 0; k < 4; ++k) bytes[k] = (Byte16) __builtin_convertvector(v[k], Int4);
    const Byte16 firstHalf =
        __builtin_shufflevector(bytes[0], bytes[1], 0, 4, 8, 12, 16, 20, 24, 28, 0, 0, 0, 0, 0, 0, 0, 0);
    const Byte16 secondHalf =
        __builtin_shufflevector(bytes[2], bytes[3], 0, 4, 8, 12, 16, 20, 24, 28, 0, 0, 0, 0, 0, 0, 0, 0);
    const Byte16 all =
        __builtin_shufflevector(firstHalf, secondHalf, 0, 1, 2, 3, 4, 5, 6, 7, 16, 17, 18, 19, 20, 21, 22, 23);
    std::memcpy(to, &all, sizeof all);
}

// Two vectors of eight doubles, each in [0, 256), to sixteen bytes,
// truncating.
[[gnu::always_inline]] inline void StoreBytes(const Double8 (&v)[2], unsigned char* to) {
    const Byte32 low = (Byte32) __builtin_convertvector(v[0], Int8);
    const Byte32 high = (Byte32) __builtin_convertvector(v[1], Int8);
    const Byte16 all = __builtin_shufflevector(low, high, 0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60);
    std::memcpy(to, &all, sizeof all);
}

}  // namespace vectors
