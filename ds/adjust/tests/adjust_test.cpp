// The tone windows' arithmetic: the field parser and ranges, the histogram
// and its bars, "Auto", the pickers and the lock, each against the values a
// user meets in the windows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "ds/adjust/auto_levels.h"
#include "ds/adjust/field.h"
#include "ds/adjust/histogram.h"
#include "ds/adjust/picker.h"
#include "ds/adjust/tone_values.h"
#include "ds/pipeline/tone.h"
#include "ds/preview/preview.h"
#include "ds/preview/preview_render.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

std::unique_ptr<ScanSettings> Fresh(int model, int mode) {
  std::unique_ptr<ScanSettings> s(new ScanSettings{});
  SettingsEnvironment env{};
  env.Measure = 1;
  SettingsDefaults(*s, env);
  s->Model = int16_t(model);
  ApplyFirstUse(*s, false);
  s->Mode = int16_t(mode);
  return s;
}

TEST(ToneField, ParserTakesDigitsAndOneLeadingMinus) {
  struct Case {
    const char* text;
    bool number;
    int value;
  } cases[] = {
      {"", false, 0},     {"0", true, 0},       {"128", true, 128},  {"-41", true, -41},
      {"-", false, 0},    {"1-2", true, 32767}, {"12-", true, 32767}, {"--1", false, 0},
      {"1 2", false, 0},  {"+5", false, 0},     {"1.5", false, 0},   {"99999999", true, 32767},
      {"0000000000000000000000000000012", true, 12},  // 31 characters
      {"00000000000000000000000000000012", false, 0},  // 32
  };
  for (const Case& c : cases) {
    const FieldNumber f = ParseField(c.text);
    EXPECT_EQ(f.IsNumber, c.number) << '"' << c.text << '"';
    if (c.number) EXPECT_EQ(f.Value, c.value) << '"' << c.text << '"';
  }
}

TEST(ToneField, ExposureStoresShiftedValuesAndFlagsTooLarge) {
  EXPECT_EQ(ExposureFromField(-40, 0), 0);
  EXPECT_EQ(ExposureFromField(-41, 0), -1);  // stored, then refused on closing
  EXPECT_EQ(ExposureFromField(1000, 2), 1040);
  EXPECT_EQ(ExposureFromField(1001, 0), 32767);
  EXPECT_EQ(ExposureFromField(400, 3), 440);
  EXPECT_EQ(ExposureFromField(401, 3), 32767);
  EXPECT_EQ(ThresholdMaximum(3), 254);
  EXPECT_EQ(ThresholdDefault(0), 128);
  EXPECT_EQ(ThresholdMaximum(-1), 0);
}

TEST(ToneField, LevelsReportTheFirstBadFieldWithItsRange) {
  auto check = [](FieldNumber ib, FieldNumber iw, FieldNumber ob, FieldNumber ow) {
    const FieldNumber f[4] = {ib, iw, ob, ow};
    return CheckLevels(f);
  };
  const FieldNumber none{false, 0};
  LevelsCheck c = check({true, 20}, {true, 300}, {true, 0}, {true, 255});
  EXPECT_EQ(c.Field, kLevelInWhite);
  EXPECT_EQ(c.Minimum, 21);
  EXPECT_EQ(c.Maximum, 255);
  c = check({true, 200}, {true, 200}, {true, 0}, {true, 255});
  EXPECT_EQ(c.Field, kLevelInBlack);
  EXPECT_EQ(c.Maximum, 199);
  c = check({true, 0}, {true, 255}, {true, 0}, none);
  EXPECT_EQ(c.Field, kLevelOutWhite);
  c = check({true, 0}, {true, 255}, {true, -1}, {true, 255});
  EXPECT_EQ(c.Field, kLevelOutBlack);
  EXPECT_EQ(check({true, 0}, {true, 1}, {true, 255}, {true, 0}).Field, kLevelsValid);
}

