// The crop frame under the mouse: which handle the pointer is on, and the
// rectangle a new drag, a handle or a move makes of it, in the pixels of
// the window the frame is drawn in; and the magnified view of the preview
// frame that scrolls as a drag passes its edge.
#pragma once
#include <cstdint>

namespace wq {

// Half-open pixel rectangles (right and bottom excluded), as windows have.
struct PixelRect {
  int32_t Left, Top, Right, Bottom;
};
struct PixelPoint {
  int32_t X, Y;
};

inline bool IsEmpty(const PixelRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
inline bool Contains(const PixelRect& r, PixelPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline bool operator==(const PixelRect& a, const PixelRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
inline bool operator!=(const PixelRect& a, const PixelRect& b) { return !(a == b); }

// What the pointer is over: outside the frame, a handle (1 top-left,
// 2 top, 3 top-right, 4 left, 5 right, 6 bottom-left, 7 bottom,
// 8 bottom-right), inside the selection, or elsewhere in the frame.
enum FrameHit { kHitOutside = -1, kHitNew = 0, kHitMove = 9 };
constexpr bool IsHandle(int hit) { return hit >= 1 && hit <= 8; }
int HitTest(const PixelRect& selection, const PixelRect& frame, PixelPoint p);

// The cursor a hit shows.
enum FrameCursor { kCursorArrow, kCursorCross, kCursorMove, kCursorNwSe, kCursorNs, kCursorNeSw, kCursorWe };
FrameCursor CursorOfHit(int hit);

// A drag from `start` to `p`: empty while the pointer is less than 3 pixels
// from the start in both directions, else the rectangle spanned by the two
// pixels (both included), cut to the frame.
PixelRect DragRectangle(PixelPoint start, PixelPoint p, const PixelRect& frame);
// The selection as it was when the handle was taken, with the handle's
// edges brought to the pointer's pixel (the opposite edges stay); a handle
// dragged across the opposite edge turns the rectangle over.
PixelRect ResizeByHandle(const PixelRect& start, int handle, PixelPoint p, const PixelRect& frame);
// One step of a move: false (nothing changes) for a step of less than 2
// pixels across and at most 1 down or up; otherwise the selection shifted
// by the step and put back against any frame edge it would cross, its size
// kept, and the pointer becomes the new reference.
bool MoveStep(PixelRect* selection, PixelPoint* reference, PixelPoint p, const PixelRect& frame);

// One drag of the mouse on a crop frame, from the button going down to its
// release: what it took hold of and the selection it makes.
struct FrameDrag {
  bool Active;
  int Hit;                   // kHitNew, a handle or kHitMove
  PixelPoint Start, Reference;
  PixelRect Before;          // the selection when the button went down
  PixelRect Selection;       // the selection now
};
// The button goes down at `p`: false (no drag) outside the frame. A new
// selection starts empty.
bool BeginFrameDrag(FrameDrag* d, const PixelRect& selection, const PixelRect& frame, PixelPoint p);
// The pointer at `p`: true when the selection changed.
bool ContinueFrameDrag(FrameDrag* d, PixelPoint p, const PixelRect& frame);

// The preview frame magnified 2, 4 or 8 times (zoom levels 1..3) and shown
// in the frame's own rectangle: `OffsetX`/`OffsetY` are the frame pixels
// left of and above the visible part.
struct FrameView {
  PixelRect Frame;  // where the frame is drawn, unmagnified size
  int Level;        // 0 none, 1..3: 2, 4, 8 times
  int32_t OffsetX, OffsetY;
};
constexpr int kMaxViewLevel = 3;
inline int Magnification(const FrameView& v) { return 1 << v.Level; }
// Frame pixels the view shows across and down.
int32_t VisibleWidth(const FrameView& v);
int32_t VisibleHeight(const FrameView& v);
// A point of the window to the frame pixel under it (may lie outside the
// frame), and a frame pixel's left or top edge to the window.
PixelPoint ViewToFrame(const FrameView& v, PixelPoint p);
PixelPoint FrameToView(const FrameView& v, PixelPoint f);
// Zooms in or out by one level, keeping the frame pixel under `p` where it
// is as far as the frame allows; false when the level does not change.
bool ZoomView(FrameView* v, int delta, PixelPoint p);
// While a drag passes the visible part's edge, the view scrolls one step
// (one frame pixel, that is 2, 4 or 8 window pixels) toward the pointer on
// each axis it passes; false when it could not scroll.
bool ScrollToward(FrameView* v, PixelPoint p);
// Keeps the offsets inside the frame.
void ClampView(FrameView* v);

}  // namespace wq
