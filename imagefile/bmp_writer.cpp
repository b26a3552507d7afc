// The BMP writer: headers and colour table written first, then the rows
// gathered bottom-up into blocks of about 512 KB, each block one write at its
// place in the file.
#include "imagefile/bmp_writer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace wq {
namespace {

constexpr uint64_t kBlockBytes = 512 * 1024;

FileStatus FlushBlock(BmpWriter* w) {
  if (w->blockRows == 0) return FileStatus::kOk;
  // Rows blockFirst .. blockFirst + blockRows - 1 are stored bottom-up, so the
  // block is one contiguous range of the file.
  const uint64_t firstStored = w->height - w->blockFirst - w->blockRows;
  IoStatus s = IoWrite(w->io, w->header.offBits + firstStored * w->stride, w->block.data(),
                       size_t(w->blockRows * w->stride));
  w->blockFirst += w->blockRows;
  w->blockRows = 0;
  return s == IoStatus::kOk ? FileStatus::kOk : WriteFailure(s);
}

}  // namespace

FileStatus BmpWriterBegin(BmpWriter* w, const WqIo& io, uint32_t width, uint32_t height,
                          uint16_t bits, std::span<const uint8_t> colourTable, uint32_t clrUsed,
                          int32_t xPelsPerMeter, int32_t yPelsPerMeter) {
  w->io = io;
  w->width = width;
  w->height = height;
  w->nextRow = 0;
  w->blockFirst = 0;
  w->blockRows = 0;
  if (width == 0 || height == 0) return FileStatus::kCorrupt;
  if (!BmpMakeHeader(width, height, bits, clrUsed, xPelsPerMeter, yPelsPerMeter, &w->header))
    return FileStatus::kImageTooLarge;
  w->rowBytes = uint32_t(BmpRowBytes(bits, width));
  w->stride = BmpStride(bits, width);
  const uint32_t colours = (w->header.offBits - kBmpHeadersSize) / 4;
  const uint64_t rowsPerBlock = std::max<uint64_t>(1, kBlockBytes / w->stride);
  try {
    std::vector<uint8_t> head(w->header.offBits, 0);
    BmpEncodeHeader(w->header, head.data());
    const size_t tableBytes = std::min<size_t>(colourTable.size(), colours * 4u);
    if (tableBytes) std::memcpy(head.data() + kBmpHeadersSize, colourTable.data(), tableBytes);
    w->block.assign(size_t(std::min<uint64_t>(rowsPerBlock, height) * w->stride), 0);
    IoStatus s = IoWrite(io, 0, head.data(), head.size());
    if (s != IoStatus::kOk) return WriteFailure(s);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  return FileStatus::kOk;
}

FileStatus BmpWriterPutRow(BmpWriter* w, const uint8_t* row) {
  if (w->nextRow >= w->height) return FileStatus::kCorrupt;
  const uint32_t capacity = uint32_t(w->block.size() / w->stride);
  if (w->blockRows == 0) w->blockRows = std::min(capacity, w->height - w->blockFirst);
  // The block's last slot takes its top row.
  const uint32_t j = w->nextRow - w->blockFirst;
  uint8_t* dst = w->block.data() + (w->blockRows - 1 - j) * w->stride;
  std::memcpy(dst, row, w->rowBytes);
  std::memset(dst + w->rowBytes, 0, size_t(w->stride - w->rowBytes));
  ++w->nextRow;
  if (j + 1 == w->blockRows) return FlushBlock(w);
  return FileStatus::kOk;
}

FileStatus BmpWriterFinish(BmpWriter* w) {
  if (w->nextRow != w->height) return FileStatus::kCorrupt;
  return FlushBlock(w);
}

}  // namespace wq
