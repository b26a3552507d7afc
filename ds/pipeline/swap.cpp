// Red and blue exchanged in a row of triples, for the bitmaps that hold
// their pixels blue first. Where the processor has AVX2, eight pixels a step.
#include "ds/pipeline/cpu.h"
#include "ds/pipeline/lines.h"

#if WQ_AVX2_FORMS
#include "ds/pipeline/triples_avx2.h"
#endif

namespace wq {

namespace {

#if WQ_AVX2_FORMS
WQ_VECTOR_ENTRY size_t SwapWide(uint8_t* row, size_t pixels) {
  const __m256i swap = _mm256_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, -1, -1, -1, -1,
                                        2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, -1, -1, -1, -1);
  size_t i = 0;
  for (; EightTriplesFit(i, pixels); i += 8, row += 24)
    StoreEightTriples(row, _mm256_shuffle_epi8(LoadEightTriples(row), swap));
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
