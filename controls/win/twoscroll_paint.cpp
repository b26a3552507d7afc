// Painting of "TwoScrollBar32": triangular thumbs pointing up.
#include <windows.h>

#include "controls/win/paint.h"

namespace wq {
namespace {

// Row y of a thumb (1..8) spans centre - half .. centre + half; rows 1-7
// are the outline of the sides, row 8 the base.
constexpr int kThumbTop = 1;
constexpr int kThumbBase = 8;

void DrawThumb(HDC dc, int centre, COLORREF outline, COLORREF fill) {
  for (int y = kThumbTop; y <= kThumbBase; ++y) {
    int half = y - kThumbTop;
    FillSolid(dc, centre - half, y, 2 * half + 1, 1, outline);
    if (y > kThumbTop + 1 && y < kThumbBase)
      FillSolid(dc, centre - half + 1, y, 2 * half - 1, 1, fill);
  }
}

}  // namespace

void PaintTwoScroll(HDC dc, const RECT& client, TwoScrollRecord& r) {
  int w = client.right - client.left, h = client.bottom - client.top;
  PaintBuffered(dc, client, [&](HDC m) {
    FillSolid(m, 0, 0, w, h, GetSysColor(COLOR_BTNFACE));
    if (r.Style & kTsTopLine) FillSolid(m, 0, 0, w, 1, GetSysColor(COLOR_WINDOWFRAME));
    bool disabled = (r.State & kTsDisabled) != 0;
    COLORREF outline = disabled ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0);
    COLORREF dark = disabled ? GetSysColor(COLOR_BTNSHADOW) : GetSysColor(COLOR_BTNTEXT);
    COLORREF light = disabled ? GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255);
    int count = (r.Style & kTsSingle) ? 1 : 2;
    for (int i = 0; i < count; ++i) {
      int64_t c = TwoScrollThumbCentre(r, i);
      if (c > -kTsThumbWidth && c < int64_t(w) + kTsThumbWidth)
        DrawThumb(m, int(c), outline, i == 0 ? dark : light);
      r.thumb[i].drawn = r.thumb[i].pos;
    }
  });
}

}  // namespace wq
