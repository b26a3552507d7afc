// The preview window: the bed drawn as a white frame with the preview's
// screen copy in it, the scan area as a dotted outline with its eight
// handles, and rulers when the preferences ask for them. The mouse draws a
// new area, resizes it by a handle or moves it; the wheel magnifies the
// frame 2, 4 or 8 times, and a drag past the visible part scrolls it.
#include <windows.h>
#include <windowsx.h>

#include <cmath>
#include <cstdio>

#include "ds/base/win/source_windows.h"
#include "ds/core/win/host_win.h"
#include "ds/preview/preview.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/settings.h"
#include "ds/ui/commands.h"
#include "ds/ui/placement.h"
#include "ds/ui/selection.h"
#include "ds/ui/units.h"
#include "ds/ui/win/adjustwnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// The window's mouse state: the magnified view and the drag in progress,
// with what the drag started from, so that a refused zoom check puts it back.
struct PreviewMouse {
  FrameView View;
  FrameDrag Drag;
  SettingsRect CropBefore;
  int32_t AreaBefore[4];
  int PaperBefore;
};
PreviewMouse g_Mouse;

PixelRect ToPixels(const SettingsRect& r) { return PixelRect{r.Left, r.Top, r.Right, r.Bottom}; }
SettingsRect ToSettings(const PixelRect& r) { return SettingsRect{r.Left, r.Top, r.Right, r.Bottom}; }
PixelPoint ToPoint(LPARAM lParam) { return PixelPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Bed units to frame pixels (from the frame's origin).
int ToFrame(int32_t units, int model) {
  int n, d;
  FrameScale(model, &n, &d);
  return int(int64_t(units) * d / n);
}

RECT FrameRect() {
  const int ruler = g_Settings ? PreviewRulerSize(*g_Settings) : 0;
  RECT r{kFrameMargin + ruler, kFrameMargin + ruler, kFrameMargin + ruler, kFrameMargin + ruler};
  if (!g_Settings) return r;
  int w, h;
  PreviewFrameSize(g_Settings->Model, CurrentBed(*g_Settings), &w, &h);
  r.right += w;
  r.bottom += h;
  return r;
}

PixelRect FramePixels() {
  const RECT f = FrameRect();
  return PixelRect{f.left, f.top, f.right, f.bottom};
}

// The selection kept in the settings is in this window's pixels, beside the
// frame's own rectangle; when the frame moves (rulers on or off, another
// bed) the selection moves with it.
void SyncFrame() {
  if (!g_Settings) return;
  ScanSettings& s = *g_Settings;
  const PixelRect f = FramePixels();
  const int32_t dx = f.Left - s.PreScanRect.Left, dy = f.Top - s.PreScanRect.Top;
  if (!IsEmpty(ToPixels(s.PreCropRect)) && (dx || dy))
    s.PreCropRect = SettingsRect{s.PreCropRect.Left + dx, s.PreCropRect.Top + dy,
                                 s.PreCropRect.Right + dx, s.PreCropRect.Bottom + dy};
  s.PreScanRect = ToSettings(f);
  if (g_Mouse.View.Frame != f) g_Mouse.View = FrameView{f, 0, 0, 0};
}

PixelRect CurrentSelection() {
  return g_Settings ? ToPixels(g_Settings->PreCropRect) : PixelRect{0, 0, 0, 0};
}

// A frame pixel's edge in the window, through the view.
POINT InView(int32_t x, int32_t y) {
  const PixelPoint p = FrameToView(g_Mouse.View, PixelPoint{x, y});
  return POINT{p.X, p.Y};
}

// Where the image's corners fall in the window.
RECT ImageInWindow(const RECT& frame, const PreviewImage& image) {
  const AreaRect bed = CurrentBed(*g_Settings);
  const int model = g_Settings->Model;
  const POINT a = InView(frame.left + ToFrame(image.Covers.Left - bed.Left, model),
                         frame.top + ToFrame(image.Covers.Top - bed.Top, model));
  const POINT b = InView(frame.left + ToFrame(image.Covers.Right - bed.Left, model),
                         frame.top + ToFrame(image.Covers.Bottom - bed.Top, model));
  return RECT{a.x, a.y, b.x, b.y};
}

void DrawImage(HDC dc, const RECT& frame, const PreviewImage& image) {
  if (!image.Screen || !g_Settings) return;
  const RECT shown = ImageInWindow(frame, image);
  const POINT a{shown.left, shown.top}, b{shown.right, shown.bottom};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = image.Width;
  bi.bmiHeader.biHeight = image.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, a.x, a.y, b.x - a.x, b.y - a.y, 0, 0, image.Width, image.Height, image.Screen,
                &bi, DIB_RGB_COLORS, SRCCOPY);
}

void DrawCropFrame(HDC dc, const RECT& r) {
  HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldMode = SetBkMode(dc, OPAQUE);
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SetBkColor(dc, oldBk);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  // The eight handles, where the pointer takes them.
  const int xs[3] = {r.left, (r.left + r.right) / 2, r.right - 1};
  const int ys[3] = {r.top, (r.top + r.bottom) / 2, r.bottom - 1};
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      if (i == 1 && j == 1) continue;
      RECT h{xs[i] - 2, ys[j] - 2, xs[i] + 2, ys[j] + 2};
      FillRect(dc, &h, black);
    }
}

}  // namespace

