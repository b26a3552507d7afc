// The floating tool box: a caption strip with its close button and the five
// mouse tools (hand, zoom in, zoom out, cut, free rotation) as owner-drawn
// buttons; which tool the image windows follow, and the tools' cursors.
#include <windows.h>

#include "app/view_math.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

constexpr int kButton = 26;    // a tool button's side
constexpr int kStrip = 10;     // the caption strip with the close button
constexpr int kWidth = kButton + 6;
constexpr int kFirstTool = IDC_TOOL_HAND, kLastTool = IDC_TOOL_ROTATE;
constexpr UINT kRestack = WM_APP + 1;  // posted when the frame is activated

struct ToolBox {
  HWND window = nullptr;
  int tool = 0;  // the selected tool's id, 0 for none
  bool active = false;  // the caption strip drawn as active
  HCURSOR cursors[6] = {};
} g_toolBox;

// The tools' pictures, drawn in one colour into a square: on the buttons
// and, in black on a mask, as the cursors.
void DrawGlyph(HDC dc, const RECT& r, int glyph, COLORREF colour) {
  // The cut tool's dashes would run together at two pixels.
  HPEN pen = CreatePen(PS_SOLID, glyph == IDC_TOOL_CUT ? 1 : 2, colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int w = r.right - r.left, x = r.left, y = r.top;
  auto at = [&](int fx, int fy) { return POINT{x + fx * w / 24, y + fy * w / 24}; };
  auto line = [&](int x0, int y0, int x1, int y1) {
    const POINT a = at(x0, y0), b = at(x1, y1);
    MoveToEx(dc, a.x, a.y, nullptr);
    LineTo(dc, b.x, b.y);
  };
  switch (glyph) {
    case IDC_TOOL_HAND:  // an open hand: palm and four fingers
      line(6, 20, 6, 11), line(6, 20, 16, 20), line(16, 20, 18, 13);
      line(8, 12, 8, 4), line(11, 12, 11, 3), line(14, 12, 14, 4), line(17, 13, 17, 7), line(4, 13, 7, 16);
      break;
    case IDC_TOOL_ZOOMIN:
    case IDC_TOOL_ZOOMOUT: {  // a magnifier, with + or -
      const POINT a = at(3, 3), b = at(15, 15);
      Ellipse(dc, a.x, a.y, b.x, b.y);
      line(14, 14, 21, 21);
      line(6, 9, 12, 9);
      if (glyph == IDC_TOOL_ZOOMIN) line(9, 6, 9, 12);
      break;
    }
    case IDC_TOOL_CUT:  // a frame drawn with a dashed line
      for (int i = 3; i < 21; i += 4) line(i, 4, i + 2, 4), line(i, 20, i + 2, 20), line(3, i + 1, 3, i + 3), line(21, i + 1, 21, i + 3);
      break;
    case IDC_TOOL_ROTATE: {  // a turning arrow: three quarters of a circle, the head at the top
      const POINT a = at(4, 4), b = at(20, 20), s = at(12, 4), e = at(20, 12);
      Arc(dc, a.x, a.y, b.x, b.y, s.x, s.y, e.x, e.y);  // counter-clockwise from the top round to the right
      line(12, 4, 8, 1), line(12, 4, 8, 7);
      break;
    }
    case 0:  // the cut tool's cross-hair
      line(12, 2, 12, 22), line(2, 12, 22, 12);
      break;
    case 1:  // scissors, over a selection
      line(4, 4, 18, 18), line(18, 4, 4, 18);
      {
        const POINT a = at(15, 15), b = at(22, 22), c = at(2, 15), d = at(9, 22);
        Ellipse(dc, a.x, a.y, b.x, b.y);
        Ellipse(dc, c.x, c.y, d.x, d.y);
      }
      break;
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

// A black cursor from a glyph, its hot spot in the middle.
HCURSOR MakeCursor(int glyph) {
  const int size = GetSystemMetrics(SM_CXCURSOR);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);
  const RECT r{4, 4, size - 4, size - 4}, all{0, 0, size, size};
  // The mask: white (transparent) everywhere but the glyph.
  HGDIOBJ old = SelectObject(dc, mask);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawGlyph(dc, r, glyph, RGB(0, 0, 0));
  SelectObject(dc, colour);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO ii{};
  ii.fIcon = FALSE;
  ii.xHotspot = ii.yHotspot = DWORD(size / 2);
  ii.hbmMask = mask;
  ii.hbmColor = colour;
  HCURSOR c = CreateIconIndirect(&ii);
  DeleteObject(mask);
  DeleteObject(colour);
  return c ? c : LoadCursor(nullptr, IDC_CROSS);
}

void DrawButton(const DRAWITEMSTRUCT* d) {
  const int id = int(d->CtlID);
  RECT r = d->rcItem;
  const bool selected = id == g_toolBox.tool || (d->itemState & ODS_SELECTED);
  const bool disabled = (d->itemState & ODS_DISABLED) != 0;
  FillRect(d->hDC, &r, GetSysColorBrush(selected ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  DrawEdge(d->hDC, &r, selected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (id == IDC_TOOL_CLOSE) {
    const int m = 2;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(d->hDC, pen);
    MoveToEx(d->hDC, r.left + m, r.top + m, nullptr);
    LineTo(d->hDC, r.right - m, r.bottom - m);
    MoveToEx(d->hDC, r.right - m - 1, r.top + m, nullptr);
    LineTo(d->hDC, r.left + m - 1, r.bottom - m);
    SelectObject(d->hDC, old);
    DeleteObject(pen);
    return;
  }
  InflateRect(&r, -2, -2);
  DrawGlyph(d->hDC, r, id, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
}

void PaintStrip(HWND w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  r.bottom = kStrip;
  FillRect(dc, &r, GetSysColorBrush(g_toolBox.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  EndPaint(w, &ps);
}

void Select(int tool) {
  g_toolBox.tool = tool == g_toolBox.tool ? 0 : tool;
  for (int id = kFirstTool; id <= kLastTool; ++id) InvalidateRect(GetDlgItem(g_toolBox.window, id), nullptr, FALSE);
  ToolChanged();
}

LRESULT CALLBACK ToolBoxWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kRestack: {
      // Under Wine's X11 driver the frame, once activated (after a tool
      // button or the box's strip took the focus, say), can come out above
      // the box on the screen although the box stays above it in the window
      // order. Moving the box below the frame and back to the top makes two
      // real changes of order, which every driver carries out; nothing is
      // painted between them.
      const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
      SetWindowPos(w, g_app.frame, 0, 0, 0, 0, keep);
      SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, keep);
      return 0;
    }
    case WM_PAINT:
      PaintStrip(w);
      return 0;
    case WM_DRAWITEM:
      DrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDC_TOOL_CLOSE) {
        ShowToolBox(false);
      } else if (LOWORD(wp) >= kFirstTool && LOWORD(wp) <= kLastTool) {
        Select(LOWORD(wp));
        SetFocus(g_app.frame);
      }
      return 0;
    case WM_LBUTTONDOWN:
      // The caption strip moves the box.
      ReleaseCapture();
      SendMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, lp);
      return 0;
    case WM_CLOSE:
      ShowToolBox(false);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

bool CreateToolBox(HINSTANCE instance, HWND frame) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ToolBoxWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"ToolBoxClass";
  RegisterClassW(&wc);
  RECT fr;
  GetWindowRect(frame, &fr);
  const int height = kStrip + 5 * kButton + 6;
  RECT r{0, 0, kWidth, height};
  AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  const int x = fr.left + 14, y = fr.top + 10 + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYCAPTION) + 4;
  g_toolBox.window = CreateWindowExW(WS_EX_TOOLWINDOW, L"ToolBoxClass", L"", WS_POPUP | WS_BORDER, x, y,
                                     r.right - r.left, r.bottom - r.top, frame, nullptr, instance, nullptr);
  if (!g_toolBox.window) return false;
  CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, kWidth - kStrip, 0, kStrip, kStrip,
                g_toolBox.window, reinterpret_cast<HMENU>(INT_PTR(IDC_TOOL_CLOSE)), instance, nullptr);
  for (int id = kFirstTool; id <= kLastTool; ++id)
    CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 3, kStrip + 3 + (id - kFirstTool) * kButton,
                  kButton, kButton, g_toolBox.window, reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
  const int glyphs[6] = {IDC_TOOL_HAND, IDC_TOOL_ZOOMIN, IDC_TOOL_ZOOMOUT, 0, 1, IDC_TOOL_ROTATE};
  for (int i = 0; i < 6; ++i) g_toolBox.cursors[i] = glyphs[i] == IDC_TOOL_HAND ? LoadCursor(nullptr, IDC_HAND) : MakeCursor(glyphs[i]);
  return true;
}

void ShowToolBox(bool show) {
  g_app.toolsVisible = show;
  if (g_toolBox.window) ShowWindow(g_toolBox.window, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void ToolBoxActive(bool active) {
  g_toolBox.active = active;
  if (!g_toolBox.window) return;
  InvalidateRect(g_toolBox.window, nullptr, FALSE);
  // After the activation has restacked the frame's window.
  if (active && g_app.toolsVisible) PostMessageW(g_toolBox.window, kRestack, 0, 0);
}

void ToolBoxFollowZoom() {
  if (!g_toolBox.window) return;
  const bool has = ActiveChild() != nullptr;
  EnableWindow(GetDlgItem(g_toolBox.window, IDC_TOOL_ZOOMIN), has && wq::CanZoomIn(g_app.zoomStep));
  EnableWindow(GetDlgItem(g_toolBox.window, IDC_TOOL_ZOOMOUT), has && wq::CanZoomOut(g_app.zoomStep));
  // A zoom tool at its limit reverts to the arrow.
  if ((g_toolBox.tool == IDC_TOOL_ZOOMIN && !wq::CanZoomIn(g_app.zoomStep)) ||
      (g_toolBox.tool == IDC_TOOL_ZOOMOUT && !wq::CanZoomOut(g_app.zoomStep)))
    Select(g_toolBox.tool);
}

int ActiveTool() { return g_toolBox.tool; }

HCURSOR ToolCursor(int tool, bool alternate) {
  switch (tool) {
    case IDC_TOOL_HAND: return g_toolBox.cursors[0];
    case IDC_TOOL_ZOOMIN: return g_toolBox.cursors[1];
    case IDC_TOOL_ZOOMOUT: return g_toolBox.cursors[2];
    case IDC_TOOL_CUT: return g_toolBox.cursors[alternate ? 4 : 3];
    case IDC_TOOL_ROTATE: return alternate ? g_toolBox.cursors[3] : g_toolBox.cursors[5];
    default: return LoadCursor(nullptr, IDC_ARROW);
  }
}
