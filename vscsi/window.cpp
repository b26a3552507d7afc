// GET WINDOW and SET WINDOW: the window descriptor of the WQ140 (its own
// length), WQ210 (53 bytes) and WQ220 (55 bytes); the WQ215 reports its
// text-set parameters through GET WINDOW as well.
#include <cstring>

#include "common/bytes.h"
#include "vscsi/scanner.h"

namespace vscsi {
namespace {

constexpr uint32_t kHeader = 8;

void EncodeDescriptor(const ScannerState& s, uint8_t* d, uint32_t len) {
  const ScanParams& p = s.params;
  uint16_t kind = s.options.kind;
  memcpy(d, p.kept, len);
  wq::PutBE16(d + 2, p.xres);
  wq::PutBE16(d + 4, p.yres);
  wq::PutBE32(d + 6, p.left);
  wq::PutBE32(d + 10, p.top);
  wq::PutBE32(d + 14, p.width);
  wq::PutBE32(d + 18, p.length);
  d[22] = uint8_t(p.brightness + 128);
  d[23] = p.threshold;
  d[25] = p.composition;
  d[26] = p.bits;
  wq::PutBE16(d + 27, p.halftone);
  d[29] = uint8_t((d[29] & 0x7F) | (p.reverse ? 0x80 : 0));
  d[40] = uint8_t(p.edge << 6 | p.lightSource << 4 | (p.vendorLow & 0x0F));
  wq::PutBE16(d + 41, p.zoomEnabled ? p.zoomX : 0);
  wq::PutBE16(d + 43, p.zoomEnabled ? p.zoomY : 0);
  for (int i = 0; i < 4; ++i) wq::PutBE16(d + 45 + 2 * i, uint16_t(p.lightness[i] + 0x8000));
  if (len >= 55) wq::PutBE16(d + 53, p.moire);
  if (kind == kWQ140) {
    d[55] = p.gradation[1];
    d[56] = p.gradation[2];
    d[57] = p.gradation[3];
    d[58] = uint8_t((d[58] & 0x7F) | (p.vendorFlag ? 0x80 : 0));
    wq::PutBE32(d + 59, p.scanningTime);
    d[63] = p.vendorByte;
    wq::PutBE16(d + 64, p.xfrac);
    wq::PutBE16(d + 66, p.yfrac);
  }
}

// Checks a descriptor; returns the parameter-list offset of the first bad
// byte, or -1 when it is acceptable.
int CheckDescriptor(const ScannerState& s, const uint8_t* d) {
  uint16_t kind = s.options.kind;
  if (d[0] != 0) return kHeader + 0;  // one window, id 0
  uint16_t xres = wq::GetBE16(d + 2), yres = wq::GetBE16(d + 4);
  if (xres < MinResolution(kind) || xres > MaxResolution(kind)) return kHeader + 2;
  if (yres < MinResolution(kind) || yres > MaxResolution(kind)) return kHeader + 4;
  BedSize bed = CurrentBed(s);
  uint64_t maxW = ToUnits(bed.width, s.unit), maxL = ToUnits(bed.length, s.unit);
  uint64_t left = wq::GetBE32(d + 6), top = wq::GetBE32(d + 10);
  uint64_t width = wq::GetBE32(d + 14), length = wq::GetBE32(d + 18);
  if (left >= maxW) return kHeader + 6;
  if (top >= maxL) return kHeader + 10;
  if (width == 0 || left + width > maxW) return kHeader + 14;
  if (length == 0 || top + length > maxL) return kHeader + 18;
  if (!CompositionValid(d[25])) return kHeader + 25;
  if (d[26] != CompositionBits(d[25])) return kHeader + 26;
  if (d[32] != 0) return kHeader + 32;  // no compression
  if (wq::GetBE16(d + 41) > 1000) return kHeader + 41;
  if (wq::GetBE16(d + 43) > 1000) return kHeader + 43;
  return -1;
}

void DecodeDescriptor(ScannerState* s, const uint8_t* d, uint32_t len) {
  ScanParams& p = s->params;
  uint16_t kind = s->options.kind;
  memcpy(p.kept, d, len);
  p.xres = wq::GetBE16(d + 2);
  p.yres = wq::GetBE16(d + 4);
  p.left = wq::GetBE32(d + 6);
  p.top = wq::GetBE32(d + 10);
  p.width = wq::GetBE32(d + 14);
  p.length = wq::GetBE32(d + 18);
  p.brightness = int16_t(int(d[22]) - 128);
  p.threshold = d[23];
  p.composition = d[25];
  p.bits = d[26];
  p.halftone = wq::GetBE16(d + 27);
  p.reverse = (d[29] & 0x80) != 0;
  p.edge = d[40] >> 6;
  p.lightSource = (d[40] >> 4) & 3;
  p.vendorLow = d[40] & 0x0F;
  p.zoomX = wq::GetBE16(d + 41);
  p.zoomY = wq::GetBE16(d + 43);
  p.zoomEnabled = true;
  for (int i = 0; i < 4; ++i) p.lightness[i] = int16_t(wq::GetBE16(d + 45 + 2 * i) - 0x8000);
  if (len >= 55) p.moire = wq::GetBE16(d + 53);
  // A window without fraction fields asks for whole dots per inch.
  p.xfrac = p.yfrac = 0;
  if (kind == kWQ140) {
    p.gradation[1] = d[55];
    p.gradation[2] = d[56];
    p.gradation[3] = d[57];
    p.vendorFlag = d[58] >> 7;
    p.scanningTime = wq::GetBE32(d + 59);
    p.vendorByte = d[63];
    p.xfrac = wq::GetBE16(d + 64);
    p.yfrac = wq::GetBE16(d + 66);
  }
}

}  // namespace

void GetWindowCommand(ScannerState* s, const CommandIO& io, CommandResult* r) {
  if (io.cdb[5] != 0) return FailCdbField(r, 5);  // the only window is 0
  uint32_t len = DescriptorLength(*s);
  uint8_t data[kHeader + 256] = {};
  wq::PutBE16(data, kHeader + len - 2);  // window data length
  wq::PutBE16(data + 6, len);
  EncodeDescriptor(*s, data + kHeader, len);
  uint32_t want = CdbTransferLength(io.cdb);
  ReplyIn(io, r, data, want < kHeader + len ? want : kHeader + len);
}

void SetWindowCommand(ScannerState* s, const CommandIO& io, CommandResult* r) {
  uint32_t n = CdbTransferLength(io.cdb);
  if (n == 0) return;
  uint32_t len = DescriptorLength(*s);
  if (n < kHeader + len) return Fail(r, kIllegalRequest, 0x1A);  // parameter list length error
  if (!DataOut(io, r, n)) return;
  const uint8_t* data = io.buffer;
  for (int i = 0; i < 6; ++i)
    if (data[i]) return FailParamField(r, uint32_t(i));
  if (wq::GetBE16(data + 6) != len) return FailParamField(r, 6);
  // One window only: a second descriptor is refused.
  if (n > kHeader + len) return FailParamField(r, kHeader + len);
  int bad = CheckDescriptor(*s, data + kHeader);
  if (bad >= 0) return FailParamField(r, uint32_t(bad));
  DecodeDescriptor(s, data + kHeader, len);
}

}  // namespace vscsi
