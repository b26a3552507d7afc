// 16- and 32-bit numbers in a byte order chosen at run time ("II" or "MM" files).
#pragma once
#include <cstdint>

#include "common/bytes.h"

namespace wq {

enum class ByteOrder : uint8_t { kIntel, kMotorola };

inline uint16_t Get16(const uint8_t* p, ByteOrder o) {
  return o == ByteOrder::kIntel ? GetLE16(p) : GetBE16(p);
}
inline uint32_t Get32(const uint8_t* p, ByteOrder o) {
  return o == ByteOrder::kIntel ? GetLE32(p) : GetBE32(p);
}
inline void Put16(uint8_t* p, uint32_t v, ByteOrder o) {
  if (o == ByteOrder::kIntel) PutLE16(p, v); else PutBE16(p, v);
}
inline void Put32(uint8_t* p, uint32_t v, ByteOrder o) {
  if (o == ByteOrder::kIntel) PutLE32(p, v); else PutBE32(p, v);
}

}  // namespace wq
