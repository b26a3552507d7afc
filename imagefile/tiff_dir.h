// Reading the first image file directory of a TIFF file into the fields the
// converter uses, with every count and offset checked against the file.
#pragma once
#include <cstdint>
#include <vector>

#include "imagefile/file_status.h"
#include "common/byteorder.h"
#include "common/io.h"

namespace wq {

struct TiffDir {
  ByteOrder order = ByteOrder::kIntel;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t samplesPerPixel = 1;
  uint32_t bitsCount = 1;              // values given for BitsPerSample
  uint32_t bitsPerSample[4] = {1, 1, 1, 1};
  uint32_t photometric = 0;
  uint32_t compression = 1;
  uint32_t planar = 1;
  uint32_t t4Options = 0;
  uint32_t predictor = 1;
  uint32_t fillOrder = 1;
  uint32_t rowsPerStrip = 0xFFFFFFFF;
  uint32_t subfileType = 0;            // NewSubfileType, or SubfileType
  bool haveByteCounts = false;
  std::vector<uint32_t> stripOffsets;
  std::vector<uint32_t> stripByteCounts;
  std::vector<uint16_t> colorMap;
  // Location of the strip arrays, read once the number of strips is known.
  struct Array {
    uint16_t type = 0;
    uint32_t count = 0;
    uint8_t field[4] = {};
  } offsetsEntry, countsEntry;
};

// The largest directory the program reads (12 x entries stays within 1,000 bytes).
constexpr uint32_t kTiffMaxEntries = 83;
// The largest ColorMap: 3 x 256 values.
constexpr uint32_t kTiffMaxColorMap = 768;

// Reads the header and the first directory: byte order "II" or "MM" (else
// kRefused), version 42 (else kCorrupt), at most 83 entries, ImageWidth,
// ImageLength and StripOffsets present. The strip arrays are read by
// TiffReadStrips once the layout is known.
FileStatus TiffReadDir(const WqIo& io, TiffDir* dir);

// Reads count strip offsets and byte counts (a file may list more strips
// than the image needs; fewer is an error).
FileStatus TiffReadStrips(const WqIo& io, TiffDir* dir, uint32_t count);

}  // namespace wq
