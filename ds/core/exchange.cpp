// Brightness, contrast, threshold and scaling carried between the window's
// settings and the TWAIN side: refreshed from the window before a GET, and
// taken over one way or the other at each transfer.
#include "ds/core/exchange.h"

#include "ds/core/session.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {
int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
// Integer division truncating toward zero, as C++ divides.
int16_t ToTwain(int v) { return int16_t(v * 1000 / 127); }
int ToSettings(int v) { return v * 127 / 1000; }
}  // namespace

void RefreshTwainFromWindow() {
  if (!g_Settings || g_Session.State != 5 || !g_Session.ShowUI) return;
  const ScanSettings& s = *g_Settings;
  if (!g_Session.FeederSetByApp) g_Session.FeederLoaded = s.ADF == 1;
  if (!g_Session.FilmUnitSetByApp) g_Session.FilmUnitOn = s.Mirror == 1;
  if (s.ZoomOnOff == 1 && s.ImageWidth > 0 && s.ImageHeight > 0) {
    g_Session.XScalePercent = int16_t(Clamp(s.ZoomWidth * 100 / s.ImageWidth, -32768, 32767));
    g_Session.YScalePercent = int16_t(Clamp(s.ZoomHeight * 100 / s.ImageHeight, -32768, 32767));
  } else {
    g_Session.XScalePercent = g_Session.YScalePercent = 100;
  }
  g_Session.TwBrightness = ToTwain(s.Brightnes);
  g_Session.TwContrast = ToTwain(s.Contrast);
}

void ExchangeAtTransfer() {
  if (!g_Settings) return;
  ScanSettings& s = *g_Settings;
  if (g_Session.ShowUI) {
    g_Session.TwBrightness = s.Brightnes;
    g_Session.TwContrast = s.Contrast;
    g_Session.TwThreshold = s.ThresholdW;
    return;
  }
  s.Brightnes = int16_t(Clamp(ToSettings(g_Session.TwBrightness), -127, 127));
  s.Contrast = int16_t(Clamp(ToSettings(g_Session.TwContrast), -127, 127));
  s.ThresholdW =
      int16_t(Clamp(g_Session.TwThreshold - ToSettings(g_Session.TwBrightness), 1, 254));
  if (g_Session.XScaleSet || g_Session.YScaleSet) {
    s.ZoomOnOff = 1;
    s.ZoomWidth = int32_t(int64_t(s.ImageWidth) * g_Session.XScalePercent / 100);
    s.ZoomHeight = int32_t(int64_t(s.ImageHeight) * g_Session.YScalePercent / 100);
  }
}

}  // namespace wq
