// Showing and reading the gamma editor's gamma value.
#include "ds/gamma/gamma_value.h"

#include <cstdint>

#include "ds/ui/units.h"

namespace wq {

void FormatGammaValue(int hundredths, const char* separator, char* buf, size_t size) {
  FormatHundredths(hundredths, separator, buf, size);
}

bool ParseGammaValue(const char* text, const char* separator, int* hundredths) {
  int64_t v = 0;
  if (!ParseHundredths(text, separator, &v) || v < kGammaValueMinimum || v > kGammaValueMaximum)
    return false;
  *hundredths = int(v);
  return true;
}

}  // namespace wq
