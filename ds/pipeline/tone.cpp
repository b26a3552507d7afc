// Building the tone tables from the settings in effect: the scanner's gamma
// curves (standard, numeric or drawn), brightness and contrast or levels in
// software, and the preview tables that chain both.
#include "ds/pipeline/tone.h"

#include <cmath>
#include <cstring>

#include "ds/pipeline/film.h"
#include "ds/pipeline/modes.h"
#include "ds/res/tone_tables.h"
#include "ds/settings/settings.h"

namespace wq {

ToneTables g_Tone = [] {
  ToneTables t{};
  for (auto& table : t.Download) IdentityTable(table);
  IdentityTable(t.AdjustGrey);
  IdentityTable(t.AdjustR);
  IdentityTable(t.AdjustG);
  IdentityTable(t.AdjustB);
  for (auto& table : t.Preview) IdentityTable(table);
  return t;
}();
namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// Gamma x 100 as a curve: ceiling(255 (i / 255) ^ (100 / g)).
void GammaValueTable(int g, uint8_t table[256]) {
  g = Clamp(g, 10, 999);
  const double exponent = 100.0 / g;
  table[0] = 0;
  for (int i = 1; i < 256; ++i) {
    double v = std::ceil(255.0 * std::pow(i / 255.0, exponent));
    table[i] = uint8_t(v > 255.0 ? 255 : int(v));
  }
}

bool LevelsAreDefault(const SettingsInEffect& e, int set) {
  return e.InputBlack[set] == 0 && e.InputWhite[set] == 255 && e.OutputBlack[set] == 0 &&
         e.OutputWhite[set] == 255;
}

void ApplyLevelSet(uint8_t table[256], const SettingsInEffect& e, int set) {
  ApplyLevels(table, e.InputBlack[set], e.InputWhite[set], e.OutputBlack[set], e.OutputWhite[set]);
}

}  // namespace

void IdentityTable(uint8_t table[256]) {
  for (int i = 0; i < 256; ++i) table[i] = uint8_t(i);
}

void BuildGammaTable(const SettingsInEffect& e, int channel, uint8_t table[256]) {
  if (e.GammaLock == 1 && channel >= 1 && channel <= 3) channel = 4;
  if (channel < 1 || channel > 5) {
    IdentityTable(table);
    return;
  }
  const int c = channel - 1;
  switch (e.Gamma) {
    case 2:
      memcpy(table, res::kStandardCurve.data(), 256);
      break;
    case 3:
      if (e.GammaInput[c] == 1)
        GammaValueTable(e.GammaVal[c], table);
      else
        memcpy(table, e.GammaCurve[c], 256);
      break;
    default:  // 1, and anything unknown, is the straight line
      IdentityTable(table);
      break;
  }
}

void BuildDownloadTables(const SettingsInEffect& e, ToneTables* t) {
  BuildGammaTable(e, 1, t->Download[kToneR]);
  BuildGammaTable(e, 2, t->Download[kToneG]);
  BuildGammaTable(e, 3, t->Download[kToneB]);
  BuildGammaTable(e, 5, t->Download[kToneW]);
}

void ApplyLevels(uint8_t table[256], int ib, int iw, int ob, int ow) {
  ib = Clamp(ib, 0, 255);
  iw = Clamp(iw, 0, 255);
  ob = Clamp(ob, 0, 255);
  ow = Clamp(ow, 0, 255);
  int span = iw - ib;
  if (span < 1) span = 1;
  const float slope = float(ow - ob) / float(span);
  for (int i = 0; i < 256; ++i) {
    const int v = table[i];
    int out;
    if (v <= ib) {
      out = ob;
    } else if (v >= iw) {
      out = ow;
    } else {
      const float r = float(v - ib) * slope + float(ob);
      out = int(r);  // toward zero
      if (out > 255) out = 255;
      if (out < 0) out = 0;
    }
    table[i] = uint8_t(out);
  }
}

