// The Targa writer: the 18-byte header, the colour map of 8-bit images,
// the BMP's rows without their padding, the trailing text.
#include "imagefile/tga_writer.h"

#include <memory>
#include <new>
#include <string>

#include "imagefile/bmp_rows.h"
#include "imagefile/export_class.h"
#include "imagefile/export_file.h"
#include "imagefile/export_out.h"

namespace wq {
namespace {

constexpr uint64_t kReadBlockBytes = 524288;

FileStatus Write(const WqIo& bmp, const WqIo& tga, const std::tm& made, const ProgressSink& progress) {
  BmpImage img;
  FileStatus st = BmpOpen(bmp, &img);
  if (st != FileStatus::kOk) return st;
  if (img.bits != 8 && img.bits != 24) return FileStatus::kRefused;
  if (img.width > 0xFFFF || img.height > 0xFFFF) return FileStatus::kImageTooLarge;
  const bool mapped = img.bits == 8;
  BmpRowCursor rows;
  st = BmpRowsBegin(&rows, bmp, img, kReadBlockBytes);
  if (st != FileStatus::kOk) return st;

  auto out = std::make_unique<ExportOut>();
  ExportOutBegin(out.get(), tga);
  const uint8_t header[18] = {0,
                              uint8_t(mapped ? 1 : 0),
                              uint8_t(mapped ? 1 : 2),
                              0, 0,  // colour-map origin
                              0, uint8_t(mapped ? 1 : 0),  // 256 entries
                              uint8_t(mapped ? 24 : 0),
                              0, 0, 0, 0,  // origin
                              uint8_t(img.width), uint8_t(img.width >> 8),
                              uint8_t(img.height), uint8_t(img.height >> 8),
                              uint8_t(img.bits),
                              0};  // lower-left origin
  ExportPut(out.get(), header, sizeof header);
  if (mapped) {
    uint8_t map[768] = {};
    for (uint32_t i = 0; i < img.colours && i < 256; ++i)
      for (int c = 0; c < 3; ++c) map[3 * i + c] = img.colourTable[4 * i + c];
    ExportPut(out.get(), map, sizeof map);
  }
  const size_t rowBytes = size_t(img.width) * (mapped ? 1 : 3);
  for (uint32_t k = 0; k < img.height; ++k) {
    const uint8_t* src = nullptr;
    st = BmpRowAt(&rows, img.height - 1 - k, &src);
    if (st != FileStatus::kOk) return st;
    ExportPut(out.get(), src, rowBytes);
    if (out->status != FileStatus::kOk) return out->status;
    if (!ProgressStep(progress, k + 1, img.height)) return FileStatus::kCancelled;
  }
  ExportPutText(out.get(), ExportCreationDateLine(made));
  ExportPutText(out.get(), std::string("%%Creator: ") + kExportCreator);
  return ExportFlush(out.get());
}

}  // namespace

FileStatus TgaWriteFromBmp(const WqIo& bmp, const WqIo& tga, const std::tm& made,
                           const ProgressSink& progress) {
  try {
    return Write(bmp, tga, made, progress);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
}

FileStatus TgaWriteFile(const char* target, const char* sourceBmp, const ProgressSink& progress) {
  const std::tm now = ExportLocalTimeNow();
  return ExportWriteFile(target, sourceBmp, [&](const WqIo& in, const WqIo& out) {
    return TgaWriteFromBmp(in, out, now, progress);
  });
}

}  // namespace wq
