// One-dimensional CCITT decoding of bilevel rows: modified Huffman (TIFF
// compression 2, each row starting on a byte) and Group 3 1-D (compression 3,
// rows separated by EOL codes, optionally with fill bits before them).
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace wq {

enum class CcittMode : uint8_t { kModifiedHuffman, kGroup3 };

enum class CcittStatus : uint8_t {
  kOk,
  kShort,    // the data ends inside a row
  kBadCode,  // bits that are no code of the colour expected
};

struct CcittDecoder {
  std::span<const uint8_t> data;
  size_t bitPos = 0;
  uint32_t width = 0;
  CcittMode mode = CcittMode::kModifiedHuffman;
};

void CcittBegin(CcittDecoder* d, std::span<const uint8_t> data, uint32_t width, CcittMode mode);
// Decodes the next row into (width + 7) / 8 bytes: white runs as 0 bits,
// black runs as 1 bits, most significant bit first.
CcittStatus CcittDecodeRow(CcittDecoder* d, uint8_t* row);

}  // namespace wq
