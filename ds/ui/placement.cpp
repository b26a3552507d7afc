// Window placements: a saved place kept on the screen, default places for the
// scanning, preview, information and tool windows, and the preview frame's size
// from the bed.
#include "ds/ui/placement.h"

#include "ds/settings/settings.h"

namespace wq {

bool PlacementSaved(const SettingsRect& r) { return r.Right > r.Left && r.Bottom > r.Top; }

SettingsRect ToSettingsRect(const ScreenRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

ScreenRect KeepOnScreen(const ScreenRect& r, const ScreenRect& screen) {
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  int left = r.Left, top = r.Top;
  if (left + w > screen.Right) left = screen.Right - w;
  if (top + h > screen.Bottom) top = screen.Bottom - h;
  if (left < screen.Left) left = screen.Left;
  if (top < screen.Top) top = screen.Top;
  return {left, top, left + w, top + h};
}

ScreenRect PlaceWindow(const SettingsRect& saved, int width, int height, int defaultLeft,
                       int defaultTop, const ScreenRect& screen) {
  int left = defaultLeft, top = defaultTop;
  if (PlacementSaved(saved)) {
    left = saved.Left;
    top = saved.Top;
  }
  return KeepOnScreen({left, top, left + width, top + height}, screen);
}

void DefaultMainOrigin(const ScreenRect& screen, int* left, int* top) {
  *left = screen.Left + 8;
  *top = screen.Top + 8;
}

void DefaultPreviewOrigin(const ScreenRect& main, int* left, int* top) {
  *left = main.Right + kWindowGap;
  *top = main.Top;
}

void DefaultInfoOrigin(const ScreenRect& main, int* left, int* top) {
  *left = main.Left;
  *top = main.Bottom + kWindowGap;
}

void DefaultToolOrigin(int slot, const ScreenRect& main, const ScreenRect& preview, int* left,
                       int* top) {
  const int right = preview.Right > main.Right ? preview.Right : main.Right;
  *left = right + kWindowGap + 16 * slot;
  *top = main.Top + 24 * slot;
}

int PreviewRulerSize(const ScanSettings& s) { return s.Ruler == 1 ? kRulerSize : 0; }

void PreviewFrameSize(int model, const AreaRect& bed, int* width, int* height) {
  int n, d;
  FrameScale(model, &n, &d);
  *width = (bed.Right - bed.Left) * d / n;
  *height = (bed.Bottom - bed.Top) * d / n;
}

}  // namespace wq
