// The test page and the tone and line-format routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "vscsi/page.h"
#include "vscsi/params.h"
#include "vscsi/tone.h"

using namespace vscsi;

namespace {

PageLayout Flatbed() {
  PageLayout p;
  p.width = 213 * 48;
  p.length = 293 * 48;
  return p;
}

bool IsWhite(Rgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }
bool Same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

TEST(Page, MarginsAreWhite) {
  PageLayout p = Flatbed();
  for (int32_t y = 0; y < p.length; y += 37) {
    for (int32_t x = 0; x < 600; x += 13) EXPECT_TRUE(IsWhite(PageColour(p, x, y))) << x << "," << y;
    for (int32_t x = 9600; x < p.width; x += 13) EXPECT_TRUE(IsWhite(PageColour(p, x, y))) << x << "," << y;
  }
  for (int32_t x = 0; x < p.width; x += 11) {
    for (int32_t y = 0; y < 600; y += 7) EXPECT_TRUE(IsWhite(PageColour(p, x, y)));
    for (int32_t y = 12600; y < p.length; y += 7) EXPECT_TRUE(IsWhite(PageColour(p, x, y)));
  }
  // Outside the bed there is nothing but white.
  EXPECT_TRUE(IsWhite(PageColour(p, -1, 1000)));
  EXPECT_TRUE(IsWhite(PageColour(p, 1000, p.length)));
}

TEST(Page, BarsInTheirOrder) {
  PageLayout p = Flatbed();
  const Rgb want[8] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255}, {0, 255, 255},
                       {255, 0, 255}, {255, 255, 0}, {0, 0, 0},   {255, 255, 255}};
  for (int k = 0; k < 8; ++k) {
    int32_t left = 600 + 1125 * k, right = left + 1124;
    for (int32_t y : {600, 1500, 2399}) {
      EXPECT_TRUE(Same(PageColour(p, left, y), want[k])) << k;
      EXPECT_TRUE(Same(PageColour(p, right, y), want[k])) << k;
    }
  }
  EXPECT_TRUE(IsWhite(PageColour(p, 1000, 599)));
  EXPECT_TRUE(IsWhite(PageColour(p, 1000, 2400)));
}

TEST(Page, RampRisesFromBlackToWhite) {
  PageLayout p = Flatbed();
  int prev = -1;
  for (int32_t x = 600; x < 9600; ++x) {
    Rgb c = PageColour(p, x, 3900);
    ASSERT_TRUE(c.r == c.g && c.g == c.b);
    ASSERT_GE(int(c.r), prev) << x;
    prev = c.r;
  }
  EXPECT_EQ(PageColour(p, 600, 3000).r, 0);
  EXPECT_EQ(PageColour(p, 9599, 4799).r, 255);
  EXPECT_EQ(PageColour(p, 5100, 4000).r, 128);
}

TEST(Page, FineLines) {
  PageLayout p = Flatbed();
  // Vertical lines on the left: 12 dark columns in every 60.
  int dark = 0;
  for (int32_t x = 600; x < 660; ++x) dark += PageColour(p, x, 6000).r == 0;
  EXPECT_EQ(dark, 12);
  EXPECT_EQ(PageColour(p, 1200, 5401).r, 0);
  EXPECT_EQ(PageColour(p, 1212, 5401).r, 255);
  // Horizontal lines on the right: whole rows dark.
  EXPECT_EQ(PageColour(p, 6000, 5400).r, 0);
  EXPECT_EQ(PageColour(p, 9000, 5411).r, 0);
  EXPECT_EQ(PageColour(p, 9000, 5412).r, 255);
}

TEST(Page, GradientCorners) {
  PageLayout p = Flatbed();
  Rgb tl = PageColour(p, 600, 7800), br = PageColour(p, 9599, 12599);
  EXPECT_EQ(tl.r, 0);
  EXPECT_EQ(tl.g, 0);
  EXPECT_EQ(tl.b, 255);
  EXPECT_EQ(br.r, 255);
  EXPECT_EQ(br.g, 255);
  EXPECT_EQ(br.b, 0);
}

