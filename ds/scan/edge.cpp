// The software edge filter on a ring of three lines (two sharpenings and a
// smoothing, the ends of each line left as they are), and planar colour lines
// turned into red, green, blue triples.
#include "ds/scan/edge.h"

#include <cstring>

namespace wq {

namespace {

inline uint8_t Clamp(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

template <int kEdges>
inline uint8_t Filter(int c, int around, int l, int r, int a, int d) {
  if (kEdges == 2) return Clamp((8 * c - around) >> 2);
  if (kEdges == 3) return Clamp((6 * c - around) >> 1);
  return uint8_t((l + r + 4 * c + a + d) >> 3);
}

// The step between neighbours (3 for colour, 1 for grey) is a constant and
// the lines do not overlap, so the compiler can work on many bytes at once.
template <int kEdges, size_t kStep>
void FilterBytes(const uint8_t* __restrict above, const uint8_t* __restrict centre,
                 const uint8_t* __restrict below, uint8_t* __restrict out, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) {
    const int l = centre[i - kStep], r = centre[i + kStep], a = above[i], d = below[i];
    out[i] = Filter<kEdges>(centre[i], l + r + a + d, l, r, a, d);
  }
}

template <size_t kStep>
void FilterLine(const uint8_t* above, const uint8_t* centre, const uint8_t* below, uint8_t* out,
                size_t from, size_t to, int edges) {
  switch (edges) {
    case 2: FilterBytes<2, kStep>(above, centre, below, out, from, to); break;
    case 3: FilterBytes<3, kStep>(above, centre, below, out, from, to); break;
    case 4: FilterBytes<4, kStep>(above, centre, below, out, from, to); break;
    default: break;
  }
}

}  // namespace

void EdgeFilterLine(const uint8_t* ring, uint8_t* out, size_t lineBytes, uint32_t u, int edges,
                    bool colour) {
  const uint8_t* above = ring + (u % 3) * lineBytes;
  const uint8_t* centre = ring + ((u + 1) % 3) * lineBytes;
  const uint8_t* below = ring + ((u + 2) % 3) * lineBytes;
  const size_t step = colour ? 3 : 1;
  memcpy(out, centre, lineBytes);
  // Lines of fewer than three pixels, and the first and last pixel of any
  // line, pass unfiltered.
  if (lineBytes < 3 * step) return;
  if (colour)
    FilterLine<3>(above, centre, below, out, step, lineBytes - step, edges);
  else
    FilterLine<1>(above, centre, below, out, step, lineBytes - step, edges);
}

void PlanarToInterleaved(uint8_t* buffer, size_t lines, size_t lineBytes, uint8_t* scratch) {
  const size_t plane = lineBytes / 3;
  for (size_t y = 0; y < lines; ++y) {
    uint8_t* line = buffer + y * lineBytes;
    const uint8_t* r = line;
    const uint8_t* g = line + plane;
    const uint8_t* b = line + 2 * plane;
    for (size_t i = 0; i < plane; ++i) {
      scratch[3 * i] = r[i];
      scratch[3 * i + 1] = g[i];
      scratch[3 * i + 2] = b[i];
    }
    memcpy(line, scratch, 3 * plane);
  }
}

}  // namespace wq
