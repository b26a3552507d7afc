// TIFF files written by the program, checked by libtiff (tiffinfo reads them
// without a warning, tiffcmp finds them equal to tiffcp's coding of the same
// pixels) and by Pillow; and the values of their directory as tiffdump lists them.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "imagefile/tests/bmp_support.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tests/tool_support.h"
#include "imagefile/tiff_writer.h"
#include "common/io_file.h"

namespace {

using wq::FileStatus;
using namespace wqtest;

std::string WriteBmpFile(const ScratchDir& dir, const TestImage& im, int32_t pels = 11811) {
  const std::string path = dir.File("in.bmp");
  wq::FileWriter fw;
  EXPECT_EQ(wq::FileWriterCreate(&fw, path.c_str()), wq::IoStatus::kOk);
  EXPECT_EQ(WriteBmp(im, wq::FileWriterIo(&fw), pels), FileStatus::kOk);
  EXPECT_EQ(wq::FileWriterCommit(&fw), wq::IoStatus::kOk);
  return path;
}

// The image as the writer expresses it: 4- and 8-bit images become palette images.
TestImage AsWritten(TestImage im) {
  if (im.bits == 4 || im.bits == 8) im.photometric = 3;
  return im;
}

constexpr char kDateTime[] = "2001:02:03 04:05:06";

// The save command's writer with a fixed DateTime.
FileStatus WriteTiff(const std::string& bmp, const std::string& target, int order, bool lzw) {
  wq::TiffWriteOptions o;
  o.order = order == 1 ? wq::ByteOrder::kIntel : wq::ByteOrder::kMotorola;
  o.lzw = lzw;
  o.documentName = target;
  o.dateTime = kDateTime;
  wq::FileReader r;
  if (wq::FileReaderOpen(&r, bmp.c_str()) != wq::IoStatus::kOk) return FileStatus::kReadError;
  wq::FileWriter w;
  wq::FileWriterGuard guard{&w};
  if (wq::FileWriterCreate(&w, target.c_str()) != wq::IoStatus::kOk) return FileStatus::kWriteError;
  FileStatus st = wq::TiffWriteFromBmp(wq::FileReaderIo(&r), wq::FileWriterIo(&w), o);
  wq::FileReaderClose(&r);
  if (st == FileStatus::kOk && wq::FileWriterCommit(&w) != wq::IoStatus::kOk) st = FileStatus::kWriteError;
  return st;
}

struct WriteCase {
  Kind kind;
  int photometric;
  uint32_t width, height;
};

TEST(TiffWriteInterop, LibtiffAndPillowReadWhatIsWritten) {
  WQ_REQUIRE_TOOL("tiffcp");
  WQ_REQUIRE_TOOL("tiffcmp");
  WQ_REQUIRE_TOOL("tiffinfo");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  const WriteCase cases[] = {
      {Kind::kBilevel, 1, 61, 23},  {Kind::kBilevel, 0, 61, 23},   {Kind::kBilevel, 1, 1000, 70},
      {Kind::kPalette4, 3, 61, 23}, {Kind::kGrey4, 1, 33, 9},      {Kind::kGrey8, 1, 61, 23},
      {Kind::kPalette8, 3, 61, 23}, {Kind::kPalette8, 3, 997, 40}, {Kind::kRgb, 2, 61, 23},
      {Kind::kRgb, 2, 1001, 45},    {Kind::kRgb, 2, 1, 1},
  };
  for (const WriteCase& c : cases) {
    const TestImage im = MakeImage(c.kind, c.width, c.height, c.photometric);
    const std::string bmp = WriteBmpFile(dir, im, 11811);
    const std::string refSource = dir.File("ref_src.tif");
    const std::string ours = dir.File("ours.tif"), ref = dir.File("ref.tif");
    // The reference carries the same descriptive fields, so that tiffcmp
    // goes on to compare the pixels.
    TiffExtras extras;
    extras.resolution = true;
    extras.xNumerator = extras.yNumerator = 3000761;  // 11,811 pixels a metre
    extras.denominator = 10000;
    extras.fillOrder = c.kind == Kind::kBilevel;
    extras.ascii = {{269, ours}, {271, "Korva Coporation"}, {305, "ScanWQ V4.3 Scanner Utility"},
                    {306, kDateTime}};
    ASSERT_TRUE(WriteSimpleTiff(AsWritten(im), refSource, extras));
    for (bool lzw : {false, true}) {
      for (int order : {1, 2}) {
        const std::string what = std::string(KindName(c.kind)) + " " + std::to_string(c.width) +
                                 (lzw ? " lzw" : " none") + (order == 1 ? " II" : " MM");
        ASSERT_EQ(WriteTiff(bmp, ours, order, lzw), FileStatus::kOk) << what;
        ToolResult info = RunTool("tiffinfo -D " + Quote(ours));
        EXPECT_EQ(info.status, 0) << what;
        EXPECT_EQ(info.err, "") << what;

        const char* coding = !lzw ? "none" : c.kind == Kind::kRgb ? "lzw:2" : "lzw";
        const uint32_t rowBytes = (c.width * uint32_t(im.bits) + 7) / 8;
        const uint32_t rows = lzw ? wq::TiffLzwRowsPerStrip(rowBytes, c.height) : c.height;
        ToolResult cp = RunTool(std::string("tiffcp -c ") + coding + (order == 1 ? " -L " : " -B ") +
                                "-r " + std::to_string(rows) + " " + Quote(refSource) + " " +
                                Quote(ref));
        ASSERT_EQ(cp.status, 0) << cp.err;
        // tiffcp adds Orientation and leaves out Predictor 1.
        std::string set = "tiffset -u 274 " + Quote(ref);
        if (lzw && c.kind != Kind::kRgb) set += " && tiffset -s 317 1 " + Quote(ref);
        ToolResult setr = RunTool(set);
        ASSERT_EQ(setr.status, 0) << setr.err;
        ToolResult cmp = RunTool("tiffcmp " + Quote(ours) + " " + Quote(ref));
        EXPECT_EQ(cmp.status, 0) << what << ": " << cmp.out;
        EXPECT_EQ(cmp.out, "") << what;

        RgbImage pil;
        ASSERT_TRUE(ReadRgbWithPil(ours, &pil)) << what;
        EXPECT_EQ(FirstDifference(pil.rgb, ExpectedRgb(im)), -1) << what;

        // The comparison does reach the pixels: one changed sample shows.
        if (c.width * c.height > 1) {
          TestImage changed = AsWritten(im);
          changed.values.back() ^= 1;
          ASSERT_TRUE(WriteSimpleTiff(changed, refSource, extras));
          ASSERT_EQ(RunTool(std::string("tiffcp -c ") + coding + (order == 1 ? " -L " : " -B ") +
                            "-r " + std::to_string(rows) + " " + Quote(refSource) + " " +
                            Quote(ref) + " && " + set)
                        .status,
                    0);
          EXPECT_NE(RunTool("tiffcmp " + Quote(ours) + " " + Quote(ref)).status, 0) << what;
          ASSERT_TRUE(WriteSimpleTiff(AsWritten(im), refSource, extras));
        }
      }
    }
  }
}

// tiffdump's listing: tag number -> "TYPE (n) count<values>".
std::map<int, std::string> Dump(const std::string& path, std::vector<int>* order) {
  std::map<int, std::string> tags;
  ToolResult r = RunTool("tiffdump " + Quote(path));
  static const std::regex line(R"(\((\d+)\) (\w+ \(\d+\) \d+<.*>))");
  std::smatch m;
  for (size_t pos = 0; pos < r.out.size();) {
    size_t nl = r.out.find('\n', pos);
    std::string l = r.out.substr(pos, nl - pos);
    pos = nl == std::string::npos ? r.out.size() : nl + 1;
    if (std::regex_search(l, m, line)) {
      tags[std::stoi(m[1])] = m[2];
      order->push_back(std::stoi(m[1]));
    }
  }
  return tags;
}

TEST(TiffWriteInterop, DirectoryHoldsTheFieldsOfASave) {
  WQ_REQUIRE_TOOL("tiffdump");
  ScratchDir dir;
  // A 100 x 100 bilevel page at 300 dpi: rows of 13 bytes.
  TestImage bw = MakeImage(Kind::kBilevel, 100, 100, 1);
  std::string bmp = WriteBmpFile(dir, bw, 11811);
  const std::string out = dir.File("PAGE.TIF");
  ASSERT_EQ(wq::TiffWriteFile(out.c_str(), bmp.c_str(), 1, false, {}), FileStatus::kOk);
  std::vector<int> order;
  std::map<int, std::string> t = Dump(out, &order);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(order, (std::vector<int>{254, 256, 257, 258, 259, 262, 266, 269, 271, 273, 277, 278,
                                     279, 282, 283, 296, 305, 306}));
  EXPECT_EQ(t[254], "LONG (4) 1<0>");
  EXPECT_EQ(t[256], "LONG (4) 1<100>");
  EXPECT_EQ(t[259], "SHORT (3) 1<1>");
  EXPECT_EQ(t[262], "SHORT (3) 1<1>");
  EXPECT_EQ(t[266], "SHORT (3) 1<1>");
  EXPECT_EQ(t[269].substr(0, 13), "ASCII (2) " + std::to_string(out.size() + 1) + "<");
  EXPECT_EQ(t[271], "ASCII (2) 17<Korva Coporation\\0>");
  EXPECT_EQ(t[273], "LONG (4) 1<8>");
  EXPECT_EQ(t[278], "LONG (4) 1<100>");
  EXPECT_EQ(t[279], "LONG (4) 1<1300>");
  EXPECT_EQ(t[282], "RATIONAL (5) 1<300.076>");
  EXPECT_EQ(t[296], "SHORT (3) 1<2>");
  EXPECT_EQ(t[305].substr(0, 13), "ASCII (2) 28<");
  const std::string info = RunTool("tiffinfo " + Quote(out)).out;
  EXPECT_NE(info.find("DocumentName: " + out + "\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Software: ScanWQ V4.3 Scanner Utility\n"), std::string::npos) << info;
  EXPECT_TRUE(std::regex_match(t[306], std::regex(R"(ASCII \(2\) 20<\d{4}:\d\d:\d\d \d\d:\d\d:\d\d\\0>)")))
      << t[306];

  // LZW: RowsPerStrip 630 limited to 100, one strip, Predictor 1.
  ASSERT_EQ(wq::TiffWriteFile(out.c_str(), bmp.c_str(), 2, true, {}), FileStatus::kOk);
  t = Dump(out, &order);
  EXPECT_EQ(t[278], "LONG (4) 1<100>");
  EXPECT_EQ(t[317], "SHORT (3) 1<1>");
  EXPECT_EQ(t[273], "LONG (4) 1<8>");
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFile(out, &bytes));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4),
            (std::vector<uint8_t>{'M', 'M', 0, 0x2A}));

  // White as colour 0: WhiteIsZero.
  bmp = WriteBmpFile(dir, MakeImage(Kind::kBilevel, 10, 10, 0));
  ASSERT_EQ(wq::TiffWriteFile(out.c_str(), bmp.c_str(), 1, false, {}), FileStatus::kOk);
  EXPECT_EQ(Dump(out, &order)[262], "SHORT (3) 1<0>");

  // An A4 colour row with LZW: 8 rows a strip, predictor 2, planar 1, no FillOrder.
  bmp = WriteBmpFile(dir, MakeImage(Kind::kRgb, 2550, 20), 0);
  ASSERT_EQ(wq::TiffWriteFile(out.c_str(), bmp.c_str(), 1, true, {}), FileStatus::kOk);
  t = Dump(out, &order);
  EXPECT_EQ(t[258].substr(0, 20), "SHORT (3) 3<8 8 8>");
  EXPECT_EQ(t[262], "SHORT (3) 1<2>");
  EXPECT_EQ(t[277], "SHORT (3) 1<3>");
  EXPECT_EQ(t[278], "LONG (4) 1<8>");
  EXPECT_EQ(t[284], "SHORT (3) 1<1>");
  EXPECT_EQ(t[317], "SHORT (3) 1<2>");
  EXPECT_EQ(t[282], "RATIONAL (5) 1<0>");
  EXPECT_EQ(t.count(266), 0u);
  EXPECT_EQ(t[273].substr(0, 13), "LONG (4) 3<8 ");

  // A palette image carries 3 x 16 colour values.
  bmp = WriteBmpFile(dir, MakeImage(Kind::kPalette4, 5, 3));
  ASSERT_EQ(wq::TiffWriteFile(out.c_str(), bmp.c_str(), 1, true, {}), FileStatus::kOk);
  t = Dump(out, &order);
  EXPECT_EQ(t[320].substr(0, 13), "SHORT (3) 48<");
  EXPECT_EQ(t[317], "SHORT (3) 1<1>");
}

}  // namespace
