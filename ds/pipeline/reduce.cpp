// Palette reduction to the 3-3-2 colour cube with error diffusion along the
// line and from the line above.
#include <array>
#include <cstring>

#include "ds/pipeline/lines.h"

namespace wq {

namespace {

template <size_t N>
constexpr std::array<Quantised, 256> QuantiserTable(const uint8_t (&levels)[N]) {
  std::array<Quantised, 256> q{};
  for (int t = 0; t < 256; ++t) {
    size_t best = 0;
    for (size_t k = 1; k < N; ++k) {
      const int dk = t > levels[k] ? t - levels[k] : levels[k] - t;
      const int db = t > levels[best] ? t - levels[best] : levels[best] - t;
      if (dk < db) best = k;  // a tie keeps the lower level
    }
    q[t] = Quantised{uint8_t(best), int16_t(t - levels[best])};
  }
  return q;
}

constexpr std::array<Quantised, 256> kQ3 = QuantiserTable(kLevels3);
constexpr std::array<Quantised, 256> kQ2 = QuantiserTable(kLevels2);

template <int kTop>
inline Quantised QuantiseWith(const std::array<Quantised, 256>& q, int t) {
  if (t < 0) return Quantised{0, int16_t(t)};
  if (t > 255) return Quantised{uint8_t(kTop), int16_t(t - 256)};
  return q[t];
}

constexpr size_t AlignUp(size_t v) { return (v + 7) & ~size_t(7); }

// One channel of one pixel: returns the code and moves the running error.
struct ChannelState {
  const uint8_t* table;
  int16_t* e;
  int d;
};

template <int kTop>
inline unsigned ReduceStep(const std::array<Quantised, 256>& q, ChannelState& c, int v,
                           size_t i) {
  const int e = (c.e[i] + c.d + c.e[i + 1] + c.e[i + 2]) >> 2;
  c.e[i] = int16_t(c.d);
  const Quantised r = QuantiseWith<kTop>(q, c.table[v] + e);
  c.d = r.Error;
  return r.Code;
}

}  // namespace

Quantised Quantise3(int t) { return QuantiseWith<7>(kQ3, t); }
Quantised Quantise2(int t) { return QuantiseWith<3>(kQ2, t); }

size_t ReduceWorkBytes(size_t n) {
  // The error lines are kept aligned for their 16-bit values.
  return AlignUp(n) + 3 * (256 + AlignUp((n + 2) * sizeof(int16_t)));
}

bool ReduceInit(void* block, size_t blockBytes, const uint8_t* identity, size_t n, ReduceWork* w) {
  if (!block || blockBytes < ReduceWorkBytes(n)) return false;
  uint8_t* p = static_cast<uint8_t*>(block);
  w->Out = p;
  p += AlignUp(n);
  for (int c = 0; c < 3; ++c) {
    w->Table[c] = p;
    memcpy(p, identity, 256);
    p += 256;
    w->Error[c] = reinterpret_cast<int16_t*>(p);
    memset(p, 0, (n + 2) * sizeof(int16_t));
    p += AlignUp((n + 2) * sizeof(int16_t));
  }
  w->Pixels = n;
  return true;
}

void ReduceLine(ReduceWork& w, const uint8_t* line, size_t n) {
  if (n > w.Pixels) n = w.Pixels;
  // The three channels are independent, so one walk along the line gives
  // what a pass per channel (red, then green, then blue) gives.
  ChannelState r{w.Table[0], w.Error[0], 0};
  ChannelState g{w.Table[1], w.Error[1], 0};
  ChannelState b{w.Table[2], w.Error[2], 0};
  uint8_t* out = w.Out;
  for (size_t i = 0; i < n; ++i, line += 3) {
    const unsigned cr = ReduceStep<7>(kQ3, r, line[0], i);
    const unsigned cg = ReduceStep<7>(kQ3, g, line[1], i);
    const unsigned cb = ReduceStep<3>(kQ2, b, line[2], i);
    out[i] = uint8_t(cr * 32 + cg * 4 + cb);
  }
}

}  // namespace wq
