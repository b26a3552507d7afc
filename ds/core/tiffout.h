// The TIFF file of the file transfer: Intel byte order, one directory and
// its values after the 8-byte header, then the image as one uncompressed
// strip of unpadded rows, top-down.
#pragma once
#include <cstdint>
#include <vector>

namespace wq {

struct TiffPage {
  int Kind;          // low byte of the settings' Mode
  uint32_t Width;    // pixels
  uint32_t Rows;
  int XRes, YRes;    // dpi
  const char* DocumentName;  // the file name without its directory
  int Year, Month, Day, Hour, Minute, Second;  // local time, month 1..12
};

// Bytes of one stored row: (w + 7) div 8 for black and white, w for grey
// and palette images, 3w for full colour.
uint64_t TiffRowBytes(int kind, uint32_t width);

// Header, directory and values; the image follows at head->size(). False
// when memory runs out or the file would not fit the format's 32-bit
// offsets.
bool BuildTiffHead(const TiffPage& page, std::vector<uint8_t>* head);

}  // namespace wq