TEST(Page, SheetMarksCountTheSheet) {
  PageLayout p = Flatbed();
  p.content = PageContent::Sheet;
  p.length = 350 * 48;
  for (uint32_t sheet : {1u, 3u, 12u}) {
    p.sheet = sheet;
    int marks = 0;
    for (int k = 0; k < 8; ++k) marks += PageColour(p, 600 + 1200 * k + 300, 13200).r == 0;
    EXPECT_EQ(marks, int(std::min(sheet, 8u)));
    EXPECT_TRUE(IsWhite(PageColour(p, 600 + 600, 13200)));  // the gap between marks
  }
  p.content = PageContent::Flatbed;
  EXPECT_TRUE(IsWhite(PageColour(p, 900, 13200)));
}

TEST(Page, FilmIsAnOrangeMaskedNegativeOfTheChart) {
  PageLayout p;
  p.content = PageContent::Film;
  p.width = 104 * 48;
  p.length = 275 * 48;
  EXPECT_TRUE(Same(PageColour(p, 299, 1000), chart::kFilmBase));
  EXPECT_TRUE(Same(PageColour(p, 1000, p.length - 300), chart::kFilmBase));
  const int32_t frameW = p.width - 600, frameL = p.length - 600;
  // The chart's bands at their places in the frame.
  auto at = [&](int32_t cx, int32_t cy) {
    return PageColour(p, 300 + (cx - chart::kLeft) * frameW / (chart::kRight - chart::kLeft) + 1,
                      300 + (cy - chart::kBarsTop) * frameL / (chart::kPhotoBottom - chart::kBarsTop) + 1);
  };
  const Rgb red = at(chart::kLeft + 100, chart::kBarsTop + 200);  // the red bar: no red light
  EXPECT_EQ(red.r, 0);
  EXPECT_EQ(red.g, chart::kFilmMask.g);
  EXPECT_EQ(red.b, chart::kFilmMask.b);
  // The grey ramp: dark on the left, so the negative passes the most light there.
  const Rgb left = at(chart::kLeft + 10, chart::kRampTop + 100);
  const Rgb right = at(chart::kRight - 40, chart::kRampTop + 100);
  EXPECT_GT(left.r, right.r + 100);
  EXPECT_GT(left.g, right.g + 40);
  EXPECT_LE(left.r, chart::kFilmMask.r);
}

// The row renderer caches bands; every pixel must still be the page's.
TEST(Page, RowsMatchThePointColours) {
  PageLayout layouts[3] = {Flatbed(), Flatbed(), {}};
  layouts[1].content = PageContent::Sheet;
  layouts[1].sheet = 3;
  layouts[1].length = 350 * 48;
  layouts[2].content = PageContent::Film;
  layouts[2].width = 208 * 48;
  layouts[2].length = 275 * 48;
  for (const PageLayout& layout : layouts) {
    std::vector<int32_t> cols;
    for (int32_t x = -50; x < layout.width + 100; x += 7) cols.push_back(x);
    PageRenderer pr;
    PreparePage(&pr, layout, cols);
    std::vector<uint8_t> r(cols.size()), g(cols.size()), b(cols.size());
    for (int32_t y = -5; y < layout.length + 10; y += 3) {
      RenderRow(&pr, y, r.data(), g.data(), b.data());
      for (size_t i = 0; i < cols.size(); ++i) {
        Rgb c = PageColour(layout, cols[i], y);
        ASSERT_TRUE(r[i] == c.r && g[i] == c.g && b[i] == c.b)
            << "content " << int(layout.content) << " x " << cols[i] << " y " << y;
      }
    }
  }
}

ScanParams Grey() {
  ScanParams p;
  p.composition = 2;
  p.bits = 8;
  return p;
}

