// Strip reading: lines read in ReadData calls of the job's size, each followed
// by the status check and the cancel poll, passed through the edge ring and the
// pipeline, handed out row by row, and the scanner's surplus lines drained.
#include "ds/scan/strips.h"

#include <cstring>

#include "ds/base/memory.h"
#include "ds/pipeline/lines.h"
#include "ds/pipeline/modes.h"
#include "ds/scan/edge.h"
#include "ds/scan/stripsize.h"

namespace wq {

ScanReadOps g_ScanRead;
StripReader g_Strips;

namespace {

// Bytes the pipeline makes of one line, and how far apart it leaves them.
struct RowLayout {
  uint32_t Produced;
  uint32_t Spacing;
  uint32_t PackedRow;  // row distance ProcessStrip packs at (modes 4, 5, 0x502)
};

RowLayout LayoutOf(const StripGeometry& s, uint32_t S, uint32_t P) {
  const uint32_t n = s.Pixels;
  RowLayout l{S, S, P};
  switch (s.Mode) {
    case 0x201: case 0x301: case 0x401: case 0x501:
      l.Produced = (n + 7) / 8;
      break;
    case 0x102:
      l.Produced = l.Spacing = P;
      break;
    case 0x202: case 0x302: case 0x402:
      l.Produced = s.Pack ? (n + 1) / 2 : n;
      break;
    case 4: case 5: case 0x502: {
      const uint32_t out = s.Mode == 0x502 && s.Pack ? (n + 1) / 2 : n;
      // Rows are packed at the delivered row size; a row size that does
      // not fit the line (the scanner's width differs) packs them tight.
      l.PackedRow = s.RowBytes >= out && s.RowBytes <= P ? s.RowBytes : out;
      l.Produced = out;
      l.Spacing = l.PackedRow;
      break;
    }
    default:  // 0x101, 3, 6
      break;
  }
  return l;
}

void FreeAll() {
  StripReader& r = g_Strips;
  WorkFree(r.StripBuffer);
  WorkFree(r.Ring);
  WorkFree(r.LineScratch);
  WorkFree(r.RowScratch);
  r.StripBuffer = r.Ring = r.LineScratch = r.RowScratch = nullptr;
  r.StripBytes = 0;
  if (r.Job) FreePipelineBuffers(r.Job);
  r.Job = nullptr;
  r.Active = false;
}

// Passes the strip's lines through the edge ring; returns the lines ready.
uint32_t RunRing(uint32_t n) {
  StripReader& r = g_Strips;
  const size_t S = r.ScannerLineBytes;
  const bool colour = IsColourMode(r.Geometry.Mode);
  uint32_t ready = 0;
  for (uint32_t k = 0; k < n; ++k) {
    const uint32_t g = r.LinesRead + k;
    memcpy(r.Ring + (g % 3) * S, r.StripBuffer + size_t(k) * S, S);
    if (g == 0) {
      ready = 1;  // the first line of the image stays as it is
    } else if (g >= 2) {
      // The filtered line before this one; its place in the strip has
      // already gone into the ring.
      EdgeFilterLine(r.Ring, r.StripBuffer + size_t(ready) * S, S, g - 2, r.Geometry.Edges, colour);
      ++ready;
    }
  }
  return ready;
}

// Reads (or takes from the ring) and processes lines until rows wait.
StripResult FillStrip() {
  StripReader& r = g_Strips;
  while (r.Waiting == 0) {
    uint32_t ready;
    if (r.LinesRead < r.Geometry.Height) {
      uint32_t n = r.Geometry.Height - r.LinesRead;
      if (n > r.BufferLines) n = r.BufferLines;
      const int result = ReadStrips(r.StripBuffer, n, r.ScannerLineBytes);
      if (result != 0) return StripResult(result);
      ready = r.EdgeFilter ? RunRing(n) : n;
      r.LinesRead += n;
    } else if (r.EdgeFilter && !r.RingFlushed && r.LinesRead >= 2) {
      // Every line has passed the ring: the last one goes out unfiltered.
      memcpy(r.StripBuffer, r.Ring + ((r.LinesRead - 1) % 3) * size_t(r.ScannerLineBytes),
             r.ScannerLineBytes);
      r.RingFlushed = true;
      ready = 1;
    } else {
      return kStripBadGeometry;  // rows wanted but no lines left
    }
    if (ready == 0) continue;
    const RowLayout l = LayoutOf(r.Geometry, r.ScannerLineBytes, r.PipelineLineBytes);
    if (!ProcessStrip(r.Job, r.StripBuffer, r.StripBytes, ready, r.PipelineLineBytes,
                      r.ScannerLineBytes, l.PackedRow))
      return kStripBadGeometry;
    r.Waiting = ready;
    r.FirstWaiting = 0;
  }
  return kStripDone;
}

// The scanner's lines beyond the image, one at a time, dropped.
StripResult Drain() {
  StripReader& r = g_Strips;
  const StripGeometry& g = r.Geometry;
  if (r.LinesRead < g.Height || g.ScannerLines <= g.Height) return kStripDone;
  for (uint32_t left = g.ScannerLines - g.Height; left > 0; --left) {
    const int result = ReadStrips(r.StripBuffer, 1, r.ScannerLineBytes);
    if (result != 0) return StripResult(result);
    ++r.LinesRead;
  }
  return kStripDone;
}

StripResult Finish(StripResult result) {
  FreeAll();
  return result;
}

}  // namespace

int ReadStrips(uint8_t* buffer, uint32_t lines, uint32_t lineBytes) {
  uint32_t n = g_Strips.StripLines ? g_Strips.StripLines : 1;
  for (uint32_t done = 0; done < lines; done += n) {
    if (n > lines - done) n = lines - done;
    g_ScanRead.ReadData(buffer + size_t(done) * lineBytes, n, lineBytes);
    if (g_ScanRead.CheckStatus() != 0) return kStripScannerError;
    if (g_ScanRead.PollCancel()) {
      g_ScanRead.Reset();
      return kStripCancelled;
    }
  }
  if (IsColourMode(g_Strips.Geometry.Mode) && g_Strips.LineScratch)
    PlanarToInterleaved(buffer, lines, lineBytes, g_Strips.LineScratch);
  return kStripDone;
}

bool AllocateStripBuffer(uint32_t b) {
  StripReader& r = g_Strips;
  const StripGeometry& s = r.Geometry;
  const uint32_t width = s.Mode == 6 ? 3 * s.Width : s.Width;
  const bool matching = r.Job && r.Job->MatchTable;
  const int64_t lines =
      StripBufferLines(s.TotalPhys, PipelineScratchSize(s.Mode, width, s.Edges, matching), s.NearFull, b);
  if (lines < 0) return false;
  // The caller's cap at the image height comes first, so that a short image
  // takes no more than it needs.
  r.BufferLines = uint32_t(lines);
  if (r.BufferLines > s.Height && s.Height > 0) r.BufferLines = s.Height;
  r.StripBytes = size_t(r.BufferLines) * b;
  r.StripBuffer = static_cast<uint8_t*>(WorkAlloc(r.StripBytes));
  return r.StripBuffer != nullptr;
}

StripResult BeginStripRead(const StripGeometry& geom, PipelineJob* job) {
  EndStripRead();
  StripReader& r = g_Strips;
  r = StripReader{};
  r.Geometry = geom;
  if (!IsKnownMode(geom.Mode) || !job) return kStripBadGeometry;
  r.ScannerLineBytes = ScannerLineBytes(geom.Mode, geom.Pixels);
  r.PipelineLineBytes = PipelineLineBytes(geom.Mode, geom.Pixels, geom.Pack);
  if (r.ScannerLineBytes == 0 || r.PipelineLineBytes == 0 ||
      (geom.Height > 0 && geom.RowBytes == 0))
    return kStripBadGeometry;
  const RowLayout l = LayoutOf(geom, r.ScannerLineBytes, r.PipelineLineBytes);
  r.Produced = l.Produced;
  r.Spacing = l.Spacing;
  r.EdgeFilter = EdgeFilterOn(geom.Edges, geom.Mode, geom.Model);
  r.Job = job;
  job->Pixels = geom.Pixels;

  bool ok = AllocateStripBuffer(r.PipelineLineBytes);
  if (ok) r.StripLines = StripLinesFor(geom.ScanMemory, r.PipelineLineBytes, r.BufferLines);
  ok = ok && AllocatePipelineBuffers(job);
  if (ok && r.EdgeFilter) ok = (r.Ring = static_cast<uint8_t*>(WorkAlloc(3 * size_t(r.ScannerLineBytes)))) != nullptr;
  // The colour rearrangement's line is taken now: without it the image
  // would come out with its colours in planes.
  if (ok && IsColourMode(geom.Mode))
    ok = (r.LineScratch = static_cast<uint8_t*>(WorkAlloc(r.ScannerLineBytes))) != nullptr;
  if (ok) ok = (r.RowScratch = static_cast<uint8_t*>(WorkAlloc(geom.RowBytes))) != nullptr;
  if (!ok) return Finish(kStripNoMemory);
  RestartPipelineImage(job);
  r.Active = true;
  return kStripDone;
}

StripResult DeliverRows(uint32_t maxRows, const RowSink& sink) {
  StripReader& r = g_Strips;
  if (!r.Active) return kStripBadGeometry;
  for (uint32_t count = 0; count < maxRows && r.RowsDelivered < r.Geometry.Height; ++count) {
    if (r.Waiting == 0) {
      const StripResult result = FillStrip();
      if (result != kStripDone) return Finish(result);
    }
    uint8_t* src = r.StripBuffer + size_t(r.FirstWaiting) * r.Spacing;
    const uint32_t have = r.Produced < r.Geometry.RowBytes ? r.Produced : r.Geometry.RowBytes;
    if (r.Geometry.SwapRedBlue && r.Geometry.Mode == 6) SwapRedBlue(src, have / 3);
    const uint8_t* row = src;
    if (have < r.Geometry.RowBytes) {
      // A line narrower than the delivered row: the rest of the row is 0.
      memcpy(r.RowScratch, src, have);
      memset(r.RowScratch + have, 0, r.Geometry.RowBytes - have);
      row = r.RowScratch;
    }
    const uint32_t y = r.RowsDelivered;
    if (!sink.Row || !sink.Row(sink.Context, y, row, r.Geometry.RowBytes))
      return Finish(kStripSinkFailed);
    ++r.FirstWaiting;
    --r.Waiting;
    ++r.RowsDelivered;
    g_ScanRead.Progress(r.RowsDelivered, r.Geometry.Height);
  }
  if (r.RowsDelivered < r.Geometry.Height) return kStripMore;
  return Finish(Drain());
}

void EndStripRead() { FreeAll(); }

}  // namespace wq
