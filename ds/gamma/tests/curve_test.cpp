// The gamma editor's curves as a user draws them (gamma values, clicks that
// add, move and replace points) and the gamma file they are saved to.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "ds/gamma/curve.h"
#include "ds/gamma/gma_file.h"
#include "ds/pipeline/tone.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

constexpr CurveGrid kGrid{20, 30, 276, 286};

struct Editor {
  std::unique_ptr<ScanSettings> s{new ScanSettings{}};
  std::unique_ptr<GammaEditor> e{new GammaEditor{}};
  Editor() {
    SettingsEnvironment env{};
    SettingsDefaults(*s, env);
    for (int ch = 0; ch < kGammaChannels; ++ch) {
      s->GammaInput[ch] = 0;
      s->GammaVal[ch] = 100;
    }
    LoadEditor(*s, kGrid, e.get());
  }
  // A click at an input level and an output value.
  void Click(int channel, int level, int value) {
    AddPoint(e.get(), *s, channel, kGrid.Left + level, YOfValue(kGrid, value));
  }
  int Value(int channel, int level) const { return s->Curves[channel - 1].Data[level]; }
  std::vector<int> Points(int channel) const {
    std::vector<int> p;
    for (int i = 0; i < 256; ++i)
      if (s->Curves[channel - 1].Points[i]) p.push_back(i);
    return p;
  }
};

TEST(GammaCurve, GammaValuesFollowThePowerLaw) {
  CurveState c;
  MakeGammaCurve(kGrid, 100, &c);
  EXPECT_EQ(c.PointCount, 2);
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(ValueOfY(kGrid, c.Y[i]), i);
    ASSERT_EQ(c.Point[i], i == 0 || i == 255 ? 1 : 0);
  }
  MakeGammaCurve(kGrid, 200, &c);
  EXPECT_EQ(ValueOfY(kGrid, c.Y[64]), int(std::ceil(255 * std::sqrt(64 / 255.0))));
  EXPECT_EQ(ValueOfY(kGrid, c.Y[255]), 255);
  MakeGammaCurve(kGrid, 5, &c);  // taken as 10: exponent 10
  EXPECT_EQ(ValueOfY(kGrid, c.Y[128]), int(std::ceil(255 * std::pow(128 / 255.0, 10))));
  EXPECT_EQ(ValueOfY(kGrid, kGrid.Bottom), 0);
  EXPECT_EQ(ValueOfY(kGrid, kGrid.Top - 1), 255);
}

TEST(GammaCurve, ClicksReplaceNearbyPointsAndTheEndsCanGo) {
  Editor ed;
  ed.Click(5, 100, 150);
  EXPECT_EQ(ed.Points(5), (std::vector<int>{0, 100, 255}));
  EXPECT_EQ(ed.Value(5, 100), 150);
  ed.Click(5, 110, 160);  // within 12 of 100: it moves
  EXPECT_EQ(ed.Points(5), (std::vector<int>{0, 110, 255}));
  EXPECT_EQ(ed.Value(5, 110), 160);
  EXPECT_EQ(ed.Value(5, 0), 0);
  EXPECT_EQ(ed.Value(5, 255), 255);

  Editor ends;
  ends.Click(5, 5, 40);  // the end point at 0 goes; flat to the left
  EXPECT_EQ(ends.Points(5), (std::vector<int>{5, 255}));
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(ends.Value(5, i), 40) << i;
  // A straight line from there to the top.
  EXPECT_NEAR(ends.Value(5, 130), 40 + (255 - 40) * 125 / 250, 1);
}

TEST(GammaCurve, AThirdPointOnTheLineGivesTheDiagonalAgain) {
  Editor ed;
  ed.Click(1, 128, 200);
  EXPECT_GT(ed.Value(1, 64), 64);
  ed.Click(1, 128, 128);  // replaces it, on the line through the ends
  for (int i = 0; i < 256; ++i) ASSERT_EQ(ed.Value(1, i), i) << i;
  EXPECT_EQ(ed.Points(1).size(), 3u);
}

TEST(GammaCurve, DrawnCurvesPassThroughTheirPointsSmoothly) {
  Editor ed;
  const int points[][2] = {{60, 30}, {128, 150}, {190, 170}};
  for (auto [level, value] : points) ed.Click(5, level, value);
  for (auto [level, value] : points) EXPECT_EQ(ed.Value(5, level), value) << level;
  EXPECT_EQ(ed.Value(5, 0), 0);
  EXPECT_EQ(ed.Value(5, 255), 255);
  // Between the points the curve rises without jumps.
  int worst = 0;
  for (int i = 1; i < 256; ++i) worst = std::max(worst, std::abs(ed.Value(5, i) - ed.Value(5, i - 1)));
  EXPECT_LE(worst, 6);
  for (int i = 61; i < 128; ++i) EXPECT_GE(ed.Value(5, i), ed.Value(5, i - 1)) << i;

  // A single bent point: the mirrored fourth knot keeps the right end.
  Editor one;
  one.Click(5, 64, 128);
  EXPECT_EQ(one.Value(5, 64), 128);
  EXPECT_GT(one.Value(5, 32), 32);
  EXPECT_EQ(one.Value(5, 255), 255);
}

