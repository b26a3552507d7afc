// One step of the two-level error diffusion, shared by the output routines
// and the preview display.
#pragma once
#include <cstdint>

namespace wq::diffuse {

// The weighted sum of the line above's errors at p (e points at E[p]);
// every shift drops its own fraction, so the terms are not combined.
inline int Above(const int16_t* e) {
  return (e[1] >> 2) + (e[2] >> 3) + (e[3] >> 4) + (e[4] >> 5) + (e[5] >> 6) + (e[6] >> 7) +
         (e[7] >> 8) + (e[8] >> 8);
}

// One decision at E[p] (e points at it): true for white. `cur` holds E[p]
// on entry and the new error (stored at E[p + 1]) on return.
inline bool Step(int v, int16_t* e, int& cur) {
  const int t = v + (cur >> 1) + Above(e);
  const bool white = t >= 128;
  cur = white ? t - 255 : t;
  e[1] = int16_t(cur);
  return white;
}

}  // namespace wq::diffuse
