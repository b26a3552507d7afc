// Tone tables and the scanner's line formats.
#include "vscsi/tone.h"

#include <cstring>

namespace vscsi {
namespace {

// 4 x 4 ordered dither for the halftone compositions.
constexpr uint8_t kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint8_t Threshold(uint8_t t) { return t ? t : 128; }  // 0 asks for the default

// Packs one bit per pixel, leftmost pixel in bit 7. A set bit is dark
// unless the image is reversed; pad bits stay 0.
template <typename Dark>
void PackBits(uint32_t n, bool reverse, uint8_t* out, Dark dark) {
  uint32_t bytes = (n + 7) / 8;
  memset(out, 0, bytes);
  for (uint32_t i = 0; i < n; ++i)
    if (dark(i) != reverse) out[i >> 3] |= uint8_t(0x80 >> (i & 7));
}

}  // namespace

void BuildTone(const ScanParams& p, const GammaChannel gamma[4], ToneTables* t) {
  bool multiLevel = p.composition == 1 || p.composition == 2 || p.composition == 4 || p.composition == 5;
  for (int c = 0; c < 4; ++c) {
    int factor = 100 + p.lightness[c];
    if (factor < 0) factor = 0;
    for (int v = 0; v < 256; ++v) {
      int e = v * factor / 100;
      if (e > 255) e = 255;
      int g = multiLevel ? gamma[c].map[e] : e;
      int o = g + p.brightness;
      t->lut[c][v] = uint8_t(o < 0 ? 0 : o > 255 ? 255 : o);
    }
  }
}

uint8_t GreyOf(uint8_t lightSource, uint8_t r, uint8_t g, uint8_t b) {
  switch (lightSource) {
    case 0: return g;
    case 1: return r;
    case 2: return b;
  }
  return uint8_t((77 * r + 150 * g + 29 * b + 128) >> 8);
}

void FormatLine(const ScanParams& p, const ToneTables& t, const uint8_t* r, const uint8_t* g,
                const uint8_t* b, uint32_t n, uint32_t row, uint8_t* out) {
  const uint8_t* planes[3] = {r, g, b};
  const uint8_t* grey = t.lut[3];
  switch (p.composition) {
    case 0: {
      uint8_t thr = Threshold(p.threshold);
      PackBits(n, p.reverse, out,
               [&](uint32_t i) { return grey[GreyOf(p.lightSource, r[i], g[i], b[i])] < thr; });
      break;
    }
    case 1: {
      const uint8_t* pattern = kBayer[row & 3];
      PackBits(n, p.reverse, out, [&](uint32_t i) {
        return grey[GreyOf(p.lightSource, r[i], g[i], b[i])] < pattern[i & 3] * 16 + 8;
      });
      break;
    }
    case 2:
      for (uint32_t i = 0; i < n; ++i) out[i] = grey[GreyOf(p.lightSource, r[i], g[i], b[i])];
      break;
    case 3:
    case 4: {
      uint32_t planeBytes = (n + 7) / 8;
      const uint8_t* pattern = kBayer[row & 3];
      for (int c = 0; c < 3; ++c) {
        const uint8_t* lut = t.lut[c];
        const uint8_t* src = planes[c];
        uint8_t thr = Threshold(p.gradation[1 + c] ? p.gradation[1 + c] : p.threshold);
        if (p.composition == 3)
          PackBits(n, p.reverse, out + c * planeBytes, [&](uint32_t i) { return lut[src[i]] < thr; });
        else
          PackBits(n, p.reverse, out + c * planeBytes,
                   [&](uint32_t i) { return lut[src[i]] < pattern[i & 3] * 16 + 8; });
      }
      break;
    }
    case 5:
      for (int c = 0; c < 3; ++c) {
        const uint8_t* lut = t.lut[c];
        const uint8_t* src = planes[c];
        uint8_t* dst = out + size_t(c) * n;
        for (uint32_t i = 0; i < n; ++i) dst[i] = lut[src[i]];
      }
      break;
  }
}

}  // namespace vscsi
