// Error diffusion to two levels. The error line carries, for each position,
// the error of the line above until the current line overwrites it: at
// pixel p, E[p] is the error just made on this line and E[p + 1 .. p + 8]
// are the errors of the line above to the right.
//
// The weighted sums of the line above do not depend on this line's errors
// (they read only places not yet overwritten), so they are taken a block
// ahead, several at a time; only the error just made is carried pixel to
// pixel.
#include "ds/pipeline/diffuse_step.h"
#include "ds/pipeline/lines.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define WQ_VECTOR_DIFFUSE 1
#endif

namespace wq {

namespace {

constexpr size_t kBlock = 64;

// above[j] = the line above's sum at pixel p + j, for count pixels.
void AboveSums(const int16_t* e, size_t p, size_t count, int16_t* above) {
  size_t j = 0;
#if WQ_VECTOR_DIFFUSE
  if (g_LineOptions.Vector) {
    for (; j + 8 <= count; j += 8) {
      const int16_t* at = e + p + j;
      auto load = [&](int k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k)); };
      __m128i s = _mm_srai_epi16(load(1), 2);
      s = _mm_add_epi16(s, _mm_srai_epi16(load(2), 3));
      s = _mm_add_epi16(s, _mm_srai_epi16(load(3), 4));
      s = _mm_add_epi16(s, _mm_srai_epi16(load(4), 5));
      s = _mm_add_epi16(s, _mm_srai_epi16(load(5), 6));
      s = _mm_add_epi16(s, _mm_srai_epi16(load(6), 7));
      s = _mm_add_epi16(s, _mm_srai_epi16(load(7), 8));
      s = _mm_add_epi16(s, _mm_srai_epi16(load(8), 8));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(above + j), s);
    }
  }
#endif
  for (; j < count; ++j) above[j] = int16_t(diffuse::Above(e + p + j));
}

// One decision with the line above's sum already taken: true for white.
inline bool Decide(int v, int above, int16_t* e, size_t p, int& cur) {
  const int t = v + (cur >> 1) + above;
  const bool white = t >= 128;
  cur = white ? t - 255 : t;
  e[p + 1] = int16_t(cur);
  return white;
}

struct Channel {
  int16_t* e;
  int cur;
  int16_t above[kBlock];
};

// Codes of pixels p .. p + count - 1 of a colour line.
template <typename Put>
void ColourBlock(const uint8_t* src, Channel (&ch)[3], size_t p, size_t count, Put put) {
  for (auto& c : ch) AboveSums(c.e, p, count, c.above);
  for (size_t j = 0; j < count; ++j) {
    const uint8_t* px = src + 3 * (p + j);
    const unsigned code = unsigned(Decide(px[0], ch[0].above[j], ch[0].e, p + j, ch[0].cur)) |
                          unsigned(Decide(px[1], ch[1].above[j], ch[1].e, p + j, ch[1].cur)) << 1 |
                          unsigned(Decide(px[2], ch[2].above[j], ch[2].e, p + j, ch[2].cur)) << 2;
    put(p + j, code);
  }
}

}  // namespace

void DiffuseMono(const uint8_t* src, uint8_t* dst, int16_t* e, size_t n, bool reversed) {
  if (n == 0) return;
  const unsigned flip = reversed ? 0xFF : 0x00;
  int cur = e[0];
  int16_t above[kBlock];
  unsigned bits = 0;
  for (size_t p = 0; p < n; p += kBlock) {
    const size_t count = n - p < kBlock ? n - p : kBlock;
    AboveSums(e, p, count, above);
    for (size_t j = 0; j < count; ++j) {
      const size_t at = p + j;
      bits = bits << 1 | unsigned(Decide(src[at], above[j], e, at, cur));
      // A byte is written once its eight pixels are read.
      if (at % 8 == 7) {
        dst[at / 8] = uint8_t(bits ^ flip);
        bits = 0;
      }
    }
  }
  if (n % 8) {
    const int rest = int(n % 8);
    dst[n / 8] = uint8_t(((bits << (8 - rest)) ^ flip) & (0xFFu << (8 - rest)));
  }
}

void DiffuseColourBytes(const uint8_t* src, uint8_t* dst, int16_t* er, int16_t* eg, int16_t* eb,
                        size_t n, bool reversed) {
  if (n == 0) return;
  const unsigned flip = reversed ? 7 : 0;
  Channel ch[3] = {{er, er[0], {}}, {eg, eg[0], {}}, {eb, eb[0], {}}};
  for (size_t p = 0; p < n; p += kBlock)
    ColourBlock(src, ch, p, n - p < kBlock ? n - p : kBlock,
                [&](size_t at, unsigned code) { dst[at] = uint8_t(code ^ flip); });
}

void DiffuseColourNibbles(const uint8_t* src, uint8_t* dst, int16_t* er, int16_t* eg,
                          int16_t* eb, size_t n, bool reversed) {
  if (n == 0) return;
  const unsigned flip = reversed ? 7 : 0;
  Channel ch[3] = {{er, er[0], {}}, {eg, eg[0], {}}, {eb, eb[0], {}}};
  unsigned high = 0;
  for (size_t p = 0; p < n; p += kBlock)
    ColourBlock(src, ch, p, n - p < kBlock ? n - p : kBlock, [&](size_t at, unsigned code) {
      if (at % 2 == 0)
        high = code ^ flip;
      else
        dst[at / 2] = uint8_t(high << 4 | (code ^ flip));
    });
  // An odd last pixel leaves the low nibble 0.
  if (n % 2) dst[n / 2] = uint8_t(high << 4);
}

}  // namespace wq
