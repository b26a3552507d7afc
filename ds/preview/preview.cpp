// Taking the two previews: the bed (or the selection's surroundings) at 40 or
// 75 dpi and the zoom preview at its computed resolution, read strip by strip
// into a white 24-bit image, the selection put back afterwards.
#include "ds/preview/preview.h"

#include <algorithm>
#include <cstring>

#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/base/memory.h"
#include "ds/pipeline/tone.h"
#include "ds/preview/preview_file.h"
#include "ds/preview/preview_render.h"
#include "ds/scan/progress.h"
#include "ds/scan/scanjob.h"
#include "ds/scan/strips.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {

PreviewState g_Preview;

namespace {

int32_t ToPixels(int32_t units, int resolution) {
  return units <= 0 ? 0 : int32_t(int64_t(units) * resolution / 25);
}

// The scan area is the selection; a preview scans its own region and puts
// the selection back afterwards.
struct AreaGuard {
  ScanSettings& s;
  int32_t left, top, width, height;
  explicit AreaGuard(ScanSettings& settings)
      : s(settings), left(s.AreaLeft), top(s.AreaTop), width(s.AreaWidth), height(s.AreaHeight) {}
  void Set(const AreaRect& r) {
    s.AreaLeft = r.Left;
    s.AreaTop = r.Top;
    s.AreaWidth = r.Right - r.Left;
    s.AreaHeight = r.Bottom - r.Top;
  }
  ~AreaGuard() {
    s.AreaLeft = left;
    s.AreaTop = top;
    s.AreaWidth = width;
    s.AreaHeight = height;
  }
};

// Reads the started scan's lines into `image`, from pixel (offX, offY) of
// the bitmap (top-down), as interleaved red, green, blue pixels.
void ReadInto(int progressKind, PreviewImage& image, int32_t offX, int32_t offY, int32_t regionW,
              int32_t regionH) {
  const int32_t reportedPixels = g_ParamBlock.ControlWord0;
  const int32_t reportedLines = g_ParamBlock.ControlWord1;
  const uint32_t pixels = uint32_t(reportedPixels > 0 ? reportedPixels : regionW);
  uint32_t lines = uint32_t(regionH);
  if (reportedLines > 0 && uint32_t(reportedLines) < lines) lines = uint32_t(reportedLines);
  const uint32_t lineBytes = pixels * 3;
  if (pixels == 0 || lines == 0) return;

  const uint64_t memory = g_Host.TotalPhysMemory();
  const uint64_t budget = std::min<uint64_t>(memory ? memory : g_Main.ScanMemory, g_Main.ScanMemory);
  uint32_t strip = uint32_t(std::max<uint64_t>(1, budget / lineBytes));
  strip = std::min(strip, lines);
  uint8_t* buffer = static_cast<uint8_t*>(WorkAlloc(size_t(strip) * lineBytes));
  if (!buffer) {
    CallScanner(kSelScannerReset);
    ShowMessageById(msg::kNoWorkMemory, kButtonsOk);
    return;
  }
  const int32_t copyPixels =
      std::max<int32_t>(0, std::min<int32_t>(int32_t(pixels), image.Width - offX));
  g_Progress.Open(progressKind);
  g_Progress.SetTotal(lines, true);
  for (uint32_t done = 0; done < lines;) {
    const uint32_t n = std::min(strip, lines - done);
    if (g_ScanRead.ReadData(buffer, n, lineBytes) != 0) {
      g_ScanRead.CheckStatus();
      break;
    }
    for (uint32_t k = 0; k < n; ++k) {
      const int32_t row = image.Height - 1 - int32_t(done + k) - offY;
      if (row < 0 || row >= image.Height || offX < 0) continue;
      const uint8_t* planes = buffer + size_t(k) * lineBytes;
      uint8_t* out = image.Raw + size_t(row) * image.Stride + size_t(offX) * 3;
      for (int32_t i = 0; i < copyPixels; ++i) {
        out[3 * i] = planes[i];
        out[3 * i + 1] = planes[pixels + i];
        out[3 * i + 2] = planes[2 * pixels + i];
      }
      g_Progress.Step(done + k + 1, false);
    }
    done += n;
    if (g_Progress.PollCancel()) {
      CallScanner(kSelScannerReset);
      break;
    }
  }
  g_Progress.Close();
  WorkFree(buffer);
}

void Erase() {
  g_Host.ErasePreviewFrame();
}
void Redraw() {
  g_Host.RedrawPreview();
}

}  // namespace

int PreviewResolution(int model) { return model == 1 || model == 3 ? 75 : 40; }

AreaRect CurrentBed(const ScanSettings& s) {
  return BedRect(s.Model, s.ADF == 1, s.Mirror == 1, s.MirrorType);
}

AreaRect SelectionRect(const ScanSettings& s) {
  return {s.AreaLeft, s.AreaTop, s.AreaLeft + s.AreaWidth, s.AreaTop + s.AreaHeight};
}

AreaRect GrowSelection(const AreaRect& sel, const AreaRect& bed, bool clipped[4]) {
  const int32_t w = sel.Right - sel.Left, h = sel.Bottom - sel.Top;
  const int32_t gx = std::max<int32_t>(1, (w * 12 / 10 - w) / 2);
  const int32_t gy = std::max<int32_t>(1, (h * 12 / 10 - h) / 2);
  AreaRect r{sel.Left - gx, sel.Top - gy, sel.Right + gx, sel.Bottom + gy};
  bool cut[4] = {r.Left < bed.Left, r.Top < bed.Top, r.Right > bed.Right, r.Bottom > bed.Bottom};
  r.Left = std::max(r.Left, bed.Left);
  r.Top = std::max(r.Top, bed.Top);
  r.Right = std::min(r.Right, bed.Right);
  r.Bottom = std::min(r.Bottom, bed.Bottom);
  if (clipped)
    for (int i = 0; i < 4; ++i) clipped[i] = cut[i];
  return r;
}

