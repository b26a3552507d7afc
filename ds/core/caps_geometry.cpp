// Geometry capabilities: the bed's size, the optical and the chosen
// resolutions in the application's unit, and the paper sizes.
#include "ds/core/capfacts.h"
#include "ds/core/capprocs.h"
#include "ds/core/session.h"
#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

double InUnits(double dpi) { return ResolutionInUnits(dpi, g_Session.TwUnits); }

// A listed value selects its list index (both axes follow it); any other
// value becomes the axis's custom resolution.
void SelectResolution(ScanSettings& s, bool x, int dpi) {
  const int index = ListedResolutionIndex(s.Model, dpi);
  if (index) {
    s.Resolution = int16_t(index);
  } else {
    (x ? s.XResoCustom : s.YResoCustom) = int16_t(dpi);
    s.Resolution = int16_t(ResolutionCount(s.Model));
  }
  RecomputeGeometry(false);
}

TW_UINT16 ResolutionProc(CapCall* c, bool x) {
  ScanSettings& s = Settings();
  const ScannerOptions o = OptionsInUse(s);
  const int n = OpticalResolution(o);
  const int m = MaximumResolution(o);
  const int final = x ? s.XFinalRes : s.YFinalRes;
  switch (c->Msg) {
    case MSG_GET:
      if (g_Session.TwUnits == TWUN_PIXELS) return ReplyRange(c, 1, 1, 0, 1, 1);
      return ReplyRange(c, InUnits(30), InUnits(m), InUnits(1), InUnits(n), InUnits(final));
    case MSG_GETCURRENT: return ReplyFix32(c, InUnits(final));
    case MSG_GETDEFAULT: return ReplyFix32(c, InUnits(n));
    case MSG_RESET:
      // Through the list, so the scan and the image information agree with
      // the reply.
      SelectResolution(s, x, n);
      return ReplyFix32(c, InUnits(n));
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetNumber(c, kTakesOne | kTakesRange, 1, &v);
  if (cc != TWCC_SUCCESS) return cc;
  if (v > m) v = m;
  if (v < 30) v = 30;
  SelectResolution(s, x, v);
  return TWCC_SUCCESS;
}

// The size list of the model and options into the template.
EnumTemplate& SizeTemplate(const ScannerOptions& o, uint16_t defaultSize) {
  EnumTemplate& t = g_CapTemplates.Sizes;
  const SizeList list = SupportedSizes(o);
  for (uint32_t i = 0; i < list.Count; ++i) g_CapTemplates.SizeItems[i] = list.Items[i];
  t.Items = g_CapTemplates.SizeItems;
  t.NumItems = list.Count;
  t.DefaultIndex = IndexOf(t, defaultSize, 0);
  return t;
}

}  // namespace

TW_UINT16 PhysicalWidthProc(CapCall* c) {
  const ScanSettings& s = Settings();
  int w = 0, l = 0;
  MaximumArea(OptionsInUse(s), &w, &l);
  return ReplyFix32(c, LengthInUnits(w * 4 / 100.0, g_Session.TwUnits, s.XFinalRes));
}

TW_UINT16 PhysicalHeightProc(CapCall* c) {
  const ScanSettings& s = Settings();
  int w = 0, l = 0;
  MaximumArea(OptionsInUse(s), &w, &l);
  return ReplyFix32(c, LengthInUnits(l * 4 / 100.0, g_Session.TwUnits, s.YFinalRes));
}

TW_UINT16 XNativeResolutionProc(CapCall* c) {
  return ReplyFix32(c, InUnits(OpticalResolution(OptionsInUse(Settings()))));
}

TW_UINT16 YNativeResolutionProc(CapCall* c) {
  const ScannerOptions o = OptionsInUse(Settings());
  // The WQ140 reads 800 lines an inch; its current and default stay at N.
  const int dpi = c->Msg == MSG_GET && o.Model == 0 ? 800 : OpticalResolution(o);
  return ReplyFix32(c, InUnits(dpi));
}

TW_UINT16 XResolutionProc(CapCall* c) { return ResolutionProc(c, true); }
TW_UINT16 YResolutionProc(CapCall* c) { return ResolutionProc(c, false); }

TW_UINT16 SupportedSizesProc(CapCall* c) {
  ScanSettings& s = Settings();
  const ScannerOptions o = OptionsInUse(s);
  const uint16_t def = DefaultSize(o, g_Env.Measure == 0);
  EnumTemplate& t = SizeTemplate(o, def);
  switch (c->Msg) {
    case MSG_GET: return ReplyEnum(c, &t, IndexOf(t, g_Session.PaperSize, t.DefaultIndex));
    case MSG_GETCURRENT: return ReplyU16(c, ReportedCurrentSize(o, g_Session.PaperSize));
    case MSG_GETDEFAULT: return ReplyU16(c, def);
    case MSG_RESET:
      g_Session.PaperSize = def;
      return ReplyU16(c, def);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne | kTakesEnum, TWCC_BADCAP, &t, &v);
  if (cc != TWCC_SUCCESS) return cc;
  if (v <= TWSS_NONE || v > 0xFFFF || IndexOf(t, uint16_t(v), t.NumItems) == t.NumItems)
    return TWCC_BADVALUE;
  g_Session.PaperSize = uint16_t(v);
  // The window's paper choice, then the area of that paper.
  const int16_t index = int16_t(PaperIndexOfSize(s.Model, uint16_t(v)));
  if (s.Model == 3) s.Range1 = index;
  else s.Range2 = index;
  RecomputeGeometry(true);
  return TWCC_SUCCESS;
}

}  // namespace wq
