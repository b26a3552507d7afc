// Turns, flips and crops of every document depth held against netpbm on the
// same pixels: bmptopnm of our result must equal pamflip or pamcut of
// bmptopnm of the source, for odd widths, 1-bit rows that end inside a
// byte, single pixels, and a memory budget small enough to force one row a
// band.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/bytes.h"
#include "imagefile/tests/bmp_support.h"
#include "imageops/crop.h"
#include "imageops/turn.h"

namespace wqtest {
namespace {

using wq::FileStatus;
using wq::Turn;

constexpr Kind kKinds[] = {Kind::kBilevel, Kind::kPalette4, Kind::kGrey8, Kind::kPalette8, Kind::kRgb};

struct Case {
  uint32_t width, height;
};
constexpr Case kSizes[] = {{37, 23}, {1, 1}, {9, 5}, {1, 13}, {64, 3}};

class TurnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WQ_REQUIRE_TOOL("bmptopnm");
    WQ_REQUIRE_TOOL("pamflip");
  }
  // The PNM netpbm makes of a BMP file.
  std::string Pnm(const std::string& bmp) {
    const ToolResult r = RunTool("bmptopnm " + Quote(bmp) + " 2>/dev/null");
    EXPECT_EQ(r.status, 0) << bmp;
    return r.out;
  }
  std::string Source(const TestImage& im) {
    const std::string path = dir_.File("source.bmp");
    EXPECT_TRUE(WriteFile(path, BmpBytes(im, 3937)));
    return path;
  }
  ScratchDir dir_;
};

std::string Name(const TestImage& im) {
  return std::to_string(im.bits) + "-bit " + std::to_string(im.width) + "x" + std::to_string(im.height);
}

TEST_F(TurnTest, EveryTurnEqualsPamflipAtEveryDepth) {
  const struct {
    Turn turn;
    const char* pamflip;
  } turns[] = {{Turn::kRight, "-r270"}, {Turn::kLeft, "-r90"}, {Turn::kHorizontal, "-lr"}, {Turn::kVertical, "-tb"}};
  for (Kind kind : kKinds) {
    for (const Case& c : kSizes) {
      const TestImage im = MakeImage(kind, c.width, c.height);
      const std::string source = Source(im);
      for (const auto& t : turns) {
        SCOPED_TRACE(Name(im) + " " + t.pamflip);
        const ToolResult ref = RunTool("bmptopnm " + Quote(source) + " 2>/dev/null | pamflip " + t.pamflip);
        ASSERT_EQ(ref.status, 0);
        const std::string out = dir_.File("out.bmp");
        ASSERT_EQ(wq::TurnBmpFile(out.c_str(), source.c_str(), t.turn, {}), FileStatus::kOk);
        EXPECT_EQ(Pnm(out), ref.out);
        // One output row a band and one source row a block: the same image.
        std::vector<uint8_t> in, big;
        ASSERT_TRUE(ReadFile(source, &in));
        wq::MemReader src{in};
        wq::MemWriter small;
        ASSERT_EQ(wq::TurnBmp(wq::MemReaderIo(&src), wq::MemWriterIo(&small), t.turn, {}, 1), FileStatus::kOk);
        ASSERT_TRUE(ReadFile(out, &big));
        EXPECT_EQ(small.bytes, big);
      }
    }
  }
}

TEST_F(TurnTest, FourRightTurnsGiveTheStartAndResolutionFollowsTheTurn) {
  TestImage im = MakeImage(Kind::kRgb, 31, 7);
  std::vector<uint8_t> start = BmpBytes(im, 3937);
  // An image whose two resolutions differ.
  wq::PutLE32(&start[38], 3937);
  wq::PutLE32(&start[42], 11811);
  std::string path = dir_.File("a.bmp");
  ASSERT_TRUE(WriteFile(path, start));
  for (int n = 1; n <= 4; ++n) {
    const std::string next = dir_.File("turn" + std::to_string(n) + ".bmp");
    ASSERT_EQ(wq::TurnBmpFile(next.c_str(), path.c_str(), Turn::kRight, {}), FileStatus::kOk);
    std::vector<uint8_t> b;
    ASSERT_TRUE(ReadFile(next, &b));
    EXPECT_EQ(wq::GetLE32(&b[38]), n % 2 ? 11811u : 3937u) << n;
    path = next;
  }
  std::vector<uint8_t> end;
  ASSERT_TRUE(ReadFile(path, &end));
  EXPECT_EQ(end, start);
}

TEST_F(TurnTest, CropsEqualPamcutAtEveryDepth) {
  WQ_REQUIRE_TOOL("pamcut");
  const struct {
    wq::CropRect r;
  } crops[] = {{{3, 2, 17, 9}}, {{0, 0, 1, 1}}, {{5, 20, 100, 100}}, {{36, 22, 1, 1}}, {{8, 0, 9, 23}}};
  for (Kind kind : kKinds) {
    const TestImage im = MakeImage(kind, 37, 23);
    const std::string source = Source(im);
    for (const auto& c : crops) {
      const wq::CropRect r = wq::ClipCrop(c.r, im.width, im.height);
      SCOPED_TRACE(Name(im) + " at " + std::to_string(r.x) + "," + std::to_string(r.y));
      const ToolResult ref = RunTool("bmptopnm " + Quote(source) + " 2>/dev/null | pamcut -left " +
                                     std::to_string(r.x) + " -top " + std::to_string(r.y) + " -width " +
                                     std::to_string(r.width) + " -height " + std::to_string(r.height));
      ASSERT_EQ(ref.status, 0);
      const std::string out = dir_.File("crop.bmp");
      ASSERT_EQ(wq::CropBmpFile(out.c_str(), source.c_str(), c.r, {}), FileStatus::kOk);
      EXPECT_EQ(Pnm(out), ref.out);
    }
    // A rectangle beside the image is refused and leaves no file.
    const std::string none = dir_.File("none.bmp");
    EXPECT_EQ(wq::CropBmpFile(none.c_str(), source.c_str(), {37, 0, 5, 5}, {}), FileStatus::kRefused);
    EXPECT_FALSE(FileExists(none));
  }
}

TEST_F(TurnTest, CancelAndBadSourceLeaveNoTarget) {
  const std::string source = Source(MakeImage(Kind::kGrey8, 40, 30));
  const std::string out = dir_.File("out.bmp");
  wq::ProgressSink stop;
  stop.step = [](void*, uint32_t done, uint32_t) { return done < 2; };
  for (Turn t : {Turn::kRight, Turn::kVertical}) {
    EXPECT_EQ(wq::TurnBmpFile(out.c_str(), source.c_str(), t, stop), FileStatus::kCancelled);
    EXPECT_FALSE(FileExists(out));
  }
  ASSERT_TRUE(WriteFile(dir_.File("bad.bmp"), {'B', 'M', 1, 2, 3}));
  EXPECT_NE(wq::TurnBmpFile(out.c_str(), dir_.File("bad.bmp").c_str(), Turn::kLeft, {}), FileStatus::kOk);
  EXPECT_FALSE(FileExists(out));
}

}  // namespace
}  // namespace wqtest
