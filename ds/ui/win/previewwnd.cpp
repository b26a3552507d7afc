// The preview window: the bed drawn as a white frame with the preview's
// screen copy in it and the scan area marked. Dragging the area and the
// rulers come with later work; this window only shows.
#include <windows.h>

#include "ds/core/win/host_win.h"
#include "ds/preview/preview.h"
#include "ds/res/ui_ids.h"
#include "ds/ui/placement.h"
#include "ds/settings/settings.h"
#include "ds/ui/win/uiwin.h"
#include "ds/base/win/source_windows.h"

namespace wq {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// Bed units to frame pixels (from the frame's origin).
int ToFrame(int32_t units, int model) {
  int n, d;
  FrameScale(model, &n, &d);
  return int(int64_t(units) * d / n);
}

RECT FrameRect() {
  RECT r{kFrameMargin, kFrameMargin, kFrameMargin, kFrameMargin};
  if (!g_Settings) return r;
  int w, h;
  PreviewFrameSize(g_Settings->Model, CurrentBed(*g_Settings), &w, &h);
  r.right += w;
  r.bottom += h;
  return r;
}

void DrawImage(HDC dc, const RECT& frame, const PreviewImage& image) {
  if (!image.Screen || !g_Settings) return;
  const AreaRect bed = CurrentBed(*g_Settings);
  const int model = g_Settings->Model;
  const int x0 = frame.left + ToFrame(image.Covers.Left - bed.Left, model);
  const int y0 = frame.top + ToFrame(image.Covers.Top - bed.Top, model);
  const int x1 = frame.left + ToFrame(image.Covers.Right - bed.Left, model);
  const int y1 = frame.top + ToFrame(image.Covers.Bottom - bed.Top, model);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = image.Width;
  bi.bmiHeader.biHeight = image.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x0, y0, x1 - x0, y1 - y0, 0, 0, image.Width, image.Height, image.Screen, &bi,
                DIB_RGB_COLORS, SRCCOPY);
}

void DrawSelection(HDC dc, const RECT& frame) {
  if (!g_Settings) return;
  const ScanSettings& s = *g_Settings;
  const AreaRect bed = CurrentBed(s);
  const AreaRect sel = SelectionRect(s);
  if (sel.Right <= sel.Left || sel.Bottom <= sel.Top) return;
  RECT r{frame.left + ToFrame(sel.Left - bed.Left, s.Model), frame.top + ToFrame(sel.Top - bed.Top, s.Model),
         frame.left + ToFrame(sel.Right - bed.Left, s.Model),
         frame.top + ToFrame(sel.Bottom - bed.Top, s.Model)};
  HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldMode = SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 255));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const RECT frame = FrameRect();
  FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawImage(dc, frame, g_Preview.Preview);
  RECT edge{frame.left - 2, frame.top - 2, frame.right + 2, frame.bottom + 2};
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  DrawSelection(dc, frame);
  EndPaint(window, &ps);
}

}  // namespace

LRESULT CALLBACK PreScanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_CLOSE:
      // The preview goes with the scanning window only.
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void FitPreviewWindow() {
  HWND w = g_Windows.Preview;
  if (!w || !IsWindow(w)) return;
  RECT r = FrameRect();
  r.left = r.top = 0;
  r.right += kFrameMargin;
  r.bottom += kFrameMargin;
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(w, nullptr, TRUE);
}

HWND CreatePreviewWindow(HWND owner) {
  if (!g_Settings) return nullptr;
  RECT size = FrameRect();
  size.left = size.top = 0;
  size.right += kFrameMargin;
  size.bottom += kFrameMargin;
  AdjustWindowRectEx(&size, kStyle, FALSE, kExStyle);
  const int width = size.right - size.left, height = size.bottom - size.top;
  RECT main;
  GetWindowRect(owner, &main);
  int left, top;
  DefaultPreviewOrigin({main.left, main.top, main.right, main.bottom}, &left, &top);
  const RECT work = WorkArea();
  const ScreenRect placed = PlaceWindow(g_Settings->PreRect, width, height, left, top,
                                        {work.left, work.top, work.right, work.bottom});
  const std::wstring title = UiText(IDS_PREVIEW_TITLE);
  return CreateWindowExW(kExStyle, kPreviewClassW, title.c_str(), kStyle, placed.Left,
                         placed.Top, width, height, owner, nullptr, g_Instance, nullptr);
}

void ErasePreviewFrame() {
  HWND w = g_Windows.Preview;
  if (!w || !IsWindow(w)) return;
  HDC dc = GetDC(w);
  const RECT frame = FrameRect();
  FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(w, dc);
}

void RedrawPreviewWindow() {
  HWND w = g_Windows.Preview;
  if (!w || !IsWindow(w)) return;
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
}

}  // namespace wq
