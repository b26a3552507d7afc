// The mouse tools in an image window: the hand drags the picture, the zoom
// tools zoom by a click keeping the clicked point in view, the cut tool
// selects a rectangle (its outline moving every 50 ms) and crops to it on a
// double click, the free rotation turns by the angle between two drawn lines.
#include <windows.h>

#include <algorithm>

#include "app/tool_rules.h"
#include "app/view_math.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

// The drag in progress (one at a time: the mouse is captured).
struct Drag {
  HWND window = nullptr;
  int tool = 0;
  POINT start{}, last{};
  uint32_t scrollX = 0, scrollY = 0;
  bool lineShown = false;  // the rotation's line drawn inverted
};
Drag g_drag;

// The last click of the cut tool, for its double click.
struct LastClick {
  HWND window = nullptr;
  DWORD time = 0;
  POINT at{};
};
LastClick g_click;

POINT PointOf(LPARAM lp) { return POINT{short(LOWORD(lp)), short(HIWORD(lp))}; }

struct ImagePoint {
  uint32_t x, y;
};
ImagePoint ToImage(const wq::ImageDocument& d, POINT p) {
  return {wq::ImagePixelAt(p.x, d.scrollX, d.view.zoomStep, d.width),
          wq::ImagePixelAt(p.y, d.scrollY, d.view.zoomStep, d.height)};
}
POINT ToWindow(const wq::ImageDocument& d, uint32_t x, uint32_t y) {
  return POINT{LONG(wq::WindowPixelOf(x, d.scrollX, d.view.zoomStep)),
               LONG(wq::WindowPixelOf(y, d.scrollY, d.view.zoomStep))};
}

// The selection's outline in window pixels (right and bottom outside).
RECT OutlineOf(const wq::ImageDocument& d) {
  const POINT a = ToWindow(d, d.selection.x, d.selection.y);
  const POINT b = ToWindow(d, d.selection.x + d.selection.width, d.selection.y + d.selection.height);
  return RECT{a.x, a.y, std::max(b.x, a.x + 1), std::max(b.y, a.y + 1)};
}

void InvalidateOutline(HWND child, const wq::ImageDocument& d) {
  RECT r = OutlineOf(d);
  InflateRect(&r, 2, 2);
  InvalidateRect(child, &r, FALSE);
}

void ClearMarks(HWND child) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  const bool had = doc->hasSelection || doc->hasRefLine;
  doc->hasSelection = false;
  doc->hasRefLine = false;
  UnlockDocument(child);
  KillTimer(child, IDT_SELECTION);
  if (had) InvalidateRect(child, nullptr, FALSE);
}

// A line in window pixels with an inverting pen.
void InvertLine(HWND child, POINT a, POINT b) {
  HDC dc = GetDC(child);
  const int old = SetROP2(dc, R2_NOT);
  MoveToEx(dc, a.x, a.y, nullptr);
  LineTo(dc, b.x, b.y);
  SetROP2(dc, old);
  ReleaseDC(child, dc);
}

void ZoomAt(HWND child, POINT p, bool in) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  const int step = doc->view.zoomStep, next = wq::ToolZoomStep(step, in);
  const ImagePoint at = ToImage(*doc, p);
  UnlockDocument(child);
  if (next == step) return;
  ZoomCommand(child, next);
  if ((doc = LockDocument(child)) == nullptr) return;
  const int64_t x = wq::WindowPixelOf(at.x, 0, doc->view.zoomStep) - p.x;
  const int64_t y = wq::WindowPixelOf(at.y, 0, doc->view.zoomStep) - p.y;
  UnlockDocument(child);
  ScrollImageTo(child, x, y);
}

bool OverSelection(HWND child, POINT p) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return false;
  const ImagePoint at = ToImage(*doc, p);
  const bool over = doc->hasSelection && wq::Contains(doc->selection, at.x, at.y);
  UnlockDocument(child);
  return over;
}