void DrawRulers(HDC dc, const RECT& frame, int model, int unit, int32_t offsetX, int32_t offsetY,
                int magnification) {
  const int size = kRulerSize;
  RECT top{frame.left, frame.top - size, frame.right, frame.top};
  RECT left{frame.left - size, frame.top, frame.left, frame.bottom};
  FillRect(dc, &top, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  int n, d;
  FrameScale(model, &n, &d);
  // Window pixels per ruler unit: centimetres in metric units, else inches.
  const bool metric = unit == kUnitCm;
  const double perUnit = (metric ? 25.0 / 2.54 : 25.0) * d / n * magnification;
  const int minorPerMajor = metric ? 2 : 4;
  // Small figures, kept inside each ruler.
  HFONT font = CreateFontW(-9, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           VARIABLE_PITCH | FF_SWISS, L"Small Fonts");
  HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  // Labels every unit, or every few when they would crowd.
  const int labelEvery = perUnit >= 24 ? 1 : perUnit >= 12 ? 2 : 5;
  auto axis = [&](bool across, int32_t offset, int length) {
    const RECT& band = across ? top : left;
    SaveDC(dc);
    IntersectClipRect(dc, band.left, band.top, band.right, band.bottom);
    const double start = double(offset) * magnification;
    for (int k = 0;; ++k) {
      const double at = k * perUnit / minorPerMajor - start;
      if (at >= length) break;
      if (at < 0) continue;
      const bool major = k % minorPerMajor == 0;
      const int tick = major ? size - 2 : size / 3;
      const int p = int(std::floor(at));
      if (across) {
        MoveToEx(dc, frame.left + p, frame.top - 1, nullptr);
        LineTo(dc, frame.left + p, frame.top - 1 - tick);
      } else {
        MoveToEx(dc, frame.left - 1, frame.top + p, nullptr);
        LineTo(dc, frame.left - 1 - tick, frame.top + p);
      }
      const int value = k / minorPerMajor;
      if (major && value % labelEvery == 0) {
        wchar_t text[8];
        swprintf(text, 8, L"%d", value);
        if (across) TextOutW(dc, frame.left + p + 2, frame.top - size, text, int(wcslen(text)));
        else TextOutW(dc, frame.left - size + 1, frame.top + p + 1, text, int(wcslen(text)));
      }
    }
    RestoreDC(dc, -1);
  };
  axis(true, offsetX, frame.right - frame.left);
  axis(false, offsetY, frame.bottom - frame.top);
  SelectObject(dc, oldFont);
  if (font) DeleteObject(font);
}

namespace {

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  // Drawn off the screen first, so that a drag does not flicker.
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const RECT frame = FrameRect();
  if (g_Settings && g_Settings->Ruler == 1)
    DrawRulers(dc, frame, g_Settings->Model, g_Settings->Units, g_Mouse.View.OffsetX,
               g_Mouse.View.OffsetY, Magnification(g_Mouse.View));
  FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  IntersectClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
  DrawImage(dc, frame, g_Preview.Preview);
  const PixelRect sel = CurrentSelection();
  if (!IsEmpty(sel)) {
    const POINT a = InView(sel.Left, sel.Top);
    const POINT b = InView(sel.Right, sel.Bottom);
    DrawCropFrame(dc, RECT{a.x, a.y, b.x, b.y});
  }
  SelectClipRgn(dc, nullptr);
  RECT edge{frame.left - 2, frame.top - 2, frame.right + 2, frame.bottom + 2};
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(window, &ps);
}

// Where the pointer is, in frame pixels through the view; kHitOutside
// beyond the frame's rectangle.
int HitAt(PixelPoint p) {
  const PixelRect frame = FramePixels();
  if (!Contains(frame, p)) return kHitOutside;
  return HitTest(CurrentSelection(), frame, ViewToFrame(g_Mouse.View, p));
}

void AreaChanged() {
  ScanSettings& s = *g_Settings;
  SelectionToArea(s);
  UpdateImageSize(s);
  RefreshInfoWindow();
}

// The preview image's pixel under a window point (rows from the top); false
// outside the image or the frame that shows it.
bool ImagePixelAt(PixelPoint p, int32_t* x, int32_t* y) {
  const PreviewImage& image = g_Preview.Preview;
  if (!g_Settings || !image.Raw || image.Width <= 0 || image.Height <= 0) return false;
  if (!Contains(FramePixels(), p)) return false;
  const RECT r = ImageInWindow(FrameRect(), image);
  if (p.X < r.left || p.X >= r.right || p.Y < r.top || p.Y >= r.bottom) return false;
  *x = int32_t(int64_t(p.X - r.left) * image.Width / (r.right - r.left));
  *y = int32_t(int64_t(p.Y - r.top) * image.Height / (r.bottom - r.top));
  return true;
}

// With a picker on, the pointer picks colours and the button sets the point.
void PickerMoved(PixelPoint p) {
  int32_t x = -1, y = -1;
  ImagePixelAt(p, &x, &y);
  PickAt(g_Preview.Preview, x, y);
}

void PickerPressed(PixelPoint p) {
  int32_t x, y;
  if (ImagePixelAt(p, &x, &y)) ApplyPickAt(g_Preview.Preview, x, y);
}

void ButtonDown(HWND window, PixelPoint p) {
  if (!g_Settings || g_Mouse.Drag.Active) return;
  const PixelRect frame = FramePixels();
  if (!Contains(frame, p)) return;
  ScanSettings& s = *g_Settings;
  if (!BeginFrameDrag(&g_Mouse.Drag, CurrentSelection(), frame, ViewToFrame(g_Mouse.View, p))) return;
  g_Mouse.CropBefore = s.PreCropRect;
  g_Mouse.AreaBefore[0] = s.AreaLeft;
  g_Mouse.AreaBefore[1] = s.AreaTop;
  g_Mouse.AreaBefore[2] = s.AreaWidth;
  g_Mouse.AreaBefore[3] = s.AreaHeight;
  g_Mouse.PaperBefore = PaperIndex(s);
  SetCapture(window);
  SetCursor(LoadCursorW(nullptr, CursorName(CursorOfHit(g_Mouse.Drag.Hit))));
  if (g_Mouse.Drag.Hit == kHitNew) {
    s.PreCropRect = SettingsRect{0, 0, 0, 0};
    AreaChanged();
    RedrawNow(window);
  }
}

void PointerMoved(HWND window, PixelPoint p) {
  if (!g_Mouse.Drag.Active || !g_Settings) return;
  const PixelRect frame = FramePixels();
  const bool scrolled = !Contains(frame, p) && ScrollToward(&g_Mouse.View, p);
  if (!ContinueFrameDrag(&g_Mouse.Drag, ViewToFrame(g_Mouse.View, p), frame) && !scrolled) return;
  g_Settings->PreCropRect = ToSettings(g_Mouse.Drag.Selection);
  // A move sets the area when the button comes up.
  if (g_Mouse.Drag.Hit != kHitMove) AreaChanged();
  RedrawNow(window);
}

void ButtonUp(HWND window) {
  if (!g_Mouse.Drag.Active || !g_Settings) return;
  g_Mouse.Drag.Active = false;
  if (GetCapture() == window) ReleaseCapture();
  ScanSettings& s = *g_Settings;
  const bool changed = ToPixels(s.PreCropRect) != ToPixels(g_Mouse.CropBefore);
  if (changed && !ZoomCheck(s)) {
    s.PreCropRect = g_Mouse.CropBefore;
    s.AreaLeft = g_Mouse.AreaBefore[0];
    s.AreaTop = g_Mouse.AreaBefore[1];
    s.AreaWidth = g_Mouse.AreaBefore[2];
    s.AreaHeight = g_Mouse.AreaBefore[3];
    SetPaperIndex(s, g_Mouse.PaperBefore);
    UpdateImageSize(s);
    ApplyEffects(kEffectTexts | kEffectTools);
    RedrawNow(window);
    return;
  }
  // A new rectangle or a handle makes a free area; moving keeps the paper.
  if (g_Mouse.Drag.Hit != kHitMove) SetPaperIndex(s, OptionalPaperIndex(s.Model));
  if (changed || g_Mouse.Drag.Hit != kHitMove) {
    AreaChanged();
    ApplyEffects(kEffectTexts | kEffectTools);
  }
  RedrawNow(window);
}

}  // namespace

