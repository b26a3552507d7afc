// One pixel of a BMP row at any of the document depths (1, 4, 8, 24 bits),
// read and written where it sits, most significant bits first.
#pragma once
#include <cstdint>
#include <cstring>

namespace wq {

// A pixel as a number: the index, or blue | green << 8 | red << 16.
inline uint32_t GetPixel(const uint8_t* row, uint32_t x, uint16_t bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
    case 8: return row[x];
    default: {
      const uint8_t* p = row + size_t(x) * 3;
      return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    }
  }
}

// Sets a pixel; the other bits of its byte keep their values.
inline void PutPixel(uint8_t* row, uint32_t x, uint16_t bits, uint32_t v) {
  switch (bits) {
    case 1: {
      const uint8_t mask = uint8_t(0x80u >> (x & 7));
      row[x >> 3] = uint8_t(v ? row[x >> 3] | mask : row[x >> 3] & ~mask);
      break;
    }
    case 4: {
      const int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = uint8_t((row[x >> 1] & ~(0xF << shift)) | (v & 0xF) << shift);
      break;
    }
    case 8: row[x] = uint8_t(v); break;
    default: {
      uint8_t* p = row + size_t(x) * 3;
      p[0] = uint8_t(v);
      p[1] = uint8_t(v >> 8);
      p[2] = uint8_t(v >> 16);
    }
  }
}

}  // namespace wq
