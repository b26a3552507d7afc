// The scan job over the scanner command library: loading and binding it, the
// attach sequence, source preparation, starting scans and judging its answers.
#include "ds/scan/scanjob.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/strutil.h"
#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/scan/geometry.h"
#include "ds/scan/progress.h"
#include "ds/settings/profile.h"
#include "scanlib/model.h"

namespace wq {

ScanJobState g_ScanJob;
ScanParamBlock g_ParamBlock;

namespace {

// A search never lists more devices than a few adapters can hold.
constexpr int kMaxListed = 16 * 8;
// The scanner's sense for a feeder without paper: medium error, ASC 0x3A.
constexpr int16_t kSenseMediumError = 3;
constexpr int16_t kSenseFeederEmpty = 58;

void ToDevice(const ScannerIdentity& id) {
  memcpy(g_ParamBlock.DeviceName, id.Name, sizeof g_ParamBlock.DeviceName);
  memcpy(&g_ParamBlock.DeviceAddress, id.Address, sizeof g_ParamBlock.DeviceAddress);
}

ScannerIdentity FromDevice() {
  ScannerIdentity id;
  memcpy(id.Name, g_ParamBlock.DeviceName, sizeof id.Name);
  memcpy(id.Address, &g_ParamBlock.DeviceAddress, sizeof id.Address);
  return id;
}

// The film unit's kind from the type code the scanner reports: the codes
// of the narrow units keep their number, any other unit is the full-width one.
int16_t FsuKindOf(int16_t type) { return type >= 1 && type <= 4 ? type : 0; }

// Scanner mode from the settings' Mode: what the scanner is asked for.
int ScannerMode(int mode) {
  switch (mode) {
    case 0x201: case 0x301: case 0x401: case 0x501:
      return 3;
    case 0x202: case 0x302: case 0x402: case 0x502: case 4: case 5:
      return 6;
    default:
      return mode;  // 0x101, 0x102, 3, 6
  }
}

bool IsGreyOrColourMode(int mode) {
  switch (mode) {
    case 3: case 4: case 5: case 6: case 0x202: case 0x302: case 0x402: case 0x502:
      return true;
    default:
      return false;
  }
}

void SetResolution(const BlockResolution& x, const BlockResolution& y) {
  g_ParamBlock.ResolutionFractionRaw = x.Hundredths ? 0 : 1;
  g_ParamBlock.XResolution = x.Whole;
  g_ParamBlock.XResolutionFraction = x.Fraction;
  g_ParamBlock.YResolution = y.Whole;
  g_ParamBlock.YResolutionFraction = y.Fraction;
}

void SetWholeResolution(int x, int y) {
  g_ParamBlock.ResolutionFractionRaw = 1;
  g_ParamBlock.XResolution = int16_t(x);
  g_ParamBlock.XResolutionFraction = 0;
  g_ParamBlock.YResolution = int16_t(y);
  g_ParamBlock.YResolutionFraction = 0;
}

// Lines the scanner delivers for the window just set: whole lines of the
// window length at the vertical resolution.
uint32_t WindowLines() {
  const ScanParamBlock& b = g_ParamBlock;
  if (b.WindowLength <= 0 || b.YResolution < 0) return 0;
  double frac = 0;
  if (b.ResolutionFractionRaw) frac = uint16_t(b.YResolutionFraction) / 65536.0;
  else if (b.YResolutionFraction >= 1 && b.YResolutionFraction <= 99) frac = b.YResolutionFraction / 100.0;
  double lines = double(b.WindowLength) * (b.YResolution + frac) / 25.0;
  return uint32_t(lines);
}

int ShowAndReset(int id, bool reset) {
  ShowMessageById(id, kButtonsOk);
  if (reset) CallScanner(kSelScannerReset);
  return 1;
}

// The message of a failed status, as the jam retry judges it.
int RetryMessage(const ScannerResult& r) {
  if (r.Status == kScanNoManager) return msg::kNoDosMemory;
  if (r.SenseKey == 0) return msg::kNoScanner;
  switch (r.SenseCode) {
    case 58: return msg::kAdfEmpty;
    case 83: return msg::kPaperJam;
    case 128: return r.SenseQualifier ? msg::kAdfCoverOpen : msg::kAdfUnitOpen;
    case 129: return r.SenseQualifier ? msg::kFilmMisplaced : msg::kFsuOpenRead;
    default: return msg::kScannerError;
  }
}

}  // namespace

bool ScannerLibraryLoaded() { return g_ScanJob.Entry != nullptr; }

bool CallScanner(int32_t selector) {
  if (!g_ScanJob.Entry) {
    g_ParamBlock.Status = kScanNotFound;
    return false;
  }
  g_ScanJob.Entry(selector, &g_ParamBlock);
  return g_ParamBlock.Status == kScanOk;
}

bool LoadScannerLibrary() {
  if (g_ScanJob.Entry) return true;
  char dir[32], name[32], path[260];
  LoadText(text::kSourceDir, dir);
  LoadText(text::kScannerLibrary, name);
  const size_t need = strlen(g_Env.WindowsDir) + strlen(dir) + strlen(name);
  if (need + 1 > sizeof path) return false;
  strcpy(path, g_Env.WindowsDir);
  strcat(path, dir);
  strcat(path, name);
  void* module = g_Host.OpenModule(path);
  if (!module) return false;
  void* proc = g_Host.FindProc(module, kScanLibExportName);
  if (!proc) {
    g_Host.CloseModule(module);
    return false;
  }
  g_ScanJob.Library = module;
  g_ScanJob.Entry = reinterpret_cast<KorvaScanLibProc>(proc);
  if (CallScanner(kSelOpen)) return true;
  // A library that cannot open its manager is of no use; do not keep it.
  UnloadScannerLibrary();
  return false;
}

bool UnloadScannerLibrary() {
  if (g_ScanJob.Entry) {
    int16_t status = g_ParamBlock.Status;
    CallScanner(kSelClose);
    g_ParamBlock.Status = status;
  }
  if (g_ScanJob.Library) g_Host.CloseModule(g_ScanJob.Library);
  g_ScanJob.Library = nullptr;
  g_ScanJob.Entry = nullptr;
  g_ParamBlock.ScannerList = nullptr;
  g_ParamBlock.DeviceList = nullptr;
  return true;
}

ScannerResult LastScannerResult() {
  return ScannerResult{g_ParamBlock.Status, g_ParamBlock.SenseKey, g_ParamBlock.SenseCode,
                       g_ParamBlock.SenseQualifier};
}

int IdentifyModel() {
  return ModelFromIdentity(g_ScanJob.Remembered.Name, sizeof g_ScanJob.Remembered.Name,
                           g_Main.WQ215 == 1);
}

bool AttachScanner() {
  g_ScanJob.AttachResult = kAttachReady;
  g_ScanJob.FoundConfigured = g_ScanJob.FoundFirst = false;
  if (!CallScanner(kSelDeviceSearch)) {
    g_ScanJob.AttachResult = kAttachSearchFailed;
    return false;
  }
  // The search's list, copied before selector 3 replaces it.
  std::vector<ScannerIdentity> listed;
  if (const ScannerList* list = g_ParamBlock.ScannerList) {
    int count = list->Count;
    if (count > kMaxListed) count = kMaxListed;
    if (list->Names && list->Addresses)
      for (int i = 0; i < count; ++i) {
        ScannerIdentity id;
        memcpy(id.Name, list->Names[i], sizeof id.Name);
        memcpy(id.Address, &list->Addresses[i], sizeof id.Address);
        listed.push_back(id);
      }
  }

  // The scanner the settings file names, if there is a settings file.
  std::unique_ptr<ScanSettings> scratch(new (std::nothrow) ScanSettings);
  std::unique_ptr<MainFileValues> scratchMain(new (std::nothrow) MainFileValues);
  if (scratch && scratchMain) {
    memset(scratch.get(), 0, sizeof *scratch);
    MainValuesDefaults(*scratchMain, g_Env);
    ReadMainFile(*scratch, *scratchMain, g_Env);
    char mainFile[64];
    LoadText(text::kMainSettingsFile, mainFile);
    if (g_Profile.Exists(mainFile)) {
      ToDevice(scratchMain->Scanner);
      g_ScanJob.FoundConfigured = CallScanner(kSelDeviceEqlByte);
    }
  }
  if (!g_ScanJob.FoundConfigured) {
    for (const ScannerIdentity& id : listed) {
      if (ModelKindOfName(id.Name) == kModelUnknown) continue;
      ToDevice(id);
      g_ScanJob.FoundFirst = CallScanner(kSelDeviceEqlByte);
      break;  // only the first usable entry is tried
    }
  }
  if (!g_ScanJob.FoundConfigured && !g_ScanJob.FoundFirst) {
    g_ScanJob.AttachResult = kAttachNoScanner;
    return false;
  }

  // The model is known from the identity already; the status messages of
  // the reset depend on it.
  g_ScanJob.Model = ModelFromIdentity(g_ParamBlock.DeviceName, sizeof g_ParamBlock.DeviceName,
                                      g_Main.WQ215 == 1);
  CallScanner(kSelScannerReset);
  if (CheckScannerStatus(LastScannerResult(), false, true)) {
    g_ScanJob.AttachResult = kAttachNoScanner;
    return false;
  }
  const ScannerIdentity found = FromDevice();
  g_ScanJob.Remembered = found;
  g_ScanJob.Model = IdentifyModel();
  CallScanner(kSelGetParameters);
  CallScanner(kSelGetScannerType);

  g_ScanJob.AdfAvailable = g_ParamBlock.AdfType != 0 ? 1 : 0;
  if (g_ParamBlock.FsuType != 0) {
    g_ScanJob.FsuKind = FsuKindOf(g_ParamBlock.FsuType);
    g_ScanJob.FsuAvailable = 1;
  } else {
    g_ScanJob.FsuKind = 0;
    g_ScanJob.FsuAvailable = 0;
  }
  g_ScanJob.AdfInUse = 0;
  g_ScanJob.FsuInUse = 0;
  CallScanner(kSelSetScannerAuto);
  const bool adf = g_ParamBlock.AdfSelected == 1;
  const bool fsu = g_ParamBlock.FsuSelected == 1;
  g_ScanJob.AdfReportedActive = adf && !fsu ? 1 : 0;
  g_ScanJob.FsuInUse = !adf && fsu ? 1 : 0;

  g_Main.Scanner2 = found;
  if (g_Settings) g_Settings->Model = int16_t(g_ScanJob.Model);
  return true;
}

int CheckScannerStatus(const ScannerResult& r, bool duringRead, bool retryJam) {
  if (r.Status == kScanOk) return 0;
  g_Progress.Close();
  if (r.Status == kScanNoManager) return ShowAndReset(msg::kNoDosMemory, false);
  if (r.SenseKey == 0) return ShowAndReset(msg::kNoScanner, false);
  const bool q = r.SenseQualifier != 0;
  switch (r.SenseCode) {
    case kSenseFeederEmpty:
      return ShowAndReset(msg::kAdfEmpty, true);
    case 83: {
      if (!retryJam) return ShowAndReset(msg::kPaperJam, true);
      for (;;) {
        if (ShowMessageById(msg::kPaperJam, kButtonsOkCancel) != kAnswerOk) {
          CallScanner(kSelScannerReset);
          return 1;
        }
        if (CallScanner(kSelScannerReset)) return 0;
        int id = RetryMessage(LastScannerResult());
        if (id == msg::kPaperJam) continue;  // still jammed: ask again
        return ShowAndReset(id, id != msg::kNoDosMemory && id != msg::kNoScanner);
      }
    }
    case 128:
      if (duringRead) return ShowAndReset(q ? msg::kAdfCoverOpenRead : msg::kAdfUnitOpenRead, true);
      return ShowAndReset(q ? msg::kAdfCoverOpen : msg::kAdfUnitOpen, true);
    case 129:
      if (!q) return ShowAndReset(duringRead ? msg::kFsuOpenRead : msg::kFsuUnitOpen, true);
      return ShowAndReset(g_ScanJob.Model == 2 ? msg::kFilmOrBoardMisplaced : msg::kFilmMisplaced,
                          true);
    default:
      return ShowAndReset(msg::kScannerError, true);
  }
}

int PrepareAdf() {
  if (g_ScanJob.AdfAvailable != 1) return 0;
  if (!CallScanner(kSelSetScannerAdf) || !CallScanner(kSelScannerReadyAdf)) return -1;
  return 0;
}

bool PrepareFsu() {
  if (g_ScanJob.FsuAvailable != 1) return false;
  return CallScanner(kSelSetScannerFsu) && CallScanner(kSelScannerReadyFsu);
}

void SetAdfSelected(int16_t v) {
  if (g_Settings) g_Settings->ADF = v;
}

void SetFsuSelected(int16_t v) {
  if (g_Settings) g_Settings->Mirror = v;
}

bool FeederHasPaper() {
  if (g_ScanJob.AdfAvailable != 1) return false;
  return CallScanner(kSelSetScannerAdf) && CallScanner(kSelScannerReadyAdf);
}

bool ScannerResponds() {
  ToDevice(g_ScanJob.Remembered);
  return CallScanner(kSelDeviceEqlByte);
}

bool SetMovement(bool alternate) {
  g_ParamBlock.Movement = alternate ? 2 : 1;
  return CallScanner(kSelSetMovement);
}

bool LastScanNeedsReset() { return g_ScanJob.LastScanEnd != 5 && g_ScanJob.LastScanEnd != 105; }

void ResetToneTables() {
  for (auto& table : g_ScanJob.Tone)
    for (int i = 0; i < 256; ++i) table[i] = uint8_t(i);
}

bool StartScanJob(int kind) {
  if (!g_Settings) return false;
  const ScanSettings& s = *g_Settings;
  ScanParamBlock& b = g_ParamBlock;

  // 1. The scanner found by the attach.
  ToDevice(g_ScanJob.Remembered);
  CallScanner(kSelDeviceEqlByte);

  // 2. Light source; a step that fails is reported as it is, except that
  // the library tells a feeder without paper by "not ready" alone (it read
  // the sub-device page; the scanner itself reported nothing): that is the
  // scanner's empty-feeder condition, not a missing scanner.
  ScannerResult source{};
  if (s.ADF == 1) {
    if (CallScanner(kSelSetScannerAdf) && !CallScanner(kSelScannerReadyAdf)) {
      source = LastScannerResult();
      if (source.Status == kScanUnitNotReady && source.SenseKey == 0 && b.AdfReady == 0)
        source = ScannerResult{source.Status, kSenseMediumError, kSenseFeederEmpty, 0};
    }
  } else if (s.Mirror == 1) {
    if (CallScanner(kSelSetScannerFsu)) CallScanner(kSelScannerReadyFsu);
  } else {
    CallScanner(kSelSetScannerRefl);
  }
  if (source.Status == kScanOk) source = LastScannerResult();
  if (CheckScannerStatus(source, false, false)) return false;

  // 3, 4. Mode, the vendor flag, units.
  int mode = ScannerMode(s.Mode);
  const int lowByte = s.Mode & 0xFF;
  b.VendorFlag = s.Interactive == 0 && kind != kFinalScan && (lowByte == 1 || lowByte == 3) ? 1 : 0;
  b.MeasurementUnit = 25;
  b.ResolutionFractionRaw = 1;

  // 5-7. Resolution.
  if (kind == kFinalScan) {
    if (s.ZoomOnOff == 1)
      SetResolution(ZoomResolution(s.Model, s.ZoomWidth, s.AreaWidth),
                    ZoomResolution(s.Model, s.ZoomHeight, s.AreaHeight));
    else
      SetWholeResolution(TableResolution(s.Model, s.Resolution, s.XResoCustom),
                         TableResolution(s.Model, s.Resolution, s.YResoCustom));
  } else {
    mode = 6;
    const int res = kind == kPreviewScan ? (s.Model == 0 || s.Model == 2 ? 40 : 75)
                                         : g_ScanJob.ZoomPreviewResolution;
    SetWholeResolution(res, res);
    g_ScanJob.PackLines = true;
  }

  // 8. Window, less the bed margins.
  b.WindowLeft = s.AreaLeft - kBedLeft;
  b.WindowTop = s.AreaTop - kBedTop;
  b.WindowWidth = s.AreaWidth;
  b.WindowLength = s.AreaHeight;

  // 9. Composition.
  switch (mode) {
    case 6: b.ImageComposition = 5; b.BitsPerPixel = 8; break;
    case 3: b.ImageComposition = 2; b.BitsPerPixel = 8; break;
    case 0x101: b.ImageComposition = 0; b.BitsPerPixel = 1; break;
    case 0x102: b.ImageComposition = 3; b.BitsPerPixel = 1; break;
    default: break;
  }
  b.TransferFormat = 2;

  // 10. Gamma: the download tables for final scans, a straight line else.
  if (kind == kFinalScan) {
    b.GammaMode = 0;
    b.GammaEntries = 256;
    for (int i = 0; i < 4; ++i) b.GammaTable[i] = g_ScanJob.Tone[i];
  } else {
    b.GammaMode = 100;
  }
  b.VendorByte = 0;
  b.ScanningTimeSet = 0;

  // 11. Threshold.
  if (mode == 0x101) {
    b.GradationParam[0] = 8;
    b.Threshold = s.ThresholdW;
  } else if (mode == 0x102) {
    b.GradationParam[0] = 8;
    b.GradationParam[1] = b.GradationParam[2] = b.GradationParam[3] = s.ThresholdW;
  }

  // 12. Reverse image of bi-level scans.
  if (mode == 0x101 || mode == 0x102) {
    int16_t reverse = s.Binary == 1 ? 1 : 0;
    if (kind == kFinalScan && g_ScanJob.InvertOutput) reverse = int16_t(!reverse);
    b.ReverseImage = reverse;
  }

  // 13. Light colour of black-and-white and grey scans.
  const int scannerLow = mode & 0xFF;
  if (scannerLow == 1 || scannerLow == 3) {
    static constexpr int16_t kLight[5] = {0, 3, 1, 0, 2};
    if (s.DropOut >= 1 && s.DropOut <= 4) b.LightSource = kLight[s.DropOut];
  }

  // 14. Edge emphasis in the scanner (the WQ140 does it in software).
  if (kind == kFinalScan && s.Model >= 1 && s.Model <= 3 && IsGreyOrColourMode(s.Mode) &&
      s.Edges >= 1 && s.Edges <= 4)
    b.EdgeEmphasis = int16_t(s.Edges - 1);

  // 15. Exposure.
  if (s.NegaPosi == 2) {
    for (int i = 0; i < 4; ++i) b.Lightness[i] = s.FilmExposure[i];
  } else {
    b.Lightness[0] = int16_t(s.ExposureR - 40);
    b.Lightness[1] = int16_t(s.ExposureG - 40);
    b.Lightness[2] = int16_t(s.ExposureB - 40);
    b.Lightness[3] = int16_t(s.ExposureW - 40);
  }
  if (kind != kFinalScan && s.Interactive == 1 && (lowByte == 1 || lowByte == 3))
    b.Lightness[0] = b.Lightness[1] = b.Lightness[2] = b.Lightness[3];

  // 16. Start.
  CallScanner(kSelStartScan);
  g_ScanJob.ImageLines = WindowLines();
  b.LinesRemaining = g_ScanJob.ImageLines;
  return CheckScannerStatus(LastScannerResult(), false, false) == 0;
}

}  // namespace wq
