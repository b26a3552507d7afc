// Opening a BMP: the header's refusals as file statuses, size and colour table
// checked against the file, the pixel offset, and blocks of rows read whichever
// way up they are stored.
#include "imagefile/bmp_reader.h"

namespace wq {

FileStatus BmpOpen(const WqIo& io, BmpImage* img) {
  *img = BmpImage{};
  uint8_t head[kBmpHeadersSize];
  size_t got = 0;
  IoStatus s = io.read(io.ctx, 0, head, sizeof head, &got);
  if (s != IoStatus::kOk) return ReadFailure(s);
  BmpHeader& h = img->header;
  switch (BmpDecodeHeader(head, got, &h)) {
    case BmpHeaderStatus::kOk: break;
    case BmpHeaderStatus::kNotBmp: return FileStatus::kNotBmp;
    case BmpHeaderStatus::kNotInfoHeader: return FileStatus::kOs2Bmp;
    case BmpHeaderStatus::kRunLength: return FileStatus::kPackedBmp;
    case BmpHeaderStatus::kTruncated: return FileStatus::kCorrupt;
  }
  if (h.compression != 0) return FileStatus::kUnsupportedBmp;
  if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24)
    return FileStatus::kUnsupportedBmp;
  if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) return FileStatus::kCorrupt;
  img->width = uint32_t(h.width);
  img->topDown = h.height < 0;
  img->height = uint32_t(h.height < 0 ? -h.height : h.height);
  if (img->width > kMaxImageSide || img->height > kMaxImageSide) return FileStatus::kImageTooLarge;
  img->bits = h.bitCount;

  img->colours = BmpColourCount(h);
  const uint32_t maxColours = h.bitCount == 24 ? 256 : 1u << h.bitCount;
  if (img->colours > maxColours) return FileStatus::kCorrupt;
  s = IoReadExact(io, kBmpHeadersSize, img->colourTable.data(), img->colours * 4);
  if (s != IoStatus::kOk) return ReadFailure(s);

  // Pixels follow the colour table unless the file header points further on
  // (files of other programs may leave a gap).
  img->pixelOffset = kBmpHeadersSize + uint64_t(img->colours) * 4;
  if (h.offBits > img->pixelOffset) img->pixelOffset = h.offBits;
  img->stride = BmpStride(img->bits, img->width);
  if (img->pixelOffset + img->stride * img->height > IoSize(io)) return FileStatus::kCorrupt;
  return FileStatus::kOk;
}

FileStatus BmpReadRowBlock(const WqIo& io, const BmpImage& img, uint32_t y, uint32_t count,
                           uint8_t* buf) {
  if (count == 0) return FileStatus::kOk;
  if (y > img.height || count > img.height - y) return FileStatus::kCorrupt;
  const uint32_t firstStored = img.topDown ? y : img.height - y - count;
  IoStatus s = IoReadExact(io, img.pixelOffset + firstStored * img.stride, buf, count * img.stride);
  return s == IoStatus::kOk ? FileStatus::kOk : ReadFailure(s);
}

}  // namespace wq
