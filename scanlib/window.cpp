// Encoding and decoding window descriptors and resolution fractions.
#include "scanlib/window.h"

#include "common/bytes.h"
#include "scanlib/model.h"

namespace wqscsi {

uint32_t WindowDescriptorLength(int32_t kind, const uint8_t* header) {
  if (kind == kModelWQ140) {
    const uint32_t length = wq::GetBE16(header + 6);
    return length <= kMaxWindowDescriptor ? length : 0;
  }
  return kind == kModelWQ220 ? 55 : 53;
}

uint16_t FractionToWire(int16_t fraction, bool raw) {
  if (raw) return uint16_t(fraction);
  if (fraction < 1 || fraction > 99) return 0;
  return uint16_t(((uint32_t(fraction) * 10 + 5) * 65536) / 1000);
}

int16_t FractionFromWire(uint16_t wire, bool raw) {
  if (raw) return int16_t(wire);
  return int16_t(uint32_t(wire) * 100 / 65536);
}

void EncodeWindow(const ScanParamBlock& b, int32_t kind, uint8_t* d) {
  wq::PutBE16(d + 2, uint16_t(b.XResolution));
  wq::PutBE16(d + 4, uint16_t(b.YResolution));
  wq::PutBE32(d + 6, uint32_t(b.WindowLeft));
  wq::PutBE32(d + 10, uint32_t(b.WindowTop));
  wq::PutBE32(d + 14, uint32_t(b.WindowWidth));
  wq::PutBE32(d + 18, uint32_t(b.WindowLength));
  d[22] = uint8_t(b.Brightness + 128);
  d[23] = uint8_t(b.Threshold);
  d[25] = uint8_t(b.ImageComposition);
  d[26] = uint8_t(b.BitsPerPixel);
  wq::PutBE16(d + 27, uint16_t(b.HalftonePattern));
  d[29] = uint8_t((d[29] & 0x7F) | (b.ReverseImage ? 0x80 : 0));
  uint8_t flags = uint8_t((d[40] & 0x0F) | (b.EdgeEmphasis & 3) << 6 | (b.LightSource & 3) << 4);
  if (kind == kModelWQ140)
    flags = uint8_t((flags & 0xF8) | (b.ScanningTimeSet & 1) << 2 | (b.TransferFormat & 3));
  d[40] = flags;
  wq::PutBE16(d + 41, uint16_t(b.ZoomX));
  wq::PutBE16(d + 43, uint16_t(b.ZoomY));
  for (int i = 0; i < 4; ++i) wq::PutBE16(d + 45 + 2 * i, uint16_t(b.Lightness[i] + 0x8000));
  if (kind == kModelWQ140 || kind == kModelWQ215 || kind == kModelWQ220)
    wq::PutBE16(d + 53, uint16_t(b.Moire));
  if (kind == kModelWQ140) {
    for (int i = 1; i < 4; ++i) d[54 + i] = uint8_t(b.GradationParam[i]);
    d[58] = uint8_t((d[58] & 0x7F) | (b.VendorFlag ? 0x80 : 0));
    wq::PutBE32(d + 59, uint32_t(b.ScanningTime));
    d[63] = uint8_t(b.VendorByte);
    const bool raw = b.ResolutionFractionRaw != 0;
    wq::PutBE16(d + 64, FractionToWire(b.XResolutionFraction, raw));
    wq::PutBE16(d + 66, FractionToWire(b.YResolutionFraction, raw));
  }
}

void DecodeWindow(const uint8_t* d, int32_t kind, ScanParamBlock& b) {
  b.XResolution = int16_t(wq::GetBE16(d + 2));
  b.YResolution = int16_t(wq::GetBE16(d + 4));
  b.WindowLeft = int32_t(wq::GetBE32(d + 6));
  b.WindowTop = int32_t(wq::GetBE32(d + 10));
  b.WindowWidth = int32_t(wq::GetBE32(d + 14));
  b.WindowLength = int32_t(wq::GetBE32(d + 18));
  b.Brightness = int16_t(d[22] - 128);
  b.Threshold = d[23];
  b.ImageComposition = d[25];
  b.BitsPerPixel = d[26];
  b.HalftonePattern = int16_t(wq::GetBE16(d + 27));
  b.ReverseImage = (d[29] & 0x80) ? 1 : 0;
  b.EdgeEmphasis = (d[40] >> 6) & 3;
  b.LightSource = (d[40] >> 4) & 3;
  b.ZoomX = int16_t(wq::GetBE16(d + 41));
  b.ZoomY = int16_t(wq::GetBE16(d + 43));
  for (int i = 0; i < 4; ++i) b.Lightness[i] = int16_t(wq::GetBE16(d + 45 + 2 * i) - 0x8000);
  b.Moire = int16_t(wq::GetBE16(d + 53));
  if (kind == kModelWQ140) {
    b.ScanningTimeSet = (d[40] >> 2) & 1;
    b.TransferFormat = d[40] & 3;
    for (int i = 1; i < 4; ++i) b.GradationParam[i] = d[54 + i];
    b.VendorFlag = (d[58] & 0x80) ? 1 : 0;
    b.ScanningTime = int32_t(wq::GetBE32(d + 59));
    b.VendorByte = d[63];
    const bool raw = b.ResolutionFractionRaw != 0;
    b.XResolutionFraction = FractionFromWire(wq::GetBE16(d + 64), raw);
    b.YResolutionFraction = FractionFromWire(wq::GetBE16(d + 66), raw);
  } else {
    b.ScanningTime = 0;
    b.TransferFormat = 0;
  }
}

}  // namespace wqscsi
