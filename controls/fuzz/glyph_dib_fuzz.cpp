// Glyph bitmaps come from the library's own resources, but a damaged or
// replaced file must not make the painter read past the resource.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "controls/glyph_dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wq::GlyphDib g;
  std::span<const uint8_t> dib(data, size);
  if (wq::ParseGlyphDib(dib, g) != wq::DibStatus::Ok) return 0;
  if (g.bitsOffset > size || size - g.bitsOffset < g.bitsSize) std::abort();
  if (g.tableOffset + size_t(g.colours) * 4 > g.bitsOffset) std::abort();
  std::vector<uint8_t> table(data + g.tableOffset, data + g.bitsOffset);
  wq::RecolourGlyphTable(table, wq::GlyphColours{1, 2, 3, 4});
  // Touch the last pixel byte the painter would read.
  volatile uint8_t last = g.bitsSize ? data[g.bitsOffset + g.bitsSize - 1] : 0;
  (void)last;
  return 0;
}
