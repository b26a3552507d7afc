// Colour matching of pixels: an offset and a slope per channel, looked up
// by the pixel's 15-bit colour. Where the processor has AVX2, eight pixels
// a step with the same arithmetic in 16-bit lanes.
#include <cstring>

#include "ds/pipeline/clrmatch.h"
#include "ds/pipeline/cpu.h"
#include "ds/pipeline/lines.h"

#if WQ_AVX2_FORMS
#include "ds/pipeline/triples_avx2.h"
#endif

namespace wq {

namespace {

inline uint8_t Corrected(int c, int offset, int slope) {
  const int v = c + offset + (((c & 7) * slope) >> 3);
  return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

inline size_t Entry(int c0, int c1, int c2) {
  return size_t((c0 >> 3) * 1024 + (c1 >> 3) * 32 + (c2 >> 3)) * 3;
}

inline void Match(const uint8_t* table, uint8_t* px) {
  // c0 is the third byte of the pixel, c2 the first.
  const int c0 = px[2], c1 = px[1], c2 = px[0];
  const size_t k = Entry(c0, c1, c2);
  const int8_t* a = reinterpret_cast<const int8_t*>(table) + k;
  const int8_t* s = reinterpret_cast<const int8_t*>(table) + kClmHalfBytes + k;
  px[2] = Corrected(c0, a[0], s[0]);
  px[1] = Corrected(c1, a[1], s[1]);
  px[0] = Corrected(c2, a[2], s[2]);
}

// One row from pixel `from` on, one pixel at a time.
void MatchRowPlain(const int8_t* offsets, const int8_t* slopes, uint8_t* px, size_t from,
                   size_t pixels) {
  // Scans have long runs of one colour (the white of the paper above all):
  // a pixel like the one before it gets the same result.
  uint32_t lastIn = 0xFFFFFFFFu;
  uint8_t out0 = 0, out1 = 0, out2 = 0;
  px += 3 * from;
  for (size_t i = from; i < pixels; ++i, px += 3) {
    const int c2 = px[0], c1 = px[1], c0 = px[2];
    const uint32_t in = uint32_t(c0) << 16 | uint32_t(c1) << 8 | uint32_t(c2);
    if (in != lastIn) {
      lastIn = in;
      const size_t k = Entry(c0, c1, c2);
      // Every table byte is read before any pixel byte is written.
      const int a0 = offsets[k], a1 = offsets[k + 1], a2 = offsets[k + 2];
      const int s0 = slopes[k], s1 = slopes[k + 1], s2 = slopes[k + 2];
      out0 = Corrected(c0, a0, s0);
      out1 = Corrected(c1, a1, s1);
      out2 = Corrected(c2, a2, s2);
    }
    px[2] = out0;
    px[1] = out1;
    px[0] = out2;
  }
}

#if WQ_AVX2_FORMS
// Four table entries of four bytes, at byte offsets keys[0..3] from base.
WQ_TARGET_AVX2 inline __m128i FourEntries(const int8_t* base, const uint32_t* keys) {
  int32_t e[4];
  for (int j = 0; j < 4; ++j) memcpy(&e[j], base + keys[j], 4);
  return _mm_insert_epi32(
      _mm_insert_epi32(_mm_insert_epi32(_mm_cvtsi32_si128(e[0]), e[1], 1), e[2], 2), e[3], 3);
}

// c + offset + ((c & 7) * slope >> 3) for the 16 bytes of c's 16-bit lanes
// picked by unpack (low or high half of each 128-bit lane).
WQ_TARGET_AVX2 inline __m256i Corrected16(__m256i c, __m256i a, __m256i s) {
  const __m256i low = _mm256_and_si256(c, _mm256_set1_epi16(7));
  return _mm256_add_epi16(_mm256_add_epi16(c, a),
                          _mm256_srai_epi16(_mm256_mullo_epi16(low, s), 3));
}

// Eight pixels (24 bytes) a step; returns the pixels done. Each 32-bit lane
// holds one pixel as c0, c1, c2, 0, which is the order of its table entry.
// The table's entries are fetched by scalar loads: on many processors a
// gather is slower than the loads it stands for.
WQ_VECTOR_ENTRY size_t MatchRowWide(const int8_t* offsets, const int8_t* slopes, uint8_t* px,
                                    size_t pixels) {
  const __m256i toLanes = _mm256_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1,
                                           2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
  const __m256i fromLanes = _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1,
                                             2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
  const __m256i fiveBits = _mm256_set1_epi32(31);
  const __m256i zero = _mm256_setzero_si256();
  // The last block's input and result: runs of paper white repeat them.
  // No byte pattern can serve as "none yet": white and black are both blocks.
  __m256i lastRaw = zero, lastOut = zero;
  bool haveLast = false;
  uint32_t keys[8];  // stored unaligned: GCC cannot align Win64 stacks to 32
  size_t i = 0;
  for (; EightTriplesFit(i, pixels); i += 8, px += 24) {
    const __m256i raw = LoadEightTriples(px);
    const __m256i same = _mm256_cmpeq_epi8(raw, lastRaw);
    if (!haveLast || uint32_t(_mm256_movemask_epi8(same)) != 0xFFFFFFFFu) {
      haveLast = true;
      lastRaw = raw;
      const __m256i c = _mm256_shuffle_epi8(raw, toLanes);
      const __m256i k0 = _mm256_and_si256(_mm256_srli_epi32(c, 3), fiveBits);
      const __m256i k1 = _mm256_and_si256(_mm256_srli_epi32(c, 11), fiveBits);
      const __m256i k2 = _mm256_srli_epi32(c, 19);  // the fourth byte is zero
      __m256i k = _mm256_add_epi32(_mm256_slli_epi32(k0, 10), _mm256_slli_epi32(k1, 5));
      k = _mm256_add_epi32(k, k2);
      k = _mm256_add_epi32(k, _mm256_add_epi32(k, k));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(keys), k);
      // Offsets from entry k on; slopes from the byte before entry k, so the
      // last entry's four bytes stay inside the table.
      const __m256i a = _mm256_inserti128_si256(_mm256_castsi128_si256(FourEntries(offsets, keys)),
                                                FourEntries(offsets, keys + 4), 1);
      const __m256i s = _mm256_srli_epi32(
          _mm256_inserti128_si256(_mm256_castsi128_si256(FourEntries(slopes - 1, keys)),
                                  FourEntries(slopes - 1, keys + 4), 1),
          8);
      const __m256i lo = Corrected16(_mm256_unpacklo_epi8(c, zero),
                                     _mm256_srai_epi16(_mm256_unpacklo_epi8(a, a), 8),
                                     _mm256_srai_epi16(_mm256_unpacklo_epi8(s, s), 8));
      const __m256i hi = Corrected16(_mm256_unpackhi_epi8(c, zero),
                                     _mm256_srai_epi16(_mm256_unpackhi_epi8(a, a), 8),
                                     _mm256_srai_epi16(_mm256_unpackhi_epi8(s, s), 8));
      // packus clamps to 0..255 as the plain form does.
      lastOut = _mm256_shuffle_epi8(_mm256_packus_epi16(lo, hi), fromLanes);
    }
    StoreEightTriples(px, lastOut);
  }
  return i;
}
#endif

}  // namespace

void ColourMatchPixel(const uint8_t* table, uint8_t* c0, uint8_t* c1, uint8_t* c2) {
  uint8_t px[3] = {*c2, *c1, *c0};
  Match(table, px);
  *c0 = px[2];
  *c1 = px[1];
  *c2 = px[0];
}

void ColourMatchStrip(const uint8_t* table, uint8_t* buffer, size_t rowBytes, size_t rows,
                      size_t pixels) {
  if (!table) return;
  const int8_t* offsets = reinterpret_cast<const int8_t*>(table);
  const int8_t* slopes = offsets + kClmHalfBytes;
#if WQ_AVX2_FORMS
  const bool wide = g_LineOptions.Vector && Cpu().Avx2;
#endif
  for (size_t y = 0; y < rows; ++y) {
    uint8_t* px = buffer + y * rowBytes;
    size_t done = 0;
#if WQ_AVX2_FORMS
    if (wide) done = MatchRowWide(offsets, slopes, px, pixels);
#endif
    MatchRowPlain(offsets, slopes, px, done, pixels);
  }
}

}  // namespace wq
