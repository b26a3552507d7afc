// Builds one TIFF image file directory: entries are written in ascending tag
// order as TIFF 6.0 requires, values that do not fit in an entry go to a value
// area after the directory in the order they were added, each on a word
// boundary.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/byteorder.h"
#include "imagefile/tiff_tags.h"

namespace wq {

struct TiffIfdEntry {
  uint16_t tag = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  std::vector<uint32_t> numbers;  // SHORT and LONG values; RATIONAL as pairs
  std::string text;               // ASCII with its NUL, or BYTE values
};

struct TiffIfd {
  ByteOrder order = ByteOrder::kIntel;
  std::vector<TiffIfdEntry> entries;  // in the order added
};

// Each Add fails (false) for a tag that is already present or when memory runs out.
bool TiffIfdAddShort(TiffIfd* ifd, uint16_t tag, uint16_t value);
bool TiffIfdAddShorts(TiffIfd* ifd, uint16_t tag, std::span<const uint16_t> values);
bool TiffIfdAddLong(TiffIfd* ifd, uint16_t tag, uint32_t value);
bool TiffIfdAddLongs(TiffIfd* ifd, uint16_t tag, std::span<const uint32_t> values);
bool TiffIfdAddRational(TiffIfd* ifd, uint16_t tag, uint32_t numerator, uint32_t denominator);
// Stored with a terminating NUL (count = length + 1).
bool TiffIfdAddAscii(TiffIfd* ifd, uint16_t tag, std::string_view text);

// Changes one SHORT or LONG value of an entry already added (for offsets that
// are known only after the layout is fixed).
bool TiffIfdSetNumber(TiffIfd* ifd, uint16_t tag, uint32_t index, uint32_t value);

// Bytes from the directory's start to the end of its value area.
uint64_t TiffIfdByteSize(const TiffIfd& ifd);

// Offset of the value of tag inside the file when the directory sits at
// ifdOffset (0 when the value lies inside the entry or the tag is absent).
uint32_t TiffIfdValueOffset(const TiffIfd& ifd, uint16_t tag, uint32_t ifdOffset);

// Encodes the directory for a file position; false when ifdOffset is odd or
// the directory would pass the 4 GB limit of the format.
bool TiffIfdEncode(const TiffIfd& ifd, uint32_t ifdOffset, uint32_t nextIfd,
                   std::vector<uint8_t>* out);

// The 8-byte file header: byte order, 42, first directory offset.
void TiffEncodeHeader(ByteOrder order, uint32_t ifdOffset, uint8_t out[kTiffHeaderSize]);

}  // namespace wq
