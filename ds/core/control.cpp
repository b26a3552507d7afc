// DG_CONTROL triplets of an open source: user interface, status, pending
// transfers, the file-transfer set-up and the transfer group.
#include <cstddef>
#include <cstring>
#include <string>

#include "common/strutil.h"
#include "ds/core/dsentry.h"
#include "ds/base/host.h"
#include "ds/core/pathsplit.h"
#include "ds/core/report.h"
#include "ds/core/scanloop.h"
#include "ds/core/session.h"
#include "ds/scan/progress.h"
#include "ds/base/text.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings_store.h"

namespace wq {

namespace {

void Begin() { g_Session.Status.ConditionCode = TWCC_SUCCESS; }

void WriteCount(TW_MEMREF data, int16_t count) {
  TW_UINT16 v = TW_UINT16(count);
  memcpy(static_cast<uint8_t*>(data) + offsetof(TW_PENDINGXFERS, Count), &v, sizeof v);
}


bool FlatbedInUse() { return !g_Session.FeederLoaded && !(g_Settings && g_Settings->ADF); }

// The full name of the file-transfer target.
std::string CurrentFileName() {
  return std::string(g_Session.FileDir, FieldLength(g_Session.FileDir, sizeof g_Session.FileDir)) +
         std::string(g_Session.FileName, FieldLength(g_Session.FileName, sizeof g_Session.FileName));
}

void FillFileReply(TW_MEMREF data, const std::string& name, TW_UINT16 format) {
  TW_SETUPFILEXFER reply;
  memcpy(&reply, data, sizeof reply);
  CopyString(reply.FileName, name.c_str());
  reply.Format = format;
  reply.VRefNum = -1;
  memcpy(data, &reply, sizeof reply);
}

}  // namespace

void SetDefaultFileName(int id) {
  char tail[64];
  LoadText(id, tail);
  std::string full = std::string(g_Env.WindowsDir) + tail;
  PathParts p = SplitPath(full.c_str());
  CopyString(g_Session.FileDir, (p.Drive + p.Dir).c_str());
  CopyString(g_Session.FileName, (p.Base + p.Ext).c_str());
}

void RecomputeXferGeometry() {
  if (!g_Settings) return;
  ScanSettings& s = *g_Settings;
  UpdateImageSize(s);
  const bool zoom = s.ZoomOnOff == 1;
  g_Session.Geometry =
      ComputeXferGeometry(s.Mode & 0xFF, uint32_t(zoom ? s.ZoomWidth : s.ImageWidth),
                          uint32_t(zoom ? s.ZoomHeight : s.ImageHeight), g_Session.XferMech,
                          g_Session.FileFormat);
  MemXferSizes(g_Session.Geometry.XferRowBytes, &g_Session.MemXferMin, &g_Session.MemXferPref,
               &g_Session.MemXferMax);
}

// DG_CONTROL / DAT_USERINTERFACE / MSG_ENABLEDS, MSG_DISABLEDS
TW_UINT16 UserInterfaceProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                            TW_MEMREF data) {
  Begin();
  if (msg == MSG_ENABLEDS) {
    if (g_Session.State != 4) return Refuse(TWCC_SEQERROR, lead::kEnableDs);
    if (!g_Settings) return Refuse(TWCC_LOWMEMORY, lead::kEnableDs);
    if (!data) return Refuse(TWCC_BADVALUE, lead::kEnableDs);
    TW_USERINTERFACE ui;
    memcpy(&ui, data, sizeof ui);
    g_Session.ParentWindow = ui.hParent;
    if (ui.ShowUI) {
      // The source always runs modeless.
      TW_BOOL modal = 0;
      memcpy(static_cast<uint8_t*>(data) + offsetof(TW_USERINTERFACE, ModalUI), &modal,
             sizeof modal);
      g_Session.ShowUI = true;
      if (!g_Host.CreateMainWindow(ui.hParent)) {
        g_Session.ShowUI = false;
        g_Host.DestroyWindows();
        return Refuse(TWCC_LOWMEMORY, lead::kEnableDs);
      }
      g_Session.State = 5;
      return TWRC_SUCCESS;
    }
    g_Session.ShowUI = false;
    for (int32_t& v : g_Session.AdjustRect) v = -1;
    g_Session.AdjustRectValid = 0;
    g_ScanJob.Model = IdentifyModel();
    if (g_ScanJob.Model < 0) {
      UnloadScannerLibrary();
      return Refuse(TWCC_SEQERROR, lead::kEnableDs);
    }
    ResetToneTables();
    PostXferReady();
    return TWRC_SUCCESS;
  }
  if (msg == MSG_DISABLEDS) {
    if (!InStates(g_Session.State, 5, 6, 7))
      return Refuse(TWCC_SEQERROR, lead::kDisableDs);
    TW_USERINTERFACE ui{};
    if (data) memcpy(&ui, data, sizeof ui);
    if (data && !ui.ShowUI) g_Host.HideWindows();
    ForgetPage();
    g_Progress.Close();
    g_Session.State = 4;
    return TWRC_SUCCESS;
  }
  return Refuse(TWCC_BADPROTOCOL, lead::kUserInterface);
}