void CropToSelection(HWND child) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  const wq::PixelRect r = doc->selection;
  const bool has = doc->hasSelection;
  UnlockDocument(child);
  ClearMarks(child);
  if (has) CropCommand(child, r);
}

void ButtonDown(HWND child, POINT p, bool doubleClick) {
  const int tool = ActiveTool();
  switch (tool) {
    case IDC_TOOL_ZOOMIN:
    case IDC_TOOL_ZOOMOUT:
      ZoomAt(child, p, tool == IDC_TOOL_ZOOMIN);
      return;
    case IDC_TOOL_CUT: {
      const DWORD now = GetTickCount();
      const bool second = g_click.window == child &&
                          wq::IsDoubleClick(now - g_click.time, GetDoubleClickTime(), p.x - g_click.at.x,
                                            p.y - g_click.at.y, GetSystemMetrics(SM_CXDOUBLECLK),
                                            GetSystemMetrics(SM_CYDOUBLECLK));
      g_click = {child, now, p};
      // A click in the selection keeps it (a double click there crops);
      // elsewhere a new selection begins.
      if (OverSelection(child, p)) {
        if (second || doubleClick) {
          g_click.window = nullptr;
          CropToSelection(child);
        }
        return;
      }
      ClearMarks(child);
      break;
    }
    case IDC_TOOL_HAND:
    case IDC_TOOL_ROTATE:
      break;
    default:
      return;
  }
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  g_drag = Drag{child, tool, p, p, doc->scrollX, doc->scrollY, false};
  UnlockDocument(child);
  SetCapture(child);
}

void MouseMove(HWND child, POINT p) {
  if (g_drag.window != child || GetCapture() != child) return;
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  switch (g_drag.tool) {
    case IDC_TOOL_HAND:
      UnlockDocument(child);
      ScrollImageTo(child, int64_t(g_drag.scrollX) - (p.x - g_drag.start.x),
                    int64_t(g_drag.scrollY) - (p.y - g_drag.start.y));
      return;
    case IDC_TOOL_CUT: {
      if (doc->hasSelection) InvalidateOutline(child, *doc);
      const ImagePoint a = ToImage(*doc, g_drag.start), b = ToImage(*doc, p);
      doc->selection = wq::SpannedRect(a.x, a.y, b.x, b.y);
      doc->hasSelection = true;
      InvalidateOutline(child, *doc);
      break;
    }
    case IDC_TOOL_ROTATE: {
      // Kept inside the image.
      const ImagePoint b = ToImage(*doc, p);
      const POINT end = ToWindow(*doc, b.x, b.y);
      UnlockDocument(child);
      if (g_drag.lineShown) InvertLine(child, g_drag.start, g_drag.last);
      InvertLine(child, g_drag.start, end);
      g_drag.last = end;
      g_drag.lineShown = true;
      return;
    }
  }
  UnlockDocument(child);
}

void ButtonUp(HWND child, POINT p) {
  if (g_drag.window != child) return;
  const Drag drag = g_drag;
  g_drag = Drag{};
  ReleaseCapture();
  if (drag.tool == IDC_TOOL_CUT) {
    wq::ImageDocument* doc = LockDocument(child);
    const bool has = doc && doc->hasSelection;
    if (doc) UnlockDocument(child);
    if (has) SetTimer(child, IDT_SELECTION, 50, nullptr);
    return;
  }
  if (drag.tool != IDC_TOOL_ROTATE) return;
  if (drag.lineShown) InvertLine(child, drag.start, drag.last);
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  const ImagePoint a = ToImage(*doc, drag.start), b = ToImage(*doc, p);
  if (a.x == b.x && a.y == b.y) {  // a click draws nothing
    UnlockDocument(child);
    return;
  }
  const int32_t line[4] = {int32_t(a.x), int32_t(a.y), int32_t(b.x), int32_t(b.y)};
  if (!doc->hasRefLine) {
    std::copy(line, line + 4, doc->refLine);
    doc->hasRefLine = true;
    UnlockDocument(child);
    InvalidateRect(child, nullptr, FALSE);
    return;
  }
  const int degrees = wq::FreeRotationDegrees(doc->refLine[2] - doc->refLine[0], doc->refLine[3] - doc->refLine[1],
                                              line[2] - line[0], line[3] - line[1]);
  UnlockDocument(child);
  ClearMarks(child);
  FreeRotateCommand(child, degrees);
}

