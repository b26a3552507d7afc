// A scan: START/STOP UNIT starts one over the current window, READ data
// type 0 hands out its lines, data type 0x81 its size, 0x82 (WQ490) the
// mode-parameter text.
#include <cmath>
#include <cstring>

#include "common/bytes.h"
#include "vscsi/scanner.h"

namespace vscsi {
namespace {

constexpr uint32_t kMaxModeText = 4096;

bool AutoEjects(uint16_t kind) {
  // The WQ140 and WQ220 wait for OBJECT POSITION; the others push the
  // sheet out after its last line.
  return kind != kWQ140 && kind != kWQ220;
}

// READ data type 0 of length 2 ends a scan, unless the scan's lines are
// two bytes long and some are left: then it is an ordinary read.
bool EndsScan(const ScannerState& s, uint32_t length) {
  if (length != 2) return false;
  const ScanJob& j = s.job;
  return !(j.active && j.lineBytes == 2 && j.linesDone < j.lines);
}

void ControlWords(const ScannerState& s, const CommandIO& io, CommandResult* r) {
  uint32_t pixels, lines;
  if (s.job.active) {
    pixels = s.job.pixels;
    lines = s.job.lines;
  } else {
    uint64_t px, ln;
    ImageSize(s.params, s.unit, &px, &ln);
    pixels = px > 0xFFFF ? 0xFFFF : uint32_t(px);
    lines = ln > 0xFFFF ? 0xFFFF : uint32_t(ln);
  }
  uint8_t data[4];
  wq::PutLE16(data, pixels);
  wq::PutLE16(data + 2, lines);
  uint32_t n = CdbTransferLength(io.cdb);
  ReplyIn(io, r, data, n < 4 ? n : 4);
}

void ModeText(const ScannerState& s, const CommandIO& io, CommandResult* r) {
  uint32_t n = CdbTransferLength(io.cdb);
  if (n > kMaxModeText) return FailCdbField(r, 6);
  if (n == 0) return;  // nothing asked for, nothing sent
  if (!DataIn(io, r, n)) return;
  char text[kMaxModeText];
  size_t len = BuildModeText(s, text, sizeof text);
  memset(io.buffer, 0, n);
  memcpy(io.buffer, text, len < n ? len : n);
  r->transferred = n;
}

void ImageData(ScannerState* s, const CommandIO& io, CommandResult* r) {
  uint32_t length = CdbTransferLength(io.cdb);
  if (EndsScan(*s, length)) {
    if (!DataIn(io, r, 2)) return;
    io.buffer[0] = io.buffer[1] = 0;
    r->transferred = 2;
    EndScan(s, true);
    return;
  }
  ScanJob& j = s->job;
  if (!j.active) return Fail(r, kIllegalRequest, kAscSequenceError);
  if (length == 0) return;
  uint32_t lines = length / j.lineBytes;
  if (lines > j.lines - j.linesDone) lines = j.lines - j.linesDone;
  if (lines == 0) return FailCdbField(r, 6);  // less than one line
  uint32_t bytes = lines * j.lineBytes;
  if (!DataIn(io, r, bytes)) return;
  uint8_t* red = j.planes.data();
  uint8_t* green = red + j.pixels;
  uint8_t* blue = green + j.pixels;
  for (uint32_t k = 0; k < lines; ++k) {
    uint32_t row = j.linesDone + k;
    double y = j.rowOrigin + (row + 0.5) * j.rowStep;
    RenderRow(&j.renderer, int32_t(std::floor(y)), red, green, blue);
    FormatLine(j.params, j.tone, red, green, blue, j.pixels, row, io.buffer + size_t(k) * j.lineBytes);
  }
  r->transferred = bytes;
  ++j.reads;
  j.linesDone += lines;
  if (j.linesDone == j.lines) EndScan(s, true);
}

}  // namespace

uint32_t NextImageRead(const ScannerState& s, const uint8_t* cdb) {
  if (cdb[0] != 0x28 || cdb[2] != 0 || !s.job.active) return 0;
  if (EndsScan(s, CdbTransferLength(cdb))) return 0;
  return s.job.reads + 1;
}

void EndScan(ScannerState* s, bool eject) {
  ScanJob& j = s->job;
  if (!j.active) return;
  j.active = false;
  if (eject && j.source == Source::Feeder && AutoEjects(s->options.kind) && s->sheetLoaded) {
    s->sheetLoaded = false;
    ++s->sheetsEjected;
  }
}

void StartScanCommand(ScannerState* s, CommandResult* r) {
  EndScan(s, true);  // a new start abandons the scan before it
  Source source = EffectiveSource(*s);
  if (source == Source::Film && !FilmReady(*s)) return Fail(r, kNotReady, 0x04);
  const ScanParams& p = s->params;
  BedSize bed = BedFor(s->options, source);
  uint64_t maxW = ToUnits(bed.width, s->unit), maxL = ToUnits(bed.length, s->unit);
  if (uint64_t(p.left) + p.width > maxW || uint64_t(p.top) + p.length > maxL)
    return Fail(r, kIllegalRequest, kAscSequenceError);
  uint64_t pixels, lines;
  ImageSize(p, s->unit, &pixels, &lines);
  // The control words carry 16 bits each.
  if (pixels == 0 || lines == 0 || pixels > 0xFFFF || lines > 0xFFFF)
    return Fail(r, kIllegalRequest, kAscSequenceError);
  if (source == Source::Feeder && !s->sheetLoaded) {
    if (s->sheetsLeft == 0) return Fail(r, kMediumError, 0x3A);
    --s->sheetsLeft;
    ++s->sheetNumber;
    s->sheetLoaded = true;
  }

  ScanJob& j = s->job;
  j.source = source;
  j.params = p;
  j.pixels = uint32_t(pixels);
  j.lines = uint32_t(lines);
  j.lineBytes = LineBytes(p.composition, j.pixels);
  j.linesDone = 0;
  j.reads = 0;
  BuildTone(p, s->gamma, &j.tone);
  double rx = double(EffectiveResolution(p.xres, p.xfrac, p.zoomX, p.zoomEnabled)) / 65536.0;
  double ry = double(EffectiveResolution(p.yres, p.yfrac, p.zoomY, p.zoomEnabled)) / 65536.0;
  double left = UnitsToPage(p.left, s->unit), stepX = kPageUnit / rx;
  std::vector<int32_t> columns(j.pixels);
  for (uint32_t i = 0; i < j.pixels; ++i) columns[i] = int32_t(std::floor(left + (i + 0.5) * stepX));
  j.rowOrigin = UnitsToPage(p.top, s->unit);
  j.rowStep = kPageUnit / ry;
  PageLayout page;
  page.content = source == Source::Film ? PageContent::Film
                 : source == Source::Feeder ? PageContent::Sheet
                                            : PageContent::Flatbed;
  page.sheet = s->sheetNumber;
  page.width = int32_t(bed.width);
  page.length = int32_t(bed.length);
  PreparePage(&j.renderer, page, std::move(columns));
  j.planes.assign(size_t(j.pixels) * 3, 0);
  j.active = true;
  ++s->starts;
}

void ReadCommand(ScannerState* s, const CommandIO& io, CommandResult* r) {
  switch (io.cdb[2]) {
    case 0x00: return ImageData(s, io, r);
    case 0x81: return ControlWords(*s, io, r);
    case 0x82:
      if (s->options.kind == kWQ490) return ModeText(*s, io, r);
      break;
  }
  FailCdbField(r, 2);
}

}  // namespace vscsi