TEST(Tone, ExposureCurveAndBrightnessInOrder) {
  GammaChannel gamma[4];
  for (auto& g : gamma) ResetGamma(&g);
  for (int i = 0; i < 256; ++i) gamma[kGammaGrey].map[i] = uint8_t(i / 2);
  ScanParams p = Grey();
  p.lightness[3] = 100;  // twice the light
  p.brightness = 10;
  ToneTables t;
  BuildTone(p, gamma, &t);
  EXPECT_EQ(t.lut[3][100], 100 + 10);  // 200, halved by the curve, then +10
  EXPECT_EQ(t.lut[3][200], 127 + 10);  // clipped at 255 before the curve
  EXPECT_EQ(t.lut[0][100], 110);       // red: its own exposure and curve
  // Line art ignores the curve.
  p.composition = 0;
  BuildTone(p, gamma, &t);
  EXPECT_EQ(t.lut[3][100], 210);
  p.brightness = -128;
  p.lightness[3] = -150;
  BuildTone(p, gamma, &t);
  EXPECT_EQ(t.lut[3][255], 0);
}

TEST(Tone, FixedCurves) {
  GammaChannel g;
  SetFixedCurve(&g, 1);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(g.map[i], i);
  SetFixedCurve(&g, 11);  // exponent 1/2: brightens the middle
  EXPECT_EQ(g.map[0], 0);
  EXPECT_EQ(g.map[255], 255);
  EXPECT_EQ(g.map[64], 128);
}

TEST(Tone, LineFormats) {
  GammaChannel gamma[4];
  for (auto& g : gamma) ResetGamma(&g);
  ToneTables t;
  const uint8_t r[10] = {255, 0, 0, 255, 10, 200, 0, 255, 128, 127};
  const uint8_t g[10] = {255, 0, 255, 0, 10, 200, 0, 255, 128, 127};
  const uint8_t b[10] = {255, 0, 0, 0, 10, 200, 0, 255, 128, 127};
  ScanParams p = Grey();
  p.composition = 0;
  p.bits = 1;
  BuildTone(p, gamma, &t);
  uint8_t out[32];
  memset(out, 0xAA, sizeof out);
  FormatLine(p, t, r, g, b, 10, 0, out);
  // Dark pixels (grey below 128) set: 1, 3 (red alone is 77), 4, 6, 9; green alone is 149.
  EXPECT_EQ(out[0], 0b01011010);
  EXPECT_EQ(out[1], 0b01000000);
  EXPECT_EQ(out[2], 0xAA);  // nothing beyond the line
  p.reverse = true;
  FormatLine(p, t, r, g, b, 10, 0, out);
  EXPECT_EQ(out[0], 0b10100101);
  EXPECT_EQ(out[1], 0b10000000);  // pad bits stay 0 when reversed

  p = Grey();
  p.composition = 5;
  BuildTone(p, gamma, &t);
  FormatLine(p, t, r, g, b, 10, 0, out);
  EXPECT_EQ(0, memcmp(out, r, 10));
  EXPECT_EQ(0, memcmp(out + 10, g, 10));
  EXPECT_EQ(0, memcmp(out + 20, b, 10));

  p.composition = 3;
  p.bits = 1;
  p.gradation[1] = 250;  // red needs 250 to be light
  BuildTone(p, gamma, &t);
  FormatLine(p, t, r, g, b, 10, 0, out);
  EXPECT_EQ(out[0], 0b01101110);  // red plane: dark where red < 250
  EXPECT_EQ(out[1], 0b11000000);
  EXPECT_EQ(out[2], 0b01011010);  // green plane, threshold 128
  EXPECT_EQ(out[4], 0b01111010);  // blue plane

  p = Grey();
  p.lightSource = 1;  // red lamp: grey is the red channel
  BuildTone(p, gamma, &t);
  FormatLine(p, t, r, g, b, 10, 0, out);
  EXPECT_EQ(0, memcmp(out, r, 10));
}

TEST(Tone, HalftoneOfMidGreyIsHalfDark) {
  GammaChannel gamma[4];
  for (auto& g : gamma) ResetGamma(&g);
  ScanParams p = Grey();
  p.composition = 1;
  p.bits = 1;
  ToneTables t;
  BuildTone(p, gamma, &t);
  std::vector<uint8_t> grey(64, 128);
  int dark = 0;
  for (uint32_t row = 0; row < 4; ++row) {
    uint8_t out[8];
    FormatLine(p, t, grey.data(), grey.data(), grey.data(), 64, row, out);
    for (uint8_t byte : out) dark += __builtin_popcount(byte);
  }
  EXPECT_EQ(dark, 4 * 64 / 2);
}

}  // namespace
