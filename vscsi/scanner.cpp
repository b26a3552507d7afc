// The scanner's command dispatch, its sources (flatbed, feeder, film unit)
// and the commands too small for a file of their own.
#include "vscsi/scanner.h"

namespace vscsi {
namespace {

// OBJECT POSITION: 0 unloads the sheet, 1 loads one from the tray.
void ObjectPosition(ScannerState* s, const CommandIO& io, CommandResult* r) {
  uint8_t function = io.cdb[1] & 0x07;
  if (function > 1) return FailCdbField(r, 1);
  if (function == 0) {
    if (s->job.active) EndScan(s, false);
    if (s->sheetLoaded) {
      s->sheetLoaded = false;
      ++s->sheetsEjected;
    }
    return;
  }
  if (!s->options.adfType) return FailCdbField(r, 1);
  if (s->sheetLoaded) return;
  if (s->sheetsLeft == 0) return Fail(r, kMediumError, 0x3A);
  --s->sheetsLeft;
  ++s->sheetNumber;
  s->sheetLoaded = true;
}

}  // namespace

void InitialiseScanner(ScannerState* s) { EndScan(s, true); }

bool HasWindowCommands(uint16_t kind) { return kind == kWQ140 || kind == kWQ210 || kind == kWQ220; }
bool HasSubDevicePage(uint16_t kind) { return kind != kWQ490; }
bool UsesTextCommands(uint16_t kind) { return kind != kWQ140; }

uint8_t DescriptorLength(const ScannerState& s) {
  switch (s.options.kind) {
    case kWQ140: return s.options.descLength;
    case kWQ220: return 55;
  }
  return 53;
}

bool FeederReady(const ScannerState& s) {
  return s.options.adfType && (s.sheetLoaded || s.sheetsLeft > 0);
}

bool FilmReady(const ScannerState& s) { return s.options.fsuType && s.options.fsuReady; }

Source EffectiveSource(const ScannerState& s) {
  // The WQ490 has no source choice: an attached film unit is what it scans.
  if (s.options.kind == kWQ490) return s.options.fsuType ? Source::Film : Source::Flatbed;
  // Both choices set, or neither, is the flatbed.
  if (s.adfSelect && !s.fsuSelect && s.options.adfType) return Source::Feeder;
  if (s.fsuSelect && !s.adfSelect && s.options.fsuType) return Source::Film;
  return Source::Flatbed;
}

BedSize CurrentBed(const ScannerState& s) { return BedFor(s.options, EffectiveSource(s)); }

void ChangeUnit(ScannerState* s, uint16_t unit) {
  if (unit == s->unit || unit == 0) return;
  auto scale = [&](uint32_t v) { return uint32_t(uint64_t(v) * unit / s->unit); };
  ScanParams& p = s->params;
  p.left = scale(p.left);
  p.top = scale(p.top);
  p.width = scale(p.width);
  p.length = scale(p.length);
  s->unit = unit;
}

void ResetScannerParams(ScannerState* s) {
  s->unit = 1200;
  s->params = ScanParams{};
  BedSize bed = BedFor(s->options, Source::Flatbed);
  s->params.width = ToUnits(bed.width, s->unit);
  s->params.length = ToUnits(bed.length, s->unit);
  for (GammaChannel& g : s->gamma) ResetGamma(&g);
  s->adfSelect = s->fsuSelect = false;
  s->reserved = false;
}

void InitScanner(ScannerState* s, const ScannerOptions& o) {
  *s = ScannerState{};
  s->options = o;
  s->sheetsLeft = o.sheets;
  ResetScannerParams(s);
}

void ScannerCommand(Device* d, const CommandIO& io, CommandResult* r) {
  ScannerState* s = &d->scanner;
  uint16_t kind = s->options.kind;
  if (CommonCommand(d, io, r)) return;
  switch (io.cdb[0]) {
    case 0x15: return ModeSelectCommand(s, io, r);
    case 0x1A: return ModeSenseCommand(s, io, r);
    case 0x16: s->reserved = true; return;
    case 0x17: s->reserved = false; return;
    case 0x1B: return StartScanCommand(s, r);
    case 0x24:
      if (!HasWindowCommands(kind)) break;
      return SetWindowCommand(s, io, r);
    case 0x25:
      if (kind == kWQ490) break;
      return GetWindowCommand(s, io, r);
    case 0x28: return ReadCommand(s, io, r);
    case 0x2A: return SendCommand(s, io, r);
    case 0x31: return ObjectPosition(s, io, r);
    case 0xFF: InitialiseScanner(s); return;
  }
  Fail(r, kIllegalRequest, kAscInvalidOpcode);
}

}  // namespace vscsi
