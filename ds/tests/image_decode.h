// Reading back what the transfers deliver, written for the tests from the
// formats' own definitions (not from the source's writers): every form of a
// page becomes width x height RGB triples.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "twain/twain.h"

namespace wq::test {

struct RgbPage {
  uint32_t Width = 0;
  uint32_t Height = 0;
  std::vector<uint8_t> Rgb;  // rows top-down
  const uint8_t* At(uint32_t x, uint32_t y) const { return &Rgb[(size_t(y) * Width + x) * 3]; }
};

// The fields of a BITMAPINFOHEADER.
struct DibInfo {
  uint32_t Size;
  int32_t Width, Height;
  uint16_t Planes, BitCount;
  uint32_t Compression, SizeImage;
  int32_t XPelsPerMeter, YPelsPerMeter;
  uint32_t ClrUsed, ClrImportant;
};
bool ReadDibInfo(const uint8_t* p, size_t n, DibInfo* info);

// A packed DIB (header, colour table, rows bottom-up and padded); an error
// text on failure.
bool DecodeDib(const uint8_t* p, size_t n, RgbPage* page, std::string* error);
// A BMP file: the 14-byte file header, checked, then the DIB.
bool DecodeBmp(const std::vector<uint8_t>& file, RgbPage* page, std::string* error);

// One TIFF directory entry.
struct TiffEntry {
  uint16_t Tag, Type;
  uint32_t Count;
  uint32_t ValueOrOffset;
  std::vector<uint32_t> Numbers;  // SHORT, LONG; RATIONAL as pairs
  std::string Text;               // ASCII, up to the first NUL
};
// The first directory of a little-endian TIFF, entries in file order.
bool ReadTiffDirectory(const std::vector<uint8_t>& file, std::vector<TiffEntry>* entries,
                       std::string* error);
const TiffEntry* FindTag(const std::vector<TiffEntry>& entries, uint16_t tag);
// An uncompressed, single-strip or multi-strip, chunky TIFF of 1-bit,
// 8-bit grey or palette, or 8-bit RGB samples.
bool DecodeTiff(const std::vector<uint8_t>& file, RgbPage* page, std::string* error);

// Memory-transfer strips put together: rows of `bytesPerRow` in the order
// delivered, kind by TWAIN pixel type and bits per pixel, colours through
// the source's DAT_PALETTE8 (palette and grey).
bool DecodeMemory(const std::vector<uint8_t>& rows, uint32_t width, uint32_t height,
                  uint32_t bytesPerRow, int pixelType, int bitsPerPixel, const TW_PALETTE8& palette,
                  RgbPage* page, std::string* error);

// The first pixel where two pages differ, as text ("" when they are the same).
std::string FirstDifference(const RgbPage& a, const RgbPage& b);

}  // namespace wq::test
