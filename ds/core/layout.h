// DAT_IMAGELAYOUT's arithmetic: frame values between the application's unit
// (TwUnits) and the scan area's 1/25 inch, and the preview frame's scale.
#pragma once
#include <cstdint>

namespace wq {

// A frame value in the application's unit as 1/25 inch. Inches:
// truncate(value x 100) div 4; centimetres: truncate(value x 100) x 100 div
// 254 div 4; pixels: truncate(value) x 25 div the axis resolution (0 when
// the resolution is).
int32_t FrameValueToArea(double value, int units, int resolution);
// Pixels at `resolution` in the application's unit: inches are pixels /
// resolution, centimetres that x 2.54, pixels as they are.
double PixelsInUnits(int64_t pixels, int units, int resolution);
// Area units into preview-frame pixels, rounding up: (v x 4 + 4) div 5, or
// (v x 3 + 4) div 5 on the WQ490.
int32_t AreaToPreview(int32_t units, int model);

}  // namespace wq