TEST(ToneHistogram, CountsTheRegionOfABottomUpImageAndScalesBars) {
  constexpr int32_t w = 5, h = 4;
  const uint32_t stride = PreviewStride(w);
  std::vector<uint8_t> image(size_t(stride) * h, 0);
  // Row 0 (the top) is stored last; its pixels carry 10, 20, 30.
  for (int32_t x = 0; x < w; ++x) {
    uint8_t* p = &image[size_t(h - 1) * stride + size_t(x) * 3];
    p[0] = 10, p[1] = 20, p[2] = 30;
  }
  ToneHistogram hist;
  CountHistogram(image.data(), w, h, stride, {1, 0, 3, 2}, &hist);  // 2 x 2 at the top left
  EXPECT_EQ(hist.Pixels[0], 4u);
  EXPECT_EQ(hist.Count[0][10], 2u);
  EXPECT_EQ(hist.Count[1][20], 2u);
  EXPECT_EQ(hist.Count[2][30], 2u);
  EXPECT_EQ(hist.Count[0][0], 2u);
  CountHistogram(image.data(), w, h, stride, {-5, -5, 50, 50}, &hist);  // cut to the image
  EXPECT_EQ(hist.Pixels[2], uint32_t(w * h));
  uint32_t sum[256];
  HistogramOf(hist, 1, sum);
  EXPECT_EQ(sum[0], 3u * 15u);
  EXPECT_EQ(sum[10] + sum[20] + sum[30], 15u);

  uint32_t counts[256] = {};
  counts[0] = 3, counts[1] = 1, counts[2] = 2;
  int bars[256];
  HistogramBars(counts, 100, bars);  // f = 333333 / 10000 rounding down
  EXPECT_EQ(bars[0], 99);
  EXPECT_EQ(bars[1], 33);
  EXPECT_EQ(bars[2], 66);
  EXPECT_EQ(bars[3], 0);
}

TEST(AutoLevels, LimitsSkipRareLevelsUpToTheCap) {
  const AutoValues v;  // 5 per 10000, at most 10
  uint32_t counts[256] = {};
  counts[3] = 10;      // 10 is not above t = 10: ignored
  counts[40] = 11;
  counts[200] = 50000;
  counts[250] = 9;
  LevelRange r = FindHistogramLimits(counts, 100000, v);  // t = min(50, 10)
  EXPECT_EQ(r.Low, 40);
  EXPECT_EQ(r.High, 200);
  // Small images: t = 5 x 1000 / 10000 = 0, every counted level counts.
  r = FindHistogramLimits(counts, 1000, v);
  EXPECT_EQ(r.Low, 3);
  EXPECT_EQ(r.High, 250);
  // Never above t: the whole range.
  uint32_t few[256] = {};
  few[100] = 10;
  r = FindHistogramLimits(few, 1000000, v);
  EXPECT_EQ(r.Low, 0);
  EXPECT_EQ(r.High, 255);
}

TEST(AutoLevels, NarrowRangesWidenTowardTheEnds) {
  // A flat grey: q = 0.5 on both sides.
  LevelRange r = WidenRange(100, 100, 20);
  EXPECT_EQ(r.Low, 50);
  EXPECT_EQ(r.High, 100 + 77);
  r = WidenRange(255, 255, 20);
  EXPECT_EQ(r.Low, 127);
  EXPECT_EQ(r.High, 255);
  // Wide enough (127 for a factor of 20): unchanged.
  r = WidenRange(60, 187, 20);
  EXPECT_EQ(r.Low, 60);
  EXPECT_EQ(r.High, 187);
  // A factor below 10 is taken as 10: every range short of 255 widens.
  r = WidenRange(0, 200, 3);
  EXPECT_EQ(r.Low, 0);
  EXPECT_EQ(r.High, 255);
}

// The brightness and contrast "Auto" finds make nearly the line the levels
// would: the inverse of the brightness/contrast table.
TEST(AutoLevels, BrightnessAndContrastRedrawTheLevelsLine) {
  for (auto [black, white] : {std::pair{0, 255}, {30, 220}, {50, 177}, {0, 127}, {100, 140}}) {
    int16_t b = 99, c = 99;
    BrightnessContrastFromLevels(black, white, &b, &c);
    uint8_t bc[256], levels[256];
    BuildBrightnessContrastTable(b, c, bc);
    IdentityTable(levels);
    ApplyLevels(levels, black, white, 0, 255);
    int worst = 0;
    for (int i = 0; i < 256; ++i) worst = std::max(worst, std::abs(int(bc[i]) - int(levels[i])));
    // Truncation to whole steps of brightness and contrast costs a few levels.
    EXPECT_LE(worst, 8) << black << ".." << white << " gave " << b << ", " << c;
  }
  int16_t b, c;
  BrightnessContrastFromLevels(0, 255, &b, &c);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(c, 0);
}

