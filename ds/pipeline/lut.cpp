// Table lookups: one indexed load a byte.
#include "ds/pipeline/lines.h"

namespace wq {

void LutGrey(const uint8_t* src, uint8_t* dst, const uint8_t* table, size_t n) {
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const uint8_t a = src[i], b = src[i + 1], c = src[i + 2], d = src[i + 3];
    dst[i] = table[a];
    dst[i + 1] = table[b];
    dst[i + 2] = table[c];
    dst[i + 3] = table[d];
  }
  for (; i < n; ++i) dst[i] = table[src[i]];
}

void LutRgb(const uint8_t* src, uint8_t* dst, const uint8_t* tr, const uint8_t* tg,
            const uint8_t* tb, size_t n) {
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) {
    const uint8_t r = src[0], g = src[1], b = src[2];
    dst[0] = tr[r];
    dst[1] = tg[g];
    dst[2] = tb[b];
  }
}

}  // namespace wq
