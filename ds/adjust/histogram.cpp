// Counting and scaling the preview histogram.
#include "ds/adjust/histogram.h"

#include <algorithm>
#include <cstring>

namespace wq {

ToneHistogram g_Histogram;

void ClearHistogram(ToneHistogram* h) { memset(h, 0, sizeof *h); }

void CountHistogram(const uint8_t* image, int32_t width, int32_t height, uint32_t stride,
                    const ImageRegion& region, ToneHistogram* h) {
  ClearHistogram(h);
  if (!image || width <= 0 || height <= 0) return;
  const int32_t left = std::max<int32_t>(region.Left, 0), right = std::min(region.Right, width);
  const int32_t top = std::max<int32_t>(region.Top, 0), bottom = std::min(region.Bottom, height);
  if (left >= right || top >= bottom) return;
  // Four tables per channel break the store-to-load chain of runs of one level.
  static thread_local uint32_t part[3][4][256];
  memset(part, 0, sizeof part);
  const size_t n = size_t(right - left);
  for (int32_t y = top; y < bottom; ++y) {
    const uint8_t* p = image + size_t(height - 1 - y) * stride + size_t(left) * 3;
    size_t i = 0;
    for (; i + 4 <= n; i += 4, p += 12)
      for (int k = 0; k < 4; ++k) {
        ++part[0][k][p[3 * k]];
        ++part[1][k][p[3 * k + 1]];
        ++part[2][k][p[3 * k + 2]];
      }
    for (; i < n; ++i, p += 3) {
      ++part[0][0][p[0]];
      ++part[1][0][p[1]];
      ++part[2][0][p[2]];
    }
  }
  for (int c = 0; c < 3; ++c) {
    for (int v = 0; v < 256; ++v)
      h->Count[c][v] = part[c][0][v] + part[c][1][v] + part[c][2][v] + part[c][3][v];
    h->Pixels[c] = uint32_t(n * size_t(bottom - top));
  }
}

void HistogramOf(const ToneHistogram& h, int channel, uint32_t out[256]) {
  for (int v = 0; v < 256; ++v) {
    switch (channel) {
      case 1: out[v] = h.Count[0][v] + h.Count[1][v] + h.Count[2][v]; break;
      case 3: out[v] = h.Count[1][v]; break;
      case 4: out[v] = h.Count[2][v]; break;
      default: out[v] = h.Count[0][v]; break;  // 2 and 5
    }
  }
}

uint32_t HistogramPixels(const ToneHistogram& h, int channel) {
  switch (channel) {
    case 1: return h.Pixels[0] + h.Pixels[1] + h.Pixels[2];
    case 3: return h.Pixels[1];
    case 4: return h.Pixels[2];
    default: return h.Pixels[0];
  }
}

void HistogramBars(const uint32_t counts[256], int height, int bars[256]) {
  uint32_t m = 1;
  for (int v = 0; v < 256; ++v) m = std::max(m, counts[v]);
  const int64_t f = int64_t(height) * 10000 / m;
  for (int v = 0; v < 256; ++v) bars[v] = int(int64_t(counts[v]) * f / 10000);
}

}  // namespace wq
