// Free rotation. The output is made a band of rows at a time. The source
// rows a band needs lie between the source rows of its corners; they are
// read in blocks, and each output row takes, from each block, the run of
// pixels whose source row lies in it (the source row changes linearly
// along an output row), so every output pixel is computed once.
#include "imageops/rotate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imagefile/bmp_reader.h"
#include "imagefile/bmp_writer.h"
#include "imagefile/export_file.h"
#include "imageops/bands.h"
#include "imageops/pixels.h"
#include "imageops/turn.h"

namespace wq {
namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

int Normalised(int degrees) {
  int d = degrees % 360;
  if (d <= -180) d += 360;
  if (d > 180) d -= 360;
  return d;
}

// Where output pixel (x, y) comes from: source = R^T (centre of the output
// pixel - output centre) + source centre.
struct Mapping {
  double c, s;             // cos a, sin a
  double outCx, outCy;     // output centre
  double inCx, inCy;       // source centre
  double SourceX(double x, double y) const { return c * (x + 0.5 - outCx) + s * (y + 0.5 - outCy) + inCx; }
  double SourceY(double x, double y) const { return -s * (x + 0.5 - outCx) + c * (y + 0.5 - outCy) + inCy; }
};

void FillRow(uint8_t* row, uint32_t width, uint16_t bits, uint32_t value) {
  if (bits == 8) {
    std::memset(row, int(value & 0xFF), width);
  } else {
    for (uint32_t x = 0; x < width; ++x) PutPixel(row, x, bits, value);
  }
}

FileStatus Rotate(const WqIo& source, const BmpImage& img, BmpWriter* w, const Mapping& m, uint32_t outW,
                  uint32_t outH, uint32_t outside, const ProgressSink& progress, uint64_t memoryBytes) {
  const uint16_t bits = img.bits;
  const uint64_t outStride = BmpStride(bits, outW);
  Bands b;
  const FileStatus got = AllocateBands(outStride, outH, img.stride, img.height, memoryBytes, &b);
  if (got != FileStatus::kOk) return got;
  std::vector<uint8_t>& band = b.band;
  std::vector<uint8_t>& block = b.block;
  const uint32_t chunk = b.blockRows;
  for (uint32_t first = 0; first < outH; first += b.bandRows) {
    const uint32_t count = std::min(b.bandRows, outH - first);
    for (uint32_t k = 0; k < count; ++k) FillRow(band.data() + k * outStride, outW, bits, outside);
    // The source rows of the band's corners bound the rows it needs.
    double lo = 1e300, hi = -1e300;
    for (double x : {0.0, double(outW)})
      for (double y : {double(first), double(first + count)}) {
        const double sy = m.SourceY(x - 0.5, y - 0.5);
        lo = std::min(lo, sy);
        hi = std::max(hi, sy);
      }
    const int64_t rowLo = std::max<int64_t>(0, int64_t(std::floor(lo)) - 1);
    const int64_t rowHi = std::min<int64_t>(int64_t(img.height) - 1, int64_t(std::floor(hi)) + 1);
    for (int64_t y0 = rowLo; y0 <= rowHi; y0 += chunk) {
      const uint32_t n = uint32_t(std::min<int64_t>(chunk, rowHi - y0 + 1));
      const FileStatus st = BmpReadRowBlock(source, img, uint32_t(y0), n, block.data());
      if (st != FileStatus::kOk) return st;
      const double top = double(y0), bottom = double(y0 + n);
      for (uint32_t k = 0; k < count; ++k) {
        const double oy = double(first + k);
        // The run of this output row whose source row falls in the block;
        // widened by a pixel, and each pixel checked exactly below.
        int64_t x0 = 0, x1 = int64_t(outW) - 1;
        if (std::fabs(m.s) > 1e-12) {
          const double a = (top - m.SourceY(0, oy)) / -m.s, b = (bottom - m.SourceY(0, oy)) / -m.s;
          x0 = std::max<int64_t>(0, int64_t(std::floor(std::min(a, b))) - 1);
          x1 = std::min<int64_t>(int64_t(outW) - 1, int64_t(std::ceil(std::max(a, b))) + 1);
        }
        uint8_t* out = band.data() + k * outStride;
        for (int64_t x = x0; x <= x1; ++x) {
          const double sy = std::floor(m.SourceY(double(x), oy));
          if (sy < top || sy >= bottom) continue;
          const double sx = std::floor(m.SourceX(double(x), oy));
          if (sx < 0 || sx >= double(img.width)) continue;
          const uint8_t* row = BmpBlockRow(img, block.data(), n, uint32_t(sy - top));
          PutPixel(out, uint32_t(x), bits, GetPixel(row, uint32_t(sx), bits));
        }
      }
    }
    for (uint32_t k = 0; k < count; ++k) {
      const FileStatus st = BmpWriterPutRow(w, band.data() + k * outStride);
      if (st != FileStatus::kOk) return st;
    }
    if (!ProgressStep(progress, first + count, outH)) return FileStatus::kCancelled;
  }
  return FileStatus::kOk;
}

}  // namespace