// DG_CONTROL / DAT_STATUS / MSG_GET
TW_UINT16 StatusProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  if (msg != MSG_GET) {
    Begin();
    return Refuse(TWCC_BADPROTOCOL, lead::kStatus);
  }
  if (!data) {
    Begin();
    return Refuse(TWCC_BADVALUE, lead::kStatus);
  }
  memcpy(data, &g_Session.Status, sizeof g_Session.Status);
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  return TWRC_SUCCESS;
}

// DG_CONTROL / DAT_PENDINGXFERS / MSG_GET, MSG_ENDXFER, MSG_RESET
TW_UINT16 PendingXfersProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                           TW_MEMREF data) {
  Begin();
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kPendingXfers); };
  const int state = g_Session.State;
  switch (msg) {
    case MSG_GET:
      if (!InStates(state, 4, 5, 6, 7)) return refuse(TWCC_SEQERROR);
      break;
    case MSG_ENDXFER:
      if (!InStates(state, 6, 7)) return refuse(TWCC_SEQERROR);
      break;
    case MSG_RESET:
      if (state != 6) return refuse(TWCC_SEQERROR);
      break;
    default:
      return refuse(TWCC_BADPROTOCOL);
  }
  if (!data) return refuse(TWCC_BADVALUE);

  if (state == 7) {
    WriteCount(data, g_Session.PendingCount);
    return TWRC_SUCCESS;
  }
  if (msg == MSG_GET) {
    if (FlatbedInUse()) {
      if (state == 6) {
        g_Session.PendingCount = 0;
        g_Session.ProgressCount = 0;
      } else {
        g_Session.PendingCount = -1;
      }
    } else {
      g_Session.ProgressCount = 0;
      bool paper = FeederHasPaper();
      if (g_Session.PendingCount != 0 && !paper) g_Session.PendingCount = 0;
    }
    WriteCount(data, g_Session.PendingCount);
    return TWRC_SUCCESS;
  }
  if (msg == MSG_RESET) {
    ForgetPage();
    g_Progress.Close();
    g_Session.State = 5;
    g_Session.PendingCount = 0;
    WriteCount(data, 0);
    return TWRC_SUCCESS;
  }

  // MSG_ENDXFER in state 6; a page left half read goes.
  ForgetPage();
  if (LastScanNeedsReset() && ScannerLibraryLoaded()) CallScanner(kSelScannerReset);
  if (g_Settings && g_Settings->ADF) {
    g_Session.ProgressCount = 0;
    bool paper = FeederHasPaper();
    if (g_Session.PendingCount > 0) --g_Session.PendingCount;
    if (g_Session.PendingCount != 0 && !paper) g_Session.PendingCount = 0;
    WriteCount(data, g_Session.PendingCount);
    g_Progress.Close();
    if (g_Session.PendingCount == 0) {
      g_Session.PageIndex = 1;
      ++g_Session.BatchCount;
      g_Host.ReleaseScanButton();
      g_Session.State = 5;
    } else {
      ++g_Session.PageIndex;
      g_Session.BatchCount = 0;
    }
  } else {
    g_Progress.Close();
    g_Host.ReleaseScanButton();
    g_Session.State = 5;
    g_Session.ProgressCount = 0;
    g_Session.PendingCount = 0;
    WriteCount(data, 0);
    g_Session.PageIndex = 1;
    g_Session.BatchCount = 0;
  }
  return TWRC_SUCCESS;
}

