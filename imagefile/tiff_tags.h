// TIFF 6.0 tag numbers, field types and codes used by the writers and readers.
#pragma once
#include <cstdint>

namespace wq {

enum TiffTag : uint16_t {
  kTagNewSubfileType = 254,
  kTagSubfileType = 255,
  kTagImageWidth = 256,
  kTagImageLength = 257,
  kTagBitsPerSample = 258,
  kTagCompression = 259,
  kTagPhotometric = 262,
  kTagFillOrder = 266,
  kTagDocumentName = 269,
  kTagMake = 271,
  kTagStripOffsets = 273,
  kTagSamplesPerPixel = 277,
  kTagRowsPerStrip = 278,
  kTagStripByteCounts = 279,
  kTagXResolution = 282,
  kTagYResolution = 283,
  kTagPlanarConfiguration = 284,
  kTagT4Options = 292,
  kTagResolutionUnit = 296,
  kTagSoftware = 305,
  kTagDateTime = 306,
  kTagHostComputer = 316,
  kTagPredictor = 317,
  kTagColorMap = 320,
};

enum TiffType : uint16_t {
  kTiffByte = 1,
  kTiffAscii = 2,
  kTiffShort = 3,
  kTiffLong = 4,
  kTiffRational = 5,
};

enum TiffCompression : uint16_t {
  kTiffNone = 1,
  kTiffCcittRle = 2,   // modified Huffman, rows byte-aligned
  kTiffCcittG3 = 3,
  kTiffCcittG4 = 4,
  kTiffLzw = 5,
  kTiffOldJpeg = 6,
  kTiffJpeg = 7,
};

enum TiffPhotometric : uint16_t {
  kPhotoWhiteIsZero = 0,
  kPhotoBlackIsZero = 1,
  kPhotoRgb = 2,
  kPhotoPalette = 3,
};

constexpr uint32_t kTiffHeaderSize = 8;

}  // namespace wq
