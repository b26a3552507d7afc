// Memory-transfer strips written as a BMP and the file header of a native
// DIB, read back by a decoder written here from the BMP layout (bottom-up
// rows padded to 4 bytes, blue-green-red, colour table after the header).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/bytes.h"
#include "tools/twacquire/pagefile.h"

namespace wq {
namespace {

struct Decoded {
  int32_t Width = 0, Height = 0;
  uint16_t Bits = 0;
  int32_t XPels = 0;
  std::vector<uint8_t> Rgb;  // top-down
};

bool Decode(const std::vector<uint8_t>& f, Decoded* d) {
  if (f.size() < 54 || f[0] != 'B' || f[1] != 'M' || GetLE32(&f[2]) != f.size()) return false;
  const uint32_t off = GetLE32(&f[10]);
  d->Width = int32_t(GetLE32(&f[18]));
  d->Height = int32_t(GetLE32(&f[22]));
  d->Bits = GetLE16(&f[28]);
  d->XPels = int32_t(GetLE32(&f[38]));
  const uint32_t stride = (uint32_t(d->Width) * d->Bits + 31) / 32 * 4;
  if (off + uint64_t(stride) * d->Height > f.size()) return false;
  d->Rgb.clear();
  for (int32_t y = 0; y < d->Height; ++y) {
    const uint8_t* row = &f[off + size_t(d->Height - 1 - y) * stride];
    for (int32_t x = 0; x < d->Width; ++x) {
      if (d->Bits == 24) {
        d->Rgb.insert(d->Rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
      } else {
        const uint32_t i = d->Bits == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
        const uint8_t* e = &f[54 + 4 * i];
        if (54 + 4 * i >= off) return false;
        d->Rgb.insert(d->Rgb.end(), {e[2], e[1], e[0]});
      }
    }
  }
  return true;
}

TW_IMAGEINFO Info(int32_t w, int32_t h, int16_t pixelType, int16_t bits, int dpi) {
  TW_IMAGEINFO info{};
  info.ImageWidth = w;
  info.ImageLength = h;
  info.PixelType = pixelType;
  info.BitsPerPixel = bits;
  info.SamplesPerPixel = pixelType == TWPT_RGB ? 3 : 1;
  info.Compression = TWCP_NONE;
  info.XResolution.Whole = info.YResolution.Whole = TW_INT16(dpi);
  return info;
}

TEST(PageFile, ColourStripsBecomeABottomUpBgrBmpWithTheSamePixels) {
  // 5 x 7 pixels, rows of 16 bytes (15 used), strips of 3, 3 and 1 rows.
  const uint32_t w = 5, h = 7, bpr = 16;
  std::vector<uint8_t> page(bpr * h, 0xAA);
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t* p = &page[y * bpr + 3 * x];
      p[0] = uint8_t(10 * x + y);  // red
      p[1] = uint8_t(100 + y);     // green
      p[2] = uint8_t(200 + x);     // blue
    }
  MemWriter out;
  PageFile pf;
  ASSERT_EQ(PageFileBegin(&pf, MemWriterIo(&out), Info(w, h, TWPT_RGB, 24, 300), true, nullptr),
            FileStatus::kOk);
  for (uint32_t y = 0; y < h; y += 3) {
    const uint32_t rows = std::min<uint32_t>(3, h - y);
    ASSERT_EQ(PageFilePutStrip(&pf, &page[y * bpr], bpr, rows, y, bpr * rows), FileStatus::kOk);
  }
  ASSERT_EQ(PageFileFinish(&pf), FileStatus::kOk);
  Decoded d;
  ASSERT_TRUE(Decode(out.bytes, &d));
  EXPECT_EQ(d.Width, 5);
  EXPECT_EQ(d.Height, 7);
  EXPECT_EQ(d.Bits, 24);
  EXPECT_EQ(d.XPels, 11811);  // 300 dpi
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      const uint8_t* got = &d.Rgb[(y * w + x) * 3];
      EXPECT_EQ(got[0], 10 * x + y);
      EXPECT_EQ(got[1], 100 + y);
      EXPECT_EQ(got[2], 200 + x);
    }
  // Each stored row is padded to 16 bytes: 54 + 7 x 16.
  EXPECT_EQ(out.bytes.size(), 54u + 7 * 16);
}

TEST(PageFile, BlackAndWhiteTakesTheSourcesPaletteOrItsFlavour) {
  // 10 pixels: black, white alternating in the source's bits (1 = black).
  const uint8_t rows[2][2] = {{0xAA, 0x80}, {0x55, 0x40}};
  TW_PALETTE8 palette{};
  palette.NumColors = 2;
  palette.Colors[0] = TW_ELEMENT8{0, 255, 255, 255};
  palette.Colors[1] = TW_ELEMENT8{1, 0, 0, 0};
  for (int how = 0; how < 2; ++how) {
    MemWriter out;
    PageFile pf;
    // With the palette, or without it and white as 0 (vanilla).
    ASSERT_EQ(PageFileBegin(&pf, MemWriterIo(&out), Info(10, 2, TWPT_BW, 1, 100), false,
                            how == 0 ? &palette : nullptr),
              FileStatus::kOk);
    ASSERT_EQ(PageFilePutStrip(&pf, &rows[0][0], 2, 2, 0, 4), FileStatus::kOk);
    ASSERT_EQ(PageFileFinish(&pf), FileStatus::kOk);
    Decoded d;
    ASSERT_TRUE(Decode(out.bytes, &d));
    ASSERT_EQ(d.Bits, 1);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 10; ++x) {
        const bool black = (rows[y][x / 8] >> (7 - x % 8)) & 1;
        EXPECT_EQ(d.Rgb[(y * 10 + x) * 3], black ? 0 : 255) << how << " " << x << "," << y;
      }
  }
}

