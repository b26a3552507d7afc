// Red and blue exchanged in a row of triples, for the bitmaps that hold
// their pixels blue first. Where the processor has AVX2, eight pixels a step.
#include "ds/pipeline/cpu.h"
#include "ds/pipeline/lines.h"

#if WQ_AVX2_FORMS
#include <immintrin.h>
#endif

namespace wq {

namespace {

#if WQ_AVX2_FORMS
// Each 128-bit lane takes four pixels (12 of its 16 bytes); the two lanes'
// results are joined into 24 bytes and stored as exactly that, so that no
// store reaches into the next step's load.
WQ_VECTOR_ENTRY size_t SwapWide(uint8_t* row, size_t pixels) {
  const __m256i swap = _mm256_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, -1, -1, -1, -1,
                                        2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, -1, -1, -1, -1);
  const __m256i together = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
  size_t i = 0;
  for (; 3 * i + 28 <= 3 * pixels; i += 8, row += 24) {
    const __m256i raw = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(row + 12),
                                            reinterpret_cast<const __m128i*>(row));
    const __m256i out = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(raw, swap), together);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row), _mm256_castsi256_si128(out));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 16), _mm256_extracti128_si256(out, 1));
  }
  return i;
}
#endif

}  // namespace

void SwapRedBlue(uint8_t* row, size_t pixels) {
  size_t i = 0;
#if WQ_AVX2_FORMS
  if (g_LineOptions.Vector && Cpu().Avx2) i = SwapWide(row, pixels);
#endif
  for (; i < pixels; ++i) {
    uint8_t* p = row + 3 * i;
    const uint8_t t = p[0];
    p[0] = p[2];
    p[2] = t;
  }
}

}  // namespace wq
