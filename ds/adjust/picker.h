// The black-point and white-point pickers of the levels page: the colour
// under the pointer in the shown preview and the input levels it sets.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;
struct ToneTables;

// Red, green, blue under the pointer, -1 for all three outside the image.
struct PickedColour {
  int16_t R, G, B;
};
constexpr PickedColour kNothingPicked{-1, -1, -1};

// The colour of image pixel (x, y) (rows counted from the top) of a raw
// preview (rows bottom-up, red first) as it enters the software
// adjustment: through the download tables, grey modes the grey table on
// the mean of the three bytes (so a second pick at the same place gives the
// same levels as the first).
PickedColour PickColour(const uint8_t* raw, int32_t width, int32_t height, uint32_t stride,
                        int32_t x, int32_t y, const ToneTables& tables, bool grey);

// The picked colour into the levels: black point (true) or white point.
// Nothing changes for a colour outside the image.
void ApplyPickedPoint(ScanSettings& s, const PickedColour& c, bool blackPoint);

}  // namespace wq
