// What the scanner does to the light it reads before it sends a line:
// exposure, tone curve, brightness, then the line format of the image
// composition.
#pragma once
#include <cstdint>

#include "vscsi/params.h"

namespace vscsi {

// Per-channel lookup: exposure (lightness, per cent), the downloaded curve
// (multi-level compositions only) and brightness, in that order.
struct ToneTables {
  uint8_t lut[4][256];  // red, green, blue, grey
};

void BuildTone(const ScanParams& p, const GammaChannel gamma[4], ToneTables* t);

// The grey a mono scan reads from a colour, by light source.
uint8_t GreyOf(uint8_t lightSource, uint8_t r, uint8_t g, uint8_t b);

// Formats one line of n pixels, given as three planes, in the composition's
// line format (LineBytes of geometry.h bytes); row is the line's index in
// the image (for the halftone pattern).
void FormatLine(const ScanParams& p, const ToneTables& t, const uint8_t* r, const uint8_t* g,
                const uint8_t* b, uint32_t n, uint32_t row, uint8_t* out);

}  // namespace vscsi
