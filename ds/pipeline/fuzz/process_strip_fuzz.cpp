// ProcessStrip with any mode, pixel count, pack flag and line sizes: the
// sizes are checked against the buffer and the job's work areas, never
// trusted.
#include <cstdint>
#include <cstring>
#include <vector>

#include "ds/pipeline/process.h"

namespace {

uint16_t Take16(const uint8_t*& p, size_t& left) {
  uint16_t v = 0;
  for (int i = 0; i < 2 && left; ++i, --left) v = uint16_t(v << 8 | *p++);
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wq;
  static const int kModes[] = {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x202,
                               0x302, 0x402, 0x502, 3,     4,     5,     6};
  const uint8_t* p = data;
  size_t left = size;
  const uint16_t pick = Take16(p, left);
  const int mode = pick < 14 * 256 ? kModes[pick % 14] : int16_t(pick);
  const uint32_t pixels = Take16(p, left) % 2048;
  const uint16_t flags = Take16(p, left);
  const size_t lines = Take16(p, left) % 32;
  const bool consistent = flags & 4;
  size_t P = Take16(p, left), S = Take16(p, left), R = Take16(p, left);
  const bool pack = flags & 1;
  if (consistent) {
    S = ScannerLineBytes(mode, pixels);
    P = PipelineLineBytes(mode, pixels, pack);
    R = P;
    if (mode == 4 || mode == 5) R = pixels;
    if (mode == 0x502) R = pack ? (pixels + 1) / 2 : pixels;
  }

  SettingsInEffect e{};
  e.Mode = int16_t(mode);
  e.Binary = flags & 2 ? 2 : 1;
  e.Gamma = 2;
  e.NegaPosi = 1;
  e.Brightnes = int16_t(flags >> 8);
  ToneTables t{};
  SnapshotTables(e, &t);
  static std::vector<uint8_t> match(196608);
  for (size_t i = 0; i < match.size(); i += 97) match[i] = uint8_t(i);
  PipelineJob job{};
  SetUpPipeline(&job, e, t, flags & 8 ? match.data() : nullptr, pixels, pack);
  if (!AllocatePipelineBuffers(&job)) return 0;

  size_t bytes = consistent ? lines * (P > R ? P : R) : Take16(p, left);
  std::vector<uint8_t> buffer(bytes + 1);
  for (size_t i = 0; i < bytes; ++i) buffer[i] = left ? p[i % left] : uint8_t(i);
  for (int strip = 0; strip < 2; ++strip)
    ProcessStrip(&job, buffer.data(), bytes, lines, P, S, R);
  FreePipelineBuffers(&job);
  return 0;
}
