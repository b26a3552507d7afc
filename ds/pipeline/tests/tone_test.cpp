// The tone tables: brightness and contrast, levels, the adjustment tables and
// when they are the identity, gamma selections and the lock, and the snapshot
// taken when a job starts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ds/pipeline/effect.h"
#include "ds/pipeline/tone.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

SettingsInEffect Defaults(int mode = 6) {
  SettingsInEffect e{};
  e.Mode = int16_t(mode);
  e.Gamma = 1;
  e.NegaPosi = 1;
  e.Binary = 1;
  e.ThresholdW = 128;
  for (int c = 0; c < 5; ++c) {
    e.GammaInput[c] = 1;
    e.GammaVal[c] = 100;
    for (int i = 0; i < 256; ++i) e.GammaCurve[c][i] = uint8_t(i);
    e.InputWhite[c] = 255;
    e.OutputWhite[c] = 255;
  }
  return e;
}

bool IsIdentity(const uint8_t* t) {
  for (int i = 0; i < 256; ++i)
    if (t[i] != i) return false;
  return true;
}

TEST(BrightnessContrast, NeutralAndExtremeSettings) {
  uint8_t t[256];
  BuildBrightnessContrastTable(0, 0, t);
  EXPECT_TRUE(IsIdentity(t));
  BuildBrightnessContrastTable(127, 0, t);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t[i], 255) << i;
  BuildBrightnessContrastTable(-127, 0, t);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t[i], 0) << i;
}

TEST(BrightnessContrast, BrightnessShiftsAndContrastTurnsTheSlope) {
  uint8_t t[256];
  // Brightness 50: offset 50 x 255 / 127 = 100.39, truncated after adding.
  BuildBrightnessContrastTable(50, 0, t);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t[i], i + 100 > 255 ? 255 : i + 100) << i;
  // Values beyond the range are clamped to it.
  uint8_t clamped[256];
  BuildBrightnessContrastTable(300, 0, clamped);
  BuildBrightnessContrastTable(127, 0, t);
  EXPECT_EQ(0, memcmp(t, clamped, 256));
  // Full contrast: slope 255 around the middle.
  BuildBrightnessContrastTable(0, 127, t);
  EXPECT_EQ(t[0], 0);
  EXPECT_EQ(t[127], 0);
  EXPECT_EQ(t[129], 255);
  EXPECT_EQ(t[255], 255);
  // Least contrast: slope 1/255, everything near the middle grey.
  BuildBrightnessContrastTable(0, -127, t);
  EXPECT_EQ(t[0], 127);   // 128 x 254 / 255 = 127.498
  EXPECT_EQ(t[255], 128);
  for (int i = 1; i < 256; ++i) EXPECT_GE(t[i], t[i - 1]);
}

TEST(Levels, EqualInputBlackAndWhiteUseASpanOfOne) {
  uint8_t t[256];
  IdentityTable(t);
  ApplyLevels(t, 100, 100, 10, 240);
  for (int i = 0; i <= 100; ++i) EXPECT_EQ(t[i], 10) << i;
  for (int i = 101; i < 256; ++i) EXPECT_EQ(t[i], 240) << i;
}

TEST(Levels, LinearBetweenTheInputPointsAndClamped) {
  uint8_t t[256];
  IdentityTable(t);
  ApplyLevels(t, 50, 150, 0, 200);  // slope 2
  EXPECT_EQ(t[50], 0);
  EXPECT_EQ(t[51], 2);
  EXPECT_EQ(t[100], 100);
  EXPECT_EQ(t[149], 198);
  EXPECT_EQ(t[150], 200);
  EXPECT_EQ(t[255], 200);
  // Out-of-range settings are clamped to 0..255 first.
  uint8_t u[256];
  IdentityTable(u);
  ApplyLevels(u, -20, 400, 0, 999);
  EXPECT_TRUE(IsIdentity(u));
  // Inverted output: 255 at black, 0 at white, truncated toward zero.
  IdentityTable(u);
  ApplyLevels(u, 0, 255, 255, 0);
  EXPECT_EQ(u[0], 255);
  EXPECT_EQ(u[255], 0);
  EXPECT_EQ(u[128], 127);  // 128 x -1 + 255
}

