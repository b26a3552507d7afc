// Image-quality capabilities: brightness, contrast, threshold, gamma, light
// source (the drop-out colour) and scaling.
#include "ds/core/capfacts.h"
#include "ds/core/capprocs.h"
#include "ds/core/session.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

// Brightness and contrast: -1000..1000 on the TWAIN side, default 0.
TW_UINT16 LevelProc(CapCall* c, int16_t* value) {
  switch (c->Msg) {
    case MSG_GET: return ReplyRange(c, -1000, 1000, 1, 0, *value);
    case MSG_GETCURRENT: return ReplyFix32(c, *value);
    case MSG_GETDEFAULT: return ReplyFix32(c, 0);
    case MSG_RESET:
      *value = 0;
      return ReplyFix32(c, 0);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetNumber(c, kTakesOne | kTakesRange, 1, &v);
  if (cc != TWCC_SUCCESS) return cc;
  *value = int16_t(Clamp(v, -1000, 1000));
  return TWCC_SUCCESS;
}

constexpr int16_t kDefaultGamma = 220;  // x 100

}  // namespace

void ApplyGamma(int16_t gamma) {
  if (!g_Settings) return;
  ScanSettings& s = *g_Settings;
  g_Session.StoredGamma = gamma;
  s.Gamma = 3;
  s.GammaSelect = 3;
  s.NumericGamma = gamma;
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    s.GammaVal[ch] = gamma;
    s.GammaInput[ch] = 1;
  }
  ResetToneTables();
}

namespace {

uint16_t LightSourceOfDropOut(int dropOut) {
  switch (dropOut) {
    case 2: return TWLS_RED;
    case 3: return TWLS_GREEN;
    case 4: return TWLS_BLUE;
    default: return TWLS_WHITE;
  }
}

// X or Y scaling in percent, offered from 30 dpi up to the maximum
// resolution (3000 div N .. M x 100 div N).
TW_UINT16 ScalingProc(CapCall* c, int16_t* percent, bool* setByApp) {
  const ScannerOptions o = OptionsInUse(Settings());
  const int n = OpticalResolution(o);
  const int m = MaximumResolution(o);
  const int lo = n ? 3000 / n : 0;
  const int hi = n ? m * 100 / n : 0;
  switch (c->Msg) {
    case MSG_GET: return ReplyRange(c, lo / 100.0, hi / 100.0, 0.01, 1.0, *percent / 100.0);
    case MSG_GETCURRENT: return ReplyFix32(c, *percent / 100.0);
    case MSG_GETDEFAULT: return ReplyFix32(c, 1.0);
    case MSG_RESET:
      *setByApp = false;
      *percent = 100;
      return ReplyFix32(c, 1.0);
    default: break;
  }
  AppContainer a;
  TW_UINT16 cc = ReadSetContainer(c, kTakesOne | kTakesRange, TWCC_BADCAP, &a);
  if (cc != TWCC_SUCCESS) return cc;
  // The value is a factor (1.5 is 150 %), from a range its current value.
  const uint32_t bits = a.ConType == TWON_RANGE ? a.Range[4] : a.Item;
  *percent = int16_t(Clamp(Fix32Truncated(bits, 100), lo, hi));
  *setByApp = true;
  return TWCC_SUCCESS;
}

}  // namespace

TW_UINT16 BrightnessProc(CapCall* c) { return LevelProc(c, &g_Session.TwBrightness); }
TW_UINT16 ContrastProc(CapCall* c) { return LevelProc(c, &g_Session.TwContrast); }

TW_UINT16 ThresholdProc(CapCall* c) {
  switch (c->Msg) {
    case MSG_GET: return ReplyRange(c, 0, 255, 1, 128, g_Session.TwThreshold);
    case MSG_GETCURRENT: return ReplyFix32(c, g_Session.TwThreshold);
    case MSG_GETDEFAULT: return ReplyFix32(c, 128);
    case MSG_RESET:
      g_Session.TwThreshold = 128;
      return ReplyFix32(c, 128);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetNumber(c, kTakesOne | kTakesRange, 1, &v);
  if (cc != TWCC_SUCCESS) return cc;
  g_Session.TwThreshold = int16_t(Clamp(v, 1, 254));
  return TWCC_SUCCESS;
}

TW_UINT16 GammaProc(CapCall* c) {
  switch (c->Msg) {
    case MSG_GET:
    case MSG_GETCURRENT: return ReplyFix32(c, g_Session.StoredGamma / 100.0);
    case MSG_GETDEFAULT: return ReplyFix32(c, kDefaultGamma / 100.0);
    case MSG_RESET:
      // Every channel back to 2.2, so the scan uses what the reply says.
      ApplyGamma(kDefaultGamma);
      return ReplyFix32(c, kDefaultGamma / 100.0);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetNumber(c, kTakesOne, 100, &v);
  if (cc != TWCC_SUCCESS) return cc;
  ApplyGamma(int16_t(Clamp(v, 10, 999)));
  return TWCC_SUCCESS;
}

TW_UINT16 LightSourceProc(CapCall* c) {
  EnumTemplate& t = g_CapTemplates.LightSource;
  ScanSettings& s = Settings();
  const uint16_t current = LightSourceOfDropOut(s.DropOut);
  switch (c->Msg) {
    case MSG_GET: return ReplyEnum(c, &t, IndexOf(t, current, t.DefaultIndex));
    case MSG_GETCURRENT: return ReplyU16(c, current);
    case MSG_GETDEFAULT: return ReplyU16(c, TWLS_WHITE);
    case MSG_RESET:
      s.DropOut = 1;
      return ReplyU16(c, TWLS_WHITE);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne | kTakesEnum, TWCC_BADPROTOCOL, &t, &v);
  if (cc != TWCC_SUCCESS) return cc;
  switch (v) {
    case TWLS_RED: s.DropOut = 2; break;
    case TWLS_GREEN: s.DropOut = 3; break;
    case TWLS_BLUE: s.DropOut = 4; break;
    case TWLS_WHITE: s.DropOut = 1; break;
    default: return TWCC_BADVALUE;
  }
  return TWCC_SUCCESS;
}

TW_UINT16 XScalingProc(CapCall* c) {
  return ScalingProc(c, &g_Session.XScalePercent, &g_Session.XScaleSet);
}
TW_UINT16 YScalingProc(CapCall* c) {
  return ScalingProc(c, &g_Session.YScalePercent, &g_Session.YScaleSet);
}

}  // namespace wq
