// Opening the program's working format: which BMP files the program accepts,
// their colour table, and reading their pixel rows.
#pragma once
#include <array>
#include <cstdint>

#include "imagefile/file_status.h"
#include "imagefile/bmp.h"
#include "common/io.h"

namespace wq {

// Documents are limited to this size in either direction.
constexpr uint32_t kMaxImageSide = 32767;

struct BmpImage {
  BmpHeader header;
  uint32_t width = 0;
  uint32_t height = 0;
  bool topDown = false;  // negative biHeight: rows stored top row first
  uint16_t bits = 0;
  uint32_t colours = 0;  // entries in the colour table
  std::array<uint8_t, 1024> colourTable{};  // blue, green, red, 0; zero beyond colours
  uint64_t pixelOffset = 0;
  uint64_t stride = 0;
};

// Checks the headers and reads the colour table: "BM" (else kNotBmp), a
// 40-byte info header (else kOs2Bmp), no run-length coding (else kPackedBmp),
// uncompressed 1, 4, 8 or 24 bits (else kUnsupportedBmp), sides below 32,768
// (else kImageTooLarge), and all pixel rows present (else kCorrupt).
FileStatus BmpOpen(const WqIo& io, BmpImage* img);

// Reads count rows from top row y into buf (count x stride bytes, file order).
FileStatus BmpReadRowBlock(const WqIo& io, const BmpImage& img, uint32_t y, uint32_t count,
                           uint8_t* buf);
// Row j (0 = topmost) of a block read by BmpReadRowBlock.
inline const uint8_t* BmpBlockRow(const BmpImage& img, const uint8_t* buf, uint32_t count,
                                  uint32_t j) {
  return buf + (img.topDown ? j : count - 1 - j) * img.stride;
}

}  // namespace wq
