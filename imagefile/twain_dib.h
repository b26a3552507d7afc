// TWAIN images as device-independent bitmaps: what DAT_IMAGEINFO describes,
// checked against what a DIB holds; the DIB's colour table from the pixel
// type and the source's palette; each source row in its DIB form; and
// resolutions as pixels per metre. The utility's transfers and TWACQUIRE's
// page files share it.
#pragma once
#include <array>
#include <cstdint>

#include "twain/twain.h"

namespace wq {

// How an image of the source becomes a DIB.
struct XferImage {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bits = 0;
  uint16_t pixelType = 0;
  uint64_t stride = 0;      // DIB row: ((bits x width + 31) / 32) x 4
  uint64_t imageSize = 0;   // height x stride
  uint32_t rowBytes = 0;    // data bytes of one source row
};

// Why an image cannot be stored.
enum class DibRefusal : uint8_t { kNone, kKind, kSize };
// Checks what a DIB holds: uncompressed, chunky, 1-bit BW, 4/8-bit grey,
// 1/4/8-bit palette, 24-bit RGB, sides 1 to 32,767.
bool DescribeTwainImage(const TW_IMAGEINFO& info, XferImage* out, DibRefusal* why);

// biXPelsPerMeter from a TWAIN resolution in ICAP_UNITS (inches or
// centimetres; other units give 0).
int32_t PelsPerMeter(uint16_t units, TW_FIX32 resolution);

// The colour table of the DIB (blue, green, red, 0 per entry) and whether
// the source's data bytes are inverted on the way: bilevel images with
// white as colour 0 (blackIsZero false).
struct ColourPlan {
  uint32_t colours = 0;
  std::array<uint8_t, 1024> table{};
  bool invert = false;
  bool swapRgb = false;
};
// palette is the source's DAT_PALETTE8 answer for palette images (null
// when the query failed).
ColourPlan PlanColours(const XferImage& image, bool blackIsZero, const TW_PALETTE8* palette);

// One source row into its DIB form (stride bytes, padding zero).
void ConvertRow(const XferImage& image, const ColourPlan& colours, const uint8_t* in,
                uint8_t* out);

}  // namespace wq
