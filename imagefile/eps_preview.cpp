// The EPS preview: header, directory with its values, then one strip of
// nearest-neighbour samples of the image.
#include "imagefile/eps_preview.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imagefile/tiff_ifd.h"
#include "imagefile/tiff_tags.h"

namespace wq {

EpsPreviewSize EpsPreviewSizeOf(const BmpImage& image) {
  const uint32_t dx = ExportDpi(image.header.xPelsPerMeter), dy = ExportDpi(image.header.yPelsPerMeter);
  if (dx < 73) return {image.width, image.height, dx, dy};
  const uint32_t w = uint32_t(uint64_t(image.width) * 72 / dx);
  const uint32_t h = uint32_t(uint64_t(image.height) * 72 / dy);
  return {std::max<uint32_t>(1, w), std::max<uint32_t>(1, h), 72, 72};
}

namespace {

uint32_t BitsOf(ExportClass k) {
  switch (k) {
    case ExportClass::kBilevel: return 1;
    case ExportClass::kColour16: return 4;
    case ExportClass::kTrueColour: return 24;
    default: return 8;
  }
}

bool BuildIfd(const BmpImage& img, ExportClass k, const EpsPreviewSize& p, uint32_t stripBytes,
              TiffIfd* ifd) {
  const bool rgb = k == ExportClass::kTrueColour;
  const bool mapped = k == ExportClass::kColour16 || k == ExportClass::kColour256;
  const uint16_t photometric = rgb ? kPhotoRgb : mapped ? kPhotoPalette : kPhotoBlackIsZero;
  static constexpr uint16_t kRgbBits[3] = {8, 8, 8};
  bool ok = TiffIfdAddLong(ifd, kTagNewSubfileType, 0) && TiffIfdAddLong(ifd, kTagImageWidth, p.width) &&
            TiffIfdAddLong(ifd, kTagImageLength, p.height) &&
            (rgb ? TiffIfdAddShorts(ifd, kTagBitsPerSample, kRgbBits)
                 : TiffIfdAddShort(ifd, kTagBitsPerSample, uint16_t(BitsOf(k)))) &&
            TiffIfdAddShort(ifd, kTagCompression, 1) && TiffIfdAddShort(ifd, kTagPhotometric, photometric) &&
            TiffIfdAddLong(ifd, kTagStripOffsets, 0) &&
            TiffIfdAddShort(ifd, kTagSamplesPerPixel, rgb ? 3 : 1) &&
            TiffIfdAddLong(ifd, kTagRowsPerStrip, p.height) &&
            TiffIfdAddLong(ifd, kTagStripByteCounts, stripBytes) &&
            TiffIfdAddRational(ifd, kTagXResolution, p.dpiX, 1) &&
            TiffIfdAddRational(ifd, kTagYResolution, p.dpiY, 1) &&
            (!rgb || TiffIfdAddShort(ifd, kTagPlanarConfiguration, 1)) &&
            TiffIfdAddShort(ifd, kTagResolutionUnit, 2);
  if (ok && mapped) {
    const uint32_t n = k == ExportClass::kColour16 ? 16 : 256;
    std::vector<uint16_t> map(3 * n, 0);
    for (uint32_t i = 0; i < n && i < img.colours; ++i)
      for (uint32_t c = 0; c < 3; ++c) map[c * n + i] = uint16_t(img.colourTable[4 * i + 2 - c] * 257);
    ok = TiffIfdAddShorts(ifd, kTagColorMap, map);
  }
  return ok;
}

// Preview row from image row src: samples at x = i x width / preview width.
void SampleRow(const BmpImage& img, ExportClass k, const uint8_t* src, uint32_t pw, uint8_t* out,
               size_t rowBytes) {
  std::memset(out, 0, rowBytes);
  const bool whiteIsZero = ExportBilevelWhiteIsZero(img);
  for (uint32_t i = 0; i < pw; ++i) {
    const uint32_t x = uint32_t(uint64_t(i) * img.width / pw);
    switch (k) {
      case ExportClass::kBilevel:
        if ((ExportPixelIndex(img, src, x) != 0) != whiteIsZero) out[i / 8] |= uint8_t(0x80 >> (i % 8));
        break;
      case ExportClass::kColour16:
        out[i / 2] |= uint8_t(ExportPixelIndex(img, src, x) << (i & 1 ? 0 : 4));
        break;
      case ExportClass::kTrueColour:
        ExportPixelRgb(img, src, x, out + 3 * size_t(i));
        break;
      default:
        out[i] = ExportPixelIndex(img, src, x);
        break;
    }
  }
}

}  // namespace

FileStatus EpsWritePreview(BmpRowCursor* rows, ExportClass k, ExportOut* out) {
  const BmpImage& img = *rows->image;
  const EpsPreviewSize p = EpsPreviewSizeOf(img);
  const size_t rowBytes = (size_t(p.width) * BitsOf(k) + 7) / 8;
  const uint64_t stripBytes = uint64_t(rowBytes) * p.height;
  if (stripBytes > 0xFFFF0000u) return FileStatus::kImageTooLarge;
  TiffIfd ifd;
  if (!BuildIfd(img, k, p, uint32_t(stripBytes), &ifd)) return FileStatus::kNoMemory;
  const uint64_t pixels = kTiffHeaderSize + TiffIfdByteSize(ifd);
  TiffIfdSetNumber(&ifd, kTagStripOffsets, 0, uint32_t(pixels));
  std::vector<uint8_t> bytes;
  if (!TiffIfdEncode(ifd, kTiffHeaderSize, 0, &bytes)) return FileStatus::kNoMemory;
  uint8_t header[kTiffHeaderSize];
  TiffEncodeHeader(ByteOrder::kIntel, kTiffHeaderSize, header);
  ExportPut(out, header, sizeof header);
  ExportPut(out, bytes.data(), bytes.size());

  std::vector<uint8_t> row(rowBytes);
  for (uint32_t j = 0; j < p.height; ++j) {
    const uint8_t* src = nullptr;
    const FileStatus st = BmpRowAt(rows, uint32_t(uint64_t(j) * img.height / p.height), &src);
    if (st != FileStatus::kOk) return st;
    SampleRow(img, k, src, p.width, row.data(), rowBytes);
    ExportPut(out, row.data(), rowBytes);
    if (out->status != FileStatus::kOk) return out->status;
  }
  return FileStatus::kOk;
}

}  // namespace wq
