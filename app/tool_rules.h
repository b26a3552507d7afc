// The arithmetic of the image tools: the zoom tools' steps, window points
// as image pixels, the cut tool's rectangle and double click, and the free
// rotation's angle from two drawn lines.
#pragma once
#include <cstdint>

namespace wq {

// One click of a zoom tool: from 1:1 to 2:1 or 1:2, otherwise the factor
// doubled (zoom in) or halved (zoom out), within the steps.
int ToolZoomStep(int step, bool zoomIn);

// The image pixel under window pixel `client` along one side, at scroll
// position `scroll` (window pixels) and zoom `step`; clamped to the image.
uint32_t ImagePixelAt(int32_t client, uint32_t scroll, int step, uint32_t imageLength);
// The window pixel where image pixel `pixel` starts.
int64_t WindowPixelOf(uint32_t pixel, uint32_t scroll, int step);

struct PixelRect {
  uint32_t x = 0, y = 0, width = 0, height = 0;
};
// The rectangle spanned by two image pixels, both included.
PixelRect SpannedRect(uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1);
bool Contains(const PixelRect& r, uint32_t x, uint32_t y);

// A second click counts as a double click within `ms` of the first and
// inside the square of the system's double-click size around it.
bool IsDoubleClick(uint32_t elapsedMs, uint32_t doubleClickMs, int32_t dx, int32_t dy, int32_t cx,
                   int32_t cy);

// A line's direction: atan2(dy, dx) in degrees, truncated (rows run down).
int LineDegrees(int32_t dx, int32_t dy);
// The turn that brings the reference line's direction onto the second's;
// 0 for parallel lines.
int FreeRotationDegrees(int32_t refDx, int32_t refDy, int32_t dx, int32_t dy);

}  // namespace wq
