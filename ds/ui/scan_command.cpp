// The Scan button step by step: the running mark, the tool windows' entries,
// the output length, the feeder, the settings and preview files written, then
// the transfer-ready request.
#include "ds/ui/scan_command.h"

#include "ds/base/host.h"
#include "ds/core/report.h"
#include "ds/base/text.h"
#include "ds/preview/preview.h"
#include "ds/preview/preview_file.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/uishell.h"

namespace wq {

namespace {
void PressButton(bool pressed) {
  g_UiShell.PressScanButton(pressed);
}
}  // namespace

int32_t OutputLines(const ScanSettings& s) {
  return s.ZoomOnOff == 1 ? s.ZoomHeight : s.ImageHeight;
}

void ReleaseScanMark() {
  if (g_Settings) {
    g_Settings->ScanRunning = 0;
    g_Settings->ScanButtonDown = 0;
  }
  PressButton(false);
}

ScanCommandResult RunScanCommand() {
  if (!g_Settings) return kScanNoSettings;
  ScanSettings& s = *g_Settings;
  // 1.
  if (s.ScanRunning) return kScanIgnored;
  // 2.
  s.ScanRunning = 1;
  s.ScanButtonDown = 1;
  PressButton(true);
  if (!g_UiShell.ToolWindowsValid()) {
    ReleaseScanMark();
    return kScanInvalidEntry;
  }
  // 3.
  UpdateImageSize(s);
  if (OutputLines(s) > kMaxOutputLines) {
    ReleaseScanMark();
    ShowMessageById(msg::kImageTooLong, kButtonsOk);
    return kScanTooLong;
  }
  // 4. The feeder is readied only when it is the source: an empty feeder
  // has no say in a flatbed or film scan.
  if (s.ADF == 1 && g_ScanJob.AdfAvailable == 1 && PrepareAdf() != 0) {
    ReleaseScanMark();
    CheckScannerStatus(LastScannerResult(), false, false);
    return kScanFeederNotReady;
  }
  // 5-7.
  s.OldScannerType = s.ScannerType;
  g_UiShell.StorePlacements();
  const bool keep = s.KeepPrescan != 0;
  g_Main.PreScanSave = keep ? 1 : 0;
  g_Main.PreScanScanner = keep ? s.ScannerType : 0;
  // 8.
  WritePresetFile(s, g_Env);
  WriteGammaFile(s, g_Env);
  if (keep && PreviewExists()) SavePreviewFile();
  // 9.
  PostXferReady();
  return kScanStarted;
}

}  // namespace wq
