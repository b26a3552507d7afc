// The pipeline's line routines, in their vector and plain forms, against the
// reference: table lookups, ordered dither, error diffusion, palette reduction,
// colour line-art planes and dither plans.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ds/pipeline/lines.h"
#include "ds/pipeline/tests/reference.h"
#include "ds/res/tone_tables.h"

namespace wq {
namespace {

using ref::Bytes;

const uint8_t* M2() { return res::kDitherMethod2.data(); }

std::vector<int> Channel(const Bytes& rgb, int c) {
  std::vector<int> v;
  for (size_t i = c; i < rgb.size(); i += 3) v.push_back(rgb[i]);
  return v;
}

// The vector and the plain forms of the routines, in turn.
class BothForms : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { g_LineOptions.Vector = GetParam(); }
  void TearDown() override { g_LineOptions.Vector = true; }
};
INSTANTIATE_TEST_SUITE_P(Forms, BothForms, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Vector" : "Plain"); });

TEST_P(BothForms, LookupGreyAndColourTables) {
  const Bytes src = ref::Random(1001, 1);
  const Bytes t = ref::RandomTable(2), tg = ref::RandomTable(3), tb = ref::RandomTable(4);
  Bytes out(src.size());
  LutGrey(src.data(), out.data(), t.data(), src.size());
  for (size_t i = 0; i < src.size(); ++i) ASSERT_EQ(out[i], t[src[i]]) << i;
  const Bytes rgb = ref::Random(3 * 333, 5);
  Bytes line = rgb;
  LutRgb(line.data(), line.data(), t.data(), tg.data(), tb.data(), 333);  // in place
  for (size_t i = 0; i < 333; ++i) {
    ASSERT_EQ(line[3 * i], t[rgb[3 * i]]);
    ASSERT_EQ(line[3 * i + 1], tg[rgb[3 * i + 1]]);
    ASSERT_EQ(line[3 * i + 2], tb[rgb[3 * i + 2]]);
  }
}

TEST_P(BothForms, SwapRedBlueEveryLengthLeavesTheRest) {
  for (size_t n = 0; n <= 70; ++n) {
    const Bytes src = ref::Random(3 * n + 4, uint32_t(n + 7));
    Bytes row = src;
    SwapRedBlue(row.data(), n);
    for (size_t i = 0; i < n; ++i) {
      ASSERT_EQ(row[3 * i], src[3 * i + 2]) << n << " " << i;
      ASSERT_EQ(row[3 * i + 1], src[3 * i + 1]);
      ASSERT_EQ(row[3 * i + 2], src[3 * i]);
    }
    for (size_t k = 3 * n; k < row.size(); ++k) ASSERT_EQ(row[k], src[k]) << "beyond the row, " << n;
  }
}

TEST(OrderedDither, WhitePageIsAllWhiteOrAllBlackReversed) {
  Bytes line(64, 255);
  DitherMono(line.data(), M2(), 64, 0, false);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(line[i], 0xFF);
  line.assign(64, 255);
  DitherMono(line.data(), M2(), 64, 3, true);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(line[i], 0x00);
}

TEST_P(BothForms, DitherMonoMatchesThresholdsForEveryRowAndLength) {
  for (size_t n : {1u, 7u, 8u, 9u, 16u, 17u, 61u, 640u}) {
    for (int row = 0; row < 17; ++row) {
      for (bool reversed : {false, true}) {
        const Bytes grey = ref::Random(n, uint32_t(n * 31 + row));
        Bytes line = grey;
        DitherMono(line.data(), res::kDitherMethod3.data(), n, uint32_t(row), reversed);
        const Bytes want = ref::PackBits(ref::DitherGrey(grey, res::kDitherMethod3.data(), row, reversed));
        ASSERT_EQ(Bytes(line.begin(), line.begin() + want.size()), want) << n << " " << row;
      }
    }
  }
}

TEST_P(BothForms, DitherColourCodesBytesAndNibbles) {
  for (size_t n : {1u, 2u, 5u, 8u, 16u, 33u, 100u}) {
    for (int row : {0, 5, 12}) {
      for (bool reversed : {false, true}) {
        const Bytes rgb = ref::Random(3 * n, uint32_t(n + 100 * row));
        const auto codes = ref::DitherColour(rgb, res::kDitherMethod4.data(), row, reversed);
        Bytes a = rgb, b = rgb;
        DitherColourBytes(a.data(), res::kDitherMethod4.data(), n, uint32_t(row), reversed);
        DitherColourNibbles(b.data(), res::kDitherMethod4.data(), n, uint32_t(row), reversed);
        const Bytes wantBytes = ref::PackCodes(codes, false);
        const Bytes wantNibbles = ref::PackCodes(codes, true);
        ASSERT_EQ(Bytes(a.begin(), a.begin() + n), wantBytes);
        ASSERT_EQ(Bytes(b.begin(), b.begin() + wantNibbles.size()), wantNibbles);
      }
    }
  }
}

TEST(OrderedDither, FivePixelsPackIntoThreeBytes) {
  Bytes line(15, 255);  // white: code 7 for every pixel
  DitherColourNibbles(line.data(), M2(), 5, 0, false);
  EXPECT_EQ(line[0], 0x77);
  EXPECT_EQ(line[1], 0x77);
  EXPECT_EQ(line[2], 0x70);  // the fifth pixel; the low nibble stays 0
}

TEST(Diffusion, MidGreyAlternatesFromTheFirstPixel) {
  Bytes grey(128, 128);
  std::vector<int16_t> err(128 + kDiffuseSpare, 0);
  Bytes out(16, 0xEE);
  DiffuseMono(grey.data(), out.data(), err.data(), 128, false);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], 0xAA) << i;  // 1010 1010: white first
}

