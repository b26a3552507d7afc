// The scan loop's steps: the TWAIN-side values taken over at the transfer
// request, a page begun (tables, progress window, scanner, strip buffers), rows
// delivered to the sink, and each ending's cleanup.
#include "ds/core/scanloop.h"

#include "ds/core/exchange.h"
#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/core/session.h"
#include "ds/base/text.h"
#include "ds/pipeline/process.h"
#include "ds/scan/progress.h"
#include "ds/scan/scanjob.h"
#include "ds/core/stripbind.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

// The scanner sent what cannot be read as the image asked for.
XferOutcome ScannerFault() {
  g_Progress.Close();
  ShowMessageById(msg::kScannerError, kButtonsOk);
  CallScanner(kSelScannerReset);
  g_Session.Status.ConditionCode = TWCC_OPERATIONERROR;
  return kXferFailed;
}

XferOutcome NoMemory() {
  g_Progress.Close();
  ShowMessageById(msg::kNoXferMemory, kButtonsOk);
  g_Session.Status.ConditionCode = TWCC_LOWMEMORY;
  return kXferFailed;
}

void SetScanFlags(bool on) {
  if (!g_Settings) return;
  g_Settings->ScanButtonDown = on ? 1 : 0;
  g_Settings->ScanRunning = on ? 1 : 0;
}

}  // namespace

void StartTransferRequest(uint16_t mechanism) {
  RecomputeXferGeometry();  // the scaling applies to the size of now
  ExchangeAtTransfer();
  if (g_Session.BatchCount == 0) g_Session.BatchCount = 1;
  g_Session.XferMech = mechanism;
}

XferOutcome BeginPageScan(bool bitmap) {
  ForgetPage();
  if (!g_Settings) {
    g_Session.Status.ConditionCode = TWCC_SEQERROR;
    return kXferFailed;
  }
  const XferGeometry& g = g_Session.Geometry;
  // 1. The settings in effect and their tables.
  PrepareScanTables(bitmap);
  g_Settings->NativeOrBmpXfer = bitmap ? 1 : 0;
  // 2. The scan button and the progress window.
  SetScanFlags(true);
  g_Progress.Open(kProgressScan);
  g_Progress.Reset();  // the window may stay open from the last feeder page
  g_Progress.SetTotal(g.ImageRows, false);
  g_Session.ProgressCount = 0;
  // 3. The scanner; its status check has told the user what went wrong.
  g_ScanJob.LastScanEnd = 0;
  if (!StartScanJob(kFinalScan)) {
    g_Progress.Close();
    g_Session.Status.ConditionCode = TWCC_OPERATIONERROR;
    return kXferFailed;
  }
  // 4, 5. Line sizes from the scanner's report, the strip buffer and the
  // pipeline's work areas.
  const bool bgr = bitmap && (g_Settings->Mode & 0xFF) == 6;
  const StripGeometry geom = ScanStripGeometry(bitmap, bgr, g.ImageWidth, g.ImageRows, g.RowBytes);
  switch (BeginStripRead(geom, &g_Pipeline)) {
    case kStripDone: return kXferDone;
    case kStripNoMemory: CallScanner(kSelScannerReset); return NoMemory();
    default: return ScannerFault();
  }
}

XferOutcome ScanRows(uint32_t maxRows, const RowSink& sink) {
  const StripResult r = DeliverRows(maxRows, sink);
  g_Session.ProgressCount = g_Strips.RowsDelivered;
  switch (r) {
    case kStripMore: return kXferMore;
    case kStripDone:
      g_ScanJob.LastScanEnd = 5;  // ended as a scan ends: no reset needed
      return kXferDone;
    case kStripCancelled: return kXferCancelled;
    case kStripScannerError:
      g_Session.Status.ConditionCode = TWCC_OPERATIONERROR;
      return kXferFailed;
    case kStripNoMemory: CallScanner(kSelScannerReset); return NoMemory();
    case kStripSinkFailed:
      // The sink has said why; the scanner stops where it is.
      g_Progress.Close();
      CallScanner(kSelScannerReset);
      return kXferFailed;
    default: return ScannerFault();
  }
}

bool PageScanActive() { return g_Strips.Active; }

void EndPageScan(bool keepProgress) {
  EndStripRead();
  if (!keepProgress) g_Progress.Close();
  SetScanFlags(false);
  g_Session.ProgressCount = 0;
}

void AbandonPage() {
  EndStripRead();
  g_Progress.Close();
  SetScanFlags(false);
  g_Session.PendingCount = 0;
  g_Session.ProgressCount = 0;
  g_Host.ReleaseScanButton();
}

void ForgetPage() {
  if (g_Strips.Active) EndStripRead();
}

}  // namespace wq
