// Right-angle turns and flips from one BMP to another. Flips stream the
// rows; a rotation writes its output a band of rows at a time, each band
// being a band of source columns gathered over one pass through the
// source, so that memory stays within the budget whatever the page.
#include "imageops/turn.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imagefile/bmp_reader.h"
#include "imagefile/bmp_rows.h"
#include "imagefile/bmp_writer.h"
#include "imagefile/export_file.h"
#include "imageops/bands.h"
#include "imageops/pixels.h"

namespace wq {
namespace {

FileStatus BeginLike(BmpWriter* w, const WqIo& target, const BmpImage& img, uint32_t width,
                     uint32_t height, bool swapResolution) {
  const int32_t xr = img.header.xPelsPerMeter, yr = img.header.yPelsPerMeter;
  return BmpWriterBegin(w, target, width, height, img.bits,
                        std::span<const uint8_t>(img.colourTable.data(), size_t(img.colours) * 4),
                        img.colours, swapResolution ? yr : xr, swapResolution ? xr : yr);
}

void Mirror(const uint8_t* in, uint8_t* out, uint32_t width, uint16_t bits) {
  if (bits == 8) {
    for (uint32_t x = 0; x < width; ++x) out[x] = in[width - 1 - x];
  } else if (bits == 24) {
    for (uint32_t x = 0; x < width; ++x) std::memcpy(out + size_t(x) * 3, in + size_t(width - 1 - x) * 3, 3);
  } else {
    for (uint32_t x = 0; x < width; ++x) PutPixel(out, x, bits, GetPixel(in, width - 1 - x, bits));
  }
}

FileStatus Flip(const WqIo& source, const BmpImage& img, BmpWriter* w, bool horizontal,
                const ProgressSink& progress, uint64_t memoryBytes) {
  BmpRowCursor rows;
  FileStatus st = BmpRowsBegin(&rows, source, img, memoryBytes / 2);
  if (st != FileStatus::kOk) return st;
  std::vector<uint8_t> out(size_t(img.stride), 0);
  for (uint32_t y = 0; y < img.height; ++y) {
    const uint8_t* row = nullptr;
    if ((st = BmpRowAt(&rows, horizontal ? y : img.height - 1 - y, &row)) != FileStatus::kOk) return st;
    if (horizontal) Mirror(row, out.data(), img.width, img.bits);
    if ((st = BmpWriterPutRow(w, horizontal ? out.data() : row)) != FileStatus::kOk) return st;
    if (!ProgressStep(progress, y + 1, img.height)) return FileStatus::kCancelled;
  }
  return FileStatus::kOk;
}

// Output rows [first, first + count) of a rotation, from one pass through
// the source in blocks of `chunk` rows. Output row r holds source column
// r (right turn: bottom row first) or width - 1 - r (left turn: top row first).
FileStatus GatherBand(const WqIo& source, const BmpImage& img, bool right, uint32_t first,
                      uint32_t count, uint8_t* band, uint64_t bandStride, std::vector<uint8_t>& block,
                      uint32_t chunk) {
  const uint16_t bits = img.bits;
  if (bits < 8) std::memset(band, 0, size_t(bandStride * count));
  for (uint32_t y0 = 0; y0 < img.height; y0 += chunk) {
    const uint32_t n = std::min(chunk, img.height - y0);
    const FileStatus st = BmpReadRowBlock(source, img, y0, n, block.data());
    if (st != FileStatus::kOk) return st;
    for (uint32_t j = 0; j < n; ++j) {
      const uint8_t* row = BmpBlockRow(img, block.data(), n, j);
      const uint32_t y = y0 + j;
      const uint32_t at = right ? img.height - 1 - y : y;  // position in the output row
      // The band's source columns run up (right turn) or down (left turn).
      if (bits == 8) {
        if (right) {
          const uint8_t* s = row + first;
          for (uint32_t k = 0; k < count; ++k) band[k * bandStride + at] = s[k];
        } else {
          const uint8_t* s = row + (img.width - 1 - first);
          for (uint32_t k = 0; k < count; ++k) band[k * bandStride + at] = *(s - k);
        }
      } else if (bits == 24) {
        for (uint32_t k = 0; k < count; ++k) {
          const uint32_t c = right ? first + k : img.width - 1 - first - k;
          std::memcpy(band + k * bandStride + size_t(at) * 3, row + size_t(c) * 3, 3);
        }
      } else {
        for (uint32_t k = 0; k < count; ++k) {
          const uint32_t c = right ? first + k : img.width - 1 - first - k;
          PutPixel(band + k * bandStride, at, bits, GetPixel(row, c, bits));
        }
      }
    }
  }
  return FileStatus::kOk;
}

FileStatus Rotate(const WqIo& source, const BmpImage& img, BmpWriter* w, bool right,
                  const ProgressSink& progress, uint64_t memoryBytes) {
  const uint64_t outStride = BmpStride(img.bits, img.height);
  Bands b;
  FileStatus st = AllocateBands(outStride, img.width, img.stride, img.height, memoryBytes, &b);
  if (st != FileStatus::kOk) return st;
  for (uint32_t first = 0; first < img.width; first += b.bandRows) {
    const uint32_t count = std::min(b.bandRows, img.width - first);
    st = GatherBand(source, img, right, first, count, b.band.data(), outStride, b.block, b.blockRows);
    if (st != FileStatus::kOk) return st;
    for (uint32_t k = 0; k < count; ++k)
      if ((st = BmpWriterPutRow(w, b.band.data() + k * outStride)) != FileStatus::kOk) return st;
    if (!ProgressStep(progress, first + count, img.width)) return FileStatus::kCancelled;
  }
  return FileStatus::kOk;
}

}  // namespace

FileStatus TurnBmp(const WqIo& source, const WqIo& target, Turn turn, const ProgressSink& progress,
                   uint64_t memoryBytes) {
  BmpImage img;
  FileStatus st = BmpOpen(source, &img);
  if (st != FileStatus::kOk) return st;
  const bool rotation = turn == Turn::kRight || turn == Turn::kLeft;
  BmpWriter w;
  st = BeginLike(&w, target, img, rotation ? img.height : img.width, rotation ? img.width : img.height,
                 rotation);
  if (st != FileStatus::kOk) return st;
  st = rotation ? Rotate(source, img, &w, turn == Turn::kRight, progress, memoryBytes)
                : Flip(source, img, &w, turn == Turn::kHorizontal, progress, memoryBytes);
  return st == FileStatus::kOk ? BmpWriterFinish(&w) : st;
}

FileStatus TurnBmpFile(const char* target, const char* source, Turn turn, const ProgressSink& progress) {
  return ExportWriteFile(target, source, [&](const WqIo& in, const WqIo& out) {
    return TurnBmp(in, out, turn, progress);
  });
}

}  // namespace wq
