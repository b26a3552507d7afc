// Colour line art from the scanner: three bit planes to 8-colour codes.
// Eight pixels at a time through tables that spread a plane byte's bits
// into code positions.
#include <array>
#include <cstring>

#include "ds/pipeline/cpu.h"
#include "ds/pipeline/lines.h"

#if WQ_WIDE_VECTORS
#include <immintrin.h>
#endif

namespace wq {

namespace {

// Bit 7 - i of a plane byte as bit 0 of byte i (one code a byte).
constexpr std::array<uint64_t, 256> kSpreadBytes = [] {
  std::array<uint64_t, 256> t{};
  for (int v = 0; v < 256; ++v)
    for (int i = 0; i < 8; ++i)
      if (v & (0x80 >> i)) t[v] |= uint64_t(1) << (8 * i);
  return t;
}();

// Bit 7 - i of a plane byte as bit 0 of nibble i (two codes a byte, the
// left pixel high): pixel 2k in bits 4 of byte k, pixel 2k + 1 in bit 0.
constexpr std::array<uint32_t, 256> kSpreadNibbles = [] {
  std::array<uint32_t, 256> t{};
  for (int v = 0; v < 256; ++v)
    for (int i = 0; i < 8; ++i)
      if (v & (0x80 >> i)) t[v] |= uint32_t(1) << (8 * (i / 2) + (i % 2 == 0 ? 4 : 0));
  return t;
}();

#if WQ_WIDE_VECTORS
// Four plane bytes as 32 bytes: `weight` where the pixel's bit is set.
WQ_TARGET_AVX2 inline __m256i PlaneBits(const uint8_t* p, __m256i spread, __m256i bit, __m256i weight) {
  int32_t four;
  memcpy(&four, p, 4);
  const __m256i bytes = _mm256_shuffle_epi8(_mm256_set1_epi32(four), spread);
  return _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_and_si256(bytes, bit), bit), weight);
}

// 32 pixels a step: each plane byte is spread over eight bytes, tested bit
// by bit and weighted by its channel. Returns the plane bytes done.
WQ_TARGET_AVX2 size_t PlanesWide(const uint8_t* red, const uint8_t* green, const uint8_t* blue,
                                 size_t planeBytes, uint8_t* out, size_t outBytes, bool pack) {
  const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1,  //
                                          2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3);
  const __m256i bit = _mm256_set1_epi64x(int64_t(0x0102040810204080ull));
  const __m256i one = _mm256_set1_epi8(1), two = _mm256_set1_epi8(2), four = _mm256_set1_epi8(4);
  const __m256i pairs = _mm256_set1_epi16(0x0110);  // first code x 16 + second code
  const size_t per = pack ? 16 : 32;                   // output bytes of four plane bytes
  size_t j = 0;
  for (; j + 4 <= planeBytes && (j / 4 + 1) * per <= outBytes; j += 4) {
    const __m256i codes = _mm256_or_si256(
        _mm256_or_si256(PlaneBits(red + j, spread, bit, one), PlaneBits(green + j, spread, bit, two)),
        PlaneBits(blue + j, spread, bit, four));
    if (pack) {
      const __m256i joined = _mm256_maddubs_epi16(codes, pairs);       // 16 values < 256
      const __m256i packed = _mm256_packus_epi16(joined, joined);      // per lane: 8 bytes twice
      const __m256i ordered = _mm256_permute4x64_epi64(packed, 0x08);  // lanes' low halves together
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j / 4 * per), _mm256_castsi256_si128(ordered));
    } else {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + j / 4 * per), codes);
    }
  }
  return j;
}

// The same, 64 pixels a step, where the processor has 64-byte registers.
WQ_TARGET_VBMI inline __m512i PlaneMask(const uint8_t* p, __m512i spread, __m512i bit, __m512i weight) {
  int64_t eight;
  memcpy(&eight, p, 8);
  const __m512i bytes = _mm512_shuffle_epi8(_mm512_set1_epi64(eight), spread);
  return _mm512_maskz_mov_epi8(_mm512_test_epi8_mask(bytes, bit), weight);
}

