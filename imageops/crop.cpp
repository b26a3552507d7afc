// Cropping: the rows of the rectangle streamed through a bounded block,
// each cut at its left edge (whole bytes where the depth allows).
#include "imageops/crop.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imagefile/bmp_reader.h"
#include "imagefile/bmp_rows.h"
#include "imagefile/bmp_writer.h"
#include "imagefile/export_file.h"
#include "imageops/pixels.h"

namespace wq {

CropRect ClipCrop(CropRect r, uint32_t width, uint32_t height) {
  if (r.x >= width || r.y >= height) return CropRect{};
  r.width = std::min(r.width, width - r.x);
  r.height = std::min(r.height, height - r.y);
  return r.width && r.height ? r : CropRect{};
}

FileStatus CropBmp(const WqIo& source, const WqIo& target, CropRect r, const ProgressSink& progress) {
  BmpImage img;
  FileStatus st = BmpOpen(source, &img);
  if (st != FileStatus::kOk) return st;
  r = ClipCrop(r, img.width, img.height);
  if (r.width == 0) return FileStatus::kRefused;
  BmpWriter w;
  st = BmpWriterBegin(&w, target, r.width, r.height, img.bits,
                      std::span<const uint8_t>(img.colourTable.data(), size_t(img.colours) * 4),
                      img.colours, img.header.xPelsPerMeter, img.header.yPelsPerMeter);
  if (st != FileStatus::kOk) return st;
  BmpRowCursor rows;
  if ((st = BmpRowsBegin(&rows, source, img, 4u << 20)) != FileStatus::kOk) return st;
  std::vector<uint8_t> out(size_t(BmpStride(img.bits, r.width)), 0);
  const uint32_t bitOffset = r.x * img.bits;
  for (uint32_t j = 0; j < r.height; ++j) {
    const uint8_t* row = nullptr;
    if ((st = BmpRowAt(&rows, r.y + j, &row)) != FileStatus::kOk) return st;
    const uint8_t* from = out.data();
    if (img.bits >= 8) {
      from = row + bitOffset / 8;  // whole pixels: the row is used as it lies
    } else if (bitOffset % 8 == 0) {
      // Whole bytes; the bits past the last pixel are cleared.
      const size_t bytes = size_t(BmpRowBytes(img.bits, r.width));
      std::memcpy(out.data(), row + bitOffset / 8, bytes);
      if (const uint32_t used = (r.width * img.bits) % 8) out[bytes - 1] &= uint8_t(0xFF00u >> used);
    } else {
      for (uint32_t x = 0; x < r.width; ++x) PutPixel(out.data(), x, img.bits, GetPixel(row, r.x + x, img.bits));
    }
    if ((st = BmpWriterPutRow(&w, from)) != FileStatus::kOk) return st;
    if (!ProgressStep(progress, j + 1, r.height)) return FileStatus::kCancelled;
  }
  return BmpWriterFinish(&w);
}

FileStatus CropBmpFile(const char* target, const char* source, CropRect r, const ProgressSink& progress) {
  return ExportWriteFile(target, source, [&](const WqIo& in, const WqIo& out) {
    return CropBmp(in, out, r, progress);
  });
}

}  // namespace wq
