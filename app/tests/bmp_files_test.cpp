// The BMP reader and writer against files of other programs and against the
// readers of other programs.
#include <gtest/gtest.h>

#include "app/file_messages.h"
#include "imagefile/bmp_reader.h"
#include "imagefile/bmp_writer.h"
#include "imagefile/tests/bmp_support.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tests/tool_support.h"
#include "common/bytes.h"
#include "common/io_file.h"

namespace {

using wq::FileStatus;
using namespace wqtest;

FileStatus OpenFile(const std::string& path, RgbImage* out) {
  wq::FileReader r;
  if (wq::FileReaderOpen(&r, path.c_str()) != wq::IoStatus::kOk) return FileStatus::kReadError;
  FileStatus st = ReadBmpRgb(wq::FileReaderIo(&r), out);
  wq::FileReaderClose(&r);
  return st;
}

TEST(BmpFiles, WrittenBmpsReadTheSameInPillowAndImageMagick) {
  WQ_REQUIRE_PIL();
  WQ_REQUIRE_TOOL("convert");
  ScratchDir dir;
  for (Kind k : {Kind::kBilevel, Kind::kPalette4, Kind::kGrey8, Kind::kPalette8, Kind::kRgb}) {
    for (uint32_t width : {1u, 7u, 61u}) {
      TestImage im = MakeImage(k, width, 9);
      const std::string path = dir.File(std::string(KindName(k)) + ".bmp");
      wq::FileWriter fw;
      ASSERT_EQ(wq::FileWriterCreate(&fw, path.c_str()), wq::IoStatus::kOk);
      ASSERT_EQ(WriteBmp(im, wq::FileWriterIo(&fw), 11811), FileStatus::kOk);
      ASSERT_EQ(wq::FileWriterCommit(&fw), wq::IoStatus::kOk);

      std::vector<uint8_t> bytes;
      ASSERT_TRUE(ReadFile(path, &bytes));
      EXPECT_EQ(wq::GetLE32(bytes.data() + 2), bytes.size()) << "bfSize";
      RgbImage pil, magick, ours;
      ASSERT_TRUE(ReadRgbWithPil(path, &pil)) << path;
      ASSERT_TRUE(ReadRgbWithMagick(path, &magick)) << path;
      ASSERT_EQ(OpenFile(path, &ours), FileStatus::kOk);
      const std::vector<uint8_t> want = ExpectedRgb(im);
      EXPECT_EQ(pil.width, width);
      EXPECT_EQ(FirstDifference(pil.rgb, want), -1) << KindName(k) << " " << width;
      EXPECT_EQ(FirstDifference(magick.rgb, want), -1) << KindName(k) << " " << width;
      EXPECT_EQ(FirstDifference(ours.rgb, want), -1) << KindName(k) << " " << width;
    }
  }
}

TEST(BmpFiles, BmpsOfOtherProgramsOpenWithTheirPixels) {
  WQ_REQUIRE_PIL();
  WQ_REQUIRE_TOOL("convert");
  ScratchDir dir;
  struct Case {
    Kind kind;
    const char* mode;
  } cases[] = {{Kind::kBilevel, "1"}, {Kind::kGrey8, "L"}, {Kind::kPalette8, "P"}, {Kind::kRgb, "RGB"}};
  for (const Case& c : cases) {
    TestImage im = MakeImage(c.kind, 45, 11);
    std::vector<uint8_t> raw, pal;
    if (c.kind == Kind::kBilevel) {
      for (uint32_t y = 0; y < im.height; ++y) {
        std::vector<uint8_t> r = PackedRow(im, y);
        raw.insert(raw.end(), r.begin(), r.end());
      }
    } else {
      raw = im.values;
    }
    for (const auto& p : im.palette) pal.insert(pal.end(), p.begin(), p.end());
    ASSERT_TRUE(WriteFile(dir.File("raw"), raw));
    ASSERT_TRUE(WriteFile(dir.File("pal"), pal));
    const std::string path = dir.File(std::string(c.mode) + ".bmp");
    const bool palette = c.kind == Kind::kPalette8;
    ToolResult r = RunTool(PilTool() + " save " + c.mode + " 45 11 " + Quote(dir.File("raw")) + " " +
                           (palette ? Quote(dir.File("pal")) : "-") + " " + Quote(path));
    ASSERT_EQ(r.status, 0) << r.err;
    RgbImage ours;
    ASSERT_EQ(OpenFile(path, &ours), FileStatus::kOk) << c.mode;
    EXPECT_EQ(FirstDifference(ours.rgb, ExpectedRgb(im)), -1) << c.mode;
  }
  // ImageMagick writes 16-colour images with 4 bits a pixel, with its own
  // palette order: compare colours.
  TestImage im = MakeImage(Kind::kPalette4, 33, 7);
  std::vector<uint8_t> rgb = ExpectedRgb(im);
  ASSERT_TRUE(WriteFile(dir.File("p4.rgb"), rgb));
  const std::string p4 = dir.File("p4.bmp");
  ToolResult r = RunTool("convert -size 33x7 -depth 8 rgb:" + Quote(dir.File("p4.rgb")) +
                         " -type Palette BMP3:" + Quote(p4));
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFile(p4, &bytes));
  ASSERT_EQ(wq::GetLE16(bytes.data() + 28), 4) << "ImageMagick chose another depth";
  RgbImage ours;
  ASSERT_EQ(OpenFile(p4, &ours), FileStatus::kOk);
  EXPECT_EQ(FirstDifference(ours.rgb, rgb), -1);
}

