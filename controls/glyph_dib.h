// Reading and recolouring the glyph bitmaps: a packed DIB (info header,
// colour table, pixels) as a bitmap resource holds it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace wq {

enum class DibStatus : uint8_t {
  Ok,
  TooShort,        // fewer bytes than a header
  BadHeader,       // header size, planes or dimensions out of range
  Unsupported,     // compressed or an unusual bit depth
  BadColourCount,  // more colours than the depth allows
  Truncated,       // colour table or pixels run past the end
};

struct GlyphDib {
  uint32_t headerSize;
  int32_t width;
  int32_t height;  // negative: top-down rows
  uint16_t bitCount;
  uint32_t colours;     // colour-table entries (RGBQUAD, 4 bytes each)
  size_t tableOffset;   // from the start of the packed DIB
  size_t bitsOffset;
  size_t bitsSize;
};

constexpr int32_t kGlyphMaxSide = 1024;

DibStatus ParseGlyphDib(std::span<const uint8_t> dib, GlyphDib& out);

// 0x00RRGGBB values the glyph colours are mapped to.
struct GlyphColours {
  uint32_t text;       // replaces black
  uint32_t shadow;     // replaces 0x808080
  uint32_t face;       // replaces 0xC0C0C0
  uint32_t highlight;  // replaces white
};

// Recolours the first 16 entries of a colour table in place.
void RecolourGlyphTable(std::span<uint8_t> table, const GlyphColours& c);

// A .bmp file is a 14-byte file header before the packed DIB; returns the
// DIB part, or an empty span when the file header is not one.
std::span<const uint8_t> DibOfBmpFile(std::span<const uint8_t> file);

}  // namespace wq