const wchar_t* CursorName(int cursor) {
  // The system cursors' numbers (IDC_ names are narrow in this build).
  switch (cursor) {
    case kCursorCross: return MAKEINTRESOURCEW(32515);
    case kCursorMove: return MAKEINTRESOURCEW(32646);
    case kCursorNwSe: return MAKEINTRESOURCEW(32642);
    case kCursorNs: return MAKEINTRESOURCEW(32645);
    case kCursorNeSw: return MAKEINTRESOURCEW(32643);
    case kCursorWe: return MAKEINTRESOURCEW(32644);
    default: return MAKEINTRESOURCEW(32512);
  }
}

LRESULT CALLBACK PreScanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && !g_Mouse.Drag.Active && PickerOn()) {
        SetCursor(PickerCursor());
        return TRUE;
      }
      if (LOWORD(lParam) == HTCLIENT && !g_Mouse.Drag.Active) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        SetCursor(LoadCursorW(nullptr, CursorName(CursorOfHit(HitAt(PixelPoint{p.x, p.y})))));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second press is a press
      if (PickerOn() && !g_Mouse.Drag.Active) PickerPressed(ToPoint(lParam));
      else ButtonDown(window, ToPoint(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (PickerOn() && !g_Mouse.Drag.Active) PickerMoved(ToPoint(lParam));
      else PointerMoved(window, ToPoint(lParam));
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(window);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) ButtonUp(window);
      return 0;
    case WM_MOUSEWHEEL: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(window, &p);
      if (!g_Mouse.Drag.Active &&
          ZoomView(&g_Mouse.View, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1, PixelPoint{p.x, p.y}))
        RedrawNow(window);
      return 0;
    }
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
  SyncFrame();
  InvalidateRect(w, nullptr, TRUE);
}

HWND CreatePreviewWindow(HWND owner) {
  if (!g_Settings) return nullptr;
  SyncFrame();
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

void RedrawNow(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

void RedrawPreviewWindow() {
  HWND w = g_Windows.Preview;
  if (w && IsWindow(w)) RedrawNow(w);
}

}  // namespace wq
