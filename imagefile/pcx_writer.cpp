// The PCX writer: the 128-byte header, each line split into its planes and
// run-length coded, the 256-entry palette after the last line.
#include "imagefile/pcx_writer.h"

#include <cstring>
#include <memory>
#include <new>

#include "imagefile/bmp_rows.h"
#include "imagefile/export_class.h"
#include "imagefile/export_file.h"
#include "imagefile/export_out.h"

namespace wq {
namespace {

constexpr uint64_t kReadBlockBytes = 524288;

void Put16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}

struct Layout {
  uint8_t bitsPerPlane, planes;
  uint32_t bytesPerLine;
};

Layout LayoutOf(ExportClass k, uint32_t width) {
  const uint32_t packed = ((width + 15) / 16) * 2;
  switch (k) {
    case ExportClass::kBilevel: return {1, 1, packed};
    case ExportClass::kColour16: return {1, 4, packed};
    case ExportClass::kTrueColour: return {8, 3, width};
    default: return {8, 1, width};
  }
}

// The planes of top row y, one after another, bytesPerLine each.
void SplitRow(const BmpImage& img, ExportClass k, const Layout& l, const uint8_t* src, uint8_t* planes) {
  const uint32_t w = img.width;
  std::memset(planes, 0, size_t(l.bytesPerLine) * l.planes);
  switch (k) {
    case ExportClass::kBilevel: {
      const uint32_t n = (w + 7) / 8;
      std::memcpy(planes, src, n);
      if (w & 7) planes[n - 1] &= uint8_t(0xFF00 >> (w & 7));
      break;
    }
    case ExportClass::kColour16:
      for (uint32_t x = 0; x < w; ++x) {
        const uint8_t v = (x & 1) ? src[x / 2] & 0x0F : src[x / 2] >> 4;
        const uint8_t bit = uint8_t(0x80 >> (x & 7));
        for (int p = 0; p < 4; ++p)
          if (v & (1 << p)) planes[size_t(p) * l.bytesPerLine + x / 8] |= bit;
      }
      break;
    case ExportClass::kTrueColour:
      for (uint32_t x = 0; x < w; ++x) {
        planes[x] = src[3 * x + 2];
        planes[l.bytesPerLine + x] = src[3 * x + 1];
        planes[2 * size_t(l.bytesPerLine) + x] = src[3 * x];
      }
      break;
    default:
      std::memcpy(planes, src, w);
      break;
  }
}

void EncodeHeader(const BmpImage& img, ExportClass k, const Layout& l, uint8_t h[128]) {
  std::memset(h, 0, 128);
  h[0] = 10;  // manufacturer
  h[1] = 5;   // version 3.0 with a palette
  h[2] = 1;   // run-length coding
  h[3] = l.bitsPerPlane;
  Put16(h + 8, img.width - 1);
  Put16(h + 10, img.height - 1);
  Put16(h + 12, ExportDpi(img.header.xPelsPerMeter));
  Put16(h + 14, ExportDpi(img.header.yPelsPerMeter));
  if (k == ExportClass::kColour16)
    for (uint32_t i = 0; i < 16 && i < img.colours; ++i) {
      h[16 + 3 * i] = img.colourTable[4 * i + 2];
      h[17 + 3 * i] = img.colourTable[4 * i + 1];
      h[18 + 3 * i] = img.colourTable[4 * i];
    }
  h[65] = l.planes;
  Put16(h + 66, l.bytesPerLine);
  Put16(h + 68, k == ExportClass::kGrey ? 2 : 1);
}

FileStatus Write(const WqIo& bmp, const WqIo& pcx, const ProgressSink& progress) {
  BmpImage img;
  FileStatus st = BmpOpen(bmp, &img);
  if (st != FileStatus::kOk) return st;
  if (img.width < 1 || img.height < 1 || img.width > kPcxMaxSide || img.height > kPcxMaxSide)
    return FileStatus::kImageTooLarge;
  const ExportClass k = ExportClassOf(img);
  const Layout l = LayoutOf(k, img.width);
  const bool inverted = k == ExportClass::kBilevel && ExportBilevelWhiteIsZero(img);
  BmpRowCursor rows;
  st = BmpRowsBegin(&rows, bmp, img, kReadBlockBytes);
  if (st != FileStatus::kOk) return st;
  std::vector<uint8_t> planes(size_t(l.bytesPerLine) * l.planes), coded;
  coded.reserve(planes.size() * 2 + 2);

  auto out = std::make_unique<ExportOut>();
  ExportOutBegin(out.get(), pcx);
  uint8_t header[128];
  EncodeHeader(img, k, l, header);
  ExportPut(out.get(), header, sizeof header);
  for (uint32_t y = 0; y < img.height; ++y) {
    const uint8_t* src = nullptr;
    st = BmpRowAt(&rows, y, &src);
    if (st != FileStatus::kOk) return st;
    SplitRow(img, k, l, src, planes.data());
    coded.clear();
    for (uint32_t p = 0; p < l.planes; ++p)
      PcxEncodePlane(planes.data() + size_t(p) * l.bytesPerLine, l.bytesPerLine, inverted, &coded);
    ExportPut(out.get(), coded.data(), coded.size());
    if (out->status != FileStatus::kOk) return out->status;
    if (!ProgressStep(progress, y + 1, img.height)) return FileStatus::kCancelled;
  }
  if (k == ExportClass::kGrey || k == ExportClass::kColour256) {
    uint8_t palette[769] = {12};
    for (uint32_t i = 0; i < 256; ++i)
      for (int c = 0; c < 3; ++c)
        palette[1 + 3 * i + c] = k == ExportClass::kGrey ? uint8_t(i)
                                 : i < img.colours         ? img.colourTable[4 * i + 2 - c]
                                                           : 0;
    ExportPut(out.get(), palette, sizeof palette);
  }
  return ExportFlush(out.get());
}

}  // namespace

void PcxEncodePlane(const uint8_t* bytes, size_t n, bool inverted, std::vector<uint8_t>* out) {
  size_t i = 0;
  while (i < n) {
    const uint8_t b = bytes[i];
    size_t run = 1;
    while (run < 63 && i + run < n && bytes[i + run] == b) ++run;
    if (inverted) {
      out->push_back(uint8_t(0xC0 + run));
      out->push_back(uint8_t(~b));
    } else if (run == 1 && b < 0x40) {
      out->push_back(b);
    } else {
      out->push_back(uint8_t(0xC0 + run));
      out->push_back(b);
    }
    i += run;
  }
}

FileStatus PcxWriteFromBmp(const WqIo& bmp, const WqIo& pcx, const ProgressSink& progress) {
  try {
    return Write(bmp, pcx, progress);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
}

FileStatus PcxWriteFile(const char* target, const char* sourceBmp, const ProgressSink& progress) {
  return ExportWriteFile(target, sourceBmp, [&](const WqIo& in, const WqIo& out) {
    return PcxWriteFromBmp(in, out, progress);
  });
}

}  // namespace wq
