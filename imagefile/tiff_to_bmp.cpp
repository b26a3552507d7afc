// The TIFF conversion: directory, class and strips read and checked before the
// BMP is begun, rows turned blue-green-red and written with progress and
// cancel, into a file that replaces its target only when whole.
#include "imagefile/tiff_to_bmp.h"

#include <new>
#include <utility>
#include <vector>

#include "imagefile/bmp_writer.h"
#include "imagefile/tiff_class.h"
#include "imagefile/tiff_dir.h"
#include "imagefile/tiff_rows.h"
#include "imagefile/export_file.h"
#include "imagefile/tiff_tags.h"

namespace wq {
namespace {

// Uncompressed strips must lie inside the file before anything is written.
FileStatus CheckPlainStrips(const WqIo& io, const TiffDir& d, const TiffLayout& l) {
  const uint64_t size = IoSize(io);
  const uint32_t planeRowBytes = l.planes > 1 ? d.width : l.rowBytes;
  for (uint32_t p = 0; p < l.planes; ++p) {
    for (uint32_t s = 0; s < l.stripsPerPlane; ++s) {
      const uint32_t rows = std::min(l.rowsPerStrip, d.height - s * l.rowsPerStrip);
      const uint64_t need = uint64_t(rows) * planeRowBytes;
      const uint32_t i = p * l.stripsPerPlane + s;
      if (uint64_t(d.stripOffsets[i]) + need > size) return FileStatus::kCorrupt;
      if (d.haveByteCounts && d.stripByteCounts[i] < need) return FileStatus::kCorrupt;
    }
  }
  return FileStatus::kOk;
}

}  // namespace

FileStatus TiffConvertToBmp(const WqIo& tiff, const WqIo& bmp, const ProgressSink& progress,
                            TiffSourceInfo* info) {
  TiffDir dir;
  FileStatus st = TiffReadDir(tiff, &dir);
  if (st != FileStatus::kOk) return st;
  TiffLayout layout;
  st = TiffClassify(dir, &layout);
  if (st != FileStatus::kOk) return st;
  st = TiffReadStrips(tiff, &dir, layout.stripsPerPlane * layout.planes);
  if (st != FileStatus::kOk) return st;
  if (dir.compression == kTiffNone) {
    st = CheckPlainStrips(tiff, dir, layout);
    if (st != FileStatus::kOk) return st;
  }
  if (info) {
    info->lzw = dir.compression == kTiffLzw;
    info->byteOrderCode = dir.order == ByteOrder::kIntel ? 1 : 2;
  }

  TiffRowReader rows;
  st = TiffRowsBegin(&rows, tiff, dir, layout);
  if (st != FileStatus::kOk) return st;
  BmpWriter writer;
  st = BmpWriterBegin(&writer, bmp, dir.width, dir.height, layout.bmpBits,
                      std::span<const uint8_t>(layout.colourTable.data(), layout.colours * 4), 0,
                      0, 0);
  if (st != FileStatus::kOk) return st;
  std::vector<uint8_t> row;
  try {
    row.resize(layout.rowBytes);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  for (uint32_t y = 0; y < dir.height; ++y) {
    st = TiffRowsNext(&rows, row.data());
    if (st != FileStatus::kOk) return st;
    if (layout.cls == TiffClass::kRgb)
      for (uint32_t x = 0; x < dir.width; ++x) std::swap(row[3 * x], row[3 * x + 2]);
    st = BmpWriterPutRow(&writer, row.data());
    if (st != FileStatus::kOk) return st;
    if (!ProgressStep(progress, y + 1, dir.height)) return FileStatus::kCancelled;
  }
  return BmpWriterFinish(&writer);
}

FileStatus TiffConvertFile(const char* targetBmp, const char* sourceTiff,
                           const ProgressSink& progress, TiffSourceInfo* info) {
  return ExportWriteFile(targetBmp, sourceTiff, [&](const WqIo& in, const WqIo& out) {
    return TiffConvertToBmp(in, out, progress, info);
  });
}

std::string TiffWorkFileName(std::string_view workDirectory, std::string_view tiffPath) {
  const size_t slash = tiffPath.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? tiffPath : tiffPath.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  std::string out(workDirectory);
  out.append(name);
  out.append(".$T$");
  return out;
}

}  // namespace wq
