// Writing an uncompressed BMP whose rows arrive top row first, as decoders
// deliver them; the rows are stored bottom-up, gathered into blocks so that
// each block is one write.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "imagefile/file_status.h"
#include "imagefile/bmp.h"
#include "common/io.h"

namespace wq {

struct BmpWriter {
  WqIo io;
  BmpHeader header;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t rowBytes = 0;  // bytes of a row without padding
  uint64_t stride = 0;
  uint32_t nextRow = 0;   // rows put so far
  std::vector<uint8_t> block;
  uint32_t blockFirst = 0;  // top row of the block being filled
  uint32_t blockRows = 0;   // rows that block holds when full
};

// Writes the headers and the colour table (4 bytes an entry; missing entries
// are written as 0). clrUsed 0 means the full table of the depth.
FileStatus BmpWriterBegin(BmpWriter* w, const WqIo& io, uint32_t width, uint32_t height,
                          uint16_t bits, std::span<const uint8_t> colourTable, uint32_t clrUsed,
                          int32_t xPelsPerMeter, int32_t yPelsPerMeter);
// row holds rowBytes bytes in BMP order (24 bits: blue, green, red).
FileStatus BmpWriterPutRow(BmpWriter* w, const uint8_t* row);
// Fails unless every row has been put.
FileStatus BmpWriterFinish(BmpWriter* w);

}  // namespace wq
