// TW_FIX32 and real numbers, as capabilities, image layout and the trace
// convert them.
#pragma once
#include <cstdint>

#include "twain/twain.h"

namespace wq {

// Rounds half away from zero to 1/65536. A TW_FIX32 holds -32768 ..
// 32767.99998; values beyond that (a length in pixels at a very high
// resolution, say) saturate.
inline TW_FIX32 RealToFix32(double x) {
  constexpr double kMax = 32767 + 65535 / 65536.0;
  if (!(x >= -32768)) x = x > 0 ? kMax : -32768;  // NaN too
  if (x > kMax) x = kMax;
  int32_t v = x > 0 ? int32_t(x * 65536.0 + 0.5) : int32_t(x * 65536.0 - 0.5);
  TW_FIX32 f;
  f.Whole = int16_t(v >> 16);
  f.Frac = uint16_t(v & 0xFFFF);
  return f;
}

// Adds about 0.01 away from zero, so that a later truncation lands on the
// whole number the application meant (0.99998 gives 1).
inline double Fix32ToReal(TW_FIX32 f) {
  double v = f.Whole + f.Frac / 65536.0;
  return f.Whole >= 0 ? v + 655.0 / 65536.0 : v - 655.0 / 65536.0;
}

inline TW_FIX32 Fix32FromBits(uint32_t bits) {
  TW_FIX32 f;
  f.Whole = int16_t(uint16_t(bits));
  f.Frac = uint16_t(bits >> 16);
  return f;
}

}  // namespace wq
