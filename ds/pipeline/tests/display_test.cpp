// The preview display routines: grey and thresholds, dither and diffusion as
// the output routines make them, single channels and the palette levels.
#include <gtest/gtest.h>

#include <vector>

#include "ds/pipeline/display.h"
#include "ds/pipeline/tests/reference.h"
#include "ds/res/tone_tables.h"

namespace wq {
namespace {

using ref::Bytes;

constexpr size_t kN = 37;

bool AllThree(const Bytes& out, size_t i, int v) {
  return out[3 * i] == v && out[3 * i + 1] == v && out[3 * i + 2] == v;
}

TEST(PreviewDisplay, GreyFromTheMeanAndThresholds) {
  const Bytes src = ref::Random(3 * kN, 1);
  const Bytes table = ref::RandomTable(2);
  Bytes out(src.size());
  DisplayGreyTable(src.data(), out.data(), table.data(), kN);
  for (size_t i = 0; i < kN; ++i) {
    const int mean = (src[3 * i] + src[3 * i + 1] + src[3 * i + 2]) / 3;
    ASSERT_TRUE(AllThree(out, i, table[mean])) << i;
  }
  for (bool reversed : {false, true}) {
    Bytes t = src;  // in place
    DisplayThreshold(t.data(), t.data(), 100, kN, reversed);
    for (size_t i = 0; i < kN; ++i) {
      const int mean = (src[3 * i] + src[3 * i + 1] + src[3 * i + 2]) / 3;
      ASSERT_TRUE(AllThree(t, i, (mean >= 100) != reversed ? 255 : 0)) << i;
    }
  }
  Bytes rgb(src.size());
  DisplayThresholdRgb(src.data(), rgb.data(), 50, 128, 200, kN, false);
  for (size_t i = 0; i < kN; ++i) {
    EXPECT_EQ(rgb[3 * i], src[3 * i] >= 50 ? 255 : 0);
    EXPECT_EQ(rgb[3 * i + 1], src[3 * i + 1] >= 128 ? 255 : 0);
    EXPECT_EQ(rgb[3 * i + 2], src[3 * i + 2] >= 200 ? 255 : 0);
  }
}

TEST(PreviewDisplay, DitherAndDiffusionAsTheOutputRoutines) {
  const Bytes src = ref::Random(3 * kN, 3);
  Bytes first(kN);
  for (size_t i = 0; i < kN; ++i) first[i] = src[3 * i];
  for (bool reversed : {false, true}) {
    Bytes out(src.size());
    DisplayDitherGrey(src.data(), out.data(), res::kDitherMethod2.data(), kN, 6, reversed);
    const auto on = ref::DitherGrey(first, res::kDitherMethod2.data(), 6, reversed);
    for (size_t i = 0; i < kN; ++i) ASSERT_TRUE(AllThree(out, i, on[i] ? 255 : 0)) << i;

    DisplayDitherRgb(src.data(), out.data(), res::kDitherMethod3.data(), kN, 1, reversed);
    const auto codes = ref::DitherColour(src, res::kDitherMethod3.data(), 1, reversed);
    for (size_t i = 0; i < kN; ++i)
      for (int c = 0; c < 3; ++c) ASSERT_EQ(out[3 * i + c], (codes[i] >> c & 1) ? 255 : 0);

    std::vector<int16_t> err(kN + kDiffuseSpare, 0);
    std::vector<int> refErr(kN + kDiffuseSpare, 0);
    for (int y = 0; y < 3; ++y) {
      DisplayDiffuseGrey(src.data(), out.data(), err.data(), kN, reversed);
      const auto d = ref::DiffuseLine(std::vector<int>(first.begin(), first.end()), refErr, reversed);
      for (size_t i = 0; i < kN; ++i) ASSERT_TRUE(AllThree(out, i, d[i] ? 255 : 0)) << y << " " << i;
    }
  }
}

TEST(PreviewDisplay, ChannelTableAndPaletteLevels) {
  const Bytes src = ref::Random(3 * kN, 4);
  const Bytes table = ref::RandomTable(5);
  Bytes out(src.size());
  DisplayChannelTable(src.data(), out.data(), table.data(), 1, kN);
  for (size_t i = 0; i < kN; ++i) ASSERT_TRUE(AllThree(out, i, table[src[3 * i + 1]]));

  const int three[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  const int two[4] = {0, 85, 170, 255};
  DisplayReduce(src.data(), out.data(), nullptr, kN, false);
  for (size_t i = 0; i < kN; ++i) {
    EXPECT_EQ(out[3 * i], three[ref::Nearest(src[3 * i], {0, 36, 73, 109, 146, 182, 219, 255})]);
    EXPECT_EQ(out[3 * i + 2], two[ref::Nearest(src[3 * i + 2], {0, 85, 170, 255})]);
  }

  std::vector<uint8_t> block(ReduceWorkBytes(kN));
  uint8_t identity[256];
  for (int i = 0; i < 256; ++i) identity[i] = uint8_t(i);
  ReduceWork w;
  ASSERT_TRUE(ReduceInit(block.data(), block.size(), identity, kN, &w));
  std::vector<int> err[3];
  for (auto& e : err) e.assign(kN + 2, 0);
  for (int y = 0; y < 3; ++y) {
    DisplayReduce(src.data(), out.data(), &w, kN, true);
    const Bytes codes = ref::ReduceLine(src, err);
    for (size_t i = 0; i < kN; ++i) {
      ASSERT_EQ(out[3 * i], three[codes[i] >> 5]);
      ASSERT_EQ(out[3 * i + 1], three[(codes[i] >> 2) & 7]);
      ASSERT_EQ(out[3 * i + 2], two[codes[i] & 3]);
    }
  }
}

}  // namespace
}  // namespace wq