TEST(AutoLevels, GreyModesSetTheGreyLevelsAndColourTheCommonOnes) {
  ToneHistogram h{};
  // Red 80..90, green 60..100, blue 70..200; 1000 pixels each.
  for (int c = 0; c < 3; ++c) h.Pixels[c] = 1000;
  h.Count[0][80] = h.Count[0][90] = 500;
  h.Count[1][60] = h.Count[1][100] = 500;
  h.Count[2][70] = h.Count[2][200] = 500;
  AutoValues v = AutoValuesFrom(nullptr, 0);
  auto s = Fresh(2, 3);
  s->Select = 1;
  AutoAdjust(*s, h, v);  // grey: the red table only, 80..90 widened
  const LevelRange grey = WidenRange(80, 90, 20);
  EXPECT_EQ(s->InputBlack[4], grey.Low);
  EXPECT_EQ(s->InputWhite[4], grey.High);
  EXPECT_EQ(s->OutputWhite[4], 255);
  s->Mode = 6;
  s->InputBlack[2] = 33;
  AutoAdjust(*s, h, v);  // colour: 60..200 across the three, wide enough
  EXPECT_EQ(s->InputBlack[0], 60);
  EXPECT_EQ(s->InputWhite[0], 200);
  EXPECT_EQ(s->InputBlack[2], 0);
  EXPECT_EQ(s->InputWhite[3], 255);
  s->Select = 0;
  AutoAdjust(*s, h, v);
  int16_t b, c;
  BrightnessContrastFromLevels(60, 200, &b, &c);
  EXPECT_EQ(s->Brightnes, b);
  EXPECT_EQ(s->Contrast, c);
  EXPECT_GT(c, 0);

  const uint8_t words[6] = {7, 0, 3, 0, 40, 0};
  v = AutoValuesFrom(words, sizeof words);
  EXPECT_EQ(v.CutOff, 7);
  EXPECT_EQ(v.Cap, 3);
  EXPECT_EQ(v.SpanFactor, 40);
  EXPECT_EQ(AutoValuesFrom(words, 4).SpanFactor, 20);
}

TEST(TonePicker, PointsSetInputLevelsWithASixteenLevelSpan) {
  auto s = Fresh(2, 3);
  ApplyPickedPoint(*s, {250, 250, 250}, true);
  EXPECT_EQ(s->InputBlack[4], 239);
  EXPECT_EQ(s->InputWhite[4], 255);
  ApplyPickedPoint(*s, {100, 100, 100}, true);  // white stays above
  EXPECT_EQ(s->InputBlack[4], 100);
  EXPECT_EQ(s->InputWhite[4], 255);
  s->InputWhite[4] = 105;
  ApplyPickedPoint(*s, {100, 100, 100}, true);
  EXPECT_EQ(s->InputWhite[4], 116);
  ApplyPickedPoint(*s, {120, 0, 0}, false);  // grey reads red; black kept below
  EXPECT_EQ(s->InputWhite[4], 120);
  EXPECT_EQ(s->InputBlack[4], 100);
  ApplyPickedPoint(*s, kNothingPicked, false);  // outside the image: nothing
  EXPECT_EQ(s->InputWhite[4], 120);

  s->Mode = 6;
  s->InputBlack[0] = 9, s->OutputWhite[1] = 17;
  ApplyPickedPoint(*s, {10, 10, 10}, false);
  for (int set = 1; set <= 3; ++set) {
    EXPECT_EQ(s->InputBlack[set], 0);
    EXPECT_EQ(s->InputWhite[set], 16);
    EXPECT_EQ(s->OutputWhite[set], 255);
  }
  EXPECT_EQ(s->InputBlack[0], 0);
  EXPECT_EQ(s->InputWhite[0], 255);
}

