// BMP file and info headers (BITMAPFILEHEADER + BITMAPINFOHEADER, 54 bytes,
// little-endian), shared by everything that writes or reads device-independent
// bitmaps.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

constexpr uint32_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpInfoHeaderSize = 40;
constexpr uint32_t kBmpHeadersSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;

struct BmpHeader {
  uint32_t fileSize = 0;      // bfSize
  uint32_t offBits = 0;       // bfOffBits
  uint32_t infoSize = 0;      // biSize
  int32_t width = 0;
  int32_t height = 0;         // positive: rows bottom-up
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;   // 0 none, 1 RLE8, 2 RLE4, 3 bit fields ...
  uint32_t sizeImage = 0;
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t clrUsed = 0;
  uint32_t clrImportant = 0;
};

enum class BmpHeaderStatus : uint8_t {
  kOk,
  kNotBmp,          // no "BM" at the start
  kNotInfoHeader,   // an info header of another size (OS/2 and later variants)
  kRunLength,       // RLE8 or RLE4 pixels
  kTruncated,       // fewer bytes than the headers need
};

// Bytes of one stored row: padded to a multiple of 4.
constexpr uint64_t BmpStride(uint32_t bits, uint32_t width) {
  return (uint64_t(bits) * width + 31) / 32 * 4;
}
// Bytes of one row without padding.
constexpr uint64_t BmpRowBytes(uint32_t bits, uint32_t width) {
  return (uint64_t(bits) * width + 7) / 8;
}
// Colour-table entries a bitmap of this depth has when biClrUsed is 0.
constexpr uint32_t BmpDefaultColours(uint32_t bits) {
  return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
}
inline uint32_t BmpColourCount(const BmpHeader& h) {
  return h.clrUsed ? h.clrUsed : BmpDefaultColours(h.bitCount);
}

// Headers of an uncompressed bottom-up bitmap with its colour table right after
// them and the pixel rows right after the table. False when the sizes do not
// fit the 32-bit fields.
bool BmpMakeHeader(uint32_t width, uint32_t height, uint16_t bits, uint32_t clrUsed,
                   int32_t xPelsPerMeter, int32_t yPelsPerMeter, BmpHeader* out);

void BmpEncodeHeader(const BmpHeader& h, uint8_t out[kBmpHeadersSize]);

// Reads the file header and, when present, the 40-byte info header. With
// another info-header size only infoSize is filled.
BmpHeaderStatus BmpDecodeHeader(const uint8_t* p, size_t n, BmpHeader* out);

}  // namespace wq
