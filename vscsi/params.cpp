// Tone curves and composition facts.
#include "vscsi/params.h"

#include <cmath>

namespace vscsi {

void ResetGamma(GammaChannel* g) {
  g->entries = 0;
  g->curve = 0;
  for (int i = 0; i < 256; ++i) g->map[i] = uint8_t(i);
}

void SetFixedCurve(GammaChannel* g, uint8_t k) {
  g->entries = 0;
  g->curve = k;
  double exponent = 10.0 / (9.0 + k);
  for (int i = 0; i < 256; ++i) {
    double v = 255.0 * std::pow(i / 255.0, exponent);
    g->map[i] = uint8_t(v + 0.5);
  }
}

bool CompositionValid(uint8_t c) { return c <= 5; }

uint8_t CompositionBits(uint8_t c) { return (c == 2 || c == 5) ? 8 : 1; }

}  // namespace vscsi
