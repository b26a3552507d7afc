// The TIFF preview of an EPS file: an uncompressed little-endian TIFF of the
// image, reduced to 72 dpi when the image is finer than that.
#pragma once
#include <cstdint>

#include "imagefile/bmp_rows.h"
#include "imagefile/export_class.h"
#include "imagefile/export_out.h"

namespace wq {

struct EpsPreviewSize {
  uint32_t width, height, dpiX, dpiY;
};
// width x 72 / dpi by height x 72 / dpi at 72 dpi when the horizontal dpi is
// 73 or more (at least one pixel each way), else the image's own size.
EpsPreviewSize EpsPreviewSizeOf(const BmpImage& image);

// Writes the preview at the output's position; the preview's own offsets
// count from its first byte.
FileStatus EpsWritePreview(BmpRowCursor* rows, ExportClass k, ExportOut* out);

}  // namespace wq