WQ_TARGET_VBMI size_t PlanesWide512(const uint8_t* red, const uint8_t* green, const uint8_t* blue,
                                    size_t planeBytes, uint8_t* out, size_t outBytes, bool pack) {
  // Lane k of the register takes plane bytes 2k and 2k + 1.
  alignas(64) int8_t index[64];
  for (int b = 0; b < 64; ++b) index[b] = int8_t(b / 8);
  const __m512i spread = _mm512_load_si512(index);
  const __m512i bit = _mm512_set1_epi64(int64_t(0x0102040810204080ull));
  const __m512i one = _mm512_set1_epi8(1), two = _mm512_set1_epi8(2), four = _mm512_set1_epi8(4);
  const __m512i pairs = _mm512_set1_epi16(0x0110);
  const __m512i lows = _mm512_setr_epi64(0, 2, 4, 6, 0, 2, 4, 6);
  const size_t per = pack ? 32 : 64;  // output bytes of eight plane bytes
  size_t j = 0;
  for (; j + 8 <= planeBytes && (j / 8 + 1) * per <= outBytes; j += 8) {
    const __m512i codes = _mm512_or_si512(
        _mm512_or_si512(PlaneMask(red + j, spread, bit, one), PlaneMask(green + j, spread, bit, two)),
        PlaneMask(blue + j, spread, bit, four));
    if (pack) {
      const __m512i joined = _mm512_maddubs_epi16(codes, pairs);
      const __m512i packed = _mm512_packus_epi16(joined, joined);  // per lane: 8 bytes twice
      const __m512i ordered = _mm512_permutexvar_epi64(lows, packed);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + j / 8 * per), _mm512_castsi512_si256(ordered));
    } else {
      _mm512_storeu_si512(out + j / 8 * per, codes);
    }
  }
  return j;
}
#endif

}  // namespace

size_t PlanesToCodes(const uint8_t* planes, size_t planeBytes, uint8_t* out, size_t outBytes,
                     bool pack) {
  const uint8_t* red = planes;
  const uint8_t* green = planes + planeBytes;
  const uint8_t* blue = planes + 2 * planeBytes;
  const size_t per = pack ? 4 : 8;  // output bytes of one plane byte
  size_t j = 0, written = 0;
#if WQ_WIDE_VECTORS
  if (g_LineOptions.Vector && Cpu().Vbmi) {
    j = PlanesWide512(red, green, blue, planeBytes, out, outBytes, pack);
    written = j * per;
  }
  if (g_LineOptions.Vector && Cpu().Avx2) {
    const size_t more = PlanesWide(red + j, green + j, blue + j, planeBytes - j, out + written,
                                   outBytes - written, pack);
    j += more;
    written += more * per;
  }
#endif
  for (; j < planeBytes && written + per <= outBytes; ++j, written += per) {
    if (pack) {
      const uint32_t codes = kSpreadNibbles[red[j]] | kSpreadNibbles[green[j]] << 1 |
                             kSpreadNibbles[blue[j]] << 2;
      // Little-endian bytes in memory order.
      for (int b = 0; b < 4; ++b) out[written + b] = uint8_t(codes >> (8 * b));
    } else {
      const uint64_t codes = kSpreadBytes[red[j]] | kSpreadBytes[green[j]] << 1 |
                             kSpreadBytes[blue[j]] << 2;
      for (int b = 0; b < 8; ++b) out[written + b] = uint8_t(codes >> (8 * b));
    }
  }
  // A last plane byte that fills the output only in part.
  if (j < planeBytes && written < outBytes) {
    const uint8_t three[3] = {red[j], green[j], blue[j]};
    uint8_t tmp[8];
    PlanesToCodes(three, 1, tmp, per, pack);
    memcpy(out + written, tmp, outBytes - written);
    written = outBytes;
  }
  return written;
}

}  // namespace wq
