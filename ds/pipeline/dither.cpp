// Ordered dither: each pixel against its threshold of the 8 x 8 matrix.
// The work runs on a plan of thresholds (v >= K), which also lets an
// adjustment table be folded into the comparison.
#include <array>
#include <cstring>

#include "ds/pipeline/lines.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define WQ_VECTOR_DITHER 1
#endif

namespace wq {

LineRoutineOptions g_LineOptions = {true};

namespace {

constexpr std::array<uint8_t, 256> kReverseBits = [] {
  std::array<uint8_t, 256> r{};
  for (int v = 0; v < 256; ++v) {
    int x = 0;
    for (int b = 0; b < 8; ++b)
      if (v & (1 << b)) x |= 0x80 >> b;
    r[v] = uint8_t(x);
  }
  return r;
}();

// Codes of four colour pixels from their twelve on/off bits (bit 3i + c
// for channel c of pixel i): as four bytes, and as two packed bytes.
constexpr std::array<uint32_t, 4096> kCodeBytes = [] {
  std::array<uint32_t, 4096> t{};
  for (uint32_t b = 0; b < 4096; ++b)
    for (int i = 0; i < 4; ++i) t[b] |= ((b >> (3 * i)) & 7) << (8 * i);
  return t;
}();
constexpr std::array<uint16_t, 4096> kCodeNibbles = [] {
  std::array<uint16_t, 4096> t{};
  for (uint32_t b = 0; b < 4096; ++b) {
    const uint32_t c0 = b & 7, c1 = (b >> 3) & 7, c2 = (b >> 6) & 7, c3 = (b >> 9) & 7;
    t[b] = uint16_t((c0 << 4 | c1) | (c2 << 4 | c3) << 8);
  }
  return t;
}();

inline bool On(const DitherPlan& p, uint32_t row, size_t col, uint8_t v) {
  const size_t at = (row % 8) * 8 + col % 8;
  return v >= p.K[at] && !((p.Never[row % 8] >> (col % 8)) & 1);
}

inline uint8_t Code(const DitherPlan& r, const DitherPlan& g, const DitherPlan& b, uint32_t row,
                    size_t i, const uint8_t* px) {
  return uint8_t(unsigned(On(r, row, i, px[0])) | unsigned(On(g, row, i, px[1])) << 1 |
                 unsigned(On(b, row, i, px[2])) << 2);
}

}  // namespace

bool BuildDitherPlan(const uint8_t* matrix, const uint8_t* table, DitherPlan* plan) {
  memset(plan->Never, 0, sizeof plan->Never);
  for (int at = 0; at < 64; ++at) {
    const int m = matrix[at];
    int k = 256;  // the first value that is on
    if (!table) {
      k = m + 1;
    } else {
      for (int v = 0; v < 256; ++v)
        if (table[v] > m) {
          k = v;
          break;
        }
      for (int v = k; v < 256; ++v)
        if (table[v] <= m) return false;  // the on-set has a gap
    }
    if (k > 255) {
      plan->Never[at / 8] |= uint8_t(1 << (at % 8));
      k = 255;
    }
    plan->K[at] = uint8_t(k);
  }
  return true;
}

void DitherMonoPlanned(uint8_t* line, const DitherPlan& plan, size_t n, uint32_t row, bool reversed) {
  if (n == 0) return;
  const uint8_t flip = reversed ? 0xFF : 0x00;
  const uint8_t* k = plan.K + (row % 8) * 8;
  const uint8_t never = plan.Never[row % 8];
  size_t i = 0, out = 0;
#if WQ_VECTOR_DITHER
  if (g_LineOptions.Vector) {
    uint8_t pattern[16];
    memcpy(pattern, k, 8);
    memcpy(pattern + 8, k, 8);
    const __m128i kv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern));
    const unsigned keep = ~unsigned(never | never << 8);
    // Sixteen pixels give two output bytes; reading runs ahead of writing.
    for (; i + 16 <= n; i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + i));
      const __m128i ge = _mm_cmpeq_epi8(_mm_max_epu8(v, kv), v);
      const unsigned bits = unsigned(_mm_movemask_epi8(ge)) & keep;
      line[out++] = uint8_t(kReverseBits[bits & 0xFF] ^ flip);
      line[out++] = uint8_t(kReverseBits[bits >> 8] ^ flip);
    }
  }