TEST_P(BothForms, DiffuseMonoOverSeveralLinesCarriesTheErrors) {
  for (size_t n : {1u, 8u, 13u, 64u, 65u, 200u}) {
    for (bool reversed : {false, true}) {
      std::vector<int16_t> err(n + kDiffuseSpare, 0);
      std::vector<int> refErr(n + kDiffuseSpare, 0);
      for (int y = 0; y < 6; ++y) {
        const Bytes grey = ref::Random(n, uint32_t(7 * y + n));
        Bytes line = grey;  // in place
        DiffuseMono(line.data(), line.data(), err.data(), n, reversed);
        const Bytes want = ref::PackBits(ref::DiffuseLine(std::vector<int>(grey.begin(), grey.end()), refErr, reversed));
        ASSERT_EQ(Bytes(line.begin(), line.begin() + want.size()), want) << n << " line " << y;
      }
      for (size_t i = 0; i < err.size(); ++i) ASSERT_EQ(err[i], refErr[i]);
    }
  }
}

TEST_P(BothForms, DiffuseColourCodesOverSeveralLines) {
  for (size_t n : {1u, 5u, 64u, 131u}) {
    for (bool nibbles : {false, true}) {
      std::vector<int16_t> e[3];
      std::vector<int> r[3];
      for (int c = 0; c < 3; ++c) {
        e[c].assign(n + kDiffuseSpare, 0);
        r[c].assign(n + kDiffuseSpare, 0);
      }
      for (int y = 0; y < 5; ++y) {
        const Bytes rgb = ref::Random(3 * n, uint32_t(y * 13 + n + nibbles));
        Bytes line = rgb;
        if (nibbles)
          DiffuseColourNibbles(line.data(), line.data(), e[0].data(), e[1].data(), e[2].data(), n, y % 2 == 1);
        else
          DiffuseColourBytes(line.data(), line.data(), e[0].data(), e[1].data(), e[2].data(), n, y % 2 == 1);
        std::vector<int> codes(n, 0);
        for (int c = 0; c < 3; ++c) {
          const auto on = ref::DiffuseLine(Channel(rgb, c), r[c], y % 2 == 1);
          for (size_t i = 0; i < n; ++i) codes[i] += on[i] << c;
        }
        const Bytes want = ref::PackCodes(codes, nibbles);
        ASSERT_EQ(Bytes(line.begin(), line.begin() + want.size()), want) << n << " line " << y;
      }
    }
  }
}