void RotatedSize(uint32_t width, uint32_t height, int degrees, uint32_t* outWidth, uint32_t* outHeight) {
  const int d = Normalised(degrees);
  if (d == 0) {
    *outWidth = width;
    *outHeight = height;
  } else if (d == 90 || d == -90) {
    *outWidth = height;
    *outHeight = width;
  } else {
    const double a = d * kRadiansPerDegree, c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    *outWidth = uint32_t(std::floor(width * c + height * s + 1e-9)) + 2;
    *outHeight = uint32_t(std::floor(width * s + height * c + 1e-9)) + 2;
  }
}

FileStatus RotateBmp(const WqIo& source, const WqIo& target, int degrees, uint32_t outside,
                     const ProgressSink& progress, uint64_t memoryBytes) {
  const int d = Normalised(degrees);
  if (d == 90 || d == -90) return TurnBmp(source, target, d == 90 ? Turn::kRight : Turn::kLeft, progress, memoryBytes);
  BmpImage img;
  FileStatus st = BmpOpen(source, &img);
  if (st != FileStatus::kOk) return st;
  uint32_t outW = 0, outH = 0;
  RotatedSize(img.width, img.height, d, &outW, &outH);
  if (outW > kMaxImageSide || outH > kMaxImageSide) return FileStatus::kImageTooLarge;
  BmpWriter w;
  st = BmpWriterBegin(&w, target, outW, outH, img.bits,
                      std::span<const uint8_t>(img.colourTable.data(), size_t(img.colours) * 4), img.colours,
                      img.header.xPelsPerMeter, img.header.yPelsPerMeter);
  if (st != FileStatus::kOk) return st;
  const double a = d * kRadiansPerDegree;
  const Mapping m{std::cos(a), std::sin(a), outW / 2.0, outH / 2.0, img.width / 2.0, img.height / 2.0};
  st = Rotate(source, img, &w, m, outW, outH, outside, progress, memoryBytes);
  return st == FileStatus::kOk ? BmpWriterFinish(&w) : st;
}

uint32_t WhitestPixel(uint16_t bits, const uint8_t* colourTable, uint32_t colours) {
  if (bits == 24) return 0xFFFFFF;
  uint32_t best = 0, bestSum = 0;
  for (uint32_t i = 0; i < colours; ++i) {
    const uint32_t sum = uint32_t(colourTable[i * 4]) + colourTable[i * 4 + 1] + colourTable[i * 4 + 2];
    if (sum > bestSum) best = i, bestSum = sum;
  }
  return best;
}

FileStatus RotateBmpFile(const char* target, const char* source, int degrees, uint32_t outside,
                         const ProgressSink& progress) {
  return ExportWriteFile(target, source, [&](const WqIo& in, const WqIo& out) {
    return RotateBmp(in, out, degrees, outside, progress);
  });
}

}  // namespace wq
