// The zoom and custom resolution arithmetic: each model's resolution range, the
// output sizes it allows, the zoom's scale and sizes in every unit, sizes that
// keep the proportions, and the resolution and model texts.
#include "ds/ui/zoom_calc.h"

#include <cmath>
#include <cstdio>

#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

int32_t Clamp16u(int64_t v) { return int32_t(v < 0 ? 0 : v > 65535 ? 65535 : v); }

}  // namespace

void ResolutionLimits(int model, int* lowest, int* highest) {
  switch (model) {
    case 0: *lowest = 25; *highest = 1600; break;
    case 1:
    case 2: *lowest = 30; *highest = 2400; break;
    case 3: *lowest = 30; *highest = 1200; break;
    default: *lowest = 0; *highest = 0; break;
  }
}

ZoomLimits ZoomOutputLimits(const ScanSettings& s) {
  int lo, hi;
  ResolutionLimits(s.Model, &lo, &hi);
  auto minimum = [lo](int64_t extent) { return Clamp16u((int64_t(lo) * extent + 24) / 25); };
  auto maximum = [hi](int64_t extent) { return Clamp16u(int64_t(hi) * extent / 25); };
  return ZoomLimits{minimum(s.AreaWidth), maximum(s.AreaWidth), minimum(s.AreaHeight),
                    maximum(s.AreaHeight)};
}

bool ZoomWidthValid(const ScanSettings& s, int64_t width) {
  const ZoomLimits l = ZoomOutputLimits(s);
  return width >= 1 && width >= l.MinWidth && width <= l.MaxWidth;
}

bool ZoomHeightValid(const ScanSettings& s, int64_t height) {
  const ZoomLimits l = ZoomOutputLimits(s);
  return height >= 1 && height >= l.MinHeight && height <= l.MaxHeight;
}

void SetZoomOutput(ScanSettings& s, int32_t width, int32_t height) {
  s.ZoomWidth = width;
  s.ZoomHeight = height;
  s.ZoomH = s.ImageWidth > 0 ? width * 100.0 / s.ImageWidth : 100.0;
  s.ZoomV = s.ImageHeight > 0 ? height * 100.0 / s.ImageHeight : 100.0;
  s.ZoomInchH = s.XFinalRes > 0 ? double(width) / s.XFinalRes : 0.0;
  s.ZoomInchV = s.YFinalRes > 0 ? double(height) / s.YFinalRes : 0.0;
  s.ZoomCmH = s.ZoomInchH * 2.54;
  s.ZoomCmV = s.ZoomInchV * 2.54;
}

int32_t AspectHeight(const ScanSettings& s, int32_t width) {
  if (s.ImageWidth <= 0) return width;
  return Clamp16u((int64_t(width) * s.ImageHeight + s.ImageWidth / 2) / s.ImageWidth);
}

int32_t AspectWidth(const ScanSettings& s, int32_t height) {
  if (s.ImageHeight <= 0) return height;
  return Clamp16u((int64_t(height) * s.ImageWidth + s.ImageHeight / 2) / s.ImageHeight);
}

bool CustomResolutionValid(int model, int64_t dpi) {
  int lo, hi;
  ResolutionLimits(model, &lo, &hi);
  return hi > 0 && dpi >= lo && dpi <= hi;
}

void SetCustomResolution(ScanSettings& s, int x, int y) {
  s.XResoCustom = int16_t(x);
  s.YResoCustom = int16_t(s.ResoLock == 1 ? x : y);
  UpdateImageSize(s);
}

void ResolutionText(int x, int y, char* buf, unsigned size) {
  if (x == y) snprintf(buf, size, "%d dpi", x);
  else snprintf(buf, size, "%d x %d dpi", x, y);
}

const char* ModelName(int model) {
  static const char* const kNames[] = {"WQ140", "WQ215", "WQ220", "WQ490"};
  return model >= 0 && model <= 3 ? kNames[model] : "";
}

}  // namespace wq
