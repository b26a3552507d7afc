// Strip reading: scanner lines are pulled in strips with ReadData, colour
// lines rearranged, the software edge filter applied, the strip run through
// the pipeline, and finished rows handed one by one to the row sink of the
// transfer or preview that asked for them. Everything here is portable; the
// scanner, the status check, the cancel poll and the progress bar are
// reached through ScanReadOps.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/pipeline/process.h"

namespace wq {

// Results of ReadStrips and of the read loop.
enum StripResult {
  kStripDone = 0,          // all lines read / every row delivered
  kStripScannerError = 1,  // the scanner reported an error (shown to the user)
  kStripMore = 2,          // rows remain for a later call (memory transfer)
  kStripCancelled = 3,     // the user cancelled; the scanner was reset
  kStripNoMemory = 4,      // strip buffer or work areas not available
  kStripBadGeometry = 5,   // the scanner's line or the image cannot be read as asked
  kStripSinkFailed = 6,    // the row sink gave up (its own failure)
};

// What strip reading needs from the scanner and the user. By default there
// is no scanner: reads fail (and nothing says why) and nobody cancels.
struct ScanReadOps {
  // ReadData (selector 9): `lines` lines of lineBytes into buffer; returns
  // the library status (0 success).
  int (*ReadData)(uint8_t* buffer, uint32_t lines, uint32_t lineBytes) = [](uint8_t*, uint32_t, uint32_t) { return -1; };
  // Judges the last call as an error during reading; 0 none, 1 an error
  // was reported to the user.
  int (*CheckStatus)() = [] { return 0; };
  // Lets the progress window run; true when the user cancelled.
  bool (*PollCancel)() = [] { return false; };
  // ScannerReset (selector 10).
  void (*Reset)() = [] {};
  // Rows delivered so far of the total.
  void (*Progress)(uint32_t done, uint32_t total) = [](uint32_t, uint32_t) {};
};
extern ScanReadOps g_ScanRead;

// Where finished rows go. The native, file and memory transfers and the
// preview each bring their own. Returning false ends the read (the sink has
// reported its own failure).
struct RowSink {
  void* Context;
  bool (*Row)(void* context, uint32_t y, const uint8_t* row, uint32_t bytes);
};

// One image's reading as the transfer sets it up.
struct StripGeometry {
  int Mode;
  int Model;
  int Edges;
  bool Pack;          // native and bitmap-file transfers, previews: 8 colours 4 bits a pixel
  bool SwapRedBlue;   // bitmaps store blue, green, red
  uint32_t Pixels;    // pixels per line the scanner reported (ControlWord0)
  uint32_t ScannerLines;  // lines the scanner reported (ControlWord1)
  uint32_t Height;    // rows of the delivered image
  uint32_t Width;     // pixels of the delivered image
  uint32_t RowBytes;  // bytes of one delivered row
  uint64_t TotalPhys; // physical memory of the machine
  uint32_t NearFull;
  uint32_t ScanMemory;
};

// The strip reader's one state: buffers and counters live from the start
// of an image to its end, and persist between calls of the memory transfer.
struct StripReader {
  StripGeometry Geometry;
  PipelineJob* Job;
  uint32_t ScannerLineBytes;
  uint32_t PipelineLineBytes;
  uint32_t Spacing;        // distance of delivered rows in the strip buffer
  uint32_t Produced;       // bytes the pipeline makes of one line
  bool EdgeFilter;

  uint8_t* StripBuffer;
  size_t StripBytes;
  uint32_t BufferLines;
  uint32_t StripLines;
  uint8_t* Ring;           // three scanner lines, edge filter only
  uint8_t* LineScratch;    // one scanner line: colour rearrangement
  uint8_t* RowScratch;     // one delivered row, when the line is narrower

  uint32_t LinesRead;
  uint32_t RowsDelivered;
  uint32_t Waiting;        // processed rows not yet delivered
  uint32_t FirstWaiting;
  bool RingFlushed;        // the last line went out of the ring
  bool Active;
};
extern StripReader g_Strips;

// ReadStrips: `lines` lines of lineBytes in calls of at most StripLines;
// 0 done, 1 scanner error (condition code set by the status check), 3
// cancelled (scanner reset). Colour lines come back interleaved.
int ReadStrips(uint8_t* buffer, uint32_t lines, uint32_t lineBytes);

// Sizes the strip buffer for lines of b bytes by the memory rule, caps it at
// the image height and allocates it; false when memory is short.
bool AllocateStripBuffer(uint32_t b);

// Starts an image: line sizes, the strip buffer, the pipeline's work areas
// (on `job`, already set up), the edge ring and scratch lines. kStripDone or
// the failure; nothing stays allocated on failure.
StripResult BeginStripRead(const StripGeometry& geom, PipelineJob* job);
// Delivers up to maxRows rows to the sink, reading strips as needed. After
// the last row the scanner's surplus lines are read and dropped.
// kStripMore while rows remain; any other result ends the image and frees
// everything.
StripResult DeliverRows(uint32_t maxRows, const RowSink& sink);
// Frees the image's buffers (safe to call at any time).
void EndStripRead();

}  // namespace wq
