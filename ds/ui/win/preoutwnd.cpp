// The preview output window: the zoom preview at screen scale, with the crop
// frame drawn in inverting dashes that march every 500 ms and the same
// handles, drags and moves as the preview window. Sizing it gives way to the
// normal preview (with a fresh preview when it was made larger).
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "ds/base/win/source_windows.h"
#include "ds/core/win/host_win.h"
#include "ds/preview/preview.h"
#include "ds/preview/preview_render.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/settings.h"
#include "ds/ui/commands.h"
#include "ds/ui/placement.h"
#include "ds/ui/selection.h"
#include "ds/ui/win/adjustwnd.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr UINT_PTR kFrameTimer = 302;
constexpr UINT kFrameTimerMs = 500;

// The window's state beside its handle (g_Windows.ZoomPreview).
struct PreOutState {
  bool Ready;    // created and shown: sizes from now on are the user's
  bool Sizing;   // inside the system's sizing loop
  bool TimerOn;
  int DashPhase; // 0..7
  FrameDrag Drag;
  PixelRect Crop;  // the crop frame in client pixels (empty: none)
  RECT Placement;
};
PreOutState g_Out;

int Ruler() { return g_Settings ? PreviewRulerSize(*g_Settings) : 0; }

// The zoom bitmap's rectangle in the client area.
PixelRect Frame() {
  const PreviewImage& z = g_Preview.Zoom;
  return PixelRect{Ruler(), Ruler(), Ruler() + z.Width, Ruler() + z.Height};
}

// Area units and the bitmap's pixels: the bitmap spans its region.
int32_t UnitsToPixelsX(int32_t u) {
  const PreviewImage& z = g_Preview.Zoom;
  const int64_t span = z.Covers.Right - z.Covers.Left;
  return span > 0 ? int32_t((int64_t(u) - z.Covers.Left) * z.Width / span) : 0;
}
int32_t UnitsToPixelsY(int32_t u) {
  const PreviewImage& z = g_Preview.Zoom;
  const int64_t span = z.Covers.Bottom - z.Covers.Top;
  return span > 0 ? int32_t((int64_t(u) - z.Covers.Top) * z.Height / span) : 0;
}

// The crop frame from the scan area, cut to the bitmap.
PixelRect CropFromArea() {
  if (!g_Settings || !ZoomPreviewExists()) return PixelRect{0, 0, 0, 0};
  const ScanSettings& s = *g_Settings;
  const PixelRect f = Frame();
  PixelRect r{f.Left + UnitsToPixelsX(s.AreaLeft), f.Top + UnitsToPixelsY(s.AreaTop),
              f.Left + UnitsToPixelsX(s.AreaLeft + s.AreaWidth),
              f.Top + UnitsToPixelsY(s.AreaTop + s.AreaHeight)};
  r.Left = r.Left < f.Left ? f.Left : r.Left;
  r.Top = r.Top < f.Top ? f.Top : r.Top;
  r.Right = r.Right > f.Right ? f.Right : r.Right;
  r.Bottom = r.Bottom > f.Bottom ? f.Bottom : r.Bottom;
  return IsEmpty(r) ? PixelRect{0, 0, 0, 0} : r;
}