TEST(TonePicker, ColourIsTheValueEnteringTheAdjustment) {
  constexpr int32_t w = 3, h = 2;
  const uint32_t stride = PreviewStride(w);
  std::vector<uint8_t> raw(size_t(stride) * h, 0);
  uint8_t* top = &raw[size_t(h - 1) * stride + 3];  // pixel (1, 0)
  top[0] = 30, top[1] = 60, top[2] = 90;
  ToneTables t{};
  for (int c = 0; c < 4; ++c)
    for (int i = 0; i < 256; ++i) t.Download[c][i] = uint8_t(255 - i + c);
  PickedColour p = PickColour(raw.data(), w, h, stride, 1, 0, t, false);
  EXPECT_EQ(p.R, 255 - 30);
  EXPECT_EQ(p.G, 255 - 60 + 1);
  EXPECT_EQ(p.B, 255 - 90 + 2);
  p = PickColour(raw.data(), w, h, stride, 1, 0, t, true);  // the mean, 60, through W
  EXPECT_EQ(p.R, 255 - 60 + 3);
  EXPECT_EQ(p.B, p.R);
  EXPECT_EQ(PickColour(raw.data(), w, h, stride, 3, 0, t, false).R, -1);
  EXPECT_EQ(PickColour(raw.data(), w, h, stride, 0, -1, t, false).G, -1);
}

TEST(ToneValues, LockDefaultAndCancelOfTheExposures) {
  auto s = Fresh(0, 6);
  s->ExposLock = 0;
  SetExposure(*s, 1, 90);
  EXPECT_EQ(s->ExposureG, 90);
  EXPECT_EQ(s->ExposureR, 40);
  TakeToneRestorePoint(*s);
  s->ExposLock = 1;
  SetExposure(*s, 2, 70);
  EXPECT_EQ(s->ExposureR, 70);
  EXPECT_EQ(s->ExposureG, 70);
  CancelExposure(*s, g_ToneRestore);  // unlocked again, each its own
  EXPECT_EQ(s->ExposLock, 0);
  EXPECT_EQ(s->ExposureG, 90);
  EXPECT_EQ(s->ExposureR, 40);
  DefaultExposure(*s);
  EXPECT_EQ(s->ExposLock, 1);
  EXPECT_EQ(s->ExposureG, 40);
  s->Mode = 0x101;  // bi-level: W only
  s->ExposureW = 200;
  s->ExposureG = 77;
  DefaultExposure(*s);
  EXPECT_EQ(s->ExposureW, 40);
  EXPECT_EQ(s->ExposureG, 77);

  s->Mode = 6;
  s->InputColor = 3;
  s->InputWhite[2] = 100;
  DefaultLevels(*s);
  EXPECT_EQ(s->InputColor, 1);
  EXPECT_EQ(s->InputWhite[2], 255);
  s->InputBlack[4] = 50;
  CancelLevels(*s, g_ToneRestore);
  EXPECT_EQ(s->InputBlack[4], g_ToneRestore.InputBlack[4]);
}

// The histogram counts what enters the adjustment, not what it makes, so
// that "Auto" on an adjusted preview finds the same levels again.
TEST(ToneHistogram, RenderCountsBeforeTheAdjustment) {
  auto s = Fresh(2, 6);
  s->Gamma = 1;
  s->Edges = 1;  // no edge filter between the tables
  s->Select = 1;
  s->InputBlack[0] = 50;
  s->InputWhite[0] = 100;
  constexpr int32_t w = 16, h = 8;
  const uint32_t stride = PreviewStride(w);
  std::vector<uint8_t> raw(size_t(stride) * h), screen(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = uint8_t(i * 13);
  RenderSetup setup;
  PrepareRender(*s, nullptr, &setup);
  ToneHistogram rendered, plain;
  const ImageRegion all{0, 0, w, h};
  ASSERT_TRUE(RenderImage(setup, raw.data(), screen.data(), w, h, stride, &rendered, &all));
  CountHistogram(raw.data(), w, h, stride, all, &plain);
  for (int c = 0; c < 3; ++c)
    for (int v = 0; v < 256; ++v) ASSERT_EQ(rendered.Count[c][v], plain.Count[c][v]) << c << ' ' << v;
  // And the screen copy is adjusted all the same.
  uint8_t table[256];
  IdentityTable(table);
  ApplyLevels(table, 50, 100, 0, 255);
  EXPECT_EQ(screen[2], table[raw[0]]);  // blue, green, red on the screen
}

}  // namespace
}  // namespace wq
