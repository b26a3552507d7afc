// The preview display's routines: grey tables, thresholds, ordered dither,
// error diffusion, single channels and the 256-colour reduction, each drawn as
// 24-bit screen pixels.
#include "ds/pipeline/display.h"

#include "ds/pipeline/diffuse_step.h"

namespace wq {

namespace {

inline void Put(uint8_t* px, uint8_t v) { px[0] = px[1] = px[2] = v; }
inline uint8_t Level(bool on) { return on ? 255 : 0; }
inline int Mean(const uint8_t* px) { return (px[0] + px[1] + px[2]) / 3; }

}  // namespace

void DisplayGreyTable(const uint8_t* src, uint8_t* dst, const uint8_t* table, size_t n) {
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) Put(dst, table[Mean(src)]);
}

void DisplayThreshold(const uint8_t* src, uint8_t* dst, int threshold, size_t n, bool reversed) {
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) Put(dst, Level((Mean(src) >= threshold) != reversed));
}

void DisplayThresholdRgb(const uint8_t* src, uint8_t* dst, int tr, int tg, int tb, size_t n,
                         bool reversed) {
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) {
    const bool r = src[0] >= tr, g = src[1] >= tg, b = src[2] >= tb;
    dst[0] = Level(r != reversed);
    dst[1] = Level(g != reversed);
    dst[2] = Level(b != reversed);
  }
}

void DisplayDitherGrey(const uint8_t* src, uint8_t* dst, const uint8_t* matrix, size_t n,
                       uint32_t row, bool reversed) {
  const uint8_t* m = matrix + (row % 8) * 8;
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) Put(dst, Level((src[0] > m[i % 8]) != reversed));
}

void DisplayDitherRgb(const uint8_t* src, uint8_t* dst, const uint8_t* matrix, size_t n,
                      uint32_t row, bool reversed) {
  const uint8_t* m = matrix + (row % 8) * 8;
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) {
    const uint8_t t = m[i % 8];
    const bool r = src[0] > t, g = src[1] > t, b = src[2] > t;
    dst[0] = Level(r != reversed);
    dst[1] = Level(g != reversed);
    dst[2] = Level(b != reversed);
  }
}

void DisplayDiffuseGrey(const uint8_t* src, uint8_t* dst, int16_t* e, size_t n, bool reversed) {
  if (n == 0) return;
  int cur = e[0];
  for (size_t p = 0; p < n; ++p, src += 3, dst += 3)
    Put(dst, Level(diffuse::Step(src[0], e + p, cur) != reversed));
}

void DisplayDiffuseRgb(const uint8_t* src, uint8_t* dst, int16_t* er, int16_t* eg, int16_t* eb,
                       size_t n, bool reversed) {
  if (n == 0) return;
  int cr = er[0], cg = eg[0], cb = eb[0];
  for (size_t p = 0; p < n; ++p, src += 3, dst += 3) {
    const bool r = diffuse::Step(src[0], er + p, cr);
    const bool g = diffuse::Step(src[1], eg + p, cg);
    const bool b = diffuse::Step(src[2], eb + p, cb);
    dst[0] = Level(r != reversed);
    dst[1] = Level(g != reversed);
    dst[2] = Level(b != reversed);
  }
}

void DisplayChannelTable(const uint8_t* src, uint8_t* dst, const uint8_t* table, int channel,
                         size_t n) {
  if (channel < 0 || channel > 2) return;
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) Put(dst, table[src[channel]]);
}

void DisplayReduce(const uint8_t* src, uint8_t* dst, ReduceWork* work, size_t n, bool diffuse) {
  if (diffuse) {
    if (!work || n > work->Pixels) return;
    ReduceLine(*work, src, n);
    for (size_t i = 0; i < n; ++i, dst += 3) {
      const uint8_t code = work->Out[i];
      dst[0] = kLevels3[code >> 5];
      dst[1] = kLevels3[(code >> 2) & 7];
      dst[2] = kLevels2[code & 3];
    }
    return;
  }
  for (size_t i = 0; i < n; ++i, src += 3, dst += 3) {
    const uint8_t r = src[0], g = src[1], b = src[2];
    dst[0] = kLevels3[Quantise3(r).Code];
    dst[1] = kLevels3[Quantise3(g).Code];
    dst[2] = kLevels2[Quantise2(b).Code];
  }
}

}  // namespace wq
