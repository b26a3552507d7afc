// Ordered dither: each pixel against its threshold of the 8 x 8 matrix.
#include <cstring>

#include "ds/pipeline/lines.h"

namespace wq {

namespace {

// Bits of 8 grey pixels against one matrix row: bit 7 the first pixel.
inline uint8_t MonoByte(const uint8_t* v, const uint8_t* m, int count) {
  unsigned bits = 0;
  for (int k = 0; k < count; ++k) bits |= unsigned(v[k] > m[k]) << (7 - k);
  return uint8_t(bits);
}

inline uint8_t ColourCode(const uint8_t* p, uint8_t m) {
  return uint8_t(unsigned(p[0] > m) | unsigned(p[1] > m) << 1 | unsigned(p[2] > m) << 2);
}

}  // namespace

void DitherMono(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row, bool reversed) {
  if (n == 0) return;
  const uint8_t* m = matrix + (row % 8) * 8;
  const uint8_t flip = reversed ? 0xFF : 0x00;
  size_t i = 0, out = 0;
  // Output byte k is written after its eight pixels are read; reading runs
  // eight bytes ahead of writing, so the conversion works in place.
  for (; i + 8 <= n; i += 8) line[out++] = uint8_t(MonoByte(line + i, m, 8) ^ flip);
  if (i < n) {
    const int rest = int(n - i);
    // Pad bits past the last pixel stay 0 either way.
    const uint8_t mask = uint8_t(0xFF << (8 - rest));
    line[out] = uint8_t((MonoByte(line + i, m, rest) ^ flip) & mask);
  }
}

void DitherColourBytes(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row,
                       bool reversed) {
  const uint8_t* m = matrix + (row % 8) * 8;
  const uint8_t flip = reversed ? 7 : 0;
  for (size_t i = 0; i < n; ++i) line[i] = uint8_t(ColourCode(line + 3 * i, m[i % 8]) ^ flip);
}

void DitherColourNibbles(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row,
                         bool reversed) {
  const uint8_t* m = matrix + (row % 8) * 8;
  const uint8_t flip = reversed ? 7 : 0;
  size_t i = 0, out = 0;
  for (; i + 2 <= n; i += 2) {
    const uint8_t hi = ColourCode(line + 3 * i, m[i % 8]) ^ flip;
    const uint8_t lo = ColourCode(line + 3 * i + 3, m[(i + 1) % 8]) ^ flip;
    line[out++] = uint8_t(hi << 4 | lo);
  }
  // An odd last pixel leaves the low nibble 0.
  if (i < n) line[out] = uint8_t((ColourCode(line + 3 * i, m[i % 8]) ^ flip) << 4);
}

}  // namespace wq
