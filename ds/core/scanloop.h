// The scan loop the three transfers share: the settings in effect and their
// tables, the progress window, starting the scanner, the strip reader's
// buffers, rows delivered to the transfer's sink, and what every ending
// leaves behind.
#pragma once
#include <cstdint>

#include "ds/scan/strips.h"
#include "twain/twain.h"

namespace wq {

enum XferOutcome {
  kXferDone,       // every row delivered
  kXferMore,       // rows remain (memory transfer)
  kXferCancelled,  // the user cancelled; the scanner was reset
  kXferFailed,     // shown to the user where there was something to say; Status set
};

// What every transfer request does first: the settings exchange, the batch
// number made 1 if it was 0, the transfer mechanism (TWSX_) recorded.
void StartTransferRequest(uint16_t mechanism);

// How a transfer wants its rows: `bitmap` for the native and BMP
// transfers (eight colours four bits a pixel, colour rows blue-green-red),
// else one byte a pixel and red-green-blue.
// Starts the page: tables, the two scan flags, the progress window (kept
// open from the last feeder page when it still is), the scanner, the
// strip reader. Failures close the window and free what was taken.
XferOutcome BeginPageScan(bool bitmap);
// Delivers up to maxRows rows to the sink; kXferMore while rows remain.
// Any other outcome ends the page and frees its buffers.
XferOutcome ScanRows(uint32_t maxRows, const RowSink& sink);
// Whether a page is being read (between BeginPageScan and its end).
bool PageScanActive();
// Closes the progress window, unless keepProgress (the feeder has more
// paper for the next page of a memory transfer), and frees the buffers.
void EndPageScan(bool keepProgress);
// A transfer that failed or was cancelled: the page's buffers freed, the
// progress window closed, the pending count and the progress count 0, the
// scan button released.
void AbandonPage();
// The application ended or reset the transfer, or closed the source, in
// the middle of a page: its buffers go.
void ForgetPage();

}  // namespace wq
