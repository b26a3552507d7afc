// The preview histogram the tone windows draw and "Auto" reads: per level
// counts of the red, green and blue bytes of the shown preview as they
// enter the software adjustment, within the selection (the whole image
// when nothing is selected). The preview rendering fills it each time it
// draws.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

struct ToneHistogram {
  uint32_t Count[3][256];  // red, green, blue
  uint32_t Pixels[3];      // pixels counted into each table
};
extern ToneHistogram g_Histogram;

// Pixels of an image, rows counted from the top, right and bottom exclusive.
struct ImageRegion {
  int32_t Left, Top, Right, Bottom;
};

void ClearHistogram(ToneHistogram* h);
// Counts the region of a 24-bit image whose rows lie bottom-up `stride`
// apart, red first in memory; the region is cut to the image.
void CountHistogram(const uint8_t* image, int32_t width, int32_t height, uint32_t stride,
                    const ImageRegion& region, ToneHistogram* h);

// The counts a window draws: channel 1 the sum of red, green and blue,
// 2 and 5 red, 3 green, 4 blue.
void HistogramOf(const ToneHistogram& h, int channel, uint32_t out[256]);
// The pixel count behind a channel's counts.
uint32_t HistogramPixels(const ToneHistogram& h, int channel);

// The height of each level's line in an area `height` pixels high, scaled
// so that the largest count (at least 1) fills it: f = height x 10000 / m,
// line = count x f / 10000, in integers.
void HistogramBars(const uint32_t counts[256], int height, int bars[256]);

}  // namespace wq
