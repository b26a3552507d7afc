// Table lookups: one indexed load a byte; where the processor has byte
// permutes over 64-byte registers, the whole table sits in four registers
// and 64 bytes are looked up at once.
#include <cstring>

#include "ds/pipeline/cpu.h"
#include "ds/pipeline/lines.h"

#if WQ_WIDE_VECTORS
#include <immintrin.h>
#endif

namespace wq {

namespace {

#if WQ_WIDE_VECTORS
struct WideTable {
  __m512i t[4];
};

WQ_TARGET_VBMI inline WideTable LoadTable(const uint8_t* table) {
  WideTable w;
  for (int k = 0; k < 4; ++k) w.t[k] = _mm512_loadu_si512(table + 64 * k);
  return w;
}

WQ_TARGET_VBMI inline __m512i Look(const WideTable& w, __m512i v) {
  // Seven bits pick among 128 entries; bit 7 picks the half.
  const __m512i low = _mm512_permutex2var_epi8(w.t[0], v, w.t[1]);
  const __m512i high = _mm512_permutex2var_epi8(w.t[2], v, w.t[3]);
  return _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high);
}

WQ_TARGET_VBMI size_t LutGreyWide(const uint8_t* src, uint8_t* dst, const uint8_t* table, size_t n) {
  const WideTable w = LoadTable(table);
  size_t i = 0;
  for (; i + 64 <= n; i += 64)
    _mm512_storeu_si512(dst + i, Look(w, _mm512_loadu_si512(src + i)));
  return i;
}

// 64 pixels (192 bytes, three registers) a step; each register's bytes
// belong to the channels in a pattern that repeats every three registers.
WQ_TARGET_VBMI size_t LutRgbWide(const uint8_t* src, uint8_t* dst, const uint8_t* tr,
                                 const uint8_t* tg, const uint8_t* tb, size_t n) {
  const WideTable w[3] = {LoadTable(tr), LoadTable(tg), LoadTable(tb)};
  __mmask64 isG[3] = {0, 0, 0}, isB[3] = {0, 0, 0};
  for (int q = 0; q < 3; ++q)
    for (int j = 0; j < 64; ++j) {
      const int c = (64 * q + j) % 3;
      if (c == 1) isG[q] |= __mmask64(1) << j;
      if (c == 2) isB[q] |= __mmask64(1) << j;
    }
  size_t i = 0;
  for (; i + 64 <= n; i += 64) {
    for (int q = 0; q < 3; ++q) {
      const size_t at = 3 * i + 64 * q;
      const __m512i v = _mm512_loadu_si512(src + at);
      __m512i r = Look(w[0], v);
      r = _mm512_mask_blend_epi8(isG[q], r, Look(w[1], v));
      r = _mm512_mask_blend_epi8(isB[q], r, Look(w[2], v));
      _mm512_storeu_si512(dst + at, r);
    }
  }
  return i;
}
#endif

}  // namespace

void LutGrey(const uint8_t* src, uint8_t* dst, const uint8_t* table, size_t n) {
  size_t i = 0;
#if WQ_WIDE_VECTORS
  if (g_LineOptions.Vector && Cpu().Vbmi) i = LutGreyWide(src, dst, table, n);
#endif
  for (; i < n; ++i) dst[i] = table[src[i]];
}

void LutRgb(const uint8_t* src, uint8_t* dst, const uint8_t* tr, const uint8_t* tg,
            const uint8_t* tb, size_t n) {
  size_t i = 0;
#if WQ_WIDE_VECTORS
  if (g_LineOptions.Vector && Cpu().Vbmi) i = LutRgbWide(src, dst, tr, tg, tb, n);
#endif
  for (; i < n; ++i) {
    const uint8_t r = src[3 * i], g = src[3 * i + 1], b = src[3 * i + 2];
    dst[3 * i] = tr[r];
    dst[3 * i + 1] = tg[g];
    dst[3 * i + 2] = tb[b];
  }
}

}  // namespace wq