TEST(AdjustTables, ColourLevelsActOnTheCommonResult) {
  SettingsInEffect e = Defaults(6);
  e.Select = 1;
  e.OutputWhite[0] = 128;  // common: halve
  e.InputWhite[1] = 128;   // red: double back
  ToneTables t{};
  BuildAdjustTables(e, &t);
  // Common: 200 x 128/255 = 100.39 -> 100; red then 100 x 255/128 = 199.2 -> 199.
  EXPECT_EQ(t.AdjustGrey[200], 100);
  EXPECT_EQ(t.AdjustG[200], 100);
  EXPECT_EQ(t.AdjustB[200], 100);
  EXPECT_EQ(t.AdjustR[200], 199);
  EXPECT_EQ(t.AdjustR[255], 255);  // 128 reaches the red white point
}

TEST(AdjustTables, GreyModesUseTheGreyLevelsOnly) {
  SettingsInEffect e = Defaults(3);
  e.Select = 1;
  e.InputBlack[0] = 200;  // colour levels: ignored in grey
  e.InputBlack[4] = 100;
  e.InputWhite[4] = 100;
  ToneTables t{};
  BuildAdjustTables(e, &t);
  EXPECT_EQ(t.AdjustGrey[100], 0);
  EXPECT_EQ(t.AdjustGrey[101], 255);
  // Brightness/contrast when Select is 0, the same table for every channel.
  e.Select = 0;
  e.Brightnes = 127;
  BuildAdjustTables(e, &t);
  EXPECT_EQ(t.AdjustGrey[0], 255);
  EXPECT_EQ(0, memcmp(t.AdjustGrey, t.AdjustR, 256));
  EXPECT_EQ(0, memcmp(t.AdjustGrey, t.AdjustB, 256));
}

TEST(AdjustTables, IdentityDecision) {
  SettingsInEffect e = Defaults(6);
  EXPECT_TRUE(AdjustIsIdentity(e));
  e.Contrast = 1;
  EXPECT_FALSE(AdjustIsIdentity(e));
  e.Contrast = 0;
  e.OutputBlack[3] = 1;  // blue levels
  EXPECT_FALSE(AdjustIsIdentity(e));
  e.Mode = 0x201;        // grey: only the grey levels count
  EXPECT_TRUE(AdjustIsIdentity(e));
  e.InputWhite[4] = 254;
  EXPECT_FALSE(AdjustIsIdentity(e));
  // Native bi-level modes: only the threshold counts.
  e.Mode = 0x101;
  e.Brightnes = 30;
  EXPECT_TRUE(AdjustIsIdentity(e));
  e.ThresholdW = 100;
  EXPECT_FALSE(AdjustIsIdentity(e));
}

TEST(GammaTables, SelectionsAndValues) {
  SettingsInEffect e = Defaults();
  uint8_t t[256];
  BuildGammaTable(e, 1, t);
  EXPECT_TRUE(IsIdentity(t));

  // The standard curve, including its one step down at 88/89.
  e.Gamma = 2;
  BuildGammaTable(e, 5, t);
  EXPECT_EQ(t[0], 0);
  EXPECT_EQ(t[1], 11);
  EXPECT_EQ(t[31], 79);
  EXPECT_EQ(t[88], 142);
  EXPECT_EQ(t[89], 141);
  EXPECT_EQ(t[128], 173);
  EXPECT_EQ(t[255], 255);

  // Gamma 2.00: 255 (i / 255)^0.5 = sqrt(255 i), rounded up.
  e.Gamma = 3;
  e.GammaVal[0] = 200;
  BuildGammaTable(e, 1, t);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t[i], int(std::ceil(std::sqrt(255.0 * i)))) << i;

  e.GammaVal[0] = 100;
  BuildGammaTable(e, 1, t);
  EXPECT_TRUE(IsIdentity(t));

  // Out of range values are kept within 10..999.
  uint8_t low[256], ten[256], high[256], top[256];
  e.GammaVal[0] = 5;
  BuildGammaTable(e, 1, low);
  e.GammaVal[0] = 10;
  BuildGammaTable(e, 1, ten);
  e.GammaVal[0] = 2000;
  BuildGammaTable(e, 1, high);
  e.GammaVal[0] = 999;
  BuildGammaTable(e, 1, top);
  EXPECT_EQ(0, memcmp(low, ten, 256));
  EXPECT_EQ(0, memcmp(high, top, 256));
  EXPECT_EQ(ten[254], 246);  // ceiling(255 x (254/255)^10) = ceiling(245.04)
  EXPECT_EQ(ten[128], 1);    // ceiling(0.26)
  EXPECT_EQ(top[1], 147);    // ceiling(255 x (1/255)^0.1001) = ceiling(146.4)

  // A drawn curve is copied when the curve type is not 1.
  e.GammaInput[1] = 2;
  for (int i = 0; i < 256; ++i) e.GammaCurve[1][i] = uint8_t(255 - i);
  BuildGammaTable(e, 2, t);
  EXPECT_EQ(t[0], 255);
  EXPECT_EQ(t[255], 0);
}

