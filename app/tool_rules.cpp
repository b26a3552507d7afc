// Tool arithmetic, kept apart from the windows so that it is tested natively.
#include "app/tool_rules.h"

#include <algorithm>
#include <cmath>

#include "app/view_math.h"

namespace wq {

int ToolZoomStep(int step, bool zoomIn) {
  if (step == 0) return zoomIn ? 1 : -1;
  // Magnification m = factor above 1:1, 1 / factor below.
  const int f = int(ZoomFactor(step));
  int next;
  if ((step > 0) == zoomIn) {
    next = (f * 2 - 1) * (step > 0 ? 1 : -1);  // the factor doubled, away from 1:1
  } else {
    next = (f / 2 - 1) * (step > 0 ? 1 : -1);  // halved, towards 1:1
  }
  return std::clamp(next, kZoomMin, kZoomMax);
}

uint32_t ImagePixelAt(int32_t client, uint32_t scroll, int step, uint32_t imageLength) {
  if (imageLength == 0) return 0;
  const int64_t window = int64_t(client) + scroll;
  const uint32_t f = ZoomFactor(step);
  int64_t p = step >= 0 ? window / f : window * f;
  if (window < 0) p = 0;
  return uint32_t(std::clamp<int64_t>(p, 0, int64_t(imageLength) - 1));
}

int64_t WindowPixelOf(uint32_t pixel, uint32_t scroll, int step) {
  const uint32_t f = ZoomFactor(step);
  const int64_t at = step >= 0 ? int64_t(pixel) * f : int64_t(pixel) / f;
  return at - scroll;
}

PixelRect SpannedRect(uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1) {
  PixelRect r;
  r.x = std::min(x0, x1);
  r.y = std::min(y0, y1);
  r.width = std::max(x0, x1) - r.x + 1;
  r.height = std::max(y0, y1) - r.y + 1;
  return r;
}

bool Contains(const PixelRect& r, uint32_t x, uint32_t y) {
  return x >= r.x && y >= r.y && x - r.x < r.width && y - r.y < r.height;
}

bool IsDoubleClick(uint32_t elapsedMs, uint32_t doubleClickMs, int32_t dx, int32_t dy, int32_t cx, int32_t cy) {
  return elapsedMs <= doubleClickMs && std::abs(dx) <= cx / 2 && std::abs(dy) <= cy / 2;
}

int LineDegrees(int32_t dx, int32_t dy) {
  return int(std::atan2(double(dy), double(dx)) * 57.29577951308232);
}

int FreeRotationDegrees(int32_t refDx, int32_t refDy, int32_t dx, int32_t dy) {
  return LineDegrees(dx, dy) - LineDegrees(refDx, refDy);
}

}  // namespace wq
