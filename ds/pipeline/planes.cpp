// Colour line art from the scanner: three bit planes to 8-colour codes.
#include "ds/pipeline/lines.h"

namespace wq {

size_t PlanesToCodes(const uint8_t* planes, size_t planeBytes, uint8_t* out, size_t outBytes,
                     bool pack) {
  const uint8_t* red = planes;
  const uint8_t* green = planes + planeBytes;
  const uint8_t* blue = planes + 2 * planeBytes;
  size_t written = 0;
  for (size_t j = 0; j < planeBytes && written < outBytes; ++j) {
    const unsigned r = red[j], g = green[j], b = blue[j];
    for (int bit = 7; bit >= 0 && written < outBytes; bit -= pack ? 2 : 1) {
      const unsigned first = (b >> bit & 1) << 2 | (g >> bit & 1) << 1 | (r >> bit & 1);
      if (!pack) {
        out[written++] = uint8_t(first);
        continue;
      }
      const int next = bit - 1;
      const unsigned second = (b >> next & 1) << 2 | (g >> next & 1) << 1 | (r >> next & 1);
      out[written++] = uint8_t(first << 4 | second);
    }
  }
  return written;
}

}  // namespace wq
