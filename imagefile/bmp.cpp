// The 54-byte BMP headers made from an image's size, depth and colours,
// encoded, and decoded with the reason a header is refused (not a BMP, an OS/2
// header, run-length coding, cut short).
#include "imagefile/bmp.h"

#include "common/bytes.h"

namespace wq {

bool BmpMakeHeader(uint32_t width, uint32_t height, uint16_t bits, uint32_t clrUsed,
                   int32_t xPelsPerMeter, int32_t yPelsPerMeter, BmpHeader* out) {
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  uint32_t colours = clrUsed ? clrUsed : BmpDefaultColours(bits);
  uint64_t image = BmpStride(bits, width) * height;
  uint64_t offBits = kBmpHeadersSize + uint64_t(colours) * 4;
  if (offBits + image > 0xFFFFFFFFu) return false;
  BmpHeader h;
  h.offBits = uint32_t(offBits);
  h.fileSize = uint32_t(offBits + image);
  h.infoSize = kBmpInfoHeaderSize;
  h.width = int32_t(width);
  h.height = int32_t(height);
  h.planes = 1;
  h.bitCount = bits;
  h.compression = 0;
  h.sizeImage = uint32_t(image);
  h.xPelsPerMeter = xPelsPerMeter;
  h.yPelsPerMeter = yPelsPerMeter;
  h.clrUsed = clrUsed;
  h.clrImportant = 0;
  *out = h;
  return true;
}

void BmpEncodeHeader(const BmpHeader& h, uint8_t out[kBmpHeadersSize]) {
  out[0] = 'B';
  out[1] = 'M';
  PutLE32(out + 2, h.fileSize);
  PutLE32(out + 6, 0);
  PutLE32(out + 10, h.offBits);
  PutLE32(out + 14, h.infoSize);
  PutLE32(out + 18, uint32_t(h.width));
  PutLE32(out + 22, uint32_t(h.height));
  PutLE16(out + 26, h.planes);
  PutLE16(out + 28, h.bitCount);
  PutLE32(out + 30, h.compression);
  PutLE32(out + 34, h.sizeImage);
  PutLE32(out + 38, uint32_t(h.xPelsPerMeter));
  PutLE32(out + 42, uint32_t(h.yPelsPerMeter));
  PutLE32(out + 46, h.clrUsed);
  PutLE32(out + 50, h.clrImportant);
}

BmpHeaderStatus BmpDecodeHeader(const uint8_t* p, size_t n, BmpHeader* out) {
  *out = BmpHeader{};
  if (n < 2 || p[0] != 'B' || p[1] != 'M') return BmpHeaderStatus::kNotBmp;
  if (n < kBmpFileHeaderSize + 4) return BmpHeaderStatus::kTruncated;
  out->fileSize = GetLE32(p + 2);
  out->offBits = GetLE32(p + 10);
  out->infoSize = GetLE32(p + 14);
  if (out->infoSize != kBmpInfoHeaderSize) return BmpHeaderStatus::kNotInfoHeader;
  if (n < kBmpHeadersSize) return BmpHeaderStatus::kTruncated;
  out->width = int32_t(GetLE32(p + 18));
  out->height = int32_t(GetLE32(p + 22));
  out->planes = GetLE16(p + 26);
  out->bitCount = GetLE16(p + 28);
  out->compression = GetLE32(p + 30);
  out->sizeImage = GetLE32(p + 34);
  out->xPelsPerMeter = int32_t(GetLE32(p + 38));
  out->yPelsPerMeter = int32_t(GetLE32(p + 42));
  out->clrUsed = GetLE32(p + 46);
  out->clrImportant = GetLE32(p + 50);
  if (out->compression == 1 || out->compression == 2) return BmpHeaderStatus::kRunLength;
  return BmpHeaderStatus::kOk;
}

}  // namespace wq
