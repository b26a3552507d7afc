// The row, bitmap row and header sizes of each image kind and mechanism, and
// the memory transfer's minimum, preferred and maximum buffer sizes.
#include "ds/core/xfergeom.h"

#include "twain/twain.h"

namespace wq {
namespace {
uint32_t Padded(uint32_t bitsPerPixel, uint32_t w) { return (bitsPerPixel * w + 31) / 32 * 4; }
}  // namespace

XferGeometry ComputeXferGeometry(int kind, uint32_t width, uint32_t rows, uint16_t xferMech,
                                 uint16_t fileFormat) {
  XferGeometry g{};
  g.ImageWidth = width;
  g.ImageRows = rows;
  const uint32_t w = width;
  switch (kind) {
    case 1:
      g.DibRowBytes = g.XferRowBytes = Padded(1, w);
      g.RowBytes = (w + 7) / 8;
      g.HeaderBytes = 40 + 2 * 4;
      break;
    case 2: {
      g.DibRowBytes = Padded(4, w);
      g.XferRowBytes = Padded(8, w);
      const bool nativeOrBmp =
          xferMech == TWSX_NATIVE || (xferMech == TWSX_FILE && fileFormat == TWFF_BMP);
      g.RowBytes = nativeOrBmp ? g.DibRowBytes : w;
      g.HeaderBytes = 40 + 16 * 4;
      break;
    }
    case 6:
      g.DibRowBytes = g.XferRowBytes = Padded(24, w);
      g.RowBytes = 3 * w;
      g.HeaderBytes = 40;
      break;
    default:  // 3, 4, 5: one byte a pixel with a 256-entry table
      g.DibRowBytes = g.XferRowBytes = Padded(8, w);
      g.RowBytes = w;
      g.HeaderBytes = 40 + 256 * 4;
      break;
  }
  return g;
}

void MemXferSizes(uint32_t r, uint32_t* minSize, uint32_t* preferred, uint32_t* maxSize) {
  if (r == 0) r = 1;  // an empty image still gets usable sizes
  uint32_t min = 32768 / r < 2 ? 32768 : 2 * r;
  uint32_t k = 32768 / r * r;
  uint32_t max = k <= min ? 65535 : 65535 / r * r;
  *minSize = min;
  *maxSize = max;
  *preferred = max;
}

}  // namespace wq
