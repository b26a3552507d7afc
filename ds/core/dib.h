// The image as the transfers describe it: the bitmap header with its colour
// table (native transfer and BMP file), the TWAIN palette and the TIFF
// colour map, all from the image kind (the low byte of the settings' Mode).
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/core/xfergeom.h"
#include "twain/twain.h"

namespace wq {

struct Rgb8 {
  uint8_t Red, Green, Blue;
};

// Bits a pixel of the native bitmap: 1, 4, 8, 8, 8, 24 for kinds 1 to 6.
uint16_t DibBitsPerPixel(int kind);
// Entries of its colour table: 2, 16, 256, 256, 256, 0.
uint32_t DibColourCount(int kind);
// Entry `index` of the kind's colour table (black for an index beyond it).
Rgb8 DibColour(int kind, uint32_t index);
// Pixels per metre of a resolution in dots per inch (300 gives 11811).
int32_t PelsPerMeter(int dpi);

// BITMAPINFOHEADER and colour table (blue, green, red, 0), g.HeaderBytes
// bytes; false when `size` is smaller or the image does not fit the
// header's fields.
bool WriteDibHeader(uint8_t* out, size_t size, int kind, const XferGeometry& g, int xres, int yres);
// The same behind the 14-byte BITMAPFILEHEADER of a BMP file ("BM", total
// size, bits offset 14 + HeaderBytes): 14 + g.HeaderBytes bytes.
bool WriteBmpFileHead(uint8_t* out, size_t size, int kind, const XferGeometry& g, int xres, int yres);

// DAT_PALETTE8 of a kind: every entry's Index is its position.
void FillPalette8(int kind, TW_PALETTE8* palette);

// TIFF ColorMap: 256 red, 256 green, then 256 blue values, 16 bits each
// (0..65535), from the kind's colour table; entries beyond it are black.
void TiffColourMap(int kind, uint16_t out[768]);

}  // namespace wq
