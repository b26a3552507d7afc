// Cropping a document's BMP to a rectangle, file to file, a row at a time.
#pragma once
#include <cstdint>

#include "imagefile/file_status.h"
#include "common/io.h"

namespace wq {

struct CropRect {
  uint32_t x = 0, y = 0;  // top-left pixel, 0 = leftmost, topmost
  uint32_t width = 0, height = 0;
};

// The rectangle as it lies within a width x height image; empty when it
// misses the image.
CropRect ClipCrop(CropRect r, uint32_t width, uint32_t height);

// Writes the pixels of `r` (clipped to the image) as a BMP of the same
// depth, colour table and resolution; kRefused for a rectangle that misses
// the image. Progress counts output rows.
FileStatus CropBmp(const WqIo& source, const WqIo& target, CropRect r, const ProgressSink& progress);
FileStatus CropBmpFile(const char* target, const char* source, CropRect r, const ProgressSink& progress);

}  // namespace wq