TEST(Reduction, QuantiserTiesAndRangeEnds) {
  EXPECT_EQ(Quantise3(164).Code, 4);  // 146 and 182 equally near: the lower
  EXPECT_EQ(Quantise3(164).Error, 18);
  EXPECT_EQ(Quantise3(237).Code, 6);  // 219
  EXPECT_EQ(Quantise2(42).Code, 0);
  EXPECT_EQ(Quantise2(43).Code, 1);
  EXPECT_EQ(Quantise3(-40).Code, 0);
  EXPECT_EQ(Quantise3(-40).Error, -40);
  EXPECT_EQ(Quantise3(300).Code, 7);
  EXPECT_EQ(Quantise3(300).Error, 44);  // t - 256
  EXPECT_EQ(Quantise2(256).Error, 0);
  for (int t = 0; t < 256; ++t) {
    ASSERT_EQ(Quantise3(t).Code, ref::Nearest(t, {0, 36, 73, 109, 146, 182, 219, 255})) << t;
    ASSERT_EQ(Quantise2(t).Code, ref::Nearest(t, {0, 85, 170, 255})) << t;
  }
}

TEST(Reduction, PrimaryColoursAndGreys) {
  std::vector<uint8_t> block(ReduceWorkBytes(3));
  uint8_t identity[256];
  for (int i = 0; i < 256; ++i) identity[i] = uint8_t(i);
  ReduceWork w;
  ASSERT_TRUE(ReduceInit(block.data(), block.size(), identity, 3, &w));
  const uint8_t line[9] = {255, 0, 0, 255, 255, 255, 0, 0, 0};
  ReduceLine(w, line, 3);
  EXPECT_EQ(w.Out[0], 224);
  EXPECT_EQ(w.Out[1], 255);
  EXPECT_EQ(w.Out[2], 0);
  EXPECT_FALSE(ReduceInit(block.data(), block.size() - 1, identity, 3, &w));
}

TEST(Reduction, MatchesThreeSeparatePassesOverManyLines) {
  for (size_t n : {1u, 2u, 77u}) {
    std::vector<uint8_t> block(ReduceWorkBytes(n));
    const Bytes table = ref::RandomTable(9);
    ReduceWork w;
    ASSERT_TRUE(ReduceInit(block.data(), block.size(), table.data(), n, &w));
    std::vector<int> err[3];
    for (auto& e : err) e.assign(n + 2, 0);
    for (int y = 0; y < 8; ++y) {
      const Bytes rgb = ref::Random(3 * n, uint32_t(y + 50 * n));
      ReduceLine(w, rgb.data(), n);
      Bytes mapped = rgb;
      for (auto& v : mapped) v = table[v];
      const Bytes want = ref::ReduceLine(mapped, err);
      ASSERT_EQ(Bytes(w.Out, w.Out + n), want) << n << " line " << y;
    }
  }
}

TEST(Planes, OneRedBitGivesCodeOneForItsPixelOnly) {
  const uint8_t planes[3] = {0x80, 0x00, 0x00};
  uint8_t out[8];
  EXPECT_EQ(PlanesToCodes(planes, 1, out, 8, false), 8u);
  EXPECT_EQ(out[0], 1);
  for (int i = 1; i < 8; ++i) EXPECT_EQ(out[i], 0);
  EXPECT_EQ(PlanesToCodes(planes, 1, out, 4, true), 4u);
  EXPECT_EQ(out[0], 0x10);
  EXPECT_EQ(out[1], 0);
}