TEST(GammaCurve, TheRgbCurveCarriesRedGreenAndBlue) {
  Editor ed;
  ed.Click(4, 100, 40);
  for (int ch = 1; ch <= 3; ++ch) {
    EXPECT_EQ(ed.Value(ch, 100), 40);
    EXPECT_EQ(ed.Points(ch), ed.Points(4));
  }
  EXPECT_EQ(ed.Value(5, 100), 100);
  ed.s->GammaInput[3] = ed.s->GammaInput[0] = 1;
  ResetCurve(ed.e.get(), *ed.s, 4);
  EXPECT_EQ(ed.s->GammaInput[0], 0);
  EXPECT_EQ(ed.s->GammaInput[3], 0);
}

TEST(GammaFile, SavedCurvesComeBackAndTheLayoutIsFixed) {
  Editor ed;
  ed.Click(2, 90, 20);
  ed.Click(5, 200, 250);
  ed.s->GammaColor = 3;
  ed.s->GammaVal[4] = 180;
  ed.s->GammaInput[0] = 1;
  GammaFileContent c;
  TakeGammaFileContent(*ed.s, &c);
  uint8_t bytes[kGmaFileBytes];
  EncodeGammaFile(c, bytes);
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 3);
  EXPECT_EQ(bytes[12 + 8] | bytes[12 + 9] << 8, 180);
  EXPECT_EQ(bytes[22], 1);
  EXPECT_EQ(bytes[32 + 514 + 90], 1);            // green's point at 90
  EXPECT_EQ(bytes[32 + 514 + 257 + 90], 20);     // and its level
  EXPECT_EQ(bytes[32 + 256], 0);
  EXPECT_EQ(bytes[32 + 513], 0);

  Editor other;
  GammaFileContent back;
  ASSERT_EQ(DecodeGammaFile(bytes, sizeof bytes, &back), GmaStatus::kOk);
  ApplyGammaFileContent(back, *other.s);
  LoadEditor(*other.s, kGrid, other.e.get());
  StoreEditor(*other.e, *other.s);
  for (int ch = 1; ch <= 5; ++ch) {
    EXPECT_EQ(other.Points(ch), ed.Points(ch)) << ch;
    if (ch != 1)
      for (int i = 0; i < 256; ++i) ASSERT_EQ(other.Value(ch, i), ed.Value(ch, i)) << ch << ' ' << i;
  }
  EXPECT_EQ(other.s->GammaColor, 3);
}

// Curves drawn for one scanner and loaded on another's settings download
// the same tables.
TEST(GammaFile, LoadedCurvesDownloadTheSameTablesOnAnotherModel) {
  Editor drawn;
  drawn.s->Model = 1;
  drawn.s->Gamma = 3;
  drawn.s->GammaLock = 0;
  drawn.Click(4, 70, 120);
  drawn.Click(5, 40, 10);
  drawn.Click(5, 180, 230);
  drawn.s->GammaVal[2] = 250;
  drawn.s->GammaInput[2] = 1;  // blue stays a gamma value
  SnapshotSettings(*drawn.s);
  const ToneTables first = g_Tone;
  GammaFileContent c;
  TakeGammaFileContent(*drawn.s, &c);
  uint8_t bytes[kGmaFileBytes];
  EncodeGammaFile(c, bytes);

  Editor other;
  other.s->Model = 0;
  other.s->Gamma = 3;
  other.s->GammaLock = 0;
  GammaFileContent back;
  ASSERT_EQ(DecodeGammaFile(bytes, sizeof bytes, &back), GmaStatus::kOk);
  ApplyGammaFileContent(back, *other.s);
  SnapshotSettings(*other.s);
  EXPECT_EQ(memcmp(first.Download, g_Tone.Download, sizeof first.Download), 0);
  EXPECT_NE(first.Download[kToneR][70], 70);  // the drawn RGB curve reached red
  EXPECT_EQ(first.Download[kToneB][128], int(std::ceil(255 * std::pow(128 / 255.0, 0.4))));
}

TEST(GammaFile, DamagedFilesChangeNothing) {
  Editor ed;
  GammaFileContent c;
  TakeGammaFileContent(*ed.s, &c);
  c.GammaColor = 1;
  uint8_t good[kGmaFileBytes];
  EncodeGammaFile(c, good);
  GammaFileContent out;
  memset(&out, 0x5A, sizeof out);
  const GammaFileContent untouched = out;
  EXPECT_EQ(DecodeGammaFile(good, kGmaFileBytes - 1, &out), GmaStatus::kWrongSize);
  auto damaged = [&](size_t at, uint8_t v) {
    uint8_t b[kGmaFileBytes];
    memcpy(b, good, sizeof b);
    b[at] = v;
    return DecodeGammaFile(b, sizeof b, &out);
  };
  EXPECT_EQ(damaged(0, 6), GmaStatus::kBadHeader);       // no sixth channel
  EXPECT_EQ(damaged(12, 5), GmaStatus::kBadHeader);      // gamma 0.05
  EXPECT_EQ(damaged(22, 2), GmaStatus::kBadHeader);      // curve type 2
  EXPECT_EQ(damaged(32 + 7, 2), GmaStatus::kBadPoints);  // a flag of 2
  uint8_t none[kGmaFileBytes];
  memcpy(none, good, sizeof none);
  memset(none + 32 + 2 * 514, 0, 256);  // a drawn blue curve without points
  EXPECT_EQ(DecodeGammaFile(none, sizeof none, &out), GmaStatus::kBadPoints);
  EXPECT_EQ(memcmp(&out, &untouched, sizeof out), 0);
  none[22 + 2 * 2] = 1;  // blue as a gamma value: points no longer matter
  EXPECT_EQ(DecodeGammaFile(none, sizeof none, &out), GmaStatus::kOk);
}

}  // namespace
}  // namespace wq
