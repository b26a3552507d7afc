// The screen copy of a preview: the raw 24-bit preview shown as the chosen
// mode and tone settings would make it. In order: the download tables
// (grey modes: the grey table on the mean of the three bytes), the software
// edge filter on colour modes when Edges asks for it, colour matching where
// a scan would apply it, then the mode's adjustment and its conversion for
// the screen (threshold, dither, diffusion, eight colours, palette).
#pragma once
#include <cstdint>

#include "ds/adjust/histogram.h"
#include "ds/pipeline/effect.h"
#include "ds/pipeline/tone.h"

namespace wq {

struct ScanSettings;

struct RenderSetup {
  SettingsInEffect Effect;
  ToneTables Tables;
  const uint8_t* MatchTable;  // colour matching, or null
  bool EdgeFilter;
};
// The settings of now (not a scan's snapshot) and their tables.
void PrepareRender(const ScanSettings& s, const uint8_t* matchTable, RenderSetup* setup);

// Renders `height` rows (bottom-up, `stride` apart) of red, green, blue
// pixels into `screen` (blue, green, red, the same layout). False when
// the work lines cannot be had (the screen copy is then a plain copy).
// With `histogram`, the region's pixels are counted as they enter the
// adjustment.
bool RenderImage(const RenderSetup& setup, const uint8_t* raw, uint8_t* screen, int32_t width,
                 int32_t height, uint32_t stride, ToneHistogram* histogram = nullptr,
                 const ImageRegion* region = nullptr);

struct PreviewImage;
// The pixels of the image the selection covers; the whole image when
// nothing is selected.
ImageRegion HistogramRegion(const ScanSettings& s, const PreviewImage& image);

// The screen copies of the preview and the zoom preview from the settings
// of now, and g_Histogram from the one shown.
bool RenderPreview();

}  // namespace wq
