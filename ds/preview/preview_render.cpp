// Rendering a preview's screen copy step by step: the tone tables (one lookup
// when nothing comes between them), the edge filter, colour matching, then the
// adjustment and the mode's conversion, in screen byte order.
#include "ds/preview/preview_render.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <initializer_list>
#include <vector>

#include "ds/pipeline/clrmatch.h"
#include "ds/pipeline/display.h"
#include "ds/pipeline/lines.h"
#include "ds/pipeline/modes.h"
#include "ds/preview/preview.h"
#include "ds/res/tone_tables.h"
#include "ds/scan/edge.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

const uint8_t* MatrixOf(int mode) {
  switch (mode >> 8) {
    case 2: return res::kDitherMethod2.data();
    case 3: return res::kDitherMethod3.data();
    case 4: return res::kDitherMethod4.data();
    default: return nullptr;
  }
}

uint8_t* Row(uint8_t* image, int32_t height, uint32_t stride, int32_t y) {
  return image + size_t(height - 1 - y) * stride;  // y counts from the top
}

void SwapToBgr(uint8_t* line, size_t n) {
  for (size_t i = 0; i < n; ++i, line += 3) {
    const uint8_t r = line[0];
    line[0] = line[2];
    line[2] = r;
  }
}

}  // namespace

void PrepareRender(const ScanSettings& s, const uint8_t* matchTable, RenderSetup* setup) {
  TakeSettingsInEffect(s, &setup->Effect);
  SnapshotTables(setup->Effect, &setup->Tables);
  const SettingsInEffect& e = setup->Effect;
  const bool colour = IsColourMode(e.Mode);
  setup->MatchTable = matchTable && colour && e.NegaPosi == 1 && e.Gamma == 2 ? matchTable : nullptr;
  setup->EdgeFilter = colour && e.Edges >= 2 && e.Edges <= 4;
}

bool RenderImage(const RenderSetup& setup, const uint8_t* raw, uint8_t* screen, int32_t width,
                 int32_t height, uint32_t stride, ToneHistogram* histogram,
                 const ImageRegion* region) {
  if (histogram) ClearHistogram(histogram);
  if (!raw || !screen || width <= 0 || height <= 0) return false;
  const SettingsInEffect& e = setup.Effect;
  const ToneTables& t = setup.Tables;
  const int mode = e.Mode;
  const size_t n = size_t(width);
  const size_t lineBytes = n * 3;
  const bool greyPath = IsGreyMode(mode) || mode == 0x101;
  const bool nativeBilevel = mode == 0x101 || mode == 0x102;
  const bool adjust = !nativeBilevel && !AdjustIsIdentity(e);
  // Without the edge filter and colour matching in between, the download
  // and adjustment tables go in one lookup.
  // The histogram counts what enters the adjustment, so it keeps them apart.
  const bool folded = adjust && !setup.EdgeFilter && !setup.MatchTable && !histogram;
  const bool reversed = e.Binary == 2;

  // Work lines: the edge ring, the error lines, the palette reduction.
  std::vector<uint8_t> ring;
  std::vector<int16_t> errors;
  std::vector<uint8_t> reduceBlock;
  ReduceWork reduce{};
  try {
    if (setup.EdgeFilter) ring.resize(lineBytes * 3);
    if (mode == 0x501 || mode == 0x502) errors.assign((n + kDiffuseSpare) * 3, 0);
    if (mode == 4 || mode == 5) reduceBlock.resize(ReduceWorkBytes(n));
  } catch (...) {
    memcpy(screen, raw, size_t(stride) * size_t(height));
    return false;
  }
  if (!reduceBlock.empty()) {
    uint8_t identity[256];
    IdentityTable(identity);
    ReduceInit(reduceBlock.data(), reduceBlock.size(), identity, n, &reduce);
  }

  // 1. Download tables (with the adjustment when folded).
  const uint8_t* const* tables;
  const uint8_t* plain[4] = {t.Download[0], t.Download[1], t.Download[2], t.Download[3]};
  const uint8_t* combined[4] = {t.Preview[0], t.Preview[1], t.Preview[2], t.Preview[3]};
  tables = folded ? combined : plain;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = raw + size_t(y) * stride;
    uint8_t* dst = screen + size_t(y) * stride;
    if (greyPath)
      DisplayGreyTable(src, dst, tables[3], n);
    else
      LutRgb(src, dst, tables[0], tables[1], tables[2], n);
  }

  // 2. The edge filter, line u + 1 from lines u, u + 1, u + 2 (top-down).
  if (setup.EdgeFilter && height >= 3) {
    for (int32_t y = 0; y < height; ++y) {
      uint8_t* line = Row(screen, height, stride, y);
      memcpy(ring.data() + size_t(y % 3) * lineBytes, line, lineBytes);
      if (y >= 2)
        EdgeFilterLine(ring.data(), Row(screen, height, stride, y - 1), lineBytes, uint32_t(y - 2),
                       e.Edges, true);
    }
  }

  // 3. Colour matching.
  if (setup.MatchTable) ColourMatchStrip(setup.MatchTable, screen, stride, size_t(height), n);
  if (histogram) {
    const ImageRegion all{0, 0, width, height};
    CountHistogram(screen, width, height, stride, region ? *region : all, histogram);
  }

  // 4. Adjustment and the mode's conversion, row by row from the top.
  int16_t* errR = errors.empty() ? nullptr : errors.data();
  int16_t* errG = errR ? errR + n + kDiffuseSpare : nullptr;
  int16_t* errB = errG ? errG + n + kDiffuseSpare : nullptr;
  const uint8_t* matrix = MatrixOf(mode);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* line = Row(screen, height, stride, y);
    if (adjust && !folded) {
      if (greyPath)
        DisplayChannelTable(line, line, t.AdjustGrey, 0, n);
      else
        LutRgb(line, line, t.AdjustR, t.AdjustG, t.AdjustB, n);
    }
    switch (mode) {
      case 0x101: DisplayThreshold(line, line, e.ThresholdW, n, reversed); break;
      case 0x102:
        DisplayThresholdRgb(line, line, e.ThresholdW, e.ThresholdW, e.ThresholdW, n, reversed);
        break;
      case 0x201: case 0x301: case 0x401:
        DisplayDitherGrey(line, line, matrix, n, uint32_t(y), reversed);
        break;
      case 0x501: DisplayDiffuseGrey(line, line, errR, n, reversed); break;
      case 0x202: case 0x302: case 0x402:
        DisplayDitherRgb(line, line, matrix, n, uint32_t(y), reversed);
        break;
      case 0x502: DisplayDiffuseRgb(line, line, errR, errG, errB, n, reversed); break;
      case 4: case 5: DisplayReduce(line, line, &reduce, n, true); break;
      default: break;  // 3 and 6: the tables are all
    }
    SwapToBgr(line, n);
  }
  return true;
}

