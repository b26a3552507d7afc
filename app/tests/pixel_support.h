// Pixels as the tests compare them: a BMP file's, through its colour
// table, and the fake source's, computed from its configuration.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/tests/fakeds/fake_source.h"

namespace wqtest {

// Pixel (x, y) of a BMP file (bottom-up, 1, 4, 8 or 24 bits) as red, green, blue.
void BmpPixel(const std::vector<uint8_t>& bmp, uint32_t x, uint32_t y, uint8_t rgb[3]);
// Pixel (x, y) of the fake source's image as red, green, blue.
void SourcePixel(const wqfake::FakeConfig& cfg, uint32_t x, uint32_t y, uint8_t rgb[3]);
// The first pixel where a BMP file differs from the source's image, as
// "x,y", or "" when all are equal ("size" when the sizes differ).
std::string FirstDifference(const wqfake::FakeConfig& cfg, const std::vector<uint8_t>& bmp);
// The same between two BMP files of any of those depths.
std::string FirstDifference(const std::vector<uint8_t>& want, const std::vector<uint8_t>& bmp);

}  // namespace wqtest
