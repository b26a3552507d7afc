// The software edge filter on a ring of three lines (two sharpenings and a
// smoothing, the ends of each line left as they are), and planar colour lines
// turned into red, green, blue triples. Where the processor has AVX2, both
// take 16 bytes a step (the 32-bit build's baseline has no vector unit at all).
#include "ds/scan/edge.h"

#include <cstring>

#include "ds/pipeline/cpu.h"
#include "ds/pipeline/lines.h"

#if WQ_AVX2_FORMS
#include <immintrin.h>
#endif

namespace wq {

namespace {

inline uint8_t Clamp(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

template <int kEdges>
inline uint8_t Filter(int c, int around, int l, int r, int a, int d) {
  if (kEdges == 2) return Clamp((8 * c - around) >> 2);
  if (kEdges == 3) return Clamp((6 * c - around) >> 1);
  return uint8_t((l + r + 4 * c + a + d) >> 3);
}

// The step between neighbours (3 for colour, 1 for grey) is a constant and
// the lines do not overlap, so the compiler can work on many bytes at once.
template <int kEdges, size_t kStep>
void FilterBytes(const uint8_t* __restrict above, const uint8_t* __restrict centre,
                 const uint8_t* __restrict below, uint8_t* __restrict out, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) {
    const int l = centre[i - kStep], r = centre[i + kStep], a = above[i], d = below[i];
    out[i] = Filter<kEdges>(centre[i], l + r + a + d, l, r, a, d);
  }
}

#if WQ_AVX2_FORMS
WQ_TARGET_AVX2 inline __m256i Widen(const uint8_t* p) {
  return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// The same sums in 16-bit lanes (they stay within -1020 .. 2040); the
// saturating pack is the clamp. Returns where the plain loop goes on.
template <int kEdges>
WQ_VECTOR_ENTRY size_t FilterWide(const uint8_t* above, const uint8_t* centre, const uint8_t* below,
                                  uint8_t* out, size_t from, size_t to, size_t step) {
  size_t i = from;
  for (; i + 16 <= to; i += 16) {
    const __m256i c = Widen(centre + i);
    const __m256i around = _mm256_add_epi16(_mm256_add_epi16(Widen(centre + i - step), Widen(centre + i + step)),
                                            _mm256_add_epi16(Widen(above + i), Widen(below + i)));
    __m256i v;
    if (kEdges == 2) {
      v = _mm256_srai_epi16(_mm256_sub_epi16(_mm256_slli_epi16(c, 3), around), 2);
    } else if (kEdges == 3) {
      const __m256i six = _mm256_add_epi16(_mm256_slli_epi16(c, 2), _mm256_slli_epi16(c, 1));
      v = _mm256_srai_epi16(_mm256_sub_epi16(six, around), 1);
    } else {
      v = _mm256_srli_epi16(_mm256_add_epi16(_mm256_slli_epi16(c, 2), around), 3);
    }
    const __m128i bytes = _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), bytes);
  }
  return i;
}
#endif

template <size_t kStep>
void FilterLine(const uint8_t* above, const uint8_t* centre, const uint8_t* below, uint8_t* out,
                size_t from, size_t to, int edges) {
#if WQ_AVX2_FORMS
  if (g_LineOptions.Vector && Cpu().Avx2) {
    switch (edges) {
      case 2: from = FilterWide<2>(above, centre, below, out, from, to, kStep); break;
      case 3: from = FilterWide<3>(above, centre, below, out, from, to, kStep); break;
      case 4: from = FilterWide<4>(above, centre, below, out, from, to, kStep); break;
      default: break;
    }
  }
#endif
  switch (edges) {
    case 2: FilterBytes<2, kStep>(above, centre, below, out, from, to); break;
    case 3: FilterBytes<3, kStep>(above, centre, below, out, from, to); break;
    case 4: FilterBytes<4, kStep>(above, centre, below, out, from, to); break;
    default: break;
  }
}

#if WQ_AVX2_FORMS
// Sixteen pixels a step: each 16-byte block of triples gathers its bytes
// from the three planes, one shuffle each.
struct InterleaveMasks {
  alignas(16) int8_t m[3][3][16];  // [output block][plane][byte]
};

constexpr InterleaveMasks kInterleave = [] {
  InterleaveMasks t{};
  for (int block = 0; block < 3; ++block)
    for (int k = 0; k < 16; ++k)
      for (int plane = 0; plane < 3; ++plane) {
        const int m = 16 * block + k;
        t.m[block][plane][k] = m % 3 == plane ? int8_t(m / 3) : int8_t(-128);
      }
  return t;
}();

WQ_TARGET_AVX2 inline __m128i Mask(int block, int plane) {
  return _mm_load_si128(reinterpret_cast<const __m128i*>(kInterleave.m[block][plane]));
}

WQ_VECTOR_ENTRY size_t InterleaveWide(const uint8_t* r, const uint8_t* g, const uint8_t* b,
                                      uint8_t* out, size_t pixels) {
  const __m128i r0 = Mask(0, 0), g0 = Mask(0, 1), b0 = Mask(0, 2);
  const __m128i r1 = Mask(1, 0), g1 = Mask(1, 1), b1 = Mask(1, 2);
  const __m128i r2 = Mask(2, 0), g2 = Mask(2, 1), b2 = Mask(2, 2);
  size_t i = 0;
  for (; i + 16 <= pixels; i += 16) {
    const __m128i vr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + i));
    const __m128i vg = _mm_loadu_si128(reinterpret_cast<const __m128i*>(g + i));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    __m128i* o = reinterpret_cast<__m128i*>(out + 3 * i);
    _mm_storeu_si128(o, _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(vr, r0), _mm_shuffle_epi8(vg, g0)),
                                     _mm_shuffle_epi8(vb, b0)));
    _mm_storeu_si128(o + 1, _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(vr, r1), _mm_shuffle_epi8(vg, g1)),
                                         _mm_shuffle_epi8(vb, b1)));
    _mm_storeu_si128(o + 2, _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(vr, r2), _mm_shuffle_epi8(vg, g2)),
                                         _mm_shuffle_epi8(vb, b2)));
  }
  return i;
}
#endif

}  // namespace

