// Delivers the rows of a classified TIFF image top to bottom, decoded,
// with the horizontal differencing undone and separate planes interleaved.
// Compressed strips are read whole; uncompressed rows straight from the file.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "imagefile/ccitt_decode.h"
#include "imagefile/file_status.h"
#include "imagefile/tiff_class.h"
#include "imagefile/tiff_dir.h"
#include "common/io.h"
#include "imagefile/lzw_decode.h"

namespace wq {

struct TiffCodec;

struct TiffRowReader {
  const WqIo* io = nullptr;
  const TiffCodec* codec = nullptr;  // the directory's compression
  const TiffDir* dir = nullptr;
  const TiffLayout* layout = nullptr;
  uint32_t row = 0;            // next row of the image
  uint32_t strip = 0;          // strip holding the previous row
  bool stripOpen = false;
  std::vector<uint8_t> raw;    // the current compressed strip
  std::vector<uint8_t> plane;  // one row of a separate plane
  // The codecs' state (tiff_codec_*.cpp).
  std::unique_ptr<LzwDecoder> lzw;
  CcittDecoder ccitt;
};

// The directory's strip arrays must have been read (TiffReadStrips).
FileStatus TiffRowsBegin(TiffRowReader* r, const WqIo& io, const TiffDir& dir,
                         const TiffLayout& layout);
// Fills layout.rowBytes bytes with the next row, in TIFF sample order.
FileStatus TiffRowsNext(TiffRowReader* r, uint8_t* out);

}  // namespace wq
