// The strip reader bound to the scanner library and the progress window, the
// tone and pipeline tables made before a scan, strip failures turned into
// condition codes and boxes, and the job's strip geometry.
#include "ds/core/stripbind.h"

#include <cstring>

#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/core/session.h"
#include "ds/pipeline/clrmatch.h"
#include "ds/pipeline/process.h"
#include "ds/pipeline/tone.h"
#include "ds/scan/progress.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {

namespace {

int ReadData(uint8_t* buffer, uint32_t lines, uint32_t lineBytes) {
  g_ParamBlock.ReadBuffer = buffer;
  g_ParamBlock.ReadSize = lines * lineBytes;
  g_ParamBlock.BytesPerLine = lineBytes;
  CallScanner(kSelReadData);
  return g_ParamBlock.Status;
}

int CheckStatus() {
  if (CheckScannerStatus(LastScannerResult(), true, false) == 0) return 0;
  g_Session.Status.ConditionCode = TWCC_OPERATIONERROR;
  return 1;
}

void Reset() { CallScanner(kSelScannerReset); }

void Progress(uint32_t done, uint32_t) { g_Progress.Step(done, false); }
// Through the record at each call: the progress window is installed later.
bool Poll() { return g_Progress.PollCancel(); }

}  // namespace

void UseScannerForStrips() { g_ScanRead = ScanReadOps{ReadData, CheckStatus, Poll, Reset, Progress}; }

void PrepareScanTables(bool pack) {
  if (!g_Settings) return;
  SnapshotSettings(*g_Settings);
  memcpy(g_ScanJob.Tone, g_Tone.Download, sizeof g_ScanJob.Tone);
  SetUpPipeline(&g_Pipeline, g_InEffect, g_Tone, g_ColourMatch.Table, 0, pack);
}

void ReportStripResult(StripResult result) {
  switch (result) {
    case kStripNoMemory:
      ShowMessageById(msg::kNoXferMemory, kButtonsOk);
      g_Session.Status.ConditionCode = TWCC_LOWMEMORY;
      break;
    case kStripBadGeometry:
    case kStripScannerError:
      g_Session.Status.ConditionCode = TWCC_OPERATIONERROR;
      break;
    default:
      break;
  }
}

StripGeometry ScanStripGeometry(bool pack, bool swapRedBlue, uint32_t width, uint32_t height,
                                uint32_t rowBytes) {
  StripGeometry s{};
  s.Mode = g_InEffect.Mode;
  s.Model = g_Settings ? g_Settings->Model : -1;
  s.Edges = g_InEffect.Edges;
  s.Pack = pack;
  s.SwapRedBlue = swapRedBlue;
  // Negative words from the scanner are no sizes.
  s.Pixels = g_ParamBlock.ControlWord0 > 0 ? uint32_t(g_ParamBlock.ControlWord0) : 0;
  s.ScannerLines = g_ParamBlock.ControlWord1 > 0 ? uint32_t(g_ParamBlock.ControlWord1) : 0;
  s.Width = width;
  s.Height = height;
  s.RowBytes = rowBytes;
  s.TotalPhys = g_Host.TotalPhysMemory();
  s.NearFull = g_Main.NearFull;
  s.ScanMemory = g_Main.ScanMemory;
  return s;
}

}  // namespace wq
