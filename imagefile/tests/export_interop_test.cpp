// PCX and Targa files exported from the document's BMP, read back by
// netpbm, ImageMagick and Pillow with the BMP's pixels, and the byte-level
// rules of their run-length coding, header and trailing text.
#include <gtest/gtest.h>

#include <cstring>

#include "imagefile/export_class.h"
#include "imagefile/pcx_writer.h"
#include "imagefile/tests/bmp_support.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tests/tool_support.h"
#include "imagefile/tga_writer.h"
#include "common/io_file.h"

namespace {

using wq::FileStatus;
using namespace wqtest;

// 2001-02-03 (a Saturday) 04:05:06.
std::tm Made() {
  std::tm t{};
  t.tm_year = 101, t.tm_mon = 1, t.tm_mday = 3, t.tm_wday = 6;
  t.tm_hour = 4, t.tm_min = 5, t.tm_sec = 6;
  return t;
}

std::vector<uint8_t> Export(const std::vector<uint8_t>& bmp, bool pcx, FileStatus* st) {
  wq::MemReader r{bmp};
  wq::MemWriter w;
  const wq::WqIo in = wq::MemReaderIo(&r), out = wq::MemWriterIo(&w);
  *st = pcx ? wq::PcxWriteFromBmp(in, out, {}) : wq::TgaWriteFromBmp(in, out, Made(), {});
  return w.bytes;
}

struct Case {
  Kind kind;
  uint32_t width, height;
};

// The pixels every reader must see, through each reader the format has.
void ExpectReadersAgree(const ScratchDir& dir, const TestImage& im, bool pcx, const std::string& what) {
  FileStatus st;
  const std::vector<uint8_t> file = Export(BmpBytes(im, 11811), pcx, &st);
  ASSERT_EQ(st, FileStatus::kOk) << what;
  const std::string path = dir.File(pcx ? "out.pcx" : "out.tga"), ppm = dir.File("out.ppm");
  ASSERT_TRUE(WriteFile(path, file));
  const std::vector<uint8_t> expected = ExpectedRgb(im);
  const ToolResult netpbm = RunTool(std::string(pcx ? "pcxtoppm " : "tgatoppm ") + Quote(path) + " > " + Quote(ppm));
  ASSERT_EQ(netpbm.status, 0) << what << ": " << netpbm.err;
  RgbImage seen;
  ASSERT_TRUE(ReadRgbWithPil(ppm, &seen)) << what;
  EXPECT_EQ(FirstDifference(seen.rgb, expected), -1) << what << " netpbm";
  ASSERT_TRUE(ReadRgbWithPil(path, &seen)) << what;
  EXPECT_EQ(seen.width, im.width) << what;
  // Pillow takes the planes of a 16-colour line as (width + 7) / 8 bytes
  // apart, whatever the header's (even) bytes per line: it misreads those
  // lines where the two differ.
  const bool pillowPlanes = im.bits != 4 || (im.width + 7) / 8 % 2 == 0;
  if (!pcx || pillowPlanes) EXPECT_EQ(FirstDifference(seen.rgb, expected), -1) << what << " Pillow";
  if (pcx) {
    ASSERT_TRUE(ReadRgbWithMagick(path, &seen)) << what;
    // ImageMagick 6 shows a 1-bit PCX with 0 as white whatever its header
    // says (pcxtoppm, Pillow and the format take 0 as black).
    std::vector<uint8_t> magick = expected;
    if (im.bits == 1)
      for (uint8_t& v : magick) v = uint8_t(255 - v);
    EXPECT_EQ(FirstDifference(seen.rgb, magick), -1) << what << " ImageMagick";
  }
}

TEST(ExportInterop, PcxOfEveryClassReadsBackInNetpbmImageMagickAndPillow) {
  WQ_REQUIRE_TOOL("pcxtoppm");
  WQ_REQUIRE_TOOL("convert");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  const Case cases[] = {{Kind::kBilevel, 61, 23}, {Kind::kBilevel, 1, 1},   {Kind::kPalette4, 37, 9},
                        {Kind::kGrey4, 16, 3},    {Kind::kGrey8, 61, 23},   {Kind::kPalette8, 97, 11},
                        {Kind::kRgb, 61, 23},     {Kind::kRgb, 1, 1},       {Kind::kRgb, 300, 4}};
  for (const Case& c : cases) {
    const std::string what = std::string(KindName(c.kind)) + " " + std::to_string(c.width);
    ExpectReadersAgree(dir, MakeImage(c.kind, c.width, c.height), true, what);
  }
  // A bilevel image whose colour 0 is white is stored inverted: the readers
  // still see white where it was white.
  TestImage white = MakeImage(Kind::kBilevel, 45, 7);
  std::swap(white.palette[0], white.palette[1]);
  ExpectReadersAgree(dir, white, true, "bilevel, colour 0 white");
}

TEST(ExportInterop, TargaOfEightAndTwentyFourBitsReadsBackInNetpbmAndPillow) {
  WQ_REQUIRE_TOOL("tgatoppm");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  const Case cases[] = {{Kind::kGrey8, 61, 23}, {Kind::kPalette8, 97, 11}, {Kind::kRgb, 61, 23},
                        {Kind::kRgb, 1, 1}, {Kind::kPalette8, 1, 1}};
  for (const Case& c : cases)
    ExpectReadersAgree(dir, MakeImage(c.kind, c.width, c.height), false,
                       std::string(KindName(c.kind)) + " " + std::to_string(c.width));
  FileStatus st;
  Export(BmpBytes(MakeImage(Kind::kPalette4, 8, 2), 0), false, &st);
  EXPECT_EQ(st, FileStatus::kRefused);
}

TEST(PcxCoding, RunsLoneBytesAndInvertedRuns) {
  std::vector<uint8_t> out;
  const std::vector<uint8_t> spaces(100, 0x20);
  wq::PcxEncodePlane(spaces.data(), spaces.size(), false, &out);
  EXPECT_EQ(out, (std::vector<uint8_t>{0xFF, 0x20, 0xE5, 0x20}));  // 63 + 37
  out.clear();
  const uint8_t lone[] = {0x41, 0x3F, 0xC0, 0xC0};
  wq::PcxEncodePlane(lone, sizeof lone, false, &out);
  EXPECT_EQ(out, (std::vector<uint8_t>{0xC1, 0x41, 0x3F, 0xC2, 0xC0}));
  out.clear();
  wq::PcxEncodePlane(lone, 2, true, &out);
  EXPECT_EQ(out, (std::vector<uint8_t>{0xC1, 0xBE, 0xC1, 0xC0}));
}

TEST(PcxCoding, HeaderFieldsAndTheTrailingPalette) {
  FileStatus st;
  TestImage grey = MakeImage(Kind::kGrey8, 5, 3);
  const std::vector<uint8_t> g = Export(BmpBytes(grey, 11811), true, &st);
  ASSERT_EQ(st, FileStatus::kOk);
  ASSERT_GT(g.size(), 128u + 769u);
  EXPECT_EQ(g[0], 10);
  EXPECT_EQ(g[1], 5);
  EXPECT_EQ(g[8] | g[9] << 8, 4);            // Xmax
  EXPECT_EQ(g[12] | g[13] << 8, 300);        // ceil(11811 x 254 / 10000)
  EXPECT_EQ(g[65], 1);                       // planes
  EXPECT_EQ(g[66] | g[67] << 8, 5);          // bytes per line
  EXPECT_EQ(g[68], 2);                       // grey
  const size_t pal = g.size() - 769;
  EXPECT_EQ(g[pal], 12);
  EXPECT_EQ(g[pal + 1 + 3 * 200 + 1], 200);

  const std::vector<uint8_t> c = Export(BmpBytes(MakeImage(Kind::kPalette4, 17, 2), 0), true, &st);
  ASSERT_EQ(st, FileStatus::kOk);
  EXPECT_EQ(c[12] | c[13] << 8, 72);         // no resolution counts as 72 dpi
  EXPECT_EQ(c[65], 4);
  EXPECT_EQ(c[66] | c[67] << 8, 4);          // ((17 + 15) / 16) x 2

  TestImage wide = MakeImage(Kind::kRgb, 32001, 1);
  Export(BmpBytes(wide, 0), true, &st);
  EXPECT_EQ(st, FileStatus::kImageTooLarge);
}

TEST(TargaLayout, PixelsThenTheDateAndCreator) {
  FileStatus st;
  const std::vector<uint8_t> t = Export(BmpBytes(MakeImage(Kind::kRgb, 3, 2), 0), false, &st);
  ASSERT_EQ(st, FileStatus::kOk);
  const std::string tail = "%%CreationDate: Sat Feb 03 2001 04:05:06\n%%Creator: ScanWQ V4.00 Scanner Utility";
  ASSERT_EQ(t.size(), 18 + 18 + tail.size());
  EXPECT_EQ(std::string(t.end() - long(tail.size()), t.end()), tail);
  EXPECT_EQ(t[2], 2);
  EXPECT_EQ(t[16], 24);
}

// Nothing is left where a failed export was going.
TEST(ExportFiles, AFailedExportLeavesNoTargetAndKeepsAnOldOne) {
  ScratchDir dir;
  const std::string bmp = dir.File("in.bmp"), target = dir.File("out.tga");
  ASSERT_TRUE(WriteFile(bmp, BmpBytes(MakeImage(Kind::kRgb, 40, 30), 0)));
  ASSERT_TRUE(WriteFile(target, {1, 2, 3}));
  wq::ProgressSink cancel{[](void*, uint32_t done, uint32_t) { return done < 10; }, nullptr};
  EXPECT_EQ(wq::TgaWriteFile(target.c_str(), bmp.c_str(), cancel), FileStatus::kCancelled);
  EXPECT_EQ(wq::PcxWriteFile(target.c_str(), dir.File("missing.bmp").c_str(), {}), FileStatus::kReadError);
  std::vector<uint8_t> kept;
  ASSERT_TRUE(ReadFile(target, &kept));
  EXPECT_EQ(kept, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(ListDir(dir.path).size(), 2u);
  EXPECT_EQ(wq::PcxWriteFile(dir.File("new.pcx").c_str(), bmp.c_str(), {}), FileStatus::kOk);
  EXPECT_TRUE(FileExists(dir.File("new.pcx")));
}

}  // namespace
