// The size of the image the scan would deliver: its bits per pixel by mode, its
// size with or without the zoom, and its bytes as KB or MB text.
#include "ds/ui/info_text.h"

#include <cstdio>

#include "imagefile/bmp.h"
#include "ds/settings/settings.h"

namespace wq {

int OutputBits(int mode) {
  switch (mode & 0xFF) {
    case 1: return 1;
    case 2: return 4;
    case 3: case 4: case 5: return 8;
    default: return 24;
  }
}

void OutputSize(const ScanSettings& s, int32_t* width, int32_t* height) {
  const bool zoom = s.ZoomOnOff == 1;
  *width = zoom ? s.ZoomWidth : s.ImageWidth;
  *height = zoom ? s.ZoomHeight : s.ImageHeight;
}

uint64_t OutputBytes(const ScanSettings& s) {
  int32_t w, h;
  OutputSize(s, &w, &h);
  if (w <= 0 || h <= 0) return 0;
  return BmpStride(uint32_t(OutputBits(s.Mode)), uint32_t(w)) * uint64_t(h);
}

void ImageSizeText(uint64_t bytes, const char* empty, char* buf, size_t size) {
  constexpr uint64_t kKB = 1024, kMB = 1024 * 1024;
  if (bytes == 0) {
    snprintf(buf, size, "%s", empty ? empty : "");
  } else if (bytes < kMB) {
    snprintf(buf, size, "%llu KB", (unsigned long long)((bytes + kKB - 1) / kKB));
  } else {
    const uint64_t tenths = (bytes * 10 + kMB / 2) / kMB;
    snprintf(buf, size, "%llu.%llu MB", (unsigned long long)(tenths / 10),
             (unsigned long long)(tenths % 10));
  }
}

}  // namespace wq
