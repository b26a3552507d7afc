// The row cursor: refills its block so that the next rows in the direction
// of travel come with the one asked for.
#include "imagefile/bmp_rows.h"

#include <algorithm>
#include <new>

namespace wq {

FileStatus BmpRowsBegin(BmpRowCursor* c, const WqIo& io, const BmpImage& image, uint64_t blockBytes) {
  c->io = &io;
  c->image = &image;
  c->first = c->count = 0;
  const uint64_t rows = std::max<uint64_t>(1, blockBytes / std::max<uint64_t>(1, image.stride));
  try {
    c->block.resize(size_t(std::min<uint64_t>(rows, image.height) * image.stride));
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  return FileStatus::kOk;
}

FileStatus BmpRowAt(BmpRowCursor* c, uint32_t y, const uint8_t** row) {
  const BmpImage& img = *c->image;
  if (y >= img.height) return FileStatus::kCorrupt;
  if (c->count == 0 || y < c->first || y >= c->first + c->count) {
    const uint32_t per = uint32_t(std::max<uint64_t>(1, c->block.size() / img.stride));
    // Going up the page the block ends at y, going down it starts there.
    const bool upwards = c->count != 0 && y < c->first;
    c->first = upwards ? y + 1 - std::min(per, y + 1) : y;
    c->count = std::min(per, img.height - c->first);
    const FileStatus st = BmpReadRowBlock(*c->io, img, c->first, c->count, c->block.data());
    if (st != FileStatus::kOk) {
      c->count = 0;
      return st;
    }
  }
  *row = BmpBlockRow(img, c->block.data(), c->count, y - c->first);
  return FileStatus::kOk;
}

}  // namespace wq
