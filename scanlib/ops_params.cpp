// Selectors 6 and 7: reading and writing the scan parameters, through the
// window descriptor or the SEND parameter texts.
#include <cstdio>
#include <cstring>

#include "common/bytes.h"
#include "scanlib/command.h"
#include "scanlib/gamma.h"
#include "scanlib/model.h"
#include "scanlib/modepage.h"
#include "scanlib/ops.h"
#include "scanlib/params2048.h"
#include "scanlib/sendtext.h"
#include "scanlib/state.h"
#include "scanlib/window.h"

namespace wqscsi {

namespace {

constexpr uint32_t kModeParameterTextSize = 500;

// GET WINDOW header, then the whole window; returns the descriptor length.
int16_t ReadWindow(int32_t kind, uint8_t* buf, uint32_t* length) {
  std::memset(buf, 0, kWindowBufferSize);
  int16_t st = IssueCommand(CmdGetWindow(buf, kWindowHeaderSize));
  if (st != kScanOk) return st;
  *length = WindowDescriptorLength(kind, buf);
  if (*length == 0) return kScanNotFound;  // a header no descriptor fits
  std::memset(buf, 0, kWindowBufferSize);
  return IssueCommand(CmdGetWindow(buf, *length + kWindowHeaderSize));
}

int16_t SendText(uint8_t code, uint16_t qualifier, const ParamText& text, const char* label) {
  return IssueCommand(CmdSend(code, qualifier,
                              reinterpret_cast<uint8_t*>(const_cast<char*>(text.text)),
                              text.length, label));
}

int16_t SendBare(uint8_t code, uint16_t qualifier, const char* label) {
  return IssueCommand(CmdSend(code, qualifier, nullptr, 0, label));
}

// Scan range to moire: kinds 2, 4 and 2048.
int16_t SendWindowTexts(const ScanParamBlock& b, int32_t kind) {
  const bool kind2or4 = kind == kModelWQ210 || kind == kModelWQ215;
  const int comp = b.ImageComposition;
  ParamText t;
  ScanRangeText(b, t);
  int16_t st = SendText(kSendScanRange, 0, t, "VRCL Scan Range");
  if (st != kScanOk) return st;
  if (kind2or4 && b.Brightness != 0) {
    BrightnessText(b, t);
    if ((st = SendText(kSendGamma, kBrightnessQualifier, t, "Brightness")) != kScanOk) return st;
  }
  const int format = DataFormatQualifier(comp);
  if (format < 0) return kScanNotFound;
  if ((st = SendBare(kSendDataFormat, uint16_t(format), "VRCL Scan Dara Format")) != kScanOk)
    return st;
  if (kind2or4 && (comp == 1 || comp == 4))
    if ((st = SendBare(kSendHalftone, uint16_t(b.HalftonePattern), "VRCL Halftone")) != kScanOk)
      return st;
  if (comp != 2 && comp != 5)
    if ((st = SendBare(kSendGradation, b.ReverseImage ? 1 : 2, "VRCL Reverse Image")) != kScanOk)
      return st;
  if ((st = SendBare(kSendEdgeEmphasis, uint16_t(b.EdgeEmphasis + 1), "VRCL Edge Emphasis")) !=
      kScanOk)
    return st;
  if ((st = SendBare(kSendLightSource, uint16_t(b.LightSource + 1), "VRCL Light Source")) !=
      kScanOk)
    return st;
  LightnessText(b, t);
  if ((st = SendText(kSendLightness, 0, t, "VRCL Lightness")) != kScanOk) return st;
  if (b.ZoomX != 0 && b.ZoomY != 0) {
    ZoomText(b, t);
    if ((st = SendText(kSendZoom, 0, t, "VRCL Set Zooming")) != kScanOk) return st;
    if ((st = SendBare(kSendZoom, 2, "VRCL Zooming Enabled")) != kScanOk) return st;
  } else if ((st = SendBare(kSendZoom, 1, "VRCL Zooming Disabled")) != kScanOk) {
    return st;
  }
  if (kind == kModelWQ215) {
    const uint16_t q = MoireQualifier(b.Moire);
    if ((st = SendBare(kSendMoire, q, q == 1 ? "VRCL Moire OFF" : "VRCL Moire ON")) != kScanOk)
      return st;
  }
  return kScanOk;
}

// Resolution to transfer format, then the gamma text: kinds 2, 4, 8, 2048.
int16_t SendScanTexts(const ScanParamBlock& b, int32_t kind) {
  ParamText t, label;
  ResolutionLabel(b, label);
  int16_t st;
  if (const uint16_t preset = ResolutionPreset(kind, b)) {
    st = SendBare(kSendResolution, preset, label.text);
  } else {
    ResolutionText(b, t);
    st = SendText(kSendResolution, 0, t, label.text);
  }
  if (st != kScanOk) return st;
  if (b.ImageComposition == 0 || b.ImageComposition == 3) {
    GradationText(b, t);
    st = SendText(kSendGradation, GradationQualifier(b.GradationParam[0]), t,
                  "VRCL 2-Gradation(Threshold)");
    if (st != kScanOk) return st;
  }
  if (b.ScanningTime != 0) {
    ParamText time;
    time.length = uint32_t(std::snprintf(time.text, sizeof time.text, "%ld", long(b.ScanningTime)));
    st = SendText(kSendScanningTime, uint16_t(b.ScanningTimeSet), time, "VRCL Scanning Time");
  } else {
    st = SendBare(kSendScanningTime, uint16_t(b.ScanningTimeSet + 1), "VRCL Scanning Time");
  }
  if (st != kScanOk) return st;
  st = SendBare(kSendTransferFormat, b.TransferFormat == 1 ? 7 : 3, "VRCL Data Transfer Format");
  if (st != kScanOk) return st;
  return DownloadGamma(b, true);
}

}  // namespace

int16_t GetParameters(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  if (kind == kModelUnknown) return NotSupported();
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  uint8_t buf[kWindowBufferSize] = {};
  if (kind == kModelWQ490) {
    ModePage unit;
    if ((st = ModeSensePage(kPageMeasurement, unit)) != kScanOk) return st;
    uint8_t text[kModeParameterTextSize] = {};
    st = IssueCommand(CmdRead(0x82, 0, text, sizeof text));
    if (st != kScanOk) return st;
    ParseModeParameters(text, sizeof text, buf + kWindowHeaderSize);
    DecodeWindow(buf + kWindowHeaderSize, kind, *b);
    b->XResolutionFraction = 0;
    b->YResolutionFraction = 0;
    return kScanOk;
  }
  uint32_t length = 0;
  if ((st = ReadWindow(kind, buf, &length)) != kScanOk) return st;
  DecodeWindow(buf + kWindowHeaderSize, kind, *b);
  return kScanOk;
}

int16_t SetParameters(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  if (kind == kModelUnknown) return NotSupported();
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;

  if (kind == kModelWQ220 && b->FsuType == 5 && b->FsuReady) {
    // This film unit must be off the light path while the window is set.
    ModePage sensed, list;
    if ((st = ModeSensePage(kPageSubDevice, sensed)) != kScanOk) return st;
    BuildSubDeviceSelect(sensed, kind, false, false, list);
    if ((st = ModeSelect(list)) != kScanOk) return st;
  }
  if (kind != kModelWQ215 && kind != kModelWQ490) {
    uint8_t buf[kWindowBufferSize];
    uint32_t length = 0;
    if ((st = ReadWindow(kind, buf, &length)) != kScanOk) return st;
    EncodeWindow(*b, kind, buf + kWindowHeaderSize);
    buf[0] = buf[1] = 0;
    wq::PutBE16(buf + 6, length);
    st = IssueCommand(CmdSetWindow(buf, length + kWindowHeaderSize));
    if (st != kScanOk) return st;
  }
  if (kind == kModelWQ140) return DownloadGamma(*b, false);
  if (kind != kModelWQ220)
    if ((st = SendWindowTexts(*b, kind)) != kScanOk) return st;
  return SendScanTexts(*b, kind);
}

}  // namespace wqscsi
