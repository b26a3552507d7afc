// Eight pixel triples (24 bytes) in a 256-bit register, four in the low 12
// bytes of each 128-bit lane, for the AVX2 line routines. Loads read 28
// bytes; stores write exactly 24, so that no store reaches into the next
// step's load (which would stall it).
#pragma once
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "ds/pipeline/cpu.h"

namespace wq {

WQ_TARGET_AVX2 inline __m256i LoadEightTriples(const uint8_t* p) {
  return _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(p + 12),
                             reinterpret_cast<const __m128i*>(p));
}

// v holds its triples in bytes 0-11 of each lane.
WQ_TARGET_AVX2 inline void StoreEightTriples(uint8_t* p, __m256i v) {
  const __m256i joined = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
  const __m256i together = _mm256_permutevar8x32_epi32(v, joined);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(together));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), _mm256_extracti128_si256(together, 1));
}

// Whether a load of eight triples after the first `done` stays within a row
// of `pixels` triples (it reads 4 bytes beyond the eighth).
inline bool EightTriplesFit(size_t done, size_t pixels) { return 3 * done + 28 <= 3 * pixels; }

}  // namespace wq
