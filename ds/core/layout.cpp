// Frame values into the scan area's 1/25 inch by unit (pixels at the
// resolution, centimetres, inches), pixels back into a unit, and an area value
// on the preview frame's scale by model.
#include "ds/core/layout.h"

#include "twain/twain.h"

namespace wq {

int32_t FrameValueToArea(double value, int units, int resolution) {
  // Beyond any bed by far, and still safe to scale.
  constexpr double kLimit = 1e7;
  if (!(value > -kLimit)) value = -kLimit;
  if (value > kLimit) value = kLimit;
  switch (units) {
    case TWUN_PIXELS:
      return resolution > 0 ? int32_t(int64_t(value) * 25 / resolution) : 0;
    case TWUN_CENTIMETERS:
      return int32_t(int64_t(value * 100) * 100 / 254 / 4);
    default:
      return int32_t(int64_t(value * 100) / 4);
  }
}

double PixelsInUnits(int64_t pixels, int units, int resolution) {
  switch (units) {
    case TWUN_PIXELS: return double(pixels);
    case TWUN_CENTIMETERS: return resolution > 0 ? double(pixels) / resolution * 2.54 : 0;
    default: return resolution > 0 ? double(pixels) / resolution : 0;
  }
}

int32_t AreaToPreview(int32_t v, int model) {
  const int64_t scaled = model == 3 ? int64_t(v) * 3 + 4 : int64_t(v) * 4 + 4;
  return int32_t(scaled / 5);
}

}  // namespace wq
