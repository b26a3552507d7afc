// The pickers' colour under the pointer and the levels it sets.
#include "ds/adjust/picker.h"

#include <algorithm>

#include "ds/pipeline/modes.h"
#include "ds/pipeline/tone.h"
#include "ds/settings/settings.h"

namespace wq {

namespace {

constexpr int kPickSpan = 16;  // the narrowest input range a pick leaves

void BlackPoint(ScanSettings& s, int set, int v) {
  if (v < 256 - kPickSpan) {
    s.InputBlack[set] = int16_t(v);
    s.InputWhite[set] = int16_t(std::max<int>(s.InputWhite[set], v + kPickSpan));
  } else {
    s.InputBlack[set] = 255 - kPickSpan;
    s.InputWhite[set] = 255;
  }
}

void WhitePoint(ScanSettings& s, int set, int v) {
  if (v < kPickSpan) {
    s.InputBlack[set] = 0;
    s.InputWhite[set] = kPickSpan;
  } else {
    s.InputWhite[set] = int16_t(v);
    s.InputBlack[set] = int16_t(std::min<int>(s.InputBlack[set], v - kPickSpan));
  }
}

}  // namespace

PickedColour PickColour(const uint8_t* raw, int32_t width, int32_t height, uint32_t stride,
                        int32_t x, int32_t y, const ToneTables& t, bool grey) {
  if (!raw || x < 0 || y < 0 || x >= width || y >= height) return kNothingPicked;
  const uint8_t* p = raw + size_t(height - 1 - y) * stride + size_t(x) * 3;
  if (grey) {
    const int16_t v = t.Download[kToneW][(p[0] + p[1] + p[2]) / 3];
    return {v, v, v};
  }
  return {t.Download[kToneR][p[0]], t.Download[kToneG][p[1]], t.Download[kToneB][p[2]]};
}

void ApplyPickedPoint(ScanSettings& s, const PickedColour& c, bool blackPoint) {
  if (c.R < 0 || c.G < 0 || c.B < 0) return;
  const auto pick = blackPoint ? BlackPoint : WhitePoint;
  if (IsGreyMode(s.Mode)) {
    pick(s, 4, c.R);
    if (blackPoint) s.OutputBlack[4] = 0;
    else s.OutputWhite[4] = 255;
    return;
  }
  const int16_t v[3] = {c.R, c.G, c.B};
  for (int set = 1; set <= 3; ++set) {
    pick(s, set, v[set - 1]);
    if (blackPoint) s.OutputBlack[set] = 0;
    else s.OutputWhite[set] = 255;
  }
  s.InputBlack[0] = 0;
  s.InputWhite[0] = 255;
  s.OutputBlack[0] = 0;
  s.OutputWhite[0] = 255;
}

}  // namespace wq