void NextDashPhase(HWND child) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  doc->dashPhase = (doc->dashPhase + 1) % 8;
  if (doc->hasSelection) InvalidateOutline(child, *doc);
  UnlockDocument(child);
}

}  // namespace

bool ToolMessage(HWND child, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!ActiveTool()) return false;
      ButtonDown(child, PointOf(lp), msg == WM_LBUTTONDBLCLK);
      return true;
    case WM_MOUSEMOVE:
      MouseMove(child, PointOf(lp));
      return false;
    case WM_LBUTTONUP:
      ButtonUp(child, PointOf(lp));
      return false;
    case WM_TIMER:
      if (wp != IDT_SELECTION) return false;
      NextDashPhase(child);
      return true;
    case WM_SETCURSOR: {
      const int tool = ActiveTool();
      if (!tool || LOWORD(lp) != HTCLIENT) return false;
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(child, &p);
      const bool alternate = tool == IDC_TOOL_CUT ? OverSelection(child, p) : g_drag.window == child;
      SetCursor(ToolCursor(tool, alternate));
      *result = TRUE;
      return true;
    }
    case WM_MDIACTIVATE:
      // A window left: its outline stops moving.
      if (reinterpret_cast<HWND>(wp) == child) KillTimer(child, IDT_SELECTION);
      else if (reinterpret_cast<HWND>(lp) == child) {
        wq::ImageDocument* doc = LockDocument(child);
        const bool has = doc && doc->hasSelection;
        if (doc) UnlockDocument(child);
        if (has) SetTimer(child, IDT_SELECTION, 50, nullptr);
      }
      return false;
    case WM_DESTROY:
      KillTimer(child, IDT_SELECTION);
      if (g_drag.window == child) g_drag = Drag{};
      return false;
  }
  return false;
}

void PaintToolMarks(HWND, HDC dc, const wq::ImageDocument& doc) {
  if (doc.hasSelection) {
    // A dashed outline: runs of four pixels, black and white, moving with the phase.
    const RECT r = OutlineOf(doc);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int perimeter = 2 * (w + h);
    for (int i = 0; i < perimeter; ++i) {
      int x, y;
      if (i < w) x = r.left + i, y = r.top;
      else if (i < w + h) x = r.right - 1, y = r.top + (i - w);
      else if (i < 2 * w + h) x = r.right - 1 - (i - w - h), y = r.bottom - 1;
      else x = r.left, y = r.bottom - 1 - (i - 2 * w - h);
      SetPixelV(dc, x, y, ((i + doc.dashPhase) / 4) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
  }
  if (doc.hasRefLine) {
    const POINT a = ToWindow(doc, uint32_t(doc.refLine[0]), uint32_t(doc.refLine[1]));
    const POINT b = ToWindow(doc, uint32_t(doc.refLine[2]), uint32_t(doc.refLine[3]));
    const int old = SetROP2(dc, R2_NOT);
    MoveToEx(dc, a.x, a.y, nullptr);
    LineTo(dc, b.x, b.y);
    SetROP2(dc, old);
  }
}

void ToolChanged() {
  for (HWND c = GetWindow(g_app.client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[16] = L"";
    GetClassNameW(c, cls, 16);
    if (lstrcmpW(cls, L"MyDIBMDI") == 0) ClearMarks(c);
  }
  if (g_drag.window) ReleaseCapture();
  g_drag = Drag{};
}
