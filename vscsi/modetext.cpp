// The WQ490's mode-parameter text (READ data type 0x82): letter-keyed
// entries the scanner library reads back into window fields. Syntax in
// vscsi/README.md.
#include <cstdio>

#include "vscsi/scanner.h"

namespace vscsi {
namespace {

// The resolution presets the text's "D" entry knows, by digit.
constexpr uint16_t kPresets[8] = {0, 300, 200, 150, 100, 75, 400, 600};

int PresetDigit(const ScanParams& p) {
  if (p.xres != p.yres || p.xfrac || p.yfrac) return 0;
  for (int d = 1; d < 8; ++d)
    if (kPresets[d] == p.xres) return d;
  return 0;
}

}  // namespace

size_t BuildModeText(const ScannerState& s, char* out, size_t cap) {
  const ScanParams& p = s.params;
  char resolution[24];
  int digit = PresetDigit(p);
  if (digit) snprintf(resolution, sizeof resolution, "%d", digit);
  else snprintf(resolution, sizeof resolution, "0%u,%u", unsigned(p.xres), unsigned(p.yres));
  int n = snprintf(out, cap, "A%u,%u,%u,%u B%u C%u D%s E%u F%u G%u L%d/%d/%d/%d T%u Y%u Z%u O%u",
                   unsigned(p.left), unsigned(p.top), unsigned(p.width), unsigned(p.length),
                   unsigned(p.bits), unsigned(p.composition), resolution, unsigned(p.edge),
                   unsigned(p.lightSource), p.reverse ? 1u : 0u, int(p.lightness[0]),
                   int(p.lightness[1]), int(p.lightness[2]), int(p.lightness[3]),
                   unsigned(p.threshold), unsigned(p.zoomEnabled ? p.zoomY : 0),
                   unsigned(p.zoomEnabled ? p.zoomX : 0), s.options.fsuType ? 1u : 0u);
  if (n < 0) return 0;
  return size_t(n) < cap ? size_t(n) : cap - 1;
}

}  // namespace vscsi