// The inverting dashes of the crop frame at a phase, and its handles;
// drawing the same twice leaves the window as it was.
void InvertFrame(HDC dc, const PixelRect& r, int phase) {
  if (IsEmpty(r)) return;
  const int oldRop = SetROP2(dc, R2_NOT);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  auto dashes = [&](int x0, int y0, int x1, int y1) {
    const int length = x0 == x1 ? y1 - y0 : x1 - x0;
    for (int at = -phase; at < length; at += 8) {
      const int a = at < 0 ? 0 : at;
      const int b = at + 4 > length ? length : at + 4;
      if (b <= a) continue;
      if (x0 == x1) {
        MoveToEx(dc, x0, y0 + a, nullptr);
        LineTo(dc, x0, y0 + b);
      } else {
        MoveToEx(dc, x0 + a, y0, nullptr);
        LineTo(dc, x0 + b, y0);
      }
    }
  };
  dashes(r.Left, r.Top, r.Right - 1, r.Top);
  dashes(r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
  dashes(r.Left, r.Top + 1, r.Left, r.Bottom - 1);
  dashes(r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  SelectObject(dc, oldPen);
  SetROP2(dc, oldRop);
  const int xs[3] = {r.Left, (r.Left + r.Right) / 2, r.Right - 1};
  const int ys[3] = {r.Top, (r.Top + r.Bottom) / 2, r.Bottom - 1};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (i != 1 || j != 1) PatBlt(dc, xs[i] - 2, ys[j] - 2, 4, 4, DSTINVERT);
}

void StopTimer(HWND window) {
  if (g_Out.TimerOn) KillTimer(window, kFrameTimer);
  g_Out.TimerOn = false;
}

void StartTimer(HWND window) {
  // An empty frame has nothing to march.
  if (IsEmpty(g_Out.Crop)) return;
  g_Out.TimerOn = SetTimer(window, kFrameTimer, kFrameTimerMs, nullptr) != 0;
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(window, &ps);
  if (!g_Out.Sizing) StopTimer(window);
  RECT client;
  GetClientRect(window, &client);
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const PreviewImage& z = g_Preview.Zoom;
  const PixelRect f = Frame();
  const RECT frame{f.Left, f.Top, f.Right, f.Bottom};
  if (g_Settings && g_Settings->Ruler == 1) {
    // The rulers count from the bed's origin: the bitmap starts inside it.
    int n, d;
    FrameScale(g_Settings->Model, &n, &d);
    const AreaRect bed = CurrentBed(*g_Settings);
    const int span = z.Covers.Right - z.Covers.Left;
    const int mag = span > 0 ? std::max(1, int(int64_t(z.Width) * n / (int64_t(span) * d))) : 1;
    DrawRulers(dc, frame, g_Settings->Model, g_Settings->Units,
               int32_t(int64_t(z.Covers.Left - bed.Left) * d / n),
               int32_t(int64_t(z.Covers.Top - bed.Top) * d / n), mag);
  }
  if (z.Screen) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = z.Width;
    bi.bmiHeader.biHeight = z.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, f.Left, f.Top, DWORD(z.Width), DWORD(z.Height), 0, 0, 0, UINT(z.Height),
                      z.Screen, &bi, DIB_RGB_COLORS);
  }
  InvertFrame(dc, g_Out.Crop, g_Out.DashPhase);
  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(window, &ps);
  if (!g_Out.Drag.Active) StartTimer(window);
}

void Tick(HWND window) {
  StopTimer(window);
  if (IsEmpty(g_Out.Crop)) return;
  HDC dc = GetDC(window);
  InvertFrame(dc, g_Out.Crop, g_Out.DashPhase);
  g_Out.DashPhase = (g_Out.DashPhase + 1) % 8;
  InvertFrame(dc, g_Out.Crop, g_Out.DashPhase);
  ReleaseDC(window, dc);
  StartTimer(window);
}

// The crop frame drawn here becomes the scan area, at the bitmap's finer
// scale; the scanning window files it as a free area.
void CropToArea() {
  ScanSettings& s = *g_Settings;
  const PreviewImage& z = g_Preview.Zoom;
  const PixelRect f = Frame();
  const int64_t spanX = z.Covers.Right - z.Covers.Left, spanY = z.Covers.Bottom - z.Covers.Top;
  if (z.Width <= 0 || z.Height <= 0) return;
  const int32_t left = z.Covers.Left + int32_t((g_Out.Crop.Left - f.Left) * spanX / z.Width);
  const int32_t top = z.Covers.Top + int32_t((g_Out.Crop.Top - f.Top) * spanY / z.Height);
  const int32_t right = z.Covers.Left + int32_t((g_Out.Crop.Right - f.Left) * spanX / z.Width);
  const int32_t bottom = z.Covers.Top + int32_t((g_Out.Crop.Bottom - f.Top) * spanY / z.Height);
  s.AreaLeft = left;
  s.AreaTop = top;
  s.AreaWidth = right - left;
  s.AreaHeight = bottom - top;
  AreaToSelection(s);
  UpdateImageSize(s);
}

