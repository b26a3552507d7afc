// The binary gamma file (".GMA", 2,602 bytes, little-endian): the shown
// channel, the five gamma values and curve types, and per channel the point
// flags and levels of its curve.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/settings/settings.h"

namespace wq {

constexpr size_t kGmaFileBytes = 2602;

struct GammaFileContent {
  int16_t GammaColor;
  int16_t GammaVal[kGammaChannels];
  int16_t GammaInput[kGammaChannels];
  GammaCurve Curves[kGammaChannels];
};

enum class GmaStatus : uint8_t {
  kOk,
  kWrongSize,    // not 2,602 bytes
  kBadHeader,    // shown channel, gamma value or curve type out of range
  kBadPoints,    // a point flag other than 0 or 1, or a drawn curve without points
};

void TakeGammaFileContent(const ScanSettings& s, GammaFileContent* out);
void EncodeGammaFile(const GammaFileContent& c, uint8_t out[kGmaFileBytes]);
// Checks every field before anything is taken; `out` is untouched unless kOk.
GmaStatus DecodeGammaFile(const uint8_t* data, size_t size, GammaFileContent* out);
void ApplyGammaFileContent(const GammaFileContent& c, ScanSettings& s);

}  // namespace wq
