// MODE SENSE and MODE SELECT: the measurement-unit page (0x03) and the
// sub-device page (0x20: feeder, film unit, bed size, resolutions).
#include <cstring>

#include "common/bytes.h"
#include "vscsi/scanner.h"

namespace vscsi {
namespace {

constexpr uint8_t kMeasurementPage = 0x03;
constexpr uint8_t kSubDevicePage = 0x20;
constexpr uint8_t kAllPages = 0x3F;
constexpr uint16_t kMaxUnit = 1200;  // the basic measurement unit

uint8_t SubDevicePageLength(const ScannerState& s) { return s.options.kind == kWQ140 ? 25 : 11; }

// WQ220 resolution codes: 300, 400, 600, 800, 1200, 2400 dpi.
uint8_t ResolutionCode(uint16_t dpi) {
  static const uint16_t kCodes[] = {300, 400, 600, 800, 1200, 2400};
  for (uint8_t i = 0; i < 6; ++i)
    if (kCodes[i] == dpi) return i;
  return 7;
}

// Optical and highest resolution of the source in use.
void Resolutions(const ScannerState& s, uint16_t* base, uint16_t* max) {
  Source src = EffectiveSource(s);
  switch (s.options.kind) {
    case kWQ140: *base = 400; *max = 1600; return;
    case kWQ220:
      if (src == Source::Film && s.options.fsuType == 4) {
        *base = 1200;
        *max = 2400;
      } else if (src == Source::Film && s.options.fsuType == 3) {
        *base = 600;
        *max = 1200;
      } else {
        *base = 600;
        *max = 2400;
      }
      return;
    case kWQ490: *base = 600; *max = 1200; return;
  }
  *base = 300;
  *max = 600;
  if (src == Source::Film && s.options.fsuType == 1) *base = 600, *max = 1200;
  if (src == Source::Film && s.options.fsuType == 2) *base = 1200, *max = 2400;
}

size_t MeasurementPage(const ScannerState& s, bool changeable, uint8_t* p) {
  memset(p, 0, 8);
  p[0] = kMeasurementPage;
  p[1] = 6;
  wq::PutBE16(p + 4, changeable ? 0xFFFF : s.unit);
  return 8;
}

size_t SubDevicePage(const ScannerState& s, bool changeable, uint8_t* p) {
  uint8_t len = SubDevicePageLength(s);
  memset(p, 0, size_t(len) + 2);
  p[0] = kSubDevicePage;
  p[1] = len;
  if (changeable) {
    p[2] = s.options.kind == kWQ215 ? 0 : 0x40;
    p[3] = s.options.kind == kWQ215 ? 0x80 : 0x40;
    return size_t(len) + 2;
  }
  p[2] = uint8_t(s.options.adfType | (FeederReady(s) ? 0x80 : 0) | (s.adfSelect ? 0x40 : 0));
  p[3] = uint8_t(s.options.fsuType | (FilmReady(s) ? 0x80 : 0) | (s.fsuSelect ? 0x40 : 0));
  uint16_t base, max;
  Resolutions(s, &base, &max);
  if (s.options.kind == kWQ220) p[4] = uint8_t(ResolutionCode(base) << 5 | ResolutionCode(max) << 2);
  BedSize bed = CurrentBed(s);
  wq::PutLE32(p + 5, ToUnits(bed.width, s.unit));
  wq::PutLE32(p + 9, ToUnits(bed.length, s.unit));
  if (s.options.kind == kWQ140) {
    p[13] = s.options.caps[0];
    p[14] = s.options.caps[1];
    uint16_t min = MinResolution(kWQ140);
    const uint16_t words[6] = {base, base, max, max, min, min};
    for (int i = 0; i < 6; ++i) wq::PutLE16(p + 15 + 2 * i, words[i]);
  }
  return size_t(len) + 2;
}

}  // namespace

void ModeSenseCommand(ScannerState* s, const CommandIO& io, CommandResult* r) {
  uint8_t control = io.cdb[2] >> 6, page = io.cdb[2] & 0x3F;
  if (control == 3) return Fail(r, kIllegalRequest, kAscSavingNotSupported);
  bool changeable = control == 1;
  bool subDevice = HasSubDevicePage(s->options.kind);
  uint8_t data[4 + 8 + 2 + 255] = {};
  size_t n = 4;
  if (page == kMeasurementPage || page == kAllPages) n += MeasurementPage(*s, changeable, data + n);
  if ((page == kSubDevicePage && subDevice) || (page == kAllPages && subDevice))
    n += SubDevicePage(*s, changeable, data + n);
  if (n == 4) return FailCdbField(r, 2);
  data[0] = uint8_t(n - 1);  // mode data length
  uint32_t want = io.cdb[4];
  ReplyIn(io, r, data, uint32_t(want < n ? want : n));
}

void ModeSelectCommand(ScannerState* s, const CommandIO& io, CommandResult* r) {
  if (io.cdb[1] & 0x01) return FailCdbField(r, 1);  // pages cannot be saved
  uint32_t n = io.cdb[4];
  if (n == 0) return;
  if (!DataOut(io, r, n)) return;
  const uint8_t* d = io.buffer;
  if (n < 4) return Fail(r, kIllegalRequest, 0x1A);
  if (d[0] != 0) return FailParamField(r, 0);  // mode data length is reserved here
  if (d[3] != 0) return FailParamField(r, 3);  // no block descriptors
  // Everything is checked before anything is taken over.
  int unit = -1, adf = -1, fsu = -1;
  uint32_t o = 4;
  while (o < n) {
    if (o + 2 > n) return FailParamField(r, o);
    uint8_t code = d[o] & 0x3F, len = d[o + 1];
    if (o + 2 + len > n) return FailParamField(r, o + 1);
    const uint8_t* p = d + o;
    if (code == kMeasurementPage) {
      if (len != 6) return FailParamField(r, o + 1);
      uint16_t u = wq::GetBE16(p + 4);
      if (u == 0 || u > kMaxUnit) return FailParamField(r, o + 4);
      unit = u;
    } else if (code == kSubDevicePage && HasSubDevicePage(s->options.kind)) {
      if (len != SubDevicePageLength(*s)) return FailParamField(r, o + 1);
      bool a = (p[2] & 0x40) != 0;
      // The WQ215 takes its film-unit choice in bit 7.
      bool f = (p[3] & (s->options.kind == kWQ215 ? 0x80 : 0x40)) != 0;
      // One unit alone must be attached; both or neither is the flatbed.
      if (a && !f && !s->options.adfType) return FailParamField(r, o + 2);
      if (f && !a && !s->options.fsuType) return FailParamField(r, o + 3);
      adf = a;
      fsu = f;
    } else {
      return FailParamField(r, o);
    }
    o += 2 + len;
  }
  if (unit > 0) ChangeUnit(s, uint16_t(unit));
  if (adf >= 0) {
    s->adfSelect = adf != 0;
    s->fsuSelect = fsu != 0;
  }
}

}  // namespace vscsi
