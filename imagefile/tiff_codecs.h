// The TIFF compressions the reader knows, in one table: which images each
// can carry, and how its strips decode row by row. A compression missing
// from the table is one the reader does not know at all.
#pragma once
#include <cstdint>

#include "imagefile/file_status.h"
#include "imagefile/tiff_class.h"
#include "imagefile/tiff_dir.h"

namespace wq {

struct TiffRowReader;

struct TiffCodec {
  uint16_t Compression;
  // Whether an image of this class and directory can be read with it (else
  // kRefused); notes in the layout what decoding needs (the predictor).
  FileStatus (*Accept)(const TiffDir& dir, TiffClass cls, TiffLayout* layout);
  // The three below are null for uncompressed data, whose rows are read
  // straight from the file.
  // Once per image: the decoder's state.
  FileStatus (*Begin)(TiffRowReader* r);
  // A strip read whole into r->raw (bit order already corrected).
  void (*StartStrip)(TiffRowReader* r);
  // The next row of the current strip, layout.rowBytes bytes.
  FileStatus (*DecodeRow)(TiffRowReader* r, uint8_t* out);
};

// One file each.
extern const TiffCodec kTiffLzwCodec;        // tiff_codec_lzw.cpp
extern const TiffCodec kTiffCcittRleCodec;   // tiff_codec_ccitt.cpp
extern const TiffCodec kTiffCcittG3Codec;

// The entry of a compression; null when the reader does not know it.
const TiffCodec* FindTiffCodec(uint16_t compression);

}  // namespace wq