TEST_P(BothForms, PlanesEveryPixelStopsAtTheOutputSize) {
  for (size_t cut : {1u, 3u, 5u, 7u}) {  // outputs ending inside a plane byte
    const Bytes planes = ref::Random(9, 78);
    const auto codes = ref::PlaneCodes(planes, 24);
    for (bool pack : {false, true}) {
      const Bytes all = ref::PackCodes(codes, pack);
      const size_t n = (pack ? 4 : 8) + cut;
      Bytes out(n + 1, 0xEE);
      EXPECT_EQ(PlanesToCodes(planes.data(), 3, out.data(), n, pack), n);
      EXPECT_EQ(Bytes(out.begin(), out.begin() + n), Bytes(all.begin(), all.begin() + n));
      EXPECT_EQ(out[n], 0xEE);
    }
  }
  for (int pixels : {83, 300}) {
  const size_t planeBytes = (pixels + 7) / 8;
  const Bytes planes = ref::Random(3 * planeBytes, 77);
  const auto codes = ref::PlaneCodes(planes, int(planeBytes * 8));
  Bytes one(planeBytes * 8), two(planeBytes * 4);
  EXPECT_EQ(PlanesToCodes(planes.data(), planeBytes, one.data(), one.size(), false), one.size());
  EXPECT_EQ(PlanesToCodes(planes.data(), planeBytes, two.data(), two.size(), true), two.size());
  EXPECT_EQ(one, ref::PackCodes(codes, false));
  EXPECT_EQ(two, ref::PackCodes(codes, true));
  Bytes shortOut(5, 0xEE);
  EXPECT_EQ(PlanesToCodes(planes.data(), planeBytes, shortOut.data(), 3, false), 3u);
  EXPECT_EQ(shortOut[3], 0xEE);
  // An output that ends early inside the wide steps.
  const size_t end = two.size() - 3;
  Bytes part(planeBytes * 8, 0xEE);
  EXPECT_EQ(PlanesToCodes(planes.data(), planeBytes, part.data(), end, true), end);
  EXPECT_EQ(Bytes(part.begin(), part.begin() + end), Bytes(two.begin(), two.begin() + end));
  EXPECT_EQ(part[end], 0xEE);
  }
}

TEST(DitherPlans, TablesFoldIntoThresholdsWhenTheirOnSetsRunToTheTop) {
  uint8_t rising[256], gap[256];
  for (int v = 0; v < 256; ++v) {
    rising[v] = uint8_t(v / 2 + 100);     // 100 .. 227: some thresholds always on
    gap[v] = uint8_t(v == 128 ? 0 : v);   // one value falls back
  }
  DitherPlan plan;
  ASSERT_TRUE(BuildDitherPlan(M2(), rising, &plan));
  EXPECT_EQ(plan.K[0], 255);              // 247: on from table value 248, never reached
  EXPECT_EQ(plan.Never[0] & 1, 1);
  EXPECT_EQ(plan.K[8], 0);                // 5: always on
  EXPECT_EQ(plan.Never[1] & 1, 0);
  EXPECT_EQ(plan.K[1], 110);              // 154: 110 / 2 + 100 = 155
  EXPECT_FALSE(BuildDitherPlan(M2(), gap, &plan));
  ASSERT_TRUE(BuildDitherPlan(M2(), nullptr, &plan));
  EXPECT_EQ(plan.K[0], 248);
}

TEST(Lines, ZeroPixelsTouchNothing) {
  Bytes line(8, 0x5A);
  std::vector<int16_t> e(16, 0);
  DitherMono(line.data(), M2(), 0, 0, false);
  DitherColourNibbles(line.data(), M2(), 0, 0, true);
  DiffuseMono(line.data(), line.data(), e.data(), 0, false);
  DiffuseColourNibbles(line.data(), line.data(), e.data(), e.data(), e.data(), 0, false);
  LutGrey(line.data(), line.data(), ref::RandomTable(1).data(), 0);
  EXPECT_EQ(line, Bytes(8, 0x5A));
}

}  // namespace
}  // namespace wq