TEST(BmpFiles, VariantsTheProgramDoesNotShowGiveTheirMessages) {
  WQ_REQUIRE_TOOL("convert");
  ScratchDir dir;
  TestImage im = MakeImage(Kind::kPalette8, 40, 10);
  ASSERT_TRUE(WriteFile(dir.File("in.rgb"), ExpectedRgb(im)));
  const std::string src = "-size 40x10 -depth 8 rgb:" + Quote(dir.File("in.rgb"));
  struct Case {
    const char* options;
    int message;
  } cases[] = {
      {"-type Palette BMP2:", 25},                 // OS/2 1.x header (12 bytes)
      {"-type Palette -compress RLE BMP3:", 24},   // RLE8
      {"BMP:", 25},                                // version 5 header
      {"-define bmp:subtype=RGB565 BMP:", 25},
  };
  for (const Case& c : cases) {
    const std::string path = dir.File("v.bmp");
    ToolResult r = RunTool("convert " + src + " " + c.options + Quote(path));
    ASSERT_EQ(r.status, 0) << r.err;
    RgbImage ignored;
    FileStatus st = OpenFile(path, &ignored);
    EXPECT_EQ(wq::FileStatusMessage(st), c.message) << c.options;
  }
}

// A minimal BMP: 54-byte headers, table and rows as given.
std::vector<uint8_t> HandMadeBmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                                 uint32_t colours, size_t pixelBytes, uint32_t gap = 0) {
  std::vector<uint8_t> b(54 + 4 * colours + gap + pixelBytes, 0);
  b[0] = 'B';
  b[1] = 'M';
  wq::PutLE32(&b[2], uint32_t(b.size()));
  wq::PutLE32(&b[10], uint32_t(54 + 4 * colours + gap));
  wq::PutLE32(&b[14], 40);
  wq::PutLE32(&b[18], uint32_t(width));
  wq::PutLE32(&b[22], uint32_t(height));
  wq::PutLE16(&b[26], 1);
  wq::PutLE16(&b[28], bits);
  wq::PutLE32(&b[30], compression);
  wq::PutLE32(&b[46], colours);
  return b;
}

FileStatus OpenBytes(const std::vector<uint8_t>& b, RgbImage* out = nullptr) {
  wq::MemReader m{b};
  RgbImage ignored;
  return ReadBmpRgb(wq::MemReaderIo(&m), out ? out : &ignored);
}