ImageRegion HistogramRegion(const ScanSettings& s, const PreviewImage& image) {
  const ImageRegion all{0, 0, image.Width, image.Height};
  const SettingsRect& crop = s.PreCropRect;
  if (crop.Right <= crop.Left || crop.Bottom <= crop.Top || image.Resolution <= 0) return all;
  const AreaRect a = SelectionRect(s);
  const auto px = [&](int32_t units) { return int32_t(int64_t(units) * image.Resolution / 25); };
  ImageRegion r{px(a.Left - image.Covers.Left), px(a.Top - image.Covers.Top),
                px(a.Right - image.Covers.Left), px(a.Bottom - image.Covers.Top)};
  r.Left = std::max<int32_t>(r.Left, 0);
  r.Top = std::max<int32_t>(r.Top, 0);
  r.Right = std::min(r.Right, image.Width);
  r.Bottom = std::min(r.Bottom, image.Height);
  // A selection off the image counts nothing rather than something else.
  return r;
}

bool RenderPreview() {
  if (!g_Settings) return false;
  RenderSetup* setup = new (std::nothrow) RenderSetup;
  if (!setup) return false;
  PrepareRender(*g_Settings, g_ColourMatch.Table, setup);
  const PreviewImage* shown =
      g_Preview.ZoomShown && g_Preview.Zoom.Raw ? &g_Preview.Zoom : &g_Preview.Preview;
  ClearHistogram(&g_Histogram);
  bool ok = true;
  for (PreviewImage* image : {&g_Preview.Preview, &g_Preview.Zoom}) {
    if (!image->Raw || !image->Screen) continue;
    const ImageRegion region = HistogramRegion(*g_Settings, *image);
    ok = RenderImage(*setup, image->Raw, image->Screen, image->Width, image->Height, image->Stride,
                     image == shown ? &g_Histogram : nullptr, &region) && ok;
  }
  delete setup;
  return ok;
}

}  // namespace wq