bool CropMakesArea() {
  const PreviewImage& z = g_Preview.Zoom;
  if (IsEmpty(g_Out.Crop) || z.Width <= 0 || z.Height <= 0) return false;
  // At least one area unit each way.
  const int64_t spanX = z.Covers.Right - z.Covers.Left, spanY = z.Covers.Bottom - z.Covers.Top;
  return (g_Out.Crop.Right - g_Out.Crop.Left) * spanX / z.Width >= 1 &&
         (g_Out.Crop.Bottom - g_Out.Crop.Top) * spanY / z.Height >= 1;
}

// With a picker on, the pointer picks from the zoom preview at screen scale
// and the button sets the point.
void PickerAt(PixelPoint p, bool pressed) {
  const PixelRect f = Frame();
  const bool inside = Contains(f, p) && g_Preview.Zoom.Raw;
  const int32_t x = inside ? p.X - f.Left : -1, y = inside ? p.Y - f.Top : -1;
  if (pressed && inside) ApplyPickAt(g_Preview.Zoom, x, y);
  else if (!pressed) PickAt(g_Preview.Zoom, x, y);
}

void ButtonDown(HWND window, PixelPoint p) {
  if (!g_Settings || g_Out.Drag.Active) return;
  StopTimer(window);
  if (!BeginFrameDrag(&g_Out.Drag, g_Out.Crop, Frame(), p)) {
    StartTimer(window);
    return;
  }
  SetCapture(window);
  SetCursor(LoadCursorW(nullptr, CursorName(CursorOfHit(g_Out.Drag.Hit))));
  g_Out.Crop = g_Out.Drag.Selection;
  RedrawNow(window);
}

void PointerMoved(HWND window, PixelPoint p) {
  if (!g_Out.Drag.Active) return;
  if (!ContinueFrameDrag(&g_Out.Drag, p, Frame())) return;
  g_Out.Crop = g_Out.Drag.Selection;
  RedrawNow(window);
}

void ButtonUp(HWND window) {
  if (!g_Out.Drag.Active || !g_Settings) return;
  g_Out.Drag.Active = false;
  if (GetCapture() == window) ReleaseCapture();
  ScanSettings& s = *g_Settings;
  if (g_Out.Crop != g_Out.Drag.Before && CropMakesArea()) {
    if (ZoomCheck(s)) {
      CropToArea();
      if (g_Windows.Main)
        SendMessageW(g_Windows.Main, kMsgAreaChoice, WPARAM(OptionalPaperIndex(s.Model)), 0);
    } else {
      g_Out.Crop = g_Out.Drag.Before;
    }
  }
  RedrawNow(window);
  StartTimer(window);
}

// The window gives way to the normal preview; a size larger than its
// bitmap asks for a fresh preview.
void GiveWay(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const PixelRect f = Frame();
  const bool larger = client.right > f.Right && client.bottom > f.Bottom;
  ShowWindow(window, SW_HIDE);
  DestroyWindow(window);
  if (g_Windows.Preview) {
    ShowWindow(g_Windows.Preview, SW_SHOWNOACTIVATE);
    RedrawPreviewWindow();
  }
  if (larger && g_Windows.Main) PostMessageW(g_Windows.Main, kMsgStartPreview, 0, 0);
  UpdateMainTexts();
}

}  // namespace

