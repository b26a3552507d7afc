// Pixels for the acquisition tests: a BMP file's pixel through its colour
// table, the fake source's from its configuration, and the first pixel where
// two images differ.
#include "app/tests/pixel_support.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/bytes.h"

namespace wqtest {

void BmpPixel(const std::vector<uint8_t>& bmp, uint32_t x, uint32_t y, uint8_t rgb[3]) {
  const uint32_t off = wq::GetLE32(&bmp[10]);
  const uint32_t w = wq::GetLE32(&bmp[18]);
  const uint32_t h = wq::GetLE32(&bmp[22]);
  const uint32_t bits = wq::GetLE16(&bmp[28]);
  const uint32_t stride = (bits * w + 31) / 32 * 4;
  const uint8_t* row = &bmp[off + size_t(h - 1 - y) * stride];
  uint32_t index;
  if (bits == 24) {
    rgb[0] = row[x * 3 + 2];
    rgb[1] = row[x * 3 + 1];
    rgb[2] = row[x * 3];
    return;
  }
  if (bits == 8) index = row[x];
  else if (bits == 4) index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
  else index = (row[x / 8] >> (7 - x % 8)) & 1;
  const uint8_t* entry = &bmp[54 + index * 4];
  rgb[0] = entry[2];
  rgb[1] = entry[1];
  rgb[2] = entry[0];
}

void SourcePixel(const wqfake::FakeConfig& cfg, uint32_t x, uint32_t y, uint8_t rgb[3]) {
  std::vector<uint8_t> row(wqfake::FakeRowBytes(cfg));
  wqfake::FakeRow(cfg, y, row.data());
  if (cfg.bits == 24) {
    std::memcpy(rgb, &row[x * 3], 3);
    return;
  }
  uint32_t v;
  if (cfg.bits == 8) v = row[x];
  else if (cfg.bits == 4) v = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
  else v = (row[x / 8] >> (7 - x % 8)) & 1;
  if (cfg.pixelType == TWPT_PALETTE) {
    wqfake::FakePaletteEntry(v, rgb);
    return;
  }
  // Bilevel: 0 is black; grey levels spread over 0-255.
  const uint32_t top = (1u << cfg.bits) - 1;
  rgb[0] = rgb[1] = rgb[2] = uint8_t(v * 255 / top);
}

std::string FirstDifference(const wqfake::FakeConfig& cfg, const std::vector<uint8_t>& bmp) {
  if (bmp.size() < 54 || int32_t(wq::GetLE32(&bmp[18])) != cfg.width ||
      int32_t(wq::GetLE32(&bmp[22])) != cfg.height)
    return "size";
  for (uint32_t y = 0; y < uint32_t(cfg.height); ++y)
    for (uint32_t x = 0; x < uint32_t(cfg.width); ++x) {
      uint8_t want[3], got[3];
      SourcePixel(cfg, x, y, want);
      BmpPixel(bmp, x, y, got);
      if (!std::equal(want, want + 3, got)) return std::to_string(x) + "," + std::to_string(y);
    }
  return "";
}

std::string FirstDifference(const std::vector<uint8_t>& want, const std::vector<uint8_t>& bmp) {
  if (want.size() < 54 || bmp.size() < 54) return "size";
  const int32_t width = int32_t(wq::GetLE32(&want[18])), height = int32_t(wq::GetLE32(&want[22]));
  if (width <= 0 || height <= 0 || int32_t(wq::GetLE32(&bmp[18])) != width ||
      int32_t(wq::GetLE32(&bmp[22])) != height)
    return "size";
  for (uint32_t y = 0; y < uint32_t(height); ++y)
    for (uint32_t x = 0; x < uint32_t(width); ++x) {
      uint8_t a[3], b[3];
      BmpPixel(want, x, y, a);
      BmpPixel(bmp, x, y, b);
      if (!std::equal(a, a + 3, b)) return std::to_string(x) + "," + std::to_string(y);
    }
  return "";
}

}  // namespace wqtest
