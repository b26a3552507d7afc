// "Auto" of the image-adjust window: the levels (or the brightness and
// contrast) that stretch the preview histogram's occupied range, with the
// cut-off, count cap and minimum span of the source's resource.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/adjust/histogram.h"

namespace wq {

struct ScanSettings;

struct AutoValues {
  int CutOff = 5;       // per 10000 of the pixel count
  int Cap = 10;         // at most this many pixels are ignored
  int SpanFactor = 20;  // a range below 2550 / factor is widened
};
// The three 16-bit little-endian words of the resource; missing or short
// data keeps the defaults.
AutoValues AutoValuesFrom(const uint8_t* data, size_t size);

struct LevelRange {
  int Low, High;
};
LevelRange FindHistogramLimits(const uint32_t counts[256], uint32_t pixels, const AutoValues& v);
LevelRange WidenRange(int low, int high, int spanFactor);
void BrightnessContrastFromLevels(int black, int white, int16_t* brightness, int16_t* contrast);

// Whether "Auto" reads the three colour histograms for the mode (otherwise
// the red one, which holds the grey of grey modes).
bool AutoReadsColour(int mode);
// The automatic setting into the settings: brightness and contrast with
// Select 0, the levels otherwise.
void AutoAdjust(ScanSettings& s, const ToneHistogram& h, const AutoValues& v);

}  // namespace wq
