// Selectors 8, 9 and 10: starting a scan and reading its control words,
// reading image lines, and resetting the scanner.
#include <cstring>

#include "common/bytes.h"
#include "scanlib/command.h"
#include "scanlib/ops.h"
#include "scanlib/sendtext.h"
#include "scanlib/state.h"
#include "scanlib/trace.h"

namespace wqscsi {

namespace {

void SaveResult(LibraryState* s, int16_t status) {
  s->savedValid = true;
  s->savedStatus = status;
  std::memcpy(s->savedSense, s->sense, kSenseBufferSize);
}

}  // namespace

int16_t ReadControl(ScanParamBlock* b) {
  LibraryState* s = g_scan.state;
  s->savedValid = false;
  int16_t st = TestUnitReady();
  if (st == kScanOk) {
    s->unitStarted = true;
    st = IssueCommand(CmdSimple(kOpStartStop));
  }
  if (st == kScanOk) {
    uint8_t reply[4] = {};
    ScsiCommand read = CmdRead(0x81, 0, reply, sizeof reply);
    read.countBusy = true;
    read.busySpacingMs = s->kind == kModelWQ490 ? kBusyRetrySpacingMs : 0;
    st = IssueCommand(read);
    if (st == kScanOk) {
      b->ControlWord0 = int16_t(wq::GetLE16(reply));
      b->ControlWord1 = int16_t(wq::GetLE16(reply + 2));
    }
  }
  if (st != kScanOk) SaveResult(s, st);
  return st;
}

int16_t ReadData(ScanParamBlock* b) {
  LibraryState* s = g_scan.state;
  if (s->savedValid) {
    // The start failed: report that, read nothing.
    std::memcpy(s->sense, s->savedSense, kSenseBufferSize);
    s->status = s->savedStatus;
    return s->savedStatus;
  }
  b->BytesRead = 0;
  TraceTransferSize(b->ReadSize);
  if (b->BytesPerLine == 0 || !b->ReadBuffer) return kScanNotFound;
  const uint32_t lines = b->ReadSize / b->BytesPerLine;
  const uint64_t bytes = uint64_t(lines) * b->BytesPerLine;
  if (lines == 0 || bytes > kMaxTransferLength) return kScanNotFound;

  int16_t st = IssueCommand(CmdRead(0, 0, b->ReadBuffer, uint32_t(bytes)));
  if (st != kScanOk) {
    // Reset the scanner, but report the read's failure and sense.
    uint8_t sense[kSenseBufferSize];
    std::memcpy(sense, s->sense, kSenseBufferSize);
    ResetScanner(b);
    std::memcpy(s->sense, sense, kSenseBufferSize);
    s->status = st;
    return st;
  }
  b->BytesRead += uint32_t(bytes);
  const uint32_t before = b->LinesRemaining;
  b->LinesRemaining = before > lines ? before - lines : 0;
  const bool sheetDone = before > 0 && b->LinesRemaining == 0;
  const int32_t kind = s->kind;
  if (sheetDone && (kind == kModelWQ140 || kind == kModelWQ220) && b->AdfSelected &&
      !b->FsuSelected)
    st = IssueCommand(CmdObjectPosition(0));
  return st;
}

int16_t ResetScanner(ScanParamBlock*) {
  LibraryState* s = g_scan.state;
  int16_t st;
  if (s->kind == kModelWQ140) {
    st = IssueCommand(CmdSimple(kOpInitialize));
    if (st == kScanOk && !s->unitStarted) st = TestUnitReady();
  } else if (s->unitStarted) {
    uint8_t scratch[2];
    st = IssueCommand(CmdRead(0, 0, scratch, sizeof scratch));  // ends the pending scan
  } else {
    st = IssueCommand(CmdSend(kSendInitialize, 0, nullptr, 0, "Initializes Scanner"));
  }
  s->unitStarted = false;
  s->savedValid = false;
  return st;
}

}  // namespace wqscsi
