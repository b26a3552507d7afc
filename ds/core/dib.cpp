// The colour tables of the image kinds (black and white, sixteen colours, grey,
// the 3-3-2 cube), written as a bitmap's header and table, a TWAIN palette or a
// TIFF colour map.
#include "ds/core/dib.h"

#include <cstring>

#include "imagefile/bmp.h"
#include "common/bytes.h"

namespace wq {
namespace {

// Kinds the tables know; anything else is taken as grey, as the geometry
// takes it as one byte a pixel.
int Known(int kind) { return kind >= 1 && kind <= 6 ? kind : 3; }

// Windows' MulDiv for small non-negative values: rounds to nearest.
uint8_t MulDiv(uint32_t a, uint32_t b, uint32_t c) { return uint8_t((a * b + c / 2) / c); }

// The 3-3-2 colour cube of the 256-colour kinds.
Rgb8 CubeColour(uint32_t i) {
  return Rgb8{MulDiv(i >> 5, 3643, 100), MulDiv((i >> 2) & 7, 3643, 100), uint8_t((i & 3) * 85)};
}

// The eight colours at full intensity (0..7), light grey (8), and the
// eight at half intensity (9..15, colour from the low three bits).
Rgb8 EightColour(uint32_t i) {
  if (i == 8) return Rgb8{192, 192, 192};
  const uint8_t on = i < 8 ? 255 : 128;
  return Rgb8{uint8_t(i & 1 ? on : 0), uint8_t(i & 2 ? on : 0), uint8_t(i & 4 ? on : 0)};
}

}  // namespace

uint16_t DibBitsPerPixel(int kind) {
  switch (Known(kind)) {
    case 1: return 1;
    case 2: return 4;
    case 6: return 24;
    default: return 8;
  }
}

uint32_t DibColourCount(int kind) {
  switch (Known(kind)) {
    case 1: return 2;
    case 2: return 16;
    case 6: return 0;
    default: return 256;
  }
}

Rgb8 DibColour(int kind, uint32_t i) {
  kind = Known(kind);
  if (i >= DibColourCount(kind)) return Rgb8{0, 0, 0};
  switch (kind) {
    case 1: return i ? Rgb8{255, 255, 255} : Rgb8{0, 0, 0};
    case 2: return EightColour(i);
    case 3: return Rgb8{uint8_t(i), uint8_t(i), uint8_t(i)};
    default: return CubeColour(i);
  }
}

int32_t PelsPerMeter(int dpi) { return int32_t(int64_t(dpi) * 10000 / 254); }

namespace {

// Both headers and the colour table; `out` starts with the file header
// when withFileHeader, else with the bitmap header.
bool WriteHeads(uint8_t* out, size_t size, bool withFileHeader, int kind, const XferGeometry& g,
                int xres, int yres) {
  const uint32_t colours = DibColourCount(kind);
  const size_t skip = withFileHeader ? 0 : kBmpFileHeaderSize;
  if (g.HeaderBytes < kBmpInfoHeaderSize + colours * 4 ||
      size < kBmpFileHeaderSize + g.HeaderBytes - skip)
    return false;
  BmpHeader h;
  if (!BmpMakeHeader(g.ImageWidth, g.ImageRows, DibBitsPerPixel(kind), colours, PelsPerMeter(xres),
                     PelsPerMeter(yres), &h))
    return false;
  uint8_t headers[kBmpHeadersSize];
  BmpEncodeHeader(h, headers);
  memcpy(out, headers + skip, kBmpHeadersSize - skip);
  uint8_t* table = out + kBmpHeadersSize - skip;
  for (uint32_t i = 0; i < colours; ++i) {
    const Rgb8 c = DibColour(kind, i);
    table[4 * i] = c.Blue;
    table[4 * i + 1] = c.Green;
    table[4 * i + 2] = c.Red;
    table[4 * i + 3] = 0;
  }
  return true;
}

}  // namespace

bool WriteDibHeader(uint8_t* out, size_t size, int kind, const XferGeometry& g, int xres,
                    int yres) {
  return WriteHeads(out, size, false, kind, g, xres, yres);
}

bool WriteBmpFileHead(uint8_t* out, size_t size, int kind, const XferGeometry& g, int xres,
                      int yres) {
  return WriteHeads(out, size, true, kind, g, xres, yres);
}

void FillPalette8(int kind, TW_PALETTE8* p) {
  memset(p, 0, sizeof *p);
  kind = Known(kind);
  switch (kind) {
    case 1: p->NumColors = 2; p->PaletteType = TWPA_GRAY; break;
    case 2: p->NumColors = 8; p->PaletteType = TWPA_RGB; break;
    case 3: p->NumColors = 256; p->PaletteType = TWPA_GRAY; break;
    case 6: p->NumColors = 0; p->PaletteType = TWPA_RGB; break;
    default: p->NumColors = 256; p->PaletteType = TWPA_RGB; break;
  }
  for (uint32_t i = 0; i < p->NumColors; ++i) {
    const Rgb8 c = DibColour(kind, i);
    p->Colors[i].Index = TW_UINT8(i);
    p->Colors[i].Channel1 = c.Red;
    p->Colors[i].Channel2 = c.Green;
    p->Colors[i].Channel3 = c.Blue;
  }
}

void TiffColourMap(int kind, uint16_t out[768]) {
  for (uint32_t i = 0; i < 256; ++i) {
    const Rgb8 c = DibColour(kind, i);
    // 8-bit values scaled to the full 16 bits the format asks for.
    out[i] = uint16_t(c.Red * 257);
    out[256 + i] = uint16_t(c.Green * 257);
    out[512 + i] = uint16_t(c.Blue * 257);
  }
}

}  // namespace wq