TEST(GammaTables, LockGivesEveryColourTheCommonCurve) {
  SettingsInEffect e = Defaults();
  e.Gamma = 3;
  e.GammaLock = 1;
  e.GammaInput[0] = 2;  // a separate drawn red curve
  for (int i = 0; i < 256; ++i) e.GammaCurve[0][i] = 7;
  e.GammaVal[3] = 180;  // the common RGB curve
  e.GammaVal[4] = 50;   // grey keeps its own
  ToneTables t{};
  BuildDownloadTables(e, &t);
  uint8_t common[256], grey[256];
  BuildGammaTable(e, 4, common);
  e.GammaLock = 0;
  BuildGammaTable(e, 5, grey);
  EXPECT_EQ(0, memcmp(t.Download[kToneR], common, 256));
  EXPECT_EQ(0, memcmp(t.Download[kToneG], common, 256));
  EXPECT_EQ(0, memcmp(t.Download[kToneB], common, 256));
  EXPECT_EQ(0, memcmp(t.Download[kToneW], grey, 256));
  EXPECT_NE(t.Download[kToneR][100], 7);
  // Unlocked, the red curve is the drawn one.
  BuildDownloadTables(e, &t);
  EXPECT_EQ(t.Download[kToneR][100], 7);
}

TEST(Snapshot, OrderAndPreviewTables) {
  SettingsInEffect e = Defaults(6);
  e.Gamma = 2;
  e.Brightnes = 20;
  ToneTables t{};
  SnapshotTables(e, &t);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(t.Preview[kToneR][i], t.AdjustR[t.Download[kToneR][i]]);
    EXPECT_EQ(t.Preview[kToneW][i], t.AdjustGrey[t.Download[kToneW][i]]);
  }
  EXPECT_EQ(t.AdjustR[0], 40);  // 20 x 255 / 127 = 40.2

  // Negatives: the film's inverting tables, the adjustment stays the identity.
  e.NegaPosi = 2;
  e.FilmType = 1;
  for (auto& type : e.FilmTone) type[0] = type[1] = type[2] = type[3] = 5;
  for (auto& type : e.FilmColor) type[0] = type[1] = type[2] = 100;
  SnapshotTables(e, &t);
  EXPECT_GT(t.Download[kToneR][0], t.Download[kToneR][100]);
  EXPECT_TRUE(IsIdentity(t.AdjustR));
  EXPECT_TRUE(IsIdentity(t.Download[kToneW]));  // the colour film leaves grey straight
  for (int i = 0; i < 256; ++i) ASSERT_EQ(t.Preview[kToneG][i], t.Download[kToneG][i]);
}

TEST(Snapshot, TakesACopyTheLiveSettingsCannotChange) {
  static ScanSettings live;
  memset(&live, 0, sizeof live);
  live.Mode = 0x501;
  live.Gamma = 3;
  live.GammaVal[kGammaW] = 150;
  live.GammaInput[kGammaW] = 1;
  live.Curves[kGammaR].Data[9] = 42;
  live.InputWhite[4] = 200;
  live.Brightnes = -3;
  live.Binary = 2;
  live.ThresholdW = 77;
  SnapshotSettings(live);
  live.Mode = 6;
  live.Brightnes = 0;
  EXPECT_EQ(g_InEffect.Mode, 0x501);
  EXPECT_EQ(g_InEffect.Brightnes, -3);
  EXPECT_EQ(g_InEffect.GammaVal[4], 150);
  EXPECT_EQ(g_InEffect.GammaCurve[0][9], 42);
  EXPECT_EQ(g_InEffect.InputWhite[4], 200);
  EXPECT_EQ(g_InEffect.Binary, 2);
  EXPECT_EQ(g_InEffect.ThresholdW, 77);
  // The tables follow the copy: grey gamma 1.5, brightness -3.
  uint8_t grey[256];
  BuildGammaTable(g_InEffect, 5, grey);
  EXPECT_EQ(0, memcmp(g_Tone.Download[kToneW], grey, 256));
  EXPECT_EQ(g_Tone.AdjustGrey[255], 248);  // 255 - 3 x 255 / 127 = 248.98, truncated
}

}  // namespace
}  // namespace wq
