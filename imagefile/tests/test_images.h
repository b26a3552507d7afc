// Test pictures with known pixels in every class the codecs handle, and an
// independent minimal writer of uncompressed TIFF files for them (tiffcp turns
// those into every other coding).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wqtest {

enum class Kind { kBilevel, kGrey4, kPalette4, kGrey8, kPalette8, kRgb };

struct TestImage {
  Kind kind = Kind::kRgb;
  uint32_t width = 0;
  uint32_t height = 0;
  int bits = 24;                     // 1, 4, 8 or 24
  int photometric = 2;               // TIFF PhotometricInterpretation
  std::vector<uint8_t> values;       // per pixel: the index, or R, G, B
  std::vector<std::array<uint8_t, 3>> palette;  // RGB of each index
};

// A busy pattern (gradients, noise and flat areas) so that every coding works hard.
TestImage MakeImage(Kind kind, uint32_t width, uint32_t height, int photometric = -1);
// A bilevel image made of runs of every CCITT code length, both colours.
TestImage MakeRunImage(uint32_t width);

std::vector<uint8_t> ExpectedRgb(const TestImage& image);
// Rows packed as TIFF and BMP rows are (most significant bits first), no padding.
std::vector<uint8_t> PackedRow(const TestImage& image, uint32_t y);

// Descriptive fields a reference file can carry besides the pixels.
struct TiffExtras {
  bool resolution = false;
  uint32_t xNumerator = 0, yNumerator = 0, denominator = 1;
  bool fillOrder = false;
  std::vector<std::pair<uint16_t, std::string>> ascii;  // tag, text
};

// One strip, little-endian, entries in tag order.
bool WriteSimpleTiff(const TestImage& image, const std::string& path,
                     const TiffExtras& extras = TiffExtras());

// First position where two RGB buffers differ, or -1.
long FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

const char* KindName(Kind kind);

}  // namespace wqtest
