// A BMP's rows one at a time, in either direction, through one block of
// bounded size, so that writers stream pages of any length in flat memory.
#pragma once
#include <cstdint>
#include <vector>

#include "imagefile/bmp_reader.h"

namespace wq {

struct BmpRowCursor {
  const WqIo* io = nullptr;
  const BmpImage* image = nullptr;
  std::vector<uint8_t> block;
  uint32_t first = 0;  // topmost row held
  uint32_t count = 0;  // rows held
};

// A block of at most blockBytes (at least one row); kNoMemory when it
// cannot be had.
FileStatus BmpRowsBegin(BmpRowCursor* c, const WqIo& io, const BmpImage& image, uint64_t blockBytes);
// Row y (0 = topmost) as the file holds it: padded, blue-green-red, pad bits as stored.
FileStatus BmpRowAt(BmpRowCursor* c, uint32_t y, const uint8_t** row);

}  // namespace wq