LRESULT CALLBACK PreOutScanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      g_Out.DashPhase = 0;
      g_Out.Drag = FrameDrag{};
      g_Out.Crop = CropFromArea();
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      if (wParam == kFrameTimer) Tick(window);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && !g_Out.Drag.Active && PickerOn()) {
        SetCursor(PickerCursor());
        return TRUE;
      }
      if (LOWORD(lParam) == HTCLIENT && !g_Out.Drag.Active) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        const int hit = HitTest(g_Out.Crop, Frame(), PixelPoint{p.x, p.y});
        // No new frame is drawn from outside one here: the arrow.
        SetCursor(LoadCursorW(nullptr, CursorName(hit == kHitNew ? kCursorArrow : CursorOfHit(hit))));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second press is a press
      if (PickerOn() && !g_Out.Drag.Active)
        PickerAt(PixelPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true);
      else
        ButtonDown(window, PixelPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      if (PickerOn() && !g_Out.Drag.Active)
        PickerAt(PixelPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false);
      else
        PointerMoved(window, PixelPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(window);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) ButtonUp(window);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SIZE) {
        g_Out.Sizing = true;
        DefWindowProcW(window, message, wParam, lParam);
        g_Out.Sizing = false;
        if (g_Out.Ready) GiveWay(window);
        return 0;
      }
      break;
    case WM_SIZE:
      if (g_Out.Ready && !g_Out.Sizing && wParam != SIZE_MINIMIZED) GiveWay(window);
      return 0;
    case WM_CLOSE:
      GiveWay(window);
      return 0;
    case WM_DESTROY:
      StopTimer(window);
      GetWindowRect(window, &g_Out.Placement);
      g_Out.Ready = false;
      g_Preview.ZoomShown = false;
      if (g_Windows.ZoomPreview == window) g_Windows.ZoomPreview = nullptr;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool ZoomWindowShown() {
  return g_Windows.ZoomPreview && IsWindow(g_Windows.ZoomPreview) &&
         IsWindowVisible(g_Windows.ZoomPreview);
}

void OpenZoomWindow() {
  if (!g_Settings || !ZoomPreviewExists() || !g_Windows.Main) return;
  HWND w = g_Windows.ZoomPreview;
  if (!w || !IsWindow(w)) {
    const PixelRect f = Frame();
    RECT size{0, 0, f.Right, f.Bottom};
    AdjustWindowRectEx(&size, kStyle, FALSE, kExStyle);
    const int width = size.right - size.left, height = size.bottom - size.top;
    const RECT work = WorkArea();
    int left = work.left + ((work.right - work.left) - width) / 2;
    int top = work.top + ((work.bottom - work.top) - height) / 2;
    // Inside the screen, its top-left corner first.
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = work.bottom - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    g_Out.Ready = false;
    w = CreateWindowExW(kExStyle, kPreOutClassW, UiText(IDS_ZOOM_PREVIEW_TITLE).c_str(), kStyle,
                        left, top, width, height, g_Windows.Main, nullptr, g_Instance, nullptr);
    if (!w) return;
    g_Windows.ZoomPreview = w;
  }
  if (g_Windows.Preview) ShowWindow(g_Windows.Preview, SW_HIDE);
  if (!g_Preview.ZoomShown) {
    // The tone windows' histogram is that of the image shown.
    g_Preview.ZoomShown = true;
    RenderPreview();
    RefreshHistograms(nullptr);
  }
  ShowWindow(w, SW_SHOW);
  // A window already open shows the new images, not its old pixels.
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  SetActiveWindow(w);
  g_Out.Ready = true;
  UpdateMainTexts();
}

void CloseZoomWindow(bool showPreview) {
  HWND w = g_Windows.ZoomPreview;
  g_Windows.ZoomPreview = nullptr;
  if (!w || !IsWindow(w)) return;
  DestroyWindow(w);
  RenderPreview();
  RefreshHistograms(nullptr);
  if (showPreview && g_Windows.Preview) ShowWindow(g_Windows.Preview, SW_SHOWNOACTIVATE);
}

void RefreshZoomWindow() {
  HWND w = g_Windows.ZoomPreview;
  if (!w || !IsWindow(w)) return;
  // The area may have changed elsewhere: the frame follows it.
  if (!g_Out.Drag.Active) g_Out.Crop = CropFromArea();
  InvalidateRect(w, nullptr, FALSE);
}

void ShowPreviewPane(bool show) {
  HWND zoom = g_Windows.ZoomPreview && IsWindow(g_Windows.ZoomPreview) ? g_Windows.ZoomPreview : nullptr;
  HWND preview = g_Windows.Preview && IsWindow(g_Windows.Preview) ? g_Windows.Preview : nullptr;
  if (!show) {
    if (zoom) ShowWindow(zoom, SW_HIDE);
    if (preview) ShowWindow(preview, SW_HIDE);
  } else if (zoom) {
    ShowWindow(zoom, SW_SHOWNOACTIVATE);
  } else if (preview) {
    ShowWindow(preview, SW_SHOWNOACTIVATE);
  }
}

}  // namespace wq
