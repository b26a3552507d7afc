// The crop frame's handles and drags, and the magnified preview frame's view:
// plain pixel arithmetic shared by the preview window and the preview output
// window.
#include "ds/ui/selection.h"

#include <algorithm>
#include <cstdlib>

namespace wq {
namespace {

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  PixelRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom)};
  if (IsEmpty(r)) return PixelRect{0, 0, 0, 0};
  return r;
}

// The rectangle spanned by two pixels, both included.
PixelRect Spanned(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  return PixelRect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
}

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v < hi; }

int32_t FloorDiv(int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int HitTest(const PixelRect& s, const PixelRect& frame, PixelPoint p) {
  if (!Contains(frame, p)) return kHitOutside;
  if (IsEmpty(s)) return kHitNew;
  const int32_t l = s.Left, t = s.Top, r = s.Right, b = s.Bottom;
  // Corners are 4 x 4 squares centred on the corner points; the edge
  // handles run between them.
  struct Box {
    int32_t x0, x1, y0, y1;
  };
  const Box boxes[8] = {
      {l - 2, l + 2, t - 2, t + 2}, {l + 2, r - 2, t - 2, t + 2}, {r - 2, r + 2, t - 2, t + 2},
      {l - 2, l + 2, t + 2, b - 2}, {r - 2, r + 2, t + 2, b - 2}, {l - 2, l + 2, b - 2, b + 2},
      {l + 2, r - 2, b - 2, b + 2}, {r - 2, r + 2, b - 2, b + 2},
  };
  for (int i = 0; i < 8; ++i)
    if (In(p.X, boxes[i].x0, boxes[i].x1) && In(p.Y, boxes[i].y0, boxes[i].y1)) return i + 1;
  if (Contains(s, p) && s != frame) return kHitMove;
  return kHitNew;
}

FrameCursor CursorOfHit(int hit) {
  switch (hit) {
    case 1:
    case 8: return kCursorNwSe;
    case 2:
    case 7: return kCursorNs;
    case 3:
    case 6: return kCursorNeSw;
    case 4:
    case 5: return kCursorWe;
    case kHitMove: return kCursorMove;
    case kHitNew: return kCursorCross;
    default: return kCursorArrow;
  }
}

PixelRect DragRectangle(PixelPoint start, PixelPoint p, const PixelRect& frame) {
  if (std::abs(p.X - start.X) < 3 && std::abs(p.Y - start.Y) < 3) return PixelRect{0, 0, 0, 0};
  return Intersect(Spanned(start.X, start.Y, p.X, p.Y), frame);
}

PixelRect ResizeByHandle(const PixelRect& start, int handle, PixelPoint p, const PixelRect& frame) {
  // The edges as included pixels; the handle's edges follow the pointer.
  int32_t x0 = start.Left, y0 = start.Top, x1 = start.Right - 1, y1 = start.Bottom - 1;
  if (handle == 1 || handle == 2 || handle == 3) y0 = p.Y;
  if (handle == 6 || handle == 7 || handle == 8) y1 = p.Y;
  if (handle == 1 || handle == 4 || handle == 6) x0 = p.X;
  if (handle == 3 || handle == 5 || handle == 8) x1 = p.X;
  return Intersect(Spanned(x0, y0, x1, y1), frame);
}

bool MoveStep(PixelRect* s, PixelPoint* reference, PixelPoint p, const PixelRect& frame) {
  const int32_t dx = p.X - reference->X, dy = p.Y - reference->Y;
  if (std::abs(dx) < 2 && std::abs(dy) <= 1) return false;
  const int32_t w = s->Right - s->Left, h = s->Bottom - s->Top;
  int32_t left = s->Left + dx, top = s->Top + dy;
  // Against the edge it crossed, its size kept (a selection wider than
  // the frame cannot be: it was cut to it).
  if (left + w > frame.Right) left = frame.Right - w;
  if (left < frame.Left) left = frame.Left;
  if (top + h > frame.Bottom) top = frame.Bottom - h;
  if (top < frame.Top) top = frame.Top;
  *s = PixelRect{left, top, left + w, top + h};
  *reference = p;
  return true;
}

bool BeginFrameDrag(FrameDrag* d, const PixelRect& selection, const PixelRect& frame, PixelPoint p) {
  const int hit = HitTest(selection, frame, p);
  if (hit == kHitOutside) return false;
  *d = FrameDrag{true, hit, p, p, selection, hit == kHitNew ? PixelRect{0, 0, 0, 0} : selection};
  return true;
}

bool ContinueFrameDrag(FrameDrag* d, PixelPoint p, const PixelRect& frame) {
  if (!d->Active) return false;
  const PixelRect before = d->Selection;
  if (d->Hit == kHitNew) d->Selection = DragRectangle(d->Start, p, frame);
  else if (IsHandle(d->Hit)) d->Selection = ResizeByHandle(d->Before, d->Hit, p, frame);
  else MoveStep(&d->Selection, &d->Reference, p, frame);
  return d->Selection != before;
}

int32_t VisibleWidth(const FrameView& v) {
  return (v.Frame.Right - v.Frame.Left) / Magnification(v);
}
int32_t VisibleHeight(const FrameView& v) {
  return (v.Frame.Bottom - v.Frame.Top) / Magnification(v);
}

PixelPoint ViewToFrame(const FrameView& v, PixelPoint p) {
  const int m = Magnification(v);
  return PixelPoint{v.Frame.Left + v.OffsetX + FloorDiv(p.X - v.Frame.Left, m),
                    v.Frame.Top + v.OffsetY + FloorDiv(p.Y - v.Frame.Top, m)};
}

PixelPoint FrameToView(const FrameView& v, PixelPoint f) {
  const int m = Magnification(v);
  return PixelPoint{v.Frame.Left + (f.X - v.Frame.Left - v.OffsetX) * m,
                    v.Frame.Top + (f.Y - v.Frame.Top - v.OffsetY) * m};
}

void ClampView(FrameView* v) {
  const int32_t maxX = (v->Frame.Right - v->Frame.Left) - VisibleWidth(*v);
  const int32_t maxY = (v->Frame.Bottom - v->Frame.Top) - VisibleHeight(*v);
  v->OffsetX = std::clamp(v->OffsetX, int32_t(0), std::max(maxX, int32_t(0)));
  v->OffsetY = std::clamp(v->OffsetY, int32_t(0), std::max(maxY, int32_t(0)));
}

bool ZoomView(FrameView* v, int delta, PixelPoint p) {
  const int level = std::clamp(v->Level + delta, 0, kMaxViewLevel);
  if (level == v->Level) return false;
  const PixelPoint under = ViewToFrame(*v, p);
  v->Level = level;
  const int m = Magnification(*v);
  v->OffsetX = under.X - v->Frame.Left - (p.X - v->Frame.Left) / m;
  v->OffsetY = under.Y - v->Frame.Top - (p.Y - v->Frame.Top) / m;
  ClampView(v);
  return true;
}

bool ScrollToward(FrameView* v, PixelPoint p) {
  if (v->Level == 0) return false;
  const FrameView before = *v;
  if (p.X < v->Frame.Left) --v->OffsetX;
  else if (p.X >= v->Frame.Left + VisibleWidth(*v) * Magnification(*v)) ++v->OffsetX;
  if (p.Y < v->Frame.Top) --v->OffsetY;
  else if (p.Y >= v->Frame.Top + VisibleHeight(*v) * Magnification(*v)) ++v->OffsetY;
  ClampView(v);
  return v->OffsetX != before.OffsetX || v->OffsetY != before.OffsetY;
}

}  // namespace wq
