// The glyph DIB reader on well-formed and malformed bitmaps, the recolouring of
// the four button colours, and the committed glyph files at the sizes the
// button table lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "controls/button.h"
#include "controls/glyph_dib.h"

using namespace wq;

namespace {

// A packed 4-bit DIB: 40-byte header, colour table, pixels.
std::vector<uint8_t> Dib(int32_t w, int32_t h, uint16_t bits = 4, uint32_t used = 16,
                         uint32_t compression = 0, size_t extra = 0) {
  std::vector<uint8_t> d(40);
  PutLE32(&d[0], 40);
  PutLE32(&d[4], uint32_t(w));
  PutLE32(&d[8], uint32_t(h));
  PutLE16(&d[12], 1);
  PutLE16(&d[14], bits);
  PutLE32(&d[16], compression);
  PutLE32(&d[32], used);
  size_t colours = bits <= 8 ? (used ? used : (1u << bits)) : 0;
  size_t stride = (size_t(w) * bits + 31) / 32 * 4;
  size_t rows = size_t(h < 0 ? -h : h);
  d.resize(40 + colours * 4 + stride * rows + extra);
  return d;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

uint32_t Entry(const std::vector<uint8_t>& t, size_t i) {
  return uint32_t(t[4 * i + 2]) << 16 | uint32_t(t[4 * i + 1]) << 8 | t[4 * i];
}

}  // namespace

TEST(GlyphDib, AcceptsWellFormedBitmaps) {
  GlyphDib g;
  auto d = Dib(24, 25);
  ASSERT_EQ(ParseGlyphDib(d, g), DibStatus::Ok);
  EXPECT_EQ(g.colours, 16u);
  EXPECT_EQ(g.bitsOffset, 40u + 64u);
  EXPECT_EQ(g.bitsSize, 12u * 25u);  // 24 pixels of 4 bits: 12 bytes, already a multiple of 4

  d = Dib(10, -11, 4, 0);  // top-down, table size from the depth
  ASSERT_EQ(ParseGlyphDib(d, g), DibStatus::Ok);
  EXPECT_EQ(g.bitsSize, 8u * 11u);
  d = Dib(36, 7, 8, 20);  // 8-bit with a short table: the pixels follow it
  ASSERT_EQ(ParseGlyphDib(d, g), DibStatus::Ok);
  EXPECT_EQ(g.bitsOffset, 40u + 80u);
  d = Dib(16, 17, 24, 0);
  ASSERT_EQ(ParseGlyphDib(d, g), DibStatus::Ok);
  EXPECT_EQ(g.colours, 0u);
  EXPECT_EQ(g.bitsSize, 48u * 17u);
}

TEST(GlyphDib, RefusesMalformedBitmaps) {
  GlyphDib g;
  std::vector<uint8_t> tiny{40, 0};
  EXPECT_EQ(ParseGlyphDib(tiny, g), DibStatus::TooShort);
  auto d = Dib(24, 25);
  EXPECT_EQ(ParseGlyphDib(std::span(d).first(39), g), DibStatus::TooShort);
  EXPECT_EQ(ParseGlyphDib(std::span(d).first(d.size() - 1), g), DibStatus::Truncated);
  EXPECT_EQ(ParseGlyphDib(std::span(d).first(40 + 63), g), DibStatus::Truncated);

  auto core = Dib(24, 25);
  PutLE32(&core[0], 12);
  EXPECT_EQ(ParseGlyphDib(core, g), DibStatus::Unsupported);
  auto odd = Dib(24, 25);
  PutLE32(&odd[0], 39);
  EXPECT_EQ(ParseGlyphDib(odd, g), DibStatus::BadHeader);
  PutLE32(&odd[0], 0xFFFFFFF0u);
  EXPECT_EQ(ParseGlyphDib(odd, g), DibStatus::BadHeader);
  auto planes = Dib(24, 25);
  PutLE16(&planes[12], 2);
  EXPECT_EQ(ParseGlyphDib(planes, g), DibStatus::BadHeader);

  EXPECT_EQ(ParseGlyphDib(Dib(0, 25), g), DibStatus::BadHeader);
  EXPECT_EQ(ParseGlyphDib(Dib(24, 0), g), DibStatus::BadHeader);
  auto wide = Dib(24, 25);
  PutLE32(&wide[4], 0x7FFFFFFF);
  EXPECT_EQ(ParseGlyphDib(wide, g), DibStatus::BadHeader);
  auto low = Dib(24, 25);
  PutLE32(&low[8], 0x80000000u);  // the most negative height
  EXPECT_EQ(ParseGlyphDib(low, g), DibStatus::BadHeader);

  EXPECT_EQ(ParseGlyphDib(Dib(24, 25, 4, 16, 2), g), DibStatus::Unsupported);  // RLE4
  EXPECT_EQ(ParseGlyphDib(Dib(24, 25, 16, 0), g), DibStatus::Unsupported);
  EXPECT_EQ(ParseGlyphDib(Dib(24, 25, 32, 0), g), DibStatus::Unsupported);
  EXPECT_EQ(ParseGlyphDib(Dib(24, 25, 4, 17), g), DibStatus::BadColourCount);
  auto huge = Dib(24, 25, 4, 16);
  PutLE32(&huge[32], 0xFFFFFFFFu);
  EXPECT_EQ(ParseGlyphDib(huge, g), DibStatus::BadColourCount);

  // The largest accepted size needs its pixels, whatever the header says.
  auto big = Dib(24, 25);
  PutLE32(&big[4], uint32_t(kGlyphMaxSide));
  PutLE32(&big[8], uint32_t(-kGlyphMaxSide));
  EXPECT_EQ(ParseGlyphDib(big, g), DibStatus::Truncated);
}

TEST(GlyphDib, RecoloursTheFourButtonColoursOnceEach) {
  std::vector<uint8_t> t(17 * 4, 0);
  auto put = [&t](size_t i, uint32_t rgb) {
    t[4 * i] = uint8_t(rgb);
    t[4 * i + 1] = uint8_t(rgb >> 8);
    t[4 * i + 2] = uint8_t(rgb >> 16);
  };
  put(0, 0x000000);
  put(1, 0x808080);
  put(2, 0xC0C0C0);
  put(3, 0xFFFFFF);
  put(4, 0xFF0000);
  put(5, 0x7F7F7F);
  put(16, 0xC0C0C0);  // beyond the first 16 entries
  // Text white and highlight black: entries are swapped, not chained.
  RecolourGlyphTable(t, GlyphColours{0xFFFFFF, 0x404040, 0xD4D0C8, 0x000000});
  EXPECT_EQ(Entry(t, 0), 0xFFFFFFu);
  EXPECT_EQ(Entry(t, 1), 0x404040u);
  EXPECT_EQ(Entry(t, 2), 0xD4D0C8u);
  EXPECT_EQ(Entry(t, 3), 0x000000u);
  EXPECT_EQ(Entry(t, 4), 0xFF0000u);
  EXPECT_EQ(Entry(t, 5), 0x7F7F7Fu);
  EXPECT_EQ(Entry(t, 16), 0xC0C0C0u);
}

// The committed drawings are what the library's resources carry.
TEST(GlyphFiles, EveryListedGlyphIsDrawnAtItsSize) {
  const GlyphSize* list;
  int n = ButtonGlyphList(&list);
  std::filesystem::path dir(WQ_GLYPH_DIR);
  for (int i = 0; i < n; ++i) {
    std::filesystem::path file;
    for (const auto& e : std::filesystem::directory_iterator(dir))
      if (e.path().extension() == ".bmp" &&
          e.path().filename().string().rfind(std::to_string(list[i].id) + "_", 0) == 0)
        file = e.path();
    ASSERT_FALSE(file.empty()) << list[i].id;
    auto bytes = ReadFile(file);
    auto dib = DibOfBmpFile(bytes);
    GlyphDib g;
    ASSERT_EQ(ParseGlyphDib(dib, g), DibStatus::Ok) << file;
    EXPECT_EQ(g.width, list[i].width) << file;
    EXPECT_EQ(g.height, list[i].height) << file;
    EXPECT_EQ(g.bitCount, 4) << file;
    // The pixel offset in the file header agrees with the parsed layout.
    EXPECT_EQ(GetLE32(bytes.data() + 10), 14u + g.bitsOffset) << file;
  }
  std::vector<uint8_t> notBmp{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(DibOfBmpFile(notBmp).empty());
}
