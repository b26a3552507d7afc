// The strip sizes: each mode's side memory, the lines the strip buffer holds
// within the memory and NearFull, the lines of one ReadData call, and whether
// the WQ140's edge filter runs.
#include "ds/scan/stripsize.h"

#include "ds/pipeline/modes.h"

namespace wq {

uint32_t PipelineScratchSize(int mode, uint32_t w, int edges, bool colourMatching) {
  const uint64_t edge = edges != 1 ? 9ull * w : 0;
  const uint64_t match = colourMatching ? 98304 : 0;
  uint64_t size = 0;
  switch (mode) {
    case 3: size = edge; break;
    case 4: case 5: size = edge + match + 7ull * w + 780; break;
    case 6: size = edges != 1 ? 3ull * w : 0; break;
    case 0x102: size = 2ull * (((uint64_t(w) * 4 + 31) & ~31ull) / 8) + 12; break;
    case 0x202: case 0x302: case 0x402: size = edge + match; break;
    case 0x502: size = edge + match + 6ull * w + 36; break;
    case 0x501: size = (((uint64_t(w) * 8 + 31) & ~31ull) / 16) * 4 + 12; break;
    default: break;
  }
  return size > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(size);
}

int64_t StripBufferLines(uint64_t total, uint64_t scratch, uint64_t nearFull, uint32_t b) {
  if (b == 0 || total < scratch) return -1;
  const int64_t A = int64_t((total - scratch) / 2);
  const int64_t nf = int64_t(nearFull);
  const int64_t B = b;
  int64_t lines;
  if (nf < A) {
    // NearFull keeps a little room beside the lines.
    if (b <= 256 && 256 % b == 0)
      lines = (nf - (256 / B + 1) * B) / B;
    else if (b <= 256)
      lines = (nf - (256 / B + 2) * B) / B;
    else
      lines = (nf - 2 * B) / B;
  } else {
    lines = A / B;
  }
  const int64_t most = int64_t(kMaxStripBufferBytes / b);
  if (lines > most) lines = most;
  // A small NearFull, or a line longer than it, still reads a line at a time.
  return lines < 1 ? 1 : lines;
}

uint32_t StripLinesFor(uint32_t scanMemory, uint32_t b, uint32_t bufferLines) {
  uint32_t lines = b != 0 && b < scanMemory ? scanMemory / b : 1;
  if (lines > bufferLines) lines = bufferLines;
  return lines < 1 ? 1 : lines;
}

bool EdgeFilterOn(int edges, int mode, int model) {
  if (model != 0) return false;
  if (mode != 3 && !IsColourMode(mode)) return false;
  // 2 and 3 sharpen, 4 smooths; 1 and anything else leave the lines alone.
  return edges >= 2 && edges <= 4;
}

}  // namespace wq
