// TIFF files made by libtiff's tiffcp and by Pillow, in every class and
// coding the program reads, convert to BMPs with the right pixels; the ones
// it does not read are refused with their messages and leave no file.
#include <gtest/gtest.h>

#include "app/file_messages.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tests/tool_support.h"
#include "imagefile/tiff_to_bmp.h"

namespace {

using wq::FileStatus;
using namespace wqtest;

struct Variant {
  const char* options;  // tiffcp options
  bool lzw;
  bool forKind[6];      // bilevel, grey4, palette4, grey8, palette8, rgb
};

const Variant kVariants[] = {
    {"-c none", false, {1, 1, 1, 1, 1, 1}},
    {"-c none -r 3", false, {1, 1, 1, 1, 1, 1}},
    {"-c lzw", true, {1, 1, 1, 1, 1, 1}},
    {"-c lzw -r 5", true, {1, 1, 1, 1, 1, 1}},
    {"-c lzw:2", true, {0, 0, 0, 1, 1, 1}},
    {"-c lzw:2 -r 4", true, {0, 0, 0, 1, 1, 1}},
    {"-c none -p separate", false, {0, 0, 0, 0, 0, 1}},
    {"-c none -p separate -r 4", false, {0, 0, 0, 0, 0, 1}},
    {"-c g3:1d", false, {1, 0, 0, 0, 0, 0}},
    {"-c g3:1d:fill -r 7", false, {1, 0, 0, 0, 0, 0}},
    {"-c none -f lsb2msb", false, {1, 0, 0, 0, 0, 0}},
    {"-c g3:1d -f lsb2msb", false, {1, 0, 0, 0, 0, 0}},
};

// Converts a TIFF file and returns the BMP's pixels as Pillow reads them.
void ConvertAndCompare(const ScratchDir& dir, const std::string& tiff, const TestImage& im,
                       bool lzw, int order, const std::string& what) {
  const std::string bmp = dir.File("out.bmp");
  wq::TiffSourceInfo info;
  ASSERT_EQ(wq::TiffConvertFile(bmp.c_str(), tiff.c_str(), {}, &info), FileStatus::kOk) << what;
  EXPECT_EQ(info.lzw, lzw) << what;
  EXPECT_EQ(info.byteOrderCode, order) << what;
  RgbImage got;
  ASSERT_TRUE(ReadRgbWithPil(bmp, &got)) << what;
  EXPECT_EQ(got.width, im.width) << what;
  EXPECT_EQ(got.height, im.height) << what;
  EXPECT_EQ(FirstDifference(got.rgb, ExpectedRgb(im)), -1) << what;
}

class TiffReadInterop : public testing::TestWithParam<Kind> {};

TEST_P(TiffReadInterop, EveryCodingAndByteOrderGivesThePixels) {
  WQ_REQUIRE_TOOL("tiffcp");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  const Kind kind = GetParam();
  // A small odd-sized image and one wide enough for several LZW table restarts.
  for (auto [w, h] : {std::pair{61u, 23u}, std::pair{613u, 37u}}) {
    TestImage im = MakeImage(kind, w, h);
    const std::string src = dir.File("src.tif");
    ASSERT_TRUE(WriteSimpleTiff(im, src));
    for (const Variant& v : kVariants) {
      if (!v.forKind[int(kind)]) continue;
      for (int order : {1, 2}) {
        const std::string tiff = dir.File("in.tif");
        ToolResult r = RunTool(std::string("tiffcp ") + (order == 1 ? "-L " : "-B ") + v.options +
                               " " + Quote(src) + " " + Quote(tiff));
        ASSERT_EQ(r.status, 0) << v.options << ": " << r.err;
        ConvertAndCompare(dir, tiff, im, v.lzw, order,
                          std::string(KindName(kind)) + " " + std::to_string(w) + " " + v.options +
                              (order == 1 ? " -L" : " -B"));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Classes, TiffReadInterop,
                         testing::Values(Kind::kBilevel, Kind::kGrey4, Kind::kPalette4,
                                         Kind::kGrey8, Kind::kPalette8, Kind::kRgb),
                         [](const testing::TestParamInfo<Kind>& p) { return KindName(p.param); });

TEST(TiffReadInterop, WhiteIsZeroGreyKeepsItsLook) {
  WQ_REQUIRE_TOOL("tiffcp");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  for (Kind k : {Kind::kBilevel, Kind::kGrey4, Kind::kGrey8}) {
    TestImage im = MakeImage(k, 30, 9, 0);
    const std::string tiff = dir.File("wz.tif");
    ASSERT_TRUE(WriteSimpleTiff(im, tiff));
    ConvertAndCompare(dir, tiff, im, false, 1, KindName(k));
  }
}

TEST(TiffReadInterop, CcittCodesOfEveryRunLength) {
  // Runs of every terminating and make-up length, both colours, coded by
  // libtiff as modified Huffman (through Pillow) and as Group 3 1-D.
  WQ_REQUIRE_TOOL("tiffcp");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  TestImage im = MakeRunImage(2700);
  const std::string src = dir.File("runs.tif");
  ASSERT_TRUE(WriteSimpleTiff(im, src));
  const std::string mh = dir.File("mh.tif");
  ToolResult r = RunTool(PilTool() + " rgb " + Quote(src) + " >/dev/null");  // Pillow reads it
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunTool(PythonWithPil() + " -c " +
              Quote("import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2], "
                    "compression='tiff_ccitt')") +
              " " + Quote(src) + " " + Quote(mh));
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_NE(RunTool("tiffinfo " + Quote(mh)).out.find("CCITT RLE"), std::string::npos);
  ConvertAndCompare(dir, mh, im, false, 1, "modified Huffman");
  for (const char* o : {"g3:1d", "g3:1d:fill"}) {
    const std::string g3 = dir.File("g3.tif");
    r = RunTool(std::string("tiffcp -c ") + o + " " + Quote(src) + " " + Quote(g3));
    ASSERT_EQ(r.status, 0) << r.err;
    ConvertAndCompare(dir, g3, im, false, 1, o);
  }
}

TEST(TiffReadInterop, RefusedFilesGiveTheirMessageAndLeaveNoFile) {
  WQ_REQUIRE_TOOL("tiffcp");
  WQ_REQUIRE_TOOL("tiffset");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  const std::string rgb = dir.File("rgb.tif"), grey = dir.File("grey.tif"), bw = dir.File("bw.tif");
  ASSERT_TRUE(WriteSimpleTiff(MakeImage(Kind::kRgb, 40, 16), rgb));
  ASSERT_TRUE(WriteSimpleTiff(MakeImage(Kind::kGrey8, 40, 16), grey));
  ASSERT_TRUE(WriteSimpleTiff(MakeImage(Kind::kBilevel, 40, 16), bw));
  struct Case {
    std::string command;
    int message;
  } cases[] = {
      {"tiffcp -c jpeg " + Quote(rgb), 13},
      {"tiffcp -c jpeg:r " + Quote(rgb), 13},
      {"tiffcp -c zip " + Quote(grey), 41},
      {"tiffcp -c packbits " + Quote(grey), 41},
      {"tiffcp -c g4 " + Quote(bw), 41},
      {"tiffcp -c g3:2d " + Quote(bw), 13},
      {"tiffcp -c lzw:2 -p separate " + Quote(rgb), 13},
      {"tiffcp -c none " + Quote(rgb) + " && tiffset -s 262 6", 13},  // YCbCr
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string tiff = dir.File("refused" + std::to_string(n++) + ".tif");
    std::string cmd = c.command;
    const size_t set = cmd.find(" && ");
    if (set == std::string::npos) cmd += " " + Quote(tiff);
    else cmd = cmd.substr(0, set) + " " + Quote(tiff) + cmd.substr(set) + " " + Quote(tiff);
    ToolResult r = RunTool(cmd);
    ASSERT_EQ(r.status, 0) << cmd << ": " << r.err;
    const std::string bmp = dir.File("refused.bmp");
    FileStatus st = wq::TiffConvertFile(bmp.c_str(), tiff.c_str(), {}, nullptr);
    EXPECT_EQ(wq::FileStatusMessage(st), c.message) << cmd;
  }
  // 16-bit grey, written by Pillow.
  std::vector<uint8_t> raw(2 * 20 * 5, 0x12);
  ASSERT_TRUE(WriteFile(dir.File("raw16"), raw));
  const std::string g16 = dir.File("grey16.tif");
  ToolResult r = RunTool(PilTool() + " save 'I;16' 20 5 " + Quote(dir.File("raw16")) + " - " +
                         Quote(g16));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(wq::FileStatusMessage(wq::TiffConvertFile(dir.File("g16.bmp").c_str(), g16.c_str(), {},
                                                      nullptr)),
            13);
  for (const std::string& name : ListDir(dir.path))
    EXPECT_EQ(name.find(".bmp"), std::string::npos) << "left behind: " << name;
}

TEST(TiffReadInterop, WorkFileNameComesFromTheTiffName) {
  EXPECT_EQ(wq::TiffWorkFileName("C:\\", "D:\\PICS\\SCAN0001.TIF"), "C:\\SCAN0001.$T$");
  EXPECT_EQ(wq::TiffWorkFileName("C:\\", "page.two.tif"), "C:\\page.two.$T$");
  EXPECT_EQ(wq::TiffWorkFileName("/tmp/", "/a/b/NONAME"), "/tmp/NONAME.$T$");
}

}  // namespace