void EdgeFilterLine(const uint8_t* ring, uint8_t* out, size_t lineBytes, uint32_t u, int edges,
                    bool colour) {
  const uint8_t* above = ring + (u % 3) * lineBytes;
  const uint8_t* centre = ring + ((u + 1) % 3) * lineBytes;
  const uint8_t* below = ring + ((u + 2) % 3) * lineBytes;
  const size_t step = colour ? 3 : 1;
  memcpy(out, centre, lineBytes);
  // Lines of fewer than three pixels, and the first and last pixel of any
  // line, pass unfiltered.
  if (lineBytes < 3 * step) return;
  if (colour)
    FilterLine<3>(above, centre, below, out, step, lineBytes - step, edges);
  else
    FilterLine<1>(above, centre, below, out, step, lineBytes - step, edges);
}

void PlanarToInterleaved(uint8_t* buffer, size_t lines, size_t lineBytes, uint8_t* scratch) {
  const size_t plane = lineBytes / 3;
  for (size_t y = 0; y < lines; ++y) {
    uint8_t* line = buffer + y * lineBytes;
    const uint8_t* r = line;
    const uint8_t* g = line + plane;
    const uint8_t* b = line + 2 * plane;
    size_t i = 0;
#if WQ_AVX2_FORMS
    if (g_LineOptions.Vector && Cpu().Avx2) i = InterleaveWide(r, g, b, scratch, plane);
#endif
    for (; i < plane; ++i) {
      scratch[3 * i] = r[i];
      scratch[3 * i + 1] = g[i];
      scratch[3 * i + 2] = b[i];
    }
    memcpy(line, scratch, 3 * plane);
  }
}

}  // namespace wq
