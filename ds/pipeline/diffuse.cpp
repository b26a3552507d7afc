// Error diffusion to two levels. The error line carries, for each position,
// the error of the line above until the current line overwrites it: at
// pixel p, E[p] is the error just made on this line and E[p + 1 .. p + 8]
// are the errors of the line above to the right.
#include "ds/pipeline/diffuse_step.h"
#include "ds/pipeline/lines.h"

namespace wq {

namespace {

using diffuse::Step;

// One channel position of a colour pixel through its error line.
struct Channel {
  int16_t* e;
  int cur;
  inline unsigned Bit(int v, size_t p) { return Step(v, e + p, cur) ? 1u : 0u; }
};

inline unsigned ColourCode(const uint8_t* px, Channel& r, Channel& g, Channel& b, size_t p) {
  return r.Bit(px[0], p) | g.Bit(px[1], p) << 1 | b.Bit(px[2], p) << 2;
}

}  // namespace

void DiffuseMono(const uint8_t* src, uint8_t* dst, int16_t* e, size_t n, bool reversed) {
  if (n == 0) return;
  const unsigned flip = reversed ? 0xFF : 0x00;
  int cur = e[0];
  size_t p = 0, out = 0;
  for (; p + 8 <= n; p += 8) {
    unsigned bits = 0;
    for (int k = 0; k < 8; ++k) bits |= unsigned(Step(src[p + k], e + p + k, cur)) << (7 - k);
    dst[out++] = uint8_t(bits ^ flip);
  }
  if (p < n) {
    const int rest = int(n - p);
    unsigned bits = 0;
    for (int k = 0; k < rest; ++k) bits |= unsigned(Step(src[p + k], e + p + k, cur)) << (7 - k);
    dst[out] = uint8_t((bits ^ flip) & (0xFFu << (8 - rest)));
  }
}

void DiffuseColourBytes(const uint8_t* src, uint8_t* dst, int16_t* er, int16_t* eg, int16_t* eb,
                        size_t n, bool reversed) {
  if (n == 0) return;
  const unsigned flip = reversed ? 7 : 0;
  Channel r{er, er[0]}, g{eg, eg[0]}, b{eb, eb[0]};
  for (size_t p = 0; p < n; ++p) dst[p] = uint8_t(ColourCode(src + 3 * p, r, g, b, p) ^ flip);
}

void DiffuseColourNibbles(const uint8_t* src, uint8_t* dst, int16_t* er, int16_t* eg,
                          int16_t* eb, size_t n, bool reversed) {
  if (n == 0) return;
  const unsigned flip = reversed ? 7 : 0;
  Channel r{er, er[0]}, g{eg, eg[0]}, b{eb, eb[0]};
  size_t p = 0, out = 0;
  for (; p + 2 <= n; p += 2) {
    const unsigned hi = ColourCode(src + 3 * p, r, g, b, p) ^ flip;
    const unsigned lo = ColourCode(src + 3 * p + 3, r, g, b, p + 1) ^ flip;
    dst[out++] = uint8_t(hi << 4 | lo);
  }
  if (p < n) dst[out] = uint8_t((ColourCode(src + 3 * p, r, g, b, p) ^ flip) << 4);
}

}  // namespace wq
