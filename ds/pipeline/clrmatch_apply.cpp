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
  for (size_t y = 0; y < rows; ++y) {
    uint8_t* px = buffer + y * rowBytes;
    for (size_t i = 0; i < pixels; ++i, px += 3) Match(table, px);
  }
}

}  // namespace wq