#endif
  for (; i < n; i += 8) {
    const size_t count = n - i < 8 ? n - i : 8;
    unsigned bits = 0;
    for (size_t c = 0; c < count; ++c)
      bits |= unsigned(line[i + c] >= k[c] && !((never >> c) & 1)) << (7 - c);
    // Pad bits past the last pixel stay 0 either way.
    const unsigned mask = 0xFFu << (8 - count);
    line[out++] = uint8_t((bits ^ flip) & mask);
  }
}

void DitherColourPlanned(uint8_t* line, const DitherPlan& pr, const DitherPlan& pg,
                         const DitherPlan& pb, size_t n, uint32_t row, bool reversed, bool nibbles) {
  if (n == 0) return;
  size_t i = 0;
#if WQ_VECTOR_DITHER
  if (g_LineOptions.Vector && n >= 16) {
    // Thresholds of sixteen pixels as they lie in memory, and the bits that
    // are never on.
    alignas(16) uint8_t pattern[48];
    uint64_t never = 0;
    const DitherPlan* plans[3] = {&pr, &pg, &pb};
    for (int j = 0; j < 48; ++j) {
      const DitherPlan& p = *plans[j % 3];
      const int col = (j / 3) % 8;
      pattern[j] = p.K[(row % 8) * 8 + col];
      if ((p.Never[row % 8] >> col) & 1) never |= uint64_t(1) << j;
    }
    const __m128i k0 = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern));
    const __m128i k1 = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern + 16));
    const __m128i k2 = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern + 32));
    const uint32_t flip4 = reversed ? 0x07070707u : 0;
    const uint16_t flip2 = reversed ? 0x7777 : 0;
    // Sixteen pixels (48 bytes) a step; codes are written behind the reading.
    for (; i + 16 <= n; i += 16) {
      const uint8_t* src = line + 3 * i;
      const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
      const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
      const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 32));
      uint64_t bits = uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v0, k0), v0)))) |
                      uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v1, k1), v1)))) << 16 |
                      uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v2, k2), v2)))) << 32;
      bits &= ~never;
      if (nibbles) {
        uint8_t* out = line + i / 2;
        for (int q = 0; q < 4; ++q) {
          const uint16_t two = uint16_t(kCodeNibbles[(bits >> (12 * q)) & 0xFFF] ^ flip2);
          memcpy(out + 2 * q, &two, 2);
        }
      } else {
        uint8_t* out = line + i;
        for (int q = 0; q < 4; ++q) {
          const uint32_t four = kCodeBytes[(bits >> (12 * q)) & 0xFFF] ^ flip4;
          memcpy(out + 4 * q, &four, 4);
        }
      }
    }
  }
#endif
  const uint8_t flip = reversed ? 7 : 0;
  if (!nibbles) {
    for (; i < n; ++i) line[i] = uint8_t(Code(pr, pg, pb, row, i, line + 3 * i) ^ flip);
    return;
  }
  size_t out = i / 2;
  for (; i + 2 <= n; i += 2) {
    const uint8_t hi = Code(pr, pg, pb, row, i, line + 3 * i) ^ flip;
    const uint8_t lo = Code(pr, pg, pb, row, i + 1, line + 3 * i + 3) ^ flip;
    line[out++] = uint8_t(hi << 4 | lo);
  }
  // An odd last pixel leaves the low nibble 0.
  if (i < n) line[out] = uint8_t((Code(pr, pg, pb, row, i, line + 3 * i) ^ flip) << 4);
}

void DitherMono(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row, bool reversed) {
  DitherPlan plan;
  BuildDitherPlan(matrix, nullptr, &plan);
  DitherMonoPlanned(line, plan, n, row, reversed);
}

void DitherColourBytes(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row,
                       bool reversed) {
  DitherPlan plan;
  BuildDitherPlan(matrix, nullptr, &plan);
  DitherColourPlanned(line, plan, plan, plan, n, row, reversed, false);
}

void DitherColourNibbles(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row,
                         bool reversed) {
  DitherPlan plan;
  BuildDitherPlan(matrix, nullptr, &plan);
  DitherColourPlanned(line, plan, plan, plan, n, row, reversed, true);
}

}  // namespace wq
