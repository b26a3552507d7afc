// DAT_IDENTITY: the source's identity, opening and closing the source.
#include <cstdio>
#include <cstring>

#include "ds/core/capfacts.h"
#include "ds/core/dsentry.h"
#include "ds/base/host.h"
#include "ds/core/report.h"
#include "ds/core/scanloop.h"
#include "ds/core/session.h"
#include "ds/scan/progress.h"
#include "ds/base/text.h"
#include "ds/core/trace.h"
#include "ds/pipeline/clrmatch.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/toollib.h"

namespace wq {
namespace {

constexpr const char* kPreviewWorkFiles[] = {"@PRTMP1.IMG", "@PRTMP2.IMG", "@ZPRTMP1.IMG",
                                             "@ZPRTMP2.IMG"};

// An identity from the caller, with every string ending inside its field.
void CopyIdentity(TW_IDENTITY* to, const void* from) {
  TW_IDENTITY id;
  memcpy(&id, from, sizeof id);
  id.Version.Info[sizeof id.Version.Info - 1] = 0;
  id.Manufacturer[sizeof id.Manufacturer - 1] = 0;
  id.ProductFamily[sizeof id.ProductFamily - 1] = 0;
  id.ProductName[sizeof id.ProductName - 1] = 0;
  memcpy(to, &id, sizeof id);
}

void ReadEnvironment() {
  g_Host.ReadEnvironment(&g_Env);
  g_Env.JapaneseUI = g_Env.Country == 81;
  char dir[32];
  LoadText(text::kSourceDir, dir);
  if (strlen(g_Env.WindowsDir) + strlen(dir) < sizeof g_Env.SourceDir) {
    strcpy(g_Env.SourceDir, g_Env.WindowsDir);
    strcat(g_Env.SourceDir, dir);
  }
}

void ReleaseSettings() {
  if (g_Settings) g_Host.FreeSettings(g_Settings);
  g_Settings = nullptr;
}

// A failed open leaves nothing behind: no settings record, no companion,
// and no connection that would turn the application's retry away.
void AbandonOpen() {
  UnloadScannerLibrary();
  UnloadToolLibrary();
  ReleaseSettings();
  memset(&g_Session.AppIdentity, 0, sizeof g_Session.AppIdentity);
  g_Session.OwnerProcess = g_Session.OwnerThread = 0;
  g_Session.State = 3;
}

DetectedScanner Detected() {
  DetectedScanner hw{};
  hw.Model = g_ScanJob.Model;
  hw.Board = g_ScanJob.Remembered.Address[1];
  hw.Target = g_ScanJob.Remembered.Address[2];
  hw.AdfAttached = g_ScanJob.AdfAvailable == 1;
  hw.AdfSelected = g_ScanJob.AdfReportedActive == 1;
  hw.FsuAttached = g_ScanJob.FsuAvailable == 1;
  hw.FsuSelected = g_ScanJob.FsuInUse == 1;
  hw.FsuType = g_ScanJob.FsuKind;
  return hw;
}

// The default frame: the paper area in pixels at the optical resolution,
// which DAT_IMAGELAYOUT MSG_GETDEFAULT converts back with that resolution.
void ComputeOpeningGeometry() {
  ScanSettings& s = *g_Settings;
  SetAreaFromPaper(s);
  const int n = OpticalResolution(OptionsInUse(s));
  g_Session.DefaultFrameRes = n;
  g_Session.DefaultFrameWidth = int32_t(int64_t(n) * s.AreaWidth / 25);
  g_Session.DefaultFrameHeight = int32_t(int64_t(n) * s.AreaHeight / 25);
}

void SessionDefaults() {
  ScanSettings& s = *g_Settings;
  g_Session.ShowUI = false;
  g_Session.Indicators = true;
  g_Session.XferMech = TWSX_NATIVE;
  g_Session.TwUnits = TWUN_INCHES;
  g_Session.FileFormat = TWFF_BMP;
  g_Session.StoredGamma = 220;
  g_Session.ColorCorrection = 1;
  g_Session.PaperSize =
      DefaultPaperSize(s.Model, s.Mirror == 1, s.MirrorType, g_Env.Measure == 0);
  g_Session.PixelFlavor = TWPF_CHOCOLATE;
  SetDefaultFileName(text::kDefaultXferFile);
  g_Session.PageIndex = 0;
  g_Session.BatchCount = 0;
  g_Session.FeederLoaded = g_ScanJob.AdfAvailable == 1 && FeederHasPaper();
  g_Session.FilmUnitOn = g_ScanJob.FsuAvailable == 1 && PrepareFsu();
  s.ADF = g_Session.FeederLoaded ? 1 : 0;
  s.Mirror = g_Session.FilmUnitOn ? 1 : 0;
  g_Session.FeederSetByApp = g_Session.FilmUnitSetByApp = false;
  g_Session.AutoFeed = false;
  g_Session.PendingCount = -1;
  g_Session.TwBrightness = int16_t(s.Brightnes * 1000 / 127);
  g_Session.TwContrast = int16_t(s.Contrast * 1000 / 127);
  // A fresh settings file holds no threshold (-1); the application starts
  // from the middle one rather than from 1, which would turn a page white.
  g_Session.TwThreshold = s.ThresholdW >= 1 && s.ThresholdW <= 254 ? s.ThresholdW : 128;
  g_Session.XScalePercent = g_Session.YScalePercent = 100;
  g_Session.XScaleSet = g_Session.YScaleSet = false;
  g_Session.ProgressCount = 0;
}

// DG_CONTROL / DAT_IDENTITY / MSG_OPENDS
TW_UINT16 OpenDs(pTW_IDENTITY origin, TW_MEMREF data) {
  // A refusal after the session took the application undoes what it took.
  auto fail = [](TW_UINT16 cc, const char* leadIn) {
    const TW_UINT16 rc = Refuse(cc, leadIn);
    AbandonOpen();
    return rc;
  };
  // 1, 2. Sequence and connection.
  if (g_Session.State != 3) return Refuse(TWCC_SEQERROR, lead::kOpenDs);
  if (g_Session.AppIdentity.Id != 0) return Refuse(TWCC_MAXCONNECTIONS, lead::kOpenDs);
  if (!origin || !data) return Refuse(TWCC_BADVALUE, lead::kOpenDs);

  // 3. The settings record.
  g_Settings = g_Host.AllocSettings();
  if (!g_Settings) {
    ShowMessageById(msg::kNoDosMemory, kButtonsOk);
    return Refuse(TWCC_LOWMEMORY, lead::kEnableDs);
  }
  // 4. Who is connected.
  CopyIdentity(&g_Session.AppIdentity, origin);
  CopyIdentity(&g_Session.SourceIdentity, data);
  g_Session.OwnerProcess = g_Host.CurrentProcess();
  g_Session.OwnerThread = g_Host.CurrentThread();
  g_ScanJob.FoundConfigured = g_ScanJob.FoundFirst = false;
  g_Main.Debug = g_Main.DebugSH = g_Main.DebugSCSI = 0;
  g_Trace.Switch = 0;

  // 5. The custom controls.
  ReadEnvironment();
  if (!LoadToolLibrary()) {
    ShowMessageById(msg::kNoDosMemory, kButtonsOk);
    return fail(TWCC_LOWMEMORY, lead::kEnableDs);
  }

  // 6. Environment, settings file, trace, the library's log switch.
  ReadEnvironment();
  SettingsDefaults(*g_Settings, g_Env);
  MainValuesDefaults(g_Main, g_Env);
  ReadMainFile(*g_Settings, g_Main, g_Env);
  if (!OpenTrace(g_Main.DebugSH, g_Main.WorkDrive)) g_Main.DebugSH = 0;
  g_ParamBlock.DebugSCSI = g_Main.DebugSCSI;
  g_ParamBlock.ExplicitSense = g_Main.AutoErrorCheck == 0 ? 1 : 0;

  // 7. The scanner library.
  if (!LoadScannerLibrary()) {
    ShowMessageById(msg::kNoScsiManager, kButtonsOk);
    return fail(TWCC_NODS, lead::kOpenDs);
  }

  // 8. Find the scanner, telling the user meanwhile.
  g_Host.ConnectStatus(true);
  AttachScanner();
  g_Host.ConnectStatus(false);
  if (g_ScanJob.AttachResult == kAttachSearchFailed) {
    WriteMainFile(*g_Settings, g_Main);
    // The user may look at the buses and choose a scanner for the next
    // open. Its bus scan needs the library, and a choice is written into
    // the settings, so both go only after it (with the rest of the open).
    g_Host.SelectScanner();
    return fail(TWCC_NODS, lead::kOpenDs);
  }
  if (!g_ScanJob.FoundConfigured && !g_ScanJob.FoundFirst) {
    ShowMessageById(msg::kNoScanner, kButtonsOk);
    return fail(TWCC_NODS, lead::kOpenDs);
  }

  // 9. Reset, identify the model, the environment once more.
  CallScanner(kSelScannerReset);
  g_ScanJob.Model = IdentifyModel();
  g_Settings->Model = int16_t(g_ScanJob.Model);
  ReadEnvironment();

  // 10. The saved set is kept only if it fits this scanner; without a
  // colour-matching table the standard curve is not offered: plain gamma.
  ReconcileSettings(Detected());
  if (!OpenColourMatching(*g_Settings, g_Env.JapaneseUI)) g_Settings->Gamma = 1;

  // 11, 12. Geometry and the session's starting values.
  ComputeOpeningGeometry();
  SessionDefaults();
  SetAreaFromPaper(*g_Settings);
  RecomputeXferGeometry();
  ResetToneTables();

  // 13. Open.
  g_Session.TotalPhysMemory = g_Host.TotalPhysMemory();
  g_Session.State = 4;
  return TWRC_SUCCESS;
}

// DG_CONTROL / DAT_IDENTITY / MSG_CLOSEDS. Its trace record shows the
// application from the caller's own identity, which outlives the session's.
TW_UINT16 CloseDs() {
  if (!InStates(g_Session.State, 4, 5, 6, 7)) return Refuse(TWCC_SEQERROR, lead::kCloseDs);
  memset(&g_Session.AppIdentity, 0, sizeof g_Session.AppIdentity);
  ForgetPage();
  g_Progress.Close();
  if (g_Host.MainWindowExists()) {
    if (g_Settings) {
      for (const char* name : kPreviewWorkFiles) {
        char path[300];
        const char* dir = g_Main.WorkDrive;
        size_t n = strlen(dir);
        snprintf(path, sizeof path, "%s%s%s", dir, n && dir[n - 1] != '\\' ? "\\" : "", name);
        g_Host.DeleteWorkFile(path);
      }
    }
    g_Host.DestroyWindows();
  }
  DiscardColourMatchList();
  if (g_Settings) WriteMainFile(*g_Settings, g_Main);
  g_Session.OwnerProcess = g_Session.OwnerThread = 0;
  g_Session.State = 3;
  if (g_ScanJob.FoundConfigured || g_ScanJob.FoundFirst) {
    CallScanner(kSelSetScannerRefl);
    CallScanner(kSelScannerReset);
  }
  UnloadScannerLibrary();
  UnloadToolLibrary();
  ReleaseSettings();
  g_ScanJob.FoundConfigured = g_ScanJob.FoundFirst = false;
  return TWRC_SUCCESS;
}

}  // namespace

// DG_CONTROL / DAT_IDENTITY / MSG_GET, MSG_OPENDS, MSG_CLOSEDS
TW_UINT16 IdentityProc(pTW_IDENTITY origin, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  switch (msg) {
    case MSG_GET:
      if (!data) return Refuse(TWCC_BADVALUE, lead::kIdentity);
      memcpy(data, &g_Session.SourceIdentity, sizeof g_Session.SourceIdentity);
      return TWRC_SUCCESS;
    case MSG_OPENDS:
      return OpenDs(origin, data);
    case MSG_CLOSEDS:
      return CloseDs();
    default:
      return Refuse(TWCC_BADPROTOCOL, lead::kIdentity);
  }
}

}  // namespace wq