// DG_CONTROL / DAT_SETUPFILEXFER / MSG_GET, MSG_GETDEFAULT, MSG_SET, MSG_RESET
TW_UINT16 SetupFileXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                            TW_MEMREF data) {
  Begin();
  auto refuse = [&](TW_UINT16 cc) {
    return Refuse(cc, lead::kSetupFileXfer);
  };
  if (msg != MSG_GET && msg != MSG_GETDEFAULT && msg != MSG_SET && msg != MSG_RESET)
    return refuse(TWCC_BADPROTOCOL);
  if (!InStates(g_Session.State, 4, 5, 6)) return refuse(TWCC_SEQERROR);
  if (!data) return refuse(TWCC_BADVALUE);

  char tail[64];
  switch (msg) {
    case MSG_GET:
      FillFileReply(data, CurrentFileName(), g_Session.FileFormat);
      break;
    case MSG_GETDEFAULT:
      LoadText(text::kDefaultXferFile, tail);
      FillFileReply(data, std::string(g_Env.WindowsDir) + tail, TWFF_BMP);
      break;
    case MSG_RESET:
      SetDefaultFileName(text::kDefaultXferFile);
      g_Session.FileFormat = TWFF_BMP;
      FillFileReply(data, CurrentFileName(), TWFF_BMP);
      break;
    case MSG_SET: {
      TW_SETUPFILEXFER request;
      memcpy(&request, data, sizeof request);
      if (request.Format != TWFF_TIFF && request.Format != TWFF_BMP) return refuse(TWCC_BADPROTOCOL);
      g_Session.XferMech = TWSX_FILE;
      g_Session.FileFormat = request.Format;
      // The caller's name may fill its field without a terminator.
      std::string name(request.FileName, FieldLength(request.FileName, sizeof request.FileName));
      PathParts p = SplitPath(name.c_str());
      if (p.Drive.empty() || p.Base.empty()) {
        SetDefaultFileName(text::kFallbackXferFile);
        RecomputeXferGeometry();
        return refuse(TWCC_BADVALUE);
      }
      const std::string dir = p.Drive + p.Dir;
      const std::string file = p.Base + p.Ext;
      // A name that does not fit its field would send the image elsewhere.
      if (dir.size() >= sizeof g_Session.FileDir || file.size() >= sizeof g_Session.FileName) {
        RecomputeXferGeometry();
        return refuse(TWCC_BADVALUE);
      }
      CopyString(g_Session.FileDir, dir.c_str());
      CopyString(g_Session.FileName, file.c_str());
      RecomputeXferGeometry();
      break;
    }
  }
  return TWRC_SUCCESS;
}

// DG_CONTROL / DAT_XFERGROUP / MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_RESET
TW_UINT16 XferGroupProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  Begin();
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kXferGroup); };
  if (msg != MSG_GET && msg != MSG_GETCURRENT && msg != MSG_GETDEFAULT && msg != MSG_RESET)
    return refuse(TWCC_BADPROTOCOL);
  if (!InStates(g_Session.State, 4, 5, 6)) return refuse(TWCC_SEQERROR);
  if (!data) return refuse(TWCC_BADVALUE);
  // Only the low 16 bits of the caller's value are written.
  TW_UINT16 group = DG_IMAGE;
  memcpy(data, &group, sizeof group);
  return TWRC_SUCCESS;
}

}  // namespace wq

namespace wq {

// The buffer sizes for memory transfers, from the geometry of now.
// DG_CONTROL / DAT_SETUPMEMXFER / MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT
TW_UINT16 SetupMemXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                           TW_MEMREF data) {
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kImageInfo); };
  if (msg != MSG_GET && msg != MSG_GETCURRENT && msg != MSG_GETDEFAULT)
    return refuse(TWCC_BADPROTOCOL);
  if (!InStates(g_Session.State, 4, 5, 6)) return refuse(TWCC_SEQERROR);
  if (!data) return refuse(TWCC_BADVALUE);
  DescribeImage();
  TW_SETUPMEMXFER reply;
  reply.MinBufSize = g_Session.MemXferMin;
  reply.MaxBufSize = g_Session.MemXferMax;
  reply.Preferred = g_Session.MemXferPref;
  memcpy(data, &reply, sizeof reply);
  return TWRC_SUCCESS;
}

}  // namespace wq