void BuildBrightnessContrastTable(int brightness, int contrast, uint8_t table[256]) {
  const double b = Clamp(brightness, -127, 127);
  const double c = Clamp(contrast, -127, 127);
  constexpr double kPi = 3.14159265358979323846;
  // The slope turns from 1/255 through 1 to 255 as the contrast goes from
  // -127 to 127; tan(45 degrees) is not exactly 1 in floating point, and
  // contrast 0 must leave the table untouched.
  double s = 1.0;
  if (c != 0) {
    const double a = std::atan(255.0) * 180.0 / kPi;
    const double angle = (c / 127.0) * (a - 45.0) + 45.0;
    s = std::tan(angle * kPi / 180.0);
  }
  const double offset = b * (255.0 - (1.0 - s) * 128.0) / 127.0 + (1.0 - s) * 128.0;
  for (int i = 0; i < 256; ++i) {
    const double v = i * s + offset;
    table[i] = v < 0 ? 0 : v > 255 ? 255 : uint8_t(int(v));
  }
}

void BuildAdjustTables(const SettingsInEffect& e, ToneTables* t) {
  if (e.Select == 0) {
    BuildBrightnessContrastTable(e.Brightnes, e.Contrast, t->AdjustGrey);
    memcpy(t->AdjustR, t->AdjustGrey, 256);
    memcpy(t->AdjustG, t->AdjustGrey, 256);
    memcpy(t->AdjustB, t->AdjustGrey, 256);
    return;
  }
  IdentityTable(t->AdjustGrey);
  if (IsGreyMode(e.Mode)) {
    ApplyLevelSet(t->AdjustGrey, e, 4);
    return;
  }
  ApplyLevelSet(t->AdjustGrey, e, 0);
  memcpy(t->AdjustR, t->AdjustGrey, 256);
  memcpy(t->AdjustG, t->AdjustGrey, 256);
  memcpy(t->AdjustB, t->AdjustGrey, 256);
  // Each channel's own levels act on the result of the common ones.
  ApplyLevelSet(t->AdjustR, e, 1);
  ApplyLevelSet(t->AdjustG, e, 2);
  ApplyLevelSet(t->AdjustB, e, 3);
}

void BuildPreviewTables(ToneTables* t) {
  for (int i = 0; i < 256; ++i) {
    t->Preview[kToneR][i] = t->AdjustR[t->Download[kToneR][i]];
    t->Preview[kToneG][i] = t->AdjustG[t->Download[kToneG][i]];
    t->Preview[kToneB][i] = t->AdjustB[t->Download[kToneB][i]];
    t->Preview[kToneW][i] = t->AdjustGrey[t->Download[kToneW][i]];
  }
}

bool AdjustIsIdentity(const SettingsInEffect& e) {
  if (e.Mode == 0x101 || e.Mode == 0x102) return e.ThresholdW == 128;
  if (e.Brightnes != 0 || e.Contrast != 0) return false;
  if (IsGreyMode(e.Mode)) return LevelsAreDefault(e, 4);
  if (IsColourMode(e.Mode))
    return LevelsAreDefault(e, 0) && LevelsAreDefault(e, 1) && LevelsAreDefault(e, 2) &&
           LevelsAreDefault(e, 3);
  return true;  // no software table in an unknown mode
}

void SnapshotTables(const SettingsInEffect& e, ToneTables* t) {
  IdentityTable(t->AdjustGrey);
  IdentityTable(t->AdjustR);
  IdentityTable(t->AdjustG);
  IdentityTable(t->AdjustB);
  if (e.NegaPosi == 2) {
    BuildFilmTables(e, t);
  } else {
    BuildDownloadTables(e, t);
    BuildAdjustTables(e, t);
  }
  BuildPreviewTables(t);
}

void SnapshotSettings(ScanSettings& live) {
  TakeSettingsInEffect(live, &g_InEffect);
  SnapshotTables(g_InEffect, &g_Tone);
  if (g_InEffect.NegaPosi == 2) memcpy(live.FilmExposure, g_Tone.FilmExposure, sizeof live.FilmExposure);
}

}  // namespace wq
