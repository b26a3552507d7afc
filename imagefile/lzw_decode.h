// TIFF LZW decoder. Output is drawn in pieces of any size, so a strip can be
// decoded row by row; corrupt code streams end with a status, never beyond
// the buffers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace wq {

enum class LzwStatus : uint8_t {
  kOk,
  kShort,     // the codes ended (EndOfInformation or no more bytes) too early
  kBadCode,   // a code that is not in the table
  kOldStyle,  // the pre-TIFF 6.0 bit order, which this decoder does not read
};

struct LzwDecoder {
  const uint8_t* in = nullptr;
  size_t inLen = 0;
  size_t inPos = 0;
  uint64_t bits = 0;
  uint32_t bitCount = 0;
  uint32_t nextCode = 0;
  uint32_t width = 9;
  int32_t oldCode = -1;
  bool ended = false;
  bool oldStyle = false;
  uint16_t prefix[4096];
  uint16_t length[4096];
  uint8_t suffix[4096];
  uint8_t first[4096];
  // Every string a code stands for was written out once already: a new code
  // is the previous string plus one byte, starting where that string
  // started. Copying it back from the recent output is much faster than
  // walking the prefix chain a byte at a time.
  static constexpr uint32_t kHistory = 1u << 17;
  uint64_t total = 0;      // bytes decoded since LzwDecodeBegin
  uint64_t lastStart = 0;  // where the previous code's string starts
  uint64_t start[4096];    // where each code's string was written
  uint8_t history[kHistory];
  // The part of the last string that did not fit into the caller's buffer.
  uint8_t pending[4096];
  uint32_t pendingPos = 0;
  uint32_t pendingLen = 0;
};

void LzwDecodeBegin(LzwDecoder* d, std::span<const uint8_t> in);
// Fills exactly n bytes.
LzwStatus LzwDecode(LzwDecoder* d, uint8_t* out, size_t n);

}  // namespace wq
