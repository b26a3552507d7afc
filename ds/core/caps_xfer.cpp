// Transfer and format capabilities: transfer count, compression, pixel type,
// units, transfer mechanism, file format, the supported list, indicators and
// pixel flavour.
#include "ds/core/capprocs.h"
#include "ds/core/session.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

// The pixel type a settings mode delivers (its low byte is the image kind).
uint16_t PixelTypeOfMode(int mode) {
  switch (mode & 0xFF) {
    case 1: return TWPT_BW;
    case 2:
    case 4:
    case 5: return TWPT_PALETTE;
    case 3: return TWPT_GRAY;
    default: return TWPT_RGB;
  }
}

}  // namespace

TW_UINT16 XferCountProc(CapCall* c) {
  switch (c->Msg) {
    case MSG_GET:
    case MSG_GETCURRENT: return ReplyI16(c, g_Session.PendingCount);
    case MSG_GETDEFAULT: return ReplyI16(c, -1);
    case MSG_RESET:
      g_Session.PendingCount = -1;
      return ReplyI16(c, -1);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne, TWCC_BADCAP, nullptr, &v);
  if (cc != TWCC_SUCCESS) return cc;
  if (v == 0) return TWCC_BADVALUE;
  if (v < 2) return TWCC_SUCCESS;  // one page or "as many as there are": nothing to change
  g_Session.PendingCount = int16_t(Clamp(v, 2, 32767));
  if (ScannerHasFeeder()) {
    // Several pages come from the feeder; the film unit and the scan area
    // stay as they are.
    g_Session.FeederLoaded = true;
    g_Session.AutoFeed = true;
    Settings().ADF = 1;
    g_Session.FeederSetByApp = true;
  }
  return TWCC_SUCCESS;
}

TW_UINT16 CompressionProc(CapCall* c) {
  if (c->Msg != MSG_SET) return ReplyU16(c, TWCP_NONE);
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne, TWCC_BADCAP, nullptr, &v);
  if (cc != TWCC_SUCCESS) return cc;
  return v == TWCP_NONE ? TWCC_SUCCESS : TWCC_BADVALUE;
}

TW_UINT16 PixelTypeProc(CapCall* c) {
  EnumTemplate& t = g_CapTemplates.PixelType;
  ScanSettings& s = Settings();
  const uint16_t current = PixelTypeOfMode(s.Mode);
  switch (c->Msg) {
    case MSG_GET: return ReplyEnum(c, &t, IndexOf(t, current, t.DefaultIndex));
    case MSG_GETCURRENT: return ReplyU16(c, current);
    case MSG_GETDEFAULT: return ReplyU16(c, TWPT_RGB);
    case MSG_RESET:
      s.Mode = 6;
      RecomputeGeometry(false);
      return ReplyU16(c, TWPT_RGB);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne | kTakesEnum, TWCC_BADCAP, &t, &v);
  if (cc != TWCC_SUCCESS) return cc;
  const int kind = s.Mode & 0xFF;
  // With the window shown the user's finer choice of the same type stays.
  switch (v & 0xF) {
    case TWPT_BW:
      if (!(g_Session.ShowUI && kind == 1)) s.Mode = 0x101;
      break;
    case TWPT_GRAY: s.Mode = 3; break;
    case TWPT_RGB: s.Mode = 6; break;
    case TWPT_PALETTE:
      if (!(g_Session.ShowUI && (kind == 4 || kind == 2))) s.Mode = 4;
      break;
    default: return TWCC_BADCAP;
  }
  RecomputeGeometry(false);
  return TWCC_SUCCESS;
}

TW_UINT16 UnitsProc(CapCall* c) {
  EnumTemplate& t = g_CapTemplates.Units;
  switch (c->Msg) {
    case MSG_GET: return ReplyEnum(c, &t, IndexOf(t, g_Session.TwUnits, 0));
    case MSG_GETCURRENT: return ReplyU16(c, g_Session.TwUnits);
    case MSG_GETDEFAULT: return ReplyU16(c, TWUN_INCHES);
    case MSG_RESET:
      g_Session.TwUnits = TWUN_INCHES;
      return ReplyU16(c, TWUN_INCHES);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne | kTakesEnum, TWCC_BADCAP, &t, &v);
  if (cc != TWCC_SUCCESS) return cc;
  v &= 0xF;
  if (v != TWUN_INCHES && v != TWUN_CENTIMETERS && v != TWUN_PIXELS) return TWCC_BADVALUE;
  g_Session.TwUnits = uint16_t(v);
  return TWCC_SUCCESS;
}

