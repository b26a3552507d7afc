// Selectors 11 to 18: measurement unit and source choice (flatbed, film
// unit, feeder), capabilities, and the readiness of the two options.
#include <cstring>

#include "scanlib/command.h"
#include "scanlib/model.h"
#include "scanlib/modepage.h"
#include "scanlib/ops.h"
#include "scanlib/params2048.h"
#include "scanlib/state.h"
#include "scanlib/trace.h"

namespace wqscsi {

namespace {

constexpr uint32_t kCapabilityTextSize = 250;

struct SubDeviceBits {
  bool adfAttached, adfReady, adfSelected;
  bool fsuAttached, fsuReady, fsuSelected;
};

SubDeviceBits BitsOf(const ModePage& sensed) {
  const uint8_t* p = sensed.page();
  return {(p[2] & 3) != 0, (p[2] & 0x80) != 0, (p[2] & 0x40) != 0,
          (p[3] & 7) != 0, (p[3] & 0x80) != 0, (p[3] & 0x40) != 0};
}

// MODE SELECT of the sub-device page with a source choice; `sensed` is the
// page just read (every MODE SELECT follows a MODE SENSE of its page).
int16_t WriteChoice(const ModePage& sensed, int32_t kind, bool adf, bool fsu) {
  ModePage list;
  BuildSubDeviceSelect(sensed, kind, adf, fsu, list);
  return ModeSelect(list);
}

// Kind 8 takes both units off before a new choice; `sensed` is read again.
int16_t ClearChoiceFirst(int32_t kind, ModePage& sensed) {
  if (kind != kModelWQ220) return kScanOk;
  int16_t st = WriteChoice(sensed, kind, false, false);
  if (st != kScanOk) return st;
  return ModeSensePage(kPageSubDevice, sensed);
}

// Reads the 250-byte mode parameters of the text-command model; true when
// they carry the film-unit marker.
int16_t ReadFilmUnitMarker(bool* present) {
  uint8_t text[kCapabilityTextSize] = {};
  const int16_t st = IssueCommand(CmdRead(0x82, 0, text, sizeof text));
  *present = st == kScanOk && HasFilmUnitMarker(text, sizeof text);
  return st;
}

int16_t ReadCapabilities(ScanParamBlock* b, int32_t kind) {
  ModePage page;
  int16_t st = ModeSensePage(kPageMeasurement, page);
  if (st != kScanOk) return st;
  b->MeasurementUnit = int16_t(MeasurementUnitOf(page.page()));
  if (kind != kModelWQ490) {
    if ((st = ModeSensePage(kPageSubDevice, page)) != kScanOk) return st;
    DecodeSubDevicePage(page.page(), kind, *b);
    return kScanOk;
  }
  b->BaseResolutionX = b->BaseResolutionY = 600;
  b->MaxResolutionX = b->MaxResolutionY = 1200;
  b->MinResolutionX = b->MinResolutionY = 30;
  b->MaxWidth = int32_t(b->MeasurementUnit / 25) * 300;
  b->MaxLength = int32_t(b->MeasurementUnit / 25) * 425;
  b->AdfType = 0;
  b->AdfReady = 0;
  b->FsuType = 0;
  b->FsuReady = 0;
  b->AdfSelected = 1;
  b->FsuSelected = 1;
  bool film = false;
  if ((st = ReadFilmUnitMarker(&film)) != kScanOk) return st;
  if (film) {
    b->FsuType = 2;
    b->FsuReady = 1;
    b->FsuSelected = 1;
    b->AdfSelected = 0;
  }
  return kScanOk;
}

}  // namespace

int16_t SetScannerType(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  ModePage sensed, list;
  if ((st = ModeSensePage(kPageMeasurement, sensed)) != kScanOk) return st;
  BuildMeasurementSelect(uint16_t(b->MeasurementUnit), sensed.length, list);
  if ((st = ModeSelect(list)) != kScanOk) return st;
  if (!IsWindowModel(kind)) return kScanOk;
  if ((st = ModeSensePage(kPageSubDevice, sensed)) != kScanOk) return st;
  if (kind == kModelWQ215 || (b->AdfSelected != 1 && b->FsuSelected != 1)) return kScanOk;
  return WriteChoice(sensed, kind, b->AdfSelected == 1, b->FsuSelected == 1);
}

int16_t GetScannerType(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  if (kind == kModelUnknown) return NotSupported();
  const int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  return ReadCapabilities(b, kind);
}

int16_t SelectFlatbed(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  if (kind == kModelWQ490) {
    b->AdfReady = b->FsuReady = 0;
    return kScanOk;
  }
  if (kind == kModelUnknown) return NotSupported();
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  ModePage sensed;
  if ((st = ModeSensePage(kPageSubDevice, sensed)) != kScanOk) return st;
  if ((st = ClearChoiceFirst(kind, sensed)) != kScanOk) return st;
  const bool both = kind != kModelWQ215;
  if ((st = WriteChoice(sensed, kind, both, both)) != kScanOk) return st;
  LibraryState* s = g_scan.state;
  const bool wasQuiet = s->logQuiet;
  s->logQuiet = true;
  st = ReadCapabilities(b, kind);
  s->logQuiet = wasQuiet;
  if (st != kScanOk) return st;
  b->AdfReady = b->FsuReady = 0;
  return kScanOk;
}

// Chooses the feeder or the film unit on the sub-device page; kind 2048
// has no such page and only records the choice.
static int16_t SelectSubDevice(ScanParamBlock* b, bool feeder) {
  const int32_t kind = g_scan.state->kind;
  if (kind != kModelWQ490) {
    if (kind == kModelUnknown) return NotSupported();
    int16_t st = TestUnitReady();
    if (st != kScanOk) return st;
    ModePage sensed;
    if ((st = ModeSensePage(kPageSubDevice, sensed)) != kScanOk) return st;
    const auto bits = BitsOf(sensed);
    if (!(feeder ? bits.adfAttached : bits.fsuAttached)) {
      TraceText(feeder ? "\tADF Not connected" : "\tFSU Not connected");
      return kScanUnitNotReady;
    }
    if ((st = ClearChoiceFirst(kind, sensed)) != kScanOk) return st;
    if ((st = WriteChoice(sensed, kind, feeder, !feeder)) != kScanOk) return st;
  }
  b->AdfSelected = feeder ? 1 : 0;
  b->FsuSelected = feeder ? 0 : 1;
  return kScanOk;
}

int16_t SelectFilmUnit(ScanParamBlock* b) { return SelectSubDevice(b, false); }

int16_t SelectFeeder(ScanParamBlock* b) { return SelectSubDevice(b, true); }

int16_t SelectAutomatic(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  if (kind == kModelWQ490) return kScanOk;
  if (kind == kModelUnknown) return NotSupported();
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  ModePage sensed;
  if ((st = ModeSensePage(kPageSubDevice, sensed)) != kScanOk) return st;
  bool adf = false, fsu = false;
  if (kind == kModelWQ220) {
    // Readiness as the scanner reports it with both units taken off.
    if ((st = ClearChoiceFirst(kind, sensed)) != kScanOk) return st;
    const SubDeviceBits bits = BitsOf(sensed);
    if (bits.fsuReady) fsu = true;
    else if (bits.adfReady) adf = true;
    else adf = fsu = true;
  } else {
    const SubDeviceBits bits = BitsOf(sensed);
    if (bits.fsuAttached && bits.fsuReady) fsu = true;
    else if (bits.adfAttached && bits.adfReady) adf = true;
    else adf = fsu = true;  // the flatbed
  }
  const bool flatbed = adf && fsu;
  if (flatbed && kind == kModelWQ215) st = WriteChoice(sensed, kind, false, false);
  else st = WriteChoice(sensed, kind, adf, fsu);
  if (st != kScanOk) return st;
  b->AdfSelected = adf ? 1 : 0;
  b->FsuSelected = fsu ? 1 : 0;
  return kScanOk;
}

int16_t FilmUnitReady(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  if (kind == kModelUnknown) return NotSupported();
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  if (kind == kModelWQ490) {
    // This model's film unit is in the light path whenever it is fitted.
    bool present = false;
    if ((st = ReadFilmUnitMarker(&present)) != kScanOk) return st;
    b->FsuReady = present ? 1 : 0;
    if (!present) {
      TraceText("\tFSU Not connected");
      return kScanUnitNotReady;
    }
    return kScanOk;
  }
  ModePage sensed;
  if ((st = ModeSensePage(kPageSubDevice, sensed)) != kScanOk) return st;
  const SubDeviceBits bits = BitsOf(sensed);
  b->FsuReady = bits.fsuReady ? 1 : 0;
  if (!bits.fsuAttached) {
    TraceText("\tFSU Not connected");
    return kScanUnitNotReady;
  }
  if (!bits.fsuSelected) {
    TraceText("\tFSU Not Select");
    return kScanUnitNotReady;
  }
  return bits.fsuReady ? kScanOk : kScanUnitNotReady;
}

int16_t FeederReady(ScanParamBlock* b) {
  const int32_t kind = g_scan.state->kind;
  if (kind == kModelUnknown || kind == kModelWQ490) return NotSupported();
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  ModePage sensed;
  if ((st = ModeSensePage(kPageSubDevice, sensed)) != kScanOk) return st;
  const SubDeviceBits bits = BitsOf(sensed);
  b->AdfReady = bits.adfReady ? 1 : 0;
  if (!bits.adfAttached) {
    TraceText("\tADF Not connected");
    return kScanUnitNotReady;
  }
  if (!bits.adfSelected) {
    TraceText("\tADF Not Select");
    return kScanUnitNotReady;
  }
  if (!bits.adfReady) {
    TraceText("\tADF Not Ready");
    return kScanUnitNotReady;
  }
  return kScanOk;
}

}  // namespace wqscsi
