// Window procedures of the four bitmap-button classes.
#include <windows.h>
#include <windowsx.h>

#include "controls/button.h"
#include "controls/win/paint.h"
#include "controls/win/toollib.h"
#include "controls/win/wqtool32.h"

namespace wq {
namespace {

struct ButtonWindow {
  ButtonRecord rec;
  HWND prevCapture;
};

bool Inside(HWND hwnd, LPARAM lp) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  return PtInRect(&rc, pt) != FALSE;
}

void Carry(HWND hwnd, ButtonWindow* w, const ButtonAction& a) {
  if (a.capture) {
    if (GetCapture() != hwnd)
      w->prevCapture = TakeCapture(hwnd);
    else
      SetFocus(hwnd);
  }
  if (a.repaint) InvalidateRect(hwnd, nullptr, FALSE);
  if (a.release) GiveBackCapture(hwnd, w->prevCapture);
  if (a.notify) {
    UpdateWindow(hwnd);  // the parent may open a menu or work a while
    HWND parent = GetParent(hwnd);
    if (parent)
      SendMessageA(parent, WM_COMMAND,
                   MAKEWPARAM(GetDlgCtrlID(hwnd) & 0xFFFF, BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd));
  }
}

LRESULT Input(HWND hwnd, ButtonWindow* w, ButtonEvent ev, bool inside = true) {
  Carry(hwnd, w, ButtonInput(w->rec, ev, inside));
  return 0;
}

void Paint(HWND hwnd, HDC dc, const ButtonWindow* w) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  PaintButtonFace(dc, rc, w->rec, g_tool.look);
}

LRESULT Create(HWND hwnd, ButtonKind kind) {
  const ButtonRecord* def = AcquireClassDefault(hwnd, ButtonRecord{kind, {}, 0});
  ButtonWindow* w = def ? new (std::nothrow) ButtonWindow{*def, nullptr} : nullptr;
  if (!w) {
    if (def) ReleaseClassDefault<ButtonRecord>(hwnd);
    return -1;
  }
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  w->rec = ButtonCreate(kind, style, (style & WS_DISABLED) != 0);
  SetWindowRecord(hwnd, w);
  return 0;
}

void Destroy(HWND hwnd, ButtonWindow* w) {
  if (w->rec.State & kBsTracking) GiveBackCapture(hwnd, w->prevCapture);
  SetWindowRecord<ButtonWindow>(hwnd, nullptr);
  delete w;
  ReleaseClassDefault<ButtonRecord>(hwnd);
}

LRESULT ButtonProc(ButtonKind kind, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CREATE) return Create(hwnd, kind);
  ButtonWindow* w = WindowRecord<ButtonWindow>(hwnd);
  if (!w) return DefWindowProcA(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_DESTROY:
      Destroy(hwnd, w);
      return 0;
    case WM_ENABLE:
      return Input(hwnd, w, wp ? ButtonEvent::Enable : ButtonEvent::Disable);
    case WM_SETFOCUS:
      return Input(hwnd, w, ButtonEvent::SetFocus);
    case WM_KILLFOCUS:
      return Input(hwnd, w, ButtonEvent::KillFocus);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc && IsWindowVisible(hwnd)) Paint(hwnd, dc, w);
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
    case BM_GETCHECK:
      return (w->rec.State & kBsChecked) ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      return Input(hwnd, w, ButtonEvent::SetCheck, wp != 0);
    case BM_GETSTATE:
      return (w->rec.State & kBsPressed) ? BST_PUSHED : 0;
    case BM_SETSTATE:
      return Input(hwnd, w, ButtonEvent::SetPressed, wp != 0);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return Input(hwnd, w, ButtonEvent::MouseDown);
    case WM_MOUSEMOVE:
      return Input(hwnd, w, ButtonEvent::MouseMove, Inside(hwnd, lp));
    case WM_LBUTTONUP:
      return Input(hwnd, w, ButtonEvent::MouseUp, Inside(hwnd, lp));
    case WM_CANCELMODE:
      return Input(hwnd, w, ButtonEvent::CancelMode);
    case WM_CAPTURECHANGED:
      // Someone else took the mouse: the press is abandoned.
      if (reinterpret_cast<HWND>(lp) != hwnd && (w->rec.State & kBsTracking)) {
        w->prevCapture = nullptr;
        ButtonInput(w->rec, ButtonEvent::CancelMode);
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_SPACE && !(lp & (1L << 30))) return Input(hwnd, w, ButtonEvent::SpaceDown);
      break;
    case WM_KEYUP:
      if (wp == VK_SPACE) return Input(hwnd, w, ButtonEvent::SpaceUp);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace
}  // namespace wq

using wq::ButtonKind;

extern "C" {

LRESULT CALLBACK GraphButtonWndFunc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return wq::ButtonProc(ButtonKind::Graph, hwnd, msg, wp, lp);
}
LRESULT CALLBACK PopupButtonWndFunc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return wq::ButtonProc(ButtonKind::Popup, hwnd, msg, wp, lp);
}
LRESULT CALLBACK SwitchButtonWndFunc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return wq::ButtonProc(ButtonKind::Switch, hwnd, msg, wp, lp);
}
LRESULT CALLBACK LockButtonWndFunc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return wq::ButtonProc(ButtonKind::Lock, hwnd, msg, wp, lp);
}

}  // extern "C"