AreaRect PreviewRegion(const ScanSettings& s) {
  const AreaRect bed = CurrentBed(s);
  if (s.PrescanSelect == 0 || s.AreaWidth <= 0 || s.AreaHeight <= 0) return bed;
  return GrowSelection(SelectionRect(s), bed, nullptr);
}

int ZoomPreviewResolution(int screenWidth, int screenHeight, const AreaRect& sel, int model) {
  const int64_t w = sel.Right - sel.Left, h = sel.Bottom - sel.Top;
  int64_t r;
  if (w > h)
    r = (int64_t(screenWidth) * 3 / 5 * 25) / std::max<int64_t>(1, w * 12 / 10);
  else
    r = (int64_t(screenHeight) * 3 / 5 * 25) / std::max<int64_t>(1, h * 12 / 10);
  r -= r % 25;
  if (r < 50) r += 25;
  const int64_t cap = model == 2 ? 1200 : 600;
  return int(std::min(r, cap));
}

bool AllocatePreviewImage(PreviewImage* image, const AreaRect& covers, int resolution) {
  *image = PreviewImage{};
  const int32_t w = ToPixels(covers.Right - covers.Left, resolution);
  const int32_t h = ToPixels(covers.Bottom - covers.Top, resolution);
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
  const uint32_t stride = PreviewStride(w);
  const size_t bytes = size_t(stride) * size_t(h);
  uint8_t* raw = static_cast<uint8_t*>(WorkAlloc(bytes));
  uint8_t* screen = raw ? static_cast<uint8_t*>(WorkAlloc(bytes)) : nullptr;
  if (!screen) {
    WorkFree(raw);
    return false;
  }
  memset(raw, 255, bytes);
  memset(screen, 255, bytes);
  *image = PreviewImage{raw, screen, w, h, stride, resolution, covers};
  return true;
}

void FreePreviewImage(PreviewImage* image) {
  WorkFree(image->Raw);
  WorkFree(image->Screen);
  *image = PreviewImage{};
}

bool PreviewExists() { return g_Preview.Preview.Raw != nullptr; }
bool ZoomPreviewExists() { return g_Preview.Zoom.Raw != nullptr; }

void DiscardPreviews() {
  FreePreviewImage(&g_Preview.Preview);
  DiscardZoomPreview();
}

void DiscardZoomPreview() {
  FreePreviewImage(&g_Preview.Zoom);
  for (bool& c : g_Preview.ZoomClipped) c = false;
}

bool TakePreview() {
  if (!g_Settings) return false;
  ScanSettings& s = *g_Settings;
  const AreaRect bed = CurrentBed(s);
  const AreaRect region = PreviewRegion(s);
  const int res = PreviewResolution(s.Model);
  PreviewImage image;
  if (!AllocatePreviewImage(&image, bed, res)) {
    ShowMessageById(msg::kNoWorkMemory, kButtonsOk);
    return false;
  }
  Erase();
  bool started;
  {
    AreaGuard area(s);
    area.Set(region);
    // A preview is a job too: its settings in effect say which mode the
    // histogram it leaves belongs to.
    SnapshotSettings(s);
    started = StartScanJob(kPreviewScan);
  }
  if (!started) {
    FreePreviewImage(&image);
    Redraw();
    return false;
  }
  ReadInto(kProgressPreview, image, ToPixels(region.Left - bed.Left, res), ToPixels(region.Top - bed.Top, res),
           ToPixels(region.Right - region.Left, res), ToPixels(region.Bottom - region.Top, res));
  FreePreviewImage(&g_Preview.Preview);
  g_Preview.Preview = image;
  RenderPreview();
  WritePreviewWorkFile();
  Redraw();
  return true;
}

bool ZoomRegionChanged(const ScanSettings& s) {
  const AreaRect r = GrowSelection(SelectionRect(s), CurrentBed(s), nullptr);
  const AreaRect& z = g_Preview.Zoom.Covers;
  return r.Left != z.Left || r.Top != z.Top || r.Right != z.Right || r.Bottom != z.Bottom;
}

bool TakeZoomPreview() {
  if (!g_Settings) return false;
  ScanSettings& s = *g_Settings;
  const AreaRect bed = CurrentBed(s);
  const AreaRect selection = SelectionRect(s);
  bool clipped[4];
  const AreaRect region = GrowSelection(selection, bed, clipped);
  int width = 1024, height = 768;
  g_Host.ScreenSize(&width, &height);
  const int res = ZoomPreviewResolution(width, height, selection, s.Model);
  PreviewImage image;
  if (!AllocatePreviewImage(&image, region, res)) {
    ShowMessageById(msg::kNoWorkMemory, kButtonsOk);
    return false;
  }
  g_ScanJob.ZoomPreviewResolution = int16_t(res);
  bool started;
  {
    AreaGuard area(s);
    area.Set(region);
    // A preview is a job too: its settings in effect say which mode the
    // histogram it leaves belongs to.
    SnapshotSettings(s);
    started = StartScanJob(kZoomPreviewScan);
  }
  if (!started) {
    FreePreviewImage(&image);
    return false;
  }
  ReadInto(kProgressZoomPreview, image, 0, 0, image.Width, image.Height);
  FreePreviewImage(&g_Preview.Zoom);
  g_Preview.Zoom = image;
  for (int i = 0; i < 4; ++i) g_Preview.ZoomClipped[i] = clipped[i];
  RenderPreview();
  return true;
}

}  // namespace wq
