// Window procedure of "TwoScrollBar32" and the ten exported wrappers.
#include <windows.h>
#include <windowsx.h>

#include "controls/twoscroll.h"
#include "controls/win/paint.h"
#include "controls/win/toollib.h"
#include "controls/win/wqtool32.h"

namespace wq {
namespace {

struct TsWindow {
  TwoScrollRecord rec;
  HWND prevCapture;
};

int ClientWidth(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return rc.right - rc.left;
}

void Carry(HWND hwnd, TsWindow* w, const TsEffect& e, bool now) {
  if (e.repaint) {
    InvalidateRect(hwnd, nullptr, FALSE);
    if (now) UpdateWindow(hwnd);
  }
  if (e.release) GiveBackCapture(hwnd, w->prevCapture);
  if (e.notify) {
    HWND parent = GetParent(hwnd);
    if (parent)
      SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(e.notifyCode, e.notifyPos),
                   reinterpret_cast<LPARAM>(hwnd));
  }
}

void Paint(HWND hwnd, HDC dc, TsWindow* w) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  PaintTwoScroll(dc, rc, w->rec);
}

LRESULT Create(HWND hwnd) {
  const TwoScrollRecord* def = AcquireClassDefault(hwnd, TwoScrollDefaults());
  TsWindow* w = def ? new (std::nothrow) TsWindow{*def, nullptr} : nullptr;
  if (!w) {
    if (def) ReleaseClassDefault<TwoScrollRecord>(hwnd);
    return -1;
  }
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  TwoScrollCreate(w->rec, style, (style & WS_DISABLED) != 0);
  SetWindowRecord(hwnd, w);
  return 0;
}

void Destroy(HWND hwnd, TsWindow* w) {
  if (w->rec.State & kTsTracking) GiveBackCapture(hwnd, w->prevCapture);
  SetWindowRecord<TsWindow>(hwnd, nullptr);
  delete w;
  ReleaseClassDefault<TwoScrollRecord>(hwnd);
}

}  // namespace
}  // namespace wq

using namespace wq;

extern "C" LRESULT CALLBACK TwoScrollBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CREATE) return Create(hwnd);
  TsWindow* w = WindowRecord<TsWindow>(hwnd);
  if (!w) return DefWindowProcA(hwnd, msg, wp, lp);
  TwoScrollRecord& r = w->rec;
  switch (msg) {
    case WM_DESTROY:
      Destroy(hwnd, w);
      return 0;
    case kTsmSetRange: {
      TsEffect e = TwoScrollSetRange(r, uint32_t(lp), ClientWidth(hwnd));
      Carry(hwnd, w, e, false);
      return e.result;
    }
    case kTsmGetRange:
      return LRESULT(int32_t(TwoScrollGetRange(r)));
    case kTsmSetLeftPos:
    case kTsmSetRightPos: {
      TsEffect e = TwoScrollSetPos(r, msg == kTsmSetRightPos, LOWORD(wp));
      Carry(hwnd, w, e, false);
      return e.result;
    }
    case kTsmGetLeftPos:
      return TwoScrollGetPos(r, 0);
    case kTsmGetRightPos:
      return TwoScrollGetPos(r, 1);
    case kTsmSetSelect:
      return TwoScrollSetSelect(r, LOWORD(wp)).result;
    case kTsmGetSelect:
      return r.Select;
    case kTsmSetStyle: {
      TsEffect e = TwoScrollSetStyle(r, LOWORD(wp));
      Carry(hwnd, w, e, false);
      return e.result;
    }
    case kTsmGetStyle:
      return r.Style;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!(r.State & kTsTracking)) w->prevCapture = TakeCapture(hwnd);
      Carry(hwnd, w, TwoScrollMouseDown(r, GET_X_LPARAM(lp)), true);
      return 0;
    }
    case WM_MOUSEMOVE:
      Carry(hwnd, w, TwoScrollMouseMove(r, GET_X_LPARAM(lp)), true);
      return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
      Carry(hwnd, w, TwoScrollMouseUp(r), false);
      return 0;
    case WM_CAPTURECHANGED:
      // Someone else took the mouse: the drag ends where it is.
      if (reinterpret_cast<HWND>(lp) != hwnd && (r.State & kTsTracking)) {
        TwoScrollMouseUp(r);
        w->prevCapture = nullptr;
      }
      return 0;
    case WM_SIZE:
      TwoScrollResize(r, LOWORD(lp));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) Paint(hwnd, dc, w);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(hwnd, reinterpret_cast<HDC>(wp), w);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_SETFOCUS:
      r.State |= kTsFocused;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      r.State &= uint16_t(~kTsFocused);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_ENABLE:
      if (wp)
        r.State &= uint16_t(~kTsDisabled);
      else
        r.State |= kTsDisabled;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

extern "C" {

LONG WINAPI TSetScrollRange(HWND hwnd, int min, int max) {
  return LONG(SendMessageA(hwnd, kTsmSetRange, 0, MAKELPARAM(min & 0xFFFF, max & 0xFFFF)));
}
LONG WINAPI TGetScrollRange(HWND hwnd) { return LONG(SendMessageA(hwnd, kTsmGetRange, 0, 0)); }
LONG WINAPI TSetLeftScrollPos(HWND hwnd, int pos) {
  return LONG(SendMessageA(hwnd, kTsmSetLeftPos, WPARAM(pos & 0xFFFF), 0));
}
LONG WINAPI TGetLeftScrollPos(HWND hwnd) { return LONG(SendMessageA(hwnd, kTsmGetLeftPos, 0, 0)); }
LONG WINAPI TSetRightScrollPos(HWND hwnd, int pos) {
  return LONG(SendMessageA(hwnd, kTsmSetRightPos, WPARAM(pos & 0xFFFF), 0));
}
LONG WINAPI TGetRightScrollPos(HWND hwnd) { return LONG(SendMessageA(hwnd, kTsmGetRightPos, 0, 0)); }
LONG WINAPI TSetScrollSelect(HWND hwnd, int select) {
  return LONG(SendMessageA(hwnd, kTsmSetSelect, WPARAM(select & 0xFFFF), 0));
}
LONG WINAPI TGetScrollSelect(HWND hwnd) { return LONG(SendMessageA(hwnd, kTsmGetSelect, 0, 0)); }
LONG WINAPI TSetScrollStyle(HWND hwnd, int style) {
  return LONG(SendMessageA(hwnd, kTsmSetStyle, WPARAM(style & 0xFFFF), 0));
}
LONG WINAPI TGetScrollStyle(HWND hwnd) { return LONG(SendMessageA(hwnd, kTsmGetStyle, 0, 0)); }

}  // extern "C"
