// Checking a glyph's packed DIB against its own size before any pixel is read,
// and recolouring its four standard greys to the current button colours.
#include "controls/glyph_dib.h"

#include "common/bytes.h"

namespace wq {
namespace {

constexpr uint32_t kInfoHeader = 40;
constexpr uint32_t kCoreHeader = 12;  // OS/2 header: 3-byte table entries, refused
constexpr uint32_t kBiRgb = 0;

uint32_t Rgb(const uint8_t* q) { return uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0]; }

void PutRgb(uint8_t* q, uint32_t rgb) {
  q[0] = uint8_t(rgb);
  q[1] = uint8_t(rgb >> 8);
  q[2] = uint8_t(rgb >> 16);
}

}  // namespace

DibStatus ParseGlyphDib(std::span<const uint8_t> dib, GlyphDib& out) {
  out = GlyphDib{};
  if (dib.size() < 4) return DibStatus::TooShort;
  uint32_t hs = GetLE32(dib.data());
  if (hs == kCoreHeader) return DibStatus::Unsupported;
  if (hs < kInfoHeader || hs > 1024) return DibStatus::BadHeader;
  if (dib.size() < hs) return DibStatus::TooShort;
  const uint8_t* p = dib.data();
  int32_t w = int32_t(GetLE32(p + 4)), h = int32_t(GetLE32(p + 8));
  uint16_t planes = GetLE16(p + 12), bits = GetLE16(p + 14);
  uint32_t compression = GetLE32(p + 16), used = GetLE32(p + 32);
  if (planes != 1 || w <= 0 || w > kGlyphMaxSide || h == 0 || h < -kGlyphMaxSide ||
      h > kGlyphMaxSide)
    return DibStatus::BadHeader;
  if (compression != kBiRgb) return DibStatus::Unsupported;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return DibStatus::Unsupported;
  uint32_t colours = 0;
  if (bits <= 8) {
    uint32_t most = 1u << bits;
    if (used > most) return DibStatus::BadColourCount;
    colours = used ? used : most;
  }
  size_t rows = size_t(h < 0 ? -int64_t(h) : h);
  size_t stride = (size_t(w) * bits + 31) / 32 * 4;
  out.headerSize = hs;
  out.width = w;
  out.height = h;
  out.bitCount = bits;
  out.colours = colours;
  out.tableOffset = hs;
  out.bitsOffset = hs + size_t(colours) * 4;
  out.bitsSize = stride * rows;
  if (dib.size() < out.bitsOffset || dib.size() - out.bitsOffset < out.bitsSize)
    return DibStatus::Truncated;
  return DibStatus::Ok;
}

void RecolourGlyphTable(std::span<uint8_t> table, const GlyphColours& c) {
  size_t n = table.size() / 4;
  if (n > 16) n = 16;
  for (size_t i = 0; i < n; ++i) {
    uint8_t* q = table.data() + 4 * i;
    switch (Rgb(q)) {
      case 0x000000: PutRgb(q, c.text); break;
      case 0x808080: PutRgb(q, c.shadow); break;
      case 0xC0C0C0: PutRgb(q, c.face); break;
      case 0xFFFFFF: PutRgb(q, c.highlight); break;
      default: break;
    }
  }
}

std::span<const uint8_t> DibOfBmpFile(std::span<const uint8_t> file) {
  if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') return {};
  return file.subspan(14);
}

}  // namespace wq
