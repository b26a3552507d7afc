// The modified Huffman run-length codes of ITU-T T.4 (white and black
// terminating and make-up codes, the extended make-up codes shared by both
// colours, and EOL), as lookup tables indexed by the next 13 bits.
#pragma once
#include <array>
#include <cstdint>

namespace wq {

enum class CcittKind : uint8_t { kInvalid, kTerminating, kMakeUp, kEol };

struct CcittCode {
  uint16_t run = 0;
  uint8_t bits = 0;  // length of the code
  CcittKind kind = CcittKind::kInvalid;
};

constexpr int kCcittLookupBits = 13;  // the longest code (black make-up)
using CcittTable = std::array<CcittCode, 1u << kCcittLookupBits>;

const CcittTable& CcittWhiteTable();
const CcittTable& CcittBlackTable();

}  // namespace wq