TEST(BmpFiles, HeadersAreCheckedBeforeAnyPixelIsRead) {
  // 32,768 pixels wide is too large; 32,767 is not.
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(32768, 1, 1, 0, 2, 4096))), 41);
  EXPECT_EQ(OpenBytes(HandMadeBmp(32767, 1, 1, 0, 2, 4096)), FileStatus::kOk);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(1, 32768, 8, 0, 0, 4 * 32768))), 41);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(1, -32768, 8, 0, 0, 4 * 32768))), 41);
  // Not a bitmap, packed, other depths and compressions.
  std::vector<uint8_t> b = HandMadeBmp(4, 4, 8, 0, 0, 16);
  b[0] = 'X';
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(b)), 29);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(4, 4, 4, 2, 0, 16))), 24);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(4, 4, 16, 3, 0, 32))), 11);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(4, 4, 32, 0, 0, 64))), 11);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(4, 4, 8, 4, 0, 16))), 11);  // JPEG inside
  // Broken files: missing rows, too many colours, no size, too short.
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(4, 4, 8, 0, 0, 15))), 13);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(4, 4, 4, 0, 17, 8))), 13);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(0, 4, 8, 0, 0, 0))), 13);
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(HandMadeBmp(4, 0, 8, 0, 0, 0))), 13);
  std::vector<uint8_t> cut(b.begin(), b.begin() + 30);
  cut[0] = 'B';
  EXPECT_EQ(wq::FileStatusMessage(OpenBytes(cut)), 13);
}

TEST(BmpFiles, PixelOffsetAndRowOrderFollowTheHeader) {
  // 2 x 2 at 24 bits, with a 6-byte gap before the pixels: rows of 8 bytes.
  const uint8_t bottom[8] = {1, 2, 3, 4, 5, 6, 0, 0}, top[8] = {7, 8, 9, 10, 11, 12, 0, 0};
  std::vector<uint8_t> b = HandMadeBmp(2, 2, 24, 0, 0, 16, 6);
  std::copy(bottom, bottom + 8, b.begin() + 60);
  std::copy(top, top + 8, b.begin() + 68);
  RgbImage got;
  ASSERT_EQ(OpenBytes(b, &got), FileStatus::kOk);
  EXPECT_EQ(got.rgb, (std::vector<uint8_t>{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));
  // The same rows stored top-down (negative height).
  wq::PutLE32(&b[22], uint32_t(-2));
  ASSERT_EQ(OpenBytes(b, &got), FileStatus::kOk);
  EXPECT_EQ(got.rgb, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
}

TEST(BmpFiles, WriterRefusesRowsBeyondTheImageAndReportsAFullDisk) {
  TestImage im = MakeImage(Kind::kRgb, 100, 50);
  wq::MemWriter full;
  full.limit = 5000;
  EXPECT_EQ(wq::FileStatusMessage(WriteBmp(im, wq::MemWriterIo(&full))), 4);
  wq::MemWriter m;
  wq::BmpWriter w;
  const uint8_t row[3] = {1, 2, 3};
  ASSERT_EQ(wq::BmpWriterBegin(&w, wq::MemWriterIo(&m), 1, 2, 24, {}, 0, 0, 0), FileStatus::kOk);
  EXPECT_NE(wq::BmpWriterFinish(&w), FileStatus::kOk);  // no rows yet
  ASSERT_EQ(wq::BmpWriterPutRow(&w, row), FileStatus::kOk);
  ASSERT_EQ(wq::BmpWriterPutRow(&w, row), FileStatus::kOk);
  EXPECT_NE(wq::BmpWriterPutRow(&w, row), FileStatus::kOk);
  EXPECT_EQ(wq::BmpWriterFinish(&w), FileStatus::kOk);
  EXPECT_EQ(m.bytes.size(), 54u + 8);
}

}  // namespace