TW_UINT16 XferMechProc(CapCall* c) {
  EnumTemplate& t = g_CapTemplates.XferMech;
  switch (c->Msg) {
    case MSG_GET: return ReplyEnum(c, &t, IndexOf(t, g_Session.XferMech, 0));
    case MSG_GETCURRENT: return ReplyU16(c, g_Session.XferMech);
    case MSG_GETDEFAULT: return ReplyU16(c, TWSX_NATIVE);
    case MSG_RESET:
      g_Session.XferMech = TWSX_NATIVE;
      RecomputeGeometry(false);
      return ReplyU16(c, TWSX_NATIVE);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne | kTakesEnum, TWCC_BADCAP, &t, &v);
  if (cc != TWCC_SUCCESS) return cc;
  if (v != TWSX_NATIVE && v != TWSX_FILE && v != TWSX_MEMORY) return TWCC_BADVALUE;
  g_Session.XferMech = uint16_t(v);
  RecomputeGeometry(false);
  return TWCC_SUCCESS;
}

TW_UINT16 ImageFileFormatProc(CapCall* c) {
  EnumTemplate& t = g_CapTemplates.FileFormat;
  switch (c->Msg) {
    case MSG_GET: return ReplyEnum(c, &t, IndexOf(t, g_Session.FileFormat, 0));
    case MSG_GETCURRENT: return ReplyU16(c, g_Session.FileFormat);
    case MSG_GETDEFAULT: return ReplyU16(c, TWFF_BMP);
    case MSG_RESET:
      g_Session.FileFormat = TWFF_BMP;
      RecomputeGeometry(false);
      return ReplyU16(c, TWFF_BMP);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne | kTakesEnum, TWCC_BADPROTOCOL, &t, &v);
  if (cc != TWCC_SUCCESS) return cc;
  v &= 0xF;
  if (v != TWFF_TIFF && v != TWFF_BMP) return TWCC_BADCAP;
  g_Session.FileFormat = uint16_t(v);
  // Eight-colour rows differ between BMP and TIFF files.
  RecomputeGeometry(false);
  return TWCC_SUCCESS;
}

TW_UINT16 SupportedCapsProc(CapCall* c) {
  if (!PutArray(&c->Reply, TWTY_UINT16, kSupportedCaps, kSupportedCapCount)) return TWCC_BUMMER;
  return TWCC_SUCCESS;
}

TW_UINT16 IndicatorsProc(CapCall* c) {
  switch (c->Msg) {
    case MSG_GET:
    case MSG_GETCURRENT: return ReplyBool(c, g_Session.Indicators);
    case MSG_GETDEFAULT: return ReplyBool(c, true);
    case MSG_RESET:
      g_Session.Indicators = true;
      return ReplyBool(c, true);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne, TWCC_BADCAP, nullptr, &v);
  if (cc != TWCC_SUCCESS) return cc;
  g_Session.Indicators = v != 0;
  return TWCC_SUCCESS;
}

TW_UINT16 PixelFlavorProc(CapCall* c) {
  switch (c->Msg) {
    case MSG_GET:
    case MSG_GETCURRENT: return ReplyU16(c, g_Session.PixelFlavor);
    case MSG_GETDEFAULT: return ReplyU16(c, TWPF_CHOCOLATE);
    case MSG_RESET:
      g_Session.PixelFlavor = TWPF_CHOCOLATE;
      return ReplyU16(c, TWPF_CHOCOLATE);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne, TWCC_BADPROTOCOL, nullptr, &v);
  if (cc != TWCC_SUCCESS) return cc;
  v &= 0xF;
  if (v != TWPF_CHOCOLATE && v != TWPF_VANILLA) return TWCC_BADVALUE;
  g_Session.PixelFlavor = uint16_t(v);
  return TWCC_SUCCESS;
}

}  // namespace wq
