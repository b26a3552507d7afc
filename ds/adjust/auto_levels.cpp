// "Auto": the histogram's occupied range, widened when narrow, as levels or
// as the brightness and contrast that make the same line.
#include "ds/adjust/auto_levels.h"

#include <algorithm>
#include <cmath>

#include "ds/pipeline/modes.h"
#include "ds/settings/settings.h"

namespace wq {

AutoValues AutoValuesFrom(const uint8_t* data, size_t size) {
  AutoValues v;
  if (!data || size < 6) return v;
  const auto word = [&](size_t i) { return int(int16_t(uint16_t(data[i] | data[i + 1] << 8))); };
  v.CutOff = word(0);
  v.Cap = word(2);
  v.SpanFactor = word(4);
  return v;
}

LevelRange FindHistogramLimits(const uint32_t counts[256], uint32_t pixels, const AutoValues& v) {
  int64_t t = int64_t(v.CutOff) * pixels / 10000;
  t = std::min<int64_t>(t, v.Cap);
  LevelRange r{0, 255};
  for (int i = 0; i < 256; ++i)
    if (int64_t(counts[i]) > t) {
      r.Low = i;
      break;
    }
  for (int i = 255; i >= 0; --i)
    if (int64_t(counts[i]) > t) {
      r.High = i;
      break;
    }
  return r;
}

LevelRange WidenRange(int low, int high, int spanFactor) {
  const int m = std::max(spanFactor, 10);
  const int span = high - low;
  if (span >= 2550 / m) return {low, high};
  const float q = (2550.0f / float(m) - float(span)) / float(255 - span);
  int black = int((1.0f - q) * float(low));
  int white = high + int(q * float(255 - high));
  return {std::max(black, 0), std::min(white, 255)};
}

void BrightnessContrastFromLevels(int black, int white, int16_t* brightness, int16_t* contrast) {
  constexpr double kDegrees = 180.0 / 3.14159265358979323846;
  const double s = 255.0 / double(std::max(white - black, 1));
  const double offset = -double(black) * s;
  const double b = (offset - (1 - s) * 128) * 127 / (255 - (1 - s) * 128);
  const double c = (std::atan(s) * kDegrees - 45) * 127 / (std::atan(255.0) * kDegrees - 45);
  const auto settle = [](double v) { return int16_t(std::trunc(std::clamp(v, -127.0, 127.0))); };
  *brightness = settle(b);
  *contrast = settle(c);
}

bool AutoReadsColour(int mode) { return IsColourMode(mode); }

void AutoAdjust(ScanSettings& s, const ToneHistogram& h, const AutoValues& v) {
  const bool colour = AutoReadsColour(s.Mode);
  LevelRange r = FindHistogramLimits(h.Count[0], h.Pixels[0], v);
  if (colour) {
    for (int c = 1; c < 3; ++c) {
      const LevelRange rc = FindHistogramLimits(h.Count[c], h.Pixels[c], v);
      r.Low = std::min(r.Low, rc.Low);
      r.High = std::max(r.High, rc.High);
    }
  }
  const LevelRange w = WidenRange(r.Low, r.High, v.SpanFactor);
  if (s.Select == 0) {
    BrightnessContrastFromLevels(w.Low, w.High, &s.Brightnes, &s.Contrast);
    return;
  }
  const auto set = [&](int i, int ib, int iw) {
    s.InputBlack[i] = int16_t(ib);
    s.InputWhite[i] = int16_t(iw);
    s.OutputBlack[i] = 0;
    s.OutputWhite[i] = 255;
  };
  if (!colour) {
    set(4, w.Low, w.High);
    return;
  }
  set(0, w.Low, w.High);
  for (int i = 1; i <= 3; ++i) set(i, 0, 255);
}

}  // namespace wq