TEST(PageFile, StripsThatDoNotMakeThePageAreRefused) {
  const std::vector<uint8_t> data(64, 0);
  MemWriter out;
  PageFile pf;
  ASSERT_EQ(PageFileBegin(&pf, MemWriterIo(&out), Info(4, 4, TWPT_GRAY, 8, 100), true, nullptr),
            FileStatus::kOk);
  EXPECT_EQ(PageFilePutStrip(&pf, data.data(), 4, 2, 1, 8), FileStatus::kCorrupt);  // a gap
  EXPECT_EQ(PageFilePutStrip(&pf, data.data(), 3, 2, 0, 6), FileStatus::kCorrupt);  // rows too short
  EXPECT_EQ(PageFilePutStrip(&pf, data.data(), 4, 2, 0, 7), FileStatus::kCorrupt);  // fewer bytes
  EXPECT_EQ(PageFilePutStrip(&pf, data.data(), 4, 5, 0, 20), FileStatus::kCorrupt);  // too many rows
  ASSERT_EQ(PageFilePutStrip(&pf, data.data(), 4, 3, 0, 12), FileStatus::kOk);
  EXPECT_NE(PageFileFinish(&pf), FileStatus::kOk);  // one row missing
  // A full disk shows as such.
  MemWriter full;
  full.limit = 100;
  PageFile small;
  FileStatus s = PageFileBegin(&small, MemWriterIo(&full), Info(40, 40, TWPT_RGB, 24, 100), true, nullptr);
  std::vector<uint8_t> row(120, 1);
  for (uint32_t y = 0; s == FileStatus::kOk && y < 40; ++y) s = PageFilePutStrip(&small, row.data(), 120, 1, y, 120);
  if (s == FileStatus::kOk) s = PageFileFinish(&small);
  EXPECT_EQ(s, FileStatus::kNoSpace);
  // Compressed or planar images are not for a BMP.
  TW_IMAGEINFO packed = Info(4, 4, TWPT_BW, 1, 100);
  packed.Compression = TWCP_GROUP4;
  EXPECT_EQ(PageFileBegin(&pf, MemWriterIo(&out), packed, true, nullptr), FileStatus::kUnsupportedBmp);
}

TEST(PageFile, TheFileHeaderOfANativeDib) {
  // 3 x 2 pixels at 1 bit with the default two colours: 40 + 8 + 2 x 4.
  std::vector<uint8_t> dib(56, 0);
  PutLE32(&dib[0], 40);
  PutLE32(&dib[4], 3);
  PutLE32(&dib[8], 2);
  PutLE16(&dib[12], 1);
  PutLE16(&dib[14], 1);
  uint8_t head[14];
  ASSERT_TRUE(BmpFileHeaderOfDib(dib.data(), dib.size(), head));
  EXPECT_EQ(head[0], 'B');
  EXPECT_EQ(head[1], 'M');
  EXPECT_EQ(GetLE32(head + 2), 70u);
  EXPECT_EQ(GetLE32(head + 10), 62u);
  // 8 bits with 3 colours used: offset 54 + 12; 24 bits: no table.
  PutLE16(&dib[14], 8);
  PutLE32(&dib[32], 3);
  dib.resize(40 + 12 + 2 * 4);
  ASSERT_TRUE(BmpFileHeaderOfDib(dib.data(), dib.size(), head));
  EXPECT_EQ(GetLE32(head + 10), 66u);
  PutLE16(&dib[14], 24);
  PutLE32(&dib[32], 0);
  ASSERT_TRUE(BmpFileHeaderOfDib(dib.data(), 40 + 2 * 12, head));
  EXPECT_EQ(GetLE32(head + 10), 54u);
  EXPECT_EQ(GetLE32(head + 2), 54u + 24);
  // Blocks that are not a whole uncompressed DIB.
  EXPECT_FALSE(BmpFileHeaderOfDib(dib.data(), 40 + 2 * 12 - 1, head));  // short
  PutLE32(&dib[16], 1);                                                  // RLE8
  EXPECT_FALSE(BmpFileHeaderOfDib(dib.data(), dib.size(), head));
  PutLE32(&dib[16], 0);
  PutLE32(&dib[0], 12);  // an OS/2 header
  EXPECT_FALSE(BmpFileHeaderOfDib(dib.data(), dib.size(), head));
  PutLE32(&dib[0], 40);
  PutLE16(&dib[14], 8);
  PutLE32(&dib[32], 257);  // more colours than 8 bits have
  EXPECT_FALSE(BmpFileHeaderOfDib(dib.data(), 5000, head));
}

}  // namespace
}  // namespace wq
