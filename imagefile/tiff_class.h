// Which TIFF images the program converts, and how: the image class, the BMP
// depth and colour table it becomes, and the strip layout.
#pragma once
#include <array>
#include <cstdint>

#include "imagefile/file_status.h"
#include "imagefile/tiff_dir.h"

namespace wq {

enum class TiffClass : uint8_t { kBilevel, kGrey4, kPalette4, kGrey8, kPalette8, kRgb };

struct TiffLayout {
  TiffClass cls = TiffClass::kBilevel;
  uint16_t bmpBits = 1;
  uint32_t rowBytes = 0;        // one decoded row, all samples, no padding
  uint32_t rowsPerStrip = 0;
  uint32_t stripsPerPlane = 0;
  uint32_t planes = 1;          // 3 when red, green and blue lie in separate strips
  bool undoPredictor = false;   // LZW with horizontal differencing
  uint32_t colours = 0;
  std::array<uint8_t, 1024> colourTable{};  // blue, green, red, 0
};

// Accepts 1-bit bilevel, 4- and 8-bit grey or palette and 8-8-8 RGB images,
// uncompressed, CCITT modified Huffman or Group 3 1-D (bilevel only), or LZW.
// Refusals: JPEG, 2-D or uncompressed-mode Group 3, other classes, predictors
// and planar layouts give kRefused; other compressions kUnknownCompression;
// sides of 32,768 or more kImageTooLarge.
FileStatus TiffClassify(const TiffDir& dir, TiffLayout* layout);

}  // namespace wq
