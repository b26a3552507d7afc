// TIFF LZW encoder (codes packed most significant bit first, 9 to 12 bits,
// the code width growing one code early as TIFF readers expect).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wq {

constexpr uint32_t kLzwClear = 256;
constexpr uint32_t kLzwEnd = 257;
constexpr uint32_t kLzwFirstCode = 258;

struct LzwEncoder {
  static constexpr int kHashSize = 5021;
  // (generation << 20) | (prefix << 8) | byte; another generation is empty,
  // which makes restarting the table cheap.
  std::array<uint32_t, kHashSize> slots;
  std::array<uint16_t, kHashSize> codes;
  uint32_t generation = 0;
  int32_t prefix = -1;  // code of the pending string, -1 when none
  uint32_t nextCode = kLzwFirstCode;
  uint32_t width = 9;
  uint64_t bits = 0;
  uint32_t bitCount = 0;
  std::vector<uint8_t>* out = nullptr;
  size_t outPos = 0;
};

// Starts a strip: the output is appended to *out, beginning with a Clear code.
bool LzwEncodeBegin(LzwEncoder* e, std::vector<uint8_t>* out);
bool LzwEncodeBytes(LzwEncoder* e, const uint8_t* data, size_t n);
// Emits the pending string and EndOfInformation and pads the last byte.
bool LzwEncodeEnd(LzwEncoder* e);

}  // namespace wq
