// Saving a document's BMP as TIFF: uncompressed or LZW (with horizontal
// differencing for RGB), Intel or Motorola byte order.
#pragma once
#include <string>
#include <string_view>

#include "imagefile/file_status.h"
#include "common/byteorder.h"
#include "common/io.h"

namespace wq {

struct TiffWriteOptions {
  ByteOrder order = ByteOrder::kIntel;
  bool lzw = false;
  std::string_view documentName;  // the full target path
  std::string_view dateTime;      // "YYYY:MM:DD HH:MM:SS"
  ProgressSink progress;          // per strip (LZW) or per row (uncompressed)
};

FileStatus TiffWriteFromBmp(const WqIo& bmp, const WqIo& tiff, const TiffWriteOptions& options);

// The save command's form: byte order code 1 (Intel) or 2 (Motorola), local
// time as DateTime. On failure or cancel no target is left and an existing
// target is kept.
FileStatus TiffWriteFile(const char* target, const char* sourceBmp, int byteOrderCode, bool lzw,
                         const ProgressSink& progress);

// Local time in the TIFF DateTime form.
std::string TiffDateTimeNow();

// The RowsPerStrip of LZW files: about 8 KB of rows, at least 8, at most all.
uint32_t TiffLzwRowsPerStrip(uint32_t rowBytes, uint32_t height);
// Resolution numerator over 10,000 for a BMP's pixels per metre.
uint32_t TiffResolutionFromBmp(int32_t pelsPerMeter);

}  // namespace wq
