// Colour matching of pixels: an offset and a slope per channel, looked up
// by the pixel's 15-bit colour.
#include "ds/pipeline/clrmatch.h"

namespace wq {

namespace {

inline uint8_t Corrected(int c, int offset, int slope) {
  const int v = c + offset + (((c & 7) * slope) >> 3);
  return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

inline void Match(const uint8_t* table, uint8_t* px) {
  // c0 is the third byte of the pixel, c2 the first.
  const int c0 = px[2], c1 = px[1], c2 = px[0];
  const size_t k = size_t((c0 >> 3) * 1024 + (c1 >> 3) * 32 + (c2 >> 3)) * 3;
  const int8_t* a = reinterpret_cast<const int8_t*>(table) + k;
  const int8_t* s = reinterpret_cast<const int8_t*>(table) + kClmHalfBytes + k;
  px[2] = Corrected(c0, a[0], s[0]);
  px[1] = Corrected(c1, a[1], s[1]);
  px[0] = Corrected(c2, a[2], s[2]);
}

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
  for (size_t y = 0; y < rows; ++y) {
    uint8_t* px = buffer + y * rowBytes;
    // Scans have long runs of one colour (the white of the paper above all):
    // a pixel like the one before it gets the same result.
    uint32_t lastIn = 0xFFFFFFFFu;
    uint8_t out0 = 0, out1 = 0, out2 = 0;
    for (size_t i = 0; i < pixels; ++i, px += 3) {
      const int c2 = px[0], c1 = px[1], c0 = px[2];
      const uint32_t in = uint32_t(c0) << 16 | uint32_t(c1) << 8 | uint32_t(c2);
      if (in != lastIn) {
        lastIn = in;
        const size_t k = size_t((c0 >> 3) * 1024 + (c1 >> 3) * 32 + (c2 >> 3)) * 3;
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
}

}  // namespace wq
