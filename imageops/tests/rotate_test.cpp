// Free rotation: a line drawn at a known angle is level after turning by
// that angle back, the area outside the image takes the chosen colour,
// quarter turns and no turn are exact, and the bands and blocks do not show
// (one row a band gives the same file at every depth).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "imagefile/bmp_reader.h"
#include "imagefile/bmp_writer.h"
#include "imagefile/tests/bmp_support.h"
#include "imageops/rotate.h"
#include "imageops/turn.h"

namespace wqtest {
namespace {

using wq::FileStatus;

// A white 24-bit page with a black line through its middle at `degrees`
// (positive: falling to the right, rows running down).
std::vector<uint8_t> PageWithLine(uint32_t w, uint32_t h, double degrees) {
  wq::MemWriter out;
  wq::BmpWriter bw;
  EXPECT_EQ(wq::BmpWriterBegin(&bw, wq::MemWriterIo(&out), w, h, 24, {}, 0, 3937, 3937), FileStatus::kOk);
  const double slope = std::tan(degrees * 0.017453292519943295);
  std::vector<uint8_t> row(size_t(w) * 3);
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      const double lineY = h / 2.0 + (x - w / 2.0) * slope;
      const uint8_t v = std::fabs(y + 0.5 - lineY) < 1.0 && x > w / 8 && x < w - w / 8 ? 0 : 255;
      row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = v;
    }
    EXPECT_EQ(wq::BmpWriterPutRow(&bw, row.data()), FileStatus::kOk);
  }
  EXPECT_EQ(wq::BmpWriterFinish(&bw), FileStatus::kOk);
  return out.bytes;
}

struct Decoded {
  wq::BmpImage img;
  std::vector<uint8_t> bytes;
  const uint8_t* Row(uint32_t y) const {
    return bytes.data() + img.pixelOffset + (img.topDown ? y : img.height - 1 - y) * img.stride;
  }
};

Decoded Open(std::vector<uint8_t> bytes) {
  Decoded d;
  d.bytes = std::move(bytes);
  wq::MemReader r{d.bytes};
  EXPECT_EQ(wq::BmpOpen(wq::MemReaderIo(&r), &d.img), FileStatus::kOk);
  return d;
}

std::vector<uint8_t> Rotated(const std::vector<uint8_t>& in, int degrees, uint32_t outside, uint64_t memory = 8u << 20) {
  wq::MemReader r{in};
  wq::MemWriter w;
  EXPECT_EQ(wq::RotateBmp(wq::MemReaderIo(&r), wq::MemWriterIo(&w), degrees, outside, {}, memory), FileStatus::kOk);
  return w.bytes;
}

TEST(FreeRotation, ALineTurnedBackByItsAngleIsLevel) {
  for (int angle : {10, -23, 37}) {
    SCOPED_TRACE(angle);
    const Decoded d = Open(Rotated(PageWithLine(301, 203, angle), -angle, 0x0000FF));  // outside: blue
    uint32_t w = 0, h = 0;
    wq::RotatedSize(301, 203, -angle, &w, &h);
    ASSERT_EQ(d.img.width, w);
    ASSERT_EQ(d.img.height, h);
    // Every black pixel lies on one row, give or take a pixel and a half.
    double lo = 1e9, hi = -1e9;
    int black = 0;
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) {
        const uint8_t* p = d.Row(y) + x * 3;
        if (p[0] == 0 && p[1] == 0 && p[2] == 0) {
          lo = std::min(lo, double(y));
          hi = std::max(hi, double(y));
          ++black;
        }
      }
    EXPECT_GT(black, 300);
    EXPECT_LE(hi - lo, 3.0) << "line spread over rows " << lo << " to " << hi;
    EXPECT_NEAR((lo + hi) / 2, h / 2.0, 2.0);
    // The corners come from outside the page: the chosen colour.
    for (uint32_t y : {0u, h - 1})
      for (uint32_t x : {0u, w - 1}) {
        const uint8_t* p = d.Row(y) + x * 3;
        EXPECT_EQ(p[0], 0xFF);  // blue
        EXPECT_EQ(p[1], 0);
        EXPECT_EQ(p[2], 0) << x << "," << y;
      }
  }
}

TEST(FreeRotation, QuarterTurnsAndNoTurnAreExact) {
  const std::vector<uint8_t> page = BmpBytes(MakeImage(Kind::kPalette8, 29, 17), 3937);
  EXPECT_EQ(Rotated(page, 0, 0), page);
  EXPECT_EQ(Rotated(page, 360, 0), page);
  for (int d : {90, -270, -90}) {
    wq::MemReader r{page};
    wq::MemWriter turned;
    ASSERT_EQ(wq::TurnBmp(wq::MemReaderIo(&r), wq::MemWriterIo(&turned), d == -90 ? wq::Turn::kLeft : wq::Turn::kRight, {}),
              FileStatus::kOk);
    EXPECT_EQ(Rotated(page, d, 0), turned.bytes) << d;
  }
  uint32_t w = 0, h = 0;
  wq::RotatedSize(100, 50, 180, &w, &h);
  EXPECT_EQ(w, 102u);
  EXPECT_EQ(h, 52u);
}

TEST(FreeRotation, TheOutsideOfAPageIsItsWhitest) {
  const uint8_t table[] = {0, 0, 0, 0, 250, 250, 250, 0, 255, 255, 254, 0, 10, 255, 255, 0};
  EXPECT_EQ(wq::WhitestPixel(8, table, 4), 2u);
  EXPECT_EQ(wq::WhitestPixel(24, nullptr, 0), 0xFFFFFFu);
}

TEST(FreeRotation, BandsAndBlocksDoNotShowAtAnyDepth) {
  for (Kind kind : {Kind::kBilevel, Kind::kPalette4, Kind::kGrey8, Kind::kRgb}) {
    const std::vector<uint8_t> page = BmpBytes(MakeImage(kind, 45, 31), 3937);
    for (int d : {30, -135, 180}) {
      SCOPED_TRACE(std::to_string(int(kind)) + " at " + std::to_string(d));
      EXPECT_EQ(Rotated(page, d, 1, 1), Rotated(page, d, 1));
    }
  }
}

}  // namespace
}  // namespace wqtest
