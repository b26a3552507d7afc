// DG_IMAGE triplets that describe the image: DAT_IMAGEINFO, DAT_IMAGELAYOUT
// and DAT_PALETTE8.
#include <cstring>

#include "ds/core/dib.h"
#include "ds/core/dsentry.h"
#include "ds/core/exchange.h"
#include "ds/core/fix32.h"
#include "ds/core/layout.h"
#include "ds/core/report.h"
#include "ds/core/session.h"
#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

void Begin() { g_Session.Status.ConditionCode = TWCC_SUCCESS; }

int Kind() { return g_Settings ? g_Settings->Mode & 0xFF : 6; }

TW_FIX32 Whole(int v) {
  TW_FIX32 f;
  f.Whole = TW_INT16(v);
  f.Frac = 0;
  return f;
}

TW_FIX32 InUnits(int64_t pixels, int resolution) {
  return RealToFix32(PixelsInUnits(pixels, g_Session.TwUnits, resolution));
}

// The unzoomed scan area as the application sees it.
void CurrentLayout(TW_IMAGELAYOUT* l) {
  const ScanSettings& s = *g_Settings;
  const int64_t left = int64_t(s.AreaLeft - kBedLeft) * s.XFinalRes / 25;
  const int64_t top = int64_t(s.AreaTop - kBedTop) * s.YFinalRes / 25;
  l->Frame.Left = InUnits(left, s.XFinalRes);
  l->Frame.Top = InUnits(top, s.YFinalRes);
  l->Frame.Right = InUnits(left + s.ImageWidth, s.XFinalRes);
  l->Frame.Bottom = InUnits(top + s.ImageHeight, s.YFinalRes);
  l->DocumentNumber = g_Session.BatchCount;
  l->PageNumber = g_Session.PageIndex;
  l->FrameNumber = 1;
}

void DefaultLayout(TW_IMAGELAYOUT* l) {
  const int n = g_Session.DefaultFrameRes;
  l->Frame.Left = InUnits(0, n);
  l->Frame.Top = InUnits(0, n);
  l->Frame.Right = InUnits(g_Session.DefaultFrameWidth, n);
  l->Frame.Bottom = InUnits(g_Session.DefaultFrameHeight, n);
  l->DocumentNumber = l->PageNumber = l->FrameNumber = 1;
}

// The application's frame becomes the preview selection and so the area.
void SetLayout(const TW_IMAGELAYOUT& l) {
  ScanSettings& s = *g_Settings;
  const int units = g_Session.TwUnits;
  auto area = [&](TW_FIX32 v, int resolution) {
    return AreaToPreview(FrameValueToArea(Fix32ToReal(v), units, resolution), s.Model);
  };
  s.PreCropRect.Left = area(l.Frame.Left, s.XFinalRes) + s.PreScanRect.Left;
  s.PreCropRect.Top = area(l.Frame.Top, s.YFinalRes) + s.PreScanRect.Top;
  s.PreCropRect.Right = area(l.Frame.Right, s.XFinalRes) + s.PreScanRect.Left;
  s.PreCropRect.Bottom = area(l.Frame.Bottom, s.YFinalRes) + s.PreScanRect.Top;
  SelectionToArea(s);
  RecomputeXferGeometry();
}

}  // namespace

void DescribeImage() {
  if (g_Session.State == 6 && !g_Session.ShowUI) {
    RecomputeXferGeometry();  // the scaling applies to the size of now
    ExchangeAtTransfer();
  }
  RecomputeXferGeometry();
}

// DG_IMAGE / DAT_IMAGEINFO / MSG_GET
TW_UINT16 ImageInfoProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  Begin();
  if (msg != MSG_GET) return Refuse(TWCC_BADPROTOCOL, lead::kImageInfo);
  if (g_Session.State != 6 || !g_Settings)
    return Refuse(TWCC_SEQERROR, lead::kTransfer);
  if (!data) return Refuse(TWCC_BADVALUE, lead::kImageInfo);
  // What the next transfer will deliver.
  DescribeImage();
  const ScanSettings& s = *g_Settings;
  const int kind = Kind();
  TW_IMAGEINFO info;
  memset(&info, 0, sizeof info);
  info.XResolution = Whole(s.XFinalRes);
  info.YResolution = Whole(s.YFinalRes);
  info.ImageWidth = TW_INT32(g_Session.Geometry.ImageWidth);
  info.ImageLength = TW_INT32(g_Session.Geometry.ImageRows);
  info.SamplesPerPixel = kind == 6 ? 3 : 1;
  if (kind == 6) {
    for (int i = 0; i < 4; ++i) info.BitsPerSample[i] = TW_INT16(BitsPerSampleOfKind(kind));
  } else {
    info.BitsPerSample[0] = TW_INT16(BitsPerSampleOfKind(kind));
  }
  info.BitsPerPixel = kind == 1 ? 1 : kind == 6 ? 24 : 8;
  info.Planar = 0;
  switch (kind) {
    case 1: info.PixelType = TWPT_BW; break;
    case 3: info.PixelType = TWPT_GRAY; break;
    case 6: info.PixelType = TWPT_RGB; break;
    default: info.PixelType = TWPT_PALETTE; break;
  }
  info.Compression = TWCP_NONE;
  memcpy(data, &info, sizeof info);
  return TWRC_SUCCESS;
}

// DG_IMAGE / DAT_IMAGELAYOUT / MSG_GET, MSG_GETDEFAULT, MSG_SET, MSG_RESET
TW_UINT16 ImageLayoutProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                          TW_MEMREF data) {
  Begin();
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kImageInfo); };
  const int state = g_Session.State;
  switch (msg) {
    case MSG_GET:
    case MSG_GETDEFAULT:
      if (!InStates(state, 4, 5, 6)) return refuse(TWCC_BADPROTOCOL);
      break;
    case MSG_SET:
    case MSG_RESET:
      if (state != 4) return refuse(TWCC_BADPROTOCOL);
      break;
    default:
      return refuse(TWCC_BADPROTOCOL);
  }
  if (!g_Settings) return refuse(TWCC_SEQERROR);
  if (!data) return refuse(TWCC_BADVALUE);
  UpdateImageSize(*g_Settings);  // the resolutions the frame is measured in
  TW_IMAGELAYOUT l;
  memcpy(&l, data, sizeof l);
  switch (msg) {
    case MSG_GET:
      CurrentLayout(&l);
      break;
    case MSG_GETDEFAULT:
      DefaultLayout(&l);
      break;
    case MSG_SET:
      SetLayout(l);
      return TWRC_SUCCESS;  // the reply stays as given
    case MSG_RESET:
      g_Settings->PreCropRect = SettingsRect{0, 0, 0, 0};
      SetAreaFromPaper(*g_Settings);
      RecomputeXferGeometry();
      DefaultLayout(&l);
      break;
  }
  memcpy(data, &l, sizeof l);
  return TWRC_SUCCESS;
}

// DG_IMAGE / DAT_PALETTE8 / MSG_GET, MSG_GETDEFAULT, MSG_RESET
TW_UINT16 Palette8Proc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  Begin();
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kImageInfo); };
  if (msg != MSG_GET && msg != MSG_GETDEFAULT && msg != MSG_RESET) return refuse(TWCC_BADPROTOCOL);
  if (!InStates(g_Session.State, 4, 5, 6)) return refuse(TWCC_BADPROTOCOL);
  if (!data) return refuse(TWCC_BADVALUE);
  TW_PALETTE8 palette;
  FillPalette8(Kind(), &palette);
  memcpy(data, &palette, sizeof palette);
  return TWRC_SUCCESS;
}

}  // namespace wq
