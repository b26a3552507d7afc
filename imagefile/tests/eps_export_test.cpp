// EPS files exported from the document's BMP: Ghostscript draws them with
// the BMP's pixels at the image's resolution, their TIFF preview reads in
// libtiff without a warning, and the header, bounding box and preview size
// follow the image's resolution.
#include <gtest/gtest.h>

#include <string>

#include "imagefile/eps_writer.h"
#include "imagefile/tests/bmp_support.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tests/tool_support.h"

namespace {

using wq::FileStatus;
using namespace wqtest;

std::vector<uint8_t> Eps(const TestImage& im, int32_t pels) {
  const std::vector<uint8_t> bmp = BmpBytes(im, pels);
  wq::MemReader r{bmp};
  wq::MemWriter w;
  std::tm made{};
  made.tm_year = 126, made.tm_mon = 11, made.tm_mday = 9, made.tm_wday = 3;
  EXPECT_EQ(wq::EpsWriteFromBmp(wq::MemReaderIo(&r), wq::MemWriterIo(&w), "PAGE.EPS", made, {}),
            FileStatus::kOk);
  return w.bytes;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

std::string PostScript(const std::vector<uint8_t>& eps) {
  return std::string(eps.begin() + Le32(eps, 4), eps.begin() + Le32(eps, 4) + Le32(eps, 8));
}

TEST(EpsExport, GhostscriptDrawsTheBmpsPixelsAndThePreviewReadsCleanly) {
  WQ_REQUIRE_TOOL("gs");
  WQ_REQUIRE_TOOL("tiffinfo");
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  const struct {
    Kind kind;
    uint32_t width, height;
  } cases[] = {{Kind::kBilevel, 61, 23}, {Kind::kPalette4, 37, 9}, {Kind::kGrey8, 61, 23},
               {Kind::kPalette8, 97, 11}, {Kind::kRgb, 61, 23},   {Kind::kRgb, 1, 1}};
  for (const auto& c : cases) {
    for (int32_t pels : {11811, 2834}) {  // 300 and 72 dpi
      const uint32_t dpi = pels == 11811 ? 300 : 72;
      const std::string what = std::string(KindName(c.kind)) + " " + std::to_string(c.width) + " at " +
                               std::to_string(dpi);
      const TestImage im = MakeImage(c.kind, c.width, c.height);
      const std::vector<uint8_t> eps = Eps(im, pels);
      ASSERT_GT(eps.size(), 32u) << what;
      EXPECT_EQ(Le32(eps, 0), 0xC6D3D0C5u) << what;
      EXPECT_EQ(Le32(eps, 20), 32u) << what;
      EXPECT_EQ(Le32(eps, 4), 32 + Le32(eps, 24)) << what;
      EXPECT_EQ(Le32(eps, 4) + Le32(eps, 8), eps.size()) << what;
      EXPECT_EQ(Le32(eps, 28), 0xFFFFFFFFu) << what;
      const std::string path = dir.File("page.eps"), ppm = dir.File("page.ppm"),
                        preview = dir.File("preview.tif");
      ASSERT_TRUE(WriteFile(path, eps));
      // The page exactly the image's size in device pixels: the image's
      // pixels land one on one.
      const ToolResult gs = RunTool("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r" + std::to_string(dpi) +
                                    " -g" + std::to_string(c.width) + "x" + std::to_string(c.height) +
                                    " -sOutputFile=" + Quote(ppm) + " " + Quote(path));
      ASSERT_EQ(gs.status, 0) << what << ": " << gs.err << gs.out;
      RgbImage drawn;
      ASSERT_TRUE(ReadRgbWithPil(ppm, &drawn)) << what;
      EXPECT_EQ(FirstDifference(drawn.rgb, ExpectedRgb(im)), -1) << what;

      ASSERT_TRUE(WriteFile(preview, std::vector<uint8_t>(eps.begin() + 32, eps.begin() + 32 + Le32(eps, 24))));
      const ToolResult info = RunTool("tiffinfo " + Quote(preview));
      EXPECT_EQ(info.status, 0) << what;
      EXPECT_EQ(info.err, "") << what;
      RgbImage shown;
      ASSERT_TRUE(ReadRgbWithPil(preview, &shown)) << what;
      EXPECT_EQ(shown.width, dpi == 72 ? c.width : std::max(1u, c.width * 72 / 300)) << what;
      if (dpi == 72) EXPECT_EQ(FirstDifference(shown.rgb, ExpectedRgb(im)), -1) << what << " preview";
    }
  }
}

TEST(EpsExport, AnA4PageAt300DpiHasALetterSizedBoxAndPreview) {
  WQ_REQUIRE_PIL();
  ScratchDir dir;
  const std::vector<uint8_t> eps = Eps(MakeImage(Kind::kBilevel, 2550, 3300), 11811);
  const std::string ps = PostScript(eps);
  EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 612 792\n%%Title: PAGE.EPS\n"
                     "%%Creator: ScanWQ V4.00 Scanner Utility\n%%CreationDate: Wed Dec 09 2026 00:00:00\n"
                     "%%DocumentProcessColors: Black\n%%EndComments\n%%ImageData: 2550 3300 1 1 0 319 1",
                     0),
            0u)
      << ps.substr(0, 300);
  EXPECT_NE(ps.find("%%BeginBinary: " + std::to_string(319 * 3300 + 11) + "\nbeginimage\n"), std::string::npos);
  EXPECT_EQ(ps.substr(ps.size() - 26), "\n%%EndBinary\ngrestore end\n");
  const std::string preview = dir.File("preview.tif");
  ASSERT_TRUE(WriteFile(preview, std::vector<uint8_t>(eps.begin() + 32, eps.begin() + 32 + Le32(eps, 24))));
  RgbImage shown;
  ASSERT_TRUE(ReadRgbWithPil(preview, &shown));
  EXPECT_EQ(shown.width, 612u);
  EXPECT_EQ(shown.height, 792u);
}

}  // namespace
